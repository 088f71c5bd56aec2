// The real panel against a unit on an emulated USB bus (umockdev; the test holds the bus and answers
// for the unit; both run with umockdev's library preloaded): found at start and on hotplug, set up,
// lost when it leaves in the middle of an exchange (the bus then searched only after a change) and
// set up again when it comes back at a new address; a unit that may not be opened, or is busy, is
// explained on the interface page until it opens.
#include "paneltestrig.h"
#include "settings.h"
#include "usbtestbed.h"

#include <QtTest>

#include <unistd.h>

using namespace lyntra_test;

namespace {

// The panel on the emulated bus. As root it runs without root's power over file modes, so that a
// device node without rights refuses it as it refuses a user.
bool startOnTheBus(Panel &panel)
{
    QProcessEnvironment env = panel.process().processEnvironment();
    env.insert(QStringLiteral("LYNTRA_UNIT"), QStringLiteral("usb"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"),
               QStringLiteral("lyntra.milestone.info=true\nlyntra.link.search.debug=true"));
    panel.process().setProcessEnvironment(env);
    if (::getuid() == 0)
        panel.process().start(QStringLiteral("setpriv"),
                              {"--bounding-set", "-dac_override,-dac_read_search", Panel::program()});
    else
        panel.process().start(Panel::program(), QStringList());
    return panel.process().waitForStarted(kPatienceMs);
}

} // namespace

class TestUsb : public QObject {
    Q_OBJECT

private slots:
    void init() { Settings().setValue(settings::key::InformationDialog, true); }

    void foundSetUpLostAndBack()
    {
        // The unit among others on its bus, met before and after it whichever way the bus is listed, one of
        // them gone as it was listed.
        QVERIFY(bed_.plugStranger() && bed_.plug() && bed_.plugStranger() && bed_.plugStranger(false));
        Panel panel;
        QVERIFY(startOnTheBus(panel) && panel.awaitMarker("unit set up"));
        QVERIFY(bed_.state("clock_source").isDouble()); // the stored state arrived

        bed_.setFault(UsbTestbed::Fault::UnplugAtNextRead);
        QVERIFY(bed_.unplug() && panel.awaitMarker("unit lost"));
        // Once the few searches after the unplug are done, the bus is left alone until a device comes:
        // a whole second without one.
        QByteArray searches;
        for (int second = 0; second < 6 && (second < 2 || searches.contains("searched for")); ++second) {
            QTest::qWait(1000);
            searches = panel.process().readAll();
        }
        QVERIFY2(!searches.contains("searched for"), searches.constData());
        QVERIFY(bed_.plug() && panel.awaitMarker("unit set up") && bed_.unplug() && panel.awaitMarker("unit lost"));
    }

    void refusedUnitSaysWhy_data()
    {
        QTest::addColumn<bool>("denied");
        QTest::newRow("permission") << true;
        QTest::newRow("busy") << false;
    }
    void refusedUnitSaysWhy()
    {
        QFETCH(bool, denied);
        Panel panel;
        QVERIFY(startOnTheBus(panel));
        bed_.setFault(denied ? UsbTestbed::Fault::None : UsbTestbed::Fault::Busy);
        QVERIFY(bed_.plug(denied) && panel.awaitMarker(denied ? "unit not permitted" : "unit busy"));
        bed_.setDenied(false);
        bed_.setFault(UsbTestbed::Fault::None);
        QVERIFY(panel.awaitMarker("unit opens") && panel.awaitMarker("unit set up"));
        QVERIFY(bed_.unplug() && panel.awaitMarker("unit lost"));
    }

private:
    UsbTestbed bed_;
};

QTEST_GUILESS_MAIN(TestUsb)
#include "tst_usb.moc"
