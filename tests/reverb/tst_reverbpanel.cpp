// The reverb section through its real controls, found by object name on the mixer section's page:
// what is stored and what the in-process unit holds after each gesture, the sample-rate rule, the
// "Initialize Reverb" question answered on the real message box, and the diagram's pixels.
#include "drawreverb.h"
#include "mixersection.h"
#include "pagerig.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

using namespace mixer;

namespace {

struct PanelRig {
    bool art = (lyntra_init_resources(), true);
    UnitRig unit;
    MixerSection section{unit.dev, unit.settings};
    std::unique_ptr<QWidget> page{section.page()};

    PanelRig() { page->show(); }

    template <typename W = QWidget> W *find(const QString &name) const
    {
        W *w = page->findChild<W *>(name);
        if (!w)
            qWarning("no widget named %s", qPrintable(name));
        return w;
    }
    QString text(const QString &label) const { return find<QLabel>(label)->text(); }
    bool click(const QString &name)
    {
        QWidget *w = find(name);
        if (w)
            QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        return w;
    }
    // Drags knob `name` up by `dy` pixels (down when negative), in two moves.
    bool drag(const QString &name, int dy)
    {
        QWidget *w = find(name);
        if (w)
            PageRig::drag(w, QPointF(9, 9), {QPointF(0, -dy / 2), QPointF(0, -(dy - dy / 2))});
        return w;
    }
    std::array<int, 4> unitReverb()
    {
        const auto &m = unit.unit();
        return {UnitRig::v(m.reverbType), UnitRig::v(m.reverbPredelay), UnitRig::v(m.reverbTime),
                UnitRig::v(m.reverbDiff)};
    }
};

bool sameImage(const QPixmap &a, const QPixmap &b)
{
    return !a.isNull() && a.toImage().convertToFormat(QImage::Format_ARGB32) ==
                              b.toImage().convertToFormat(QImage::Format_ARGB32);
}

const char *const kTypes[] = {"pB_RevHall", "pB_RevRoom", "pB_RevLive", "pB_RevStudio", "pB_RevPlate"};

QString grabDir()
{
    const QString dir = QDir(qEnvironmentVariable("LYNTRA_BIN_DIR", QStringLiteral("."))).filePath("../grabs");
    QDir().mkpath(dir);
    return dir;
}

// Counts the pixels of `row` close to `colour` (antialiased edges excluded), and the last one's x.
struct RowCount {
    int count = 0;
    int last = -1;
};
RowCount onRow(const QImage &img, int row, const QColor &colour)
{
    RowCount r;
    for (int x = 0; x < img.width(); ++x) {
        const QColor c = img.pixelColor(x, row);
        if (qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green()) + qAbs(c.blue() - colour.blue()) < 12) {
            ++r.count;
            r.last = x;
        }
    }
    return r;
}

} // namespace

class TstReverbPanel : public QObject {
    Q_OBJECT
private slots:
    void typeButtons_data();
    void typeButtons();
    void knobs_data();
    void knobs();
    void switchOffHoldsKnobs();
    void rateRule_data();
    void rateRule();
    void initializeQuestion_data();
    void initializeQuestion();
    void diagram_data();
    void diagram();
};

void TstReverbPanel::typeButtons_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("shown"); // pre-delay, time, diffusion labels
    QTest::newRow("HALL") << 1 << QStringList{"90", "2.7", "20"};
    QTest::newRow("ROOM") << 2 << QStringList{"25", "1.4", "60"};
    QTest::newRow("LIVE") << 3 << QStringList{"6", "2.6", "50"};
    QTest::newRow("STUDIO") << 4 << QStringList{"60", "0.4", "70"};
    QTest::newRow("PLATE") << 5 << QStringList{"42", "2.7", "50"};
}

