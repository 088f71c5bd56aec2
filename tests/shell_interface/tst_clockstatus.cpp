// The clock logic of the interface page: what a source or optical mode choice stores and sends, and
// how the unit's clock, rate and lock reports colour the status labels.
#include "pagerig.h"
#include "resources.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {

const char *const GREY = "QLabel{color : gray; font-size: 18px; font-family: Arial}";
const char *const BLACK = "QLabel{color : black; font-size: 18px; font-family: Arial}";
const char *const RED = "QLabel{color : red; font-size: 18px; font-family: Arial}";
const char *const CAPTION_GREY = "QLabel{color : gray; font-size: 20px; font-family: Arial}";
const char *const CAPTION_BLACK = "QLabel{color : black; font-size: 20px; font-family: Arial}";
const char *const RADIO_GREY = "QRadioButton{color : gray; font-size: 15px; font-family: Arial}";
const char *const RADIO_BLACK = "QRadioButton{color : black; font-size: 15px; font-family: Arial}";
const char *const DASHES = "----------";

constexpr uint32_t INTERNAL = 1, WORD = 2, OPT_A = 5, OPT_B = 6;

auto src(uint32_t s)
{
    return static_cast<ixmsg_data_clocksource_t>(s);
}
auto lockOf(uint32_t l)
{
    return static_cast<ixmsg_data_clocklock_t>(l);
}

} // namespace

class TestClockStatus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { lyntra_init_resources(); }
    void init() { rig = std::make_unique<PageRig>(); }
    void cleanup() { rig.reset(); }

    void chooseSource_data();
    void chooseSource();
    void opticalModeChange_data();
    void opticalModeChange();
    void clockStatus_data();
    void clockStatus();
    void inputStatus_data();
    void inputStatus();
    void clockSourceName_data();
    void clockSourceName();
    void sampleRate_data();
    void sampleRate();
    void sameRateShownOnce();
    void modelState_data();
    void modelState();
    void storedClock_data();
    void storedClock();
    void disconnectedLook();

private:
    std::unique_ptr<PageRig> rig;
};

// ---- Choosing a source

void TestClockStatus::chooseSource_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<int>("selector"); // index of the chosen optical input's selector
    QTest::addColumn<int>("storedId");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QString>("caption");

    QTest::newRow("internal") << "rB_Internal" << 0 << 1 << QStringList{"25=1"} << CAPTION_GREY;
    QTest::newRow("word") << "rB_Word" << 0 << 4 << QStringList{"25=2"} << CAPTION_BLACK;
    QTest::newRow("optical A auto") << "rB_Optical_A" << 0 << 2 << QStringList{"29=5 135=0", "25=5"}
                                    << CAPTION_BLACK;
    QTest::newRow("optical A 88.2/96")
        << "rB_Optical_A" << 2 << 2 << QStringList{"29=5 135=2", "25=5"} << CAPTION_BLACK;
    QTest::newRow("optical B 44.1/48")
        << "rB_Optical_B" << 1 << 3 << QStringList{"29=6 135=0", "25=6"} << CAPTION_BLACK;
    QTest::newRow("optical B 176.4/192")
        << "rB_Optical_B" << 3 << 3 << QStringList{"29=6 135=1", "25=6"} << CAPTION_BLACK;
}

void TestClockStatus::chooseSource()
{
    QFETCH(QString, radio);
    QFETCH(int, selector);
    QFETCH(int, storedId);
    QFETCH(QStringList, sent);
    QFETCH(QString, caption);

    const char *selectorName = radio == "rB_Optical_B" ? "cB_Optical_B" : "cB_Optical_A";
    rig->find<QComboBox>(selectorName)->setCurrentIndex(selector);
    rig->drain(); // the selector change has sent its own mode
    rig->find<QLabel>("label_IntClockSourceStatus")->setText("stale");

    auto *button = rig->find<QRadioButton>(qPrintable(radio));
    button->click();

    QVERIFY(button->isChecked());
    QCOMPARE(rig->settings.readClock("SampleClockSourceId"), storedId);
    QCOMPARE(rig->drain(), sent);
    QCOMPARE(rig->find<QLabel>("label_ClockSourceStatus")->styleSheet(), caption);
    auto *status = rig->find<QLabel>("label_IntClockSourceStatus");
    if (storedId == 1) {
        QCOMPARE(status->text(), QString(DASHES));
        QCOMPARE(status->styleSheet(), QString(GREY));
    } else {
        QCOMPARE(status->text(), QString("stale")); // left to the next lock report
    }
}

