#include "stripstyle.h"

#include "artwork.h"
#include "lampstyle.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QLineEdit>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

#include <algorithm>

namespace stripstyle {

namespace {

QFont arial(int points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

// Text in \p role's colour, straight on whatever lies behind the widget.
void setTextLook(QWidget *w, QPalette::ColorRole role, const QColor &colour, const QFont &font)
{
    QPalette palette = w->palette();
    palette.setColor(role, colour);
    palette.setColor(QPalette::Base, Qt::transparent);
    w->setPalette(palette);
    w->setFont(font);
}

// The faders keep a small sheet of their own: an image handle on a transparent groove is what sheets
// draw well.
QString faderSheet(const char *handle)
{
    return QStringLiteral("QSlider::groove {background-image: url(:/Resource/trans.png);}"
                          "QSlider::handle {position: absolute; left: 3px; "
                          "image: url(:/Resource/track/%1.png); margin: 0 -15px; margin-bottom: -5px; "
                          "margin-top: 0px;}"
                          // The keyboard focus tints the otherwise invisible groove.
                          "QSlider::groove:focus {background-color: rgba(255, 170, 0, 70);}")
        .arg(QLatin1String(handle));
}

// The level boxes' sunken frame of plain lines, the same on every desktop.
QStyle *plainFrameStyle()
{
    // Never deleted: widgets keep a plain pointer to their style until their own end.
    static QStyle *const style = QStyleFactory::create(QStringLiteral("Windows"));
    return style;
}

} // namespace

void setLamp(QWidget *b, Lamp lamp, bool lit)
{
    LampStyle::makeLamp(b, lamp, lit);
    // The send points take a face fitted to their legends instead.
    if (lamp != Lamp::Point)
        b->setFont(arial(7, true));
}

void setLook(QWidget *w, Look look)
{
    switch (look) {
    case Look::Value:
        LampStyle::makeValueDisplay(w);
        setTextLook(w, QPalette::WindowText, QColor(255, 170, 0), arial(7, false));
        return;
    case Look::Caption:
        setTextLook(w, QPalette::WindowText, QColor(170, 172, 178), arial(7, true));
        return;
    case Look::PageCaption:
        setTextLook(w, QPalette::WindowText, QColor(200, 202, 208), arial(9, true));
        return;
    case Look::Name:
        setTextLook(w, QPalette::Text, QColor(235, 235, 235), arial(8, true));
        return;
    case Look::Fader:
        w->setStyleSheet(faderSheet("Feder"));
        return;
    case Look::MasterFader:
        w->setStyleSheet(faderSheet("Feder_master"));
        return;
    case Look::FaderBox: {
        QFont font = arial(9, false);
        font.setPixelSize(12);
        setTextLook(w, QPalette::Text, QColor(255, 170, 0), font);
        w->setStyle(plainFrameStyle());
        // The level stands a pixel off the frame's inner line.
        if (auto *edit = w->findChild<QLineEdit *>())
            edit->setTextMargins(0, 0, 1, 1);
        return;
    }
    }
}

QFont fittedButtonFont(const QStringList &texts, int width)
{
    // Every strip asks the same: measure once.
    static QHash<QString, QFont> fitted;
    const QString key = texts.join(QLatin1Char('\n')) + QString::number(width);
    const auto known = fitted.constFind(key);
    if (known != fitted.constEnd())
        return *known;
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    int px = 9; // about 7 pt on a 96 dpi screen
    for (; px > 5; --px) {
        font.setPixelSize(px);
        const QFontMetrics fm(font);
        if (std::all_of(texts.begin(), texts.end(), [&](const QString &t) { return fm.horizontalAdvance(t) <= width - 2; }))
            break;
    }
    font.setPixelSize(px);
    fitted.insert(key, font);
    return font;
}

void paintStripBackground(QPainter &p, const QRect &rect, bool selected)
{
    static const QString kTrack[] = {QStringLiteral(":/Resource/track/track_0.png"),
                                     QStringLiteral(":/Resource/track/track_1.png")};
    p.drawPixmap(rect, artwork::pixmap(kTrack[selected ? 1 : 0]));
}

void paintBlankPlate(QPainter &p, const QRect &rect)
{
    p.save();
    QLinearGradient metal(rect.topLeft(), rect.bottomLeft());
    metal.setColorAt(0, QColor(52, 54, 58));
    metal.setColorAt(1, QColor(36, 37, 41));
    p.fillRect(rect, metal);
    // Brushed grain: faint lines whose shade follows a fixed pattern, so every repaint looks the same.
    for (int y = rect.top() + 1, i = 0; y < rect.bottom(); y += 2, ++i)
        p.fillRect(QRect(rect.left() + 1, y, rect.width() - 2, 1), QColor(255, 255, 255, 4 + (i * 7) % 9));
    p.setPen(QColor(78, 80, 86));
    p.drawLine(rect.topLeft(), rect.topRight());
    p.drawLine(rect.topLeft(), rect.bottomLeft());
    p.setPen(QColor(12, 12, 14));
    p.drawLine(rect.bottomLeft(), rect.bottomRight());
    p.drawLine(rect.topRight(), rect.bottomRight());
    p.setRenderHint(QPainter::Antialiasing);
    constexpr int kInset = 12, kScrew = 9;
    for (const QPoint &c : {QPoint(rect.left() + kInset, rect.top() + kInset),
                            QPoint(rect.right() - kInset, rect.top() + kInset),
                            QPoint(rect.left() + kInset, rect.bottom() - kInset),
                            QPoint(rect.right() - kInset, rect.bottom() - kInset)}) {
        QRadialGradient head(c - QPoint(2, 2), kScrew);
        head.setColorAt(0, QColor(150, 152, 158));
        head.setColorAt(1, QColor(64, 66, 72));
        p.setPen(QColor(14, 14, 16));
        p.setBrush(head);
        p.drawEllipse(c, kScrew / 2 + 1, kScrew / 2 + 1);
        p.setPen(QPen(QColor(30, 30, 34), 1.5));
        p.drawLine(c + QPoint(-3, 2), c + QPoint(3, -2));
    }
    p.restore();
}

} // namespace stripstyle
