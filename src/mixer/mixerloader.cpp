#include "mixerloader.h"

#include "mixermodel.h"

namespace mixer {

MixerLoader::MixerLoader(MixerModel &model, QObject *parent) : QObject(parent), model_(model) {}

void MixerLoader::loadPair(int pair)
{
    model_.loadLinkedPair(pair);
}

void MixerLoader::loadMono(int track)
{
    model_.loadMonoTrack(track);
}

void MixerLoader::loadMaster()
{
    model_.loadMaster();
    emit masterLoaded();
}

void MixerLoader::loadNames(const QStringList &names)
{
    model_.loadNames(names);
}

void MixerLoader::loadSceneNames(const QStringList &names)
{
    emit sceneNamesLoaded(names);
}

} // namespace mixer
