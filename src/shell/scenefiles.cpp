#include "scenefiles.h"

#include "boxes.h"
#include "mainmenus.h"
#include "mixermodel.h"
#include "scenefile.h"
#include "scenestore.h"
#include "undohistory.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

SceneFiles::SceneFiles(QWidget &window, mixer::MixerModel &mixer, Settings &settings, UndoHistory &history)
    : QObject(&window), window_(window), mixer_(mixer), history_(history),
      store_(std::make_unique<SceneStore>(settings)),
      folder_(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
{}

SceneFiles::~SceneFiles()
{
    delete dialog_.data();
}

void SceneFiles::bind(MainMenus &menus)
{
    connect(menus.exportScene, &QAction::triggered, this, &SceneFiles::exportScene);
    connect(menus.importScene, &QAction::triggered, this, &SceneFiles::importScene);
}

QFileDialog *SceneFiles::openDialog(const QString &title, bool save)
{
    // One question at a time: a second choice of the entry brings the open dialog forward.
    if (dialog_) {
        dialog_->raise();
        return nullptr;
    }
    const QString filter = tr("Scenes (*.%1)").arg(QLatin1String(SceneFile::kSuffix)) + QStringLiteral(";;") +
                           tr("All files (*)");
    dialog_ = new QFileDialog(&window_, title, startFolder(), filter);
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    dialog_->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog_->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog_->setDefaultSuffix(QLatin1String(SceneFile::kSuffix));
    // A name to keep or type over, so that Return saves at once.
    if (save)
        dialog_->selectFile(tr("Scene") + QLatin1Char('.') + QLatin1String(SceneFile::kSuffix));
    connect(dialog_, &QFileDialog::fileSelected, this,
            [this](const QString &path) { folder_ = QFileInfo(path).absolutePath(); });
    return dialog_;
}

QString SceneFiles::startFolder() const
{
    // A folder that is not there (no Documents, or the last one since removed) would come up as a file
    // name in the dialog, beside its parent: the nearest folder above that exists is shown instead.
    QString folder = folder_;
    while (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const QString up = QFileInfo(folder).path();
        folder = up == folder ? QString() : up;
    }
    return folder.isEmpty() ? QDir::homePath() : folder;
}

void SceneFiles::exportScene()
{
    if (QFileDialog *dialog = openDialog(tr("Export Scene"), true)) {
        connect(dialog, &QFileDialog::fileSelected, this, &SceneFiles::exportTo);
        dialog->open();
    }
}

void SceneFiles::importScene()
{
    if (QFileDialog *dialog = openDialog(tr("Import Scene"), false)) {
        connect(dialog, &QFileDialog::fileSelected, this, &SceneFiles::importFrom);
        dialog->open();
    }
}

bool SceneFiles::exportTo(const QString &path)
{
    QString error;
    if (store_->exportTo(path, &error))
        return true;
    openWarning(&window_, tr("Export Scene"),
                tr("The scene could not be written to %1.").arg(QFileInfo(path).fileName()) + QLatin1Char('\n') +
                    error);
    return false;
}

bool SceneFiles::importFrom(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    QString why;
    QByteArray mix;
    const auto refuse = [&] {
        openWarning(&window_, tr("Import Scene"), tr("%1 cannot be imported.").arg(name) + QLatin1Char('\n') + why);
        return false;
    };
    if (!SceneFile::read(path, &mix, &why))
        return refuse();
    const auto take = [this, &mix](QString *error) {
        if (!store_->replaceMix(mix, error))
            return false;
        mixer_.loadAll();
        return true;
    };
    if (!history_.changeWholeMix(tr("Import %1").arg(QFileInfo(path).completeBaseName()), take,
                                 tr("Now Loading..."), &why))
        return refuse();
    emit progressWanted(tr("Now Loading..."));
    return true;
}
