#include "artlayout.h"
#include "drawings.h"
#include "finish.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace artgen {

namespace {

const QColor kAnodised(46, 48, 52);
const QColor kPlateFace(214, 215, 211);
const QColor kLegend(198, 201, 206);

QRectF toRect(const artlayout::Rect &r)
{
    return QRectF(r.x, r.y, r.w, r.h);
}

// A screw head in a panel corner; the slot angle varies so the panel does not look stamped.
void screw(QPainter &p, QPointF at, qreal slotDegrees)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient head(at - QPointF(1.5, 1.5), 6);
    head.setColorAt(0.0, QColor(150, 152, 156));
    head.setColorAt(1.0, QColor(58, 60, 64));
    p.setPen(QPen(QColor(20, 20, 22), 1.0));
    p.setBrush(head);
    p.drawEllipse(at, 5, 5);
    p.translate(at);
    p.rotate(slotDegrees);
    p.setPen(QPen(QColor(25, 25, 28), 1.4));
    p.drawLine(QPointF(-3.5, 0), QPointF(3.5, 0));
    p.restore();
}

// The dark front panel every page shares: title band with `subtitle`, corner screws.
void drawFrontPanel(QPainter &p, QSize size, const QString &subtitle)
{
    const QRectF all(QPointF(0, 0), size);
    brushedMetal(p, all, kAnodised, 0x51a7);

    // Title band: a slightly darker strip with a machined edge below it.
    QRectF band = toRect(artlayout::kTitleBand);
    band.setWidth(size.width());
    p.fillRect(band, QColor(0, 0, 0, 60));
    p.setPen(QColor(0, 0, 0, 160));
    p.drawLine(band.bottomLeft(), band.bottomRight());
    p.setPen(QColor(255, 255, 255, 30));
    p.drawLine(band.bottomLeft() + QPointF(0, 1), band.bottomRight() + QPointF(0, 1));
    engrave(p, band.adjusted(24, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("LYNTRA"),
            legendFont(22, QFont::Bold, 4), QColor(222, 224, 228));
    engrave(p, band.adjusted(152, 2, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, subtitle,
            legendFont(13, QFont::Normal, 2.5), QColor(150, 154, 160));

    const qreal m = 11;
    screw(p, QPointF(m, m + 60), 20);
    screw(p, QPointF(size.width() - m, m + 60), 75);
    screw(p, QPointF(m, size.height() - m), 140);
    screw(p, QPointF(size.width() - m, size.height() - m), 35);
}

// One section: its engraved caption with a rule to the plate's right edge, and the recessed plate.
void drawSection(QPainter &p, const artlayout::Section &s, const QColor &face, quint32 seed)
{
    const QRectF plate = toRect(s.plate);
    const QRectF caption(plate.left() + 2, plate.top() - artlayout::kCaptionLift - 18, plate.width(), 18);
    const QFont font = legendFont(13, QFont::Bold, 2.2);
    engrave(p, caption, Qt::AlignLeft | Qt::AlignBottom, QString::fromLatin1(s.caption), font, kLegend);
    // A hairline rule runs from the caption to the plate's right edge, as printed on hardware.
    const QFontMetricsF fm(font);
    const qreal ruleX = caption.left() + fm.horizontalAdvance(QString::fromLatin1(s.caption)) + 12;
    const qreal ruleY = caption.bottom() - fm.ascent() / 2.0;
    p.setPen(QColor(0, 0, 0, 140));
    p.drawLine(QPointF(ruleX, ruleY), QPointF(plate.right(), ruleY));
    p.setPen(QColor(255, 255, 255, 28));
    p.drawLine(QPointF(ruleX, ruleY + 1), QPointF(plate.right(), ruleY + 1));
    recessedPlate(p, plate, face, 5, seed);
}

// A hairline cut across a plate: shadow, then a light lip `lip` beside it.
void plateRule(QPainter &p, QPointF from, QPointF to, QPointF lip)
{
    p.setPen(QColor(0, 0, 0, 40));
    p.drawLine(from, to);
    p.setPen(QColor(255, 255, 255, 90));
    p.drawLine(from + lip, to + lip);
}

} // namespace

void drawInterfacePanel(QPainter &p, QSize size)
{
    drawFrontPanel(p, size, QStringLiteral("INTERFACE SETTINGS"));
    quint32 seed = 0x9e37;
    for (const artlayout::Section &s : artlayout::kSections)
        drawSection(p, s, kPlateFace, seed++);
}

void drawRoutingPanel(QPainter &p, QSize size, bool smallModel)
{
    drawFrontPanel(p, size, QStringLiteral("OUTPUT ROUTING"));
    const artlayout::Section &outputs = smallModel ? artlayout::kLineOutputsK1 : artlayout::kLineOutputsK2;
    drawSection(p, outputs, kPlateFace, smallModel ? 0x4b31 : 0x4b32);
    if (!smallModel)
        drawSection(p, artlayout::kMonitor, kPlateFace, 0x4b33);
    // Rules between the rows and down the middle, so each output reads as one line of the panel.
    const artlayout::Rect &r = outputs.plate;
    const int rows = (r.h - 2 * artlayout::kRoutingRowInset) / artlayout::kRoutingRowPitch;
    for (int i = 1; i < rows; ++i) {
        const qreal y = r.y + artlayout::kRoutingRowInset + i * artlayout::kRoutingRowPitch + 0.5;
        plateRule(p, QPointF(r.x + 16, y), QPointF(r.x + r.w - 16, y), QPointF(0, 1));
    }
    const qreal x = r.x + r.w / 2.0 + 0.5;
    plateRule(p, QPointF(x, r.y + 10), QPointF(x, r.y + r.h - 10), QPointF(1, 0));
}

void drawMonitorPanel(QPainter &p, QSize size)
{
    drawFrontPanel(p, size, QStringLiteral("MONITOR CONTROL"));
    drawSection(p, artlayout::kMcOutput, kPlateFace, 0x6c01);
    drawSection(p, artlayout::kMcSource, kPlateFace, 0x6c02);
    // The fader sections are dark, like the strips of the mixer, so the handles stand out.
    drawSection(p, artlayout::kMcLevel, QColor(30, 31, 34), 0x6c03);
    drawSection(p, artlayout::kMcMaster, QColor(30, 31, 34), 0x6c04);
}

void drawDialogBackdrop(QPainter &p, QSize size, bool withInfoIcon)
{
    const QRectF all(QPointF(0, 0), size);
    brushedMetal(p, all, QColor(226, 227, 224), withInfoIcon ? 0x11f0 : 0x0d0a);
    // A thin dark rule along the bottom, like the lip of a front panel.
    p.fillRect(QRectF(0, size.height() - 4, size.width(), 4), QColor(46, 48, 52));
    if (!withInfoIcon)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(48, size.height() / 2.0 - 2);
    QRadialGradient disc(c - QPointF(6, 6), 30);
    disc.setColorAt(0.0, QColor(88, 140, 196));
    disc.setColorAt(1.0, QColor(36, 78, 128));
    p.setPen(QPen(QColor(20, 40, 70), 1.0));
    p.setBrush(disc);
    p.drawEllipse(c, 24, 24);
    QFont f = legendFont(30, QFont::Bold);
    f.setFamily(QStringLiteral("Serif"));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(c.x() - 24, c.y() - 24, 48, 48), Qt::AlignCenter, QStringLiteral("i"));
    p.restore();
}

