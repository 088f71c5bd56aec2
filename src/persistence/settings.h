// The panel's persistent state: the main store (mixer state and interface flags), the clock store, the
// scene-name store and the window-geometry store, with the defaults a missing key reads as.
//
// One program-wide object is created before the main window; tests create their own. Not copyable.
// GUI thread only: the two QSettings objects are not shared with other threads.
#pragma once

#include "settingkeys.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <type_traits>

class QSettings;

class Settings {
public:
    // Opens nothing yet: each store is opened on its first access and then kept until destruction
    // (or reopenMain()). Destruction writes pending changes.
    Settings();
    ~Settings();
    Settings(const Settings &) = delete;
    Settings &operator=(const Settings &) = delete;

    // ---- The main store, by the typed keys of settingkeys.h. A read gives what is stored when it is
    // cleanly of the key's type and within its range, else the key's default from the table (the
    // master's or an even track's where those differ). `group` names the channel or monitor group of
    // the keys that have none of their own.
    template <typename T> T value(const QString &group, const settings::Key<T> &key) const
    {
        const QString &g = key.group.isEmpty() ? group : key.group;
        if constexpr (std::is_same_v<T, int>)
            return intValue(g, key.name);
        else if constexpr (std::is_same_v<T, bool>)
            return boolValue(g, key.name);
        else if constexpr (std::is_same_v<T, QString>)
            return stringValue(g, key.name);
        else
            return doubleValue(g, key.name);
    }
    template <typename T> T value(const settings::Key<T> &key) const { return value(QString(), key); }
    template <typename T, typename V> void setValue(const QString &group, const settings::Key<T> &key, const V &v)
    {
        writeValue(key.group.isEmpty() ? group : key.group, key.name, QVariant::fromValue(static_cast<T>(v)));
    }
    template <typename T, typename V> void setValue(const settings::Key<T> &key, const V &v)
    {
        setValue(QString(), key, v);
    }

    // ---- The same by group and key name, for code that walks the whole table (the defaults a file
    // check compares against). An invalid QVariant for keys outside the tables.
    QVariant value(const QString &group, const QString &key) const;
    void writeValue(const QString &group, const QString &key, const QVariant &value);
    // Whether `stored`, as a settings file holds it, is cleanly a value of the type of `key` in `group`
    // (false for keys outside the tables).
    static bool readsCleanly(const QString &group, const QString &key, const QVariant &stored);

    // ---- Clock store, group "Interface". A missing or unparsable value reads as 0.
    void writeClock(const QString &key, int value);
    int readClock(const QString &key) const;

    // ---- Main file handling (scene memories, "Initialize").
    QString mainFilePath() const;
    // Writes pending changes of the open stores.
    void sync();
    // Writes pending changes (into whatever file is there now), then reopens the main store from disk.
    // Call it after the file was deleted or replaced behind the store's back.
    void reopenMain();
    // Writes pending changes, deletes the main file and reopens the (now empty) store. False, with
    // `error` set, when the file stays.
    bool deleteMainFile(QString *error = nullptr);
    // Writes pending changes, replaces the main file by a copy of `source` (whole, never half) and
    // reopens the store, which reads the copy. False, with `error` set where there is a reason, and
    // store and file unchanged, when `source` is the main file or cannot be read or the copy fails.
    bool replaceMainFile(const QString &source, QString *error = nullptr);

    // ---- Scene names: a fresh store object per access, group "SceneMemory". Scenes 1..10; the name
    // of a missing key is the key text ("SceneMemory3"). A name is at most kSceneNameMost characters,
    // so that it fits its submenu's title.
    static constexpr int kSceneNameMost = 32;
    static QStringList sceneNames();
    static void setSceneName(int scene, const QString &text);
    static QString sceneNameFilePath();

    // ---- Window geometry, native store "AVENOR"/"DUOMIX", group "Window", key "geometry".
    static void writeWindowGeometry(const QByteArray &geometry);

    // Removes the lock files of the panel's stores. Only for the one running copy, before it writes:
    // a copy that died while writing left its lock behind (empty when it died early in the write),
    // and Qt waits on such a lock, the window frozen, until it is half a minute old.
    static void clearLeftLocks();

private:
    QSettings &mainStore() const;
    QSettings &clockStore() const;
    QVariant raw(const QString &group, const QString &key) const;
    int intValue(const QString &group, const QString &key) const;
    bool boolValue(const QString &group, const QString &key) const;
    QString stringValue(const QString &group, const QString &key) const;
    double doubleValue(const QString &group, const QString &key) const;
    // Reads return the stand-by value itself for a missing key or one that does not parse.
    QString readString(const QString &group, const QString &key) const; // empty
    double readDouble(const QString &group, const QString &key) const;  // 1000
    int intRead(const QString &group, const QString &key, int standby) const;

    mutable std::unique_ptr<QSettings> main_;
    mutable std::unique_ptr<QSettings> clock_;
};
