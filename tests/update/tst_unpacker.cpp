// The in-process unpacker against the archives of the unpacker's fuzz corpus: "ok-*" unpack, every
// "bad-*" one (links, devices, escaping paths, bombs, truncation) is refused and leaves nothing anywhere.
#include "archiveunpacker.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestUnpacker : public QObject {
    Q_OBJECT

    QTemporaryDir sandbox_;
    const QDir corpus_{qEnvironmentVariable("LYNTRA_SOURCE_DIR") + "/tests/fuzz/corpus/unpack"};
    QString out() const { return sandbox_.path() + "/out"; }

private slots:
    void cleanup() { QDir(out()).removeRecursively(); }

    void corpus_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString &name : corpus_.entryList(QDir::Files))
            QTest::newRow(qPrintable(name)) << corpus_.filePath(name);
        QVERIFY(corpus_.entryList({"bad-*"}).size() >= 15);
    }
    void corpus()
    {
        QFETCH(QString, file);
        const UnpackResult r = archiveunpacker::unpackFile(file, out());
        const bool ok = QFileInfo(file).fileName().startsWith("ok-");
        QVERIFY2(r.ok == ok && r.refusal.isEmpty() == ok && r.files.isEmpty() != ok, qPrintable(r.refusal));
        const QStringList left =
            QDir(sandbox_.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        QCOMPARE(left, ok ? QStringList{"out"} : QStringList());
        for (const char *probe : {"/etc/lyntra-probe", "/tmp/lyntra-absolute-probe"})
            QVERIFY(!QFileInfo::exists(probe));
    }

    void unpackedAsArchived()
    {
        const UnpackResult r = archiveunpacker::unpackFile(corpus_.filePath("ok-installer.tar.gz"), out());
        QCOMPARE(r.files, (QStringList{"pkg/readme.txt", "pkg/install.sh", "pkg/data.bin"}));
        QCOMPARE(QFileInfo(out() + "/pkg/data.bin").size(), 60000);
        struct stat st; // archived 04777: executable kept, set-id and others' write dropped
        QVERIFY(::stat(QFile::encodeName(out() + "/pkg/install.sh").constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0755));
    }

    void limits()
    {
        UnpackLimits limits;
        const QString archive = corpus_.filePath("ok-installer.tar.gz");
        limits.totalBytes = 60000;
        QVERIFY(!archiveunpacker::unpackFile(archive, out(), limits).ok);
        limits.totalBytes = 70000;
        QVERIFY(archiveunpacker::unpackFile(archive, out(), limits).ok);
        cleanup();
        limits.ratio = 30; // the archive holds about 40 times its size
        QVERIFY(!archiveunpacker::unpackFile(archive, out(), limits).ok);
    }
};

QTEST_GUILESS_MAIN(TestUnpacker)
#include "tst_unpacker.moc"
