// The window's side of the remote control: the OSC server set up from the settings, the View menu's
// "Remote Control..." dialog that changes and keeps them, the scene memories offered without their
// boxes, and the level meters for subscribers that want them.
#pragma once

#include <QObject>
#include <QPointer>

class MeterSection;
class QAction;
class QIXDevice;
class QWidget;
class RemoteDialog;
class RoutingSection;
class SceneMemories;
class Settings;

namespace mixer {
class MixerModel;
class UnitStatus;
} // namespace mixer

namespace remote {
class RemoteControl;
}

class RemoteSection : public QObject {
    Q_OBJECT

public:
    struct Parts {
        QIXDevice &device;
        Settings &settings;
        mixer::MixerModel &mixer;
        RoutingSection &routing;
        const mixer::UnitStatus &unit;
        SceneMemories &scenes;
        MeterSection &meters;
    };
    // Everything in `parts` must outlive the section; `window` parents it and its dialog. Starts
    // listening when the settings say so. GUI thread.
    RemoteSection(const Parts &parts, QWidget &window);
    ~RemoteSection() override;

    // The View menu's entry opens the dialog.
    void bind(QAction *action);
    remote::RemoteControl &control() const { return *control_; }

public slots:
    void openDialog();

private:
    void apply(bool enabled, int port, bool network);

    Settings &settings_;
    QWidget &window_;
    remote::RemoteControl *control_ = nullptr;
    QPointer<RemoteDialog> dialog_;
};
