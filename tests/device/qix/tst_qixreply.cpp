// Reply dispatch: every item to its signal, with the address and source contexts.
#include "qixrig.h"

#include <QtTest>

namespace {

// Records every published value as one line, in emission order.
class Recorder : public QObject {
public:
    explicit Recorder(QIXDevice &d)
    {
        auto add = [this](const QString &s) { lines << s; };
        connect(&d, &QIXDevice::sig_recv_debug, this, [add](QString t) { add("debug " + t); });
        connect(&d, &QIXDevice::sig_recv_hz, this,
                [add](uint32_t v) { add(QStringLiteral("hz %1").arg(v)); });
        connect(&d, &QIXDevice::sig_recv_clocksource, this,
                [add](ixmsg_data_clocksource_t s) { add(QStringLiteral("clocksource %1").arg(s)); });
        connect(&d, &QIXDevice::sig_recv_clocklock, this,
                [add](ixmsg_data_clocksource_t s, ixmsg_data_clocklock_t l) {
                    add(QStringLiteral("clocklock %1 %2").arg(s).arg(l));
                });
        connect(&d, &QIXDevice::sig_recv_clockhz, this, [add](ixmsg_data_clocksource_t s, uint32_t v) {
            add(QStringLiteral("clockhz %1 %2").arg(s).arg(v));
        });
        connect(&d, &QIXDevice::sig_recv_dspmode, this,
                [add](ixmsg_data_dspmode_t m) { add(QStringLiteral("dspmode %1").arg(m)); });
        connect(&d, &QIXDevice::sig_recv_adat_x4mode, this,
                [add](ixmsg_data_clocksource_t s, ixmsg_data_adat_x4mode_t m) {
                    add(QStringLiteral("adat %1 %2").arg(s).arg(m));
                });
        connect(&d, &QIXDevice::sig_recv_version, this,
                [add](uint16_t v) { add(QStringLiteral("version %1").arg(v)); });
        connect(&d, &QIXDevice::sig_recv_build, this,
                [add](uint16_t v) { add(QStringLiteral("build %1").arg(v)); });
        connect(&d, &QIXDevice::sig_recv_productname, this, [add](QString t) { add("product " + t); });
        connect(&d, &QIXDevice::sig_recv_builddate, this, [add](QString t) { add("date " + t); });
        connect(&d, &QIXDevice::sig_recv_buildtime, this, [add](QString t) { add("time " + t); });
        connect(&d, &QIXDevice::sig_recv_meter, this, [add](ixmsg_data_ch_t t, uint8_t n, uint32_t v) {
            add(QStringLiteral("meter %1/%2 %3").arg(t).arg(n).arg(v));
        });
        connect(&d, &QIXDevice::sig_recv_grmeter, this, [add](ixmsg_data_ch_t t, uint8_t n, uint32_t v) {
            add(QStringLiteral("gr %1/%2 %3").arg(t).arg(n).arg(v));
        });
    }
    QStringList lines;
};

} // namespace

Q_DECLARE_METATYPE(QList<QByteArray>)

