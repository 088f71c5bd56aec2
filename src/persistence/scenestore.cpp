#include "scenestore.h"

#include "settings.h"
#include "wholefile.h"

#include <QFile>
#include <QFileInfo>

SceneStore::SceneStore(Settings &settings) : settings_(settings) {}

QString SceneStore::slotPath(int slot) const
{
    if (slot < 1 || slot > Count)
        return {};
    const QFileInfo main(settings_.mainFilePath());
    const QString suffix = main.suffix().isEmpty() ? QString() : QLatin1Char('.') + main.suffix();
    return main.absolutePath() + QStringLiteral("/DUOMIX_sm%1").arg(slot) + suffix;
}

bool SceneStore::exists(int slot) const
{
    const QString path = slotPath(slot);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool SceneStore::save(int slot, QString *error)
{
    const QString path = slotPath(slot);
    if (path.isEmpty())
        return false;
    settings_.sync();
    QByteArray content;
    const QString main = settings_.mainFilePath();
    if (QFile::exists(main) && !wholefile::read(main, &content, error))
        return false;
    return wholefile::replace(path, content, error);
}

SceneStore::Load SceneStore::load(int slot, QString *error)
{
    if (!exists(slot))
        return Load::Missing;
    return settings_.replaceMainFile(slotPath(slot), error) ? Load::Done : Load::Failed;
}

QStringList SceneStore::eraseAll()
{
    QStringList failures;
    QString error;
    QStringList paths{Settings::sceneNameFilePath()};
    for (int slot = 1; slot <= Count; ++slot)
        paths << slotPath(slot);
    for (const QString &path : paths)
        if (!wholefile::remove(path, &error))
            failures << QFileInfo(path).fileName() + QStringLiteral(": ") + error;
    return failures;
}

bool SceneStore::resetMain(QString *error)
{
    if (!settings_.deleteMainFile(error))
        return false;
    settings_.setValue(settings::key::InformationDialog, false);
    settings_.sync();
    return true;
}
