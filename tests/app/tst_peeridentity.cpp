#include "peeridentity.h"
#include "qtlocalpeer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <unistd.h>

namespace {

// Table-driven X.25 CRC built straight from its definition, independent of the bitwise code under test.
quint16 referenceCrc(const QByteArray &data)
{
    static const std::array<quint16, 256> table = [] {
        std::array<quint16, 256> t{};
        for (unsigned n = 0; n < 256; ++n) {
            unsigned r = n;
            for (int k = 0; k < 8; ++k)
                r = (r & 1) ? (r >> 1) ^ 0x8408u : r >> 1;
            t[n] = static_cast<quint16>(r);
        }
        return t;
    }();
    quint16 crc = 0xFFFF;
    for (const char c : data)
        crc = static_cast<quint16>((crc >> 8) ^ table[(crc ^ static_cast<quint8>(c)) & 0xFF]);
    return static_cast<quint16>(crc ^ 0xFFFF);
}

QString uidSuffix()
{
    return QLatin1Char('-') + QString::number(static_cast<qulonglong>(::getuid()), 16);
}

} // namespace

class TestPeerIdentity : public QObject {
    Q_OBJECT
private slots:
    void checksum_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("expected"); // -1: compare with the reference table
        QTest::newRow("standard check value") << QByteArray("123456789") << 0x906E;
        QTest::newRow("nothing") << QByteArray() << 0x0000;
        QTest::newRow("one byte") << QByteArray("a") << -1;
        QByteArray every(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            every[i] = static_cast<char>(i);
        QTest::newRow("every byte value") << every << -1;
        QTest::newRow("utf-8 path") << QStringLiteral("/opt/größe/app").toUtf8() << -1;
    }
    void checksum()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, expected);
        const quint16 want = expected < 0 ? referenceCrc(data) : static_cast<quint16>(expected);
        QCOMPARE(referenceCrc(data), want);
        QCOMPARE(PeerIdentity::checksum(data), want);
    }

    void socketName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("fixed"); // a name worked out by hand, when given
        QTest::newRow("letters cut to six") << "/usr/bin/LYNTRA-Panel"
                                            << "lyntra"
                                            << "";
        QTest::newRow("fewer letters than six") << "/opt/größe/App"
                                                << "app"
                                                << "";
        QTest::newRow("no letters") << "/home/u/x/12345"
                                    << ""
                                    << "";
        QTest::newRow("non-ascii letters dropped") << "/x/Größe"
                                                   << "gre"
                                                   << "";
        QTest::newRow("no leading zeros") << "/opt/lyntra/bin/panel355"
                                          << "panel"
                                          << "qtsingleapp-panel-52-s";
        QTest::newRow("two hex digits") << "/opt/lyntra/bin/panel799"
                                        << "panel"
                                        << "qtsingleapp-panel-ff-s";
        QTest::newRow("slash only") << "/"
                                    << ""
                                    << "";
    }
    void socketName()
    {
        QFETCH(QString, path);
        QFETCH(QString, prefix);
        QFETCH(QString, fixed);
        const QString id = PeerIdentity::instanceId(path);
        QCOMPARE(id, path.toLower());
        const QString name = PeerIdentity::socketName(id, QStringLiteral("-s"));
        QCOMPARE(name,
                 QStringLiteral("qtsingleapp-%1-%2-s").arg(prefix).arg(referenceCrc(id.toUtf8()), 0, 16));
        if (!fixed.isEmpty())
            QCOMPARE(name, fixed);
    }

    void sessionSuffix_data()
    {
        QTest::addColumn<bool>("set");
        QTest::addColumn<QByteArray>("session");
        QTest::addColumn<QString>("expected"); // empty: the user id
        QTest::newRow("unset") << false << QByteArray() << "";
        QTest::newRow("empty") << true << QByteArray() << "";
        QTest::newRow("decimal becomes hex") << true << QByteArray("42") << "-2a";
        QTest::newRow("blanks around") << true << QByteArray(" 7 ") << "-7";
        QTest::newRow("logind letters") << true << QByteArray("C2") << "-c2";
        QTest::newRow("path characters dropped") << true << QByteArray("../x/1") << "-x1";
        QTest::newRow("nothing usable") << true << QByteArray("///") << "";
    }
    void sessionSuffix()
    {
        QFETCH(bool, set);
        QFETCH(QByteArray, session);
        QFETCH(QString, expected);
        const QByteArray saved = qgetenv("XDG_SESSION_ID");
        const bool wasSet = qEnvironmentVariableIsSet("XDG_SESSION_ID");
        if (set)
            qputenv("XDG_SESSION_ID", session);
        else
            qunsetenv("XDG_SESSION_ID");
        const QString suffix = PeerIdentity::sessionSuffix();
        if (wasSet)
            qputenv("XDG_SESSION_ID", saved);
        else
            qunsetenv("XDG_SESSION_ID");
        QCOMPARE(suffix, expected.isEmpty() ? uidSuffix() : expected);
    }

    void lockFilePath_data()
    {
        QTest::addColumn<QString>("tmpdir"); // relative to a fresh directory
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "%1"
                               << "%1/qtsingleapp-x-1-lockfile";
        QTest::newRow("trailing slash") << "%1/"
                                        << "%1/qtsingleapp-x-1-lockfile";
        QTest::newRow("dot segments") << "%1/sub/.."
                                      << "%1/qtsingleapp-x-1-lockfile";
    }
    void lockFilePath()
    {
        QFETCH(QString, tmpdir);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const QByteArray saved = qgetenv("TMPDIR");
        qputenv("TMPDIR", tmpdir.arg(dir.path()).toUtf8());
        const QString path = PeerIdentity::lockFilePath(QStringLiteral("qtsingleapp-x-1"));
        qputenv("TMPDIR", saved);
        QCOMPARE(path, expected.arg(dir.path()));
    }

    // The peer puts the pieces together for the running executable and creates the lock file.
    void peerUsesExecutableIdentity()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QByteArray saved = qgetenv("TMPDIR");
        qputenv("TMPDIR", tmp.path().toUtf8());
        QtLocalPeer peer;
        qputenv("TMPDIR", saved);
        const QString id = QCoreApplication::applicationFilePath().toLower();
        QCOMPARE(peer.applicationId(), id);
        QCOMPARE(peer.socketName(),
                 QStringLiteral("qtsingleapp-tstpee-%1").arg(referenceCrc(id.toUtf8()), 0, 16) +
                     uidOrSession());
        QCOMPARE(peer.lockFileName(), tmp.path() + '/' + peer.socketName() + "-lockfile");
        QVERIFY(QFileInfo::exists(peer.lockFileName()));
    }

private:
    static QString uidOrSession() { return PeerIdentity::sessionSuffix(); }
};

QTEST_GUILESS_MAIN(TestPeerIdentity)
#include "tst_peeridentity.moc"
