// The message protocol: items on the wire, every command's bytes and what the firmware model makes of
// them, the addresses each setting accepts (in the command set, the device object and the firmware
// model alike), and the knob conversions.
#include "firmware.h"
#include "hexbytes.h"
#include "ixcmd.h"
#include "qixrig.h"
#include "virtualunit.h"

#include <QtTest>

#include <functional>

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

QStringList decode_all(QByteArray bytes)
{
    wire::ReplyReader reader;
    reader.read(bytes);
    QStringList items;
    for (const wire::Seen &s : reader.items)
        items << (s.type == IXMSG_T_BYTES ? QStringLiteral("%1:5:'%2'").arg(s.id).arg(s.text)
                                          : QStringLiteral("%1:%2:%3").arg(s.id).arg(s.type).arg(s.value));
    return items;
}

QByteArray written(const Writer &write)
{
    uint8_t storage[IXMSG_CAPACITY] = {};
    ixmsg_buf buf;
    ixmsg_init(&buf, storage, sizeof storage);
    return write(&buf) == 0 ? QByteArray(reinterpret_cast<char *>(storage), buf.position) : QByteArray();
}

void apply(Firmware &fw, const QByteArray &msg)
{
    fw.apply(reinterpret_cast<const uint8_t *>(msg.constData()), size_t(msg.size()));
}

QJsonObject settings_of(const Firmware &fw)
{
    QJsonObject s = fw.state();
    s.remove(QStringLiteral("messages"));
    return s;
}

// One setting kind over a whole address space: the call through the device object, the entry the
// command set writes for it, the command set's own answer, and which addresses the unit has.
struct AddressRow {
    const char *name;
    uint8_t id; // the item that completes the entry
    std::function<bool(QIXDevice &, uint32_t, uint32_t)> set;
    std::function<int(ixmsg_buf *, uint32_t, uint32_t)> write;
    std::function<bool(uint32_t, uint32_t)> accepts;
    QMap<uint32_t, uint32_t> highest; // type -> highest number (from 1); key 0: any type
};