void TestClockStatus::opticalModeChange_data()
{
    QTest::addColumn<QString>("selector");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("sent");

    QTest::newRow("A manual 44.1/48") << "cB_Optical_A" << 1 << QStringList{"29=5 135=0"};
    QTest::newRow("A manual 88.2/96") << "cB_Optical_A" << 2 << QStringList{"29=5 135=2"};
    QTest::newRow("A manual 176.4/192") << "cB_Optical_A" << 3 << QStringList{"29=5 135=1"};
    QTest::newRow("B manual 88.2/96") << "cB_Optical_B" << 2 << QStringList{"29=6 135=2"};
    QTest::newRow("B manual 176.4/192") << "cB_Optical_B" << 3 << QStringList{"29=6 135=1"};
    QTest::newRow("A no entry") << "cB_Optical_A" << -1 << QStringList{};
}

void TestClockStatus::opticalModeChange()
{
    QFETCH(QString, selector);
    QFETCH(int, index);
    QFETCH(QStringList, sent);

    rig->find<QRadioButton>("rB_Internal")->click();
    rig->drain();
    rig->find<QComboBox>(qPrintable(selector))->setCurrentIndex(index);

    QCOMPARE(rig->settings.readClock(selector.mid(3)), index);
    QCOMPARE(rig->drain(), sent); // with Internal chosen, only the mode goes out
}

// ---- Lock reports: the clock status

void TestClockStatus::clockStatus_data()
{
    QTest::addColumn<int>("checked");   // panel id of the chosen source
    QTest::addColumn<int>("selectorA"); // Optical A's selector index
    QTest::addColumn<uint>("running");  // source the unit reports it runs on
    QTest::addColumn<uint>("reported"); // source of the lock report
    QTest::addColumn<uint>("lock");
    QTest::addColumn<uint>("inputHz"); // rate remembered for the reported input
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("style");

    QTest::newRow("unlocked is black")
        << 4 << 0 << WORD << WORD << 1u << 48000u << "Unlocked (or No Signal)" << BLACK;
    QTest::newRow("phase error is red") << 4 << 0 << WORD << WORD << 2u << 48000u << "Phase Error" << RED;
    QTest::newRow("good is black") << 4 << 0 << WORD << WORD << 3u << 48000u << "Good" << BLACK;
    QTest::newRow("unknown lock is red") << 4 << 0 << WORD << WORD << 7u << 48000u << ": UNKNOWN" << RED;
    QTest::newRow("lock 0 is red") << 4 << 0 << WORD << WORD << 0u << 48000u << ": UNKNOWN" << RED;
    QTest::newRow("rate mismatch") << 2 << 0 << OPT_A << OPT_A << 3u << 96000u << "Sample Rate Mismatch"
                                   << RED;
    QTest::newRow("mismatch over phase error")
        << 2 << 0 << OPT_A << OPT_A << 2u << 44100u << "Sample Rate Mismatch" << RED;
    QTest::newRow("unlocked over mismatch")
        << 2 << 0 << OPT_A << OPT_A << 1u << 96000u << "Unlocked (or No Signal)" << BLACK;
    QTest::newRow("optical B good") << 3 << 0 << OPT_B << OPT_B << 3u << 48000u << "Good" << BLACK;
    QTest::newRow("internal shows dashes") << 1 << 0 << INTERNAL << INTERNAL << 3u << 0u << DASHES << GREY;
    QTest::newRow("report about another input")
        << 4 << 0 << WORD << OPT_A << 2u << 48000u << "before" << BLACK;
    QTest::newRow("manual optical mode")
        << 2 << 2 << OPT_A << OPT_A << 3u << 48000u << "Manually configured" << GREY;
    QTest::newRow("manual mode, other source chosen")
        << 4 << 2 << OPT_A << OPT_A << 3u << 48000u << "Good" << BLACK;
    QTest::newRow("unknown source") << 1 << 0 << 9u << 9u << 3u << 0u << ": UNKNOWN" << RED;
}

