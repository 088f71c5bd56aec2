#include "qtsingleapplication.h"

#include "qtlocalpeer.h"

#include <QWidget>

QtSingleApplication::QtSingleApplication(int &argc, char **argv)
    : QApplication(argc, argv), m_peer(new QtLocalPeer(this))
{
    connect(m_peer, &QtLocalPeer::messageReceived, this, &QtSingleApplication::messageReceived);
}

bool QtSingleApplication::isRunning()
{
    return m_peer->isClient();
}

bool QtSingleApplication::sendMessage(const QString &message, int timeout)
{
    return m_peer->sendMessage(message, timeout);
}

void QtSingleApplication::setActivationWindow(QWidget *window)
{
    m_window = window;
    connect(this, &QtSingleApplication::messageReceived, this, &QtSingleApplication::activateWindow,
            Qt::UniqueConnection);
}

void QtSingleApplication::activateWindow()
{
    if (!m_window)
        return;
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->raise();
    m_window->activateWindow();
}
