// A mixer page over a model whose device messages reach the in-process firmware, and the gestures a
// user makes on its widgets, found by object name.
#pragma once

#include "mixerpage.h"
#include "resources.h"
#include "unitrig.h"

#include <QApplication>
#include <QMouseEvent>
#include <QtTest>

struct PageRig {
    // The artwork first: the strips' style sheets and knob frames load it as they are built.
    bool art = (lyntra_init_resources(), true);
    UnitRig unit;
    MixerPage page{*unit.model};

    PageRig() { page.show(); }

    template <typename W = QWidget> W *find(const QString &name) const
    {
        W *w = page.findChild<W *>(name);
        if (!w)
            qWarning("no widget named %s", qPrintable(name));
        return w;
    }

    // Compares settings entries written as "Group/Key=value" with what the main store holds; returns
    // the first mismatch, empty when all agree.
    QString storedMismatch(const QStringList &entries) const
    {
        for (const QString &e : entries) {
            const int slash = e.indexOf('/');
            const int eq = e.indexOf('=');
            const QString group = e.left(slash);
            const QString key = e.mid(slash + 1, eq - slash - 1);
            // Groups outside the typed tables are the pair side names, which hold only the phase switch.
            const QVariant typed = unit.settings.value(group, key);
            const QString got =
                typed.isValid() ? typed.toString() : QVariant(unit.settings.readBool(group, key)).toString();
            if (got != e.mid(eq + 1))
                return QStringLiteral("%1 (stored %2)").arg(e, got);
        }
        return QString();
    }

    // Clicks a button; fails the test when there is none.
    bool click(const QString &name)
    {
        QWidget *w = find(name);
        if (!w)
            return false;
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        return true;
    }

    // A mouse event at screen position `global`, local to wherever `w` is now.
    static void mouse(QWidget *w, QEvent::Type type, const QPointF &global, Qt::MouseButtons held)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const QPointF local = global - QPointF(w->mapToGlobal(QPoint(0, 0)));
        QMouseEvent ev(type, local, global, button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &ev);
    }

    // Presses at `from` (local to `w`), moves the pointer on screen by each step in turn with the button
    // held (a marker that moves under the pointer sees local positions change accordingly), then
    // releases. `visibleWhileHeld` reports whether `display` showed during the drag.
    static void drag(QWidget *w, QPointF from, const QList<QPointF> &steps, QWidget *display = nullptr,
                     bool *visibleWhileHeld = nullptr)
    {
        QPointF global = from + QPointF(w->mapToGlobal(QPoint(0, 0)));
        mouse(w, QEvent::MouseButtonPress, global, Qt::LeftButton);
        for (const QPointF &d : steps) {
            global += d;
            mouse(w, QEvent::MouseMove, global, Qt::LeftButton);
        }
        if (display && visibleWhileHeld)
            *visibleWhileHeld = display->isVisible();
        mouse(w, QEvent::MouseButtonRelease, global, Qt::NoButton);
    }
};
