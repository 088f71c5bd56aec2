// The window from the keyboard and through a screen reader's eyes: Tab walks every control of each page
// in reading order, the page shortcuts, keys on faders, knobs and switches in the scales' steps, and the
// names and values a listener hears, in English and Japanese.
#include "confighome.h"
#include "mainmenus.h"
#include "mainwindow.h"
#include "resources.h"
#include "settings.h"
#include "translations.h"
#include "undohistory.h"
#include "windowrig.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QDoubleSpinBox>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

struct Rig : WindowRig {
    Rig()
    {
        // The routing pages are built when first shown.
        for (int page : {2, 3, 1})
            window->pages()->setCurrentIndex(page);
        identify(QStringLiteral("LYNTRA K2"));
        window->show();
        QApplication::setActiveWindow(window.get());
    }
    // What a screen reader hears of `name`: its name and its value.
    QStringList heard(const QString &name) const
    {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(find(name));
        if (!a)
            return {};
        // A label that names the control wins (a selector's own name is its choice).
        QString spoken = a->text(QAccessible::Name);
        for (const auto &label : a->relations(QAccessible::Label))
            spoken = label.first->text(QAccessible::Name);
        return {spoken, a->text(QAccessible::Value)};
    }
    void key(const QString &name, int key)
    {
        QWidget *w = find(name);
        w->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w, Qt::Key(key));
    }
};

bool interactive(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QAbstractSlider *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QComboBox *>(w) ||
           w->inherits("KnobLabel");
}