const QVector<AddressRow> &address_rows()
{
    static const QVector<AddressRow> rows{
        {"fader", 129, [](QIXDevice &d, uint32_t t, uint32_t n) { return d.set_fader(t, n, -10); },
         [](ixmsg_buf *b, uint32_t t, uint32_t n) { return ixcmd_set_fader(b, t, uint8_t(n), -10); },
         [](uint32_t t, uint32_t n) { return ixcmd_accepts(IXCMD_FADER, t, n); }, {{IN, 20}, {MASTER, 2}, {OUT, 9}}},
        {"mute", 131, [](QIXDevice &d, uint32_t t, uint32_t n) { return d.set_mute(t, n, 1); },
         [](ixmsg_buf *b, uint32_t t, uint32_t n) { return ixcmd_set_mute(b, t, uint8_t(n), 1); },
         [](uint32_t t, uint32_t n) { return ixcmd_accepts(IXCMD_MUTE, t, n); }, {{IN, 20}, {MASTER, 2}}},
        {"pan", 130, [](QIXDevice &d, uint32_t t, uint32_t n) { return d.set_pan(t, n, 3); },
         [](ixmsg_buf *b, uint32_t t, uint32_t n) { return ixcmd_set_pan(b, t, uint8_t(n), 3); },
         [](uint32_t t, uint32_t n) { return ixcmd_accepts(IXCMD_PAN, t, n); }, {{IN, 20}}},
        {"solo", 132, [](QIXDevice &d, uint32_t t, uint32_t n) { return d.set_solo(t, n, 1); },
         [](ixmsg_buf *b, uint32_t t, uint32_t n) { return ixcmd_set_solo(b, t, uint8_t(n), 1); },
         [](uint32_t t, uint32_t n) { return ixcmd_accepts(IXCMD_SOLO, t, n); }, {{IN, 20}}},
        {"phase", 133, [](QIXDevice &d, uint32_t t, uint32_t n) { return d.set_phase(t, n, 1); },
         [](ixmsg_buf *b, uint32_t t, uint32_t n) { return ixcmd_set_phase(b, t, uint8_t(n), 1); },
         [](uint32_t t, uint32_t n) { return ixcmd_accepts(IXCMD_PHASE, t, n); }, {{IN, 20}}},
        {"true bypass", 74, [](QIXDevice &d, uint32_t t, uint32_t n) { return d.set_truebypass(t, n, 1); },
         [](ixmsg_buf *b, uint32_t t, uint32_t n) { return ixcmd_set_truebypass(b, t, uint8_t(n), 1); },
         [](uint32_t t, uint32_t n) { return ixcmd_accepts(IXCMD_TRUEBYPASS, t, n); }, {{IN, 20}}},
        {"compressor", 151, [](QIXDevice &d, uint32_t t, uint32_t n) { return d.set_comp(t, n, 1, -3, 20, 2, 1, 0, 1); },
         [](ixmsg_buf *b, uint32_t t, uint32_t n) { return ixcmd_set_comp(b, t, uint8_t(n), 1, -3, 20, 2, 1, 0, 1); },
         [](uint32_t t, uint32_t n) { return ixcmd_accepts(IXCMD_COMP, t, n); }, {{IN, 20}}},
        {"eq channel", 85, [](QIXDevice &d, uint32_t t, uint32_t n) { return d.set_eq(t, n, 1, 2, 3, 4, 5); },
         [](ixmsg_buf *b, uint32_t t, uint32_t n) { return ixcmd_set_eq(b, t, uint8_t(n), 1, 2, 3, 4, 5); },
         [](uint32_t t, uint32_t n) { return ixcmd_accepts(IXCMD_EQ, t, n); }, {{IN, 20}}},
        {"eq band", 85, [](QIXDevice &d, uint32_t, uint32_t n) { return d.set_eq(IN, 1, 1, n, 3, 4, 5); },
         [](ixmsg_buf *b, uint32_t, uint32_t n) { return ixcmd_set_eq(b, IN, 1, 1, n, 3, 4, 5); },
         [](uint32_t, uint32_t n) { return ixcmd_accepts(IXCMD_EQ_BAND, 0, n); }, {{0, 4}}},
        {"send source", 70, [](QIXDevice &d, uint32_t t, uint32_t n) { return d.set_send(t, n, AUX, 1, 1, -3); },
         [](ixmsg_buf *b, uint32_t t, uint32_t n) { return ixcmd_set_send(b, t, uint8_t(n), AUX, 1, 1, -3); },
         [](uint32_t t, uint32_t n) { return ixcmd_accepts(IXCMD_SEND, t, n); }, {{IN, 20}, {MASTER, 1}}},
        {"send bus", 70, [](QIXDevice &d, uint32_t t, uint32_t n) { return d.set_send(IN, 1, t, n, 1, -3); },
         [](ixmsg_buf *b, uint32_t t, uint32_t n) { return ixcmd_set_send(b, IN, 1, t, uint8_t(n), 1, -3); },
         [](uint32_t t, uint32_t n) { return ixcmd_accepts(IXCMD_SEND_BUS, t, n); }, {{AUX, 4}}},
        {"route destination", 67, [](QIXDevice &d, uint32_t t, uint32_t n) { return d.set_assign_ch(MASTER, 1, t, n); },
         [](ixmsg_buf *b, uint32_t t, uint32_t n) { return ixcmd_set_assign_ch(b, MASTER, 1, t, uint8_t(n)); },
         [](uint32_t t, uint32_t n) { return ixcmd_accepts(IXCMD_ASSIGN, t, n); }, {{OUT, 20}}},
        {"optical source", 135, [](QIXDevice &d, uint32_t, uint32_t n) { return d.set_adat_x4mode(n, 2); },
         [](ixmsg_buf *b, uint32_t, uint32_t n) { return ixcmd_set_adat_x4mode(b, n, 2); },
         [](uint32_t, uint32_t n) { return ixcmd_accepts(IXCMD_ADAT_X4MODE, n, 0); }, {}},
    };
    return rows;
}

bool unit_has(const AddressRow &row, uint32_t t, uint32_t n)
{
    if (row.highest.isEmpty()) // the optical ports
        return n == 5 || n == 6;
    const uint32_t key = row.highest.contains(0) ? 0 : t;
    return row.highest.contains(key) && n >= 1 && n <= row.highest.value(key);
}

} // namespace

