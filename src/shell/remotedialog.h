// "Remote Control" of the View menu: turns the OSC server on and off, chooses its port and whether
// the local network may reach it, and says how that went (listening, or why not: a port in use).
// Every change applies at once and is kept in the settings.
#pragma once

#include "remotecontrol.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSpinBox;

class RemoteDialog : public QDialog {
    Q_OBJECT

public:
    // `remote` is not owned and must outlive the dialog; `apply` takes a new configuration (stores it
    // and hands it to `remote`). GUI thread.
    RemoteDialog(const remote::RemoteControl &remote, std::function<void(const remote::RemoteControl::Config &)> apply,
                 QWidget *parent = nullptr);

    // Shows what the server is doing now.
    void showState();

private:
    void changed();
    // This computer's IPv4 addresses on its networks, for the reach line.
    static QString ownAddresses();

    const remote::RemoteControl &remote_;
    std::function<void(const remote::RemoteControl::Config &)> apply_;
    QCheckBox *enabled_ = nullptr;
    QSpinBox *port_ = nullptr;
    QRadioButton *local_ = nullptr;
    QRadioButton *network_ = nullptr;
    QLabel *state_ = nullptr;
};
