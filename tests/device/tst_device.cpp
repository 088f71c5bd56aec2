// The message protocol and the device object: items on the wire, every command's bytes and what the
// firmware model makes of them, the addresses each setting accepts (in the command set and the device
// object alike), the knob conversions; pending entries merged into messages, the ready token, reply
// dispatch, and the worker thread with no unit to talk to.
#include "qixdeviceunit.h"
#include "datarow.h"
#include "firmware.h"
#include "hexbytes.h"
#include "ixcmd.h"
#include "workerrig.h"
#include "virtualunit.h"

#include <QtTest>

#include <functional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace lyntra::fw;
using Writer = std::function<int(ixmsg_buf *)>;
using Knob = std::function<int(int)>;
Q_DECLARE_METATYPE(Writer)
Q_DECLARE_METATYPE(Knob)

namespace {

constexpr uint32_t IN = IXMSG_DATA_CH_INPUT;
constexpr uint32_t MASTER = IXMSG_DATA_CH_MASTER;
constexpr uint32_t OUT = IXMSG_DATA_CH_OUTPUT;
constexpr uint32_t AUX = IXMSG_DATA_CH_AUX;

QByteArray written(const Writer &write)
{
    uint8_t storage[IXMSG_CAPACITY] = {};
    ixmsg_buf buf;
    ixmsg_init(&buf, storage, sizeof storage);
    return write(&buf) == 0 ? QByteArray(reinterpret_cast<char *>(storage), buf.position) : QByteArray();
}

// One setting kind over a whole address space, and which addresses the unit has: type -> highest
// number (from 1); type 0 when only the number counts; none for the optical ports 5 and 6.
struct AddressRow {
    const char *name;
    uint8_t id; // the item that completes the entry
    ixcmd_op_t op;
    QMap<uint32_t, uint32_t> highest;
    std::function<bool(QIXDevice &, uint32_t, uint32_t)> set;

    bool unit_has(uint32_t t, uint32_t n) const
    {
        if (highest.isEmpty())
            return n == 5 || n == 6;
        const uint32_t key = highest.contains(0) ? 0 : t;
        return highest.contains(key) && n >= 1 && n <= highest.value(key);
    }
};

// A command writer, and a setter over (type, number); rows that ignore one of the two leave it unused.
#define SET(call)                                                                                            \
    [](QIXDevice &to, [[maybe_unused]] uint32_t t, [[maybe_unused]] uint32_t n) { return to.call; }

#define W(call) [](ixmsg_buf *b) { return call; }

const QVector<AddressRow> &address_rows()
{
    static const QVector<AddressRow> rows{
        {"fader", 129, IXCMD_FADER, {{IN, 20}, {MASTER, 2}, {OUT, 9}}, SET(set_fader(t, n, -10))},
        {"mute", 131, IXCMD_MUTE, {{IN, 20}, {MASTER, 2}}, SET(set_mute(t, n, 1))},
        {"pan", 130, IXCMD_PAN, {{IN, 20}}, SET(set_pan(t, n, 3))},
        {"solo", 132, IXCMD_SOLO, {{IN, 20}}, SET(set_solo(t, n, 1))},
        {"phase", 133, IXCMD_PHASE, {{IN, 20}}, SET(set_phase(t, n, 1))},
        {"true bypass", 74, IXCMD_TRUEBYPASS, {{IN, 20}}, SET(set_truebypass(t, n, 1))},
        {"compressor", 151, IXCMD_COMP, {{IN, 20}}, SET(set_comp(t, n, 1, -3, 20, 2, 1, 0, 1))},
        {"eq channel", 85, IXCMD_EQ, {{IN, 20}}, SET(set_eq(t, n, 1, 2, 3, 4, 5))},
        {"eq band", 85, IXCMD_EQ_BAND, {{0, 4}}, SET(set_eq(IN, 1, 1, n, 3, 4, 5))},
        {"send source", 70, IXCMD_SEND, {{IN, 20}, {MASTER, 1}}, SET(set_send(t, n, AUX, 1, 1, -3))},
        {"send bus", 70, IXCMD_SEND_BUS, {{AUX, 4}}, SET(set_send(IN, 1, t, n, 1, -3))},
        {"route destination", 67, IXCMD_ASSIGN, {{OUT, 20}}, SET(set_assign_ch(MASTER, 1, t, n))},
        {"optical source", 135, IXCMD_ADAT_X4MODE, {}, SET(set_adat_x4mode(n, 2))},
    };
    return rows;
}

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

QString str(const QString &text)
{
    return text;
}
template <typename T> QString str(T number)
{
    return QString::number(number);
}

// Every value the device object publishes, one line each ("what value ..."), in emission order.
class Recorder : public QObject {
public:
    explicit Recorder(QIXDevice &d)
    {
        auto as = [this](const char *what) {
            return [this, what](auto... v) {
                QStringList line{what};
                (line << ... << str(v));
                lines << line.join(' ');
            };
        };
        connect(&d, &QIXDevice::sig_recv_debug, this, as("debug"));
        connect(&d, &QIXDevice::sig_recv_productname, this, as("product"));
        connect(&d, &QIXDevice::sig_recv_builddate, this, as("date"));
        connect(&d, &QIXDevice::sig_recv_buildtime, this, as("time"));
        connect(&d, &QIXDevice::sig_recv_hz, this, as("hz"));
        connect(&d, &QIXDevice::sig_recv_clocksource, this, as("clocksource"));
        connect(&d, &QIXDevice::sig_recv_dspmode, this, as("dspmode"));
        connect(&d, &QIXDevice::sig_recv_version, this, as("version"));
        connect(&d, &QIXDevice::sig_recv_build, this, as("build"));
        connect(&d, &QIXDevice::sig_recv_clocklock, this, as("clocklock"));
        connect(&d, &QIXDevice::sig_recv_clockhz, this, as("clockhz"));
        connect(&d, &QIXDevice::sig_recv_adat_x4mode, this, as("adat"));
        connect(&d, &QIXDevice::sig_recv_meter, this, as("meter"));
        connect(&d, &QIXDevice::sig_recv_grmeter, this, as("gr"));
    }
    QStringList lines;
};

} // namespace