class TestProtocol : public QObject {
    Q_OBJECT

private slots:
    // ---- Items: room rules and byte layout on the way out, where a reader stops on the way in.

    void put_data()
    {
        QTest::addColumn<int>("position"); // where the 64-byte buffer already stands
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("type");
        QTest::addColumn<uint>("value");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("bytes"); // null: refused, position unchanged
        const QByteArray none, refused;
        QTest::newRow("u8 with exactly 3 left") << 61 << 130 << 2 << 20u << none << hexBytes("82 02 14");
        QTest::newRow("u8 with 2 left") << 62 << 130 << 2 << 20u << none << refused;
        QTest::newRow("u8 keeps the low byte") << 0 << 69 << 2 << 0xFFFFFF81u << none << hexBytes("45 02 81");
        QTest::newRow("u16 little-endian") << 0 << 129 << 3 << 0xFB0Au << none << hexBytes("81 03 0A FB");
        QTest::newRow("u16 with 3 left") << 61 << 129 << 3 << 1u << none << refused;
        QTest::newRow("u32 little-endian") << 0 << 24 << 4 << 48000u << none << hexBytes("18 04 80 BB 00 00");
        QTest::newRow("u32 with 5 left") << 59 << 24 << 4 << 1u << none << refused;
        QTest::newRow("flag with 2 left") << 62 << 49 << 1 << 0u << none << hexBytes("31 01");
        QTest::newRow("flag with 1 left") << 63 << 49 << 1 << 0u << none << refused;
        QTest::newRow("end with room") << 10 << 0 << 0 << 0u << none << hexBytes("00 00");
        QTest::newRow("end with 1 left counts as written") << 63 << 0 << 0 << 0u << none << QByteArray("");
        QTest::newRow("end type with an identifier") << 0 << 5 << 0 << 0u << none << refused;
        QTest::newRow("type 6") << 0 << 5 << 6 << 0u << none << refused;
        QTest::newRow("text") << 0 << 52 << 5 << 0u << QByteArray("K2") << hexBytes("34 05 02 4B 32");
        QTest::newRow("61-byte text fills the buffer")
            << 0 << 18 << 5 << 0u << QByteArray(61, 'x') << hexBytes("12 05 3D") + QByteArray(61, 'x');
        QTest::newRow("62-byte text") << 0 << 18 << 5 << 0u << QByteArray(62, 'x') << refused;
        QTest::newRow("empty text") << 0 << 18 << 5 << 0u << QByteArray("") << refused;
        QTest::newRow("text one byte short of room") << 60 << 52 << 5 << 0u << QByteArray("ab") << refused;
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
        ixmsg_buf buf;
        ixmsg_init(&buf, storage, sizeof storage);
        buf.position = uint8_t(position);
        const auto *text = payload.isNull() ? nullptr : reinterpret_cast<const uint8_t *>(payload.constData());
        QCOMPARE(ixmsg_put(&buf, uint8_t(id), uint8_t(type), value, text, uint8_t(payload.size())),
                 bytes.isNull() ? 1 : 0);
        QCOMPARE(int(buf.position), position + bytes.size());
        QCOMPARE(hexOf(QByteArray(reinterpret_cast<char *>(storage) + position, bytes.size())), hexOf(bytes));
    }

