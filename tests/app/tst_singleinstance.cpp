// Real processes of the helper program: lock exclusivity, identity, and a second start reaching the first.
#include "qtlockedfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(QtLockedFile::LockMode)

namespace {

using Process = std::unique_ptr<QProcess>;

// Reads lines until one starts with `prefix`; returns it, or an empty array after `ms`.
QByteArray awaitLine(QProcess &p, const QByteArray &prefix, int ms = 10000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        while (p.canReadLine()) {
            const QByteArray line = p.readLine().trimmed();
            if (line.startsWith(prefix))
                return line;
        }
        if (p.state() == QProcess::NotRunning && !p.canReadLine())
            return QByteArray();
        p.waitForReadyRead(100);
    }
    return QByteArray();
}

void stop(QProcess &p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.write("quit\n");
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(5000);
    }
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        m_probe = QCoreApplication::applicationDirPath() + QStringLiteral("/lyntra-single-probe");
        QVERIFY2(QFileInfo::exists(m_probe), qPrintable(m_probe));
        // Children inherit this: their lock files and sockets stay in our own directory.
        qputenv("TMPDIR", m_tmp.path().toUtf8());
        qputenv("XDG_SESSION_ID", "5");
    }

    // The lock between processes, and its release when the holder dies without unlocking.
    void lockBetweenProcesses_data()
    {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QtLockedFile::LockMode>("wanted");
        QTest::addColumn<bool>("granted");
        QTest::newRow("read, read") << "read" << QtLockedFile::ReadLock << true;
        QTest::newRow("read, write") << "read" << QtLockedFile::WriteLock << false;
        QTest::newRow("write, read") << "write" << QtLockedFile::ReadLock << false;
        QTest::newRow("write, write") << "write" << QtLockedFile::WriteLock << false;
    }
    void lockBetweenProcesses()
    {
        QFETCH(QString, held);
        QFETCH(QtLockedFile::LockMode, wanted);
        QFETCH(bool, granted);
        const QString path = m_tmp.filePath(QStringLiteral("shared-lock"));
        Process holder = start({"lock", path, held});
        QCOMPARE(awaitLine(*holder, ""), QByteArray("locked"));

        QtLockedFile mine(path);
        QVERIFY(mine.open(QIODevice::ReadWrite));
        QCOMPARE(mine.lock(wanted, false), granted);
        holder->kill();
        QVERIFY(holder->waitForFinished(5000));
        QVERIFY(mine.lock(wanted, false));

        // And the other way round: our lock keeps the other process out.
        Process other = start({"lock", path, held});
        QCOMPARE(awaitLine(*other, ""), granted ? QByteArray("locked") : QByteArray("busy"));
        stop(*other);
    }

    // Which copies count as the same program: the path (ignoring case) and the login session.
    void identity_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QByteArray>("secondSession");
        QTest::addColumn<bool>("same");
        QTest::newRow("same file") << "a/probe"
                                   << "a/probe" << QByteArray("5") << true;
        QTest::newRow("other folder") << "a/probe"
                                      << "b/probe" << QByteArray("5") << false;
        QTest::newRow("path differs in case only") << "a/probe"
                                                   << "A/PROBE" << QByteArray("5") << true;
        QTest::newRow("other name, same letters") << "a/probe"
                                                  << "a/probe2" << QByteArray("5") << false;
        QTest::newRow("other session") << "a/probe"
                                       << "a/probe" << QByteArray("6") << false;
    }
    void identity()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QByteArray, secondSession);
        QFETCH(bool, same);
        QTemporaryDir copies;
        QVERIFY(copies.isValid());
        const QString firstExe = copyProbe(copies.path(), first);
        const QString secondExe = first == second ? firstExe : copyProbe(copies.path(), second);
        QVERIFY(!firstExe.isEmpty() && !secondExe.isEmpty());

        Process a = start(instanceArgs("hi", "1"), firstExe);
        QCOMPARE(awaitLine(*a, ""), QByteArray("first"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_SESSION_ID"), QString::fromLatin1(secondSession));
        Process b = start(instanceArgs("hi", "1"), secondExe, env);
        if (same) {
            QVERIFY(b->waitForFinished(10000));
            QCOMPARE(b->exitCode(), 0);
            QCOMPARE(awaitLine(*a, "message"), "message " + QByteArray("hi").toHex());
        } else {
            QCOMPARE(awaitLine(*b, ""), QByteArray("first"));
            stop(*b);
        }
        stop(*a);
    }

    // A second start hands its message over and exits 0; the first brings its window forward or not.
    void messageReachesFirst_data()
    {
        QTest::addColumn<int>("initialState");
        QTest::addColumn<QString>("activate");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("finalState");
        QTest::addColumn<int>("active");
        const int min = Qt::WindowMinimized, max = Qt::WindowMaximized;
        const QString usual = QStringLiteral("Already App is Running!");
        QTest::newRow("minimised") << min << "1" << usual << 0 << 1;
        QTest::newRow("minimised and maximised") << (min | max) << "1" << usual << max << 1;
        QTest::newRow("behind another window") << 0 << "1" << usual << 0 << 1;
        QTest::newRow("activation off") << min << "0" << usual << min << 0;
        QTest::newRow("utf-8 text") << min << "1" << QStringLiteral("Grüße ✓\nzwei") << 0 << 1;
    }
    void messageReachesFirst()
    {
        QFETCH(int, initialState);
        QFETCH(QString, activate);
        QFETCH(QString, message);
        QFETCH(int, finalState);
        QFETCH(int, active);
        Process first = start(instanceArgs(message.toUtf8(), activate, initialState));
        QCOMPARE(awaitLine(*first, ""), QByteArray("first"));

        Process second = start(instanceArgs(message.toUtf8(), activate));
        QVERIFY(second->waitForFinished(15000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(awaitLine(*first, "message"), "message " + message.toUtf8().toHex());
        first->write("state\n");
        QCOMPARE(awaitLine(*first, "state"),
                 QStringLiteral("state %1 %2").arg(finalState).arg(active).toLatin1());
        stop(*first);
        QCOMPARE(first->exitCode(), 0);
    }

    // The first holds the lock but does not listen: a second start gives up after two attempts with 1.
    void unreachableFirstGivesOne()
    {
        Process holder = start({"hold"});
        QCOMPARE(awaitLine(*holder, ""), QByteArray("holding"));
        QElapsedTimer t;
        t.start();
        Process second = start(instanceArgs("hi", "1"));
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 1);
        QVERIFY(t.elapsed() >= 250);
        stop(*holder);
    }

    // A first instance killed outright leaves its socket file behind; the next first must still be reachable.
    void restartAfterCrash()
    {
        Process crashed = start(instanceArgs("", "1"));
        QCOMPARE(awaitLine(*crashed, ""), QByteArray("first"));
        crashed->kill();
        QVERIFY(crashed->waitForFinished(5000));

        Process first = start(instanceArgs("", "1"));
        QCOMPARE(awaitLine(*first, ""), QByteArray("first"));
        Process second = start(instanceArgs("again", "1"));
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(awaitLine(*first, "message"), "message " + QByteArray("again").toHex());
        stop(*first);
    }

private:
    Process start(const QStringList &args, const QString &program = QString(),
                  const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        Process p(new QProcess);
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(program.isEmpty() ? m_probe : program, args);
        p->waitForStarted(5000);
        return p;
    }
    static QStringList instanceArgs(const QByteArray &message, const QString &activate, int state = 0)
    {
        return {"instance", QString::fromLatin1(message.toHex()), "5000", QString::number(state), activate};
    }
    QString copyProbe(const QString &root, const QString &relative)
    {
        const QString target = root + '/' + relative;
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(m_probe, target))
            return QString();
        return target;
    }

    QTemporaryDir m_tmp;
    QString m_probe;
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
