// The mixer's side of the full load: the strip loader the persistence layer's runFullLoad() drives.
//
// GUI thread. Borrows the model, which must outlive the loader.
#pragma once

#include "fullload.h"

#include <QObject>
#include <QStringList>

namespace mixer {

class MixerModel;

class MixerLoader : public QObject, public StripLoader {
    Q_OBJECT

public:
    explicit MixerLoader(MixerModel &model, QObject *parent = nullptr);

    void loadPair(int pair) override;
    void loadMono(int track) override;
    void loadMaster() override;
    void loadNames(const QStringList &names) override;
    // Scene names belong to the window's menu: handed on by sceneNamesLoaded.
    void loadSceneNames(const QStringList &names) override;

signals:
    // After the master strip: the reverb, monitor and line-output owners restore themselves here.
    void masterLoaded();
    void sceneNamesLoaded(const QStringList &names);

private:
    MixerModel &model_;
};

} // namespace mixer
