// The one style that draws the strips' lamp buttons and value displays. Every such control shares it, and
// unlike a style sheet it caches no rules per control: several hundred buttons cost one style.
#pragma once

#include "stripstyle.h"

#include <QProxyStyle>

class LampStyle : public QProxyStyle {
public:
    /// The style of every lamp button and value display; made with the application's own style
    /// underneath at first use, and kept for the life of the program.
    static LampStyle *shared();
    static QColor colour(stripstyle::Lamp lamp);

    /// Marks \p button as lit in \p lamp's colour when checked, or always when \p lit.
    static void makeLamp(QWidget *button, stripstyle::Lamp lamp, bool lit);
    /// Gives \p label the framed, dark face of a value display.
    static void makeValueDisplay(QWidget *label);

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *p,
                     const QWidget *w = nullptr) const override;

private:
    explicit LampStyle(QStyle *base);
    void drawLamp(const QStyleOption *option, QPainter *p, const QWidget *w) const;
};
