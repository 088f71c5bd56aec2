// The device object's side of the exchange: pending entries, message packing, ready token, states.
#include "hexbytes.h"
#include "ixcmd.h"
#include "qixrig.h"

#include <QtTest>

#include <functional>

namespace {

constexpr uint32_t IN = IXMSG_DATA_CH_INPUT;
constexpr uint32_t MASTER = IXMSG_DATA_CH_MASTER;
constexpr uint32_t OUT = IXMSG_DATA_CH_OUTPUT;
constexpr uint32_t AUX = IXMSG_DATA_CH_AUX;

struct Operation {
    const char *name;
    std::function<bool(QIXDevice &)> apply;
    bool table; // has the change test and is cleared by reset_params
};

// One call of every setting kind, with accepted addresses.
const Operation kOperations[] = {
    {"clocksource", [](QIXDevice &d) { return d.set_clocksource(5); }, false},
    {"adat_x4mode", [](QIXDevice &d) { return d.set_adat_x4mode(6, 1); }, false},
    {"store", [](QIXDevice &d) { return d.store(); }, false},
    {"reverb", [](QIXDevice &d) { return d.set_reverb(2, 10, 20, 30); }, false},
    {"return", [](QIXDevice &d) { return d.set_return(1, -6); }, false},
    {"assign_ch", [](QIXDevice &d) { return d.set_assign_ch(IN, 3, OUT, 20); }, true},
    {"send", [](QIXDevice &d) { return d.set_send(MASTER, 1, AUX, 4, 2, -98); }, true},
    {"eq", [](QIXDevice &d) { return d.set_eq(IN, 20, 1, 4, 12, 40, 255); }, true},
    {"comp", [](QIXDevice &d) { return d.set_comp(IN, 7, 1, -10, 20, 4, 5, 6, 2); }, true},
    {"truebypass", [](QIXDevice &d) { return d.set_truebypass(IN, 2, 1); }, true},
    {"fader", [](QIXDevice &d) { return d.set_fader(OUT, 9, -60); }, true},
    {"pan", [](QIXDevice &d) { return d.set_pan(IN, 5, 20); }, true},
    {"mute", [](QIXDevice &d) { return d.set_mute(MASTER, 2, 1); }, true},
    {"solo", [](QIXDevice &d) { return d.set_solo(IN, 1, 1); }, true},
    {"phase", [](QIXDevice &d) { return d.set_phase(IN, 19, 1); }, true},
};

void add_operation_rows()
{
    QTest::addColumn<int>("op");
    for (int i = 0; i < int(std::size(kOperations)); ++i)
        QTest::newRow(kOperations[i].name) << i;
}

QList<int> ids_of(const QList<QByteArray> &messages, const QSet<int> &wanted)
{
    QList<int> ids;
    for (const QByteArray &m : messages)
        for (const WireItem &it : items_of(m))
            if (wanted.contains(it.id))
                ids << it.id;
    return ids;
}

} // namespace

class TestQixExchange : public QObject {
    Q_OBJECT

private slots:
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

    void ready_token_in_one_reply_data()
    {
        QTest::addColumn<QList<uint32_t>>("tokens");
        QTest::addColumn<bool>("sends");
        QTest::newRow("1") << QList<uint32_t>{1} << true;
        QTest::newRow("any non-zero") << QList<uint32_t>{0x1234} << true;
        QTest::newRow("1 then 0") << QList<uint32_t>{1, 0} << false;
        QTest::newRow("0 then 1") << QList<uint32_t>{0, 1} << true;
        QTest::newRow("0") << QList<uint32_t>{0} << false;
        QTest::newRow("no token") << QList<uint32_t>{} << false;
    }
    void ready_token_in_one_reply()
    {
        QFETCH(QList<uint32_t>, tokens);
        QFETCH(bool, sends);
        Rig r;
        Reply reply;
        reply.u32(IXMSG_ID_HZ, 48000);
        for (uint32_t t : tokens)
            reply.num(IXMSG_ID_READY, t, IXMSG_T_U16);
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
        QCOMPARE(r.sends.count(), 1);
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
        QCOMPARE(r.polls.count(), 1);
        r.dev.get_hz(); // a read is out: remembered, not repeated yet
        r.dev.get_info();
        QCOMPARE(r.polls.count(), 1);
        r.dev.recv_ix_recv_result(true, Reply()); // no token: the remembered poll goes out now
        QCOMPARE(r.polls.count(), 2);
        r.dev.recv_ix_recv_result(true, Reply());
        QCOMPARE(r.polls.count(), 2);
        r.dev.get_dspmode();
        QCOMPARE(r.polls.count(), 3);
        QCOMPARE(r.sends.count(), 0);
        r.offer_ready();
        QCOMPARE(describe(r.last_send()), QStringLiteral("49=0 24=0 113=0 193=0"));
    }

