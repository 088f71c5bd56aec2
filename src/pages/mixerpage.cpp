#include "mixerpage.h"

#include "masterstrip.h"
#include "mixcontrols.h"
#include "mixermodel.h"
#include "monostrip.h"
#include "pairstrip.h"
#include "stereostrip.h"
#include "stripgeometry.h"
#include "stripstyle.h"

#include <QLabel>
#include <QPainter>
#include <QStackedWidget>

namespace {

constexpr int kMargin = 4;

QLabel *pageCaption(const QString &text, const QRect &geo, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geo);
    stripstyle::setLook(l, stripstyle::Look::PageCaption);
    return l;
}

} // namespace

MixerPage::MixerPage(mixer::MixControls &controls, QWidget *parent)
    : QWidget(parent), m_model(controls.mixer()), m_send(KnobFrames::send()),
      m_ctx{controls.mixer(), controls, m_faderFlags, m_pan, m_send}
{
    setObjectName(QStringLiteral("mixerPage"));
    setFixedSize(kWidth, kHeight);
    setFocusPolicy(Qt::StrongFocus);

    pageCaption(tr("INPUTS"), QRect(kMargin + 4, 6, 200, 18), this);
    for (int k = 1; k <= mixer::kPairs; ++k)
        m_pairs.append(new PairStrip(m_ctx, k, this));

    m_masterStack = new QStackedWidget(this);
    m_masterStack->setObjectName(mixer::widgetName(mixer::WidgetKind::Stack, {mixer::StripKind::Master, 0}));
    m_masterStack->setFixedSize(stripgeo::kMasterWidth, stripgeo::kHeight);
    m_master = new MasterStrip(m_ctx, m_masterStack);
    m_masterStack->addWidget(m_master);
    for (const char *name : {"master_ch", "master_dummy"}) {
        auto *page = new QWidget(m_masterStack);
        page->setObjectName(QLatin1String(name));
        m_masterStack->addWidget(page);
    }
    const int masterX = kWidth - kMargin - stripgeo::kMasterWidth;
    m_masterStack->move(masterX, kStripsY);
    pageCaption(tr("OUTPUT"), QRect(masterX + 4, 6, 100, 18), this);

    connect(&m_model, &mixer::MixerModel::visibleChannelsChanged, this, &MixerPage::relayout);
    relayout();
}

MixerPage::~MixerPage() = default;

QVector<MeterLabels> MixerPage::meterSlots() const
{
    using mixer::WidgetKind;
    QVector<MeterLabels> meters;
    for (const PairStrip *p : m_pairs)
        meters << p->odd()->meter(WidgetKind::LevelMeter) << p->even()->meter(WidgetKind::LevelMeter)
              << p->stereo()->meter(WidgetKind::LevelMeterL) << p->stereo()->meter(WidgetKind::LevelMeterR);
    meters << m_master->meter(WidgetKind::LevelMeterL) << m_master->meter(WidgetKind::LevelMeterR);
    return meters;
}

QRect MixerPage::editorBand()
{
    const int top = kStripsY + stripgeo::kHeight + 4;
    return QRect(kMargin, top, kWidth - 2 * kMargin, kHeight - top - kMargin);
}

void MixerPage::relayout()
{
    // Visible pairs close up from the left so a smaller unit shows no holes.
    int x = kMargin;
    for (PairStrip *p : qAsConst(m_pairs)) {
        const bool visible = m_model.pairVisible(p->pair());
        p->setVisible(visible);
        if (visible) {
            p->move(x, kStripsY);
            x += stripgeo::kPairWidth;
        }
    }
    m_stripsEnd = x;
    update();
}

void MixerPage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(22, 23, 26));
    const QRect editor = editorBand();
    p.fillRect(editor, QColor(30, 31, 35));
    p.setPen(QColor(10, 10, 12));
    p.drawRect(editor.adjusted(0, 0, -1, -1));
    const QRect bay(m_stripsEnd + kMargin, kStripsY, m_masterStack->x() - m_stripsEnd - 2 * kMargin,
                    stripgeo::kHeight);
    if (bay.width() > 0)
        stripstyle::paintBlankPlate(p, bay);
}
