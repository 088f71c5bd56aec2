// The real panel against a loopback server, on a display of its own: a copy of the program in a
// temporary prefix that trusts the test key. A hostile message (an image of /dev/zero, of a FIFO, a file:
// link and image) is shown without reading any of it, the panel still answers a click with a message to
// the unit, and quits on SIGTERM; a signed firmware offer is taken with the keyboard and the whole
// download runs to the installer.
#include "httptestserver.h"
#include "paneltestrig.h"
#include "settings.h"
#include "updatesigner.h"
#include "xdisplay.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lyntra_test;

namespace {

const QString Information = QStringLiteral("AVENOR Latest Information");
const QString Update = QStringLiteral("AVENOR Update Information");
const QString Window = QStringLiteral("AVENOR LYNTRA K1/K2 Settings Panel");

// Did anything open `path` since `watch` began? (inotify, non-blocking)
bool opened(int watch)
{
    char events[4096];
    return ::read(watch, events, sizeof events) > 0;
}

} // namespace

class TestUpdateE2E : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    QString panel_; // the copy in tmp_/prefix
    HttpTestServer server_;
    Display display_;

    // The settings the panel starts with: the document's address and no start-up box.
    void serveDocument(const QJsonObject &version)
    {
        const QByteArray document = QJsonDocument(QJsonObject{{"LYNTRA_version1", version}}).toJson();
        server_.serve("/doc.json", {document, -1, 0, {}});
        server_.serve("/doc.json.sig", {signatureOf(document), -1, 0, {}});
        Settings settings;
        settings.setUpdateText("JsonUrl", server_.url("/doc.json"));
        settings.setInformationDialog(true);
    }
    bool startPanel(Panel &panel)
    {
        QProcessEnvironment env = panel.process().processEnvironment();
        env.insert("TMPDIR", tmp_.path());
        panel.process().setProcessEnvironment(env);
        display_.attach(panel.process());
        return panel.start(panel_);
    }
    // The id of the visible window titled `title`, once there is one; empty when none comes.
    QString window(const QString &title)
    {
        QString id;
        wait_until([&] { return display_.xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"}, &id); });
        return id;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(tmp_.isValid() && display_.start());
        qputenv("TMPDIR", tmp_.path().toUtf8());
        qputenv("LYNTRA_UNIT", "virtual");
        const QString keys = tmp_.path() + "/prefix/share/lyntra-panel/update-keys";
        panel_ = tmp_.path() + "/prefix/bin/lyntra-panel";
        QVERIFY(QDir().mkpath(keys) && QDir().mkpath(tmp_.path() + "/prefix/bin"));
        QVERIFY(QFile::copy(Panel::program(), panel_));
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/../share/lyntra-panel/update-keys/test.pem",
                            keys + "/test.pem"));
    }
    void init() { QDir(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"))).removeRecursively(); }

    void hostileMessage_data()
    {
        QTest::addColumn<QString>("message"); // %1: the bait's path
        QTest::addColumn<bool>("fifo");
        QTest::newRow("/dev/zero") << "<p>news</p><img src=\"/dev/zero\" alt=\"%1\">" << false;
        QTest::newRow("FIFO") << "<p>news</p><img src=\"%1\">" << true;
        QTest::newRow("file: link and image") << "<a href=\"file://%1\">news</a><img src=\"file://%1\">" << false;
    }
    void hostileMessage()
    {
        QFETCH(QString, message);
        QFETCH(bool, fifo);
        const QString bait = tmp_.path() + "/bait";
        QFile::remove(bait);
        QVERIFY(fifo ? ::mkfifo(QFile::encodeName(bait).constData(), 0600) == 0
                     : QFile(bait).open(QIODevice::WriteOnly));
        const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(inotify_add_watch(watch, QFile::encodeName(bait).constData(), IN_OPEN | IN_ACCESS) >= 0);
        serveDocument({{"messages", QJsonObject{{"English", message.arg(bait)}}}});
        QFile scene(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/AVENOR/DUOMIX_sm3.ini");
        QVERIFY(scene.open(QIODevice::WriteOnly) && scene.write("[Track5]\nMute=true\n") > 0);
        scene.close();

        VirtualUnit unit;
        QVERIFY(unit.start());
        Panel panel;
        QVERIFY(startPanel(panel));
        QVERIFY(!window(Information).isEmpty());
        QVERIFY(loadSceneThree(display_, window(Window)));
        QVERIFY(unit.await("mute.input.4", 1));

        // /dev/zero cannot be watched; a panel that reads it reads gigabytes (it reads 0.5 MB in all).
        QFile io(QStringLiteral("/proc/%1/io").arg(panel.process().processId()));
        QVERIFY(io.open(QIODevice::ReadOnly));
        const QByteArray read = io.readLine();
        QVERIFY2(read.startsWith("rchar: ") && read.mid(7).trimmed().toLongLong() < (64 << 20), read);
        QVERIFY2(!opened(watch), "the bait was opened");
        ::close(watch);
        if (fifo) { // a reader still waiting in open() is not seen by inotify, but is one
            const int writer = ::open(QFile::encodeName(bait).constData(), O_WRONLY | O_NONBLOCK);
            QVERIFY2(writer < 0 && errno == ENXIO, "the FIFO has a reader");
        }
        panel.process().terminate();
        QVERIFY(panel.process().waitForFinished(kPatienceMs));
        QCOMPARE(panel.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(panel.process().exitCode(), 0);
    }

    // A signed document offers the unit newer firmware: Return takes the offer, the download is checked
    // against the document's digest, and Return on the finished download starts the installer.
    void signedUpdateEndToEnd()
    {
        const QByteArray installer = "#!/bin/sh\necho ran > \"$TMPDIR/installed\"\n";
        server_.serve("/firmware.sh", {installer, -1, 0, {}});
        serveDocument({{"firmware_version_major", 1},
                       {"firmware_version_minor", 3},
                       {"linux_firmware_url_en", server_.url("/firmware.sh")},
                       {"linux_firmware_url_en_sha256",
                        QString(QCryptographicHash::hash(installer, QCryptographicHash::Sha256).toHex())}});
        VirtualUnit unit;
        QVERIFY(unit.start({"--version", "102", "--build", "1"}));
        Panel panel;
        QVERIFY(startPanel(panel));
        QString offer = window(Update);
        QVERIFY(!offer.isEmpty());
        QVERIFY(display_.xdotool({"windowfocus", "--sync", offer, "key", "Return"}));
        // The download's window and the finished one share the title; Return does nothing on the first.
        QVERIFY(wait_until([&] {
            QString next;
            if (display_.xdotool({"search", "--onlyvisible", "--name", "^" + Update + "$"}, &next) && next != offer)
                display_.xdotool({"windowfocus", "--sync", next, "key", "Return"});
            return QFileInfo::exists(tmp_.path() + "/installed");
        }));
        QCOMPARE(server_.requests("/firmware.sh"), 1);
    }
};

QTEST_MAIN(TestUpdateE2E)
#include "tst_update_e2e.moc"