    void compressor_entries_two_per_message()
    {
        Rig r;
        for (uint32_t ch = 1; ch <= 20; ++ch)
            QVERIFY(r.dev.set_comp(IN, ch, 1, -32, 10, 2, 1, 0, 1));
        const QList<QByteArray> messages = r.drain();
        QCOMPARE(messages.size(), 10);
        for (int i = 0; i < messages.size(); ++i) {
            QCOMPARE(messages[i].size(), 54);
            const QVector<WireItem> items = items_of(messages[i]);
            QCOMPARE(items.size(), 18);
            QCOMPARE(items[1].value, uint32_t(2 * i + 1));
            QCOMPARE(items[10].value, uint32_t(2 * i + 2));
        }
    }

    void first_misfit_ends_message()
    {
        Rig r;
        QVERIFY(r.dev.set_comp(IN, 1, 1, 0, 10, 2, 1, 0, 1));
        QVERIFY(r.dev.set_comp(IN, 2, 1, 0, 10, 2, 1, 0, 1));
        QVERIFY(r.dev.set_reverb(1, 1, 1, 1)); // 14 bytes: no room after 54
        QVERIFY(r.dev.set_mute(IN, 1, 1));     // 9 bytes would fit, but comes later
        const QList<QByteArray> messages = r.drain();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(ids_of({messages[0]}, {151, 213, 131}), (QList<int>{151, 151}));
        QCOMPARE(ids_of({messages[1]}, {151, 213, 131}), (QList<int>{213, 131}));
    }

