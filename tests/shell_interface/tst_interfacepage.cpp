// The interface page as the rest of the program finds it: object names, ids and entries, the painted
// plates behind the widgets, the device signals reaching the clock logic, and the buffer-size slider.
#include "artlayout.h"
#include "buffersize.h"
#include "pagerig.h"
#include "resources.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QSettings>
#include <QSlider>
#include <QtTest>

#include <memory>

namespace {

int storedBlockFrames()
{
    QSettings driver(QSettings::NativeFormat, QSettings::UserScope, "AVENOR", "LYNTRAK1_K2");
    return driver.value("ASIODRIVER/blockFrames", -1).toInt();
}

void storeBlockFrames(const QVariant &value)
{
    QSettings driver(QSettings::NativeFormat, QSettings::UserScope, "AVENOR", "LYNTRAK1_K2");
    if (value.isValid())
        driver.setValue("ASIODRIVER/blockFrames", value);
    else
        driver.remove("ASIODRIVER/blockFrames");
}

int grey(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y));
}

} // namespace

class TestInterfacePage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { lyntra_init_resources(); }
    void init() { rig = std::make_unique<PageRig>(); }
    void cleanup() { rig.reset(); }

    void objectNames_data();
    void objectNames();
    void sourceIds_data();
    void sourceIds();
    void selectorEntries_data();
    void selectorEntries();
    void paintedPlates_data();
    void paintedPlates();
    void deviceSignalsReachStatus();
    void bufferSlider_data();
    void bufferSlider();
    void bufferRefresh_data();
    void bufferRefresh();
    void pageOwnership();

private:
    std::unique_ptr<PageRig> rig;
};

void TestInterfacePage::objectNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    const char *const rows[][2] = {
        {"rB_Internal", "QRadioButton"},
        {"rB_Optical_A", "QRadioButton"},
        {"rB_Optical_B", "QRadioButton"},
        {"rB_Word", "QRadioButton"},
        {"buttonGroup_ClockSource", "QButtonGroup"},
        {"cB_Optical_A", "QComboBox"},
        {"cB_Optical_B", "QComboBox"},
        {"label_ClockSourceStatus", "QLabel"},
        {"label_IntClockSourceStatus", "QLabel"},
        {"label_IntClockSource", "QLabel"},
        {"label_IntSampleRate", "QLabel"},
        {"label_OptAInputStatus", "QLabel"},
        {"label_IntOptAInputStatus", "QLabel"},
        {"label_OptBInputStatus", "QLabel"},
        {"label_IntOptBInputStatus", "QLabel"},
        {"label_WordInputStatus", "QLabel"},
        {"label_IntWordInputStatus", "QLabel"},
        {"label_IntDevice", "QLabel"},
        {"label_IntFirmVersion", "QLabel"},
        {"label_IntDriverVersion", "QLabel"},
        {"hS_BufferSize", "QSlider"},
        {"label_BufferSizeDisp", "QLabel"},
        {"pB_ToMixerFromInterface", "QPushButton"},
        {"pB_ToOutputFromInterface", "QPushButton"},
    };
    for (const auto &r : rows)
        QTest::newRow(r[0]) << r[0] << r[1];
}

void TestInterfacePage::objectNames()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    const QList<QObject *> found = rig->page.page()->findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1);
    QVERIFY2(found.first()->inherits(qPrintable(kind)), found.first()->metaObject()->className());
}

void TestInterfacePage::sourceIds_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<int>("id");
    QTest::newRow("internal") << "rB_Internal" << 1;
    QTest::newRow("optical A") << "rB_Optical_A" << 2;
    QTest::newRow("optical B") << "rB_Optical_B" << 3;
    QTest::newRow("word") << "rB_Word" << 4;
}

void TestInterfacePage::sourceIds()
{
    QFETCH(QString, radio);
    QFETCH(int, id);
    auto *group = rig->find<QButtonGroup>("buttonGroup_ClockSource");
    QCOMPARE(group->id(rig->find<QAbstractButton>(qPrintable(radio))), id);
    QVERIFY(group->exclusive());
}

void TestInterfacePage::selectorEntries_data()
{
    QTest::addColumn<QString>("selector");
    QTest::newRow("A") << "cB_Optical_A";
    QTest::newRow("B") << "cB_Optical_B";
}

void TestInterfacePage::selectorEntries()
{
    QFETCH(QString, selector);
    auto *combo = rig->find<QComboBox>(qPrintable(selector));
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    QCOMPARE(entries, QStringList({"Auto -  AVENOR Device", "Manual -  44.1kHz / 48kHz",
                                   "Manual -  88.2kHz / 96kHz", "Manual -  176.4kHz / 192kHz"}));
    QCOMPARE(combo->currentIndex(), 0);
}