Q_DECLARE_METATYPE(QList<QByteArray>)

class TestDevice : public QObject {
    Q_OBJECT

private slots:
    // ---- Items: room rules and byte layout on the way out, read back (more of the way in is the device
    // object's replies).

    void put_data()
    {
        QTest::addColumn<int>("position"); // where the 64-byte buffer already stands
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("type");
        QTest::addColumn<uint>("value");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("bytes"); // null: refused, position unchanged
        const QByteArray none, refused;
        row("u8 with exactly 3 left", 61, 130, 2, 20u, none, hexBytes("82 02 14"));
        row("u8 with 2 left", 62, 130, 2, 20u, none, refused);
        row("u16 with 3 left", 61, 129, 3, 1u, none, refused);
        row("u32 little-endian", 0, 24, 4, 48000u, none, hexBytes("18 04 80 BB 00 00"));
        row("u32 with 5 left", 59, 24, 4, 1u, none, refused);
        row("flag with 2 left", 62, 49, 1, 0u, none, hexBytes("31 01"));
        row("flag with 1 left", 63, 49, 1, 0u, none, refused);
        row("end with room", 10, 0, 0, 0u, none, hexBytes("00 00"));
        row("end with 1 left counts as written", 63, 0, 0, 0u, none, QByteArray(""));
        row("end type with an identifier", 0, 5, 0, 0u, none, refused);
        row("type 6", 0, 5, 6, 0u, none, refused);
        row("61-byte text fills the buffer", 0, 18, 5, 0u, QByteArray(61, 'x'),
            hexBytes("12 05 3D") + QByteArray(61, 'x'));
        row("62-byte text", 0, 18, 5, 0u, QByteArray(62, 'x'), refused);
        row("empty text", 0, 18, 5, 0u, QByteArray(""), refused);
        row("text one byte short of room", 60, 52, 5, 0u, QByteArray("ab"), refused);
    }
    void put()
    {
        QFETCH(int, position);
        QFETCH(int, id);
        QFETCH(int, type);
        QFETCH(uint, value);
        QFETCH(QByteArray, payload);
        QFETCH(QByteArray, bytes);
        uint8_t storage[64];
        memset(storage, 0xEE, sizeof storage);
        ixmsg_buf buf{storage, sizeof storage, uint8_t(position)};
        const auto *text = payload.isNull() ? nullptr : reinterpret_cast<const uint8_t *>(payload.constData());
        QCOMPARE(ixmsg_put(&buf, uint8_t(id), uint8_t(type), value, text, uint8_t(payload.size())),
                 bytes.isNull() ? 1 : 0);
        QCOMPARE(int(buf.position), position + bytes.size());
        QCOMPARE(hexOf(QByteArray(reinterpret_cast<char *>(storage) + position, bytes.size())), hexOf(bytes));
        // What was written reads back from a buffer that ends where it ends.
        ixmsg_buf back{storage, uint8_t(buf.position), uint8_t(position)};
        QCOMPARE(ixmsg_get(&back, nullptr, nullptr, nullptr, nullptr, nullptr) == 0, type != 0 && !bytes.isEmpty());
    }

