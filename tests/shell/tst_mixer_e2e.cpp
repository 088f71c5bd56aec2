// A stored mix end to end: a prepared settings file, then the real panel and an in-process window, each
// against a fresh virtual unit. What the unit holds afterwards, what the window shows, and what the push
// costs in messages and time.
#include "QIXDevice.h"
#include "mainwindow.h"
#include "paneltestrig.h"
#include "recordingboxes.h"
#include "resources.h"
#include "settings.h"
#include "unitpresence.h"

#include <QJsonArray>
#include <QtTest>

#include <memory>

using namespace lyntra_test;

namespace {

// As a previous run would have left the file. Linked pairs keep stale mono faders (the pair value
// must win) and their sends in step on both tracks; "Trumpet" is one character too long.
const char kStored[] = R"([Misc]
Information_Dialog=true

[Reverb]
MasterReverb=false

[Track1_2]
Link=true
Fader=6

[Track1]
Fader=-20
Pan_pos=40
Pan_value=R20
Send1_Level=28
Send1_Value=-42dB
Send1_Point=2
Name=Kick

[Track2]
Fader=-20
Pan_pos=59
Pan_value=L20
Send1_Level=28
Send1_Value=-42dB
Send1_Point=2
Name=Trumpet

[Track3]
Mute=true

[Track5]
Pan_pos=0
Pan_value=L20
Send2_Level=101
Send2_Value="  0dB"
Send2_Point=3
Name=Gé声

[Track6]
Pan_pos=99
Pan_value=R20
Send4_Level=0
Send4_Value=-inf.
Send4_Point=2

[Track7]
Pan_pos=13
Pan_value=L7

[Track8]
Mute=true
Pan_pos=85
Pan_value=R6

[Track9]
Fader=-99.9

[Track10]
Fader=-12.5

[Track13_14]
Link=true
Fader=-0.1

[Track13]
Mute=true
Send3_Level=127
Send3_Value="  6dB"
Send3_Point=3

[Track14]
Mute=true
Send3_Level=127
Send3_Value="  6dB"
Send3_Point=3

[Track20]
Mute=true
Name=Ω Bass

[TrackMaster]
Fader=-4.1
Mute=true
Send1_Level=127
Send3_Level=0
Return_Level=90
Return_Value=" -4dB"
)";

// One wire value in the unit's state document: a dotted path ("send.input.0.2.level", indices from 0).
struct UnitValue {
    const char *path;
    int value;
};

const UnitValue kUnit[] = {
    // Faders in tenths of a dB: linked pairs on both channels, -99.9 as -1270, a typed level as typed.
    {"fader.input.0", 60},
    {"fader.input.1", 60},
    {"fader.input.12", -1},
    {"fader.input.13", -1},
    {"fader.input.8", -1270},
    {"fader.input.9", -125},
    {"fader.input.2", 0},
    {"fader.master.0", -41},
    {"fader.master.1", -41},
    // Pan indices: the even lane starts at 59.
    {"pan.0", 40},
    {"pan.1", 0},
    {"pan.4", 0},
    {"pan.5", 40},
    {"pan.6", 13},
    {"pan.7", 26},
    {"pan.2", 20},
    {"pan.3", 20},
    {"pan.19", 20},
    {"mute.input.0", 0},
    {"mute.input.1", 0},
    {"mute.input.2", 1},
    {"mute.input.3", 0},
    {"mute.input.7", 1},
    {"mute.input.12", 1},
    {"mute.input.13", 1},
    {"mute.input.19", 1},
    {"mute.master.0", 1},
    {"mute.master.1", 1},
    // Sends: point 1 none, 2 pre, 3 post; levels in dB, -127 for -inf.
    {"send.input.0.0.point", 2},
    {"send.input.0.0.level", -42},
    {"send.input.1.0.point", 2},
    {"send.input.1.0.level", -42},
    {"send.input.4.1.point", 3},
    {"send.input.4.1.level", 0},
    {"send.input.5.3.point", 2},
    {"send.input.5.3.level", -127},
    {"send.input.12.2.point", 3},
    {"send.input.12.2.level", 6},
    {"send.input.13.2.point", 3},
    {"send.input.13.2.level", 6},
    {"send.input.3.0.point", 1},
    {"send.input.3.0.level", -127},
    // Master sends carry point 1 whatever the tracks use.
    {"send.master.0.point", 1},
    {"send.master.0.level", 6},
    {"send.master.1.level", 0},
    {"send.master.2.level", -127},
    {"send.master.3.level", 0},
    {"return.on", 0},
    {"return.level", -4},
};

// One property of a window widget found by object name.
struct Shown {
    const char *object;
    const char *property;
    QVariant value;
};

