#include "routingpage.h"

#include "controlaccess.h"

#include "artlayout.h"
#include "artwork.h"
#include "lineouts.h"
#include "mixcontrols.h"
#include "routingstyle.h"
#include "stripcaption.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

using mixer::UnitModel;

namespace {

const char *const kKeyStyle = "QLabel{color: #c6c9ce; font-size: 12px; font-family: Arial}";

QString suffix(UnitModel unit)
{
    return unit == UnitModel::K1 ? QStringLiteral("K1") : QStringLiteral("K2");
}

const artlayout::Section &outputsSection(UnitModel unit)
{
    return unit == UnitModel::K1 ? artlayout::kLineOutputsK1 : artlayout::kLineOutputsK2;
}

} // namespace

RoutingPage::RoutingPage(mixer::LineOutModel &model, mixer::MixControls &controls, UnitModel unit,
                         QWidget *parent)
    : QWidget(parent), m_model(model), m_controls(controls), m_unit(unit),
      m_art(QStringLiteral(":/Resource/routing/panel_routing_%1.png").arg(suffix(unit)))
{
    setObjectName(QStringLiteral("Routing_") + suffix(unit));
    setFixedSize(artlayout::kPageWidth, artlayout::kPageHeight);
    for (int n = 1; n <= mixer::lineOutputs(unit); ++n)
        addOutput(n);
    if (unit == UnitModel::K2) {
        addMonitor();
    } else {
        const artlayout::Rect &plate = artlayout::kLineOutputsK1.plate;
        auto *hint = new QLabel(tr("Each line output plays the source chosen beside it. The choices are kept "
                                   "and sent to the unit again whenever it is connected."),
                                this);
        hint->setStyleSheet(QLatin1String(kKeyStyle));
        hint->setWordWrap(true);
        hint->setGeometry(plate.x + 2, plate.y + plate.h + 16, plate.w, 40);
    }
    addKey();
    connect(&m_model, &mixer::LineOutModel::choiceApplied, this, &RoutingPage::showChoice);
}

void RoutingPage::addOutput(int output)
{
    // Odd outputs on the left, even on the right: a stereo pair shares a row.
    const artlayout::Rect &plate = outputsSection(m_unit).plate;
    const int column = (output - 1) % 2;
    const int row = (output - 1) / 2;
    const int x = plate.x + column * plate.w / 2 + 22;
    const int y = plate.y + artlayout::kRoutingRowInset + row * artlayout::kRoutingRowPitch;
    const int mid = y + artlayout::kRoutingRowPitch / 2;
    // The large model's names carry the model after the number, the small model's after "Arrow" too.
    const QString k1 = m_unit == UnitModel::K1 ? QStringLiteral("_K1") : QString();

    auto *selector = new QComboBox(this);
    selector->setObjectName(QStringLiteral("cB_LineOut%1_%2").arg(output).arg(suffix(m_unit)));
    for (const mixer::LineOutChoice &c : mixer::lineOutChoices(m_unit))
        selector->addItem(sourceName(c.text));
    selector->setMaxVisibleItems(12);
    routingstyle::styleSelector(selector);
    selector->setGeometry(x, mid - 15, 170, 30);
    selector->setCurrentIndex(m_model.choice(m_unit, output));
    selector->setCursor(Qt::PointingHandCursor);
    controlaccess::attach(selector, m_controls, mixer::lineOutControl(m_unit, output));

    auto *arrow = new QLabel(this);
    arrow->setObjectName(QStringLiteral("label_LineOut%1_Arrow").arg(output) + k1);
    arrow->setGeometry(x + 180, mid - 9, 64, 18);
    arrow->setPixmap(artwork::pixmap(mixer::lineOutChoices(m_unit)[selector->currentIndex()].arrow));

    auto *caption = new QLabel(tr("LINE OUT %1").arg(output), this);
    caption->setObjectName(QStringLiteral("label_LineOut%1").arg(output) + k1);
    caption->setStyleSheet(QLatin1String(routingstyle::kPlateCaption));
    caption->setGeometry(x + 254, mid - 14, 116, 28);
    // A screen reader on Linux names a selector by its label and reads the choice as its text.
    caption->setBuddy(selector);

    m_selectors.append(selector);
    m_arrows.append(arrow);
    connect(selector, qOverload<int>(&QComboBox::currentIndexChanged), this, [this, output](int index) {
        m_controls.change(mixer::lineOutControl(m_unit, output), index, mixer::Merge::Burst);
    });
}

void RoutingPage::addMonitor()
{
    const artlayout::Rect &plate = artlayout::kMonitor.plate;
    m_monitor = new QPushButton(tr("MONITOR CONTROL"), this);
    m_monitor->setObjectName(QStringLiteral("pB_MoniconEnable"));
    m_monitor->setCheckable(true);
    m_monitor->setStyleSheet(QLatin1String(routingstyle::kKey));
    m_monitor->setCursor(Qt::PointingHandCursor);
    m_monitor->setGeometry(plate.x + 22, plate.y + (plate.h - 34) / 2, 190, 34);
    controlaccess::attachSwitch(m_monitor, tr("Monitor control"));
    auto *hint = new QLabel(tr("Listen to any source on one pair of line outputs. The other pairs are muted "
                               "while monitoring; closing the monitor gives every output back its "
                               "source above."),
                            this);
    hint->setObjectName(QStringLiteral("label_MoniconHint"));
    hint->setStyleSheet(QLatin1String(routingstyle::kPlateHint));
    hint->setWordWrap(true);
    hint->setGeometry(plate.x + 236, plate.y + 8, plate.w - 256, plate.h - 16);
}

void RoutingPage::addKey()
{
    // One arrow of each kind with what it stands for.
    const struct {
        const char *arrow;
        const char *text;
    } kinds[] = {{":Resource/arrow_AD/arrow_AD-1.png", QT_TR_NOOP("Analogue and optical inputs")},
                 {":Resource/arrow_ST/arrow_ST-L.png", QT_TR_NOOP("Master mix")},
                 {":Resource/arrow_AUX/arrow_AUX-1.png", QT_TR_NOOP("Aux buses")},
                 {":Resource/arrow_comp/arrow_comp-1.png", QT_TR_NOOP("Computer playback")}};
    const artlayout::Rect &key = artlayout::kRoutingKey;
    int x = key.x;
    for (const auto &k : kinds) {
        auto *arrow = new QLabel(this);
        arrow->setPixmap(artwork::pixmap(QLatin1String(k.arrow)));
        arrow->setGeometry(x, key.y + (key.h - 18) / 2, 64, 18);
        auto *text = new QLabel(tr(k.text), this);
        text->setStyleSheet(QLatin1String(kKeyStyle));
        const int width = text->sizeHint().width();
        text->setGeometry(x + 72, key.y, width, key.h);
        x += 72 + width + 28;
    }
}

void RoutingPage::showChoice(UnitModel unit, int output, int index)
{
    const QVector<mixer::LineOutChoice> &choices = mixer::lineOutChoices(m_unit);
    if (unit != m_unit || output < 1 || output > m_selectors.size() || index < 0 || index >= choices.size())
        return;
    QComboBox *selector = m_selectors[output - 1];
    if (selector->currentIndex() != index) {
        const QSignalBlocker quiet(selector);
        selector->setCurrentIndex(index);
    }
    m_arrows[output - 1]->setPixmap(artwork::pixmap(choices[index].arrow));
}

void RoutingPage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPixmap &art = artwork::pixmap(m_art);
    if (art.isNull())
        p.fillRect(rect(), QColor(46, 48, 52));
    else
        p.drawPixmap(0, 0, art);
}
