// The window's menu bar: "View", "Edit", "SceneMemory" and "Help" with every entry in the product's order.
// Actions carry object names so that the owners of later features find and connect them.
#pragma once

#include <QCoreApplication>
#include <QVector>

class QAction;
class QMenu;
class QMenuBar;

struct SceneMemoryActions {
    QMenu *menu = nullptr; // title replaced by the stored scene name
    QAction *save = nullptr;
    QAction *load = nullptr;
    QAction *rename = nullptr;
};

class MainMenus {
    Q_DECLARE_TR_FUNCTIONS(MainMenus)

public:
    static constexpr int SceneCount = 10;

    // Fills `bar` (not owned; the menus and actions become its children). GUI thread.
    explicit MainMenus(QMenuBar *bar);

    QAction *initialize = nullptr;
    QAction *initializeReverb = nullptr;
    // The three pages, with Ctrl+1, Ctrl+2, Ctrl+3.
    QAction *mixerPage = nullptr;
    QAction *routingPage = nullptr;
    QAction *interfacePage = nullptr;
    QAction *remoteControl = nullptr;
    QAction *minimize = nullptr;
    QAction *close = nullptr;
    QAction *undo = nullptr;
    QAction *redo = nullptr;
    QVector<SceneMemoryActions> scenes;
    QAction *exportScene = nullptr;
    QAction *importScene = nullptr;
    QAction *initializeMemory = nullptr;
    QAction *saveIntoUnit = nullptr;
    QAction *productInformation = nullptr;
    QAction *faqs = nullptr;
    QAction *update = nullptr;
    QAction *license = nullptr;
};
