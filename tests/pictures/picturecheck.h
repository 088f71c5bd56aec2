// Compares a drawn picture with its reference PNG under tests/pictures. A picture that differs beyond a
// small tolerance leaves the actual picture and a difference picture in the build folder.
//
//   LYNTRA_PICTURES_REFRESH=1 writes the actual pictures as the new references instead of comparing
//   (scripts/refresh-pictures.sh does this for the whole set).
#pragma once

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>

namespace lyntra_test {

inline QString referenceDir()
{
    return QString::fromLocal8Bit(qgetenv("LYNTRA_SOURCE_DIR")) + QStringLiteral("/tests/pictures");
}

// A pixel differs when any channel moves by more than this: the raster engine's blending paths differ
// by a few steps between processors, a drawing fault by far more.
constexpr int kChannelTolerance = 16;
// Differing pixels a picture may have. A fault in a curve or a knob frame moves a handful of pixels,
// so this stays tiny.
constexpr int kPixelsAllowed = 2;

// Empty when `drawn` agrees with `expected` within the tolerance; otherwise what differs, with the
// actual picture and a difference picture left in the build folder under `name`. `against` names what
// was expected.
inline QString compareImages(const QImage &drawn, const QImage &expectedAny, const QString &name,
                             const QString &against)
{
    const QImage actual = drawn.convertToFormat(QImage::Format_RGB32);
    const QImage expected = expectedAny.convertToFormat(QImage::Format_RGB32);
    const QString out = QDir::current().absoluteFilePath(QStringLiteral("pictures-failed"));
    QDir().mkpath(out);
    const QString actualPath = out + QLatin1Char('/') + name + QStringLiteral(".png");
    if (expected.size() != actual.size()) {
        actual.save(actualPath);
        return QStringLiteral("%1: size %2x%3, expected %4x%5 (%6); actual picture %7")
            .arg(name)
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height())
            .arg(expected.isNull() ? QStringLiteral("missing: ") + against : against, actualPath);
    }
    QImage diff(actual.size(), QImage::Format_RGB32);
    qint64 differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        const QRgb *a = reinterpret_cast<const QRgb *>(actual.constScanLine(y));
        const QRgb *e = reinterpret_cast<const QRgb *>(expected.constScanLine(y));
        QRgb *d = reinterpret_cast<QRgb *>(diff.scanLine(y));
        for (int x = 0; x < actual.width(); ++x) {
            const int delta = qMax(qMax(qAbs(qRed(a[x]) - qRed(e[x])), qAbs(qGreen(a[x]) - qGreen(e[x]))),
                                   qAbs(qBlue(a[x]) - qBlue(e[x])));
            const bool off = delta > kChannelTolerance;
            differing += off;
            // Differences in red over a faded copy of the expected picture, to be found at a glance.
            d[x] = off ? qRgb(255, 0, 0) : qRgb(qGray(e[x]) / 3, qGray(e[x]) / 3, qGray(e[x]) / 3);
        }
    }
    if (differing <= kPixelsAllowed)
        return QString();
    const QString diffPath = out + QLatin1Char('/') + name + QStringLiteral("-diff.png");
    actual.save(actualPath);
    diff.save(diffPath);
    return QStringLiteral("%1: %2 pixels differ from %3; actual %4, difference %5")
        .arg(name)
        .arg(differing)
        .arg(against, actualPath, diffPath);
}

// Empty when `drawn` matches the reference named `name`; otherwise what differs and where the
// pictures were left.
inline QString comparePicture(const QImage &drawn, const QString &name)
{
    const QString reference = referenceDir() + QLatin1Char('/') + name + QStringLiteral(".png");
    if (qEnvironmentVariableIsSet("LYNTRA_PICTURES_REFRESH"))
        return drawn.convertToFormat(QImage::Format_RGB32).save(reference) ? QString()
                                                                           : QStringLiteral("cannot write ") + reference;
    return compareImages(drawn, QImage(reference), name, reference);
}

} // namespace lyntra_test
