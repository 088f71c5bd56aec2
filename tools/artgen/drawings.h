// One drawing function per kind of artwork. Each paints the whole image of the given size; the
// parameters are what differs between the members of a family.
#pragma once

#include <QColor>
#include <QPainter>
#include <QSize>
#include <QString>

namespace artgen {

// ---- Panels and backgrounds (panels.cpp)
// The interface page: dark anodised front panel with the sections of artlayout.h.
void drawInterfacePanel(QPainter &p, QSize size);
// A routing page: the same panel with the line-output plate of the model (and the monitor's on K2).
void drawRoutingPanel(QPainter &p, QSize size, bool smallModel);
// The monitor dialog: output, source, level and master sections.
void drawMonitorPanel(QPainter &p, QSize size);
// A light, quiet dialog backdrop for black text; `withInfoIcon` adds the round "i" on the left.
void drawDialogBackdrop(QPainter &p, QSize size, bool withInfoIcon);
// A mixer strip background; `selected` lights the edge and the name field.
void drawTrackStrip(QPainter &p, QSize size, bool selected);
// Fully transparent.
void drawNothing(QPainter &p, QSize size);
// The channel editor's panel with the sections of editorlayout.h (editorpanel.cpp).
void drawEditorPanel(QPainter &p, QSize size);

// The application icon: a small mixer face, legible from 16 px up (appicon.cpp).
void drawAppIcon(QPainter &p, QSize size);

// ---- Controls (controls.cpp)
// A rotary knob with its pointer at `degrees` clockwise from straight up; `pointer` is its colour.
void drawKnob(QPainter &p, QSize size, qreal degrees, const QColor &cap, const QColor &pointer);
// The pan position marker; the centred variant carries the lit centre colour.
void drawPanMarker(QPainter &p, QSize size, bool centred);
// A fader cap seen from above with a line across it in `line`.
void drawFaderCap(QPainter &p, QSize size, const QColor &line);
// A small slider handle of the monitor dialog, tinted `tint`.
void drawSliderHandle(QPainter &p, QSize size, const QColor &tint);

// ---- Indicators and badges (badges.cpp)
// A vertical gain-reduction lamp segment: `glow` is its colour, `lit` how bright (0..1).
void drawGrLamp(QPainter &p, QSize size, const QColor &glow, qreal lit);
// The picture of reverb type `type` ("HALL" .. "PLATE"): the space drawn on a small screen, its name
// engraved below (reverbart.cpp).
void drawReverbPicture(QPainter &p, QSize size, const QString &type);
// A routing arrow pointing right, with a tag `text` in the colour of its source kind.
void drawRouteArrow(QPainter &p, QSize size, const QString &text, const QColor &kind);

// ---- Level meters (meters.cpp)
// The lit bar of a level meter: green, yellow from -18 dB, red from -6 dB, in two-dB segments.
void drawMeterBar(QPainter &p, QSize size);
// The dark well behind a bar and its peak lamp, with the unlit segments showing through.
void drawMeterWell(QPainter &p, QSize size);
// A peak lamp of `size` at `at`, lit or dark.
void drawPeakLamp(QPainter &p, QSize size, QPointF at, bool lit);

} // namespace artgen
