// A stored reverb through the real panel to the virtual unit: at start, and again after the unit was
// unplugged and plugged back.
#include "ixmsg.h"
#include "paneltestrig.h"

#include <QDir>
#include <QJsonArray>
#include <QtTest>

using namespace lyntra_test;

namespace {

// LIVE with its own values, a HALL that must not be sent, the reverb on and the return at -4 dB.
const char kStored[] = R"([Misc]
Information_Dialog=true

[Reverb]
Mode=3
MasterReverb=true
RvbPreDelayPos_Hall=11
RvbTimePos_Hall=12
RvbDiffPos_Hall=13
RvbPreDelayPos_Live=140
RvbTimePos_Live=63
RvbTimeValue_Live=6.3
RvbDiffPos_Live=88

[TrackMaster]
Return_Level=90
Return_Value=" -4dB"
)";

// The reverb and return items of the host's messages in the trace, in order, as "id=value" (the
// return level as a signed byte).
QStringList reverbItems(const QJsonObject &trace)
{
    QStringList items;
    for (const QJsonValue &entry : trace.value(QStringLiteral("trace")).toArray()) {
        const QJsonObject e = entry.toObject();
        if (e.value(QStringLiteral("dir")).toString() != QLatin1String("out"))
            continue;
        QByteArray bytes = QByteArray::fromHex(e.value(QStringLiteral("hex")).toString().toLatin1());
        ixmsg_buf buf;
        ixmsg_init(&buf, reinterpret_cast<uint8_t *>(bytes.data()), uint8_t(qMin(bytes.size(), 64)));
        uint8_t id = 0;
        uint32_t value = 0;
        while (ixmsg_get(&buf, &id, nullptr, &value, nullptr, nullptr) == 0) {
            if ((id >= IXMSG_ID_REVERB_TYPE && id <= IXMSG_ID_REVERB_DIFF) || id == IXMSG_ID_RETURN_ON)
                items << QStringLiteral("%1=%2").arg(id).arg(value);
            else if (id == IXMSG_ID_RETURN_LEVEL)
                items << QStringLiteral("%1=%2").arg(id).arg(int(int8_t(value & 0xFF)));
        }
    }
    return items;
}

// LIVE 140/63/88, then the return at -4 dB, on.
const QStringList kPush{"209=3", "210=140", "211=63", "212=88", "71=-4", "72=1"};

bool holdsStoredReverb(const VirtualUnit &unit)
{
    const QJsonObject s = unit.state();
    const QJsonObject rv = s.value(QStringLiteral("reverb")).toObject();
    const QJsonObject ret = s.value(QStringLiteral("return")).toObject();
    return rv.value("type").toInt() == 3 && rv.value("predelay").toInt() == 140 && rv.value("time").toInt() == 63 &&
           rv.value("diff").toInt() == 88 && ret.value("on").toInt() == 1 && ret.value("level").toInt() == -4;
}

} // namespace

class TstReverbE2E : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(Panel::program()).isExecutable(), qPrintable(Panel::program()));
        QVERIFY2(VirtualUnit::available(), qPrintable(VirtualUnit::program()));
        QVERIFY(tmp_.isValid());
        qputenv("TMPDIR", tmp_.path().toUtf8());
        qputenv("XDG_SESSION_ID", "7");
        qputenv("LYNTRA_UNIT", "virtual");
        const QString dir = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/AVENOR");
        QVERIFY(QDir().mkpath(dir));
        QFile file(dir + QStringLiteral("/DUOMIX_Setting.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(kStored), qint64(sizeof(kStored) - 1));
    }

    void storedReverbAtStartAndAfterReplug()
    {
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K2", "--rate", "48000"}));
        const QString hook = tmp_.filePath(QStringLiteral("hook.txt"));
        Panel panel(hook);
        QVERIFY(panel.start());
        QVERIFY(panel.awaitMarker("unit set up"));
        QVERIFY2(wait_until([&] { return holdsStoredReverb(unit); }),
                 qPrintable(QJsonDocument(unit.state()).toJson(QJsonDocument::Compact)));
        // HALL's values never went out; the type went before the return.
        const QStringList atStart = reverbItems(unit.control("trace"));
        QVERIFY2(!atStart.contains("210=11"), qPrintable(atStart.join(' ')));
        QCOMPARE(atStart.mid(atStart.lastIndexOf("209=3"), kPush.size()), kPush);

        QVERIFY(!unit.control("unplug").isEmpty());
        QVERIFY(waitFor([&] { return hookLines(hook).contains("box USB Disconnected"); }, kPatienceMs));
        QVERIFY(!unit.control("trace clear").isEmpty());
        QVERIFY(!unit.control("plug").isEmpty());
        QVERIFY(panel.awaitMarker("unit set up", kPatienceMs));
        QStringList again;
        QVERIFY2(wait_until([&] {
                     again = reverbItems(unit.control("trace"));
                     return again.contains("72=1");
                 }),
                 qPrintable(again.join(' ')));
        QCOMPARE(again.mid(again.indexOf("209=3"), kPush.size()), kPush);
        QVERIFY(holdsStoredReverb(unit));
        QCOMPARE(panel.process().state(), QProcess::Running);
    }

private:
    QTemporaryDir tmp_;
};

QTEST_GUILESS_MAIN(TstReverbE2E)
#include "tst_reverb_e2e.moc"