// The plates the widgets sit on must be light (black and red status text on them), the panel dark.
void TestInterfacePage::paintedPlates_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("light");
    const QPoint corner(-10, -8); // inner bottom-right corner of a plate: no widget there
    for (const artlayout::Section &s : artlayout::kSections)
        QTest::newRow(s.caption) << QPoint(s.plate.x + s.plate.w, s.plate.y + s.plate.h) + corner << true;
    QTest::newRow("title band") << QPoint(300, 30) << false;
    QTest::newRow("between columns") << QPoint(338, 300) << false;
}

void TestInterfacePage::paintedPlates()
{
    QFETCH(QPoint, at);
    QFETCH(bool, light);
    const QImage shot = rig->page.page()->grab().toImage();
    QCOMPARE(shot.size(), QSize(artlayout::kPageWidth, artlayout::kPageHeight));
    if (light)
        QVERIFY2(grey(shot, at.x(), at.y()) > 170, qPrintable(QString::number(grey(shot, at.x(), at.y()))));
    else
        QVERIFY2(grey(shot, at.x(), at.y()) < 90, qPrintable(QString::number(grey(shot, at.x(), at.y()))));
}

void TestInterfacePage::deviceSignalsReachStatus()
{
    rig->state.identification = ShellState::SetUp;
    emit rig->dev.sig_recv_hz(48000);
    emit rig->dev.sig_recv_clocksource(IXMSG_DATA_CLOCKSOURCE_WORD);
    emit rig->dev.sig_recv_clockhz(IXMSG_DATA_CLOCKSOURCE_WORD, 44100);
    emit rig->dev.sig_recv_clocklock(IXMSG_DATA_CLOCKSOURCE_WORD, IXMSG_DATA_CLOCKLOCK_GOOD);

    QCOMPARE(rig->find<QLabel>("label_IntSampleRate")->text(), QString("48kHz"));
    QCOMPARE(rig->find<QLabel>("label_IntClockSource")->text(), QString("Word"));
    QCOMPARE(rig->find<QLabel>("label_IntClockSourceStatus")->text(), QString("Sample Rate Mismatch"));
    QCOMPARE(rig->find<QLabel>("label_IntWordInputStatus")->text(), QString("Sample Rate Mismatch"));
}

void TestInterfacePage::bufferSlider_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("samples");
    QTest::newRow("smallest") << 0 << "   4 Samples" << 4;
    QTest::newRow("24") << 3 << "  24 Samples" << 24;
    QTest::newRow("128") << 6 << " 128 Samples" << 128;
    QTest::newRow("largest") << 10 << "2048 Samples" << 2048;
}

void TestInterfacePage::bufferSlider()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(int, samples);

    QSignalSpy started(&rig->page, &InterfacePage::sig_bufferSizeChangeStarted);
    auto *slider = rig->find<QSlider>("hS_BufferSize");
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 10);
    slider->setValue(position);

    QCOMPARE(rig->find<QLabel>("label_BufferSizeDisp")->text(), text);
    QCOMPARE(storedBlockFrames(), samples);
    QCOMPARE(rig->settings.audioPerformanceIndex(), position);
    QVERIFY(started.count() >= 1);
    QVERIFY(rig->page.bufferSize().recentlyChanged());
}

void TestInterfacePage::bufferRefresh_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("written");
    QTest::newRow("unknown size") << QVariant(100) << 7 << " 256 Samples" << 256;
    QTest::newRow("missing") << QVariant() << 7 << " 256 Samples" << 256;
    QTest::newRow("1024") << QVariant(1024) << 9 << "1024 Samples" << 1024;
    QTest::newRow("4") << QVariant(4) << 0 << "   4 Samples" << 4;
}

void TestInterfacePage::bufferRefresh()
{
    QFETCH(QVariant, stored);
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(int, written);

    storeBlockFrames(stored);
    rig->page.refreshBufferSize();

    auto *slider = rig->find<QSlider>("hS_BufferSize");
    QCOMPARE(slider->value(), position);
    QCOMPARE(slider->pageStep(), 1);
    QCOMPARE(rig->find<QLabel>("label_BufferSizeDisp")->text(), text);
    QCOMPARE(storedBlockFrames(), written);
}

// A page stack adopts the widget; the page object must then leave it alone.
void TestInterfacePage::pageOwnership()
{
    QWidget stack;
    QPointer<QWidget> widget;
    {
        InterfacePage page(rig->dev, rig->settings);
        widget = page.page();
        widget->setParent(&stack);
    }
    QVERIFY(!widget.isNull());
    {
        InterfacePage page(rig->dev, rig->settings);
        widget = page.page();
    }
    QVERIFY(widget.isNull());
}

QTEST_MAIN(TestInterfacePage)
#include "tst_interfacepage.moc"
