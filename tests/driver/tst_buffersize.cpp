// The buffer-size table, what reaches the driver's store, and the recently-changed flag.
#include "buffersize.h"
#include "settings.h"

#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

namespace {

QVariant driverValue()
{
    QSettings native(QStringLiteral("AVENOR"), QStringLiteral("LYNTRAK1_K2"));
    return native.value(QStringLiteral("ASIODRIVER/blockFrames"));
}

void setDriverValue(const QVariant &v)
{
    QSettings native(QStringLiteral("AVENOR"), QStringLiteral("LYNTRAK1_K2"));
    if (v.isValid())
        native.setValue(QStringLiteral("ASIODRIVER/blockFrames"), v);
    else
        native.remove(QStringLiteral("ASIODRIVER/blockFrames"));
}

} // namespace

class TestBufferSize : public QObject {
    Q_OBJECT

private slots:
    void init();

    void positionTable_data();
    void positionTable();
    void samplesToPosition_data();
    void samplesToPosition();
    void refresh_data();
    void refresh();
    void sweepWritesEachSize();
    void positionIsRemembered();
    void flagClearsAfterInterval();
};

void TestBufferSize::init()
{
    QDir(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"))).removeRecursively();
}

void TestBufferSize::positionTable_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("samples");
    QTest::addColumn<QString>("text");
    const struct {
        int position, samples;
        const char *text;
    } rows[] = {
        {0, 4, "   4 Samples"},    {1, 8, "   8 Samples"},      {2, 16, "  16 Samples"},
        {3, 24, "  24 Samples"},   {4, 32, "  32 Samples"},     {5, 64, "  64 Samples"},
        {6, 128, " 128 Samples"},  {7, 256, " 256 Samples"},    {8, 512, " 512 Samples"},
        {9, 1024, "1024 Samples"}, {10, 2048, "2048 Samples"},  {-1, 256, " 256 Samples"},
        {11, 256, " 256 Samples"}, {1000, 256, " 256 Samples"},
    };
    for (const auto &r : rows)
        QTest::addRow("%d", r.position) << r.position << r.samples << QString::fromLatin1(r.text);
}

void TestBufferSize::positionTable()
{
    QFETCH(int, position);
    QFETCH(int, samples);
    QFETCH(QString, text);
    QCOMPARE(BufferSize::samplesForPosition(position), samples);
    QCOMPARE(BufferSize::textForPosition(position), text);
    QCOMPARE(text.size(), 12);
}

void TestBufferSize::samplesToPosition_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("position");
    const int rows[][2] = {{4, 0},
                           {8, 1},
                           {16, 2},
                           {24, 3},
                           {32, 4},
                           {64, 5},
                           {128, 6},
                           {256, 7},
                           {512, 8},
                           {1024, 9},
                           {2048, 10},
                           {100, 7},
                           {0, 7},
                           {-1, 7},
                           {4096, 7},
                           {65536 + 4, 0},
                           {65536 * 3 + 2048, 10},
                           {65536 + 256, 7}};
    for (const auto &r : rows)
        QTest::addRow("%d", r[0]) << r[0] << r[1];
}

void TestBufferSize::samplesToPosition()
{
    QFETCH(int, samples);
    QFETCH(int, position);
    QCOMPARE(BufferSize::positionForSamples(samples), position);
}

void TestBufferSize::refresh_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("written");
    QTest::newRow("missing") << QVariant() << 7 << 256;
    QTest::newRow("100 is replaced by 256") << QVariant(100) << 7 << 256;
    QTest::newRow("not a number") << QVariant("lots") << 7 << 256;
    QTest::newRow("4") << QVariant(4) << 0 << 4;
    QTest::newRow("2048") << QVariant(2048) << 10 << 2048;
    QTest::newRow("512 as text") << QVariant("512") << 8 << 512;
    QTest::newRow("low 16 bits") << QVariant(65536 + 64) << 5 << 64;
}

void TestBufferSize::refresh()
{
    QFETCH(QVariant, stored);
    QFETCH(int, position);
    QFETCH(int, written);
    setDriverValue(stored);

    BufferSize b;
    QSignalSpy slider(&b, &BufferSize::sliderPositionRequested);
    QSignalSpy step(&b, &BufferSize::sliderPageStepRequested);
    QSignalSpy label(&b, &BufferSize::textChanged);
    b.refresh_buffer_size();

    QCOMPARE(slider.count(), 1);
    QCOMPARE(slider.at(0).at(0).toInt(), position);
    QCOMPARE(step.count(), 1);
    QCOMPARE(step.at(0).at(0).toInt(), 1);
    QCOMPARE(label.last().at(0).toString(), BufferSize::textForPosition(position));
    QCOMPARE(b.position(), position);
    QCOMPARE(driverValue().toInt(), written);
    QCOMPARE(BufferSize::storedSamples(), written);
    QVERIFY(b.recentlyChanged());
}

void TestBufferSize::sweepWritesEachSize()
{
    BufferSize b;
    QSignalSpy written(&b, &BufferSize::samplesWritten);
    const int sizes[] = {4, 8, 16, 24, 32, 64, 128, 256, 512, 1024, 2048};
    for (int p = 0; p <= 10; ++p) {
        b.on_hS_BufferSize_sliderMoved(p);
        // On disk at once, not when some object is destroyed later.
        QCOMPARE(driverValue().toInt(), sizes[p]);
        QVERIFY(b.recentlyChanged());
    }
    QCOMPARE(written.count(), 11);
    b.on_hS_BufferSize_valueChanged(2);
    QCOMPARE(driverValue().toInt(), 16);
    QCOMPARE(b.text(), QStringLiteral("  16 Samples"));
}

void TestBufferSize::positionIsRemembered()
{
    Settings s;
    BufferSize b([&s](int position) { s.setAudioPerformanceIndex(position); });
    b.on_hS_BufferSize_sliderMoved(3);
    QCOMPARE(s.audioPerformanceIndex(), 3);
    // A position off the slider is taken as 7 everywhere.
    b.on_hS_BufferSize_sliderMoved(42);
    QCOMPARE(s.audioPerformanceIndex(), 7);
    QCOMPARE(driverValue().toInt(), 256);
}

// The flag clears by itself; a direct call clears it at once.
void TestBufferSize::flagClearsAfterInterval()
{
    BufferSize b;
    QSignalSpy flag(&b, &BufferSize::recentlyChangedChanged);
    QVERIFY(!b.recentlyChanged());
    b.on_hS_BufferSize_sliderMoved(5);
    QVERIFY(b.recentlyChanged());
    QTRY_VERIFY_WITH_TIMEOUT(!b.recentlyChanged(), 20000);
    QCOMPARE(flag.count(), 2);
    QCOMPARE(flag.at(0).at(0).toBool(), true);
    QCOMPARE(flag.at(1).at(0).toBool(), false);
    b.on_hS_BufferSize_sliderMoved(9);
    b.slt_havePassedSinceBufferSizeChange();
    QVERIFY(!b.recentlyChanged());
}

QTEST_GUILESS_MAIN(TestBufferSize)
#include "tst_buffersize.moc"
