// The OSC server over the real models and the in-process unit, driven by a real OSC client: values in
// on-screen units clamped and snapped to the panel's scales and reaching the unit, feedback to the
// other subscribers, meters to those that asked, hostile datagrams answered on the error address and
// harmless, and a port in use reported by the dialog.
#include "lineouts.h"
#include "localnetwork.h"
#include "monitormodel.h"
#include "oscclient.h"
#include "remotecontrol.h"
#include "remotedialog.h"
#include "subscribers.h"
#include "unitrig.h"
#include "unitstatus.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QSpinBox>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <cmath>
#include <limits>

using namespace lyntra_test;
using remote::RemoteControl;

namespace {

struct RemoteRig {
    UnitRig unit;
    mixer::LineOutModel lineOuts{unit.settings, unit.dev};
    mixer::MonitorModel monitor{unit.settings, unit.dev};
    mixer::UnitStatus status{unit.dev};
    QStringList sceneNames{"A", "B", "C"};
    remote::SceneAccess scenes{{}, {}, [this] { return sceneNames; }, [this](int s, auto n) { sceneNames[s - 1] = n; }};
    RemoteControl control{{*unit.model, lineOuts, monitor, status, scenes}};
    int port = freePort();

    RemoteRig() { control.configure({true, port, false}); }
};

} // namespace

