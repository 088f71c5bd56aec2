// The four pages of the window and the buttons that move between them. The mixer and routing pages
// need the unit (or the Shift key held) when entered from the interface page.
#pragma once

#include <QObject>

#include <functional>

class QStackedWidget;
class QWidget;

class PageNavigator : public QObject {
    Q_OBJECT

public:
    enum Page { Mixer = 0, Interface = 1, RoutingK1 = 2, RoutingK2 = 3 };

    struct Hooks {
        std::function<bool()> unitPresent; // the device object's is_selected() answer
        std::function<bool()> shiftHeld;
        std::function<bool()> smallModel;
        std::function<void(int)> storePage; // records the index shown
    };

    // `stack`: the page container, not owned, must outlive this object. Every hook must be set.
    // GUI thread.
    PageNavigator(QStackedWidget *stack, Hooks hooks, QObject *parent = nullptr);

    // Connects the navigation buttons found by object name under `root` (pB_ToMixerFromInterface ...);
    // safe to call again after a page was replaced. Returns how many buttons were found.
    int bindButtons(QWidget *root);

    // Shows `page` and stores its index.
    void show(Page page);

public slots:
    void toMixer();
    void toInterface();
    void toRouting();
    // From the interface page: refused with a warning box while no unit is present and Shift is up.
    void toMixerFromInterface();
    void toRoutingFromInterface();
    // The View menu's page entries: the way the page buttons of the page shown would go.
    void goToMixer();
    void goToRouting();

signals:
    // The interface page was chosen by a button: its buffer-size display wants refreshing.
    void interfaceChosen();

private:
    bool mayLeaveInterface();

    QStackedWidget *stack_;
    Hooks hooks_;
};