void drawTrackStrip(QPainter &p, QSize size, bool selected)
{
    const QRectF all(QPointF(0, 0), size);
    brushedMetal(p, all, QColor(42, 44, 48), selected ? 0x7a11 : 0x7a10);
    // Fader lane: a dark slot where the cap travels (x 10..30, y 350..481 of the strip). The scale sits
    // left of it: the meters take the right-hand side.
    p.fillRect(QRectF(18, 350, 4, 131), QColor(10, 10, 12));
    p.setPen(QColor(120, 124, 130));
    for (int i = 0; i <= 10; ++i) {
        const qreal y = 356 + i * 11.9;
        p.drawLine(QPointF(i % 5 == 0 ? 3 : 6, y), QPointF(9, y));
    }
    // Pan lane under the markers at y 336.
    p.fillRect(QRectF(2, 348, size.width() - 4, 1), QColor(0, 0, 0, 120));
    p.setPen(QPen(selected ? QColor(255, 170, 0) : QColor(0, 0, 0, 170), selected ? 2.0 : 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
    // Name field at the bottom.
    const QRectF name(3, size.height() - 24, size.width() - 6, 20);
    p.fillRect(name, selected ? QColor(92, 70, 30) : QColor(24, 25, 28));
}

void drawNothing(QPainter &p, QSize size)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRect(QPoint(0, 0), size), Qt::transparent);
    p.restore();
}

} // namespace artgen
