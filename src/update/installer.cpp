#include "installer.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace installer {

Kind kindOf(const QString &fileName)
{
    static const struct {
        const char *suffix;
        Kind kind;
    } kinds[] = {{".deb", Kind::Package},
                 {".appimage", Kind::Program},
                 {".run", Kind::Program},
                 {".sh", Kind::Program}};
    const QString name = QFileInfo(fileName).fileName();
    for (const auto &k : kinds) {
        const QLatin1String suffix(k.suffix);
        if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive))
            return k.kind;
    }
    return Kind::None;
}

QString firstIn(const QStringList &files)
{
    for (const QString &file : files)
        if (kindOf(file) != Kind::None)
            return file;
    return QString();
}

bool startProgram(const QString &path)
{
    QFile file(path);
    if (!file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser))
        return false;
    const QFileInfo info(path);
    QProcess process;
    process.setProgram(info.absoluteFilePath());
    process.setWorkingDirectory(info.absolutePath());
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace installer
