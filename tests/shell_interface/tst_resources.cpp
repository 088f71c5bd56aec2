// The generated artwork: every image the program names is compiled in, at its size, and both spellings
// of a resource path reach the same image.
#include "resources.h"

#include <QFile>
#include <QImage>
#include <QtTest>

#include <cmath>

class TestResources : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { lyntra_init_resources(); }

    void imageSizes_data();
    void imageSizes();
    void bothPathSpellings_data();
    void bothPathSpellings();
    void knobPointerPositions_data();
    void knobPointerPositions();
    void transparentPixel();
    void licenceText();
};

void TestResources::imageSizes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    const struct {
        const char *path;
        int w, h;
    } rows[] = {
        {":/Resource/Download_250x100.png", 250, 100},
        {":/Resource/update/Download_250x100.png", 250, 100},
        {":/Resource/update/info_570x160_icon.png", 570, 160},
        {":/Resource/trans.png", 1, 1},
        {":/Resource/interface/panel_interface.png", 860, 530},
        {":/Resource/track/knob_s/knob-s_700.png", 18, 18},
        {":/Resource/track/knob_s/knob-s_1230.png", 18, 18},
        {":/Resource/track/knob_s/knob-s_1700.png", 18, 18},
        {":/Resource/track/knob_send/knob_L_700.png", 26, 26},
        {":/Resource/track/knob_send/knob_L_1130.png", 26, 26},
        {":/Resource/track/knob_send/knob_L_1700.png", 26, 26},
        {":/Resource/track/PAN.png", 16, 12},
        {":/Resource/track/PAN_c.png", 16, 12},
        {":/Resource/track/Feder.png", 44, 22},
        {":/Resource/track/Feder_master.png", 44, 22},
        {":/Resource/track/track_0.png", 60, 540},
        {":/Resource/track/track_1.png", 60, 540},
        {":/Resource/track/GR_passive.png", 5, 63},
        {":/Resource/track/GR_available.png", 5, 63},
        {":/Resource/track/GR_active.png", 5, 63},
        {":/Resource/Reverb/Rvb_hall.png", 64, 24},
        {":/Resource/Reverb/Rvb_room.png", 64, 24},
        {":/Resource/Reverb/Rvb_live.png", 64, 24},
        {":/Resource/Reverb/Rvb_studio.png", 64, 24},
        {":/Resource/Reverb/Rvb_plate.png", 64, 24},
        {":/Resource/arrow_AD/arrow_AD-1.png", 64, 18},
        {":/Resource/arrow_AD/arrow_AD-20.png", 64, 18},
        {":/Resource/arrow_ST/arrow_ST-L.png", 64, 18},
        {":/Resource/arrow_ST/arrow_ST-R.png", 64, 18},
        {":/Resource/arrow_AUX/arrow_AUX-1.png", 64, 18},
        {":/Resource/arrow_AUX/arrow_AUX-4.png", 64, 18},
        {":/Resource/arrow_comp/arrow_comp-1.png", 64, 18},
        {":/Resource/arrow_comp/arrow_comp-10.png", 64, 18},
        {":/Resource/monicon/nob_white.png", 30, 14},
        {":/Resource/monicon/nob_red.png", 30, 14},
    };
    for (const auto &r : rows)
        QTest::newRow(r.path) << QString::fromLatin1(r.path) << QSize(r.w, r.h);
}

void TestResources::imageSizes()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
}

void TestResources::bothPathSpellings_data()
{
    QTest::addColumn<QString>("rooted");
    QTest::addColumn<QString>("bare");
    QTest::newRow("pan") << ":/Resource/track/PAN.png"
                         << ":Resource/track/PAN.png";
    QTest::newRow("pan off-centre") << ":/Resource/track/PAN_c.png"
                                    << ":Resource/track/PAN_c.png";
    QTest::newRow("gr active") << ":/Resource/track/GR_active.png"
                               << ":Resource/track/GR_active.png";
    QTest::newRow("reverb") << ":/Resource/Reverb/Rvb_plate.png"
                            << ":Resource/Reverb/Rvb_plate.png";
    QTest::newRow("arrow") << ":/Resource/arrow_comp/arrow_comp-7.png"
                           << ":Resource/arrow_comp/arrow_comp-7.png";
}

void TestResources::bothPathSpellings()
{
    QFETCH(QString, rooted);
    QFETCH(QString, bare);
    const QImage a(rooted);
    const QImage b(bare);
    QVERIFY(!a.isNull());
    QVERIFY(!b.isNull());
    QCOMPARE(a, b);
}

// Each frame's pointer must stand at its clock position: 7:00 is 150 degrees left of straight up,
// every frame turns 15 degrees further, frame 10 points straight up.
void TestResources::knobPointerPositions_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QColor>("pointer");
    QTest::newRow("dial") << ":/Resource/track/knob_s/knob-s_" << QColor(245, 245, 245);
    QTest::newRow("send") << ":/Resource/track/knob_send/knob_L_" << QColor(255, 170, 0);
}

namespace {

// Angle, clockwise from straight up, of the centroid of the pixels close to `pointer`; NaN if none.
qreal pointerAngle(const QImage &image, const QColor &pointer)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const QPointF centre(img.width() / 2.0, img.height() / 2.0);
    QPointF sum;
    int count = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = QColor::fromRgba(img.pixel(x, y));
            if (qAbs(c.red() - pointer.red()) + qAbs(c.green() - pointer.green()) +
                    qAbs(c.blue() - pointer.blue()) <
                60) {
                sum += QPointF(x + 0.5, y + 0.5) - centre;
                ++count;
            }
        }
    if (count == 0)
        return qQNaN();
    return qRadiansToDegrees(std::atan2(sum.x(), -sum.y()));
}

} // namespace

void TestResources::knobPointerPositions()
{
    QFETCH(QString, prefix);
    QFETCH(QColor, pointer);
    const QStringList names = {"700",  "730",  "800",  "830",  "900",  "930",  "1000",
                               "1030", "1100", "1130", "1200", "1230", "1300", "1330",
                               "1400", "1430", "1500", "1530", "1600", "1630", "1700"};
    for (int frame = 0; frame < names.size(); ++frame) {
        const QImage image(prefix + names.at(frame) + ".png");
        QVERIFY2(!image.isNull(), qPrintable(names.at(frame)));
        const qreal angle = pointerAngle(image, pointer);
        const qreal expected = (frame - 10) * 15.0;
        QVERIFY2(qAbs(angle - expected) < 8.0, qPrintable(QStringLiteral("%1: pointer at %2, expected %3")
                                                              .arg(names.at(frame))
                                                              .arg(angle)
                                                              .arg(expected)));
    }
}

void TestResources::transparentPixel()
{
    const QImage image(":/Resource/trans.png");
    QCOMPARE(image.size(), QSize(1, 1));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
}

void TestResources::licenceText()
{
    QFile file(":/Resource/LICENSE.txt");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.contains("End-User Licence Agreement"));
    QVERIFY(text.contains("LGPL-3.0"));
    QVERIFY(text.contains("libusb"));
    QVERIFY(text.contains("libarchive"));
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
