#include "monitorcontrol.h"

#include "artlayout.h"
#include "artwork.h"
#include "controlaccess.h"
#include "mixcontrols.h"
#include "monitormodel.h"
#include "monitorscale.h"
#include "routingstyle.h"
#include "stripcaption.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>

using mixer::ControlKind;
using mixer::MonitorModel;
using mixer::Side;

namespace {

const char *const kSliderStyle =
    "QSlider::groove:vertical{background: #050506; width: 4px; border-radius: 2px; margin: 7px 0;}"
    "QSlider::handle:vertical{image: url(:/Resource/monicon/%1.png); background: transparent; "
    "width: 30px; height: 14px; margin: -7px -13px;}"
    "QSlider::groove:vertical:focus{background: #ffaa00;}";
const char *const kBoxStyle = "QDoubleSpinBox{color: #ffaa00; background: #0c0d0f; border: 1px solid #000; "
                              "border-radius: 2px; font: bold 13px Arial; padding: 1px 4px;}";
const char *const kFaderCaption = "QLabel{color: #d8dadf; font: bold 12px Arial; letter-spacing: 1px;}";
const char *const kSideCaption = "QLabel{color: #3a3c40; font: bold 12px Arial; letter-spacing: 1px;}";

constexpr int kSliderWidth = 36;
constexpr int kBoxWidth = 76;
constexpr int kBoxHeight = 24;
constexpr int kHandleHeight = 14;

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QRect plateRect(const artlayout::Section &s)
{
    return QRect(s.plate.x, s.plate.y, s.plate.w, s.plate.h);
}

} // namespace

MonitorControl::MonitorControl(MonitorModel &model, mixer::MixControls &controls, QWidget *parent)
    : QDialog(parent), m_model(model), m_controls(controls),
      m_art(QStringLiteral(":/Resource/monicon/panel_monicon.png"))
{
    setObjectName(QStringLiteral("MonitorControl"));
    setWindowTitle(tr("Monitor Control"));
    setFixedSize(artlayout::kMonitorWidth, artlayout::kMonitorHeight);
    buildTargets();
    buildSources();
    buildLevels();
    // Return ends a typed level or a source choice here; it must never press a target or the link.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    listen();
}

void MonitorControl::listen()
{
    connect(&m_model, &MonitorModel::targetChanged, this, &MonitorControl::showTarget);
    connect(&m_model, &MonitorModel::masterLevelChanged, this, [this](double db) { m_faders[Master]->showLevel(db); });
    connect(&m_model, &MonitorModel::levelChanged, this, &MonitorControl::showLevel);
    connect(&m_model, &MonitorModel::linkChanged, this, [this](int target, bool on) {
        if (target == m_model.target())
            showLinked(on);
    });
    connect(&m_model, &MonitorModel::sourceChanged, this, [this](int target, Side side, int index) {
        if (target == m_model.target())
            setQuietly(side == Side::Right ? m_sourceR : m_sourceL, index);
    });
}

void MonitorControl::buildTargets()
{
    m_targets = named(new QButtonGroup(this), "bG_OutputGroup");
    m_targets->setExclusive(true);
    const char *const names[] = {"pB_mcLineOut1_2", "pB_mcLineOut3_4", "pB_mcLineOut5_6", "pB_mcLineOut7_8"};
    const QRect plate = plateRect(artlayout::kMcOutput);
    const int width = (plate.width() - 5 * 14) / 4;
    for (int t = 0; t < MonitorModel::kTargets; ++t) {
        auto *button = named(new QPushButton(tr("LINE OUT %1-%2").arg(2 * t + 1).arg(2 * t + 2), this), names[t]);
        button->setCheckable(true);
        button->setStyleSheet(QLatin1String(routingstyle::kKey));
        button->setCursor(Qt::PointingHandCursor);
        button->setGeometry(plate.x() + 14 + t * (width + 14), plate.y() + (plate.height() - 34) / 2, width, 34);
        m_targets->addButton(button, t);
        controlaccess::attachSwitch(button, tr("Monitor on %1").arg(button->text()));
    }
    connect(m_targets, &QButtonGroup::idClicked, this, &MonitorControl::selectTarget);
}

