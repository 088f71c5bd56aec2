// The real panel against a loopback server, on a display of its own: a copy of the program in a
// temporary prefix that trusts the test key. A hostile message (an image of /dev/zero, of a FIFO, a file:
// link and image) is shown without reading any of it, the panel still answers a click with a message to
// the unit, and quits on SIGTERM.
#include "confighome.h"
#include "httptestserver.h"
#include "paneltestrig.h"
#include "settings.h"
#include "updatesigner.h"
#include "xdisplay.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lyntra_test;

class TestUpdateE2E : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    QString panel_; // the copy in tmp_/prefix
    HttpTestServer server_;
    Display display_;

private slots:
    void initTestCase()
    {
        QVERIFY(tmp_.isValid() && display_.start());
        qputenv("TMPDIR", tmp_.path().toUtf8()); // the panel's too
        qputenv("LYNTRA_UNIT", "virtual");
        const QString keys = tmp_.path() + "/prefix/share/lyntra-panel/update-keys";
        panel_ = tmp_.path() + "/prefix/bin/lyntra-panel";
        QVERIFY(QDir().mkpath(keys) && QDir().mkpath(tmp_.path() + "/prefix/bin"));
        QVERIFY(QFile::copy(Panel::program(), panel_));
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/../share/lyntra-panel/update-keys/test.pem",
                            keys + "/test.pem"));
    }
    void init() { lyntra_test::clear_config_home(); }

    // One message holding every bait: an image of /dev/zero, an image of a FIFO, a file: link and image.
    void hostileMessage()
    {
        const QString fifo = tmp_.path() + "/fifo", file = tmp_.path() + "/file";
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && QFile(file).open(QIODevice::WriteOnly));
        const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        for (const QString &bait : {fifo, file})
            QVERIFY(inotify_add_watch(watch, QFile::encodeName(bait).constData(), IN_OPEN | IN_ACCESS) >= 0);
        const QString message = QStringLiteral("<p>news</p><img src=\"/dev/zero\" alt=\"zero\"><img src=\"%1\">"
                                               "<a href=\"file://%2\">news</a><img src=\"file://%2\">")
                                    .arg(fifo, file);
        const QJsonObject messages{{"messages", QJsonObject{{"English", message}}}};
        const QByteArray document = QJsonDocument(QJsonObject{{"LYNTRA_version1", messages}}).toJson();
        server_.serve("/doc.json", {document, -1, 0, {}});
        server_.serve("/doc.json.sig", {signatureOf(document), -1, 0, {}});
        Settings().setValue(settings::key::JsonUrl, server_.url("/doc.json"));
        Settings().setValue(settings::key::InformationDialog, true);
        QFile scene(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/AVENOR/DUOMIX_sm3.ini");
        QVERIFY(scene.open(QIODevice::WriteOnly) && scene.write("[Track5]\nMute=true\n") > 0);
        scene.close();

        VirtualUnit unit;
        QVERIFY(unit.start());
        Panel panel;
        display_.attach(panel.process());
        // On X the desktop's D-Bus libraries leak at exit; leaks are checked where the panel runs offscreen.
        QProcessEnvironment env = panel.process().processEnvironment();
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        panel.process().setProcessEnvironment(env);
        QVERIFY(panel.start(panel_) && panel.awaitMarker("unit set up"));
        QVERIFY(!display_.window("^AVENOR Latest Information$").isEmpty());
        QVERIFY(loadSceneThree(display_, display_.window("^AVENOR LYNTRA K1/K2 Settings Panel$")));
        QVERIFY(unit.await("mute.input.4", 1));

        // /dev/zero cannot be watched; a panel that reads it reads gigabytes (it reads 0.5 MB in all).
        QFile io(QStringLiteral("/proc/%1/io").arg(panel.process().processId()));
        QVERIFY(io.open(QIODevice::ReadOnly));
        const QByteArray read = io.readLine();
        QVERIFY2(read.startsWith("rchar: ") && read.mid(7).trimmed().toLongLong() < (64 << 20), read);
        char events[4096];
        QVERIFY2(::read(watch, events, sizeof events) < 0, "a bait was opened");
        ::close(watch);
        // A reader still waiting in open() is not seen by inotify, but is one.
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        QVERIFY2(writer < 0 && errno == ENXIO, "the FIFO has a reader");
        panel.process().terminate();
        QVERIFY(panel.process().waitForFinished(kPatienceMs));
        QCOMPARE(panel.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(panel.process().exitCode(), 0);
    }
};

QTEST_MAIN(TestUpdateE2E)
#include "tst_update_e2e.moc"
