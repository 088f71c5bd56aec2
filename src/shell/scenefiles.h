// "Export Scene..." and "Import Scene..." of the "SceneMemory" menu: the mix as a file anywhere the user
// likes (the format of the scene slots, suffix ".lyntrascene"), chosen with the desktop's file dialog.
// An import takes only the mix and is one step of the undo history; a damaged or foreign file is refused
// with a box that says why, and nothing changes.
//
// GUI thread. The dialogs and boxes open with open(); nothing waits for them.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class MainMenus;
class QFileDialog;
class QWidget;
class SceneStore;
class Settings;
class UndoHistory;

namespace mixer {
class MixerModel;
}

class SceneFiles : public QObject {
    Q_OBJECT

public:
    // Everything borrowed must outlive this object; `window` is its parent and the parent of its dialogs.
    SceneFiles(QWidget &window, mixer::MixerModel &mixer, Settings &settings, UndoHistory &history);
    ~SceneFiles() override;

    void bind(MainMenus &menus);

public slots:
    // Open the file dialog; the answer goes to exportTo() / importFrom().
    void exportScene();
    void importScene();
    // True when the mix was written to `path` (a box says why not).
    bool exportTo(const QString &path);
    // True when the file's mix is the mix now (a box says why not).
    bool importFrom(const QString &path);

signals:
    // The imported mix was loaded: "Now Loading..." should show.
    void progressWanted(const QString &title);

private:
    QFileDialog *openDialog(const QString &title, bool save);
    QString startFolder() const;

    QWidget &window_;
    mixer::MixerModel &mixer_;
    UndoHistory &history_;
    std::unique_ptr<SceneStore> store_;
    QString folder_;
    QPointer<QFileDialog> dialog_;
};
