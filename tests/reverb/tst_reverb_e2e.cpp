// A stored reverb through the real panel to the virtual unit: at start, and again after the unit was
// unplugged and plugged back.
#include "ixmsg.h"
#include "paneltestrig.h"
#include "settings.h"

#include <QDir>
#include <QJsonArray>
#include <QtTest>

using namespace lyntra_test;

namespace {

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

} // namespace

class TstReverbE2E : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(tmp_.isValid());
        qputenv("TMPDIR", tmp_.path().toUtf8());
        qputenv("XDG_SESSION_ID", "7");
        qputenv("LYNTRA_UNIT", "virtual");
        // LIVE with its own values, a HALL that must not be sent, the reverb on, the return at -4 dB.
        Settings stored;
        stored.setInformationDialog(true);
        stored.setReverbMode(3);
        stored.setRvbPreDelay(1, 11);
        stored.setRvbPreDelay(3, 140);
        stored.setRvbTime(3, 63, "6.3");
        stored.setRvbDiff(3, 88);
        stored.setReturn(90, " -4dB");
    }

    void storedReverbAtStartAndAfterReplug()
    {
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K2", "--rate", "48000"}));
        Panel panel;
        QVERIFY(panel.start());
        QVERIFY(panel.awaitMarker("unit set up"));
        QVERIFY(
            unit.await("reverb", QJsonObject{{"type", 3}, {"predelay", 140}, {"time", 63}, {"diff", 88}}));
        QVERIFY(unit.await("return", QJsonObject{{"on", 1}, {"level", -4}}));
        // HALL's values never went out; the type went before the return.
        const QStringList atStart = reverbItems(unit.control("trace"));
        QVERIFY2(!atStart.contains("210=11"), qPrintable(atStart.join(' ')));
        QCOMPARE(atStart.mid(atStart.lastIndexOf("209=3"), kPush.size()), kPush);

        QVERIFY(!unit.control("unplug").isEmpty());
        QVERIFY(panel.awaitMarker("unit lost"));
        QVERIFY(!unit.control("trace clear").isEmpty());
        QVERIFY(!unit.control("plug").isEmpty());
        QVERIFY(panel.awaitMarker("unit set up"));
        QStringList again;
        QVERIFY(wait_until([&] { return (again = reverbItems(unit.control("trace"))).contains("72=1"); }));
        QCOMPARE(again.mid(again.indexOf("209=3"), kPush.size()), kPush);
        QCOMPARE(panel.process().state(), QProcess::Running);
    }

private:
    QTemporaryDir tmp_;
};

QTEST_GUILESS_MAIN(TstReverbE2E)
#include "tst_reverb_e2e.moc"
