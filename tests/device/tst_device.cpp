// The device object: pending entries merged into messages, the ready token, reply dispatch, and the
// worker thread with no unit to talk to.
#include "QIXDeviceUnit.h"
#include "datarow.h"
#include "hexbytes.h"
#include "qixrig.h"
#include "virtualunit.h"

#include <QtTest>

#include <functional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr uint32_t IN = IXMSG_DATA_CH_INPUT;
constexpr uint32_t MASTER = IXMSG_DATA_CH_MASTER;
constexpr uint32_t OUT = IXMSG_DATA_CH_OUTPUT;
constexpr uint32_t AUX = IXMSG_DATA_CH_AUX;

struct Operation {
    const char *name;
    std::function<bool(QIXDevice &)> apply;
    bool table; // a channel table: unchanged entries are not sent again, reset_params forgets them
};

// One call of every setting kind, in the reverse of the order they go on the wire.
const Operation kOperations[] = {
    {"phase", [](QIXDevice &d) { return d.set_phase(IN, 19, 1); }, true},
    {"solo", [](QIXDevice &d) { return d.set_solo(IN, 1, 1); }, true},
    {"mute", [](QIXDevice &d) { return d.set_mute(MASTER, 2, 1); }, true},
    {"pan", [](QIXDevice &d) { return d.set_pan(IN, 5, 20); }, true},
    {"fader", [](QIXDevice &d) { return d.set_fader(OUT, 9, -60); }, true},
    {"truebypass", [](QIXDevice &d) { return d.set_truebypass(IN, 2, 1); }, true},
    {"return", [](QIXDevice &d) { return d.set_return(1, -6); }, false},
    {"reverb", [](QIXDevice &d) { return d.set_reverb(2, 10, 20, 30); }, false},
    {"comp", [](QIXDevice &d) { return d.set_comp(IN, 7, 1, -10, 20, 4, 5, 6, 2); }, true},
    {"eq", [](QIXDevice &d) { return d.set_eq(IN, 20, 1, 4, 12, 40, 255); }, true},
    {"send", [](QIXDevice &d) { return d.set_send(MASTER, 1, AUX, 4, 2, -98); }, true},
    {"assign_ch", [](QIXDevice &d) { return d.set_assign_ch(IN, 3, OUT, 20); }, true},
    {"adat_x4mode", [](QIXDevice &d) { return d.set_adat_x4mode(6, 1); }, false},
    {"clocksource", [](QIXDevice &d) { return d.set_clocksource(5); }, false},
    {"store", [](QIXDevice &d) { return d.store(); }, false},
};

// The completing item of every entry in `messages`, in order.
QList<int> entry_ids(const QList<QByteArray> &messages)
{
    static const QSet<int> completing{24,  25,  26,  27,  49,  67,  70,  72,  74,  85,  113,
                                      129, 130, 131, 132, 133, 135, 151, 162, 177, 193, 213};
    QList<int> ids;
    for (const QByteArray &m : messages) {
        wire::ReplyReader r;
        r.read(m);
        for (const wire::Seen &s : r.items)
            if (completing.contains(s.id))
                ids << s.id;
    }
    return ids;
}

// Every value the device object publishes, one line each, in emission order.
class Recorder : public QObject {
public:
    explicit Recorder(QIXDevice &d)
    {
        auto add = [this](const QString &s) { lines << s; };
        auto text = [add](const char *what) { return [add, what](const QString &t) { add(what + t); }; };
        auto num = [add](const char *what) {
            return [add, what](uint32_t v) { add(what + QString::number(v)); };
        };
        connect(&d, &QIXDevice::sig_recv_debug, this, text("debug "));
        connect(&d, &QIXDevice::sig_recv_productname, this, text("product "));
        connect(&d, &QIXDevice::sig_recv_builddate, this, text("date "));
        connect(&d, &QIXDevice::sig_recv_buildtime, this, text("time "));
        connect(&d, &QIXDevice::sig_recv_hz, this, num("hz "));
        connect(&d, &QIXDevice::sig_recv_clocksource, this, num("clocksource "));
        connect(&d, &QIXDevice::sig_recv_dspmode, this, num("dspmode "));
        connect(&d, &QIXDevice::sig_recv_version, this, num("version "));
        connect(&d, &QIXDevice::sig_recv_build, this, num("build "));
        auto pair = [add](const char *what) {
            return [add, what](uint32_t a, uint32_t b) {
                add(QStringLiteral("%1 %2 %3").arg(what).arg(a).arg(b));
            };
        };
        connect(&d, &QIXDevice::sig_recv_clocklock, this, pair("clocklock"));
        connect(&d, &QIXDevice::sig_recv_clockhz, this, pair("clockhz"));
        connect(&d, &QIXDevice::sig_recv_adat_x4mode, this, pair("adat"));
        auto level = [add](const char *what) {
            return [add, what](ixmsg_data_ch_t t, uint8_t n, uint32_t v) {
                add(QStringLiteral("%1 %2/%3 %4").arg(what).arg(t).arg(n).arg(v));
            };
        };
        connect(&d, &QIXDevice::sig_recv_meter, this, level("meter"));
        connect(&d, &QIXDevice::sig_recv_grmeter, this, level("gr"));
    }
    QStringList lines;
};