void TstReverbPanel::typeButtons()
{
    QFETCH(int, code);
    QFETCH(QStringList, shown);

    PanelRig rig;
    // Start away from the type, so that the click has something to change.
    QVERIFY(rig.click(kTypes[code % 5]));
    QVERIFY(rig.click(kTypes[code - 1]));
    auto *group = rig.page->findChild<QButtonGroup *>(QStringLiteral("buttonGroup_Reverb"));
    QVERIFY(group);
    QCOMPARE(group->checkedId(), code);
    QCOMPARE(group->checkedButton()->objectName(), QString::fromLatin1(kTypes[code - 1]));
    QCOMPARE(rig.unit.settings.readInt("Reverb", "Mode"), code);
    QCOMPARE((QStringList{rig.text("label_PreDelayDisp"), rig.text("label_ReverbTimeDisp"),
                          rig.text("label_ReverbDiffDisp")}),
             shown);
    QVERIFY(sameImage(rig.find<QLabel>("label_RvbPicture")->pixmap(Qt::ReturnByValue),
                      QPixmap(reverb::typeInfo(code).picture)));
    const ReverbParams f = reverb::factory(code);
    QCOMPARE(rig.unitReverb(), (std::array<int, 4>{code, f.preDelay, f.time, f.diff}));
    QCOMPARE(UnitRig::v(rig.unit.unit().returnOn), 1);
}

void TstReverbPanel::knobs_data()
{
    QTest::addColumn<QString>("knob");
    QTest::addColumn<int>("dy");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("key"); // stored under ROOM
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("field"); // index into type, pre-delay, time, diffusion

    // ROOM starts at 25, 14 ("1.4"), 60.
    QTest::newRow("time up") << "label_ReverbTimeKnob" << 13 << "2.7" << "RvbTimePos_Room" << 27 << 2;
    QTest::newRow("time far down") << "label_ReverbTimeKnob" << -80 << "0.1" << "RvbTimePos_Room" << 1 << 2;
    QTest::newRow("time far up") << "label_ReverbTimeKnob" << 300 << "10.0" << "RvbTimePos_Room" << 100 << 2;
    QTest::newRow("pre-delay up") << "label_PreDelayKnob" << 100 << "125" << "RvbPreDelayPos_Room" << 125 << 1;
    QTest::newRow("pre-delay far up") << "label_PreDelayKnob" << 400 << "250" << "RvbPreDelayPos_Room" << 250 << 1;
    QTest::newRow("diffusion down") << "label_ReverbDiffKnob" << -15 << "45" << "RvbDiffPos_Room" << 45 << 3;
    QTest::newRow("diffusion far down") << "label_ReverbDiffKnob" << -90 << "0" << "RvbDiffPos_Room" << 0 << 3;
}

void TstReverbPanel::knobs()
{
    QFETCH(QString, knob);
    QFETCH(int, dy);
    QFETCH(QString, label);
    QFETCH(QString, key);
    QFETCH(int, stored);
    QFETCH(int, field);

    PanelRig rig;
    QVERIFY(rig.click("pB_RevRoom"));
    QVERIFY(rig.drag(knob, dy));
    const QString display = QString(knob).replace("Knob", "Disp");
    QCOMPARE(rig.text(display), label);
    QCOMPARE(rig.unit.settings.readInt("Reverb", key), stored);
    if (key.startsWith("RvbTime"))
        QCOMPARE(rig.unit.settings.readString("Reverb", "RvbTimeValue_Room"), label);
    QCOMPARE(rig.unitReverb()[0], 2);
    QCOMPARE(rig.unitReverb()[static_cast<size_t>(field)], stored);
    // The knob turns to the frame of the new position.
    const KnobScale scales[] = {KnobScale::PreDelay, KnobScale::PreDelay, KnobScale::ReverbTime,
                                KnobScale::Diffusion};
    QVERIFY(sameImage(rig.find<QLabel>(knob)->pixmap(Qt::ReturnByValue),
                      KnobFrames::dial().frame(knobFrame(scales[field], stored))));
    // HALL kept its own values meanwhile.
    QVERIFY(rig.click("pB_RevHall"));
    QCOMPARE(rig.text("label_ReverbTimeDisp"), QStringLiteral("2.7"));
    QCOMPARE(rig.text("label_PreDelayDisp"), QStringLiteral("90"));
    QCOMPARE(rig.text("label_ReverbDiffDisp"), QStringLiteral("20"));
}

