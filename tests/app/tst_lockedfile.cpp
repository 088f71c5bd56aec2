#include "qtlockedfile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>

Q_DECLARE_METATYPE(QtLockedFile::LockMode)

class TestLockedFile : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    // Two objects on one file exclude each other like two processes do.
    void conflicts_data()
    {
        QTest::addColumn<QtLockedFile::LockMode>("held");
        QTest::addColumn<QtLockedFile::LockMode>("wanted");
        QTest::addColumn<bool>("granted");
        QTest::newRow("read, read") << QtLockedFile::ReadLock << QtLockedFile::ReadLock << true;
        QTest::newRow("read, write") << QtLockedFile::ReadLock << QtLockedFile::WriteLock << false;
        QTest::newRow("write, read") << QtLockedFile::WriteLock << QtLockedFile::ReadLock << false;
        QTest::newRow("write, write") << QtLockedFile::WriteLock << QtLockedFile::WriteLock << false;
    }
    void conflicts()
    {
        QFETCH(QtLockedFile::LockMode, held);
        QFETCH(QtLockedFile::LockMode, wanted);
        QFETCH(bool, granted);
        QtLockedFile a(path()), b(path());
        QVERIFY(a.open(QIODevice::ReadWrite));
        QVERIFY(b.open(QIODevice::ReadWrite));
        QVERIFY(a.lock(held, false));
        QCOMPARE(a.lockMode(), held);
        QCOMPARE(b.lock(wanted, false), granted);
        QCOMPARE(b.lockMode(), granted ? wanted : QtLockedFile::NoLock);
        QVERIFY(b.unlock());
        // Each way of letting go frees the file for the other object.
        QVERIFY(a.unlock());
        QVERIFY(!a.isLocked());
        QVERIFY(b.lock(QtLockedFile::WriteLock, false));
        b.close();
        QVERIFY(!b.isLocked());
        QVERIFY(a.lock(QtLockedFile::WriteLock, false));
        {
            QtLockedFile c(path());
            QVERIFY(c.open(QIODevice::ReadWrite));
            QVERIFY(!c.lock(QtLockedFile::ReadLock, false));
        }
    }

    void modeChange()
    {
        QtLockedFile a(path()), b(path());
        QVERIFY(a.open(QIODevice::ReadWrite));
        QVERIFY(b.open(QIODevice::ReadWrite));
        QVERIFY(a.lock(QtLockedFile::ReadLock, false));
        QVERIFY(a.lock(QtLockedFile::WriteLock, false));
        QCOMPARE(a.lockMode(), QtLockedFile::WriteLock);
        QVERIFY(!b.lock(QtLockedFile::ReadLock, false));
        QVERIFY(a.lock(QtLockedFile::ReadLock, false));
        QVERIFY(b.lock(QtLockedFile::ReadLock, false));
        QVERIFY(a.lock(QtLockedFile::NoLock, false));
        QVERIFY(!a.isLocked());
    }

    void destructorReleases()
    {
        {
            QtLockedFile a(path());
            QVERIFY(a.open(QIODevice::ReadWrite));
            QVERIFY(a.lock(QtLockedFile::WriteLock, false));
        }
        QtLockedFile b(path());
        QVERIFY(b.open(QIODevice::ReadWrite));
        QVERIFY(b.lock(QtLockedFile::WriteLock, false));
    }

    void misuse_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("warning");
        QTest::newRow("lock unopened") << 0 << "QtLockedFile::lock(): file is not opened";
        QTest::newRow("unlock unopened") << 1 << "QtLockedFile::unlock(): file is not opened";
        QTest::newRow("open truncating") << 2 << "QtLockedFile::open(): Truncate mode not allowed.";
    }
    void misuse()
    {
        QFETCH(int, action);
        QFETCH(QString, warning);
        {
            QFile seed(path());
            QVERIFY(seed.open(QIODevice::WriteOnly));
            seed.write("kept");
        }
        QtLockedFile f(path());
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        if (action == 0)
            QVERIFY(!f.lock(QtLockedFile::WriteLock, false));
        else if (action == 1)
            QVERIFY(!f.unlock());
        else
            QVERIFY(!f.open(QIODevice::ReadWrite | QIODevice::Truncate));
        QVERIFY(!f.isLocked());
        QCOMPARE(QFileInfo(path()).size(), qint64(4));
    }

    // A blocking lock waits for the holder and is granted once it lets go.
    void blockingWaits()
    {
        QtLockedFile a(path());
        QVERIFY(a.open(QIODevice::ReadWrite));
        QVERIFY(a.lock(QtLockedFile::WriteLock, false));
        std::atomic<int> result{-1};
        std::thread waiter([&] {
            QtLockedFile b(path());
            if (!b.open(QIODevice::ReadWrite))
                return;
            result = b.lock(QtLockedFile::WriteLock, true) ? 1 : 0;
        });
        QTest::qWait(300);
        QCOMPARE(result.load(), -1);
        QVERIFY(a.unlock());
        waiter.join();
        QCOMPARE(result.load(), 1);
    }

private:
    QString path() const { return m_dir.filePath(QStringLiteral("lockfile")); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestLockedFile)
#include "tst_lockedfile.moc"