void MonitorControl::buildSources()
{
    const QRect plate = plateRect(artlayout::kMcSource);
    const int x = plate.x() + 18;
    const int width = plate.width() - 36;
    const struct {
        const char *combo;
        const char *caption;
        QComboBox **slot;
        bool right;
    } sides[] = {{"cB_mcSourceL", QT_TR_NOOP("LEFT"), &m_sourceL, false},
                 {"cB_mcSourceR", QT_TR_NOOP("RIGHT"), &m_sourceR, true}};
    int y = plate.y() + 14;
    for (const auto &s : sides) {
        auto *caption = new QLabel(tr(s.caption), this);
        caption->setStyleSheet(QLatin1String(kSideCaption));
        caption->setGeometry(x, y, width, 18);
        auto *combo = named(new QComboBox(this), s.combo);
        for (const mixer::MonitorSource &src : mixer::monitorSources())
            combo->addItem(sourceName(s.right ? src.rightText : src.leftText));
        combo->setMaxVisibleItems(18);
        routingstyle::styleSelector(combo);
        combo->setGeometry(x, y + 20, width, 30);
        caption->setBuddy(combo);
        *s.slot = combo;
        y += 66;
    }
    connect(m_sourceL, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &MonitorControl::on_cB_mcSourceL_currentIndexChanged);
    connect(m_sourceR, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &MonitorControl::on_cB_mcSourceR_currentIndexChanged);

    m_link = named(new QPushButton(tr("LINK"), this), "pB_mcLink");
    m_link->setCheckable(true);
    m_link->setStyleSheet(QLatin1String(routingstyle::kKey));
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setGeometry(x, y + 8, 96, 32);
    connect(m_link, &QPushButton::clicked, this, &MonitorControl::on_pB_mcLink_clicked);
    controlaccess::attach(m_link, m_controls,
                          [this] { return mixer::monitorControl(ControlKind::MonitorLink, m_model.target()); });
    auto *hint = new QLabel(tr("Linked, the right side follows the left and one fader sets both."), this);
    hint->setStyleSheet(QLatin1String(routingstyle::kPlateHint));
    hint->setWordWrap(true);
    hint->setGeometry(x, y + 48, width, plate.bottom() - (y + 48) - 8);
}

void MonitorControl::buildLevels()
{
    const QRect level = plateRect(artlayout::kMcLevel);
    m_levels = named(new QStackedWidget(this), "sW_mcMonoStereo");
    m_levels->setGeometry(level);
    auto *mono = named(new QWidget, "mono");
    auto *stereo = named(new QWidget, "stereo");
    m_levels->addWidget(mono);
    m_levels->addWidget(stereo);
    const int top = 12;
    const int height = level.height() - 2 * top;
    const int quarter = level.width() / 4;
    addFader(Mono1, mono, "Mono1", quarter, top, height);
    addFader(Mono2, mono, "Mono2", 3 * quarter, top, height);
    addFader(Stereo, stereo, "Stereo", 2 * quarter, top, height);
    m_mono1Label = named(new QLabel(tr("LINE OUT 1"), mono), "label_mcMono1");
    m_mono2Label = named(new QLabel(tr("LINE OUT 2"), mono), "label_mcMono2");
    m_stereoLabel = named(new QLabel(tr("LINE OUT 1-2"), stereo), "label_mcStereo");
    const struct {
        QLabel *label;
        int centre;
    } captions[] = {{m_mono1Label, quarter}, {m_mono2Label, 3 * quarter}, {m_stereoLabel, 2 * quarter}};
    for (const auto &c : captions) {
        c.label->setStyleSheet(QLatin1String(kFaderCaption));
        c.label->setAlignment(Qt::AlignCenter);
        c.label->setGeometry(c.centre - 48, top, 96, 18);
    }

    const QRect master = plateRect(artlayout::kMcMaster);
    auto *host = new QWidget(this);
    host->setGeometry(master);
    auto *caption = named(new QLabel(tr("MONITOR\nMASTER"), host), "label_mcMaster");
    caption->setStyleSheet(QLatin1String(kFaderCaption));
    caption->setAlignment(Qt::AlignCenter);
    caption->setGeometry(0, top - 4, master.width(), 34);
    addFader(Master, host, "Master", master.width() / 2, top + 14, height - 14);
}

// One slider with its box under a caption row: slider from top + 26, box at the bottom.
FaderPair *MonitorControl::addFader(Fader which, QWidget *host, const char *name, int centreX, int top,
                                    int height)
{
    auto *slider = new QSlider(host);
    slider->setObjectName(QStringLiteral("vS_mc%1").arg(QLatin1String(name)));
    auto *box = new QDoubleSpinBox(host);
    box->setObjectName(QStringLiteral("dSB_mc%1View").arg(QLatin1String(name)));
    auto *pair = new FaderPair(slider, box, kMonitorFaderScale, m_flags, this);
    slider->setStyleSheet(
        QString::fromLatin1(kSliderStyle).arg(which == Master ? QLatin1String("nob_red") : QLatin1String("nob_white")));
    slider->setGeometry(centreX - kSliderWidth / 2, top + 26, kSliderWidth, height - 26 - kBoxHeight - 10);
    slider->setCursor(Qt::PointingHandCursor);
    box->setSuffix(QStringLiteral(" dB"));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setStyleSheet(QLatin1String(kBoxStyle));
    box->setGeometry(centreX - kBoxWidth / 2, top + height - kBoxHeight, kBoxWidth, kBoxHeight);
    m_faders[size_t(which)] = pair;
    for (QWidget *w : {static_cast<QWidget *>(slider), static_cast<QWidget *>(box)})
        controlaccess::attach(w, m_controls, [this, which] { return levelControl(which); });
    connect(pair, &FaderPair::levelChanged, this, [this, which](double db) { levelSet(which, db); });
    connect(slider, &QSlider::sliderPressed, this, [this] { m_controls.gestureBegan(); });
    connect(slider, &QSlider::sliderReleased, this, [this] { m_controls.gestureEnded(); });
    return pair;
}