    // ---- Every command: its bytes, and what the unit makes of a setting ("path=value ..." of its state;
    // empty for a request, whose answers are the virtual unit's test).

    void commands_data()
    {
        QTest::addColumn<Writer>("write");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("effect");
        auto row = [](const char *name, const char *hex, const char *effect, Writer w) {
            QTest::newRow(name) << w << hexBytes(hex) << QString::fromLatin1(effect);
        };
        row("get_info", "31 01", "", ixcmd_get_info);
        row("get_hz", "18 01", "", ixcmd_get_hz);
        row("get_clocksource", "1A 01", "", ixcmd_get_clocksource);
        row("get_clocklock", "1B 01", "", ixcmd_get_clocklock);
        row("get_meter", "71 01", "", ixcmd_get_meter);
        row("get_dspmode", "C1 01", "", ixcmd_get_dspmode);
        row("get_grmeter input 7", "61 02 04 62 02 07 B1 01", "", W(ixcmd_get_grmeter(b, IN, 7)));
        row("store", "A2 01", "store_count=1", ixcmd_store);
        row("clock source word", "19 02 02", "clock_source=2", W(ixcmd_set_clocksource(b, 2)));
        row("optical B 4x", "1D 02 06 87 02 01", "optical_mode.6=1", W(ixcmd_set_adat_x4mode(b, 6, 1)));
        row("route computer 3 to output 20", "61 02 03 62 02 03 41 01 61 02 01 62 02 14 42 01 43 01",
            "route.19.type=3 route.19.channel=3", W(ixcmd_set_assign_ch(b, 3, 3, OUT, 20)));
        row("send input 2 to bus 4, post, -127",
            "61 02 04 62 02 02 41 01 61 02 05 62 02 04 42 01 44 02 02 45 02 81 46 01",
            "send.input.1.3.point=2 send.input.1.3.level=-127", W(ixcmd_set_send(b, IN, 2, AUX, 4, 2, -127)));
        row("send master to bus 1, pre",
            "61 02 02 62 02 01 41 01 61 02 05 62 02 01 42 01 44 02 03 45 02 06 46 01",
            "send.master.0.point=3 send.master.0.level=6", W(ixcmd_set_send(b, MASTER, 1, AUX, 1, 3, 6)));
        row("eq low band, q none", "61 02 04 62 02 14 51 02 01 52 02 0C 53 02 1F 54 02 FF 55 02 01",
            "eq.19.0.on=1 eq.19.0.gain=12 eq.19.0.freq=31 eq.19.0.q=255",
            W(ixcmd_set_eq(b, IN, 20, 1, 1, 12, 31, 255)));
        row("comp 7 linked with 8",
            "61 02 04 62 02 07 91 02 EC 92 02 28 93 02 0A 94 02 32 95 02 03 96 02 02 97 02 01",
            "comp.6.on=1 comp.6.threshold=-20 comp.6.ratio=40 comp.6.attack=10 comp.6.release=50 "
            "comp.6.gain=3 comp.6.link=2",
            W(ixcmd_set_comp(b, IN, 7, 1, -20, 40, 10, 50, 3, ixcmd_comp_link(true, 7))));
        row("reverb plate", "D1 02 05 D2 02 0A D3 02 14 D4 02 1E D5 01",
            "reverb.type=5 reverb.predelay=10 reverb.time=20 reverb.diff=30",
            W(ixcmd_set_reverb(b, 5, 10, 20, 30)));
        row("return on at minus infinity", "47 02 81 48 02 01", "return.on=1 return.level=-127",
            W(ixcmd_set_return(b, 1, IXCMD_LEVEL_MINUS_INF)));
        row("true bypass", "61 02 04 62 02 0B 4A 02 01", "truebypass.10=1",
            W(ixcmd_set_truebypass(b, IN, 11, 1)));
        row("fader bottom", "61 02 04 62 02 01 81 03 0A FB", "fader.input.0=-1270",
            W(ixcmd_set_fader(b, IN, 1, IXCMD_FADER_MINUS_INF)));
        row("fader top, monitor", "61 02 01 62 02 09 81 03 3C 00", "fader.output.8=60",
            W(ixcmd_set_fader(b, OUT, 9, 60)));
        row("fader -0.1 dB, master", "61 02 02 62 02 02 81 03 FF FF", "fader.master.1=-1",
            W(ixcmd_set_fader(b, MASTER, 2, -1)));
        row("pan centre", "61 02 04 62 02 01 82 02 14", "pan.0=20", W(ixcmd_set_pan(b, IN, 1, 20)));
        row("mute master 2", "61 02 02 62 02 02 83 02 01", "mute.master.1=1",
            W(ixcmd_set_mute(b, MASTER, 2, 1)));
        row("solo", "61 02 04 62 02 05 84 02 01", "solo.4=1", W(ixcmd_set_solo(b, IN, 5, 1)));
        row("phase", "61 02 04 62 02 06 85 02 01", "phase.5=1", W(ixcmd_set_phase(b, IN, 6, 1)));
    }
    void commands()
    {
        QFETCH(Writer, write);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, effect);
        const QByteArray msg = written(write);
        QCOMPARE(hexOf(msg), hexOf(bytes));

