// The local peer of the single-instance guard: what the first instance accepts from a second one (it never
// waits for a peer), and the name it listens on. The real panel's hand-over is tst_panel_e2e's.
#include "datarow.h"
#include "peeridentity.h"
#include "qtlocalpeer.h"
#include "virtualunit.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QtTest>

namespace {

using lyntra_test::kPatienceMs;
using Pieces = QList<QByteArray>;

QByteArray frame(const QByteArray &body)
{
    const quint32 n = quint32(body.size());
    return QByteArray(1, char(n >> 24)) + char(n >> 16) + char(n >> 8) + char(n) + body;
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void receive_data()
    {
        QTest::addColumn<Pieces>("pieces");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<QString>("text"); // null: nothing delivered
        const QString utf = QStringLiteral("Grüße ✓\nzwei");
        row("whole frame", Pieces{frame("hello")}, 0, "hello");
        row("in pieces", Pieces{QByteArray(2, '\0'), QByteArray("\0\5he", 4), "llo"}, 150, "hello");
        row("utf-8 text", Pieces{frame(utf.toUtf8())}, 0, utf);
        row("empty text", Pieces{frame("")}, 0, "");
        row("connects and closes", Pieces{}, 0, QString());
        row("closes inside length", Pieces{QByteArray(2, '\0')}, 0, QString());
        row("closes inside body", Pieces{frame("hello").left(6)}, 0, QString());
        row("too long", Pieces{QByteArray("\xff\xff\xff\xffxyz")}, 0, QString());
    }
    void receive()
    {
        QFETCH(Pieces, pieces);
        QFETCH(int, pauseMs);
        QFETCH(QString, text);
        QtLocalPeer peer(nullptr, QStringLiteral("/test/receiver"));
        QVERIFY(!peer.isClient());
        QSignalSpy spy(&peer, &QtLocalPeer::messageReceived);
        if (text.isNull())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^QtLocalPeer: Message reception failed"));
        // The peer serves from this thread's event loop, which keeps running while the client writes.
        QLocalSocket client, next;
        client.connectToServer(peer.socketPath());
        QVERIFY(client.waitForConnected(kPatienceMs));
        for (const QByteArray &piece : pieces) {
            client.write(piece);
            QTest::qWait(pauseMs);
        }
        QVERIFY(text.isNull() || lyntra_test::wait_until([&] { return client.bytesAvailable() >= 3; }));
        QCOMPARE(client.readAll(), text.isNull() ? QByteArray() : QByteArray("ack"));
        client.abort();
        QVERIFY(lyntra_test::wait_until([&] { return peer.findChildren<QLocalSocket *>().isEmpty(); }));
        QCOMPARE(spy.count(), text.isNull() ? 0 : 1);
        if (!text.isNull())
            QCOMPARE(spy.at(0).at(0).toString(), text);
        // Whatever came before, the next sender is still served.
        next.connectToServer(peer.socketPath());
        QVERIFY(next.waitForConnected(kPatienceMs));
        next.write(frame("next"));
        QVERIFY(lyntra_test::wait_until([&] { return spy.count() == (text.isNull() ? 1 : 2); }));
        QCOMPARE(spy.last().at(0).toString(), QStringLiteral("next"));
    }

    // Every version of the panel must name its socket alike, or a second start after an update runs
    // beside the first: the X.25 CRC's standard check value, and a name built from it.
    void socketName()
    {
        QCOMPARE(PeerIdentity::checksum("123456789"), quint16(0x906E));
        QCOMPARE(PeerIdentity::socketName(QStringLiteral("/usr/bin/lyntra-panel"), QStringLiteral("-1")),
                 QStringLiteral("qtsingleapp-lyntra-23eb-1"));
        qputenv("XDG_SESSION_ID", "26"); // the session in lower-case hexadecimal
        QCOMPARE(PeerIdentity::sessionSuffix(), QStringLiteral("-1a"));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