void TestClockStatus::clockStatus()
{
    QFETCH(int, checked);
    QFETCH(int, selectorA);
    QFETCH(uint, running);
    QFETCH(uint, reported);
    QFETCH(uint, lock);
    QFETCH(uint, inputHz);
    QFETCH(QString, text);
    QFETCH(QString, style);

    rig->find<QComboBox>("cB_Optical_A")->setCurrentIndex(selectorA);
    rig->clock().selectSource(checked);
    rig->runAt(48000);
    auto *status = rig->find<QLabel>("label_IntClockSourceStatus");
    status->setText("before");
    status->setStyleSheet(BLACK);

    rig->clock().slt_RecvClockSource(src(running));
    rig->clock().slt_RecvClockHz(src(reported), inputHz);
    rig->clock().slt_RecvDigitalInputStatus(src(reported), lockOf(lock));

    QCOMPARE(status->text(), text);
    QCOMPARE(status->styleSheet(), style);
    if (running == INTERNAL)
        QCOMPARE(rig->find<QLabel>("label_ClockSourceStatus")->styleSheet(), QString(CAPTION_GREY));
}

// ---- Lock reports: the input status fields

void TestClockStatus::inputStatus_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<uint>("reported");
    QTest::addColumn<uint>("lock");
    QTest::addColumn<uint>("inputHz");
    QTest::addColumn<int>("selector"); // index of the input's own selector (optical only)
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("style");

    QTest::newRow("A good") << "LYNTRA K2" << OPT_A << 3u << 48000u << 0 << "label_IntOptAInputStatus"
                            << "Good" << BLACK;
    QTest::newRow("A unlocked") << "LYNTRA K2" << OPT_A << 1u << 0u << 0 << "label_IntOptAInputStatus"
                                << "Unlocked (or No Signal)" << BLACK;
    QTest::newRow("A phase error") << "LYNTRA K2" << OPT_A << 2u << 48000u << 0 << "label_IntOptAInputStatus"
                                   << "Phase Error" << RED;
    QTest::newRow("A mismatch") << "LYNTRA K2" << OPT_A << 3u << 192000u << 0 << "label_IntOptAInputStatus"
                                << "Sample Rate Mismatch" << RED;
    QTest::newRow("A unlocked, other rate")
        << "LYNTRA K2" << OPT_A << 1u << 192000u << 0 << "label_IntOptAInputStatus"
        << "Unlocked (or No Signal)" << BLACK;
    QTest::newRow("A manual") << "LYNTRA K2" << OPT_A << 3u << 48000u << 1 << "label_IntOptAInputStatus"
                              << "Manually configured" << GREY;
    QTest::newRow("A on the small model")
        << "LYNTRA K1" << OPT_A << 3u << 48000u << 0 << "label_IntOptAInputStatus"
        << "Good" << BLACK;
    QTest::newRow("B good") << "LYNTRA K2" << OPT_B << 3u << 48000u << 0 << "label_IntOptBInputStatus"
                            << "Good" << BLACK;
    QTest::newRow("B manual") << "LYNTRA K2" << OPT_B << 2u << 48000u << 3 << "label_IntOptBInputStatus"
                              << "Manually configured" << GREY;
    QTest::newRow("B unknown lock") << "LYNTRA K2" << OPT_B << 9u << 48000u << 0 << "label_IntOptBInputStatus"
                                    << ": UNKNOWN" << RED;
    QTest::newRow("B on the small model")
        << "LYNTRA K1" << OPT_B << 3u << 48000u << 0 << "label_IntOptBInputStatus" << DASHES << GREY;
    QTest::newRow("word good") << "LYNTRA K2" << WORD << 3u << 48000u << 0 << "label_IntWordInputStatus"
                               << "Good" << BLACK;
    QTest::newRow("word mismatch") << "LYNTRA K2" << WORD << 2u << 44100u << 0 << "label_IntWordInputStatus"
                                   << "Sample Rate Mismatch" << RED;
    QTest::newRow("word on the small model")
        << "LYNTRA K1" << WORD << 2u << 48000u << 0 << "label_IntWordInputStatus" << DASHES << GREY;
}

void TestClockStatus::inputStatus()
{
    QFETCH(QString, model);
    QFETCH(uint, reported);
    QFETCH(uint, lock);
    QFETCH(uint, inputHz);
    QFETCH(int, selector);
    QFETCH(QString, label);
    QFETCH(QString, text);
    QFETCH(QString, style);

    rig->find<QLabel>("label_IntDevice")->setText(model);
    rig->clock().applyModelState();
    if (reported == OPT_A || reported == OPT_B)
        rig->find<QComboBox>(reported == OPT_A ? "cB_Optical_A" : "cB_Optical_B")->setCurrentIndex(selector);
    rig->runAt(48000);
    rig->clock().slt_RecvClockHz(src(reported), inputHz);
    rig->clock().slt_RecvDigitalInputStatus(src(reported), lockOf(lock));

    auto *field = rig->find<QLabel>(qPrintable(label));
    QCOMPARE(field->text(), text);
    QCOMPARE(field->styleSheet(), style);
}

