// The update controller and its worker against a real HTTP server on the loopback interface: offers,
// remembered choices, the information message, and downloads through verification, unpacking and the
// installer hand-over, with stalls, trickles, cancels and every refusal.
#include "informationbox.h"
#include "settings.h"
#include "updaterig.h"
#include "updatesoftware.h"

#include "resources.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

using namespace lyntra_test;

namespace {

constexpr int Deadline = 30000;

QJsonObject versions(int softMajor, int softMinor, int firmMajor = 1, int firmMinor = 3)
{
    return {{"windows_software_version_major", softMajor},
            {"windows_software_version_minor", softMinor},
            {"firmware_version_major", firmMajor},
            {"firmware_version_minor", firmMinor}};
}

} // namespace

class TestUpdateFlow : public QObject {
    Q_OBJECT

    QString temp_;
    std::unique_ptr<HttpTestServer> server_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<UpdateSoftware> update_;

    // A controller reading `version` from the server; true once it has dealt with the document.
    bool start(const QJsonObject &version, int inactivityLimitMs = UpdateSoftware::InactivityLimitMs)
    {
        serveDocument(*server_, version);
        settings_->setUpdateText("JsonUrl", server_->url("/doc.json"));
        update_ = std::make_unique<UpdateSoftware>(*settings_, "1.00 0059", inactivityLimitMs);
        return QTest::qWaitFor([this] { return update_->checkState() != 0 || shown("InformationBox"); },
                               Deadline);
    }
    bool offered() const { return update_->softwareBox()->isVisible(); }
    static QByteArray installerScript() { return "#!/bin/sh\necho ran > \"$TMPDIR/marker\"\n"; }
    static QByteArray fixture(const char *name)
    {
        QFile file(qEnvironmentVariable("LYNTRA_SOURCE_DIR") + "/tests/fuzz/corpus/unpack/" + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Offers 1.01 from `path` (a server path, or a whole address) with `hash` and says "Update now".
    bool acceptOffer(const QString &path, const QString &hash,
                     int limitMs = UpdateSoftware::InactivityLimitMs)
    {
        QJsonObject v = versions(1, 1);
        v["linux_software_url_en"] = path.startsWith("/") ? server_->url(path) : path;
        if (!hash.isEmpty())
            v["linux_software_url_en_sha256"] = hash;
        if (!start(v, limitMs) || !offered())
            return false;
        update_->softwareBox()->firstButton()->click();
        return !offered();
    }

    void reset()
    {
        cleanup();
        init();
    }

private slots:
    void initTestCase()
    {
        lyntra_init_resources();
        temp_ = privateTemp();
    }
    void init()
    {
        server_ = std::make_unique<HttpTestServer>();
        server_->serve("/moved.zip", {{}, -1, 0, "http://download.avenor-audio.example/pkg.zip"});
        QFile::remove(Settings().mainFilePath());
        settings_ = std::make_unique<Settings>();
        QFile::remove(temp_ + "/marker");
    }
    void cleanup()
    {
        update_.reset();
        settings_.reset();
        for (const QString &folder : downloadFolders(temp_))
            QDir(temp_ + "/" + folder).removeRecursively();
        QLocale::setDefault(QLocale(QLocale::English));
    }

    void softwareOffer()
    {
        const struct {
            int major, minor;
            const char *putAside;
            bool offer, checksDone;
        } rows[] = {{1, 0, "", false, false},   {1, 1, "", true, false},   {2, 0, "", true, false},
                    {0, 99, "", false, false},  {10, 0, "", false, false}, {1, 5, "1.05", false, true},
                    {1, 6, "1.05", true, false}};
        for (const auto &row : rows) {
            const QString latest = QString("%1.%2").arg(row.major).arg(row.minor, 2, 10, QChar('0'));
            settings_->setUpdateText("SoftDialog", row.putAside);
            QVERIFY(start(versions(row.major, row.minor)));
            QVERIFY2(offered() == row.offer && update_->checksDone() == row.checksDone, qPrintable(latest));
            const QString text = update_->softwareBox()->view()->toPlainText();
            QVERIFY(!row.offer ||
                    (text.contains("Current Version:1.00\n") && text.endsWith("Latest Version:" + latest)));
            if (*row.putAside && !row.offer) { // what "- Update" does
                settings_->setUpdateText("SoftDialog", QString());
                update_->softwareCheck();
                QVERIFY(offered());
            }
            if (offered()) { // "Update later", not to be shown again
                update_->softwareBox()->checkBox()->setChecked(true);
                update_->softwareBox()->secondButton()->click();
                QVERIFY(!offered() && update_->checkState() == 2 && update_->checksDone());
                QCOMPARE(settings_->updateText("SoftDialog"), latest);
            }
            reset();
        }
    }

    void noServer()
    {
        server_->close();
        QVERIFY(start(versions(9, 0)));
        QVERIFY(update_->checkState() == 2 && !update_->checksDone());
        for (const char *window : {"InformationBox", "updateErrorBox", "downloadWindow"})
            QVERIFY(!shown(window));
    }

    void information()
    {
        const struct {
            QLocale::Language language;
            const char *dismissed, *shownText, *title;
        } rows[] = {{QLocale::English, "news", "", ""},
                    {QLocale::English, "old news", "news", "AVENOR Latest Information"},
                    {QLocale::French, "", "nouvelles", "Actualités AVENOR"},
                    {QLocale::German, "", "news", "AVENOR Neuigkeiten"}};
        for (const auto &row : rows) {
            QLocale::setDefault(QLocale(row.language));
            settings_->setUpdateText("InfoDialog", row.dismissed);
            QJsonObject v = versions(1, 0);
            v["messages"] = QJsonObject{{"English", "news"}, {"French", "nouvelles"}};
            QVERIFY(start(v));
            InformationBox *box = update_->informationBox();
            QCOMPARE(box->isVisible() ? box->view()->toPlainText() : QString(), QString(row.shownText));
            if (box->isVisible()) {
                QCOMPARE(box->windowTitle(), QString(row.title));
                box->checkBox()->setChecked(true);
                box->firstButton()->click();
                QCOMPARE(settings_->updateText("InfoDialog"), QString(row.shownText));
            }
            reset();
        }
    }

    void download_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("hash");    // "right": the body's own
        QTest::addColumn<QString>("outcome"); // "marker", "package", "browser" or "error"
        QTest::addColumn<int>("stallAfter");  // the server's pace; the limit counts from the last progress
        QTest::addColumn<int>("trickleMs");
        const QByteArray script = installerScript(), archive = fixture("ok-installer.tar.gz");
        const QByteArray longScript = script.leftJustified(4000, '#');
        const QString right = "right", wrong = sha256Hex("something else");
        QTest::newRow("trickling") << "/slow.sh" << longScript << right << "marker" << -1 << 100;
        QTest::newRow("stalled") << "/slow.sh" << longScript << right << "error" << 100 << 0;
        QTest::newRow("archive") << "/pkg.tar.gz" << archive << right << "marker" << -1 << 0;
        QTest::newRow("zip") << "/pkg.zip" << fixture("ok-installer.zip") << right << "marker" << -1 << 0;
        QTest::newRow("script") << "/setup.sh" << script << right << "marker" << -1 << 0;
        QTest::newRow("package") << "/panel.deb" << QByteArray("!<arch>\n") << right << "package" << -1 << 0;
        QTest::newRow("archive, hash mismatch") << "/pkg.tar.gz" << archive << wrong << "error" << -1 << 0;
        QTest::newRow("script, hash mismatch") << "/setup.sh" << script << wrong << "error" << -1 << 0;
        QTest::newRow("no hash") << "/setup.sh" << script << ""
                                 << "browser" << -1 << 0;
        QTest::newRow("malformed hash") << "/setup.sh" << script << "abc"
                                        << "error" << -1 << 0;
        QTest::newRow("escaping entry")
            << "/pkg.tar" << fixture("bad-dotdot.tar") << right << "error" << -1 << 0;
        QTest::newRow("no installer")
            << "/pkg.tar.xz" << fixture("ok-readme.tar.xz") << right << "error" << -1 << 0;
        QTest::newRow("not found") << "/missing.zip" << QByteArray() << wrong << "error" << -1 << 0;
        QTest::newRow("redirect to plain http")
            << "/moved.zip" << QByteArray() << wrong << "error" << -1 << 0;
        QTest::newRow("plain http") << "http://download.avenor-audio.example/setup.sh" << QByteArray()
                                    << wrong << "error" << -1 << 0;
    }
    void download()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, body);
        QFETCH(QString, hash);
        QFETCH(QString, outcome);
        QFETCH(int, stallAfter);
        QFETCH(int, trickleMs);
        UrlRecorder desktop;
        if (!body.isEmpty())
            server_->serve(path, {body, stallAfter, trickleMs, {}});
        const int limitMs = stallAfter >= 0 || trickleMs > 0 ? 1500 : UpdateSoftware::InactivityLimitMs;
        QVERIFY(acceptOffer(path, hash == "right" ? sha256Hex(body) : hash, limitMs));
        QVERIFY(QTest::qWaitFor(
            [&] {
                return shown("downloadCompleteWindow") || shown("updateErrorBox") || !desktop.urls.isEmpty();
            },
            Deadline));
        QTRY_VERIFY_WITH_TIMEOUT(!shown("downloadWindow"), Deadline);
        if (outcome != "marker" && outcome != "package") {
            // Nothing is left behind, nothing ran; without a digest nothing was even fetched.
            QVERIFY(!shown("downloadCompleteWindow") &&
                    bool(shown("updateErrorBox")) == (outcome == "error"));
            QCOMPARE(desktop.urls, outcome == "browser" ? QList<QUrl>{server_->url(path)} : QList<QUrl>{});
            QVERIFY(outcome != "browser" || server_->requests(path) == 0);
            QCOMPARE(downloadFolders(temp_), QStringList());
            QVERIFY(!QFileInfo::exists(temp_ + "/marker"));
            if (QWidget *box = shown("updateErrorBox"))
                box->close();
            return;
        }
        QVERIFY(!shown("updateErrorBox"));
        QCOMPARE(downloadFolders(temp_).size(), 1); // the installer stays
        shown("downloadCompleteWindow")->findChild<QAbstractButton *>("pB_OK")->click();
        if (outcome == "marker")
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(temp_ + "/marker"), Deadline);
        else
            QTRY_VERIFY_WITH_TIMEOUT(desktop.urls.size() == 1 && desktop.urls[0].path().endsWith("/temp.deb"),
                                     Deadline);
    }

    void cancelAndCloseAreSilent()
    {
        for (bool closeAll : {false, true}) {
            server_->serve("/stall.sh", {QByteArray(5000, '#'), 100, 0, {}});
            QVERIFY(acceptOffer("/stall.sh", QString(64, 'a')));
            QTRY_VERIFY_WITH_TIMEOUT(shown("downloadWindow"), Deadline);
            auto *cancel = shown("downloadWindow")->findChild<QAbstractButton *>("pB_Cancel");
            QTRY_VERIFY_WITH_TIMEOUT(cancel->isEnabled(), Deadline); // only once bytes arrived
            closeAll ? update_->closeAll() : cancel->click();
            QTRY_VERIFY_WITH_TIMEOUT(!shown("downloadWindow") && downloadFolders(temp_).isEmpty(), Deadline);
            QVERIFY(!shown("updateErrorBox") && !shown("downloadCompleteWindow"));
            reset();
        }
    }
};

QTEST_MAIN(TestUpdateFlow)
#include "tst_updateflow.moc"
