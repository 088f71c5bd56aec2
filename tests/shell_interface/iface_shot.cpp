// Grabs the interface page, filled as with a running unit, to a PNG for a visual check.
// Usage: iface_shot <file.png> [K1|K2]
#include "QIXDevice.h"
#include "clockstatus.h"
#include "interfacepage.h"
#include "resources.h"
#include "settings.h"
#include "shellstate.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: iface_shot <file.png> [K1|K2]\n");
        return 2;
    }
    const bool small = argc > 2 && QByteArray(argv[2]) == "K1";
    lyntra_init_resources();

    QIXDevice device{QIXDevice::NoWorker{}};
    Settings settings;
    ShellState state;
    state.identification = ShellState::SetUp;
    InterfacePage page(device, settings, &state);
    QWidget *w = page.page();

    w->findChild<QLabel *>("label_IntDevice")->setText(small ? "LYNTRA K1" : "LYNTRA K2");
    w->findChild<QLabel *>("label_IntFirmVersion")->setText("1.02 0034");
    w->findChild<QLabel *>("label_IntDriverVersion")->setText("1.00 0059");
    w->findChild<QLabel *>("label_WordInputStatus")->hide();
    w->findChild<QLabel *>("label_IntWordInputStatus")->hide();
    page.clock().applyModelState();
    page.refreshBufferSize();
    w->findChild<QComboBox *>("cB_Optical_B")->setCurrentIndex(2);
    page.clock().selectSource(2);

    emit device.sig_recv_hz(48000);
    emit device.sig_recv_clocksource(IXMSG_DATA_CLOCKSOURCE_OPTICAL_A);
    emit device.sig_recv_clockhz(IXMSG_DATA_CLOCKSOURCE_OPTICAL_A, 48000);
    emit device.sig_recv_clockhz(IXMSG_DATA_CLOCKSOURCE_OPTICAL_B, 44100);
    emit device.sig_recv_clocklock(IXMSG_DATA_CLOCKSOURCE_OPTICAL_A, IXMSG_DATA_CLOCKLOCK_GOOD);
    emit device.sig_recv_clocklock(IXMSG_DATA_CLOCKSOURCE_OPTICAL_B, IXMSG_DATA_CLOCKLOCK_UNLOCKED);

    w->show();
    app.processEvents();
    if (!w->grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "iface_shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
