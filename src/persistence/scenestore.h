// The ten scene memories: copies of the mix part of the main settings file kept beside it ("DUOMIX_sm1"
// .. "DUOMIX_sm10", with the main file's suffix), their names in the scene-name store, and the reset of
// the main file. A scene is the mix only (strips, reverb, monitor, line outputs): the update address,
// the remembered answers, the remote control and the other interface flags stay out of it, in a save
// and in a load alike, so a scene file from someone else cannot change them. The clock store is never
// touched.
//
// Borrows the program-wide Settings, which must outlive it. GUI thread.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class Settings;

class SceneStore {
public:
    static constexpr int Count = 10;
    enum class Load { Done, Missing, Failed };

    explicit SceneStore(Settings &settings);

    // Whether the settings key "Group/Key" belongs to the mix (root keys belong to no group, no mix).
    static bool isMixKey(const QString &key);

    // Empty for slots outside 1..Count.
    QString slotPath(int slot) const;
    bool exists(int slot) const;

    // Slot `slot` becomes the mix the user sees: what the main store still holds in memory is written
    // out first, then the mix of the main file is copied (no main file yet: an empty scene, all
    // defaults). False, with `error` set and the earlier slot intact, when the copy fails.
    bool save(int slot, QString *error);

    // The main file's mix becomes the slot's, its other groups stay, and the main store reads it.
    // Missing: no such slot. Failed (`error` set): nothing changed. Whatever in the slot does not parse
    // reads as its default.
    Load load(int slot, QString *error);

    // The mix the user sees now, in the format of a slot file: what the main store holds in memory is
    // written out first. False, with `error` set, when the main file cannot be read.
    bool mix(QByteArray *mix, QString *error);
    // The slot's mix; Missing or Failed (`error` set) as load().
    Load slotMix(int slot, QByteArray *mix, QString *error) const;
    // The main file's mix becomes `mix` (slot format; its groups outside the mix are left out), its other
    // groups stay, and the main store reads it. False, with `error` set, and nothing changed otherwise.
    bool replaceMix(const QByteArray &mix, QString *error);
    // Writes the mix to `path` (a scene file), whole or not at all.
    bool exportTo(const QString &path, QString *error);

    // Forgets every scene name and removes every slot file. The files that could not be removed, each
    // with its reason; empty when all went.
    QStringList eraseAll();

    // Removes the main file (the mixer state reads as its defaults), keeping the remote control's
    // settings, and asks for the start-up information box again. False, with `error` set, when the main
    // file cannot be removed.
    bool resetMain(QString *error);

private:
    Settings &settings_;
};