// ---- Clock source and rate reports

void TestClockStatus::clockSourceName_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("internal") << INTERNAL << "Internal";
    QTest::newRow("word") << WORD << "Word";
    QTest::newRow("optical A") << OPT_A << "Optical A";
    QTest::newRow("optical B") << OPT_B << "Optical B";
    QTest::newRow("zero") << 0u << "None";
    QTest::newRow("three") << 3u << "None";
    QTest::newRow("large") << 0xFFFFFFFFu << "None";
}

void TestClockStatus::clockSourceName()
{
    QFETCH(uint, code);
    QFETCH(QString, name);
    // Through the device object's signal, as the page receives it.
    emit rig->dev.sig_recv_clocksource(src(code));
    QCOMPARE(rig->find<QLabel>("label_IntClockSource")->text(), name);
}

void TestClockStatus::sampleRate_data()
{
    QTest::addColumn<int>("identification");
    QTest::addColumn<bool>("pending");
    QTest::addColumn<uint>("hz");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rateClass");

    QTest::newRow("44.1") << 2 << false << 44100u << "44.1kHz" << 1;
    QTest::newRow("48") << 2 << false << 48000u << "48kHz" << 1;
    QTest::newRow("88.2") << 2 << false << 88200u << "88.2kHz" << 2;
    QTest::newRow("96") << 2 << false << 96000u << "96kHz" << 2;
    QTest::newRow("176.4") << 2 << false << 176400u << "176.4kHz" << 4;
    QTest::newRow("192") << 2 << false << 192000u << "192kHz" << 4;
    QTest::newRow("unknown rate") << 2 << false << 32000u << "" << 0;
    QTest::newRow("zero") << 2 << false << 0u << "" << 0;
    QTest::newRow("not identified") << 0 << false << 48000u << "" << 0;
    QTest::newRow("name only") << 1 << false << 48000u << "" << 0;
    QTest::newRow("buffer size changing") << 2 << true << 96000u << "" << 0;
}

void TestClockStatus::sampleRate()
{
    QFETCH(int, identification);
    QFETCH(bool, pending);
    QFETCH(uint, hz);
    QFETCH(QString, text);
    QFETCH(int, rateClass);

    QSignalSpy layout(&rig->clock(), &ClockStatus::sig_rateClassChanged);
    rig->state.identification = static_cast<uint8_t>(identification);
    rig->state.buffer_size_change_pending = pending;
    emit rig->dev.sig_recv_hz(hz);

    QCOMPARE(rig->find<QLabel>("label_IntSampleRate")->text(), text);
    QCOMPARE(rig->clock().rateClass(), rateClass);
    QCOMPARE(rig->clock().displayedRateClass(), rateClass);
    QCOMPARE(rig->clock().currentSampleRate(), text.isEmpty() ? 0u : hz);
    QCOMPARE(layout.count(), text.isEmpty() ? 0 : 1);
    if (!text.isEmpty())
        QCOMPARE(layout.at(0).at(0).toInt(), rateClass);
}

void TestClockStatus::sameRateShownOnce()
{
    QSignalSpy layout(&rig->clock(), &ClockStatus::sig_rateClassChanged);
    rig->runAt(96000);
    rig->runAt(96000);
    rig->runAt(12345); // unknown: nothing changes
    QCOMPARE(layout.count(), 1);
    rig->runAt(88200);
    QCOMPARE(layout.count(), 2);
    QCOMPARE(rig->clock().currentSampleRate(), 88200u);
    // After the disconnected look blanked the rate, the same rate is shown (and laid out) again.
    rig->clock().showDisconnected();
    rig->runAt(88200);
    QCOMPARE(layout.count(), 3);
}

// ---- Model state

void TestClockStatus::modelState_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("small");
    QTest::newRow("small model") << "LYNTRA K1" << true;
    QTest::newRow("large model") << "LYNTRA K2" << false;
    QTest::newRow("no device") << "No Device" << false;
    QTest::newRow("near miss") << "LYNTRA K1 " << false;
}