const QList<Shown> &shownValues()
{
    static const QList<Shown> rows = {
        {"sW_channel1_2", "currentIndex", 1},
        {"sW_channelAdat1_2", "currentIndex", 1},
        {"sW_channel5_6", "currentIndex", 0},
        {"sW_channelSP1_2", "currentIndex", 0},
        {"dSB_faderDisplay1_2", "value", 6.0},
        {"vS_FaderKnob1_2", "value", 100},
        {"dSB_faderDisplay13_14", "value", -0.1},
        {"dSB_faderDisplay9", "text", QStringLiteral("-infinity")},
        {"vS_FaderKnob9", "value", 0},
        {"dSB_faderDisplay10", "value", -12.5},
        {"dSB_faderDisplay3", "value", 0.0},
        {"dSB_faderDisplayMaster", "value", -4.1},
        {"pB_Mute1_2", "checked", false},
        {"pB_MuteAdat1_2", "checked", true},
        {"pB_MuteAdat1", "checked", true},
        {"pB_MuteAdat2", "checked", true},
        {"pB_Mute3", "checked", true},
        {"pB_Mute4", "checked", false},
        {"pB_Mute8", "checked", true},
        {"pB_MuteAdat8", "checked", true},
        {"pB_masterMute", "checked", true},
        {"label_panDisplay1_2_L", "text", QStringLiteral("R20")},
        {"label_panDisplay1_2_R", "text", QStringLiteral("L20")},
        {"label_panDisplay5", "text", QStringLiteral("L20")},
        {"label_panDisplay6", "text", QStringLiteral("R20")},
        {"label_panDisplay7", "text", QStringLiteral("L7")},
        {"label_panDisplay8", "text", QStringLiteral("R6")},
        {"label_panDisplay3", "text", QStringLiteral("C")},
        {"lineEdit_ch1", "text", QStringLiteral("Kick")},
        {"lineEdit_ch2", "text", QStringLiteral("Trumpe")},
        {"lineEdit_ch5", "text", QString::fromUtf8("Gé声")},
        {"lineEdit_ch20", "text", QString::fromUtf8("Ω Bass")},
        {"lineEdit_ch4", "text", QString()},
        {"label_Send1Display1_2", "text", QStringLiteral("-42dB")},
        {"label_Send1Display2", "text", QStringLiteral("-42dB")},
        {"label_Send2Display5", "text", QStringLiteral("  0dB")},
        {"label_Send4Display6", "text", QStringLiteral("-inf.")},
        {"label_Send3DisplayAdat1_2", "text", QStringLiteral("  6dB")},
        {"label_Send1DisplayMaster", "text", QStringLiteral("  6dB")},
        {"label_Send2DisplayMaster", "text", QStringLiteral("  0dB")},
        {"label_Send3DisplayMaster", "text", QStringLiteral("-inf.")},
        {"label_SendDisplayReturn", "text", QStringLiteral(" -4dB")},
        {"pB_Pre1_1_2", "checked", true},
        {"pB_Post1_1_2", "checked", false},
        {"pB_Post3_Adat1_2", "checked", true},
        {"pB_Post2_5", "checked", true},
        {"pB_Pre4_6", "checked", true},
        {"pB_masterReverb", "checked", false},
        {"sW_return", "currentIndex", 1},
    };
    return rows;
}

QJsonValue at(const QJsonObject &state, const QString &path)
{
    QJsonValue v = state;
    for (const QString &part : path.split(QLatin1Char('.'))) {
        bool index = false;
        const int i = part.toInt(&index);
        v = index ? v.toArray().at(i) : v.toObject().value(part);
    }
    return v;
}

// The first expected value the state lacks, empty when it holds them all.
QString firstMismatch(const QJsonObject &state)
{
    for (const UnitValue &u : kUnit) {
        const QJsonValue v = at(state, QLatin1String(u.path));
        if (v.isDouble() && v.toInt() == u.value)
            continue;
        const QString got = v.isDouble() ? QString::number(v.toInt()) : v.isNull() ? "null" : "missing";
        return QStringLiteral("%1 is %2, expected %3").arg(QLatin1String(u.path), got).arg(u.value);
    }
    return QString();
}

// What one push cost.
struct Push {
    QJsonObject state;     // the unit's state when it was complete, else the last one seen
    bool complete = false; // the unit held every expected value in time
    qint64 ms = -1;        // from the full load until the unit held everything
    qint64 before = -1;    // unit message counter when the full load started
    qint64 after = -1;     // ... and when the unit held everything
};

// Polls the unit every 10 ms (the event loop runs meanwhile) until it holds every expected value.
void awaitComplete(const VirtualUnit &unit, const QElapsedTimer &since, Push &push, int timeoutMs)
{
    while (since.elapsed() < timeoutMs) {
        push.state = unit.state();
        if (firstMismatch(push.state).isEmpty()) {
            push.complete = true;
            push.ms = since.elapsed();
            push.after = qint64(push.state.value(QStringLiteral("messages")).toDouble());
            qInfo("unit complete %lld ms after the full load; messages %lld at the full load, %lld when "
                  "complete (%lld for the push, polls included)",
                  push.ms, push.before, push.after, push.after - push.before);
            return;
        }
        QTest::qWait(10);
    }
}

