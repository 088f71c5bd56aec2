// The interface page: what a clock source or optical mode choice stores and sends, how the unit's clock,
// rate and lock reports show, the model-dependent look, the note on a unit the system refuses, the buffer-size slider against a private
// PipeWire server (no session manager; the server's own "settings" metadata), read back and changed with
// the server's own tool, pw-metadata, and the resources the program loads.
#include "buffersize.h"
#include "confighome.h"
#include "interfacerig.h"
#include "resources.h"

#include "virtualunit.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace clockstyle;
using namespace lyntra_test;

namespace {

constexpr uint32_t INTERNAL = 1, WORD = 2, OPT_A = 5, OPT_B = 6;

// A lock report: the source chosen (panel id), the optical selector's index, the reported source, lock
// and rate, and the text and look that result.
struct Status {
    int checked, selector;
    uint32_t source, lock, hz;
    QString text, style;
};

auto src(uint32_t s)
{
    return static_cast<ixmsg_data_clocksource_t>(s);
}

// Refuses forced quanta outside 16..2048 and rounds to powers of two, as desktop servers are set up.
const char kConfig[] =
    "context.properties = { core.daemon = true core.name = pipewire-0 default.clock.min-quantum = 16 "
    "settings.check-quantum = true clock.power-of-two-quantum = true } context.spa-libs = { support.* = "
    "support/libspa-support } context.modules = [ { name = libpipewire-module-protocol-native } "
    "{ name = libpipewire-module-metadata } { name = libpipewire-module-access } ]";

// Runs `pw-metadata -n settings [0 clock.force-quantum <value>]`; the forced quantum it lists, or -1.
int pwMetadata(const QStringList &set = {})
{
    QProcess tool;
    tool.start(QStringLiteral("pw-metadata"), QStringList{"-n", "settings"} + set);
    tool.waitForFinished(kPatienceMs);
    const QByteArray out = tool.readAllStandardOutput();
    const int at = out.indexOf("key:'clock.force-quantum' value:'");
    return at < 0 ? -1 : out.mid(at + 33).split('\'').value(0).toInt();
}

} // namespace

Q_DECLARE_METATYPE(Status)