class TestRemote : public QObject {
    Q_OBJECT

private slots:
    // What a client sends, what the panel keeps (the answer to a query, in on-screen units) and what
    // the unit then holds (wire values).
    void valuesClampedAndSnapped_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QVariant>("sent");
        QTest::addColumn<QVariant>("kept");
        QTest::addColumn<QString>("atUnit");
        const auto row = [](const char *name, const char *path, QVariant sent, QVariant kept,
                            const char *unit) {
            QTest::newRow(name) << QString::fromLatin1(path) << sent << kept << QString::fromLatin1(unit);
        };
        row("fader above the top", "/lyntra/input/3/fader", 40.0, 6.0, "fader.input.2=60");
        row("fader below the bottom is off", "/lyntra/input/20/fader", -500.0, -99.9, "fader.input.19=-1270");
        row("fader as an int", "/lyntra/input/1/fader", -6, -6.0, "fader.input.0=-60");
        row("master fader", "/lyntra/master/fader", -3.04, -3.0, "fader.master.0=-30");
        row("pan rounds", "/lyntra/input/4/pan", -3.6, -4, "pan.3=16");
        row("pan clamps right", "/lyntra/input/5/pan", 99.0, 20, "pan.4=40");
        row("pan clamps left", "/lyntra/input/6/pan", -99.0, -20, "pan.5=0");
        row("pan of a linked pair's left input", "/lyntra/input/3/pan", -10.0, -10, "pan.2=10");
        row("mute from a float", "/lyntra/input/7/mute", 0.7, 1, "mute.input.6=1");
        row("send snaps to a step", "/lyntra/input/2/send/3/level", -7.4, -7.0, "send.input.1.2.level=-7");
        row("send on a linked pair", "/lyntra/input/3/send/1/level", -6.0, -6.0, "send.input.3.0.level=-6");
        row("send post off", "/lyntra/input/2/send/3/post", 0, 0, "send.input.1.2.point=1");
        row("ratio snaps", "/lyntra/input/6/comp/ratio", 3.3, 3.5, "comp.5.ratio=35");
        row("ratio infinite from 32", "/lyntra/input/6/comp/ratio", 32.0, std::numeric_limits<double>::infinity(),
            "comp.5.ratio=255");
        row("eq frequency by ratio", "/lyntra/input/9/eq/high/freq", 7100.0, 7000.0, "eq.8.3.freq=51");
        row("eq q by ratio", "/lyntra/input/9/eq/lowmid/q", 5.0, 4.0, "eq.8.1.q=4");
        row("eq gain clamps", "/lyntra/input/9/eq/low/gain", -40.0, -12.0, "eq.8.0.gain=0");
        // A name is the window's own: the unit holds none.
        row("name cleaned and cut", "/lyntra/input/7/name", "Kick\tdrum", "Kickdr", "mute.input.6=null");
        row("reverb time clamps", "/lyntra/reverb/time", 99.0, 10.0, "reverb.time=100");
        row("pre-delay clamps to none", "/lyntra/reverb/predelay", -20.0, 0.0, "reverb.predelay=0");
        row("reverb type any case", "/lyntra/reverb/type", "plate", "PLATE", "reverb.type=5");
        row("last line-out source by name", "/lyntra/lineout/8/source", " aux 3 ", "AUX 3", "route.7.type=5");
        row("reverb return snaps", "/lyntra/reverb/return", -7.4, -7.0, "return.level=-7");
        // The monitor is off: the unit hears none of its levels.
        row("monitor level of the second pair", "/lyntra/monitor/2/right", -10.0, -10.0, "fader.output.3=null");
    }
    void valuesClampedAndSnapped()
    {
        QFETCH(QString, path);
        QFETCH(QVariant, sent);
        QFETCH(QVariant, kept);
        QFETCH(QString, atUnit);
        RemoteRig rig;
        QCOMPARE(rig.control.state(), RemoteControl::State::Listening);
        OscClient client(rig.port);
        const std::string at = path.toStdString();
        // The unit hears a compressor's or an equaliser's values while it is on, as from the window.
        for (const char *section : {"/comp/", "/eq/"})
            if (path.contains(QLatin1String(section)))
                client.send(path.section('/', 0, 3).toStdString() + section + "on", {1});
        if (QByteArray(QTest::currentDataTag()).contains("linked"))
            client.send(path.section('/', 0, 3).toStdString() + "/link", {1});
        client.send(at, {sent});
        QVERIFY2(wait_until([&] { return rig.unit.mismatch({atUnit}).isEmpty(); }),
                 qPrintable(rig.unit.mismatch({atUnit})));
        // The answer to the query comes after any error the change met.
        const int answers = client.count(at);
        client.send(at);
        QVERIFY(wait_until([&] { return client.count(at) > answers; }));
        QCOMPARE(client.count("/lyntra/error"), 0);
        const QVariant answer = client.last(at).args.value(0);
        if (kept.type() == QVariant::Double)
            QVERIFY2(std::isinf(kept.toDouble()) ? std::isinf(answer.toDouble())
                                                 : qAbs(answer.toDouble() - kept.toDouble()) < 1e-4,
                     qPrintable(answer.toString()));
        else
            QCOMPARE(answer, kept);
    }

    // A linked monitor pair has one level, whichever side a client names.
    void linkedMonitorPairMovesTogether()
    {
        RemoteRig rig;
        rig.monitor.setLink(1, true);
        OscClient client(rig.port);
        client.send("/lyntra/monitor/2/left", {-10.0});
        QVERIFY(wait_until([&] { return rig.monitor.rightLevel(1) == -10.0; }));
        client.send("/lyntra/monitor/2/right", {-20.0});
        QVERIFY(wait_until([&] { return rig.monitor.leftLevel(1) == -20.0; }));
    }

    // The clock as the interface page shows it: the source's name, and its lock once the unit reports
    // one (dashes on the internal clock); an external rate other than the unit's is a mismatch.
    void clockStatusAnswers()
    {
        struct Row {
            ixmsg_data_clocksource_t source;
            ixmsg_data_clocklock_t lock;
            uint32_t hz;
            const char *clock, *locked;
        };
        const auto word = IXMSG_DATA_CLOCKSOURCE_WORD;
        const auto good = IXMSG_DATA_CLOCKLOCK_GOOD;
        for (const Row &r : {Row{IXMSG_DATA_CLOCKSOURCE_INTERNAL, good, 0, "INTERNAL", "---"},
                             Row{word, good, 0, "WORD", "LOCKED"}, Row{word, good, 96000, "WORD", "MISMATCH"},
                             Row{IXMSG_DATA_CLOCKSOURCE_OPTICAL_A, IXMSG_DATA_CLOCKLOCK_UNLOCKED, 0,
                                 "OPTICAL A", "UNLOCKED"},
                             Row{IXMSG_DATA_CLOCKSOURCE_OPTICAL_B, IXMSG_DATA_CLOCKLOCK_PHASE_ERROR, 0,
                                 "OPTICAL B", "PHASE ERROR"}}) {
            RemoteRig rig;
            emit rig.unit.dev.sig_recv_clocksource(r.source);
            emit rig.unit.dev.sig_recv_clockhz(r.source, r.hz);
            emit rig.unit.dev.sig_recv_clocklock(r.source, r.lock);
            OscClient client(rig.port);
            client.send("/lyntra/status/clock");
            client.send("/lyntra/status/lock");
            QVERIFY(wait_until([&] { return client.count("/lyntra/status/lock") == 1; }));
            QCOMPARE(client.last("/lyntra/status/clock").args, (QVariantList{r.clock}));
            QCOMPARE(client.last("/lyntra/status/lock").args, (QVariantList{r.locked}));
        }
    }

    // Open to the network, the server answers this computer and the networks its interfaces are on, and
    // no routed sender: checked against Qt's own reading of the interfaces.
    void networkReachIsTheLocalNetwork()
    {
        RemoteRig rig;
        rig.control.configure({true, rig.port, true});
        OscClient client(rig.port);
        client.send("/lyntra/status/rate");
        QVERIFY(wait_until([&] { return client.count("/lyntra/status/rate") == 1; }));

        remote::LocalNetwork local;
        QList<QNetworkAddressEntry> nets; // this computer's IPv4 networks, as Qt reads them
        for (const QNetworkInterface &i : QNetworkInterface::allInterfaces())
            for (const QNetworkAddressEntry &e : i.addressEntries())
                if (e.ip().protocol() == QAbstractSocket::IPv4Protocol && e.prefixLength() > 0)
                    nets << e;
        const auto onAny = [&nets](quint32 ip) {
            return std::any_of(nets.begin(), nets.end(), [ip](const QNetworkAddressEntry &e) {
                const quint32 mask = e.netmask().toIPv4Address();
                return (ip & mask) == (e.ip().toIPv4Address() & mask);
            });
        };
        QVERIFY(local.contains(0x7f000105)); // 127.0.1.5
        for (const QNetworkAddressEntry &e : nets)
            if (e.prefixLength() < 31) // a neighbour: the last host bit flipped
                QVERIFY(local.contains(e.ip().toIPv4Address() ^ 1u));
        for (const quint32 far : {0xcb00714dU, 0xc633644dU, 0x0afffe4dU}) // 203.0.113.77, 198.51.100.77, ...
            if (!onAny(far))
                QVERIFY(!local.contains(far));
    }

    // Clients that send 64-bit numbers (h, d) are understood as those that send i and f; a bundle's
    // message applies past an empty bundle before it (valid OSC, nothing to do).
    void wideNumbers()
    {
        RemoteRig rig;
        OscClient client(rig.port);
        const auto message = [](const char *path, const std::function<void(lo_message)> &add) {
            lo_message m = lo_message_new();
            add(m);
            size_t size = 0;
            void *data = lo_message_serialise(m, path, nullptr, &size);
            const QByteArray bytes(static_cast<const char *>(data), int(size));
            std::free(data);
            lo_message_free(m);
            return bytes;
        };
        client.sendRaw(message("/lyntra/input/3/fader", [](lo_message m) { lo_message_add_int64(m, -6); }),
                       rig.port);
        const QByteArray bundle("#bundle\0\0\0\0\0\0\0\0\1", 16);
        const auto element = [](const QByteArray &b) { return QByteArray(3, '\0') + char(b.size()) + b; };
        const QByteArray wide =
            message("/lyntra/input/4/fader", [](lo_message m) { lo_message_add_double(m, -7.5); });
        client.sendRaw(bundle + element(bundle) + element(wide), rig.port);
        QVERIFY(wait_until([&] {
            return rig.unit.mismatch({"fader.input.2=-60", "fader.input.3=-75"}).isEmpty();
        }));
    }

    // Bad input gets its reason on the error address and changes nothing; the server answers the next
    // good message as before.
    void hostileInputIsRefused_data()
    {
        QTest::addColumn<QByteArray>("datagram"); // raw bytes, when not empty
        QTest::addColumn<QString>("path");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("reason");
        const auto msg = [](const char *name, const char *path, QVariantList args, const char *why) {
            QTest::newRow(name) << QByteArray() << QString::fromLatin1(path) << args << QString::fromLatin1(why);
        };
        msg("unknown address", "/lyntra/input/3/volume", {-3.0}, "unknown address");
        msg("channel 21", "/lyntra/input/21/fader", {-3.0}, "unknown address");
        msg("compressor of channel 21", "/lyntra/input/21/comp/threshold", {-3.0}, "unknown address");
        msg("channel 0", "/lyntra/input/0/mute", {1}, "unknown address");
        msg("text for a number", "/lyntra/input/3/fader", {QStringLiteral("loud")},
            "expects a number (i or f), not a text");
        msg("NaN", "/lyntra/input/3/fader", {std::nan("")}, "NaN");
        msg("two values", "/lyntra/input/3/fader", {-3.0, -4.0}, "one argument");
        msg("unknown reverb", "/lyntra/reverb/type", {QStringLiteral("CAVE")}, "HALL");
        msg("scene 11", "/lyntra/scene/load", {11}, "1..10");
        msg("scene name of nothing but a tab", "/lyntra/scene/2/name", {QStringLiteral("\t")}, "needs a name");
        msg("read-only", "/lyntra/status/rate", {96000}, "read-only");
        msg("subscribe port 0", "/lyntra/subscribe", {0}, "1..65535");
        msg("compressor in true bypass", "/lyntra/input/3/comp/on", {1}, "true bypass");
        msg("compressor knob in true bypass", "/lyntra/input/3/comp/threshold", {-3.0}, "true bypass");
        msg("phase in true bypass", "/lyntra/input/3/phase", {1}, "true bypass");
        msg("EQ in true bypass", "/lyntra/input/3/eq/on", {1}, "true bypass");
        QTest::newRow("not OSC") << QByteArray("GET ") << QString() << QVariantList() << "not an OSC";
        QTest::newRow("length not in fours") << QByteArray("/lyntra\0,\0\0\0\0", 13) << QString() << QVariantList()
                                             << "not an OSC";
        QTest::newRow("truncated") << QByteArray("/lyntra/input/3/fader\0\0\0,f\0\0", 28) << QString()
                                   << QVariantList() << "not an OSC";
        // Each bundle holds the one before as its element, its size big-endian (all under 256 bytes).
        QByteArray nested("#bundle\0\0\0\0\0\0\0\0\1", 16);
        for (int depth = 0; depth < 6; ++depth)
            nested = QByteArray("#bundle\0\0\0\0\0\0\0\0\1", 16) + QByteArray(3, '\0') + char(nested.size()) + nested;
        QTest::newRow("bundles too deep") << nested << QString() << QVariantList() << "not an OSC";
    }
    void hostileInputIsRefused()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QString, path);
        QFETCH(QVariantList, args);
        QFETCH(QString, reason);
        RemoteRig rig;
        // In true bypass, but its fader still answers.
        QVERIFY(rig.unit.model->setTrueBypass(mixer::monoRef(3), true));
        OscClient client(rig.port);
        if (datagram.isEmpty())
            client.send(path.toStdString(), args);
        else
            client.sendRaw(datagram, rig.port);
        QVERIFY(wait_until([&] { return client.count("/lyntra/error") == 1; }));
        const OscReceived error = client.last("/lyntra/error");
        QCOMPARE(error.args.value(0).toString(), path);
        QVERIFY2(error.args.value(1).toString().contains(reason), qPrintable(error.args.value(1).toString()));
        client.send("/lyntra/input/3/fader");
        QVERIFY(wait_until([&] { return client.count("/lyntra/input/3/fader") == 1; }));
        QCOMPARE(client.last("/lyntra/input/3/fader").args.value(0).toDouble(), 0.0);
        QCOMPARE(rig.unit.mismatch({"fader.input.2=null", "reverb.type=null", "comp.2.on=null"}), QString());
    }

    // At most 100 errors a second, so a forged sender cannot turn the answers into a flood at another host.
    void errorsAreCappedEachSecond()
    {
        RemoteRig rig;
        OscClient client(rig.port);
        for (int i = 0; i < 110; ++i)
            client.sendRaw("GET ", rig.port);
        QTest::qWait(1500);
        QCOMPARE(client.count("/lyntra/error"), 100);
        client.sendRaw("GET ", rig.port);
        QVERIFY(wait_until([&] { return client.count("/lyntra/error") == 101; }));
    }

    // Subscribers hear every change: a client's (a switch, a whole number, a level, a word) goes to the
    // others, not back to itself; one made in the panel (the model call a widget makes) goes to all. A
    // linked pair moves together.
    void feedbackReachesTheOtherSubscribers()
    {
        RemoteRig rig;
        OscClient a(rig.port), b(rig.port);
        for (OscClient *c : {&a, &b})
            c->send("/lyntra/subscribe", {c->port()});
        // Each first hears the whole mix.
        QVERIFY(wait_until([&] { return a.count("/lyntra/status/lock") == 1 && b.count("/lyntra/status/lock") == 1; }));
        a.clear(), b.clear();
        a.send("/lyntra/input/2/link", {1});
        a.send("/lyntra/input/1/mute", {1});
        a.send("/lyntra/input/4/pan", {-4});
        a.send("/lyntra/input/6/fader", {-6.0});
        a.send("/lyntra/reverb/type", {"PLATE"});
        QVERIFY(wait_until([&] {
            return b.count("/lyntra/input/2/mute") == 1 && b.count("/lyntra/input/4/pan") == 1
                   && b.count("/lyntra/input/6/fader") == 1 && b.count("/lyntra/reverb/type") == 1;
        }));
        QCOMPARE(b.last("/lyntra/input/1/mute").args, (QVariantList{1}));
        QCOMPARE(b.last("/lyntra/input/1/link").args, (QVariantList{1}));
        QCOMPARE(rig.unit.mismatch({"mute.input.0=1", "mute.input.1=1"}), QString());
        // A level the panel clamped goes back to its sender as taken.
        a.send("/lyntra/input/8/fader", {40.0});
        QVERIFY(wait_until([&] { return a.last("/lyntra/input/8/fader").args.value(0).toDouble() == 6.0; }));
        // Changes made in the window, on a linked pair, a channel, the master and a line output.
        rig.unit.model->setFaderLevel(mixer::pairRef(1), -12.0);
        QVERIFY(wait_until([&] { return b.last("/lyntra/input/1/fader").args.value(0).toDouble() == -12.0; }));
        rig.unit.model->setFaderLevel(mixer::monoRef(20), -20.0);
        rig.unit.model->setFaderLevel(mixer::masterRef(), -30.0);
        QVERIFY(wait_until([&] { return a.count("/lyntra/input/20/fader") == 1 && b.count("/lyntra/input/20/fader") == 1; }));
        QCOMPARE(a.last("/lyntra/input/20/fader").args.value(0).toDouble(), -20.0);
        QVERIFY(wait_until([&] { return b.last("/lyntra/master/fader").args.value(0).toDouble() == -30.0; }));
        QVERIFY(rig.lineOuts.select(mixer::UnitModel::K2, 2, 3));
        QVERIFY(wait_until([&] { return b.count("/lyntra/lineout/2/source") == 1; }));
        // A scene renamed in the window's dialog.
        rig.sceneNames[1] = "Verse";
        rig.control.scenesChanged();
        QVERIFY(wait_until([&] { return b.count("/lyntra/scene/2/name") == 1; }));
        QCOMPARE(b.last("/lyntra/scene/2/name").args, (QVariantList{"Verse"}));
        for (const char *own : {"/lyntra/input/1/mute", "/lyntra/input/2/link", "/lyntra/input/4/pan",
                                "/lyntra/input/6/fader", "/lyntra/reverb/type"})
            QCOMPARE(a.count(own), 0);

        b.send("/lyntra/unsubscribe", {b.port()});
        b.send("/lyntra/input/12/fader"); // answered once the unsubscription is done
        QVERIFY(wait_until([&] { return b.count("/lyntra/input/12/fader") == 1; }));
        b.clear();
        rig.unit.model->setFaderLevel(mixer::monoRef(20), -10.0);
        QVERIFY(wait_until([&] { return a.count("/lyntra/input/20/fader") == 2; }));
        QCOMPARE(b.count("/lyntra/input/20/fader"), 0);
        // A unit of another model, and no other change.
        emit rig.unit.dev.sig_recv_productname("LYNTRA K1");
        QVERIFY(wait_until([&] { return a.last("/lyntra/status/model").args == QVariantList{"LYNTRA K1"}; }));
    }

    // Meters go ten times a second to the subscriber that asked for them, to no other, and stop with the
    // server. A subscription not renewed within its lifetime lapses; a renewal restarts it.
    void metersAndLapse()
    {
        RemoteRig rig;
        int asked = 0;
        rig.control.setMeterSource([&asked] {
            ++asked;
            return std::array<float, RemoteControl::kMeters>{};
        });
        OscClient a(rig.port), b(rig.port);
        a.send("/lyntra/subscribe", {a.port(), 1});
        b.send("/lyntra/subscribe", {b.port()});
        QVERIFY(wait_until([&] { return a.count("/lyntra/meters") >= 1; }));
        a.clear();
        QTest::qWait(1000);
        const int meters = a.count("/lyntra/meters");
        QVERIFY2(meters >= 7 && meters <= 12, qPrintable(QString::number(meters)));
        QCOMPARE(b.count("/lyntra/meters"), 0);
        // Lapsed, a gets no meters and the unit is no longer asked; the server, its wait run out, still answers.
        QTest::qWait(int(std::chrono::milliseconds(remote::Subscribers::kLifetime).count()));
        asked = 0;
        a.clear();
        a.send("/lyntra/input/2/fader");
        QVERIFY(wait_until([&] { return a.count("/lyntra/input/2/fader") == 1; }));
        QTest::qWait(300);
        QVERIFY(asked == 0 && a.count("/lyntra/meters") == 0);
        // Turned off, the panel stops asking the unit for levels and answers no client.
        rig.control.configure({false, rig.port, false});
        asked = 0;
        a.send("/lyntra/input/1/fader");
        QTest::qWait(300);
        QCOMPARE(asked, 0);
        QCOMPARE(a.count("/lyntra/input/1/fader"), 0);

        using namespace std::chrono_literals;
        remote::Subscribers s;
        const auto t0 = remote::Subscribers::Clock::now();
        const remote::Endpoint first{1, 5000}, second{1, 5001};
        s.subscribe(first, false, t0);
        s.subscribe(second, true, t0);
        s.subscribe(second, true, t0 + 8s); // renewed
        s.expire(t0 + remote::Subscribers::kLifetime + 1ms);
        QVERIFY(s.receivers({}, false) == std::vector<remote::Endpoint>{second});
        s.expire(t0 + 8s + remote::Subscribers::kLifetime + 1ms);
        QCOMPARE(s.size(), size_t(0));
    }

    // The dialog opens on the port in force. Another program on the port: the dialog, driven by keys, says
    // so and stays open; a free port typed next brings the server up, and a reach chosen applies at once.
    void portInUseIsReported()
    {
        RemoteRig rig; // listening on rig.port
        RemoteControl second{{*rig.unit.model, rig.lineOuts, rig.monitor, rig.status, {}}};
        RemoteDialog dialog(second, [&](const RemoteControl::Config &c) { second.configure(c); });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QLabel *state = dialog.findChild<QLabel *>(QStringLiteral("label_RemoteState"));
        QSpinBox *port = dialog.findChild<QSpinBox *>(QStringLiteral("sB_RemotePort"));
        QCOMPARE(port->value(), second.config().port);
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *edit = port->findChild<QLineEdit *>(); // a click selects the port shown: digits typed replace it
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(3, edit->height() / 2));
        QTRY_COMPARE(edit->selectedText(), edit->text());
        const auto typePort = [&](int number) {
            port->setFocus();
            port->selectAll();
            QTest::keyClicks(port, QString::number(number));
            QTest::keyClick(port, Qt::Key_Return);
        };
        typePort(rig.port);
        dialog.findChild<QCheckBox *>(QStringLiteral("cB_RemoteEnabled"))->click();
        QCOMPARE(second.state(), RemoteControl::State::Failed);
        QCOMPARE(second.problem(), EADDRINUSE);
        QVERIFY2(state->text().contains(QStringLiteral("in use")), qPrintable(state->text()));
        const int free = freePort();
        typePort(free);
        QVERIFY(dialog.isVisible());
        QCOMPARE(second.state(), RemoteControl::State::Listening);
        QVERIFY2(state->text().contains(QStringLiteral("Listening on port %1").arg(free)), qPrintable(state->text()));
        dialog.findChild<QAbstractButton *>(QStringLiteral("rB_RemoteNetwork"))->click();
        QVERIFY2(state->text().contains(QStringLiteral("local network")), qPrintable(state->text()));
        // Escape takes a typed port back; the next one closes the dialog, and nothing typed applies.
        port->selectAll();
        QTest::keyClicks(port, QStringLiteral("9"));
        QTest::keyClick(port, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QTest::keyClick(port, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(second.config().port, free);
    }
};

QTEST_MAIN(TestRemote)
#include "tst_remote.moc"
