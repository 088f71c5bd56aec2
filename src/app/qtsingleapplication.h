// The application object of a program of which one copy runs per login session and executable.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

class QtLocalPeer;

// Usage: construct, ask isRunning(); a second instance hands its message over with sendMessage() and
// quits, the first shows its window, names it with setActivationWindow() and runs the event loop.
// GUI thread only.
class QtSingleApplication : public QApplication {
    Q_OBJECT
public:
    // `argc`, `argv`: as for QApplication (kept by reference, must outlive the object).
    QtSingleApplication(int &argc, char **argv);

    // True when another instance of this executable runs in this session. The first call that finds
    // none makes this process the first instance for the rest of its life.
    bool isRunning();

    // `window`: not owned; forgotten if it is destroyed. Brought to the front whenever a message arrives.
    void setActivationWindow(QWidget *window);

public slots:
    // See QtLocalPeer::sendMessage: true only when the running instance acknowledged `message`.
    bool sendMessage(const QString &message, int timeout = 5000);
    // Un-minimises the activation window (other state bits kept), raises it and gives it the focus.
    void activateWindow();

signals:
    void messageReceived(const QString &message);

private:
    QtLocalPeer *m_peer = nullptr;
    QPointer<QWidget> m_window;
};
