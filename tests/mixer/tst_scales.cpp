#include "scales.h"

#include <QtTest>

using namespace mixer;

class TstScales : public QObject {
    Q_OBJECT

private slots:
    void faderPositions_data();
    void faderPositions();
    void faderTyped_data();
    void faderTyped();
    void faderTableFallsStrictly();
    void pan_data();
    void pan();
    void send_data();
    void send();
    void sendLevelFromLabel_data();
    void sendLevelFromLabel();
};

void TstScales::faderPositions_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("db");
    QTest::addColumn<int>("wire");
    QTest::addColumn<QString>("label");

    QTest::newRow("top") << 100 << 6.0 << 60 << "  6 dB";
    QTest::newRow("unity") << 80 << 0.0 << 0 << "  0 dB";
    QTest::newRow("entry 33") << 67 << -4.1 << -41 << "-4.1 dB";
    QTest::newRow("entry 48") << 52 << -10.7 << -107 << "-10.7 dB";
    QTest::newRow("entry 47") << 53 << -10.0 << -100 << "-10 dB";
    QTest::newRow("entry 99") << 1 << -96.0 << -960 << "-96 dB";
    QTest::newRow("bottom is off") << 0 << -99.9 << -1270 << "-infinity";
    QTest::newRow("below range clamps") << -5 << -99.9 << -1270 << "-infinity";
    QTest::newRow("above range clamps") << 140 << 6.0 << 60 << "  6 dB";
}

void TstScales::faderPositions()
{
    QFETCH(int, position);
    QFETCH(double, db);
    QFETCH(int, wire);
    QFETCH(QString, label);
    QCOMPARE(fader::levelAt(position), db);
    QCOMPARE(int(fader::wire(db)), wire);
    QCOMPARE(fader::label(db), label);
}

void TstScales::faderTyped_data()
{
    QTest::addColumn<double>("typed");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("wire");

    QTest::newRow("-0.1 lands below, sent as typed") << -0.1 << 79 << -1;
    QTest::newRow("exact 0") << 0.0 << 80 << 0;
    QTest::newRow("top") << 6.0 << 100 << 60;
    QTest::newRow("bottom") << -99.9 << 0 << -1270;
    QTest::newRow("between -60 and -78") << -70.0 << 2 << -700;
    QTest::newRow("just above bottom") << -99.8 << 0 << -998;
    QTest::newRow("rounds to tenths") << -4.14 << 67 << -41;
    QTest::newRow("above top") << 9.0 << 100 << 60;
    QTest::newRow("below bottom") << -150.0 << 0 << -1270;
}

void TstScales::faderTyped()
{
    QFETCH(double, typed);
    QFETCH(int, position);
    QFETCH(int, wire);
    QCOMPARE(fader::positionFor(typed), position);
    QCOMPARE(int(fader::wire(typed)), wire);
}

// The typed-value search relies on it: a table out of order would land values on wrong positions.
void TstScales::faderTableFallsStrictly()
{
    for (int p = 1; p < fader::kPositions; ++p) {
        QVERIFY2(fader::levelAt(p) > fader::levelAt(p - 1), qPrintable(QString::number(p)));
        QCOMPARE(fader::positionFor(fader::levelAt(p)), p);
    }
}

void TstScales::pan_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("unit");

    QTest::newRow("odd hard left") << 0 << "L20" << 0;
    QTest::newRow("odd L1") << 19 << "L1" << 19;
    QTest::newRow("odd centre") << 20 << "C" << 20;
    QTest::newRow("odd R1") << 21 << "R1" << 21;
    QTest::newRow("odd hard right") << 40 << "R20" << 40;
    QTest::newRow("even hard left") << 59 << "L20" << 0;
    QTest::newRow("even centre") << 79 << "C" << 20;
    QTest::newRow("even hard right") << 99 << "R20" << 40;
    QTest::newRow("gap low") << 41 << "Error" << 255;
    QTest::newRow("gap high") << 58 << "Error" << 255;
    QTest::newRow("past even lane") << 100 << "Error" << 255;
    QTest::newRow("negative") << -1 << "Error" << 255;
}

void TstScales::pan()
{
    QFETCH(int, position);
    QFETCH(QString, label);
    QFETCH(int, unit);
    QCOMPARE(pan::label(position), label);
    QCOMPARE(int(pan::unitIndex(label)), unit);
}

void TstScales::send_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("level");

    QTest::newRow("0 off") << 0 << "-inf." << -127;
    QTest::newRow("1") << 1 << "-98dB" << -98;
    QTest::newRow("13") << 13 << "-71dB" << -71;
    QTest::newRow("28") << 28 << "-42dB" << -42;
    QTest::newRow("29") << 29 << "-42dB" << -42;
    QTest::newRow("30") << 30 << "-41dB" << -41;
    QTest::newRow("64") << 64 << "-18dB" << -18;
    QTest::newRow("79") << 79 << " -9dB" << -9;
    QTest::newRow("87") << 87 << " -6dB" << -6;
    QTest::newRow("100") << 100 << " -1dB" << -1;
    QTest::newRow("101") << 101 << "  0dB" << 0;
    QTest::newRow("102 master default") << 102 << "  0dB" << 0;
    QTest::newRow("105") << 105 << "  1dB" << 1;
    QTest::newRow("124") << 124 << "  5dB" << 5;
    QTest::newRow("127") << 127 << "  6dB" << 6;
    QTest::newRow("above clamps") << 300 << "  6dB" << 6;
    QTest::newRow("below clamps") << -4 << "-inf." << -127;
}

void TstScales::send()
{
    QFETCH(int, position);
    QFETCH(QString, label);
    QFETCH(int, level);
    QCOMPARE(send::label(position), label);
    QCOMPARE(int(send::levelFromLabel(send::label(position))), level);
    QCOMPARE(send::label(position).size(), 5);
}

void TstScales::sendLevelFromLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("level");

    QTest::newRow("inf") << "-inf." << -127;
    QTest::newRow("leading spaces") << "  3dB" << 3;
    QTest::newRow("three digits") << "-98dB" << -98;
    QTest::newRow("garbage") << "abcde" << -127;
    QTest::newRow("empty") << "" << -127;
}

void TstScales::sendLevelFromLabel()
{
    QFETCH(QString, label);
    QFETCH(int, level);
    QCOMPARE(int(send::levelFromLabel(label)), level);
}

QTEST_GUILESS_MAIN(TstScales)
#include "tst_scales.moc"
