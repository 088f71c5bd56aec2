// The store objects themselves and whole-file operations: opening, syncing, deleting and replacing the
// main file, the scene-name store and the window geometry.
#include "settings.h"

#include "wholefile.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kOrganisation = QStringLiteral("AVENOR");
const char *const kCodec = "UTF-8";
const QString kSceneGroup = QStringLiteral("SceneMemory");
constexpr int kScenes = 10;

std::unique_ptr<QSettings> openIni(const char *application)
{
    auto s = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, kOrganisation,
                                         QString::fromLatin1(application));
    s->setIniCodec(kCodec);
    return s;
}

QString sceneKey(int scene)
{
    return QStringLiteral("SceneMemory%1").arg(scene);
}

} // namespace

Settings::Settings() = default;

Settings::~Settings() = default;

QSettings &Settings::mainStore() const
{
    if (!main_)
        main_ = openIni("DUOMIX_Setting");
    main_->setIniCodec(kCodec);
    return *main_;
}

QSettings &Settings::clockStore() const
{
    if (!clock_)
        clock_ = openIni("DUOMIX_Setting_ClockSource");
    clock_->setIniCodec(kCodec);
    return *clock_;
}

QString Settings::mainFilePath() const
{
    return mainStore().fileName();
}

void Settings::sync()
{
    if (main_)
        mainStore().sync();
    if (clock_)
        clockStore().sync();
}

void Settings::reopenMain()
{
    if (main_)
        mainStore().sync();
    // The next access opens the file afresh.
    main_.reset();
}

bool Settings::deleteMainFile(QString *error)
{
    const QString file = mainFilePath();
    reopenMain();
    return wholefile::remove(file, error);
}

bool Settings::replaceMainFile(const QString &source, QString *error)
{
    const QString file = mainFilePath();
    if (QFileInfo(source) == QFileInfo(file))
        return false;
    QByteArray content;
    if (!wholefile::read(source, &content, error))
        return false;
    // Pending changes go into the old file first: written later, they would land in the new one.
    mainStore().sync();
    if (!wholefile::replace(file, content, error))
        return false;
    main_.reset();
    return true;
}

QStringList Settings::sceneNames()
{
    auto store = openIni("DUOMIX_SceneMemory");
    QStringList names;
    for (int scene = 1; scene <= kScenes; ++scene) {
        // A name with an unquoted comma reads back as a list; a missing one is the key text.
        const QString key = sceneKey(scene);
        const QVariant v = store->value(kSceneGroup + QLatin1Char('/') + key);
        QString name;
        if (v.type() == QVariant::StringList)
            name = v.toStringList().join(QStringLiteral(", "));
        else if (v.canConvert<QString>())
            name = v.toString();
        names << (name.isEmpty() ? key : name);
    }
    return names;
}

void Settings::setSceneName(int scene, const QString &text)
{
    if (scene < 1 || scene > kScenes)
        return;
    auto store = openIni("DUOMIX_SceneMemory");
    store->setValue(kSceneGroup + QLatin1Char('/') + sceneKey(scene), text);
}

QString Settings::sceneNameFilePath()
{
    return openIni("DUOMIX_SceneMemory")->fileName();
}

void Settings::writeWindowGeometry(const QByteArray &geometry)
{
    QSettings store(kOrganisation, QStringLiteral("DUOMIX"));
    store.setValue(QStringLiteral("Window/geometry"), geometry);
}
