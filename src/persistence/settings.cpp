// The panel's stores: the table-driven reads and writes of the main store, the clock store, and the
// whole-file operations (opening, syncing, deleting and replacing the main file), the scene-name store and
// the window geometry.
#include "settings.h"

#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cmath>
#include <optional>

using namespace settings;

namespace {

const QString kClockGroup = QStringLiteral("Interface");

QString path(const QString &group, const QString &key)
{
    return group + QLatin1Char('/') + key;
}

// Stored values are whatever the file held: text that may not parse, lists (unquoted commas) or
// other variant types. Anything that is not cleanly the wanted type counts as missing.
std::optional<int> parseInt(const QVariant &v)
{
    if (!v.isValid() || v.type() == QVariant::StringList || v.type() == QVariant::Bool)
        return std::nullopt;
    if (v.type() == QVariant::Double) {
        const double d = v.toDouble();
        if (!std::isfinite(d) || d != std::trunc(d) || std::fabs(d) > 2147483647.0)
            return std::nullopt;
        return int(d);
    }
    bool ok = false;
    const int n = v.type() == QVariant::String ? v.toString().trimmed().toInt(&ok) : v.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

std::optional<double> parseDouble(const QVariant &v)
{
    if (!v.isValid() || v.type() == QVariant::StringList || v.type() == QVariant::Bool)
        return std::nullopt;
    bool ok = false;
    const double d = v.type() == QVariant::String ? v.toString().trimmed().toDouble(&ok) : v.toDouble(&ok);
    return ok && std::isfinite(d) ? std::optional<double>(d) : std::nullopt;
}

std::optional<bool> parseBool(const QVariant &v)
{
    if (!v.isValid())
        return std::nullopt;
    if (v.type() == QVariant::Bool)
        return v.toBool();
    if (v.type() == QVariant::String) {
        const QString s = v.toString().trimmed().toLower();
        if (s == QLatin1String("true"))
            return true;
        if (s == QLatin1String("false"))
            return false;
    }
    if (const auto n = parseInt(v))
        return *n != 0;
    return std::nullopt;
}

std::optional<QString> parseString(const QVariant &v)
{
    if (!v.isValid())
        return std::nullopt;
    if (v.type() == QVariant::String)
        return v.toString();
    // An unquoted comma splits a value into a list; joining gives the text back.
    if (v.type() == QVariant::StringList)
        return v.toStringList().join(QStringLiteral(", "));
    if (v.type() == QVariant::ByteArray)
        return QString::fromUtf8(v.toByteArray());
    if (v.canConvert<QString>())
        return v.toString();
    return std::nullopt;
}

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

QVariant Settings::raw(const QString &group, const QString &key) const
{
    return mainStore().value(path(group, key));
}

// ---- Generic access

void Settings::writeValue(const QString &group, const QString &key, const QVariant &value)
{
    mainStore().setValue(path(group, key), value);
}

int Settings::intRead(const QString &group, const QString &key, int standby) const
{
    return parseInt(raw(group, key)).value_or(standby);
}

QString Settings::readString(const QString &group, const QString &key) const
{
    return parseString(raw(group, key)).value_or(QString());
}

double Settings::readDouble(const QString &group, const QString &key) const
{
    return parseDouble(raw(group, key)).value_or(kDoubleStandby);
}

void Settings::writeClock(const QString &key, int value)
{
    clockStore().setValue(path(kClockGroup, key), value);
}

int Settings::readClock(const QString &key) const
{
    const int v = parseInt(clockStore().value(path(kClockGroup, key))).value_or(0);
    const KeyEntry *entry = findClockKey(key);
    return entry ? int(clampedToRange(*entry, v, entry->def.number)) : v;
}

// ---- Table-driven reads

int Settings::intValue(const QString &group, const QString &key) const
{
    const int standby = intStandby(group, key);
    const int v = intRead(group, key, standby);
    const KeyEntry *entry = findKey(group, key);
    if (!entry)
        return v;
    const KeyDefault &def = defaultFor(*entry, group);
    if (v == standby)
        return def.has ? int(def.number) : v;
    return int(clampedToRange(*entry, v, def.has ? def.number : standby));
}

bool Settings::boolValue(const QString &group, const QString &key) const
{
    const KeyEntry *entry = findKey(group, key);
    const bool fallback = entry && defaultFor(*entry, group).has && defaultFor(*entry, group).number != 0;
    return parseBool(raw(group, key)).value_or(fallback);
}

QString Settings::stringValue(const QString &group, const QString &key) const
{
    const QString v = readString(group, key);
    const KeyEntry *entry = findKey(group, key);
    if (v.isEmpty() && entry && defaultFor(*entry, group).has)
        return defaultFor(*entry, group).text;
    return v;
}

double Settings::doubleValue(const QString &group, const QString &key) const
{
    const double v = readDouble(group, key);
    const KeyEntry *entry = findKey(group, key);
    if (!entry)
        return v;
    const KeyDefault &def = defaultFor(*entry, group);
    if (v == kDoubleStandby)
        return def.has ? def.number : v;
    return clampedToRange(*entry, v, def.has ? def.number : kDoubleStandby);
}

QVariant Settings::value(const QString &group, const QString &key) const
{
    const KeyEntry *entry = findKey(group, key);
    if (!entry)
        return {};
    switch (entry->type) {
    case ValueType::Int:
        return intValue(group, key);
    case ValueType::Bool:
        return boolValue(group, key);
    case ValueType::String:
        return stringValue(group, key);
    case ValueType::Double:
        return doubleValue(group, key);
    }
    return {};
}

bool Settings::readsCleanly(const QString &group, const QString &key, const QVariant &stored)
{
    const KeyEntry *entry = findKey(group, key);
    if (!entry)
        return false;
    switch (entry->type) {
    case ValueType::Int:
        return parseInt(stored).has_value();
    case ValueType::Bool:
        return parseBool(stored).has_value();
    case ValueType::String:
        return parseString(stored).has_value();
    case ValueType::Double:
        return parseDouble(stored).has_value();
    }
    return false;
}

// ---- The stores and their files

Settings::Settings() = default;

Settings::~Settings() = default;

QSettings &Settings::mainStore() const
{
    if (!main_)
        main_ = openIni("DUOMIX_Setting");
    return *main_;
}

QSettings &Settings::clockStore() const
{
    if (!clock_)
        clock_ = openIni("DUOMIX_Setting_ClockSource");
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

void Settings::clearLeftLocks()
{
    const QDir folder = QFileInfo(openIni("DUOMIX_Setting")->fileName()).absoluteDir();
    const QStringList ours{QStringLiteral("DUOMIX*.lock"), QStringLiteral("LYNTRAK1_K2.conf.lock")};
    for (const QString &lock : folder.entryList(ours, QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(folder.filePath(lock));
}

void Settings::writeWindowGeometry(const QByteArray &geometry)
{
    QSettings store(kOrganisation, QStringLiteral("DUOMIX"));
    store.setValue(QStringLiteral("Window/geometry"), geometry);
}
