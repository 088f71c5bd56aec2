// The device object with its real worker thread and transport: no unit, and a virtual unit end to end.
#include "QIXDevice.h"
#include "QIXDeviceUnit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QTimer>
#include <QtTest>

namespace {

constexpr uint32_t IN = IXMSG_DATA_CH_INPUT;
constexpr uint32_t MASTER = IXMSG_DATA_CH_MASTER;
constexpr uint32_t OUT = IXMSG_DATA_CH_OUTPUT;
constexpr uint32_t AUX = IXMSG_DATA_CH_AUX;

QString runtime_dir()
{
    return QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
}

// Counts the worker's enumerations on the test thread (queued), so no counter is shared between threads.
struct EnumerationCounter {
    QObject context;
    int count = 0;
    explicit EnumerationCounter(QIXDeviceUnit *unit)
    {
        QObject::connect(unit, &QIXDeviceUnit::ret_select_default, &context, [this](bool) { ++count; });
    }
};

QJsonObject control(const QString &socket_path, const QByteArray &command)
{
    QLocalSocket s;
    s.connectToServer(socket_path);
    if (!s.waitForConnected(2000))
        return {};
    s.write(command + '\n');
    s.flush();
    QByteArray line;
    QElapsedTimer t;
    t.start();
    while (!line.endsWith('\n') && t.elapsed() < 3000) {
        if (s.bytesAvailable() == 0 && !s.waitForReadyRead(500))
            continue;
        line += s.readAll();
    }
    return QJsonDocument::fromJson(line).object();
}

} // namespace