    void get_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("starts with two zero bytes") << hexBytes("00 00 A1 02 01") << QStringList();
        QTest::newRow("end item stops mid-buffer")
            << hexBytes("A1 02 01 00 00 18 04 80 BB 00 00") << QStringList{"161:2:1"};
        QTest::newRow("numeric widths widen, unsigned") << hexBytes("18 02 2A 81 03 0A FB 18 04 00 EE 02 00")
                                                        << QStringList{"24:2:42", "129:3:64266", "24:4:192000"};
        QTest::newRow("flag") << hexBytes("31 01 1B 01") << QStringList{"49:1:0", "27:1:0"};
        QTest::newRow("text") << hexBytes("34 05 09 4C 59 4E 54 52 41 20 4B 32 A1 02 01")
                              << QStringList{"52:5:'LYNTRA K2'", "161:2:1"};
        QTest::newRow("text overruns: items before it are read")
            << (hexBytes("A1 02 01 34 05 0A") + QByteArray(8, 'x')) << QStringList{"161:2:1"};
        QTest::newRow("truncated u16 at the end") << hexBytes("A1 02 01 81 03 0A") << QStringList{"161:2:1"};
        QTest::newRow("truncated u32 at the end") << hexBytes("18 04 80 BB 00") << QStringList();
        QTest::newRow("lone byte at the end") << hexBytes("A1 02 01 72") << QStringList{"161:2:1"};
        QTest::newRow("type 7 stops the reader") << hexBytes("A1 02 01 72 07 00 00 A1 02 00")
                                                 << QStringList{"161:2:1"};
    }
    void get()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, items);
        QCOMPARE(decode_all(bytes), items);
    }

    // ---- Every command: its bytes, and what the unit makes of them ("path=value" of its state, or
    // "answers <id>" for a request).

    void commands_data()
    {
        QTest::addColumn<Writer>("write");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("effect");
        auto row = [](const char *name, Writer w, const char *hex, const char *effect) {
            QTest::newRow(name) << w << hexBytes(hex) << QString::fromLatin1(effect);
        };
        row("get_info", ixcmd_get_info, "31 01", "answers 52");
        row("get_hz", ixcmd_get_hz, "18 01", "answers 24");
        row("get_clocksource", ixcmd_get_clocksource, "1A 01", "answers 26");
        row("get_clocklock", ixcmd_get_clocklock, "1B 01", "answers 27");
        row("get_meter", ixcmd_get_meter, "71 01", "answers 114");
        row("get_dspmode", ixcmd_get_dspmode, "C1 01", "answers 193");
        row("get_grmeter input 7", [](ixmsg_buf *b) { return ixcmd_get_grmeter(b, IN, 7); },
            "61 02 04 62 02 07 B1 01", "answers 178");
        row("store", ixcmd_store, "A2 01", "store_count=1");
        row("clock source word", [](ixmsg_buf *b) { return ixcmd_set_clocksource(b, 2); }, "19 02 02",
            "clock_source=2");
        row("optical B 4x", [](ixmsg_buf *b) { return ixcmd_set_adat_x4mode(b, 6, 1); }, "1D 02 06 87 02 01",
            "optical_mode.6=1");
        row("route computer 3 to output 20", [](ixmsg_buf *b) { return ixcmd_set_assign_ch(b, 3, 3, OUT, 20); },
            "61 02 03 62 02 03 41 01 61 02 01 62 02 14 42 01 43 01", "route.19.channel=3");
        row("send input 2 to bus 4, post, -127",
            [](ixmsg_buf *b) { return ixcmd_set_send(b, IN, 2, AUX, 4, 2, -127); },
            "61 02 04 62 02 02 41 01 61 02 05 62 02 04 42 01 44 02 02 45 02 81 46 01", "send.input.1.3.level=-127");
        row("send master to bus 1, pre", [](ixmsg_buf *b) { return ixcmd_set_send(b, MASTER, 1, AUX, 1, 3, 6); },
            "61 02 02 62 02 01 41 01 61 02 05 62 02 01 42 01 44 02 03 45 02 06 46 01", "send.master.0.point=3");
        row("eq low band, q none", [](ixmsg_buf *b) { return ixcmd_set_eq(b, IN, 20, 1, 1, 12, 31, 255); },
            "61 02 04 62 02 14 51 02 01 52 02 0C 53 02 1F 54 02 FF 55 02 01", "eq.19.0.freq=31");
        row("comp 7 linked with 8",
            [](ixmsg_buf *b) { return ixcmd_set_comp(b, IN, 7, 1, -20, 40, 10, 50, 3, ixcmd_comp_link(true, 7)); },
            "61 02 04 62 02 07 91 02 EC 92 02 28 93 02 0A 94 02 32 95 02 03 96 02 02 97 02 01",
            "comp.6.threshold=-20");
        row("reverb plate", [](ixmsg_buf *b) { return ixcmd_set_reverb(b, 5, 10, 20, 30); },
            "D1 02 05 D2 02 0A D3 02 14 D4 02 1E D5 01", "reverb.time=20");
        row("return on at minus infinity", [](ixmsg_buf *b) { return ixcmd_set_return(b, 1, IXCMD_LEVEL_MINUS_INF); },
            "47 02 81 48 02 01", "return.level=-127");
        row("true bypass", [](ixmsg_buf *b) { return ixcmd_set_truebypass(b, IN, 11, 1); }, "61 02 04 62 02 0B 4A 02 01",
            "truebypass.10=1");
        row("fader bottom", [](ixmsg_buf *b) { return ixcmd_set_fader(b, IN, 1, IXCMD_FADER_MINUS_INF); },
            "61 02 04 62 02 01 81 03 0A FB", "fader.input.0=-1270");
        row("fader top, monitor", [](ixmsg_buf *b) { return ixcmd_set_fader(b, OUT, 9, 60); },
            "61 02 01 62 02 09 81 03 3C 00", "fader.output.8=60");
        row("fader -0.1 dB, master", [](ixmsg_buf *b) { return ixcmd_set_fader(b, MASTER, 2, -1); },
            "61 02 02 62 02 02 81 03 FF FF", "fader.master.1=-1");
        row("pan centre", [](ixmsg_buf *b) { return ixcmd_set_pan(b, IN, 1, 20); }, "61 02 04 62 02 01 82 02 14",
            "pan.0=20");
        row("mute master 2", [](ixmsg_buf *b) { return ixcmd_set_mute(b, MASTER, 2, 1); }, "61 02 02 62 02 02 83 02 01",
            "mute.master.1=1");
        row("solo", [](ixmsg_buf *b) { return ixcmd_set_solo(b, IN, 5, 1); }, "61 02 04 62 02 05 84 02 01",
            "solo.4=1");
        row("phase", [](ixmsg_buf *b) { return ixcmd_set_phase(b, IN, 6, 1); }, "61 02 04 62 02 06 85 02 01",
            "phase.5=1");
    }
    void commands()
    {
        QFETCH(Writer, write);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, effect);
        const QByteArray msg = written(write);
        QCOMPARE(hexOf(msg), hexOf(bytes));

        Firmware fw;
        apply(fw, msg);
        if (effect.startsWith(QLatin1String("answers "))) {
            wire::ReplyReader reader;
            for (int i = 0; i < 10 && fw.hasPendingAnswers(); ++i) {
                QByteArray reply(64, '\0');
                fw.nextReply(reinterpret_cast<uint8_t *>(reply.data()));
                reader.read(reply);
            }
            QVERIFY(!reader.withId(uint8_t(effect.mid(8).toInt())).isEmpty());
        } else {
            QVERIFY(!fw.hasPendingAnswers());
            const QJsonValue held = lyntra_test::json_at(fw.state(), effect.section('=', 0, 0));
            QCOMPARE(held.toInt(-9999), effect.section('=', 1).toInt());
        }
    }

    // ---- The addresses of each setting: the command set, the device object and the unit agree with
    // what the unit has, over every channel type and number.

    void addresses_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < address_rows().size(); ++i)
            QTest::newRow(address_rows()[i].name) << i;
    }
    void addresses()
    {
        QFETCH(int, row);
        const AddressRow &r = address_rows()[row];
        Rig rig;
        Firmware fw;
        QJsonObject before = settings_of(fw);
        int stored = 0;
        const uint32_t types = r.highest.isEmpty() || r.highest.contains(0) ? 0 : 6; // the rest ignore the type
        for (uint32_t t = 0; t <= types; ++t) {
            for (uint32_t n : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 11u, 19u, 20u, 21u, 255u, 257u}) {
                const bool has = unit_has(r, t, n);
                const QString where = QStringLiteral("type %1 number %2").arg(t).arg(n);
                QVERIFY2(r.accepts(t, n) == has, qPrintable(where));
                QVERIFY2(r.set(rig.dev, t, n) == has, qPrintable(where));
                stored += has;
                if (n > 255)
                    continue;
                const Writer write = [&](ixmsg_buf *b) { return r.write(b, t, n); };
                apply(fw, written(write));
                const QJsonObject after = settings_of(fw);
                QVERIFY2((after != before) == has, qPrintable(where));
                before = after;
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
        auto row = [](const char *name, Knob k, QVector<int> p, QVector<int> v) { QTest::newRow(name) << k << p << v; };
        row("eq gain", ixcmd_eq_gain_step, {0, 5, 6, 10, 11, 60, 61, 115, 116, 120, 121, 127},
            {0, 0, 1, 1, 2, 11, 12, 22, 23, 23, 24, 24});
        row("eq low freq", [](int p) { return ixcmd_eq_freq_step(1, p); }, {0, 3, 4, 127}, {0, 0, 1, 31});
        row("eq low-mid freq", [](int p) { return ixcmd_eq_freq_step(2, p); }, {0, 1, 2, 127}, {0, 0, 1, 63});
        row("eq high-mid freq", [](int p) { return ixcmd_eq_freq_step(3, p); }, {0, 126, 127}, {0, 63, 63});
        row("eq high freq", [](int p) { return ixcmd_eq_freq_step(4, p); }, {0, 3, 4, 127}, {32, 32, 33, 63});
        row("eq mid q", [](int p) { return ixcmd_eq_q_step(2, p); }, {0, 17, 18, 107, 108, 127}, {0, 0, 1, 5, 6, 6});
        row("eq low q", [](int p) { return ixcmd_eq_q_step(1, p); }, {0, 127}, {255, 255});
        row("eq high q", [](int p) { return ixcmd_eq_q_step(4, p); }, {0, 127}, {255, 255});
        row("comp threshold", ixcmd_comp_threshold,
            {0, 3, 4, 7, 8, 39, 40, 42, 43, 46, 47, 49, 50, 64, 65, 71, 72, 123, 124, 127},
            {-32, -32, -31, -31, -30, -23, -22, -22, -21, -21, -20, -20, -19, -16, -15, -14, -13, -1, 0, 0});
        row("comp ratio", ixcmd_comp_ratio,
            {0, 5, 6, 11, 12, 17, 18, 29, 30, 35, 36, 59, 60, 71, 72, 77, 78, 83, 84, 127},
            {10, 10, 11, 11, 13, 13, 15, 17, 20, 20, 25, 40, 50, 60, 80, 80, 160, 160, 255, 255});
        row("comp attack", ixcmd_comp_attack, {0, 1, 98, 99, 127}, {2, 4, 198, 200, 200});
        row("comp release", ixcmd_comp_release, {0, 98, 99, 127}, {1, 99, 100, 100});
        row("comp gain", ixcmd_comp_gain, {0, 5, 6, 11, 12, 119, 120, 127}, {0, 0, 1, 1, 2, 19, 20, 20});
    }
    void knobs()
    {
        QFETCH(Knob, convert);
        QFETCH(QVector<int>, positions);
        QFETCH(QVector<int>, values);
        for (int i = 0; i < positions.size(); ++i)
            QVERIFY2(convert(positions[i]) == values[i],
                     qPrintable(QStringLiteral("position %1 gave %2").arg(positions[i]).arg(convert(positions[i]))));
        for (int p = -5; p <= 133; ++p) {
            QVERIFY2(convert(p) >= convert(p - 1), qPrintable(QStringLiteral("falls at %1").arg(p)));
            QCOMPARE(convert(p), convert(qBound(0, p, 127)));
        }
    }

    void clock_choices()
    {
        // Stored source id / optical selector index -> source on the wire / optical mode.
        const int sources[] = {0, 1, 5, 6, 2, 0};
        const int modes[] = {0, 0, 2, 1, -1, -1};
        for (int v = -1; v <= 5; ++v) {
            QCOMPARE(int(ixcmd_clocksource_for_setting(v)), v < 0 ? 0 : sources[v]);
            QCOMPARE(ixcmd_adat_mode_for_choice(v), v < 0 ? -1 : modes[v]);
        }
        QCOMPARE(ixcmd_send_point(3), 3u);
        QCOMPARE(ixcmd_send_point(4), 0u);
        QCOMPARE(int(ixcmd_comp_link(false, 7)), 1);
        QCOMPARE(int(ixcmd_comp_link(true, 8)), 3);
    }
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
