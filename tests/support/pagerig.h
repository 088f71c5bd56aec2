// A page's widgets and the gestures a user makes on them, found by object name among the top widgets
// the page shows (`roots`, asked each time: a dialog may open later).
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QtTest>

struct PageRig {
    virtual ~PageRig() = default;
    virtual QWidgetList roots() = 0;

    template <typename W = QWidget> W *find(const QString &name)
    {
        for (QWidget *root : roots())
            if (W *w = root ? root->findChild<W *>(name) : nullptr)
                return w;
        qWarning("no widget named %s", qPrintable(name));
        return nullptr;
    }

    bool click(const QString &name)
    {
        QWidget *w = find(name);
        if (w)
            QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        return w;
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

    // A wheel turned over the middle of `w` as the window system sends it: Qt's focus-on-wheel runs, and
    // what `w` leaves unaccepted goes on to its parents (the page's scroll area). Whether `w` kept it.
    static bool wheel(QWidget *w, int delta)
    {
        const QPointF c = w->rect().center();
        QWheelEvent ev(c, w->mapToGlobal(c.toPoint()), {}, QPoint(0, delta), Qt::NoButton, {},
                       Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&ev);
        return qApp->notify(w, &ev) && ev.isAccepted();
    }
};
