// The reverb through its real controls on the mixer section's page, against the in-process unit: what
// each gesture stores and sends (and in which order), the stored mode at load, the sample-rate rule,
// and "Initialize Reverb" answered on the real message box. The diagram is drawn in the picture test.
#include "mixersection.h"
#include "mixerrig.h"
#include "shownboxes.h"
#include "undohistory.h"

#include <QAction>
#include <QButtonGroup>
#include <QMessageBox>
#include <QPushButton>

using namespace mixer;
using Held = std::array<int, 6>; // type, pre-delay, time, diffusion, return on, return level
using L = QStringList;

namespace {

const L kTypes{"pB_RevHall", "pB_RevRoom", "pB_RevLive", "pB_RevStudio", "pB_RevPlate"};
const L kKnobs{"label_PreDelayKnob", "label_ReverbTimeKnob", "label_ReverbDiffKnob"};

struct Rig {
    bool art = (lyntra_init_resources(), true);
    UnitRig unit;
    MixerSection section{unit.dev, unit.settings};
    std::unique_ptr<QWidget> page{section.page()};
    L sent; // "reverb" and "return", in the order they leave for the unit

    Rig()
    {
        page->show();
        QObject::connect(&unit.dev, &QIXDevice::sig_ix_send, page.get(), [this](QByteArray b) {
            ixmsg_buf buf;
            ixmsg_init(&buf, reinterpret_cast<uint8_t *>(b.data()), uint8_t(b.size()));
            for (uint8_t id = 0; ixmsg_get(&buf, &id, nullptr, nullptr, nullptr, nullptr) == 0;)
                if (id == IXMSG_ID_REVERB || id == IXMSG_ID_RETURN_ON)
                    sent << (id == IXMSG_ID_REVERB ? "reverb" : "return");
        });
    }
    template <typename W = QWidget> W *at(const QString &name) const { return page->findChild<W *>(name); }
    L shown() const
    {
        return {at<QLabel>("label_PreDelayDisp")->text(), at<QLabel>("label_ReverbTimeDisp")->text(),
                at<QLabel>("label_ReverbDiffDisp")->text()};
    }
    bool press(const QString &name)
    {
        QWidget *w = at(name);
        if (w)
            QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        return w;
    }
    bool turn(const QString &knob, int up)
    {
        QWidget *w = at(knob);
        if (w)
            PageRig::drag(w, QPointF(9, 9), {QPointF(0, -up / 2), QPointF(0, up / 2 - up)});
        return w;
    }
    Held held()
    {
        const auto &m = unit.unit();
        return {UnitRig::v(m.reverbType), UnitRig::v(m.reverbPredelay), UnitRig::v(m.reverbTime),
                UnitRig::v(m.reverbDiff), UnitRig::v(m.returnOn),       UnitRig::v(m.returnLevel)};
    }
    QByteArray file()
    {
        unit.settings.sync();
        QFile f(unit.settings.mainFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

class TstReverb : public QObject {
    Q_OBJECT
private slots:
    void typesAndKnobs_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<L>("factory"); // pre-delay, time, diffusion as shown
        QTest::addColumn<int>("knob");  // 0 pre-delay, 1 time, 2 diffusion
        QTest::addColumn<int>("up");
        QTest::addColumn<L>("shown");
        QTest::newRow("HALL time up") << 1 << L{"90", "2.7", "20"} << 1 << 13 << L{"90", "4.0", "20"};
        QTest::newRow("ROOM time floor") << 2 << L{"25", "1.4", "60"} << 1 << -80 << L{"25", "0.1", "60"};
        QTest::newRow("LIVE time ceiling") << 3 << L{"6", "2.6", "50"} << 1 << 300 << L{"6", "10.0", "50"};
        QTest::newRow("STUDIO pre-delay ceiling")
            << 4 << L{"60", "0.4", "70"} << 0 << 400 << L{"250", "0.4", "70"};
        QTest::newRow("PLATE pre-delay floor")
            << 5 << L{"42", "2.7", "50"} << 0 << -50 << L{"0", "2.7", "50"};
        QTest::newRow("ROOM diffusion floor") << 2 << L{"25", "1.4", "60"} << 2 << -90 << L{"25", "1.4", "0"};
        QTest::newRow("LIVE diffusion ceiling")
            << 3 << L{"6", "2.6", "50"} << 2 << 90 << L{"6", "2.6", "100"};
    }
    void typesAndKnobs()
    {
        QFETCH(int, code);
        QFETCH(L, factory);
        QFETCH(int, knob);
        QFETCH(int, up);
        QFETCH(L, shown);
        Rig rig;
        const auto onUnit = [](int c, const L &p) {
            return Held{c, p[0].toInt(), qRound(p[1].toDouble() * 10), p[2].toInt(), 1, -127};
        };
        QVERIFY(rig.press(kTypes[code % 5]) && rig.press(kTypes[code - 1]));
        QCOMPARE(rig.at<QButtonGroup>("buttonGroup_Reverb")->checkedId(), code);
        QCOMPARE(rig.unit.settings.value(settings::key::ReverbMode), code);
        QCOMPARE(rig.shown(), factory);
        QCOMPARE(rig.held(), onUnit(code, factory));

        QVERIFY(rig.turn(kKnobs[knob], up));
        QCOMPARE(rig.shown(), shown);
        QCOMPARE(rig.held(), onUnit(code, shown));
        QCOMPARE(rig.unit.settings.value(settings::key::rvbTimeValue(code)), knob == 1 ? shown[1] : QString());
        // Another type shows its own values, and coming back brings these again from the store.
        QVERIFY(rig.press(kTypes[code % 5]) && rig.shown() != shown && rig.press(kTypes[code - 1]));
        QCOMPARE(rig.shown(), shown);
        QCOMPARE(rig.held(), onUnit(code, shown));
    }

    // A knob's turn undone after the type was changed elsewhere (a remote client) goes back to the type
    // it was made in, which leaves the other type's values alone.
    void undoReturnsToTheKnobsType()
    {
        Rig rig;
        UndoHistory history(rig.section.controls(), rig.unit.settings);
        QVERIFY(rig.press(kTypes[0]) && rig.turn(kKnobs[0], 20));
        rig.section.model().reverb().selectType(2);
        const L room = rig.shown();
        history.stack().undo();
        QCOMPARE(rig.held()[0], 1);
        QCOMPARE(rig.shown(), (L{"90", "2.7", "20"}));
        QVERIFY(rig.press(kTypes[1]));
        QCOMPARE(rig.shown(), room);
    }

    void switchOffHoldsTheUnit()
    {
        Rig rig;
        rig.section.model().setSendLevel(masterRef(), 0, 90);
        QVERIFY(rig.press("pB_RevStudio"));
        rig.unit.flush();
        rig.sent.clear();
        QVERIFY(rig.press("pB_masterReverb"));
        QCOMPARE(rig.unit.settings.value(settings::key::MasterReverb), false);
        QVERIFY(rig.turn("label_ReverbTimeKnob", 20) && rig.press("pB_RevPlate") &&
                rig.press("pB_RevStudio"));
        QCOMPARE(rig.shown(), (L{"60", "2.4", "70"}));
        QCOMPARE(rig.held(), (Held{4, 60, 4, 70, 0, -4}));
        QCOMPARE(rig.sent, L{"return"});
        // The unit is ready, so the first command leaves alone: the type must go before the return.
        QVERIFY(rig.press("pB_masterReverb"));
        QCOMPARE(rig.held(), (Held{4, 60, 24, 70, 1, -4}));
        QCOMPARE(rig.sent, (L{"return", "reverb", "return"}));
    }

    void load_data()
    {
        QTest::addColumn<QString>("mode"); // as written in the file, empty for none
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("type");
        QTest::newRow("none is HALL") << QString() << true << 1;
        QTest::newRow("0 is PLATE") << "0" << true << 5;
        QTest::newRow("6 is PLATE") << "6" << true << 5;
        QTest::newRow("365 means none") << "365" << true << 1;
        QTest::newRow("off sends only the return") << "3" << false << 3;
    }
    void load()
    {
        QFETCH(QString, mode);
        QFETCH(bool, on);
        QFETCH(int, type);
        Rig rig;
        if (!mode.isEmpty())
            rig.unit.settings.writeValue("Reverb", "Mode", mode);
        rig.unit.settings.setValue(settings::key::MasterReverb, on);
        rig.unit.settings.setValue(settings::key::rvbPreDelayPos(type), 77);
        const QByteArray before = rig.file();
        rig.section.model().loadAll();
        QCOMPARE(rig.at<QButtonGroup>("buttonGroup_Reverb")->checkedId(), type);
        QCOMPARE(rig.shown()[0], QStringLiteral("77"));
        QCOMPARE(rig.at<QAbstractButton>("pB_masterReverb")->isChecked(), on);
        QCOMPARE(rig.held()[0], on ? type : -1000);
        QCOMPARE(rig.held()[1], on ? 77 : -1000);
        QCOMPARE(rig.sent, (on ? L{"reverb", "return"} : L{"return"}));
        QCOMPARE(rig.file(), before);
    }

    // Which controls a rate without a reverb hides is drawn in the picture test (mixer-k2-192k).
    void rateRule()
    {
        for (const int rateClass : {4, 1}) {
            Rig rig;
            QVERIFY(rig.press("pB_RevLive") && rig.turn("label_PreDelayKnob", 30));
            const QByteArray before = rig.file();
            rig.section.model().setRateClass(rateClass);
            const bool available = rateClass == 1;
            QCOMPARE(rig.at("label_PreDelayKnob")->isVisible(), available);
            // Back to a rate with a reverb: nothing was lost or written meanwhile.
            rig.section.model().setRateClass(rateClass == 1 ? 2 : 1);
            QVERIFY(rig.at("label_PreDelayKnob")->isVisible() && !rig.at("label_ReverbDisable")->isVisible());
            QCOMPARE(rig.shown()[0], QStringLiteral("36"));
            QCOMPARE(rig.file(), before);
        }
    }

    // "Initialize Reverb" after every type was changed, answered on the real box.
    void initializeQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("cancelled") << int(QMessageBox::Cancel);
        QTest::newRow("confirmed") << int(QMessageBox::Ok);
    }
    void initializeQuestion()
    {
        QFETCH(int, answer);
        Rig rig;
        QAction action(QStringLiteral("Initialize Reverb"));
        action.setEnabled(false);
        UndoHistory history(rig.section.controls(), rig.unit.settings);
        rig.section.bindInitializeReverb(&action, history);
        QVERIFY(action.isEnabled());
        for (const QString &type : kTypes)
            QVERIFY(rig.press(type) && rig.turn(kKnobs[0], -5) && rig.turn(kKnobs[1], 40) &&
                    rig.turn(kKnobs[2], 3));
        QVERIFY(rig.press("pB_RevRoom"));
        const QByteArray before = rig.file();
        action.trigger();
        const QList<QMessageBox *> asked = lyntra_test::shown_boxes("AVENOR LYNTRA Settings Panel");
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first()->text(), QStringLiteral("This operation initializes Reverb Parameters.<br>Are you sure?"));
        QCOMPARE(asked.first()->defaultButton(), asked.first()->button(QMessageBox::Cancel));
        QTest::mouseClick(asked.first()->button(QMessageBox::StandardButton(answer)), Qt::LeftButton);
        if (answer == QMessageBox::Cancel) {
            QCOMPARE(rig.file(), before);
            return;
        }
        QCOMPARE(history.stack().undoText(), QStringLiteral("Initialize Reverb"));
        QCOMPARE(rig.at<QButtonGroup>("buttonGroup_Reverb")->checkedId(), 1);
        QCOMPARE(rig.shown(), (L{"90", "2.7", "20"}));
        QCOMPARE(rig.held(), (Held{1, 90, 27, 20, 1, -127}));
    }
};

QTEST_MAIN(TstReverb)
#include "tst_reverb.moc"
