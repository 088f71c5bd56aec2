#include "scenestore.h"

#include "settingkeys.h"
#include "settings.h"
#include "wholefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

bool SceneStore::isMixKey(const QString &key)
{
    static const QStringList fixed{QStringLiteral("Reverb"), QStringLiteral("MoniCon"),
                                   QStringLiteral("LineOutSettings")};
    if (!key.contains(QLatin1Char('/')))
        return false;
    const QString group = key.section(QLatin1Char('/'), 0, 0);
    return settings::channelGroups().contains(group) || settings::monitorGroups().contains(group) ||
           fixed.contains(group);
}

namespace {

std::unique_ptr<QSettings> ini(const QString &path)
{
    auto s = std::make_unique<QSettings>(path, QSettings::IniFormat);
    s->setIniCodec("UTF-8");
    return s;
}

// Removes from `store` its mix (`mix` true) or everything else.
void removeKeys(QSettings &store, bool mix)
{
    for (const QString &key : store.allKeys())
        if (SceneStore::isMixKey(key) == mix)
            store.remove(key);
}

bool writeFile(const QString &path, const QByteArray &content, QString *error)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace

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

bool SceneStore::mix(QByteArray *mix, QString *error)
{
    QTemporaryDir work;
    if (!work.isValid()) {
        if (error)
            *error = work.errorString();
        return false;
    }
    settings_.sync();
    QByteArray content;
    const QString main = settings_.mainFilePath();
    const QString scene = work.filePath(QStringLiteral("scene.ini"));
    if (QFile::exists(main) && !wholefile::read(main, &content, error))
        return false;
    if (!writeFile(scene, content, error))
        return false;
    removeKeys(*ini(scene), false);
    return wholefile::read(scene, mix, error);
}

bool SceneStore::save(int slot, QString *error)
{
    const QString path = slotPath(slot);
    QByteArray content;
    return !path.isEmpty() && mix(&content, error) && wholefile::replace(path, content, error);
}

bool SceneStore::exportTo(const QString &path, QString *error)
{
    QByteArray content;
    return mix(&content, error) && wholefile::replace(path, content, error);
}

SceneStore::Load SceneStore::slotMix(int slot, QByteArray *mix, QString *error) const
{
    if (!exists(slot))
        return Load::Missing;
    return wholefile::read(slotPath(slot), mix, error) ? Load::Done : Load::Failed;
}

SceneStore::Load SceneStore::load(int slot, QString *error)
{
    QByteArray scene;
    const Load found = slotMix(slot, &scene, error);
    if (found != Load::Done)
        return found;
    return replaceMix(scene, error) ? Load::Done : Load::Failed;
}

bool SceneStore::replaceMix(const QByteArray &mix, QString *error)
{
    QTemporaryDir work;
    QByteArray current;
    const QString main = settings_.mainFilePath();
    const QString next = work.filePath(QStringLiteral("main.ini"));
    settings_.sync();
    if (!work.isValid() || (QFile::exists(main) && !wholefile::read(main, &current, error)) ||
        !writeFile(next, current, error) || !writeFile(work.filePath(QStringLiteral("scene.ini")), mix, error))
        return false;
    {
        const auto target = ini(next);
        const auto source = ini(work.filePath(QStringLiteral("scene.ini")));
        removeKeys(*target, true);
        for (const QString &key : source->allKeys())
            if (isMixKey(key))
                target->setValue(key, source->value(key));
        target->sync();
        // A format error only says some of the old text did not parse; it was dropped like elsewhere.
        if (target->status() == QSettings::AccessError)
            return false;
    }
    return settings_.replaceMainFile(next, error);
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
    // The remote control is how the panel is reached, not part of the mix: a reset keeps it.
    const bool remoteOn = settings_.value(settings::key::OscEnabled);
    const int port = settings_.value(settings::key::OscPort);
    const bool network = settings_.value(settings::key::OscNetwork);
    if (!settings_.deleteMainFile(error))
        return false;
    if (remoteOn || network || port != settings::defaultValue(settings::key::OscPort)) {
        settings_.setValue(settings::key::OscEnabled, remoteOn);
        settings_.setValue(settings::key::OscPort, port);
        settings_.setValue(settings::key::OscNetwork, network);
    }
    settings_.setValue(settings::key::InformationDialog, false);
    settings_.sync();
    return true;
}