    void fixed_order_across_kinds()
    {
        Rig r;
        // Called in reverse of the wire order, so that call order cannot explain the result.
        for (int i = int(std::size(kOperations)) - 1; i >= 0; --i)
            QVERIFY(kOperations[i].apply(r.dev));
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
        for (const QByteArray &m : messages)
            QVERIFY(m.size() <= 64);
        const QSet<int> terminal{49, 24,  26,  27, 113, 177, 193, 162, 25,  67,  70,
                                 85, 151, 213, 72, 74,  129, 130, 131, 132, 133, 29};
        const QList<int> expected{49, 24,  26,  27, 113, 177, 193, 162, 25,  29,  29,  67,  70,
                                  85, 151, 213, 72, 74,  129, 129, 129, 130, 131, 131, 132, 133};
        QCOMPARE(ids_of(messages, terminal), expected);
        // Optical A before B; faders input, master, output; mute input before master.
        QString all;
        for (const QByteArray &m : messages)
            all += describe(m) + QLatin1Char(' ');
        QVERIFY2(all.contains(QStringLiteral("29=5 135=2 29=6 135=1")), qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("97=4 98=1 129=0 97=2 98=1 129=0 97=1 98=9 129=65476")),
                 qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("97=4 98=20 131=1 97=2 98=2 131=1")), qPrintable(all));
    }

    void every_address_has_its_own_slot_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("count");
        QTest::newRow("fader") << 0 << 129 << 31;
        QTest::newRow("mute") << 1 << 131 << 22;
        QTest::newRow("send") << 2 << 70 << 84;
        QTest::newRow("eq") << 3 << 85 << 80;
        QTest::newRow("route") << 4 << 67 << 20;
        QTest::newRow("comp") << 5 << 151 << 20;
        QTest::newRow("pan") << 6 << 130 << 20;
        QTest::newRow("optical") << 7 << 135 << 2;
    }
    void every_address_has_its_own_slot()
    {
        QFETCH(int, kind);
        QFETCH(int, id);
        QFETCH(int, count);
        Rig r;
        const QList<std::pair<uint32_t, uint32_t>> levels{{IN, 20}, {MASTER, 2}, {OUT, 9}};
        for (const auto &range : levels) {
            for (uint32_t n = 1; n <= range.second; ++n) {
                const uint32_t t = range.first;
                switch (kind) {
                case 0:
                    QVERIFY(r.dev.set_fader(t, n, -1));
                    break;
                case 1:
                    QCOMPARE(r.dev.set_mute(t, n, 1), t != OUT);
                    break;
                case 2:
                    for (uint32_t bus = 1; bus <= 4; ++bus)
                        QCOMPARE(r.dev.set_send(t, n, AUX, bus, 1, 0), t == IN || (t == MASTER && n == 1));
                    break;
                case 3:
                    for (uint32_t band = 1; band <= 4; ++band)
                        QCOMPARE(r.dev.set_eq(t, n, 1, band, 0, 0, 0), t == IN);
                    break;
                case 4:
                    QCOMPARE(r.dev.set_assign_ch(IN, n, OUT, n), true);
                    break;
                case 5:
                    QCOMPARE(r.dev.set_comp(t, n, 1, 0, 10, 2, 1, 0, 1), t == IN);
                    break;
                case 6:
                    QCOMPARE(r.dev.set_pan(t, n, 1), t == IN);
                    break;
                case 7:
                    QCOMPARE(r.dev.set_adat_x4mode(n, 1), n == 5 || n == 6);
                    break;
                }
            }
        }
        if (kind == 4) // outputs 10-20 exist only as routing destinations
            for (uint32_t n = 10; n <= 20; ++n)
                QVERIFY(r.dev.set_assign_ch(MASTER, 1, OUT, n));
        QCOMPARE(ids_of(r.drain(), {id}).size(), count);
    }

    void grmeter_address_replaced()
    {
        Rig r;
        r.dev.get_grmeter(IN, 3);
        r.dev.get_grmeter(IN, 5);
        r.offer_ready();
        QCOMPARE(describe(r.last_send()), QStringLiteral("97=4 98=5 177=0"));
    }

    void refused_address_data()
    {
        QTest::addColumn<int>("call");
        QTest::addColumn<bool>("accepted");
        const QList<std::pair<const char *, std::function<bool(QIXDevice &)>>> calls = {
            {"fader output 10", [](QIXDevice &d) { return d.set_fader(OUT, 10, 0); }},
            {"fader master 3", [](QIXDevice &d) { return d.set_fader(MASTER, 3, 0); }},
            {"fader input 0", [](QIXDevice &d) { return d.set_fader(IN, 0, 0); }},
            {"fader input 257", [](QIXDevice &d) { return d.set_fader(IN, 257, 0); }},
            {"send master 2", [](QIXDevice &d) { return d.set_send(MASTER, 2, AUX, 1, 1, 0); }},
            {"send to bus 5", [](QIXDevice &d) { return d.set_send(IN, 1, AUX, 5, 1, 0); }},
            {"send to output", [](QIXDevice &d) { return d.set_send(IN, 1, OUT, 1, 1, 0); }},
            {"eq band 5", [](QIXDevice &d) { return d.set_eq(IN, 1, 1, 5, 0, 0, 0); }},
            {"eq band 0", [](QIXDevice &d) { return d.set_eq(IN, 1, 1, 0, 0, 0, 0); }},
            {"eq master", [](QIXDevice &d) { return d.set_eq(MASTER, 1, 1, 1, 0, 0, 0); }},
            {"comp input 21", [](QIXDevice &d) { return d.set_comp(IN, 21, 1, 0, 0, 0, 0, 0, 1); }},
            {"assign to output 21", [](QIXDevice &d) { return d.set_assign_ch(IN, 1, OUT, 21); }},
            {"assign to master", [](QIXDevice &d) { return d.set_assign_ch(IN, 1, MASTER, 1); }},
            {"assign source 300", [](QIXDevice &d) { return d.set_assign_ch(IN, 300, OUT, 1); }},
            {"adat source 1", [](QIXDevice &d) { return d.set_adat_x4mode(1, 0); }},
            {"pan master", [](QIXDevice &d) { return d.set_pan(MASTER, 1, 20); }},
            {"mute master 3", [](QIXDevice &d) { return d.set_mute(MASTER, 3, 1); }},
            {"mute output 1", [](QIXDevice &d) { return d.set_mute(OUT, 1, 1); }},
            {"solo computer 1", [](QIXDevice &d) { return d.set_solo(IXMSG_DATA_CH_COMPUTER, 1, 1); }},
            {"phase aux 1", [](QIXDevice &d) { return d.set_phase(AUX, 1, 1); }},
            {"truebypass input 21", [](QIXDevice &d) { return d.set_truebypass(IN, 21, 1); }},
        };
        s_calls.clear();
        for (const auto &c : calls) {
            QTest::newRow(c.first) << s_calls.size() << false;
            s_calls << c.second;
        }
        // The neighbours of the refused ones are stored.
        const QList<std::pair<const char *, std::function<bool(QIXDevice &)>>> accepted = {
            {"fader output 9", [](QIXDevice &d) { return d.set_fader(OUT, 9, 0); }},
            {"fader master 2", [](QIXDevice &d) { return d.set_fader(MASTER, 2, 0); }},
            {"send master 1", [](QIXDevice &d) { return d.set_send(MASTER, 1, AUX, 1, 1, 0); }},
            {"eq band 4", [](QIXDevice &d) { return d.set_eq(IN, 1, 1, 4, 0, 0, 0); }},
            {"assign computer to output 20", [](QIXDevice &d) { return d.set_assign_ch(3, 10, OUT, 20); }},
            {"adat source 5", [](QIXDevice &d) { return d.set_adat_x4mode(5, 0); }},
            {"mute master 2", [](QIXDevice &d) { return d.set_mute(MASTER, 2, 1); }},
            {"any clock source", [](QIXDevice &d) { return d.set_clocksource(77); }},
        };
        for (const auto &c : accepted) {
            QTest::newRow(c.first) << s_calls.size() << true;
            s_calls << c.second;
        }
    }
    void refused_address()
    {
        QFETCH(int, call);
        QFETCH(bool, accepted);
        Rig r;
        r.offer_ready();
        QCOMPARE(s_calls.at(call)(r.dev), accepted);
        QCOMPARE(r.sends.count(), accepted ? 1 : 0);
        QCOMPARE(r.polls.count(), 0);
    }

    void unchanged_entry_sends_nothing_data() { add_operation_rows(); }
    void unchanged_entry_sends_nothing()
    {
        QFETCH(int, op);
        const Operation &o = kOperations[op];
        Rig r;
        r.offer_ready();
        QVERIFY(o.apply(r.dev));
        QCOMPARE(r.sends.count(), 1);
        const QByteArray first = r.last_send();
        r.complete_send();
        QVERIFY(o.apply(r.dev)); // same values again
        QCOMPARE(r.sends.count(), o.table ? 1 : 2);
        if (!o.table)
            r.complete_send();
        r.dev.reset_params();
        QVERIFY(o.apply(r.dev));
        QCOMPARE(r.sends.count(), o.table ? 2 : 3);
        QCOMPARE(r.last_send(), first);
        QCOMPARE(r.polls.count(), 0);
    }

    void reset_params_drops_pending_tables_only_data() { add_operation_rows(); }
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

    void selection_answers_are_the_last_received()
    {
        Rig r;
        QSignalSpy asked(&r.dev, &QIXDevice::sig_is_selected);
        QSignalSpy dropped(&r.dev, &QIXDevice::sig_deselect);
        QCOMPARE(r.dev.is_selected(), false);
        r.dev.recv_is_selected(true);
        QCOMPARE(r.dev.is_selected(), true);
        r.dev.recv_is_selected(false);
        QCOMPARE(r.dev.is_selected(), false);
        r.dev.recv_deselect(true);
        QCOMPARE(r.dev.deselect(), false);
        QCOMPARE(asked.count(), 3);
        QCOMPARE(dropped.count(), 1);
    }

private:
    static QList<std::function<bool(QIXDevice &)>> s_calls;
};

QList<std::function<bool(QIXDevice &)>> TestQixExchange::s_calls;

QTEST_GUILESS_MAIN(TestQixExchange)
#include "tst_qixexchange.moc"