// Counts a worker signal on the test thread (queued, after the device object's own slot has run).
struct Counter {
    QObject context;
    int count = 0;
    template <typename Signal> Counter(QIXDeviceUnit *unit, Signal signal)
    {
        QObject::connect(unit, signal, &context, [this] { ++count; });
    }
};

} // namespace

Q_DECLARE_METATYPE(QList<QByteArray>)

class TestDevice : public QObject {
    Q_OBJECT

private slots:
    // ---- The exchange: what goes out, when.

    void coalesces_while_in_flight()
    {
        Rig r;
        r.offer_ready();
        QVERIFY(r.dev.set_mute(IN, 1, 1));
        QCOMPARE(r.sends.count(), 1);
        QVERIFY(r.dev.set_fader(IN, 1, -100));
        QVERIFY(r.dev.set_fader(IN, 1, -50));
        QCOMPARE(r.sends.count(), 1);
        r.complete_send();
        QCOMPARE(r.sends.count(), 2);
        QCOMPARE(hexOf(r.last_send()), hexOf(hexBytes("61 02 04 62 02 01 81 03 CE FF")));
    }

    void ready_token_data()
    {
        QTest::addColumn<QList<uint32_t>>("tokens");
        QTest::addColumn<bool>("sends");
        row("1", QList<uint32_t>{1}, true);
        row("any non-zero", QList<uint32_t>{0x1234}, true);
        row("1 then 0", QList<uint32_t>{1, 0}, false);
        row("0 then 1", QList<uint32_t>{0, 1}, true);
        row("0", QList<uint32_t>{0}, false);
        row("no token", QList<uint32_t>{}, false);
    }
    void ready_token()
    {
        QFETCH(QList<uint32_t>, tokens);
        QFETCH(bool, sends);
        Rig r;
        Reply reply;
        reply.u32(IXMSG_ID_HZ, 48000);
        for (uint32_t t : tokens)
            reply.u16(IXMSG_ID_READY, t);
        r.dev.recv_ix_recv_result(true, reply);
        QVERIFY(r.dev.set_fader(IN, 3, -10));
        QCOMPARE(r.sends.count(), sends ? 1 : 0);
        QCOMPARE(r.polls.count(), sends ? 0 : 1);
    }

    void ready_ignored_while_message_in_flight()
    {
        Rig r;
        r.offer_ready();
        QVERIFY(r.dev.set_pan(IN, 1, 0));
        r.offer_ready(); // a read overtaking the send's result
        QVERIFY(r.dev.set_pan(IN, 2, 0));
        QCOMPARE(r.sends.count(), 1);
        QCOMPARE(r.polls.count(), 1);
        r.dev.recv_ix_send_result(true);
        QCOMPARE(r.sends.count(), 1);
        r.offer_ready(); // the poll's answer
        QCOMPARE(r.sends.count(), 2);
        QCOMPARE(describe(r.last_send()), QStringLiteral("97=4 98=2 130=0"));
    }

    void polls_once_and_repeats_when_asked_meanwhile()
    {
        Rig r;
        r.dev.get_meter();
        r.dev.get_hz(); // a read is out: remembered, not repeated yet
        r.dev.get_info();
        QCOMPARE(r.polls.count(), 1);
        r.dev.recv_ix_recv_result(true, Reply()); // no token: the remembered poll goes out now
        QCOMPARE(r.polls.count(), 2);
        r.dev.recv_ix_recv_result(true, Reply());
        QCOMPARE(r.polls.count(), 2);
        r.dev.get_dspmode();
        r.dev.get_grmeter(IN, 3);
        r.dev.get_grmeter(IN, 5); // replaces the pending address
        QCOMPARE(r.polls.count(), 3);
        QCOMPARE(r.sends.count(), 0);
        r.offer_ready();
        QCOMPARE(describe(r.last_send()), QStringLiteral("49=0 24=0 113=0 97=4 98=5 177=0 193=0"));
    }