void TstReverbPanel::switchOffHoldsKnobs()
{
    PanelRig rig;
    QVERIFY(rig.click("pB_RevStudio"));
    QVERIFY(rig.click("pB_masterReverb"));
    QCOMPARE(rig.find<QAbstractButton>("pB_masterReverb")->isChecked(), false);
    QCOMPARE(rig.unit.settings.readBoolTrue("Reverb", "MasterReverb"), false);
    QCOMPARE(UnitRig::v(rig.unit.unit().returnOn), 0);
    QVERIFY(rig.drag("label_ReverbTimeKnob", 20));
    QVERIFY(rig.click("pB_RevPlate"));
    QVERIFY(rig.click("pB_RevStudio"));
    QCOMPARE(rig.text("label_ReverbTimeDisp"), QStringLiteral("2.4"));
    QCOMPARE(rig.unitReverb(), (std::array<int, 4>{4, 60, 4, 70}));
    QVERIFY(rig.click("pB_masterReverb"));
    QCOMPARE(rig.unitReverb(), (std::array<int, 4>{4, 60, 24, 70}));
    QCOMPARE(UnitRig::v(rig.unit.unit().returnOn), 1);
}

void TstReverbPanel::rateRule_data()
{
    QTest::addColumn<uint>("rate");
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("picture"); // grab of the section, empty for none
    QTest::newRow("48k") << 48000u << true << "reverb-48k.png";
    QTest::newRow("96k") << 96000u << true << QString();
    QTest::newRow("176.4k") << 176400u << false << QString();
    QTest::newRow("192k") << 192000u << false << "reverb-192k.png";
}

void TstReverbPanel::rateRule()
{
    QFETCH(uint, rate);
    QFETCH(bool, available);
    QFETCH(QString, picture);

    PanelRig rig;
    QVERIFY(rig.click("pB_RevLive"));
    QVERIFY(rig.drag("label_PreDelayKnob", 30));
    rig.section.model().setSampleRate(rate);
    QStringList controls{"label_RvbPicture",   "label_PreDelayKnob",   "label_ReverbTimeKnob",
                         "label_ReverbDiffKnob", "label_PreDelayDisp", "label_ReverbTimeDisp",
                         "label_ReverbDiffDisp", "pB_masterReverb",    "label_Reverb"};
    for (const char *b : kTypes)
        controls << QString::fromLatin1(b);
    for (const QString &name : controls)
        QVERIFY2(rig.find(name)->isVisible() == available, qPrintable(name));
    QCOMPARE(rig.find("label_ReverbDisable")->isVisible(), !available);
    QCOMPARE(rig.find<QStackedWidget>("sW_return")->currentIndex(), available ? 1 : 0);
    if (!picture.isEmpty()) {
        // The section in its band, with the master strip's switch and return above it.
        const QImage shot = rig.page->grab(QRect(680, 240, 640, 480)).toImage();
        QVERIFY(shot.save(QDir(grabDir()).filePath(picture)));
    }
    // The unit's lack of a reverb changes nothing stored, and the controls come back as they were.
    rig.section.model().setSampleRate(48000);
    QCOMPARE(rig.text("label_PreDelayDisp"), QStringLiteral("36"));
    QCOMPARE(rig.unit.settings.readInt("Reverb", "RvbPreDelayPos_Live"), 36);
    QCOMPARE(rig.unit.settings.readInt("Reverb", "Mode"), 3);
    QVERIFY(rig.find("label_PreDelayKnob")->isVisible());
    QVERIFY(!rig.find("label_ReverbDisable")->isVisible());
}

void TstReverbPanel::initializeQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Cancel") << int(QMessageBox::Cancel);
    QTest::newRow("OK") << int(QMessageBox::Ok);
}

