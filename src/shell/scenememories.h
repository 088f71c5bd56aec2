// The "SceneMemory" menu and "Initialize" of the "View" menu: ten scenes to save, load and rename,
// erasing them all, asking the unit to keep its state, and the reset of the mixer state. The submenu
// titles follow the stored scene names.
//
// GUI thread. Questions and notices are boxes that never hold up the event loop; an operation that
// asks goes on when the box is answered.
#pragma once

#include "scenestore.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class MainMenus;
class QIXDevice;
class QWidget;
class SceneMemoryDialog;
class Settings;
class UndoHistory;

namespace mixer {
class MixerModel;
}

class SceneMemories : public QObject {
    Q_OBJECT

public:
    // Everything borrowed must outlive this object; `window` is its parent and the parent of its boxes.
    // A scene load and "Initialize" are steps of `history`.
    SceneMemories(QWidget &window, mixer::MixerModel &mixer, QIXDevice &device, Settings &settings,
                  UndoHistory &history);
    ~SceneMemories() override;

    // Connects and enables the entries of `menus`; the titles are the stored names from now on.
    void bind(MainMenus &menus);

    // The menu's operations without their boxes (for callers that answer otherwise): slot 1..10
    // saved, loaded (the mixer takes it and the progress window opens), renamed.
    bool save(int slot, QString *error);
    SceneStore::Load load(int slot, QString *error);
    void rename(int slot, const QString &name);

public slots:
    void saveSceneMemory(int slot);
    void loadSceneMemory(int slot);
    // `scene`: the name key, "SceneMemory1" .. "SceneMemory10".
    void setSceneMemoryTitle(const QString &scene);
    void on_actionInitialize_Memory_triggered();
    void on_actionSaveIntoTheUnit_triggered();
    void delSettingsFile();
    void loadSceneName();

signals:
    // The main file was replaced and loaded: "Changing various settings..." should show `title`.
    void progressWanted(const QString &title);
    // The scene names may have changed (renamed, erased, reloaded).
    void namesChanged();

private:
    void showNames(const QStringList &names);
    // `change` makes the main file's mix another; the mixer then loads it (panels and unit take it), as
    // one step of the history, and the progress window opens. `failure` heads the message when it fails.
    void changeMix(const QString &step, const std::function<bool(QString *)> &change,
                   const QString &progressTitle, const QString &failure);
    void reportFailure(const QString &what, const QString &reason);

    QWidget &window_;
    mixer::MixerModel &mixer_;
    QIXDevice &device_;
    UndoHistory &history_;
    std::unique_ptr<SceneStore> store_;
    MainMenus *menus_ = nullptr;
    QPointer<SceneMemoryDialog> rename_;
};
