#include "fullload.h"

#include "QIXDevice.h"
#include "settings.h"

StripLoader::~StripLoader() = default;

void runFullLoad(QIXDevice *device, const Settings &settings, StripLoader &loader)
{
    // Every value must go out again, even where the device object thinks the unit has it already.
    if (device)
        device->reset_params();
    for (int pair = 1; pair <= 10; ++pair) {
        if (settings.link(settings::pairGroup(pair))) {
            loader.loadPair(pair);
        } else {
            loader.loadMono(2 * pair - 1);
            loader.loadMono(2 * pair);
        }
    }
    loader.loadMaster();
    QStringList names;
    for (int track = 1; track <= 20; ++track)
        names << settings.name(settings::trackGroup(track));
    loader.loadNames(names);
    loader.loadSceneNames(Settings::sceneNames());
}
