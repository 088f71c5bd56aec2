// An X display of its own (Xvfb), so that a test drives the real panel with keyboard and mouse as a user
// would (xdotool).
#pragma once

#include "virtualunit.h"

#include <QProcess>
#include <QRandomGenerator>

namespace lyntra_test {

class Display {
public:
    // On a display number of its own choosing, away from the low ones that other runs on the same
    // machine take and give back meanwhile.
    bool start()
    {
        for (int attempt = 0; attempt < 5 && name_.isEmpty(); ++attempt) {
            const QString number = QString::number(QRandomGenerator::global()->bounded(200, 30000));
            // -noreset: by default the server resets when its last client leaves, and a panel started
            // by the next case while that runs cannot connect.
            xvfb_.start(QStringLiteral("Xvfb"), {":" + number, "-displayfd", "1", "-screen", "0", "1600x1000x24",
                                                 "-nolisten", "tcp", "-noreset"});
            wait_until([&] { return xvfb_.canReadLine() || xvfb_.state() == QProcess::NotRunning; });
            if (xvfb_.canReadLine() && xvfb_.readLine().trimmed() == number.toLatin1())
                name_ = ":" + number;
            // A server that announced itself and then went (seen right after another display of a
            // test ended) leaves the next program unable to connect: try another number.
            if (!name_.isEmpty() && !wait_until([&] { return xdotool({"getmouselocation"}); }, 5000))
                name_.clear();
            if (name_.isEmpty()) {
                xvfb_.kill();
                xvfb_.waitForFinished(kPatienceMs);
            }
        }
        return !name_.isEmpty();
    }
    bool started() const { return !name_.isEmpty(); }
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
    // Runs xdotool (or another X client `program`) with `args` on this display; false when it failed. Its
    // first output line in `word`.
    bool xdotool(const QStringList &args, QString *word = nullptr, const char *program = "xdotool") const
    {
        QProcess tool;
        tool.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        attach(tool);
        tool.start(QLatin1String(program), args);
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
// title, then by keys two menus on (SceneMemory, after Edit), its third entry and that one's Load.
inline bool loadSceneThree(const Display &display, const QString &id)
{
    return display.xdotool({"windowraise", id, "windowfocus", "--sync", id, "mousemove", "--window", id, "10",
                            "8", "click", "1",
                            "key", "Right", "Right", "Down", "Down", "Right", "Down", "Return"});
}

} // namespace lyntra_test