void TestClockStatus::modelState()
{
    QFETCH(QString, device);
    QFETCH(bool, small);

    QSignalSpy changed(&rig->clock(), &ClockStatus::sig_modelChanged);
    rig->find<QLabel>("label_IntOptAInputStatus")->setText("Good");
    rig->find<QLabel>("label_IntDevice")->setText(device);
    rig->clock().applyModelState();

    QCOMPARE(rig->clock().isSmallModel(), small);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toBool(), small);
    QCOMPARE(rig->find<QLabel>("label_IntOptAInputStatus")->text(), QString(DASHES));
    for (const char *name : {"rB_Optical_B", "rB_Word"}) {
        auto *radio = rig->find<QRadioButton>(name);
        QCOMPARE(radio->isEnabled(), !small);
        QCOMPARE(radio->styleSheet(), QString(small ? RADIO_GREY : RADIO_BLACK));
    }
    QCOMPARE(rig->find<QComboBox>("cB_Optical_B")->isEnabled(), !small);
    for (const char *name : {"label_OptBInputStatus", "label_WordInputStatus"})
        QCOMPARE(rig->find<QLabel>(name)->styleSheet(), QString(small ? CAPTION_GREY : CAPTION_BLACK));
    for (const char *name : {"label_IntOptBInputStatus", "label_IntWordInputStatus"}) {
        QCOMPARE(rig->find<QLabel>(name)->text(), QString(DASHES));
        QCOMPARE(rig->find<QLabel>(name)->styleSheet(), QString(small ? GREY : BLACK));
    }
}

// ---- The stored choice, at start and after a reconnection

void TestClockStatus::storedClock_data()
{
    QTest::addColumn<int>("storedId");
    QTest::addColumn<int>("storedA");
    QTest::addColumn<bool>("reconnected");
    QTest::addColumn<bool>("small");
    QTest::addColumn<int>("checked");
    QTest::addColumn<QStringList>("sent");

    QTest::newRow("start, optical A manual")
        << 2 << 2 << false << false << 2 << QStringList{"29=5 135=2", "25=5 29=5 135=2"};
    QTest::newRow("start, word") << 4 << 0 << false << false << 4 << QStringList{"25=2"};
    QTest::newRow("start, word on small keeps word") << 4 << 0 << false << true << 4 << QStringList{"25=2"};
    QTest::newRow("start, nothing stored") << 0 << 0 << false << false << 1 << QStringList{"25=1"};
    QTest::newRow("start, out of range") << 9 << 0 << false << false << 1 << QStringList{"25=1"};
    QTest::newRow("return, word on large")
        << 4 << 1 << true << false << 4 << QStringList{"29=5 135=0", "25=2 29=6 135=0"};
    QTest::newRow("return, word on small")
        << 4 << 1 << true << true << 1 << QStringList{"29=5 135=0", "25=1 29=6 135=0"};
    QTest::newRow("return, optical B on small")
        << 3 << 2 << true << true << 1 << QStringList{"29=5 135=2", "25=1 29=6 135=0"};
    QTest::newRow("return, optical A on small")
        << 2 << 3 << true << true << 2 << QStringList{"29=5 135=1", "25=5 29=5 135=1 29=6 135=0"};
}

void TestClockStatus::storedClock()
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

void TestClockStatus::disconnectedLook()
{
    rig->find<QLabel>("label_IntDevice")->setText("LYNTRA K2");
    rig->runAt(48000);
    for (const char *name :
         {"label_IntClockSourceStatus", "label_IntOptAInputStatus", "label_IntOptBInputStatus"}) {
        rig->find<QLabel>(name)->setText("Good");
        rig->find<QLabel>(name)->setStyleSheet(BLACK);
    }

    rig->clock().showDisconnected();

    QCOMPARE(rig->find<QLabel>("label_IntDevice")->text(), QString("No Device"));
    QCOMPARE(rig->find<QLabel>("label_IntSampleRate")->text(), QString());
    for (const char *name :
         {"label_IntClockSourceStatus", "label_IntOptAInputStatus", "label_IntOptBInputStatus"}) {
        QCOMPARE(rig->find<QLabel>(name)->text(), QString(DASHES));
        QCOMPARE(rig->find<QLabel>(name)->styleSheet(), QString(GREY));
    }
}

QTEST_MAIN(TestClockStatus)
#include "tst_clockstatus.moc"
