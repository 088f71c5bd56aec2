// An X display of its own (Xvfb), so that a test drives the real panel with keyboard and mouse as a user
// would (xdotool).
#pragma once

#include "virtualunit.h"

#include <QProcess>

namespace lyntra_test {

class Display {
public:
    bool start()
    {
        xvfb_.start(QStringLiteral("Xvfb"),
                    {"-displayfd", "1", "-screen", "0", "1600x1000x24", "-nolisten", "tcp"});
        if (!xvfb_.waitForStarted(kPatienceMs))
            return false;
        const bool announced =
            wait_until([&] { return xvfb_.canReadLine() || xvfb_.state() == QProcess::NotRunning; });
        name_ = ":" + QString::fromLatin1(xvfb_.readLine()).trimmed();
        return announced && name_.size() > 1;
    }
    ~Display()
    {
        xvfb_.terminate();
        xvfb_.waitForFinished(kPatienceMs);
    }
    void attach(QProcess &process) const
    {
        QProcessEnvironment env = process.processEnvironment();
        env.insert(QStringLiteral("DISPLAY"), name_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProcessEnvironment(env);
    }
    // Runs xdotool with `args` on this display; false when it failed. Its first output word in `word`.
    bool xdotool(const QStringList &args, QString *word = nullptr) const
    {
        QProcess tool;
        tool.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        attach(tool);
        tool.start(QStringLiteral("xdotool"), args);
        if (!tool.waitForFinished(kPatienceMs) || tool.exitStatus() != QProcess::NormalExit ||
            tool.exitCode() != 0)
            return false;
        if (word)
            *word =
                QString::fromUtf8(tool.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
        return true;
    }

    // The id of the visible window whose title matches the pattern `title`, once there is one; else empty.
    QString window(const QString &title) const
    {
        QString id;
        wait_until([&] { return xdotool({"search", "--onlyvisible", "--name", title}, &id); });
        return id;
    }

private:
    QProcess xvfb_;
    QString name_;
};

// The panel window `id` as a user gets to scene 3: brought to the front, a click on the first menu
// title, then by keys the next menu (SceneMemory), its third entry and that one's Load.
inline bool loadSceneThree(const Display &display, const QString &id)
{
    return display.xdotool({"windowraise", id, "windowfocus", "--sync", id, "mousemove", "--window", id, "10",
                            "8", "click", "1",
                            "key", "Right", "Down", "Down", "Right", "Down", "Return"});
}

} // namespace lyntra_test