// Tab from the page's first control round to it again: the object names in the order reached.
QStringList tabChain(QWidget *page)
{
    page->setFocus();
    QStringList chain;
    QWidget *first = nullptr;
    for (int n = 0; n < 2000; ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *w = QApplication::focusWidget();
        if (!w || w == first)
            break;
        if (!first)
            first = w;
        if (page->isAncestorOf(w))
            chain << w->objectName();
    }
    return chain;
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { lyntra_init_resources(); }
    void init()
    {
        // The rows' window stores what they turned: it goes before the next function's starts.
        if (qstrcmp(QTest::currentTestFunction(), "keysTurnInTheScalesSteps") != 0)
            rows_.reset();
        lyntra_test::clear_config_home();
    }

    // Ctrl+1, 2, 3 open the pages; on each, Tab reaches every control that shows, once, the mixer's
    // strip by strip from the left, each from the top, then the editor band.
    void tabReachesEveryControl_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("inOrder");
        QTest::newRow("mixer") << int(Qt::Key_1) << "Mixer"
                               << QStringList{"pB_LinkOn1_2", "pB_Analog1", "pB_Mute1", "vS_FaderKnob1",
                                              "dSB_faderDisplay1", "pB_Phase2", "pB_Mute3", "label_panKnobAdat8",
                                              "label_Send1KnobMaster", "vS_FaderKnobMaster", "label_ThresholdKnob",
                                              "pB_LowCutFilter", "pB_RevHall", "label_ReverbDiffKnob",
                                              "pB_ToInterfaceFromMixer"};
        QTest::newRow("routing") << int(Qt::Key_2) << "Routing_K2"
                                 << QStringList{"cB_LineOut1_K2", "cB_LineOut2_K2", "cB_LineOut3_K2",
                                                "cB_LineOut8_K2", "pB_MoniconEnable"};
        QTest::newRow("interface") << int(Qt::Key_3) << "Interface" << QStringList{};
    }
    void tabReachesEveryControl()
    {
        QFETCH(int, key);
        QFETCH(QString, page);
        QFETCH(QStringList, inOrder);
        Rig rig;
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        QTest::keyClick(rig.window.get(), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(rig.page()->objectName(), page);
        const QStringList chain = tabChain(rig.page());
        for (QWidget *w : rig.page()->findChildren<QWidget *>()) {
            // Tab reaches the chosen one of a set of exclusive buttons; the arrows go through the set.
            const auto *b = qobject_cast<QAbstractButton *>(w);
            const bool exclusive = b && (b->autoExclusive() || (b->group() && b->group()->exclusive()));
            if (interactive(w) && w->isVisibleTo(rig.page()) && w->isEnabled() && (!exclusive || b->isChecked()))
                QVERIFY2(chain.count(w->objectName()) == 1, qPrintable(w->objectName()));
        }
        int last = -1;
        for (const QString &name : inOrder) {
            QVERIFY2(chain.indexOf(name) > last, qPrintable(name));
            last = chain.indexOf(name);
        }
    }

    // Keys aimed at a control move it in its scale's steps (a page is ten) and nothing else; what it
    // then holds is what the screen reader says. One window for the rows: each turns a control of its own.
    void keysTurnInTheScalesSteps_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        using K = QList<int>;
        QTest::newRow("fader up a step") << "vS_FaderKnob3" << K{Qt::Key_Up} << "IN 3 fader" << "plus 0.3 dB";
        QTest::newRow("fader down a page")
            << "vS_FaderKnob5" << K{Qt::Key_PageDown, Qt::Key_Down} << "IN 5 fader" << "minus 3.4 dB";
        QTest::newRow("fader to the bottom") << "vS_FaderKnob6" << K{Qt::Key_Home} << "IN 6 fader"
                                             << "minus infinity";
        QTest::newRow("master fader to the top") << "vS_FaderKnobMaster" << K{Qt::Key_End} << "MASTER fader"
                                                 << "plus 6.0 dB";
        // 27 positions read apart, then 28 and 29 both read -42 dB: 31 steps end at position 32.
        QTest::newRow("send a page and more")
            << "label_Send2Knob5" << K{Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_Up}
            << "IN 5 aux 2 send" << "minus 39 dB";
        QTest::newRow("pan left") << "label_panKnob1" << K{Qt::Key_Left, Qt::Key_Left} << "IN 1 pan" << "left 2";
        QTest::newRow("pan of the even lane to the right end")
            << "label_panKnob4" << K{Qt::Key_End} << "IN 4 pan" << "right 20";
        QTest::newRow("return") << "label_SendKnobReturn" << K{Qt::Key_Right} << "Reverb return" << "minus 98 dB";
        QTest::newRow("return a step up and back to the bottom")
            << "label_SendKnobReturn" << K{Qt::Key_Home, Qt::Key_Right, Qt::Key_Left} << "Reverb return"
            << "minus infinity";
        QTest::newRow("reverb time") << "label_ReverbTimeKnob" << K{Qt::Key_Down, Qt::Key_Down}
                                     << "Reverb time" << "2.5 seconds";
        QTest::newRow("space on a mute") << "pB_Mute3" << K{Qt::Key_Space} << "IN 3 mute" << "on";
        QTest::newRow("space twice on a pre") << "pB_Pre1_3" << K{Qt::Key_Space, Qt::Key_Space}
                                              << "IN 3 aux 1 pre" << "neither pre nor post";
        QTest::newRow("letters change nothing") << "vS_FaderKnob7" << K{Qt::Key_A, Qt::Key_Z} << "IN 7 fader"
                                                << "0.0 dB";
    }
    void keysTurnInTheScalesSteps()
    {
        QFETCH(QString, control);
        QFETCH(QList<int>, keys);
        QFETCH(QString, name);
        QFETCH(QString, value);
        if (!rows_)
            rows_ = std::make_unique<Rig>();
        Rig &rig = *rows_;
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        for (int key : keys)
            rig.key(control, key);
        QCOMPARE(rig.heard(control), (QStringList{name, value}));
    }

    // A burst of keys on one control is one step; Ctrl+Z takes it back, Ctrl+Shift+Z brings it again.
    void keyBurstUndoneByShortcut()
    {
        Rig rig;
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        // A level typed over itself changes nothing: nothing to undo.
        rig.key("dSB_faderDisplay4", Qt::Key_0);
        QTest::keyClick(rig.find("dSB_faderDisplay4"), Qt::Key_Return);
        QCOMPARE(rig.window->history().stack().count(), 0);
        for (int key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_PageUp})
            rig.key("vS_FaderKnob3", key);
        rig.key("pB_Mute3", Qt::Key_Space);
        QCOMPARE(rig.window->history().stack().count(), 2);
        QTest::keyClick(rig.window.get(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(rig.window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rig.heard("vS_FaderKnob3").value(1), QStringLiteral("0.0 dB"));
        QCOMPARE(rig.heard("pB_Mute3").value(1), QStringLiteral("off"));
        QTest::keyClick(rig.window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(rig.heard("vS_FaderKnob3").value(1), QStringLiteral("plus 3.6 dB"));
        QCOMPARE(rig.settings.value(QStringLiteral("Track3"), QStringLiteral("Fader")).toDouble(), 3.6);
        // A pause ends the burst: the next key on the same control is a step of its own.
        rig.key("vS_FaderKnob3", Qt::Key_Up);
        QTest::qWait(UndoHistory::kBurstIdleMs + 100);
        QCoreApplication::processEvents(); // the wait may end before its last turn of the loop
        rig.key("vS_FaderKnob3", Qt::Key_Up);
        QCOMPARE(rig.window->history().stack().index(), 3);
        // So does the focus going elsewhere and back.
        rig.find("vS_FaderKnob4")->setFocus(Qt::TabFocusReason);
        rig.key("vS_FaderKnob3", Qt::Key_Up);
        QCOMPARE(rig.window->history().stack().index(), 4);
        // The monitor dialog holds the keyboard while it is open: Ctrl+Z works there too.
        emit rig.find<QAbstractButton>("pB_MoniconEnable")->released();
        QWidget *monitor = rig.find("MonitorControl")->window();
        QApplication::setActiveWindow(monitor);
        for (int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Down}) {
            rig.key("vS_mcStereo", key);
            // Back where it began, with the right side it also sets: nothing to undo.
            QCOMPARE(rig.window->history().stack().count(), key == Qt::Key_Up ? 4 : 5);
        }
        QTest::keyClick(monitor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rig.heard("vS_mcStereo").value(1), QStringLiteral("0.0 dB"));
    }

    // A representative table of what a listener hears, in both languages; typed values and the
    // editor's knobs included.
    void namesAndValues_data()
    {
        QTest::addColumn<bool>("japanese");
        QTest::newRow("en") << false;
        QTest::newRow("ja") << true;
    }
    void namesAndValues()
    {
        QFETCH(bool, japanese);
        static const QList<std::tuple<const char *, QStringList, QStringList>> rows = {
            {"dSB_faderDisplay3", {"IN 3 fader", "-12.5"}, {"IN 3 フェーダー", "-12.5"}},
            {"vS_FaderKnob3", {"IN 3 fader", "minus 12.5 dB"}, {"IN 3 フェーダー", "マイナス 12.5 dB"}},
            {"pB_Mute3", {"IN 3 mute", "off"}, {"IN 3 ミュート", "オフ"}},
            {"lineEdit_ch3", {"IN 3 channel name", ""}, {"IN 3 チャンネル名", ""}},
            {"pB_Phase1_2_R", {"IN 1-2 phase right", "off"}, {"IN 1-2 位相 右", "オフ"}},
            {"pB_LinkOn1_2", {"IN 1-2 link", "off"}, {"IN 1-2 リンク", "オフ"}},
            {"pB_Adat3", {"OPT 3 edit", "off"}, {"OPT 3 編集", "オフ"}},
            {"label_panKnobSP1", {"S/PDIF L pan", "centre"}, {"S/PDIF L パン", "センター"}},
            {"label_Send4KnobMaster", {"MASTER aux 4 send", "0 dB"}, {"MASTER AUX 4 センド", "0 dB"}},
            {"label_RatioKnob", {"compressor ratio", "1.0 to 1"}, {"コンプレッサー レシオ", "1.0 対 1"}},
            {"pB_RevRoom", {"Reverb type ROOM", "off"}, {"リバーブタイプ ROOM", "オフ"}},
            {"label_PreDelayKnob", {"Reverb pre-delay", "90 milliseconds"}, {"リバーブ プリディレイ", "90 ミリ秒"}},
            {"cB_LineOut2_K2", {"LINE OUT 2", "MASTER R"}, {"LINE OUT 2", "MASTER R"}},
            {"vS_mcStereo", {"LINE OUT 1-2 monitor level", "0.0 dB"}, {"LINE OUT 1-2 モニターレベル", "0.0 dB"}},
            {"vS_mcMono2", {"LINE OUT 2 monitor level", "0.0 dB"}, {"LINE OUT 2 モニターレベル", "0.0 dB"}},
            {"cB_mcSourceR", {"RIGHT", "MASTER R"}, {"RIGHT", "MASTER R"}},
        };
        installTranslations(*qApp, QLocale(japanese ? "ja_JP" : "en_GB"));
        const auto uninstall = qScopeGuard([] { qDeleteAll(qApp->findChildren<QTranslator *>()); });
        Rig rig;
        emit rig.find<QAbstractButton>("pB_MoniconEnable")->released(); // the monitor dialog, built on first use
        auto *box = rig.find<QDoubleSpinBox>("dSB_faderDisplay3");
        box->setFocus();
        box->setValue(-12.5);
        emit box->editingFinished();
        for (const auto &[control, english, ja] : rows)
            QCOMPARE(rig.heard(control), japanese ? ja : english);
        // A switch says whether it is on, and the reader's action turns it as a click does.
        QAccessibleInterface *mute = QAccessible::queryAccessibleInterface(rig.find("pB_Mute5"));
        QVERIFY(mute->state().checkable && !mute->state().checked);
        mute->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(mute->state().checked && rig.settings.value(QStringLiteral("Track5"), QStringLiteral("Mute")).toBool());
        // Other actions stay the widget's own: the reader moves the focus to the switch, which stays on.
        mute->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
        QVERIFY(rig.window->focusWidget() == rig.find("pB_Mute5") && mute->state().checked);
    }

    // Alt and a menu's letter open it, in either language.
    void menusOpenWithAltAndALetter_data() { namesAndValues_data(); }
    void menusOpenWithAltAndALetter()
    {
        QFETCH(bool, japanese);
        installTranslations(*qApp, QLocale(japanese ? "ja_JP" : "en_GB"));
        const auto uninstall = qScopeGuard([] { qDeleteAll(qApp->findChildren<QTranslator *>()); });
        Rig rig;
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        for (const auto &[letter, menu] : {std::pair{Qt::Key_V, "menuView"}, {Qt::Key_E, "menuEdit"},
                                           {Qt::Key_S, "menuSceneMemory"}, {Qt::Key_H, "menuHelp"}}) {
            QTest::keyClick(rig.window.get(), letter, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QCOMPARE(QApplication::activePopupWidget()->objectName(), QLatin1String(menu));
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            // The window system gives the window back its activation; the offscreen one does not.
            QApplication::setActiveWindow(rig.window.get());
        }
    }

    // Every control of the mixer and routing pages and the monitor dialog a Tab reaches has a name, and
    // one with a value says it.
    void everyControlNamed()
    {
        Rig rig;
        emit rig.find<QAbstractButton>("pB_MoniconEnable")->released(); // the monitor dialog, built on first use
        QList<QWidget *> controls;
        for (const char *page : {"mixerPage", "Routing_K1", "Routing_K2", "MonitorControl"})
            controls << rig.find(QLatin1String(page))->findChildren<QWidget *>();
        QVERIFY(controls.size() > 500);
        for (QWidget *w : controls) {
            if (!interactive(w) || !(w->focusPolicy() & Qt::TabFocus))
                continue;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
            const auto *b = qobject_cast<const QAbstractButton *>(w);
            if (!b || b->isCheckable())
                QVERIFY2(!a->text(QAccessible::Value).isEmpty(), qPrintable(w->objectName()));
        }
    }

    // A control the keyboard reaches looks different while it has the focus: the user must see where
    // the next key goes.
    void everyControlShowsFocus()
    {
        Rig rig;
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        // What a Tab press sets: styles mark the focus only for a user who moves it with the keyboard.
        rig.window->setAttribute(Qt::WA_KeyboardFocusChange);
        QStringList unmarked;
        auto check = [&](QWidget *top) {
            for (QWidget *w : top->findChildren<QWidget *>()) {
                if (!interactive(w) || !(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || !w->isEnabled())
                    continue;
                w->clearFocus();
                const QImage before = w->grab().toImage();
                w->setFocus(Qt::TabFocusReason);
                if (w->grab().toImage() == before)
                    unmarked << w->objectName();
            }
        };
        for (int page : {1, 2, 3, 0}) {
            rig.window->pages()->setCurrentIndex(page);
            check(rig.page());
        }
        emit rig.find<QAbstractButton>("pB_MoniconEnable")->released();
        QWidget *monitor = rig.find("MonitorControl")->window();
        QApplication::setActiveWindow(monitor);
        QVERIFY(QTest::qWaitForWindowActive(monitor));
        monitor->setAttribute(Qt::WA_KeyboardFocusChange);
        check(monitor);
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(' ')));
    }

    // A click into a level box or a channel name and typing replace what it showed.
    void clickThenTypeReplaces()
    {
        Rig rig;
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        for (const auto &[field, typed, shown] : {std::tuple{"dSB_faderDisplay4", "-5", "-5.0"}, {"lineEdit_ch4", "Bass", "Bass"}}) {
            QLineEdit *text = qobject_cast<QLineEdit *>(rig.find(field));
            if (!text)
                text = rig.find(field)->findChild<QLineEdit *>();
            QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(3, text->height() / 2));
            QTRY_COMPARE(text->selectedText(), text->text());
            QTest::keyClicks(QApplication::focusWidget(), QLatin1String(typed));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(text->text(), QLatin1String(shown));
        }
        QCOMPARE(rig.settings.value(QStringLiteral("Track4"), QStringLiteral("Fader")).toDouble(), -5.0);
    }

    // In an open source list the row the arrows reach is lit in the panel's amber, not the desktop's
    // selection colour, so Return takes what the user sees.
    void sourceListShowsTheRowReached()
    {
        Rig rig;
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        auto *combo = rig.find<QComboBox>("cB_LineOut3_K2");
        combo->showPopup();
        QAbstractItemView *list = combo->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        QTest::keyClick(list, Qt::Key_Down);
        const QModelIndex reached = list->currentIndex();
        QCOMPARE(reached.row(), combo->currentIndex() + 1);
        const QImage shown = list->viewport()->grab().toImage();
        auto shade = [&](int row) {
            const QRect r = list->visualRect(reached.sibling(row, 0));
            return QColor(shown.pixel(r.right() - 4, r.center().y()));
        };
        const QColor lit = shade(reached.row()), plain = shade(reached.row() - 1);
        QVERIFY2(lit == QColor(0xffaa00) && plain != lit, qPrintable(lit.name() + " " + plain.name()));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(combo->currentIndex(), reached.row());
    }

private:
    std::unique_ptr<Rig> rows_; // the window of keysTurnInTheScalesSteps
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
