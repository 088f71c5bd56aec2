// A scene file from elsewhere (a friend, a project folder): read with suspicion before anything of it
// reaches the settings. A scene file has the format of the scene slots, an INI text of the mix groups;
// only the mix is taken from it, never the update address, the remembered answers, the window state or
// the clock (those groups are left out, whatever the file holds).
//
// Pure reading; any thread.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class SceneFile {
    Q_DECLARE_TR_FUNCTIONS(SceneFile)

public:
    // The suffix the panel gives the files it writes.
    static constexpr const char *kSuffix = "lyntrascene";
    // A mix is a few kilobytes; anything much larger is not one.
    static constexpr qint64 kMaxBytes = 1024 * 1024;

    // Reads `path` into `mix` (its mix groups only, in slot format). False, with `why` saying in a
    // sentence what is wrong with the file (empty, too large, not text, a line that is no setting, no mix
    // of this panel in it, a value of the wrong kind), and `mix` untouched.
    static bool read(const QString &path, QByteArray *mix, QString *why);

private:
    static bool checkText(const QByteArray &content, QString *why);
};
