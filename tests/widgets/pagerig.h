// A mixer page over a model whose device messages reach the in-process firmware, and the gestures a
// user makes on its widgets, found by object name.
#pragma once

#include "mixerpage.h"
#include "resources.h"
#include "unitrig.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSettings>
#include <QtTest>

struct PageRig {
    // The artwork first: the strips' style sheets and knob frames load it as they are built.
    bool art = (lyntra_init_resources(), true);
    UnitRig unit;
    MixerPage page{*unit.controls};

    PageRig() { page.show(); }

    template <typename W = QWidget> W *find(const QString &name) const
    {
        W *w = page.findChild<W *>(name);
        if (!w)
            qWarning("no widget named %s", qPrintable(name));
        return w;
    }

    // Settings entries written as "Group/Key=value" against the stored values (a key outside the
    // tables, such as a pair side's phase, reads false when absent); the first mismatch, or empty.
    QString storedMismatch(const QStringList &entries)
    {
        unit.settings.sync();
        const QSettings file(unit.settings.mainFilePath(), QSettings::IniFormat);
        for (const QString &e : entries) {
            const int slash = e.indexOf('/'), eq = e.indexOf('=');
            QVariant got = unit.settings.value(e.left(slash), e.mid(slash + 1, eq - slash - 1));
            if (!got.isValid())
                got = file.value(e.left(eq), false);
            if (got.toString() != e.mid(eq + 1))
                return QStringLiteral("%1 (stored %2)").arg(e, got.toString());
        }
        return QString();
    }

    bool click(const QString &name)
    {
        QWidget *w = find(name);
        if (w)
            QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        return w;
    }

    bool link(int pair)
    {
        return click(mixer::widgetName(mixer::WidgetKind::LinkOn, {mixer::StripKind::Pair, pair}));
    }

    // A mouse event at screen position `global`, local to wherever `w` is now.
    static void mouse(QWidget *w, QEvent::Type type, const QPointF &global, Qt::MouseButtons held)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent ev(type, global - QPointF(w->mapToGlobal(QPoint(0, 0))), global, button, held,
                       Qt::NoModifier);
        QApplication::sendEvent(w, &ev);
    }

    // Presses at `from` (local to `w`), moves the pointer on screen by each step with the button held,
    // then releases. Returns whether `display` showed while the button was held.
    static bool drag(QWidget *w, QPointF from, const QList<QPointF> &steps, QWidget *display = nullptr)
    {
        QPointF global = from + QPointF(w->mapToGlobal(QPoint(0, 0)));
        mouse(w, QEvent::MouseButtonPress, global, Qt::LeftButton);
        for (const QPointF &d : steps)
            mouse(w, QEvent::MouseMove, global += d, Qt::LeftButton);
        const bool shown = display && display->isVisible();
        mouse(w, QEvent::MouseButtonRelease, global, Qt::NoButton);
        return shown;
    }
};
