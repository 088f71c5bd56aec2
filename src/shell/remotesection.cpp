#include "remotesection.h"

#include "metersection.h"
#include "mixermodel.h"
#include "qixdevice.h"
#include "remotecontrol.h"
#include "remotedialog.h"
#include "routingsection.h"
#include "scenememories.h"
#include "settings.h"

#include <QAction>

#include <cmath>

namespace {

float dbfs(uint32_t level)
{
    if (level == 0)
        return -99.9f;
    return std::max(-99.9f, float(std::lround(200.0 * std::log10(level / double(meter::kFullScale)))) / 10.0f);
}

remote::SceneAccess sceneAccess(SceneMemories &scenes)
{
    remote::SceneAccess a;
    a.load = [&scenes](int slot) {
        QString error;
        switch (scenes.load(slot, &error)) {
        case SceneStore::Load::Missing:
            return QStringLiteral("scene %1 is empty").arg(slot);
        case SceneStore::Load::Failed:
            return error.isEmpty() ? QStringLiteral("scene %1 could not be loaded").arg(slot) : error;
        case SceneStore::Load::Done:
            break;
        }
        return QString();
    };
    a.save = [&scenes](int slot) {
        QString error;
        if (scenes.save(slot, &error))
            return QString();
        return error.isEmpty() ? QStringLiteral("scene %1 could not be saved").arg(slot) : error;
    };
    a.names = [] { return Settings::sceneNames(); };
    a.rename = [&scenes](int slot, const QString &name) { scenes.rename(slot, name); };
    return a;
}

} // namespace

RemoteSection::RemoteSection(const Parts &parts, QWidget &window)
    : QObject(&window), settings_(parts.settings), window_(window)
{
    const remote::Mix mix{parts.mixer, parts.routing.lineOuts(), parts.routing.monitorModel(), parts.unit,
                          sceneAccess(parts.scenes)};
    control_ = new remote::RemoteControl(mix, this);
    QIXDevice *device = &parts.device;
    const MeterSection *meters = &parts.meters;
    // Subscribers want levels whatever the window shows: ask the unit here too (the device object
    // merges a request already waiting).
    control_->setMeterSource([device, meters] {
        device->get_meter();
        std::array<float, remote::RemoteControl::kMeters> levels{};
        for (int i = 0; i < meter::kInputs; ++i)
            levels[size_t(i)] = dbfs(meters->store().input[i]);
        for (int i = 0; i < meter::kMasters; ++i)
            levels[size_t(meter::kInputs + i)] = dbfs(meters->store().master[i]);
        return levels;
    });
    connect(&parts.scenes, &SceneMemories::namesChanged, control_, &remote::RemoteControl::scenesChanged);
    apply(settings_.value(settings::key::OscEnabled), settings_.value(settings::key::OscPort),
          settings_.value(settings::key::OscNetwork));
}

RemoteSection::~RemoteSection() = default;

void RemoteSection::bind(QAction *action)
{
    connect(action, &QAction::triggered, this, &RemoteSection::openDialog);
}

void RemoteSection::openDialog()
{
    if (!dialog_) {
        dialog_ = new RemoteDialog(
            *control_,
            [this](const remote::RemoteControl::Config &c) {
                settings_.setValue(settings::key::OscEnabled, c.enabled);
                settings_.setValue(settings::key::OscPort, c.port);
                settings_.setValue(settings::key::OscNetwork, c.network);
                apply(c.enabled, c.port, c.network);
            },
            &window_);
        dialog_->setAttribute(Qt::WA_DeleteOnClose);
    }
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

void RemoteSection::apply(bool enabled, int port, bool network)
{
    control_->configure({enabled, port, network});
}
