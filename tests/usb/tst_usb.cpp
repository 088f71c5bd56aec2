// The window with its device worker against a unit on an emulated USB bus (umockdev): found at start
// and on hotplug, set up, lost when it leaves in the middle of an exchange and set up again when it
// comes back at a new address; a unit that may not be opened, or is busy, is explained on the interface
// page until it opens.
#include "QIXDevice.h"
#include "mainwindow.h"
#include "resources.h"
#include "settings.h"
#include "shownboxes.h"
#include "usbtestbed.h"
#include "virtualunit.h"

#include <QLabel>
#include <QtTest>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace lyntra_test;

namespace {

const QString kDisconnected = QStringLiteral("USB Disconnected");

// Root opens any file whatever its mode. Without that power a node without rights refuses this
// process as it refuses a user; threads started afterwards (the device worker) inherit it.
void dropFileAccessOverride()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return;
    data[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH);
    syscall(SYS_capset, &header, data);
}

// The panel as main() builds it, shown.
struct Panel {
    QIXDevice device;
    Settings settings;
    std::unique_ptr<MainWindow> window;

    Panel()
    {
        settings.setInformationDialog(true);
        window = std::make_unique<MainWindow>(device, settings);
        window->show();
    }
    ~Panel()
    {
        window.reset();
        QVERIFY(device.shutdown(kPatienceMs));
    }
    bool setUp() const { return window->state().identification == ShellState::SetUp; }
    // Waits for the disconnection box and closes it; false when it never came.
    bool lost() const
    {
        return wait_until([] { return !shown_boxes(kDisconnected).isEmpty(); }) && press_ok(kDisconnected) == 1;
    }
};

} // namespace

class TestUsb : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        dropFileAccessOverride();
        lyntra_init_resources();
    }

    void foundSetUpLostAndBack()
    {
        QVERIFY(bed_.plug(2));
        Panel panel;
        QVERIFY(wait_until([&] { return panel.setUp(); }));
        QCOMPARE(panel.window->findChild<QLabel *>(QStringLiteral("label_IntDevice"))->text(),
                 QStringLiteral("LYNTRA K2"));
        QVERIFY(bed_.state().value(QStringLiteral("clock_source")).isDouble()); // the stored state arrived

        bed_.setFault(UsbTestbed::Fault::UnplugAtNextRead);
        QVERIFY(wait_until([&] { return bed_.gone(); }));
        bed_.setFault(UsbTestbed::Fault::None);
        bed_.unplug();
        QVERIFY(panel.lost());

        const int before = bed_.state().value(QStringLiteral("messages")).toInt();
        QVERIFY(bed_.plug(3));
        QVERIFY(wait_until([&] { return panel.setUp(); }));
        QVERIFY(bed_.state().value(QStringLiteral("messages")).toInt() > before);
        bed_.unplug();
        QVERIFY(panel.lost());
        QVERIFY(shown_boxes(kDisconnected).isEmpty());
    }

    void refusedUnitSaysWhy_data()
    {
        QTest::addColumn<bool>("denied");
        QTest::addColumn<QString>("says");
        QTest::newRow("permission") << true << "sudo apt install --reinstall lyntra-panel";
        QTest::newRow("busy") << false << "Another program is using it.";
    }
    void refusedUnitSaysWhy()
    {
        QFETCH(bool, denied);
        QFETCH(QString, says);
        static int address = 4;
        bed_.setFault(denied ? UsbTestbed::Fault::None : UsbTestbed::Fault::Busy);
        QVERIFY(bed_.plug(address++, denied));
        Panel panel;
        auto *note = panel.window->findChild<QLabel *>(QStringLiteral("label_UnitAccess"));
        QVERIFY(wait_until([&] { return note->isVisible(); }));
        QVERIFY2(note->text().contains(says), qPrintable(note->text()));
        QVERIFY(!panel.setUp());
        const QByteArray shots = qgetenv("LYNTRA_TEST_SCREENSHOTS");
        if (!shots.isEmpty())
            panel.window->grab().save(QString::fromLocal8Bit(shots) + "/usb-" + QTest::currentDataTag() + ".png");

        bed_.setDenied(false);
        bed_.setFault(UsbTestbed::Fault::None);
        QVERIFY(wait_until([&] { return panel.setUp(); }));
        QVERIFY(!note->isVisible());
        bed_.unplug();
        QVERIFY(panel.lost());
    }

private:
    UsbTestbed bed_;
};

QTEST_MAIN(TestUsb)
#include "tst_usb.moc"
