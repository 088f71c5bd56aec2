// The buffer-size slider of the real interface page against a private PipeWire server (no session
// manager; the server's own "settings" metadata), read back and changed with the server's own tool,
// pw-metadata: what the slider asks, what the server takes, changes made elsewhere, the server coming
// and going.
#include "buffersize.h"
#include "pagerig.h"
#include "resources.h"
#include "virtualunit.h"

#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace lyntra_test;

namespace {

// Refuses forced quanta outside 16..2048 and rounds to powers of two, as desktop servers are set up.
const char kConfig[] = R"(context.properties = {
    core.daemon = true
    core.name = pipewire-0
    default.clock.min-quantum = 16
    settings.check-quantum = true
    clock.power-of-two-quantum = true
}
context.spa-libs = { support.* = support/libspa-support }
context.modules = [
    { name = libpipewire-module-protocol-native }
    { name = libpipewire-module-metadata }
    { name = libpipewire-module-access }
]
)";

// `pw-metadata -n settings [0 clock.force-quantum <value>]`; its output.
QByteArray pwMetadata(const QStringList &set = {})
{
    QProcess tool;
    tool.start(QStringLiteral("pw-metadata"), QStringList{"-n", "settings"} + set);
    tool.waitForFinished(kPatienceMs);
    return tool.readAllStandardOutput();
}

// The forced quantum the server's metadata holds, -1 when it cannot be read.
int forcedQuantum()
{
    const QByteArray out = pwMetadata();
    const int at = out.indexOf("key:'clock.force-quantum' value:'");
    return at < 0 ? -1 : out.mid(at + 33).split('\'').value(0).toInt();
}

class Server {
public:
    ~Server() { stop(); }
    bool start()
    {
        QFile conf(dir_.filePath("test.conf"));
        if (!conf.open(QIODevice::WriteOnly) || conf.write(kConfig) < 0)
            return false;
        conf.close();
        process_.start(QStringLiteral("pipewire"), {"-c", conf.fileName()});
        return process_.waitForStarted(kPatienceMs) && wait_until([] { return forcedQuantum() >= 0; });
    }
    void stop()
    {
        process_.terminate();
        process_.waitForFinished(kPatienceMs);
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
};

} // namespace

class TestSoundServer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { lyntra_init_resources(); }
    void init()
    {
        QDir(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"))).removeRecursively();
        rig_ = std::make_unique<PageRig>();
        rig_->page.refreshBufferSize(); // as the window does when it opens: 256 stored
        slider_ = rig_->find<QSlider>("hS_BufferSize");
        size_ = rig_->find<QLabel>("label_BufferSizeDisp");
        where_ = rig_->find<QLabel>("label_SoundServer");
    }
    void cleanup()
    {
        rig_.reset();
        server_.reset();
    }

    // Found when it appears after the panel; the slider, moved with the keys, sets its quantum and
    // shows what it took.
    void sliderSetsTheQuantum_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("text");
        QTest::newRow("512") << 8 << 8 << " 512 Samples";
        QTest::newRow("24 rounds down to 16") << 3 << 2 << "  16 Samples";
        QTest::newRow("4 is refused, 256 stays") << 0 << 7 << " 256 Samples";
    }
    void sliderSetsTheQuantum()
    {
        QFETCH(int, position);
        QFETCH(int, shown);
        QFETCH(QString, text);
        QVERIFY2(wait_until([&] { return where_->text() == QStringLiteral("No sound server found"); }), qPrintable(where_->text()));
        startServer();

        slider_->setFocus();
        QTest::keyClick(slider_, Qt::Key_Home);
        for (int p = 0; p < position; ++p)
            QTest::keyClick(slider_, Qt::Key_Right);
        QVERIFY(wait_until([&] { return forcedQuantum() == BufferSize::samplesForPosition(position); }));
        QVERIFY(wait_until([&] { return size_->text() == text; }));
        QCOMPARE(slider_->value(), shown);
        QCOMPARE(rig_->settings.audioPerformanceIndex(), position);
    }

    // A quantum set with pw-metadata reaches the slider within a second.
    void changeElsewhereMovesTheSlider_data()
    {
        QTest::addColumn<int>("forced");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("text");
        QTest::newRow("512") << 512 << 8 << " 512 Samples";
        QTest::newRow("100 rounds down to 64") << 100 << 5 << "  64 Samples";
        QTest::newRow("none: the server's own 1024") << 0 << 9 << "1024 Samples";
    }
    void changeElsewhereMovesTheSlider()
    {
        QFETCH(int, forced);
        QFETCH(int, shown);
        QFETCH(QString, text);
        startServer();
        pwMetadata({"0", "clock.force-quantum", QString::number(forced)});
        QVERIFY(wait_until([&] { return slider_->value() == shown && size_->text() == text; }, 1000));
        QCOMPARE(rig_->settings.audioPerformanceIndex(), 7); // not the user's choice
    }

    // A server that goes away is said so; the choice made meanwhile reaches it when it is back.
    void serverComesBack()
    {
        startServer();
        server_->stop();
        QVERIFY(wait_until([&] { return where_->text() == QStringLiteral("No sound server found"); }));
        slider_->setValue(9);
        QCOMPARE(BufferSize::storedSamples(), 1024);
        QVERIFY(server_->start());
        QVERIFY(wait_until([] { return forcedQuantum() == 1024; }));
        QVERIFY(wait_until([&] { return size_->text() == QStringLiteral("1024 Samples"); }));
    }

private:
    // Starts the server and waits until the page has found it and given it the stored choice, 256.
    void startServer()
    {
        server_ = std::make_unique<Server>();
        QVERIFY(server_->start());
        QVERIFY(wait_until([&] { return where_->text().contains(QLatin1String("PipeWire")); }));
        QVERIFY(wait_until([] { return forcedQuantum() == 256; }));
        QVERIFY(wait_until([&] { return size_->text() == QStringLiteral(" 256 Samples"); }));
    }

    std::unique_ptr<PageRig> rig_;
    std::unique_ptr<Server> server_;
    QSlider *slider_ = nullptr;
    QLabel *size_ = nullptr;
    QLabel *where_ = nullptr;
};

QTEST_MAIN(TestSoundServer)
#include "tst_soundserver.moc"