void TstReverbPanel::initializeQuestion()
{
    QFETCH(int, answer);
    PanelRig rig;
    QAction action(QStringLiteral("Initialize Reverb"));
    action.setEnabled(false);
    rig.section.bindInitializeReverb(&action);
    QVERIFY(action.isEnabled());
    for (const char *type : kTypes) {
        QVERIFY(rig.click(type));
        QVERIFY(rig.drag("label_ReverbTimeKnob", 40));
        QVERIFY(rig.drag("label_PreDelayKnob", -3));
        QVERIFY(rig.drag("label_ReverbDiffKnob", 11));
    }
    QVERIFY(rig.click("pB_RevRoom"));
    rig.unit.settings.sync();
    QFile file(rig.unit.settings.mainFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    QString text;
    bool cancelDefault = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box || !box->isVisible())
                continue;
            text = box->text();
            cancelDefault = box->defaultButton() == box->button(QMessageBox::Cancel);
            QTest::mouseClick(box->button(QMessageBox::StandardButton(answer)), Qt::LeftButton);
            poll.stop();
        }
    });
    poll.start(20);
    action.trigger();
    QVERIFY(!poll.isActive());
    QCOMPARE(text, QStringLiteral("This operation initializes Reverb Parameters.<br>Are you sure?"));
    QVERIFY(cancelDefault);
    rig.unit.settings.sync();
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    if (answer == QMessageBox::Cancel) {
        QCOMPARE(after, before);
        QCOMPARE(rig.text("label_ReverbTimeDisp"), QStringLiteral("5.4"));
        return;
    }
    for (int code = 1; code <= reverb::kTypes; ++code)
        QCOMPARE(rig.section.model().reverb().params(code), reverb::factory(code));
    QCOMPARE(rig.page->findChild<QButtonGroup *>("buttonGroup_Reverb")->checkedId(), 1);
    QCOMPARE(rig.text("label_ReverbTimeDisp"), QStringLiteral("2.7"));
    QCOMPARE(rig.unitReverb(), (std::array<int, 4>{1, 90, 27, 20}));
}

void TstReverbPanel::diagram_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("preDelay");
    QTest::addColumn<int>("time");
    QTest::newRow("on, short") << true << 0 << 10;
    QTest::newRow("on, longer") << true << 0 << 40;
    QTest::newRow("on, longest") << true << 0 << 100;
    QTest::newRow("on, late start") << true << 125 << 40;
    QTest::newRow("off") << false << 60 << 40;
    QTest::newRow("off, longest, late") << false << 250 << 100;
}

void TstReverbPanel::diagram()
{
    QFETCH(bool, on);
    QFETCH(int, preDelay);
    QFETCH(int, time);

    PanelRig rig;
    ReverbModel &rv = rig.section.model().reverb();
    rv.setOn(on);
    rv.setPreDelay(preDelay);
    rv.setTime(time);
    auto *curve = rig.find<DrawReverb>("label_Reverb");
    QCOMPARE(curve->size(), QSize(220, 49));
    const QImage img = curve->grab().toImage();
    const int d = preDelay / 10;
    const int t = 2 * time;
    const QColor drawn = on ? DrawReverb::kActive : DrawReverb::kInactive;
    const QColor other = on ? DrawReverb::kInactive : DrawReverb::kActive;
    for (const int row : {8, 24, 44}) {
        // The decay reaches as far right as its time says, on its slope from (d, 1) to (d + t, 49).
        const RowCount decay = onRow(img, row, drawn);
        // The last pixel wholly inside: the slope's x at the pixel's top edge, plus half the pen, less one.
        const double edge = d + t * (row - 1) / 48.0 - 0.5;
        QVERIFY2(qAbs(decay.last - edge) <= 1.5, qPrintable(QStringLiteral("row %1: decay ends at %2, not %3")
                                                                .arg(row)
                                                                .arg(decay.last)
                                                                .arg(edge)));
        QCOMPARE(onRow(img, row, other).count, 0);
        // Grey before it for the pre-delay, and grey after it up to the longest decay.
        const RowCount grey = onRow(img, row, DrawReverb::kEmpty);
        const double longest = std::min(219.0, d + 200 * (row - 1) / 48.0);
        const double expectGrey = std::max(0.0, d - 1.0) + std::max(0.0, longest - edge - 1.0);
        QVERIFY2(qAbs(grey.count - expectGrey) <= 3, qPrintable(QStringLiteral("row %1: %2 grey, not about %3")
                                                                  .arg(row)
                                                                  .arg(grey.count)
                                                                  .arg(expectGrey)));
    }
}

QTEST_MAIN(TstReverbPanel)
#include "tst_reverbpanel.moc"