class TestInterfacePage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        lyntra_init_resources();
        QFile conf(dir_.filePath("test.conf"));
        QVERIFY(conf.open(QIODevice::WriteOnly) && conf.write(kConfig) > 0);
    }
    void init()
    {
        lyntra_test::clear_config_home();
        rig = std::make_unique<InterfaceRig>();
        rig->page.refreshBufferSize(); // as the window does when it opens: 256 stored
        rig->page.page()->findChild<BufferSize *>()->slt_havePassedSinceBufferSizeChange(); // 2 s on
        slider_ = rig->find<QSlider>("hS_BufferSize");
        size_ = rig->find<QLabel>("label_BufferSizeDisp");
        where_ = rig->find<QLabel>("label_SoundServer");
    }
    void cleanup()
    {
        rig.reset();
        stopServer();
    }

    // ---- choosing a source

    void chooseSource_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<int>("selector"); // index of the chosen optical input's selector
        QTest::addColumn<int>("storedId");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("internal") << "rB_Internal" << 0 << 1 << QStringList{"25=1"};
        QTest::newRow("word") << "rB_Word" << 0 << 4 << QStringList{"25=2"};
        QTest::newRow("optical A 88.2/96") << "rB_Optical_A" << 2 << 2 << QStringList{"29=5 135=2", "25=5"};
        QTest::newRow("optical B 44.1/48") << "rB_Optical_B" << 1 << 3 << QStringList{"29=6 135=0", "25=6"};
        QTest::newRow("optical B 176.4/192") << "rB_Optical_B" << 3 << 3 << QStringList{"29=6 135=1", "25=6"};
    }
    void chooseSource()
    {
        QFETCH(QString, radio);
        QFETCH(int, selector);
        QFETCH(int, storedId);
        QFETCH(QStringList, sent);
        rig->find<QComboBox>(radio == "rB_Optical_B" ? "cB_Optical_B" : "cB_Optical_A")
            ->setCurrentIndex(selector);
        rig->drain(); // the selector change has sent its own mode
        auto *status = rig->find<QLabel>("label_IntClockSourceStatus");
        status->setText("stale");
        auto *button = rig->find<QRadioButton>(qPrintable(radio));
        button->click();
        QVERIFY(button->isChecked());
        QCOMPARE(rig->find<QButtonGroup>("buttonGroup_ClockSource")->checkedId(), storedId);
        QCOMPARE(rig->settings.readClock("SampleClockSourceId"), storedId);
        QCOMPARE(rig->drain(), sent);
        QCOMPARE(rig->find<QLabel>("label_ClockSourceStatus")->styleSheet(),
                 storedId == 1 ? kCaptionGrey : kCaptionBlack);
        // Internal has no lock to report; the others wait for the next lock report.
        QCOMPARE(status->text(), storedId == 1 ? kDashes : QStringLiteral("stale"));
    }

    void opticalModeChange_data()
    {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("A manual 44.1/48") << "cB_Optical_A" << 1 << QStringList{"29=5 135=0"};
        QTest::newRow("A manual 176.4/192") << "cB_Optical_A" << 3 << QStringList{"29=5 135=1"};
        QTest::newRow("B manual 88.2/96") << "cB_Optical_B" << 2 << QStringList{"29=6 135=2"};
        QTest::newRow("A no entry") << "cB_Optical_A" << -1 << QStringList{};
    }
    void opticalModeChange()
    {
        QFETCH(QString, selector);
        QFETCH(int, index);
        QFETCH(QStringList, sent);
        rig->find<QRadioButton>("rB_Internal")->click();
        rig->drain();
        auto *combo = rig->find<QComboBox>(qPrintable(selector));
        combo->setCurrentIndex(index);
        // A blank selector (-1) is stored as it is and reads back as the first entry.
        QCOMPARE(rig->settings.readClock(selector.mid(3)), std::max(index, 0));
        QCOMPARE(rig->drain(), sent); // with Internal chosen, only the mode goes out
    }

    // ---- lock reports

    void clockStatus_data()
    {
        QTest::addColumn<Status>("c");
        // clang-format off
        QTest::newRow("unlocked") << Status{4, 0, WORD, 1, 48000, "Unlocked (or No Signal)", kValueBlack};
        QTest::newRow("phase error") << Status{4, 0, WORD, 2, 48000, "Phase Error", kValueRed};
        QTest::newRow("good") << Status{4, 0, WORD, 3, 48000, "Good", kValueBlack};
        QTest::newRow("unknown lock") << Status{4, 0, WORD, 7, 48000, ": UNKNOWN", kValueRed};
        QTest::newRow("lock 0") << Status{4, 0, WORD, 0, 48000, ": UNKNOWN", kValueRed};
        QTest::newRow("mismatch over phase error") << Status{2, 0, OPT_A, 2, 44100, "Sample Rate Mismatch", kValueRed};
        QTest::newRow("unlocked over mismatch") << Status{2, 0, OPT_A, 1, 96000, "Unlocked (or No Signal)", kValueBlack};
        QTest::newRow("optical B good") << Status{3, 0, OPT_B, 3, 48000, "Good", kValueBlack};
        QTest::newRow("manual optical mode") << Status{2, 2, OPT_A, 3, 48000, "Manually configured", kValueGrey};
        QTest::newRow("internal") << Status{1, 0, INTERNAL, 3, 48000, kDashes, kValueGrey};
        QTest::newRow("internal, word chosen") << Status{4, 0, INTERNAL, 3, 48000, kDashes, kValueGrey};
        // A source the panel has no name for still reports its lock by the lock code.
        QTest::newRow("unknown source, good") << Status{1, 0, 9, 3, 0, "Good", kValueBlack};
        QTest::newRow("unknown source, phase error") << Status{1, 0, 9, 2, 0, "Phase Error", kValueRed};
        QTest::newRow("unknown source, unknown lock") << Status{1, 0, 9, 7, 0, ": UNKNOWN", kValueRed};
        // clang-format on
    }
    void clockStatus()
    {
        QFETCH(Status, c);
        rig->find<QComboBox>("cB_Optical_A")->setCurrentIndex(c.selector);
        rig->choose(c.checked);
        rig->runAt(48000);
        auto *status = rig->find<QLabel>("label_IntClockSourceStatus");
        status->setText("stale");
        // Through the device object's signals, as the page receives them.
        emit rig->dev.sig_recv_clocksource(src(c.source));
        emit rig->dev.sig_recv_clockhz(src(c.source), c.hz);
        emit rig->dev.sig_recv_clocklock(src(c.source), static_cast<ixmsg_data_clocklock_t>(c.lock));
        QCOMPARE(status->text(), c.text);
        QCOMPARE(status->styleSheet(), c.style);
        // Grey while Internal is chosen or the unit runs on it.
        QCOMPARE(rig->find<QLabel>("label_ClockSourceStatus")->styleSheet(),
                 c.checked == 1 || c.source == INTERNAL ? kCaptionGrey : kCaptionBlack);
        QCOMPARE(rig->unit.rememberedRate(c.source), c.source == INTERNAL || c.source == 9 ? 0u : c.hz);
    }

    // A report about an input that is not the clock source leaves the clock status alone.
    void otherInputReport()
    {
        rig->choose(4);
        rig->runAt(48000);
        auto *status = rig->find<QLabel>("label_IntClockSourceStatus");
        status->setText("before");
        emit rig->dev.sig_recv_clocksource(src(WORD));
        emit rig->dev.sig_recv_clockhz(src(OPT_A), 48000);
        emit rig->dev.sig_recv_clocklock(src(OPT_A), IXMSG_DATA_CLOCKLOCK_GOOD);
        emit rig->dev.sig_recv_clocklock(src(9), IXMSG_DATA_CLOCKLOCK_UNLOCKED); // nor does one we have no name for
        QCOMPARE(status->text(), QStringLiteral("before"));
        QCOMPARE(rig->find<QLabel>("label_IntOptAInputStatus")->text(), QStringLiteral("Good"));
    }

    // `checked` is the model here: 1 for the small one.
    void inputStatus_data()
    {
        QTest::addColumn<Status>("c");
        // clang-format off
        QTest::newRow("A mismatch") << Status{0, 0, OPT_A, 3, 192000, "Sample Rate Mismatch", kValueRed};
        QTest::newRow("A unlocked, other rate") << Status{0, 0, OPT_A, 1, 192000, "Unlocked (or No Signal)", kValueBlack};
        QTest::newRow("A manual") << Status{0, 1, OPT_A, 3, 48000, "Manually configured", kValueGrey};
        QTest::newRow("A on the small model") << Status{1, 0, OPT_A, 3, 48000, "Good", kValueBlack};
        QTest::newRow("B manual") << Status{0, 3, OPT_B, 2, 48000, "Manually configured", kValueGrey};
        QTest::newRow("B unknown lock") << Status{0, 0, OPT_B, 9, 48000, ": UNKNOWN", kValueRed};
        QTest::newRow("word phase error") << Status{0, 0, WORD, 2, 48000, "Phase Error", kValueRed};
        QTest::newRow("word mismatch") << Status{0, 0, WORD, 2, 44100, "Sample Rate Mismatch", kValueRed};
        QTest::newRow("word on the small model") << Status{1, 0, WORD, 2, 48000, kDashes, kValueGrey};
        // clang-format on
    }
    void inputStatus()
    {
        QFETCH(Status, c);
        rig->setUp(c.checked ? "LYNTRA K1" : "LYNTRA K2");
        rig->page.applyModelState();
        if (c.source != WORD)
            rig->find<QComboBox>(c.source == OPT_A ? "cB_Optical_A" : "cB_Optical_B")
                ->setCurrentIndex(c.selector);
        emit rig->dev.sig_recv_hz(48000);
        emit rig->dev.sig_recv_clockhz(src(c.source), c.hz);
        emit rig->dev.sig_recv_clocklock(src(c.source), static_cast<ixmsg_data_clocklock_t>(c.lock));
        const char *field = c.source == OPT_A   ? "label_IntOptAInputStatus"
                            : c.source == OPT_B ? "label_IntOptBInputStatus"
                                                : "label_IntWordInputStatus";
        QCOMPARE(rig->find<QLabel>(field)->text(), c.text);
        QCOMPARE(rig->find<QLabel>(field)->styleSheet(), c.style);
    }

    // ---- source and rate reports

    void sourceAndRate()
    {
        QSignalSpy layout(&rig->unit, &mixer::UnitStatus::rateClassChanged);
        const struct {
            uint32_t hz;
            const char *text;
            int rateClass;
        } rates[] = {{44100, "44.1kHz", 1}, {48000, "48kHz", 1},     {88200, "88.2kHz", 2},
                     {96000, "96kHz", 2},   {176400, "176.4kHz", 4}, {192000, "192kHz", 4}};
        for (const auto &r : rates) {
            rig->runAt(r.hz);
            rig->runAt(r.hz); // the same rate again is shown once
            QCOMPARE(rig->find<QLabel>("label_IntSampleRate")->text(), QLatin1String(r.text));
            QCOMPARE(layout.takeFirst().at(0).toInt(), r.rateClass);
            QVERIFY(layout.isEmpty());
        }
        rig->runAt(12345); // unknown: nothing changes
        QCOMPARE(rig->find<QLabel>("label_IntSampleRate")->text(), QStringLiteral("192kHz"));
        QVERIFY(layout.isEmpty());
        // After the unit went away and blanked the rate, the same rate is shown (and laid out) again.
        rig->unit.presenceTick(false);
        QCOMPARE(rig->find<QLabel>("label_IntDevice")->text(), QStringLiteral("No Device"));
        QCOMPARE(rig->find<QLabel>("label_IntSampleRate")->text(), QString());
        for (const char *name :
             {"label_IntClockSourceStatus", "label_IntOptAInputStatus", "label_IntOptBInputStatus"})
            QCOMPARE(rig->find<QLabel>(name)->text(), kDashes);
        rig->runAt(192000);
        QCOMPARE(layout.count(), 1);
    }

    // While the buffer size changes the driver restarts and the unit's rate reports are transient: not
    // shown. (Reports before set-up are the unit status's presence test.)
    void rateHeldWhileTheBufferSizeChanges()
    {
        QSignalSpy layout(&rig->unit, &mixer::UnitStatus::rateClassChanged);
        rig->setUp();
        rig->find<QSlider>("hS_BufferSize")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        emit rig->dev.sig_recv_hz(96000);
        QCOMPARE(rig->find<QLabel>("label_IntSampleRate")->text(), QString());
        QCOMPARE(layout.count(), 0);
        // Shown again once the change has settled.
        QTRY_VERIFY_WITH_TIMEOUT((emit rig->dev.sig_recv_hz(96000),
                                  rig->find<QLabel>("label_IntSampleRate")->text() == QStringLiteral("96kHz")),
                                 BufferSize::kClearIntervalMs + 2000);
    }

    // ---- model state and the stored choice

    void modelState_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("small");
        QTest::newRow("small model") << "LYNTRA K1" << true;
        QTest::newRow("large model") << "LYNTRA K2" << false;
        QTest::newRow("near miss") << "LYNTRA K1 " << false;
    }
    void modelState()
    {
        QFETCH(QString, device);
        QFETCH(bool, small);
        for (const char *name : {"label_IntOptAInputStatus", "label_IntOptBInputStatus", "label_IntWordInputStatus"})
            rig->find<QLabel>(name)->setText("Good");
        emit rig->dev.sig_recv_productname(device);
        QCOMPARE(rig->find<QLabel>("label_IntDevice")->text(), device);
        rig->page.applyModelState();
        QCOMPARE(rig->unit.model() == mixer::UnitModel::K1, small);
        QCOMPARE(rig->find<QLabel>("label_IntOptAInputStatus")->text(), kDashes);
        // How either model's page looks is in the reference pictures.
        for (const char *name : {"rB_Optical_B", "rB_Word", "cB_Optical_B"})
            QCOMPARE(rig->find(name)->isEnabled(), !small);
        for (const char *name : {"label_IntOptBInputStatus", "label_IntWordInputStatus"})
            QCOMPARE(rig->find<QLabel>(name)->text(), kDashes);
    }

    void storedClock_data()
    {
        QTest::addColumn<int>("storedId");
        QTest::addColumn<int>("storedA");
        QTest::addColumn<bool>("reconnected");
        QTest::addColumn<bool>("small");
        QTest::addColumn<int>("checked");
        QTest::addColumn<QStringList>("sent");
        // clang-format off
        QTest::newRow("start, optical A manual") << 2 << 2 << false << false << 2 << QStringList{"29=5 135=2", "25=5 29=5 135=2"};
        QTest::newRow("start, word on small keeps word") << 4 << 0 << false << true << 4 << QStringList{"25=2"};
        QTest::newRow("start, out of range") << 9 << 0 << false << false << 1 << QStringList{"25=1"};
        QTest::newRow("return, word on large") << 4 << 1 << true << false << 4 << QStringList{"29=5 135=0", "25=2 29=6 135=0"};
        QTest::newRow("return, word on small") << 4 << 1 << true << true << 1 << QStringList{"29=5 135=0", "25=1 29=6 135=0"};
        QTest::newRow("return, optical B on small") << 3 << 2 << true << true << 1 << QStringList{"29=5 135=2", "25=1 29=6 135=0"};
        QTest::newRow("return, optical A on small") << 2 << 3 << true << true << 2 << QStringList{"29=5 135=1", "25=5 29=5 135=1 29=6 135=0"};
        // clang-format on
    }
    void storedClock()
    {
        QFETCH(int, storedId);
        QFETCH(int, storedA);
        QFETCH(bool, reconnected);
        QFETCH(bool, small);
        QFETCH(int, checked);
        QFETCH(QStringList, sent);
        rig->settings.writeClock("SampleClockSourceId", storedId);
        rig->settings.writeClock("Optical_A", storedA);
        rig->settings.writeClock("Optical_B", 0);
        if (reconnected)
            rig->find<QComboBox>("cB_Optical_A")->setCurrentIndex(storedA);
        rig->drain();
        rig->page.applyStoredClock(small, reconnected);
        QCOMPARE(rig->find<QComboBox>("cB_Optical_A")->currentIndex(), storedA);
        QCOMPARE(rig->find<QButtonGroup>("buttonGroup_ClockSource")->checkedId(), checked);
        QCOMPARE(rig->drain(), sent);
        QCOMPARE(rig->settings.readClock("SampleClockSourceId"), checked);
    }

    // ---- a unit the system refuses

    // The note takes the status rows' place while the unit is refused and gives it back once it opens.
    void refusedUnit_data()
    {
        QTest::addColumn<int>("access");
        QTest::addColumn<QString>("says");
        QTest::newRow("permission") << int(DEVIF_ACCESS_DENIED) << "sudo apt install --reinstall lyntra-panel";
        QTest::newRow("busy") << int(DEVIF_ACCESS_BUSY) << "Another program is using it.";
    }
    void refusedUnit()
    {
        QFETCH(int, access);
        QFETCH(QString, says);
        auto *note = rig->find<QLabel>("label_UnitAccess");
        auto *rows = rig->find<QLabel>("label_IntDevice");
        const auto shown = [&](QWidget *w) { return w->isVisibleTo(rig->page.page()); };
        emit rig->dev.sig_unit_access(access);
        QVERIFY(shown(note) && !shown(rows) && note->text().contains(says));
        // Selectable by a drag, to copy the command.
        QTest::mousePress(note, Qt::LeftButton, {}, QPoint(1, 1));
        QMouseEvent drag(QEvent::MouseMove, QPointF(note->width() - 1, note->height() - 1), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(note, &drag);
        QTest::mouseRelease(note, Qt::LeftButton, {}, QPoint(note->width() - 1, note->height() - 1));
        QVERIFY(note->selectedText().contains(says));
        emit rig->dev.sig_unit_access(DEVIF_ACCESS_OK);
        QVERIFY(!shown(note) && shown(rows));
    }

    // ---- buffer size through a private PipeWire server

    // Found when it appears after the panel. A size chosen with the keys (the slider's position) or
    // set with pw-metadata (-1: none; "forced" is then what pw-metadata sets) reaches the server; the
    // slider shows what the server took, a change made elsewhere within a second, and only the slider's
    // is kept as the choice.
    void whatTheServerTakes_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("forced");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("text");
        QTest::newRow("slider 512") << 8 << 512 << 8 << " 512 Samples";
        QTest::newRow("slider 24 rounds down to 16") << 3 << 24 << 2 << "  16 Samples";
        QTest::newRow("slider 4 is refused, 256 stays") << 0 << 4 << 7 << " 256 Samples";
        QTest::newRow("elsewhere 512") << -1 << 512 << 8 << " 512 Samples";
        QTest::newRow("elsewhere 2048, the top, is taken") << -1 << 2048 << 10 << "2048 Samples";
        QTest::newRow("elsewhere 100 rounds down to 64") << -1 << 100 << 5 << "  64 Samples";
        QTest::newRow("elsewhere none: the server's 1024") << -1 << 0 << 9 << "1024 Samples";
    }
    void whatTheServerTakes()
    {
        QFETCH(int, position);
        QFETCH(int, forced);
        QFETCH(int, shown);
        QFETCH(QString, text);
        QVERIFY(wait_until([&] { return where_->text() == QStringLiteral("No sound server found"); }));
        startServer();
        for (int p = -1; p < position; ++p) // Home, a page (one position), then Right
            QTest::keyClick(slider_, p < 0 ? Qt::Key_Home : p == 0 ? Qt::Key_PageUp : Qt::Key_Right);
        if (position < 0)
            pwMetadata({"0", "clock.force-quantum", QString::number(forced)});
        QVERIFY(wait_until([&] { return slider_->value() == shown && size_->text() == text; },
                           position < 0 ? 1000 : kPatienceMs));
        QVERIFY(wait_until([&] { return pwMetadata() == forced; }));
        QCOMPARE(rig->settings.value(settings::key::AudioPerformanceIndex), position < 0 ? 7 : position);
    }

    // A server that goes away is said so; the choice made meanwhile reaches it when it is back. One that
    // loses its settings object, the panel's only way to set anything, is as good as gone.
    void serverComesBack()
    {
        startServer();
        stopServer();
        QVERIFY(wait_until([&] { return where_->text() == QStringLiteral("No sound server found"); }));
        slider_->setValue(9);
        startServer(1024, "1024 Samples");
        QVERIFY(QProcess::execute(QStringLiteral("pw-cli"), {"destroy", "settings"}) == 0 &&
                wait_until([&] { return where_->text() == QStringLiteral("No sound server found"); }));
    }

    // Once the user's own choice has settled, a size set elsewhere moves the slider again.
    void elsewhereAfterTheUsersChoice()
    {
        startServer();
        QTest::keyClick(slider_, Qt::Key_Right);
        QVERIFY(wait_until([&] { return pwMetadata() == 512 && size_->text() == QLatin1String(" 512 Samples"); }));
        QTest::qWait(BufferSize::kClearIntervalMs + 200);
        pwMetadata({"0", "clock.force-quantum", "100"});
        QVERIFY(wait_until([&] { return size_->text() == QLatin1String("  64 Samples"); }, 1000));
    }

    // A server already running when the panel opens is found at the first look.
    void serverBeforeThePanel()
    {
        rig.reset();
        server_.start(QStringLiteral("pipewire"), {"-c", dir_.filePath("test.conf")});
        QVERIFY(wait_until([] { return pwMetadata() == 0; }));
        init();
        QVERIFY(wait_until([&] { return where_->text().contains(QLatin1String("PipeWire")); }));
    }

    // Without PipeWire's client configuration no server can be looked for: the page says so and keeps
    // the user's choice, never a crash.
    void withoutPipeWireConfiguration()
    {
        rig.reset();
        qputenv("PIPEWIRE_CONFIG_DIR", dir_.filePath("none").toLocal8Bit());
        init();
        qunsetenv("PIPEWIRE_CONFIG_DIR");
        QTest::keyClick(slider_, Qt::Key_Right);
        QVERIFY(wait_until([&] { return rig->settings.value(settings::key::AudioPerformanceIndex) == 8; }));
        QVERIFY(wait_until([&] { return where_->text() == QStringLiteral("No sound server found"); }));
    }

private:
    // Starts the server and waits until the page has found it and given it the stored choice.
    void startServer(int stored = 256, const char *shown = " 256 Samples")
    {
        server_.start(QStringLiteral("pipewire"), {"-c", dir_.filePath("test.conf")});
        QVERIFY(wait_until([&] { return where_->text().contains(QLatin1String("PipeWire")); }));
        QVERIFY(wait_until([&] { return pwMetadata() == stored && size_->text() == QLatin1String(shown); }));
    }
    void stopServer()
    {
        server_.terminate();
        server_.waitForFinished(kPatienceMs);
    }

    std::unique_ptr<InterfaceRig> rig;
    QTemporaryDir dir_;
    QProcess server_;
    QSlider *slider_ = nullptr;
    QLabel *size_ = nullptr;
    QLabel *where_ = nullptr;
};

QTEST_MAIN(TestInterfacePage)
#include "tst_interfacepage.moc"
