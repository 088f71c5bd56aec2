#include "scenememories.h"

#include "qixdevice.h"
#include "boxes.h"
#include "mainmenus.h"
#include "mixermodel.h"
#include "scenememorydialog.h"
#include "scenestore.h"
#include "settings.h"
#include "undohistory.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {

const QString kSceneKey = QStringLiteral("SceneMemory");

QString panelTitle()
{
    return SceneMemories::tr("AVENOR LYNTRA Settings Panel");
}

} // namespace

SceneMemories::SceneMemories(QWidget &window, mixer::MixerModel &mixer, QIXDevice &device, Settings &settings,
                             UndoHistory &history)
    : QObject(&window), window_(window), mixer_(mixer), device_(device), history_(history),
      store_(std::make_unique<SceneStore>(settings))
{
    connect(&mixer_, &mixer::MixerModel::loaded, this, &SceneMemories::loadSceneName);
}

SceneMemories::~SceneMemories() = default;

void SceneMemories::bind(MainMenus &menus)
{
    menus_ = &menus;
    for (int slot = 1; slot <= menus.scenes.size(); ++slot) {
        const SceneMemoryActions &scene = menus.scenes[slot - 1];
        connect(scene.save, &QAction::triggered, this, [this, slot] { saveSceneMemory(slot); });
        connect(scene.load, &QAction::triggered, this, [this, slot] { loadSceneMemory(slot); });
        connect(scene.rename, &QAction::triggered, this,
                [this, slot] { setSceneMemoryTitle(kSceneKey + QString::number(slot)); });
        for (QAction *action : {scene.save, scene.load, scene.rename})
            action->setEnabled(true);
    }
    connect(menus.initializeMemory, &QAction::triggered, this,
            &SceneMemories::on_actionInitialize_Memory_triggered);
    connect(menus.saveIntoUnit, &QAction::triggered, this,
            &SceneMemories::on_actionSaveIntoTheUnit_triggered);
    connect(menus.initialize, &QAction::triggered, this, &SceneMemories::delSettingsFile);
    for (QAction *action : {menus.initializeMemory, menus.saveIntoUnit, menus.initialize})
        action->setEnabled(true);
    loadSceneName();
}

void SceneMemories::saveSceneMemory(int slot)
{
    QString error;
    if (!save(slot, &error))
        reportFailure(tr("The scene memory could not be saved."), error);
}

bool SceneMemories::save(int slot, QString *error)
{
    return store_->save(slot, error);
}

void SceneMemories::loadSceneMemory(int slot)
{
    QString error;
    switch (load(slot, &error)) {
    case SceneStore::Load::Missing:
        openBox(QMessageBox::Information, &window_, QString(), tr("This scene memory does not exist."));
        return;
    case SceneStore::Load::Failed:
        reportFailure(tr("The scene memory could not be loaded."), error);
        return;
    case SceneStore::Load::Done:
        return;
    }
}

SceneStore::Load SceneMemories::load(int slot, QString *error)
{
    QByteArray mix;
    const SceneStore::Load result = store_->slotMix(slot, &mix, error);
    if (result != SceneStore::Load::Done)
        return result;
    const QStringList names = Settings::sceneNames();
    changeMix(tr("Load %1").arg(names.value(slot - 1)),
              [this, mix](QString *e) { return store_->replaceMix(mix, e); }, tr("Now Loading..."),
              tr("The scene memory could not be loaded."));
    return result;
}

void SceneMemories::rename(int slot, const QString &name)
{
    Settings::setSceneName(slot, name);
    loadSceneName();
}

void SceneMemories::setSceneMemoryTitle(const QString &scene)
{
    const int slot = scene.mid(kSceneKey.size()).toInt();
    if (!menus_ || slot < 1 || slot > menus_->scenes.size())
        return;
    if (rename_) {
        rename_->raise();
        return;
    }
    rename_ = new SceneMemoryDialog(&window_);
    rename_->setAttribute(Qt::WA_DeleteOnClose);
    SceneMemoryDialog *dialog = rename_;
    connect(dialog, &QDialog::accepted, this, [this, dialog, slot] { rename(slot, dialog->name()); });
    dialog->open();
}

void SceneMemories::on_actionInitialize_Memory_triggered()
{
    ask(QMessageBox::Question, &window_, panelTitle(),
        tr("This operation initializes ALL Scene Memories.<br>Are you sure?"), this, [this] {
            const QStringList failures = store_->eraseAll();
            if (failures.isEmpty())
                openBox(QMessageBox::Information, &window_, QString(),
                        tr("Scene Memory file has been initialized."));
            else
                reportFailure(tr("Some scene memories could not be erased."),
                              failures.join(QLatin1Char('\n')));
            loadSceneName();
        });
}

void SceneMemories::on_actionSaveIntoTheUnit_triggered()
{
    ask(QMessageBox::Question, &window_, QString(),
        tr("Save mixer settings?<p>Current Mixer Configuration and levels will be saved into the unit."),
        this, [this] { device_.store(); });
}

void SceneMemories::delSettingsFile()
{
    ask(QMessageBox::Question, &window_, panelTitle(),
        tr("This operation initializes MIXER Panel & ROUTING Panel parameters.<br>Are you sure?"), this,
        [this] {
            changeMix(tr("Initialize"), [this](QString *e) { return store_->resetMain(e); },
                      tr("Now Initializing..."), tr("The settings could not be initialized."));
        });
}

void SceneMemories::loadSceneName()
{
    showNames(Settings::sceneNames());
    emit namesChanged();
}

void SceneMemories::showNames(const QStringList &names)
{
    if (!menus_)
        return;
    for (int i = 0; i < std::min<int>(names.size(), menus_->scenes.size()); ++i)
        menus_->scenes[i].menu->setTitle(QString(names[i]).replace(QLatin1Char('&'), QLatin1String("&&")));
}

void SceneMemories::changeMix(const QString &step, const std::function<bool(QString *)> &change,
                              const QString &progressTitle, const QString &failure)
{
    QString error;
    const auto changeAndLoad = [this, &change](QString *e) {
        if (!change(e))
            return false;
        mixer_.loadAll();
        return true;
    };
    if (!history_.changeWholeMix(step, changeAndLoad, progressTitle, &error)) {
        reportFailure(failure, error);
        return;
    }
    emit progressWanted(progressTitle);
}

void SceneMemories::reportFailure(const QString &what, const QString &reason)
{
    openBox(QMessageBox::Warning, &window_, panelTitle(),
            reason.isEmpty() ? what : what + QLatin1Char('\n') + reason);
}
