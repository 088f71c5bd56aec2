#include "catalogue.h"

#include "artlayout.h"
#include "drawings.h"
#include "editorlayout.h"
#include "metermath.h"

namespace artgen {

namespace {

using Draw = std::function<void(QPainter &, QSize)>;

// Knob frames are named after the clock position of their pointer: 700, 730, 800 ... 1700.
QString clockName(int frame)
{
    const int halfHours = 14 + frame; // 7:00 is fourteen half-hours after midnight
    return QString::number(halfHours / 2 * 100 + (halfHours % 2) * 30);
}

constexpr int kKnobFrames = 21;

void addKnobStrip(QVector<Artwork> &out, const QString &dirAndPrefix, QSize size, QColor cap, QColor pointer)
{
    for (int frame = 0; frame < kKnobFrames; ++frame) {
        const qreal degrees = (frame - 10) * 15.0; // frame 10 points straight up
        out.push_back(
            {dirAndPrefix + clockName(frame) + QStringLiteral(".png"), size, {}, [=](QPainter &p, QSize s) {
                 drawKnob(p, s, degrees, cap, pointer);
             }});
    }
}

struct ArrowFamily {
    const char *dir;    // "arrow_AD"
    const char *suffix; // file name after "<dir>-"; %1 numbered
    const char *tag;    // text on the arrow; %1 numbered
    int count;          // 0 for the two master sides
    QColor colour;
};

void addArrows(QVector<Artwork> &out)
{
    const QSize size(64, 18);
    const ArrowFamily families[] = {
        // Numbered by selector position, which names different inputs on the two models: the tag
        // names the kind only.
        {"arrow_AD", "%1", "INPUT", 20, QColor(58, 128, 86)},
        {"arrow_AUX", "%1", "AUX %1", 4, QColor(54, 98, 160)},
        {"arrow_comp", "%1", "PC %1", 10, QColor(112, 82, 150)},
    };
    for (const ArrowFamily &f : families) {
        for (int n = 1; n <= f.count; ++n) {
            const QString tag = QString::fromLatin1(f.tag).replace(QLatin1String("%1"), QString::number(n));
            const QColor colour = f.colour;
            out.push_back({QStringLiteral("%1/%1-%2.png").arg(QLatin1String(f.dir), QString::number(n)),
                           size,
                           {},
                           [=](QPainter &p, QSize s) { drawRouteArrow(p, s, tag, colour); }});
        }
    }
    for (const char *side : {"L", "R"}) {
        const QString tag = QStringLiteral("MIX ") + QLatin1String(side);
        out.push_back({QStringLiteral("arrow_ST/arrow_ST-%1.png").arg(QLatin1String(side)),
                       size,
                       {},
                       [=](QPainter &p, QSize s) { drawRouteArrow(p, s, tag, QColor(176, 120, 30)); }});
    }
}

} // namespace

QVector<Artwork> catalogue()
{
    QVector<Artwork> out;
    out.push_back({QStringLiteral("interface/panel_interface.png"),
                   QSize(artlayout::kPageWidth, artlayout::kPageHeight),
                   {},
                   drawInterfacePanel});
    for (const char *model : {"K1", "K2"}) {
        const bool small = QLatin1String(model) == QLatin1String("K1");
        out.push_back({QStringLiteral("routing/panel_routing_%1.png").arg(QLatin1String(model)),
                       QSize(artlayout::kPageWidth, artlayout::kPageHeight),
                       {},
                       [=](QPainter &p, QSize s) { drawRoutingPanel(p, s, small); }});
    }
    out.push_back({QStringLiteral("Download_250x100.png"),
                   QSize(250, 100),
                   {QStringLiteral("update/Download_250x100.png")},
                   [](QPainter &p, QSize s) { drawDialogBackdrop(p, s, false); }});
    out.push_back(
        {QStringLiteral("update/info_570x160_icon.png"), QSize(570, 160), {}, [](QPainter &p, QSize s) {
             drawDialogBackdrop(p, s, true);
         }});
    out.push_back({QStringLiteral("trans.png"), QSize(1, 1), {}, drawNothing});
    // The desktop's icon theme takes these files as they are; the window uses them too.
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        out.push_back({QStringLiteral("icons/hicolor/%1x%1/apps/lyntra-panel.png").arg(side),
                       QSize(side, side),
                       {},
                       drawAppIcon});

    addKnobStrip(out, QStringLiteral("track/knob_s/knob-s_"), QSize(18, 18), QColor(70, 72, 78),
                 QColor(245, 245, 245));
    addKnobStrip(out, QStringLiteral("track/knob_send/knob_L_"), QSize(26, 26), QColor(64, 66, 72),
                 QColor(255, 170, 0));

    out.push_back({QStringLiteral("track/PAN.png"), QSize(16, 12), {}, [](QPainter &p, QSize s) {
                       drawPanMarker(p, s, true);
                   }});
    out.push_back({QStringLiteral("track/PAN_c.png"), QSize(16, 12), {}, [](QPainter &p, QSize s) {
                       drawPanMarker(p, s, false);
                   }});
    out.push_back({QStringLiteral("track/Feder.png"), QSize(44, 22), {}, [](QPainter &p, QSize s) {
                       drawFaderCap(p, s, QColor(250, 250, 250));
                   }});
    out.push_back({QStringLiteral("track/Feder_master.png"), QSize(44, 22), {}, [](QPainter &p, QSize s) {
                       drawFaderCap(p, s, QColor(220, 40, 30));
                   }});
    for (int selected = 0; selected <= 1; ++selected)
        out.push_back({QStringLiteral("track/track_%1.png").arg(selected),
                       QSize(60, 540),
                       {},
                       [=](QPainter &p, QSize s) { drawTrackStrip(p, s, selected == 1); }});

    out.push_back({QStringLiteral("track/editor_panel.png"),
                   QSize(editorlayout::kWidth, editorlayout::kHeight),
                   {},
                   drawEditorPanel});

    const struct {
        const char *name;
        QColor glow;
        qreal lit;
    } lamps[] = {{"passive", QColor(110, 110, 110), 0.2},
                 {"available", QColor(255, 170, 0), 0.45},
                 {"active", QColor(255, 96, 20), 1.0}};
    for (const auto &l : lamps) {
        const QColor glow = l.glow;
        const qreal lit = l.lit;
        out.push_back({QStringLiteral("track/GR_%1.png").arg(QLatin1String(l.name)),
                       QSize(5, 63),
                       {},
                       [=](QPainter &p, QSize s) { drawGrLamp(p, s, glow, lit); }});
    }

    // Level meters: the bar is exactly as tall as its travel, the well adds the lamp and a margin.
    const int barWidth = 6;
    const int barHeight = meter::kBarBottom - meter::kBarTop + 1;
    const int m = meter::kWellMargin;
    out.push_back({QStringLiteral("track/meter_level.png"), QSize(barWidth, barHeight), {}, drawMeterBar});
    out.push_back({QStringLiteral("track/meter_well.png"),
                   QSize(barWidth + 2 * m, meter::kBarBottom - meter::kPeakTop + 1 + 2 * m),
                   {},
                   drawMeterWell});
    out.push_back({QStringLiteral("track/meter_peak.png"),
                   QSize(barWidth, meter::kPeakHeight),
                   {},
                   [](QPainter &p, QSize s) { drawPeakLamp(p, s, QPointF(0, 0), true); }});

    for (const char *type : {"hall", "room", "live", "studio", "plate"}) {
        const QString text = QString::fromLatin1(type).toUpper();
        out.push_back({QStringLiteral("Reverb/Rvb_%1.png").arg(QLatin1String(type)),
                       QSize(100, 84),
                       {},
                       [=](QPainter &p, QSize s) { drawReverbPicture(p, s, text); }});
    }

    addArrows(out);

    out.push_back({QStringLiteral("monicon/panel_monicon.png"),
                   QSize(artlayout::kMonitorWidth, artlayout::kMonitorHeight),
                   {},
                   drawMonitorPanel});
    out.push_back({QStringLiteral("monicon/nob_white.png"), QSize(30, 14), {}, [](QPainter &p, QSize s) {
                       drawSliderHandle(p, s, QColor(236, 236, 236));
                   }});
    out.push_back({QStringLiteral("monicon/nob_red.png"), QSize(30, 14), {}, [](QPainter &p, QSize s) {
                       drawSliderHandle(p, s, QColor(210, 44, 36));
                   }});
    return out;
}

} // namespace artgen
