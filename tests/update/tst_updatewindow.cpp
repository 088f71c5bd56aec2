// The main window's use of the update controller: "- Update" offered once the checks are done, the
// firmware offer from the one-second tick, and every update window closed with the main window.
#include "QIXDevice.h"
#include "mainmenus.h"
#include "mainwindow.h"
#include "settings.h"
#include "updaterig.h"

#include "resources.h"

#include <QAction>
#include <QtTest>

using namespace lyntra_test;

class TestUpdateWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        lyntra_init_resources();
        privateTemp();
    }

    void updateOfferedWhenChecksAreDone()
    {
        // The document's firmware minor, the version put aside; whether the unit's 1.02 is offered an
        // update. Either way the checks are done.
        for (const auto &[firmwareMinor, putAside, offer] :
             {std::tuple{2, "", false}, {3, "", true}, {3, "1.03", false}}) {
            QFile::remove(Settings().mainFilePath());
            HttpTestServer server;
            serveDocument(server, {{"windows_software_version_major", 1},
                                   {"firmware_version_major", 1},
                                   {"firmware_version_minor", firmwareMinor}});
            QIXDevice device{QIXDevice::NoWorker{}};
            Settings settings;
            settings.setUpdateText("JsonUrl", server.url("/doc.json"));
            settings.setInformationDialog(true);
            settings.setUpdateText("FirmDialog", putAside);
            MainWindow w(device, settings);
            QVERIFY(!w.menus().update->isEnabled());
            device.recv_is_selected(true);
            emit device.sig_recv_version(102);
            emit device.sig_recv_build(34);
            emit device.sig_recv_productname("LYNTRA K2");
            // The one-second ticks run on their own; the document arrives when it does.
            QTRY_VERIFY_WITH_TIMEOUT(w.menus().update->isEnabled(), 30000);
            QCOMPARE(bool(shown("InformationBox")), offer);
            w.close();
            QVERIFY(!shown("InformationBox"));
        }
    }
};

QTEST_MAIN(TestUpdateWindow)
#include "tst_updatewindow.moc"