    // Whole entries only, in the fixed order; the first entry that does not fit ends the message.
    void packing()
    {
        Rig r;
        for (uint32_t ch = 1; ch <= 5; ++ch)
            QVERIFY(r.dev.set_comp(IN, ch, 1, -32, 10, 2, 1, 0, 1)); // 27 bytes each
        QVERIFY(r.dev.set_mute(IN, 1, 1));                           // 9 bytes, would fit after two
        const QList<QByteArray> messages = r.drain();
        QCOMPARE(messages.size(), 3);
        QCOMPARE(entry_ids(messages), (QList<int>{151, 151, 151, 151, 151, 131}));
        QCOMPARE(messages[0].size(), 54);
        QCOMPARE(describe(messages[2]).left(11), QStringLiteral("97=4 98=5 1"));
    }

    void fixed_order_across_kinds()
    {
        Rig r;
        for (const Operation &o : kOperations)
            QVERIFY(o.apply(r.dev));
        r.dev.get_dspmode();
        r.dev.get_grmeter(IN, 4);
        r.dev.get_meter();
        r.dev.get_clocklock();
        r.dev.get_clocksource();
        r.dev.get_hz();
        r.dev.get_info();
        QVERIFY(r.dev.set_fader(IN, 1, 0));
        QVERIFY(r.dev.set_fader(MASTER, 1, 0));
        QVERIFY(r.dev.set_mute(IN, 20, 1));
        QVERIFY(r.dev.set_adat_x4mode(5, 2));
        const QList<QByteArray> messages = r.drain();
        const QList<int> expected{49, 24,  26,  27, 113, 177, 193, 162, 25,  135, 135, 67,  70,
                                  85, 151, 213, 72, 74,  129, 129, 129, 130, 131, 131, 132, 133};
        QCOMPARE(entry_ids(messages), expected);
        QString all;
        for (const QByteArray &m : messages)
            all += describe(m) + QLatin1Char(' ');
        // Optical A before B; faders input, master, output; mute input before master.
        QVERIFY2(all.contains(QStringLiteral("29=5 135=2 29=6 135=1")), qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("97=4 98=1 129=0 97=2 98=1 129=0 97=1 98=9 129=65476")),
                 qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("97=4 98=20 131=1 97=2 98=2 131=1")), qPrintable(all));
    }

    void unchanged_entry_sends_nothing_data()
    {
        QTest::addColumn<int>("op");
        for (int i = 0; i < int(std::size(kOperations)); ++i)
            row(kOperations[i].name, i);
    }
    void unchanged_entry_sends_nothing()
    {
        QFETCH(int, op);
        const Operation &o = kOperations[op];
        Rig r;
        r.offer_ready();
        QVERIFY(o.apply(r.dev));
        const QByteArray first = r.last_send();
        r.complete_send();
        QVERIFY(o.apply(r.dev)); // the same values again
        QCOMPARE(r.sends.count(), o.table ? 1 : 2);
        if (!o.table)
            r.complete_send();
        r.dev.reset_params();
        QVERIFY(o.apply(r.dev));
        QCOMPARE(r.sends.count(), o.table ? 2 : 3);
        QCOMPARE(r.last_send(), first);
    }

    void reset_params_drops_pending_tables_only_data() { unchanged_entry_sends_nothing_data(); }
    void reset_params_drops_pending_tables_only()
    {
        QFETCH(int, op);
        const Operation &o = kOperations[op];
        Rig r;
        QVERIFY(o.apply(r.dev)); // not ready: stays pending
        r.dev.reset_params();
        r.offer_ready();
        QCOMPARE(r.sends.count(), o.table ? 0 : 1);
    }

    // ---- Replies: every item to its signal, with the address and source contexts.

    void dispatch_data()
    {
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<QStringList>("published");
        auto row = [](const char *name, QList<QByteArray> replies, QStringList out) {
            QTest::newRow(name) << replies << out;
        };
        row("lock before any source refers to source 0", {Reply().num(27, 3)}, {"clocklock 0 3"});
        row("source kept across replies", {Reply().num(29, 6).u32(30, 44100), Reply().num(27, 1).num(195, 2)},
            {"clockhz 6 44100", "clocklock 6 1", "adat 6 2"});
        row("meter groups", {Reply().num(97, 4).num(98, 3).u16(114, 100).num(98, 4).u32(114, 32768)},
            {"meter 4/3 100", "meter 4/4 32768"});
        row("address reset per reply", {Reply().num(97, 4).num(98, 3), Reply().u16(114, 7).u16(178, 8)},
            {"meter 0/0 7", "gr 0/0 8"});
        row("channel number is one byte", {Reply().num(97, 4).u16(98, 0x0103).num(178, 1)}, {"gr 4/3 1"});
        row("unit-wide values", {Reply().u32(24, 44100).num(26, 2).num(193, 7)},
            {"hz 44100", "clocksource 2", "dspmode 7"});
        row("identity",
            {Reply().u16(50, 0x0102).u32(51, 0x12345).text(52, "LYNTRA K2").text(53, "Dec  1 2026")},
            {"version 258", "build 9029", "product LYNTRA K2", "date Dec  1 2026"});
        row("texts are UTF-8", {Reply().text(54, "12:00").text(18, "\xC3\xA9t\xC3\xA9")},
            {"time 12:00", "debug été"});
        row("text id with a numeric type gives empty text", {Reply().num(52, 9).u16(18, 1)},
            {"product ", "debug "});
        row("numeric id with a byte string or a flag is skipped",
            {Reply().text(24, "48000").num(24, 0, IXMSG_T_FLAG).num(26, 1)}, {"clocksource 1"});
        row("unknown ids and the ready token publish nothing", {Reply().num(200, 1).num(161, 1).num(161, 0)},
            {});
        row("end item stops", {Reply().num(26, 1).raw(QByteArray(2, '\0')).num(26, 2)}, {"clocksource 1"});
        row("invalid type stops", {Reply().num(26, 1).raw(QByteArray::fromHex("1a07")).num(26, 2)},
            {"clocksource 1"});
        row("truncated text is not read",
            {Reply().raw(QByteArray(50, '\x01')).num(26, 5).raw(QByteArray::fromHex("34050a"))},
            {"clocksource 5"});
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

    void failed_io_resets_identity_data()
    {
        QTest::addColumn<bool>("read");
        row("read fails", true);
        row("send fails", false);
    }
    void failed_io_resets_identity()
    {
        QFETCH(bool, read);
        Rig r;
        r.dev.recv_ix_recv_result(true,
                                  Reply().u16(50, 3).u16(51, 4).text(52, "P").text(53, "d").text(54, "t"));
        QCOMPARE(r.dev.version(), uint16_t(3));
        QCOMPARE(r.dev.build(), uint16_t(4));
        QCOMPARE(r.dev.build_time(), QStringLiteral("t"));
        Recorder rec(r.dev);
        if (read)
            r.dev.recv_ix_recv_result(false, Reply().u16(50, 9).text(52, "ignored"));
        else
            r.dev.recv_ix_send_result(false);
        QCOMPARE(rec.lines, (QStringList{"version 0", "build 0", "product ", "date ", "time "}));
        QCOMPARE(r.dev.version(), uint16_t(0));
        QCOMPARE(r.dev.build(), uint16_t(0));
        QCOMPARE(r.dev.build_date(), QStringLiteral("d")); // only the published texts go empty
    }

    // ---- The worker thread, with no unit anywhere.

    void no_unit_searches_only_after_a_change()
    {
        qputenv("LYNTRA_UNIT", "virtual");
        const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
        QDir(runtime + "/ixdev").removeRecursively();
        QIXDevice dev;
        QVERIFY(dev.unit());
        Counter enumerations(dev.unit(), &QIXDeviceUnit::ret_select_default);
        QSignalSpy gone(&dev, &QIXDevice::sig_recv_productname);
        const auto request = [&](int answered) {
            dev.get_meter();
            QVERIFY(lyntra_test::wait_until([&] { return gone.count() == answered; }));
            QCOMPARE(gone.last().at(0).toString(), QString());
        };

        // Nothing came or went: requests fail without a search.
        for (int i = 1; i <= 3; ++i)
            request(i);
        QCOMPARE(dev.is_selected(), false);
        QCOMPARE(enumerations.count, 0);

        // Nothing to drop: still quiet.
        dev.deselect();
        request(4);
        QCOMPARE(enumerations.count, 0);

        // The discovery directory appears: a few requests search, then quiet again.
        QVERIFY(QDir().mkpath(runtime + "/ixdev"));
        for (int i = 5; i < 8 + QIXDeviceUnit::kSearchesAfterChange; ++i)
            request(i);
        QCOMPARE(enumerations.count, QIXDeviceUnit::kSearchesAfterChange);

        // A socket that appears before it listens is still found once it does, with no further event.
        sockaddr_un at{};
        at.sun_family = AF_UNIX;
        qstrncpy(at.sun_path, QFile::encodeName(runtime + "/ixdev/late").constData(), sizeof at.sun_path);
        const int late = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(late, reinterpret_cast<sockaddr *>(&at), sizeof at) == 0);
        request(8 + QIXDeviceUnit::kSearchesAfterChange);
        QCOMPARE(dev.is_selected(), false);
        QVERIFY(::listen(late, 4) == 0);
        QVERIFY(lyntra_test::wait_until([&] { return dev.is_selected(); }));
        ::close(late);

        QVERIFY(dev.shutdown(lyntra_test::kPatienceMs));
        QCOMPARE(dev.unit(), nullptr);
        QVERIFY(dev.shutdown(0)); // nothing left to stop
    }
};

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
