// The look of strip controls: lamp buttons, value displays, captions, faders and the strip background
// images.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

class QFont;
class QWidget;
class QPainter;
class QRect;

namespace stripstyle {

enum class Lamp { Mute, Solo, Phase, Bypass, Eq, Comp, Select, Point, Link, Reverb };

/// How a strip control looks.
enum class Look { Value, Caption, PageCaption, Name, Fader, MasterFader, FaderBox };

/// Makes \p b a strip button whose checked state lights in the colour of \p lamp; \p lit lights it
/// always (buttons that show a state by being there, such as the unlink button of a linked pair).
void setLamp(QWidget *b, Lamp lamp, bool lit = false);
void setLook(QWidget *w, Look look);
/// The legend face in the largest size, up to the usual one, at which every one of \p texts fits a
/// button \p width pixels wide (inside its border), whatever face the system gives for the style's.
QFont fittedButtonFont(const QStringList &texts, int width);

/// Paints the unselected or selected strip image stretched over \p rect; the fader slot of the image
/// lies at x 18..22 of its 60-pixel width. GUI thread.
void paintStripBackground(QPainter &p, const QRect &rect, bool selected);
/// The plate that closes the bay of strips a unit or sample rate does not have.
void paintBlankPlate(QPainter &p, const QRect &rect);

} // namespace stripstyle
