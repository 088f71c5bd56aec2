#include "mainmenus.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction *addAction(QMenu *menu, const QString &text, const QString &objectName)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(objectName);
    return action;
}

QMenu *addMenu(QWidget *parent, const QString &title, const QString &objectName)
{
    auto *menu = new QMenu(title, parent);
    menu->setObjectName(objectName);
    return menu;
}

} // namespace

MainMenus::MainMenus(QMenuBar *bar)
{
    QMenu *view = addMenu(bar, tr("&View"), QStringLiteral("menuView"));
    bar->addMenu(view);
    initialize = addAction(view, tr("Initialize"), QStringLiteral("actionInitialize"));
    initializeReverb = addAction(view, tr("Initialize Reverb"), QStringLiteral("actionInitialize_Reverb"));
    view->addSeparator();
    mixerPage = addAction(view, tr("Mixer"), QStringLiteral("actionMixerPage"));
    routingPage = addAction(view, tr("Routing"), QStringLiteral("actionRoutingPage"));
    interfacePage = addAction(view, tr("Interface"), QStringLiteral("actionInterfacePage"));
    int key = Qt::Key_1;
    for (QAction *page : {mixerPage, routingPage, interfacePage})
        page->setShortcut(QKeySequence(Qt::CTRL | key++));
    view->addSeparator();
    remoteControl = addAction(view, tr("Remote Control..."), QStringLiteral("actionRemote_Control"));
    view->addSeparator();
    minimize = addAction(view, tr("Minimize"), QStringLiteral("actionMinimize"));
    close = addAction(view, tr("Close"), QStringLiteral("actionClose"));

    QMenu *edit = addMenu(bar, tr("&Edit"), QStringLiteral("menuEdit"));
    bar->addMenu(edit);
    undo = addAction(edit, tr("Undo"), QStringLiteral("actionUndo"));
    redo = addAction(edit, tr("Redo"), QStringLiteral("actionRedo"));

    QMenu *sceneMenu = addMenu(bar, tr("&SceneMemory"), QStringLiteral("menuSceneMemory"));
    bar->addMenu(sceneMenu);
    for (int n = 1; n <= SceneCount; ++n) {
        const QString number = QString::number(n);
        SceneMemoryActions scene;
        scene.menu = addMenu(sceneMenu, QStringLiteral("SceneMemory") + number,
                             QStringLiteral("menuSceneMemory") + number);
        sceneMenu->addMenu(scene.menu);
        scene.save = addAction(scene.menu, tr("Save"), QStringLiteral("actionSaveSceneMemory") + number);
        scene.load = addAction(scene.menu, tr("Load"), QStringLiteral("actionLoadSceneMemory") + number);
        scene.menu->addSeparator();
        scene.rename =
            addAction(scene.menu, tr("Rename"), QStringLiteral("actionRenameSceneMemory") + number);
        scenes.append(scene);
    }
    sceneMenu->addSeparator();
    exportScene = addAction(sceneMenu, tr("Export Scene..."), QStringLiteral("actionExportScene"));
    importScene = addAction(sceneMenu, tr("Import Scene..."), QStringLiteral("actionImportScene"));
    sceneMenu->addSeparator();
    initializeMemory =
        addAction(sceneMenu, tr("Initialize Memory"), QStringLiteral("actionInitialize_Memory"));
    sceneMenu->addSeparator();
    saveIntoUnit = addAction(sceneMenu, tr("Save into the unit"), QStringLiteral("actionSave_into_the_unit"));

    QMenu *help = addMenu(bar, tr("&Help"), QStringLiteral("menuHelp"));
    bar->addMenu(help);
    QMenu *website = addMenu(help, tr("- AVENOR Website"), QStringLiteral("menuAVENOR_Website"));
    help->addMenu(website);
    productInformation =
        addAction(website, tr("Product Information"), QStringLiteral("actionProduct_Information"));
    faqs = addAction(website, tr("FAQs"), QStringLiteral("actionFAQs"));
    update = addAction(help, tr("- Update"), QStringLiteral("actionUpdate"));
    QMenu *about = addMenu(help, tr("- About ..."), QStringLiteral("menuAbout"));
    help->addMenu(about);
    license = addAction(about, tr("License"), QStringLiteral("actionLicense"));
}