MonitorControl::~MonitorControl()
{
    // The dialog hides as it goes, and a level box that had the focus then finishes its editing: the
    // pairs go first, so nothing reaches this half-destroyed dialog.
    for (FaderPair *&fader : m_faders) {
        delete fader;
        fader = nullptr;
    }
}

mixer::Control MonitorControl::levelControl(Fader which) const
{
    const int t = m_model.target();
    const mixer::Control controls[] = {mixer::monitorControl(ControlKind::MonitorMaster),
                                       mixer::monitorControl(ControlKind::MonitorLevel, t, Side::Left),
                                       mixer::monitorControl(ControlKind::MonitorLevel, t, Side::Right),
                                       mixer::monitorControl(ControlKind::MonitorLevel, t, Side::None)};
    return controls[which];
}

void MonitorControl::levelSet(Fader which, double db)
{
    m_controls.change(levelControl(which), db, mixer::Merge::Burst);
}

void MonitorControl::setQuietly(QComboBox *combo, int index)
{
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(index);
}

void MonitorControl::on_cB_mcSourceL_currentIndexChanged(int index)
{
    m_controls.change(mixer::monitorControl(ControlKind::MonitorSource, m_model.target(), Side::Left), index,
                      mixer::Merge::Burst);
}

void MonitorControl::on_cB_mcSourceR_currentIndexChanged(int index)
{
    m_controls.change(mixer::monitorControl(ControlKind::MonitorSource, m_model.target(), Side::Right), index,
                      mixer::Merge::Burst);
}

void MonitorControl::on_pB_mcLink_clicked(bool checked)
{
    m_controls.change(mixer::monitorControl(ControlKind::MonitorLink, m_model.target()), checked);
    showLinked(m_model.link(m_model.target()));
}

void MonitorControl::showLinked(bool on)
{
    m_link->setChecked(on);
    m_levels->setCurrentIndex(on ? 1 : 0);
    m_sourceR->setEnabled(!on);
    // Linked, the one fader shows the left side, which both sides play at.
    const int t = m_model.target();
    m_faders[Stereo]->showLevel(m_model.leftLevel(t));
    m_faders[Mono1]->showLevel(m_model.leftLevel(t));
    m_faders[Mono2]->showLevel(m_model.rightLevel(t));
}

void MonitorControl::selectTarget(int target)
{
    m_controls.change(mixer::monitorControl(ControlKind::MonitorTarget), MonitorModel::validTarget(target));
    showTarget(m_model.target());
}

void MonitorControl::showTarget(int t)
{
    m_targets->button(t)->setChecked(true);
    const int left = 2 * t + 1;
    m_mono1Label->setText(tr("LINEOUT %1").arg(left));
    m_mono2Label->setText(tr("LINEOUT %1").arg(left + 1));
    m_stereoLabel->setText(tr("LINEOUT %1-%2").arg(left).arg(left + 1));
    setQuietly(m_sourceL, m_model.leftSource(t));
    setQuietly(m_sourceR, m_model.rightSource(t));
    showLinked(m_model.link(t));
}

void MonitorControl::showLevel(int target, Side side, double db)
{
    if (target != m_model.target())
        return;
    if (side == Side::Right) {
        m_faders[Mono2]->showLevel(db);
        return;
    }
    m_faders[Mono1]->showLevel(db);
    m_faders[Stereo]->showLevel(db);
}

void MonitorControl::prepare()
{
    m_model.setMonitoring(true);
    m_model.selectTarget(m_model.storedTarget());
    m_model.setMasterLevel(m_model.masterLevel());
}

void MonitorControl::release()
{
    m_model.releaseOutputs();
    m_model.setMonitoring(false);
    for (FaderPair *fader : m_faders)
        fader->showLevel(0.0);
}

void MonitorControl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPixmap &art = artwork::pixmap(m_art);
    if (art.isNull())
        p.fillRect(rect(), QColor(46, 48, 52));
    else
        p.drawPixmap(0, 0, art);
    // A dB scale beside each fader in view, at the handle centres of its marks.
    static const struct {
        double db;
        const char *text;
    } marks[] = {{0, "0"}, {-10, "10"}, {-20, "20"}, {-30, "30"}, {-40, "40"}, {-60, "60"}, {-99.9, "∞"}};
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(9);
    p.setFont(font);
    p.setPen(QColor(150, 154, 160));
    for (const FaderPair *fader : m_faders) {
        const QSlider *s = fader->slider();
        if (!s->isVisibleTo(this))
            continue;
        const QRect r(s->mapTo(this, QPoint(0, 0)), s->size());
        const int travel = r.height() - kHandleHeight;
        for (const auto &m : marks) {
            const int position = mixer::monitor::positionFor(m.db);
            const int y = r.top() + kHandleHeight / 2 + travel * (s->maximum() - position) / s->maximum();
            p.drawLine(r.left() - 6, y, r.left() + 2, y);
            p.drawText(QRect(r.left() - 34, y - 6, 26, 12), Qt::AlignRight | Qt::AlignVCenter,
                       QString::fromUtf8(m.text));
        }
    }
}
