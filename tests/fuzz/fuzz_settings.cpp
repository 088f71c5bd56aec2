// Arbitrary bytes as the main settings file (and as the clock and scene-name files), then every key of
// the tables is read. Reads must not crash and must give either the key's default or the stored value.
#include "settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "fuzz_settings: %s\n", qPrintable(what));
    std::abort();
}

// libFuzzer runs have no private config directory of their own: make one before Qt caches the path.
void ensureConfigHome()
{
    if (!qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        return;
    char dir[] = "/tmp/fuzz_settings.XXXXXX";
    if (!mkdtemp(dir))
        fail(QStringLiteral("no temporary directory"));
    qputenv("XDG_CONFIG_HOME", dir);
}

void writeFile(const QString &path, const QByteArray &bytes, qint64 stamp)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("cannot write ") + path);
    f.write(bytes);
    // Qt keeps parsed files in a process-wide cache keyed by size and time: make every input new.
    f.setFileTime(QDateTime::fromMSecsSinceEpoch(stamp), QFileDevice::FileModificationTime);
}

QStringList groupsOf(const settings::KeyEntry &entry)
{
    switch (entry.kind) {
    case settings::GroupKind::Channel:
        return settings::channelGroups();
    case settings::GroupKind::MonitorPair:
        return settings::monitorGroups();
    case settings::GroupKind::Fixed:
        break;
    }
    return {entry.group};
}

// The stored text when it is a plain decimal integer, as an independent view of what must come back.
bool plainInt(const QVariant &raw, int *out)
{
    if (raw.userType() != QMetaType::QString)
        return false;
    bool ok = false;
    *out = raw.toString().trimmed().toInt(&ok);
    return ok;
}

void checkKey(const Settings &s, QSettings &raw, const settings::KeyEntry &entry, const QString &group)
{
    const QString where = group + QLatin1Char('/') + entry.key;
    const QVariant v = s.value(group, entry.key);
    const bool master = entry.masterDiffers && group == settings::kMasterGroup;
    const settings::KeyDefault &def = master ? entry.master : entry.def;
    switch (entry.type) {
    case settings::ValueType::Int: {
        if (v.userType() != QMetaType::Int)
            fail(where + QStringLiteral(": not an int"));
        const int got = v.toInt();
        const int standby = settings::intStandby(group, entry.key);
        const auto inRange = [&entry](int n) { return entry.lo > entry.hi || (n >= entry.lo && n <= entry.hi); };
        int stored = 0;
        if (plainInt(raw.value(where), &stored) && stored != standby && inRange(stored) && got != stored)
            fail(where + QStringLiteral(": stored %1, read %2").arg(stored).arg(got));
        const bool isDefault = got == (def.has ? int(def.number) : standby);
        if (!isDefault && !inRange(got))
            fail(where + QStringLiteral(": %1 outside its range").arg(got));
        break;
    }
    case settings::ValueType::Double:
        if (v.userType() != QMetaType::Double || !std::isfinite(v.toDouble()))
            fail(where + QStringLiteral(": not a finite double"));
        break;
    case settings::ValueType::Bool:
        if (v.userType() != QMetaType::Bool)
            fail(where + QStringLiteral(": not a bool"));
        break;
    case settings::ValueType::String:
        if (v.userType() != QMetaType::QString || (def.has && !def.text.isEmpty() && v.toString().isEmpty()))
            fail(where + QStringLiteral(": empty text where a default exists"));
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static qint64 stamp = 1000000000000;
    ensureConfigHome();
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    stamp += 1000;

    Settings s;
    writeFile(s.mainFilePath(), bytes, stamp);
    writeFile(QFileInfo(s.mainFilePath()).dir().filePath(QStringLiteral("DUOMIX_Setting_ClockSource.ini")), bytes,
              stamp);
    writeFile(Settings::sceneNameFilePath(), bytes, stamp);
    s.reopenMain();

    QSettings raw(s.mainFilePath(), QSettings::IniFormat);
    raw.setIniCodec("UTF-8");
    for (const settings::KeyEntry &entry : settings::allKeys())
        for (const QString &group : groupsOf(entry))
            checkKey(s, raw, entry, group);

    for (const char *key : {"SampleClockSourceId", "Optical_A", "Optical_B"})
        (void)s.readClock(QString::fromLatin1(key));
    for (const QString &name : Settings::sceneNames())
        if (name.isEmpty())
            fail(QStringLiteral("empty scene name"));
    return 0;
}