QString configDir()
{
    return QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + QStringLiteral("/AVENOR");
}

} // namespace

class TestMixerE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(Panel::program()).isExecutable(), qPrintable(Panel::program()));
        QVERIFY2(VirtualUnit::available(), qPrintable(VirtualUnit::program()));
        QVERIFY(!qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"));
        QVERIFY(tmp_.isValid());
        // The panel's lock file stays here; a unit on USB is never touched.
        qputenv("TMPDIR", tmp_.path().toUtf8());
        qputenv("XDG_SESSION_ID", "7");
        qputenv("LYNTRA_UNIT", "virtual");
        QVERIFY(QDir().mkpath(configDir()));
        QFile file(configDir() + QStringLiteral("/DUOMIX_Setting.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(kStored), qint64(sizeof(kStored) - 1));
    }

    // (a) The real program: everything stored reaches the unit.
    void panelPushesStoredMix()
    {
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K2", "--rate", "48000"}));
        Panel panel(tmp_.filePath(QStringLiteral("hook.txt")));
        QVERIFY(panel.start());
        QVERIFY(panel.awaitMarker("unit set up"));
        // The marker follows the full load within the same timer tick.
        QElapsedTimer since;
        since.start();
        panelPush_.before = qint64(unit.state().value(QStringLiteral("messages")).toDouble());
        awaitComplete(unit, since, panelPush_, 8000);
        QVERIFY2(panelPush_.complete, qPrintable(firstMismatch(panelPush_.state)));
        QCOMPARE(panel.process().state(), QProcess::Running);
        QCOMPARE(hookLines(tmp_.filePath(QStringLiteral("hook.txt"))), QStringList{});
    }

    // (b) The window in-process, with its device worker, against a fresh unit.
    void windowLoadsStoredMix()
    {
        lyntra_init_resources();
        unit_ = std::make_unique<VirtualUnit>();
        QVERIFY(unit_->start({"--model", "K2", "--rate", "48000"}));
        device_ = std::make_unique<QIXDevice>();
        settings_ = std::make_unique<Settings>();
        window_ = std::make_unique<MainWindow>(*device_, *settings_);
        auto *presence = window_->findChild<UnitPresence *>();
        QVERIFY(presence);
        // Connected after the window's own full load, so this runs right after that load has queued
        // its messages.
        connect(presence, &UnitPresence::loadStoredState, this, [this] {
            windowLoadStarted_.start();
            windowPush_.before = qint64(unit_->state().value(QStringLiteral("messages")).toDouble());
        });
        window_->show();
        QTRY_COMPARE_WITH_TIMEOUT(int(window_->state().identification), int(ShellState::SetUp), 8000);
        QVERIFY(windowLoadStarted_.isValid());
        awaitComplete(*unit_, windowLoadStarted_, windowPush_, 8000);
        QVERIFY2(windowPush_.complete, qPrintable(firstMismatch(windowPush_.state)));
        QCOMPARE(boxes_.titles, QStringList{});
    }

    void unitHolds_data()
    {
        QTest::addColumn<bool>("window");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("value");
        for (const bool window : {false, true})
            for (const UnitValue &u : kUnit)
                QTest::addRow("%s %s", window ? "window" : "panel", u.path)
                    << window << QString::fromLatin1(u.path) << u.value;
    }
    void unitHolds()
    {
        QFETCH(bool, window);
        QFETCH(QString, path);
        QFETCH(int, value);
        const QJsonValue v = at(window ? windowPush_.state : panelPush_.state, path);
        QVERIFY2(v.isDouble(), "not held");
        QCOMPARE(v.toInt(), value);
    }

    void windowShows_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        for (const Shown &s : shownValues())
            QTest::addRow("%s %s", s.object, s.property) << s.object << s.property << s.value;
    }
    void windowShows()
    {
        QFETCH(QString, object);
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QVERIFY(window_);
        const QWidget *w = window_->findChild<QWidget *>(object);
        QVERIFY2(w, "no such widget");
        const QVariant got = w->property(qPrintable(property));
        QVERIFY2(got.isValid(), "no such property");
        if (value.type() == QVariant::Double)
            QVERIFY2(qAbs(got.toDouble() - value.toDouble()) < 1e-9, qPrintable(got.toString()));
        else
            QCOMPARE(got, value);
    }

    void cleanupTestCase()
    {
        window_.reset();
        if (device_)
            QVERIFY(device_->shutdown(5000));
        device_.reset();
        settings_.reset();
        if (unit_)
            QVERIFY(unit_->stop());
    }

private:
    QTemporaryDir tmp_;
    RecordingBoxes boxes_;
    Push panelPush_;
    Push windowPush_;
    QElapsedTimer windowLoadStarted_;
    std::unique_ptr<VirtualUnit> unit_;
    std::unique_ptr<QIXDevice> device_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(TestMixerE2E)
#include "tst_mixer_e2e.moc"
