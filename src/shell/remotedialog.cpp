#include "remotedialog.h"

#include "clickselects.h"
#include "escapereverts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHostAddress>
#include <QLabel>
#include <QNetworkInterface>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cerrno>
#include <cstring>

using remote::RemoteControl;

RemoteDialog::RemoteDialog(const RemoteControl &remote, std::function<void(const RemoteControl::Config &)> apply,
                           QWidget *parent)
    : QDialog(parent), remote_(remote), apply_(std::move(apply))
{
    setObjectName(QStringLiteral("RemoteDialog"));
    setWindowTitle(tr("Remote Control"));
    enabled_ = new QCheckBox(tr("Control the mixer over OSC"), this);
    enabled_->setObjectName(QStringLiteral("cB_RemoteEnabled"));
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("sB_RemotePort"));
    port_->setRange(1, 65535);
    escapereverts::install(port_);
    clickselects::install(port_);
    local_ = new QRadioButton(tr("This computer only"), this);
    local_->setObjectName(QStringLiteral("rB_RemoteLocal"));
    network_ = new QRadioButton(tr("The local network too"), this);
    network_->setObjectName(QStringLiteral("rB_RemoteNetwork"));
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("label_RemoteState"));
    state_->setTextFormat(Qt::PlainText);
    state_->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    // Return ends a typed port; Escape or the button closes.
    for (QAbstractButton *b : buttons->buttons())
        if (auto *push = qobject_cast<QPushButton *>(b)) {
            push->setAutoDefault(false);
            push->setDefault(false);
        }

    auto *form = new QFormLayout;
    form->addRow(tr("UDP port:"), port_);
    form->addRow(tr("Reach:"), local_);
    form->addRow(QString(), network_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(enabled_);
    layout->addLayout(form);
    layout->addWidget(state_);
    layout->addWidget(buttons);

    const RemoteControl::Config c = remote_.config();
    enabled_->setChecked(c.enabled);
    port_->setValue(c.port);
    (c.network ? network_ : local_)->setChecked(true);
    connect(enabled_, &QCheckBox::toggled, this, &RemoteDialog::changed);
    connect(network_, &QRadioButton::toggled, this, &RemoteDialog::changed);
    // Typing a port goes through several numbers: only the finished one counts.
    connect(port_, &QSpinBox::editingFinished, this, [this] {
        if (port_->value() != remote_.config().port)
            changed();
    });
    connect(&remote_, &RemoteControl::stateChanged, this, &RemoteDialog::showState);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showState();
}

void RemoteDialog::changed()
{
    apply_({enabled_->isChecked(), port_->value(), network_->isChecked()});
}

void RemoteDialog::showState()
{
    const RemoteControl::Config c = remote_.config();
    QString text;
    switch (remote_.state()) {
    case RemoteControl::State::Off:
        text = tr("Off.");
        break;
    case RemoteControl::State::Listening:
        text = c.network ? tr("Listening on port %1 for this computer and its local network (%2).")
                               .arg(c.port)
                               .arg(ownAddresses())
                         : tr("Listening on port %1 for programs on this computer.").arg(c.port);
        break;
    case RemoteControl::State::Failed:
        text = remote_.problem() == EADDRINUSE
                   ? tr("Port %1 is in use by another program. Choose another port.").arg(c.port)
                   : tr("Port %1 cannot be opened (%2). Choose another port.")
                         .arg(c.port)
                         .arg(QString::fromLocal8Bit(std::strerror(remote_.problem())));
        break;
    }
    state_->setText(text);
    state_->setStyleSheet(remote_.state() == RemoteControl::State::Failed ? QStringLiteral("color: #c00000;")
                                                                           : QString());
}

QString RemoteDialog::ownAddresses()
{
    QStringList list;
    for (const QHostAddress &a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback())
            list << a.toString();
    return list.isEmpty() ? tr("no network") : list.join(QStringLiteral(", "));
}