class TestQixReply : public QObject {
    Q_OBJECT

private slots:
    void dispatch_data()
    {
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<QStringList>("published");

        auto row = [](const char *name, QList<QByteArray> replies, QStringList out) {
            QTest::newRow(name) << replies << out;
        };
        row("lock before any source refers to source 0", {Reply().num(27, 3)}, {"clocklock 0 3"});
        row("source then lock and rate", {Reply().num(29, 5).num(27, 2).u32(30, 96000)},
            {"clocklock 5 2", "clockhz 5 96000"});
        row("source kept across replies", {Reply().num(29, 6).u32(30, 44100), Reply().num(27, 1).num(195, 2)},
            {"clockhz 6 44100", "clocklock 6 1", "adat 6 2"});
        row("meter groups", {Reply().num(97, 4).num(98, 3).u16(114, 100).num(98, 4).u32(114, 32768)},
            {"meter 4/3 100", "meter 4/4 32768"});
        row("address reset per reply", {Reply().num(97, 4).num(98, 3), Reply().u16(114, 7).u16(178, 8)},
            {"meter 0/0 7", "gr 0/0 8"});
        row("gain reduction", {Reply().num(97, 4).num(98, 2).u16(178, 16000)}, {"gr 4/2 16000"});
        row("channel number is one byte", {Reply().num(97, 4).u16(98, 0x0103).num(114, 1)}, {"meter 4/3 1"});
        row("unit-wide values", {Reply().u32(24, 44100).num(26, 2).num(193, 7)},
            {"hz 44100", "clocksource 2", "dspmode 7"});
        row("identity", {Reply().u16(50, 0x0102).u16(51, 77).text(52, "LYNTRA K2").text(53, "Dec  1 2026")},
            {"version 258", "build 77", "product LYNTRA K2", "date Dec  1 2026"});
        row("version keeps 16 bits", {Reply().u32(50, 0x12345)}, {"version 9029"});
        row("texts are UTF-8", {Reply().text(54, "12:00").text(18, "\xC3\xA9t\xC3\xA9")},
            {"time 12:00", "debug été"});
        row("text id with a numeric type gives empty text", {Reply().num(52, 9).u16(18, 1)},
            {"product ", "debug "});
        row("numeric id with a byte string is skipped", {Reply().text(24, "48000").num(26, 1)},
            {"clocksource 1"});
        row("flag under a numeric id is skipped", {Reply().num(24, 0, IXMSG_T_FLAG).num(26, 6)},
            {"clocksource 6"});
        row("unknown ids and the ready token publish nothing", {Reply().num(200, 1).num(161, 1).num(161, 0)},
            {});
        row("end item stops", {Reply().num(26, 1).raw(QByteArray(2, '\0')).num(26, 2)}, {"clocksource 1"});
        row("invalid type stops", {Reply().num(26, 1).raw(QByteArray::fromHex("1a07")).num(26, 2)},
            {"clocksource 1"});
        row("truncated text is not read",
            {Reply().raw(QByteArray(50, '\x01')).num(26, 5).raw(QByteArray::fromHex("34050a"))},
            {"clocksource 5"});
        row("all zero", {QByteArray(64, '\0')}, {});
        row("empty", {QByteArray()}, {});
        row("longer than 64 is read in pieces",
            {Reply().num(97, 4).num(98, 1).bytes() + Reply().num(114, 5).bytes()}, {"meter 4/1 5"});
        row("short reply is one piece", {Reply().num(26, 2).bytes().left(3)}, {"clocksource 2"});
    }
    void dispatch()
    {
        QFETCH(QList<QByteArray>, replies);
        QFETCH(QStringList, published);
        Rig r;
        Recorder rec(r.dev);
        for (const QByteArray &b : replies)
            r.dev.recv_ix_recv_result(true, b);
        QCOMPARE(rec.lines, published);
    }

    void identity_is_stored()
    {
        Rig r;
        r.dev.recv_ix_recv_result(true, Reply().u16(50, 3).u16(51, 4).text(53, "d").text(54, "t"));
        QCOMPARE(r.dev.version(), uint16_t(3));
        QCOMPARE(r.dev.build(), uint16_t(4));
        QCOMPARE(r.dev.build_date(), QStringLiteral("d"));
        QCOMPARE(r.dev.build_time(), QStringLiteral("t"));
    }

    void failed_io_resets_identity_data()
    {
        QTest::addColumn<bool>("read");
        QTest::newRow("read fails") << true;
        QTest::newRow("send fails") << false;
    }
    void failed_io_resets_identity()
    {
        QFETCH(bool, read);
        Rig r;
        r.dev.recv_ix_recv_result(true,
                                  Reply().u16(50, 3).u16(51, 4).text(52, "P").text(53, "d").text(54, "t"));
        Recorder rec(r.dev);
        if (read)
            r.dev.recv_ix_recv_result(false, Reply().u16(50, 9).text(52, "ignored"));
        else
            r.dev.recv_ix_send_result(false);
        QCOMPARE(rec.lines, (QStringList{"version 0", "build 0", "product ", "date ", "time "}));
        QCOMPARE(r.dev.version(), uint16_t(0));
        QCOMPARE(r.dev.build(), uint16_t(0));
        // Only the published texts go empty.
        QCOMPARE(r.dev.build_date(), QStringLiteral("d"));
    }

    void queued_signals_carry_enum_values()
    {
        Rig r;
        QSignalSpy spy(&r.dev, &QIXDevice::sig_recv_clocklock);
        QVERIFY(spy.isValid());
        r.dev.recv_ix_recv_result(true, Reply().num(29, 2).num(27, 3));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<ixmsg_data_clocksource_t>(), IXMSG_DATA_CLOCKSOURCE_WORD);
        QCOMPARE(spy.at(0).at(1).value<ixmsg_data_clocklock_t>(), IXMSG_DATA_CLOCKLOCK_GOOD);
    }
};

QTEST_GUILESS_MAIN(TestQixReply)
#include "tst_qixreply.moc"