class TestQixWorker : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(!runtime_dir().isEmpty());
        qputenv("LYNTRA_UNIT", "virtual");
    }

    void no_unit_each_poll_enumerates_once()
    {
        QDir(runtime_dir()).removeRecursively();
        QDir().mkpath(runtime_dir());
        QIXDevice dev;
        QVERIFY(dev.unit());
        EnumerationCounter enumerations(dev.unit());
        QSignalSpy gone(&dev, &QIXDevice::sig_recv_productname);

        QCOMPARE(dev.is_selected(), false);
        QTRY_COMPARE(enumerations.count, 1);
        QTest::qWait(30); // let the answer arrive
        QCOMPARE(dev.is_selected(), false);
        QTRY_COMPARE(enumerations.count, 2);

        for (int i = 1; i <= 5; ++i) {
            dev.get_meter();
            QTRY_COMPARE(gone.count(), i);
            QCOMPARE(gone.last().at(0).toString(), QString());
            QCOMPARE(enumerations.count, 2 + i);
        }
        QVERIFY(dev.shutdown(5000));
        QCOMPARE(dev.unit(), nullptr);
        QVERIFY(dev.shutdown(0)); // nothing left to stop
    }

    void no_unit_send_fails_then_reads()
    {
        QIXDevice dev;
        EnumerationCounter enumerations(dev.unit());
        QStringList outcomes;
        QObject ctx;
        connect(dev.unit(), &QIXDeviceUnit::ix_send_result, &ctx,
                [&](bool ok) { outcomes << QStringLiteral("send %1").arg(ok); });
        connect(dev.unit(), &QIXDeviceUnit::ix_recv_result, &ctx, [&](bool ok, const QByteArray &b) {
            outcomes << QStringLiteral("recv %1 %2").arg(ok).arg(b.size());
        });
        QElapsedTimer t;
        t.start();
        QVERIFY(QMetaObject::invokeMethod(dev.unit(), "ix_send", Qt::QueuedConnection,
                                          Q_ARG(QByteArray, QByteArray::fromHex("3101"))));
        QTRY_COMPARE(outcomes.size(), 2);
        QVERIFY(t.elapsed() >= 10); // the sleep after the send comes before the read
        QCOMPARE(outcomes, (QStringList{"send 0", "recv 0 64"}));
        QCOMPARE(enumerations.count, 2);
        QVERIFY(dev.shutdown(5000));
    }

    void virtual_unit_end_to_end()
    {
        const QString program = QString::fromLocal8Bit(qgetenv("LYNTRA_BIN_DIR")) + "/lyntra-virtual-unit";
        if (!QFileInfo(program).isExecutable())
            QSKIP("lyntra-virtual-unit is not built");
        const QString dir = runtime_dir() + "/ixdev";
        QProcess unit;
        unit.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        unit.start(program, {"--dir", dir, "--version", "513", "--build", "42"});
        QVERIFY(unit.waitForStarted(5000));
        QVERIFY(unit.waitForReadyRead(5000));
        const QString ctl = dir + "/lyntra0.ctl";

        {
            QIXDevice dev;
            QSignalSpy versions(&dev, &QIXDevice::sig_recv_version);
            QSignalSpy names(&dev, &QIXDevice::sig_recv_productname);
            // The main window's timer keeps the exchange going; a short one keeps the test fast.
            QTimer poll;
            connect(&poll, &QTimer::timeout, &dev, &QIXDevice::get_hz);
            poll.start(15);

            QVERIFY(dev.set_fader(IN, 1, -50));
            QVERIFY(dev.set_fader(OUT, 9, -1270));
            QVERIFY(dev.set_mute(MASTER, 2, 1));
            QVERIFY(dev.set_pan(IN, 3, 40));
            QVERIFY(dev.set_eq(IN, 2, 1, 3, 14, 40, 5));
            QVERIFY(dev.set_comp(IN, 7, 1, -12, 40, 30, 20, 3, 2));
            QVERIFY(dev.set_send(IN, 4, AUX, 2, 3, -20));
            QVERIFY(dev.set_assign_ch(IN, 5, OUT, 1));
            QVERIFY(dev.set_reverb(3, 10, 20, 30));
            QVERIFY(dev.set_return(1, -6));
            dev.get_info();

            QTRY_VERIFY_WITH_TIMEOUT(!versions.isEmpty() && versions.last().at(0).toUInt() == 513, 5000);
            QVERIFY(!names.last().at(0).toString().isEmpty());
            QCOMPARE(dev.build(), uint16_t(42));

            QJsonObject s;
            QTRY_VERIFY_WITH_TIMEOUT((s = control(ctl, "state"))["reverb"].toObject()["type"].toInt() == 3 &&
                                         s["return"].toObject()["level"].toInt() == -6,
                                     5000);
            QCOMPARE(s["fader"].toObject()["input"].toArray()[0].toInt(), -50);
            QCOMPARE(s["fader"].toObject()["output"].toArray()[8].toInt(), -1270);
            QCOMPARE(s["mute"].toObject()["master"].toArray()[1].toInt(), 1);
            QCOMPARE(s["pan"].toArray()[2].toInt(), 40);
            const QJsonObject band = s["eq"].toArray()[1].toArray()[2].toObject();
            QCOMPARE(band["gain"].toInt(), 14);
            QCOMPARE(band["freq"].toInt(), 40);
            QCOMPARE(band["q"].toInt(), 5);
            const QJsonObject comp = s["comp"].toArray()[6].toObject();
            QCOMPARE(comp["threshold"].toInt(), -12);
            QCOMPARE(comp["link"].toInt(), 2);
            const QJsonObject send = s["send"].toObject()["input"].toArray()[3].toArray()[1].toObject();
            QCOMPARE(send["point"].toInt(), 3);
            QCOMPARE(send["level"].toInt(), -20);
            const QJsonObject route = s["route"].toArray()[0].toObject();
            QCOMPARE(route["type"].toInt(), int(IN));
            QCOMPARE(route["channel"].toInt(), 5);
            QVERIFY(s["fader"].toObject()["input"].toArray()[1].isNull()); // never set

            // An unchanged value adds no message.
            poll.stop();
            QTest::qWait(100);
            const int messages = control(ctl, "state")["messages"].toInt();
            QVERIFY(dev.set_fader(IN, 1, -50));
            QTest::qWait(100);
            QCOMPARE(control(ctl, "state")["messages"].toInt(), messages);
            QVERIFY(dev.shutdown(5000));
        }
        unit.terminate();
        QVERIFY(unit.waitForFinished(5000));
    }
};

QTEST_GUILESS_MAIN(TestQixWorker)
#include "tst_qixworker.moc"
