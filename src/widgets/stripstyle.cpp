#include "stripstyle.h"

#include "artwork.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace stripstyle {

namespace {

QColor lampColour(Lamp lamp)
{
    switch (lamp) {
    case Lamp::Mute:
        return QColor(226, 52, 40);
    case Lamp::Solo:
        return QColor(246, 200, 40);
    case Lamp::Phase:
    case Lamp::Bypass:
        return QColor(255, 140, 20);
    case Lamp::Eq:
    case Lamp::Comp:
        return QColor(70, 200, 110);
    case Lamp::Select:
    case Lamp::Link:
    case Lamp::Reverb:
        return QColor(255, 170, 0);
    case Lamp::Point:
        return QColor(80, 180, 240);
    }
    return QColor(255, 170, 0);
}

const char *const kLampNames[] = {"mute", "solo", "phase", "bypass", "eq", "comp", "select", "point", "link", "reverb"};

// The rules of a button lamp under selector \p s (an empty \p font leaves the button's own face).
QString lampRules(const QString &s, Lamp lamp, bool lit, const QString &font)
{
    const QColor colour = lampColour(lamp);
    const QString face = font.isEmpty() ? QString() : QStringLiteral("font:%1;").arg(font);
    // The keyboard focus: a light frame that shows on a lit and an unlit button alike.
    const QString focus = QStringLiteral("%1:focus{border:1px solid rgb(240,240,240);}").arg(s);
    if (lit)
        return QStringLiteral("%4{background:%1;color:rgb(20,20,20);border:1px solid %2;"
                              "border-radius:2px;%3padding:0px;}"
                              "%4:pressed{background:%2;}")
                   .arg(colour.name(), colour.darker(160).name(), face, s) +
               focus;
    return QStringLiteral("%4{color:rgb(190,192,196);background:qlineargradient(x1:0,y1:0,x2:0,y2:1,"
                          "stop:0 rgb(62,64,70),stop:1 rgb(34,35,39));border:1px solid rgb(12,12,14);"
                          "border-radius:2px;%3padding:0px;}"
                          "%4:checked{background:%1;color:rgb(20,20,20);border-color:%2;}"
                          "%4:disabled{color:rgb(84,86,90);}")
               .arg(colour.name(), colour.darker(160).name(), face, s) +
           focus;
}

QString faderRules(const char *look, const char *handle)
{
    return QStringLiteral("QSlider[look=\"%1\"]::groove {background-image: url(:/Resource/trans.png);}"
                          "QSlider[look=\"%1\"]::handle {position: absolute; left: 3px; "
                          "image: url(:/Resource/track/%2.png); margin: 0 -15px; margin-bottom: -5px; "
                          "margin-top: 0px;}"
                          // The keyboard focus tints the otherwise invisible groove.
                          "QSlider[look=\"%1\"]::groove:focus {background-color: rgba(255, 170, 0, 70);}")
        .arg(QLatin1String(look), QLatin1String(handle));
}

const char *const kLookNames[] = {"value", "caption", "name", "fader", "masterFader", "faderBox"};

const char kLooks[] =
    "QLabel[look=\"value\"]{color: rgb(255, 170, 0); background-color: rgba(8, 8, 10, 220); "
    "border: 1px solid rgb(90, 70, 30); font: 7pt \"Arial\";}"
    "QLabel[look=\"caption\"]{color: rgb(170, 172, 178); background: transparent; font: bold 7pt \"Arial\";}"
    "QLineEdit[look=\"name\"]{color: rgb(235, 235, 235); background: transparent; font: bold 8pt \"Arial\";}"
    // The box's own editor shows the text, so it takes the same look.
    "QDoubleSpinBox[look=\"faderBox\"], QDoubleSpinBox[look=\"faderBox\"] QLineEdit{color: rgb(255, 170, 0); "
    "font: 9pt \"Arial\"; background-image: url(:/Resource/trans.png); font-size:12px;}";

} // namespace

QString pageStyle()
{
    static const QString sheet = [] {
        QString s = QLatin1String(kLooks) + faderRules("fader", "Feder") + faderRules("masterFader", "Feder_master");
        for (int i = 0; i <= int(Lamp::Reverb); ++i) {
            const Lamp lamp = Lamp(i);
            // The send points take a face fitted to their legends instead.
            const QString font = lamp == Lamp::Point ? QString() : QStringLiteral("bold 7pt \"Arial\"");
            s += lampRules(QStringLiteral("QPushButton[lamp=\"%1\"]").arg(QLatin1String(kLampNames[i])), lamp,
                           false, font);
            s += lampRules(QStringLiteral("QPushButton[lit=\"%1\"]").arg(QLatin1String(kLampNames[i])), lamp,
                           true, font);
        }
        return s;
    }();
    return sheet;
}

void setLamp(QWidget *b, Lamp lamp, bool lit)
{
    b->setProperty(lit ? "lit" : "lamp", QString::fromLatin1(kLampNames[int(lamp)]));
}

void setLook(QWidget *w, Look look)
{
    w->setProperty("look", QString::fromLatin1(kLookNames[int(look)]));
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
    const QPixmap &img = artwork::pixmap(kTrack[selected ? 1 : 0]);
    if (img.isNull()) {
        // Artwork not built in: a plain dark strip keeps the page usable.
        p.fillRect(rect, selected ? QColor(70, 56, 30) : QColor(42, 44, 48));
        p.setPen(QColor(0, 0, 0));
        p.drawRect(rect.adjusted(0, 0, -1, -1));
        return;
    }
    p.drawPixmap(rect, img);
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