        Firmware fw;
        fw.apply(reinterpret_cast<const uint8_t *>(msg.constData()), size_t(msg.size()));
        QCOMPARE(fw.hasPendingAnswers(), effect.isEmpty());
        for (const QString &held : effect.split(' ', Qt::SkipEmptyParts))
            QVERIFY2(lyntra_test::json_at(fw.state(), held.section('=', 0, 0)).toInt(-9999) ==
                         held.section('=', 1).toInt(),
                     qPrintable(held));
    }

    // ---- The addresses of each setting: the command set, the device object and the unit agree with
    // what the unit has, over every channel type and number.

    void addresses_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < address_rows().size(); ++i)
            row(address_rows()[i].name, i);
    }
    void addresses()
    {
        QFETCH(int, row);
        const AddressRow &r = address_rows()[row];
        WorkerRig rig;
        int stored = 0;
        const uint32_t types = r.highest.isEmpty() || r.highest.contains(0) ? 0 : 6; // the rest ignore the type
        for (uint32_t t = 0; t <= types; ++t) {
            for (uint32_t n : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 11u, 19u, 20u, 21u, 255u, 257u}) {
                const bool has = r.unit_has(t, n);
                const QString where = QStringLiteral("type %1 number %2").arg(t).arg(n);
                const bool accepted =
                    r.op == IXCMD_ADAT_X4MODE ? ixcmd_accepts(r.op, n, 0) : ixcmd_accepts(r.op, t, n);
                QVERIFY2(accepted == has, qPrintable(where));
                QVERIFY2(r.set(rig.dev, t, n) == has, qPrintable(where));
                stored += has;
            }
        }
        // Every stored address has a slot of its own: each goes out once.
        wire::ReplyReader sent;
        for (const QByteArray &m : rig.drain())
            sent.read(m);
        QCOMPARE(sent.withId(r.id).size(), stored);
    }

    // ---- Knob positions to step values: in range, in order, clamped, and the product's step edges.

    void knobs_data()
    {
        QTest::addColumn<Knob>("convert");
        QTest::addColumn<QVector<int>>("positions");
        QTest::addColumn<QVector<int>>("values");
        QTest::addColumn<int>("sum"); // of the values of all 128 positions, from the unit's rules
        auto row = [](const char *name, Knob k, QVector<int> p, QVector<int> v, int sum) {
            QTest::newRow(name) << k << p << v << sum;
        };
        row("eq gain", ixcmd_eq_gain_step, {0, 5, 6, 10, 11, 60, 61, 115, 116, 120, 121, 127},
            {0, 0, 1, 1, 2, 11, 12, 22, 23, 23, 24, 24}, 1548);
        const auto freq = [](int band) -> Knob { return [=](int p) { return ixcmd_eq_freq_step(band, p); }; };
        const auto q = [](int band) -> Knob { return [=](int p) { return ixcmd_eq_q_step(band, p); }; };
        row("eq low freq", freq(1), {0, 3, 4, 127}, {0, 0, 1, 31}, 1984);
        row("eq low-mid freq", freq(2), {0, 1, 2, 127}, {0, 0, 1, 63}, 4032);
        row("eq high-mid freq", freq(3), {0, 126, 127}, {0, 63, 63}, 4032);
        row("eq high freq", freq(4), {0, 3, 4, 127}, {32, 32, 33, 63}, 6080);
        row("eq mid q", q(2), {0, 17, 18, 107, 108, 127}, {0, 0, 1, 5, 6, 6}, 390);
        row("eq low q", q(1), {0, 127}, {255, 255}, 32640);
        row("eq high q", q(4), {0, 127}, {255, 255}, 32640);
        row("comp threshold", ixcmd_comp_threshold,
            {0, 3, 4, 7, 8, 39, 40, 42, 43, 46, 47, 49, 50, 64, 65, 71, 72, 123, 124, 127},
            {-32, -32, -31, -31, -30, -23, -22, -22, -21, -21, -20, -20, -19, -16, -15, -14, -13, -1, 0, 0},
            -2040);
        row("comp ratio", ixcmd_comp_ratio,
            {0, 5, 6, 11, 12, 17, 18, 29, 30, 35, 36, 59, 60, 71, 72, 77, 78, 83, 84, 127},
            {10, 10, 11, 11, 13, 13, 15, 17, 20, 20, 25, 40, 50, 60, 80, 80, 160, 160, 255, 255}, 14616);
        row("comp attack", ixcmd_comp_attack, {0, 1, 98, 99, 127}, {2, 4, 198, 200, 200}, 15700);
        row("comp release", ixcmd_comp_release, {0, 98, 99, 127}, {1, 99, 100, 100}, 7850);
        row("comp gain", ixcmd_comp_gain, {0, 5, 6, 11, 12, 119, 120, 127}, {0, 0, 1, 1, 2, 19, 20, 20},
            1300);
    }
    void knobs()
    {
        QFETCH(Knob, convert);
        QFETCH(QVector<int>, positions);
        QFETCH(QVector<int>, values);
        QFETCH(int, sum);
        int total = 0;
        for (int p = 0; p <= 127; ++p)
            total += convert(p);
        QCOMPARE(total, sum);
        for (int i = 0; i < positions.size(); ++i)
            QVERIFY2(convert(positions[i]) == values[i],
                     qPrintable(QString("position %1 gave %2").arg(positions[i]).arg(convert(positions[i]))));
        for (int p = -5; p <= 133; ++p) {
            QVERIFY2(convert(p) >= convert(p - 1), qPrintable(QStringLiteral("falls at %1").arg(p)));
            QCOMPARE(convert(p), convert(qBound(0, p, 127)));
        }
    }

    // ---- The device object

    // ---- The exchange: what goes out, when.

    void coalesces_while_in_flight()
    {
        WorkerRig r;
        r.offer_ready();
        QVERIFY(r.dev.set_mute(IN, 1, 1));
        QCOMPARE(r.sends.count(), 1);
        QVERIFY(r.dev.set_fader(IN, 1, -100) && r.dev.set_fader(IN, 1, -50));
        QCOMPARE(r.sends.count(), 1);
        r.complete_send();
        QCOMPARE(r.sends.count(), 2);
        QCOMPARE(hexOf(r.last_send()), hexOf(hexBytes("61 02 04 62 02 01 81 03 CE FF")));
    }

    void ready_token_data()
    {
        QTest::addColumn<QList<uint32_t>>("tokens");
        QTest::addColumn<bool>("sends");
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
        WorkerRig r;
        Reply reply;
        for (uint32_t t : tokens)
            reply.u16(IXMSG_ID_READY, t);
        r.dev.recv_ix_recv_result(true, reply);
        QVERIFY(r.dev.set_fader(IN, 3, -10));
        QCOMPARE(r.sends.count(), sends ? 1 : 0);
        QCOMPARE(r.polls.count(), sends ? 0 : 1);
    }

    void ready_ignored_while_message_in_flight()
    {
        WorkerRig r;
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
        WorkerRig r;
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

    // Answers beyond one reply come now, not with some later request: the device reads on, one read at
    // a time, while a reply brings anything, and says when the unit has nothing more.
    void reads_on_until_quiet()
    {
        WorkerRig r;
        QSignalSpy quiet(&r.dev, &QIXDevice::sig_unit_quiet);
        const QByteArray answer = Reply().u32(IXMSG_ID_HZ, 48000).num(IXMSG_ID_READY, 1);
        r.offer_ready();
        QCOMPARE(quiet.count(), 1);
        QCOMPARE(r.polls.count(), 0);
        r.dev.recv_ix_recv_result(true, answer);
        QCOMPARE(r.polls.count(), 1);
        r.dev.get_hz(); // while that read is out: goes with the next readiness, whose read reads on
        r.dev.recv_ix_recv_result(true, answer);
        QCOMPARE(r.sends.count(), 1);
        QCOMPARE(r.polls.count(), 1);
        QCOMPARE(quiet.count(), 1);
        r.complete_send();
        QCOMPARE(quiet.count(), 2);
        QCOMPARE(r.polls.count(), 1);
        r.dev.recv_ix_recv_result(false, answer); // a failed read says nothing, least of all quiet
        QCOMPARE(quiet.count(), 2);
        QCOMPARE(r.polls.count(), 1);
    }

    // Whole entries only, in the fixed order; the first entry that does not fit ends the message.
    void packing()
    {
        WorkerRig r;
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
        WorkerRig r;
        for (const Operation &o : kOperations)
            QVERIFY(o.apply(r.dev));
        r.dev.get_dspmode();
        r.dev.get_grmeter(IN, 4);
        for (auto get : {&QIXDevice::get_meter, &QIXDevice::get_clocklock, &QIXDevice::get_clocksource,
                         &QIXDevice::get_hz, &QIXDevice::get_info})
            (r.dev.*get)();
        QVERIFY(r.dev.set_fader(IN, 1, 0) && r.dev.set_fader(MASTER, 1, 0));
        QVERIFY(r.dev.set_mute(IN, 20, 1) && r.dev.set_adat_x4mode(5, 2));
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
        WorkerRig r;
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
        // A pending table entry is dropped by the reset; anything else still goes.
        WorkerRig pending;
        QVERIFY(o.apply(pending.dev));
        pending.dev.reset_params();
        pending.offer_ready();
        QCOMPARE(pending.sends.count(), o.table ? 0 : 1);
    }

    // ---- Replies: every item to its signal, with the address and source contexts.

    void dispatch_data()
    {
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<QStringList>("published");
        QTest::addColumn<QString>("diagnostic"); // the one kind of reading error that is reported
        auto row = [](const char *name, QList<QByteArray> replies, QStringList out, QString diagnostic = {}) {
            QTest::newRow(name) << replies << out << diagnostic;
        };
        row("lock before any source refers to source 0", {Reply().num(27, 3)}, {"clocklock 0 3"});
        row("source kept across replies", {Reply().num(29, 6).u32(30, 44100), Reply().num(27, 1).num(195, 2)},
            {"clockhz 6 44100", "clocklock 6 1", "adat 6 2"});
        row("meter groups", {Reply().num(97, 4).num(98, 3).u16(114, 100).num(98, 4).u32(114, 32768)},
            {"meter 4 3 100", "meter 4 4 32768"});
        row("address reset per reply", {Reply().num(97, 4).num(98, 3), Reply().u16(114, 7).u16(178, 8)},
            {"meter 0 0 7", "gr 0 0 8"});
        row("channel number is one byte", {Reply().num(97, 4).u16(98, 0x0103).num(178, 1)}, {"gr 4 3 1"});
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
            {"clocksource 1"}, "^ixmsg\\.cpp:\\d+:ERROR 0x7$");
        row("truncated text is not read",
            {Reply().raw(QByteArray(50, '\x01')).num(26, 5).raw(QByteArray::fromHex("34050a"))},
            {"clocksource 5"});
        row("empty", {QByteArray()}, {});
        row("longer than 64 is read in pieces",
            {Reply().num(97, 4).num(98, 1).bytes() + Reply().num(114, 5).bytes()}, {"meter 4 1 5"});
        row("short reply is one piece", {Reply().num(26, 2).bytes().left(3)}, {"clocksource 2"});
    }
    void dispatch()
    {
        QFETCH(QList<QByteArray>, replies);
        QFETCH(QStringList, published);
        QFETCH(QString, diagnostic);
        WorkerRig r;
        Recorder rec(r.dev);
        const auto quiet = qScopeGuard([] { QLoggingCategory::setFilterRules(QString()); });
        if (!diagnostic.isEmpty()) {
            QLoggingCategory::setFilterRules(QStringLiteral("lyntra.link.debug=true"));
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(diagnostic));
        }
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
        WorkerRig r;
        r.dev.recv_ix_recv_result(true,
                                  Reply().u16(50, 3).u16(51, 4).text(52, "P").text(53, "d").text(54, "t"));
        Recorder rec(r.dev);
        if (read)
            r.dev.recv_ix_recv_result(false, Reply().u16(50, 9).text(52, "ignored"));
        else
            r.dev.recv_ix_send_result(false);
        QCOMPARE(rec.lines, (QStringList{"version 0", "build 0", "product ", "date ", "time "}));
    }

    // ---- The worker thread, with no unit anywhere.

    void no_unit_searches_only_after_a_change()
    {
        qputenv("LYNTRA_UNIT", "virtual");
        const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
        QDir(runtime + "/ixdev").removeRecursively();
        QIXDevice dev;
        QVERIFY(dev.unit());
        // Counted on this thread (queued, after the device object's own slot has run).
        QObject context;
        int enumerations = 0;
        QObject::connect(dev.unit(), &QIXDeviceUnit::ret_select_default, &context, [&] { ++enumerations; });
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
        QCOMPARE(enumerations, 0);

        // Nothing to drop: still quiet.
        dev.deselect();
        request(4);
        QCOMPARE(enumerations, 0);

        // The discovery directory appears: a few requests search, then quiet again.
        QVERIFY(QDir().mkpath(runtime + "/ixdev"));
        for (int i = 5; i < 8 + QIXDeviceUnit::kSearchesAfterChange; ++i)
            request(i);
        QCOMPARE(enumerations, QIXDeviceUnit::kSearchesAfterChange);

        // A socket that appears before it listens is still found once it does, with no further event.
        sockaddr_un at{AF_UNIX, {}};
        qstrncpy(at.sun_path, QFile::encodeName(runtime + "/ixdev/late").constData(), sizeof at.sun_path);
        const int late = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(late, reinterpret_cast<sockaddr *>(&at), sizeof at) == 0);
        request(8 + QIXDeviceUnit::kSearchesAfterChange);
        QCOMPARE(dev.is_selected(), false);
        QVERIFY(::listen(late, 4) == 0 && lyntra_test::wait_until([&] { return dev.is_selected(); }));
        ::close(late);

        // The folder above goes too: with nothing left to watch, every look searches and finds a unit made there.
        dev.deselect();
        QVERIFY(QDir(runtime).removeRecursively());
        for (int i = 0; i <= QIXDeviceUnit::kSearchesAfterChange; ++i)
            request(gone.count() + 1);
        QVERIFY(lyntra_test::wait_until([&] { return !dev.is_selected(); }));
        const int again = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(QDir().mkpath(runtime + "/ixdev") && ::bind(again, reinterpret_cast<sockaddr *>(&at), sizeof at) == 0);
        QVERIFY(::listen(again, 4) == 0 && lyntra_test::wait_until([&] { return dev.is_selected(); }));
        ::close(again);
        QSignalSpy asks(&dev, &QIXDevice::sig_is_selected); // a yes after the doubt settles it: no more asking
        QVERIFY(dev.is_selected() && asks.isEmpty());

        QVERIFY(dev.shutdown(lyntra_test::kPatienceMs));
        QCOMPARE(dev.unit(), nullptr);
        QVERIFY(dev.shutdown(0)); // nothing left to stop
    }
};

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
