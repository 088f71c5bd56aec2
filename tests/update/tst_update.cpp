// The update service: the unpacker against its fuzz corpus, the controller and its worker against real
// HTTP and HTTPS servers on the loopback interface (signed documents only, offers, remembered choices,
// the information message and its links, downloads through verification, unpacking and the installer
// hand-over, with stalls, trickles, cancels, redirects and every refusal, the windows' keys), and the main
// window's use of it. Documents are signed with the test key of this program's prefix.
#include "idledevice.h"
#include "archiveunpacker.h"
#include "httptestserver.h"
#include "informationbox.h"
#include "messageview.h"
#include "mainmenus.h"
#include "mainwindow.h"
#include "settings.h"
#include "updatedocument.h"
#include "updateinformation.h"
#include "updatesoftware.h"
#include "updatesigner.h"
#include "updatetexts.h"
#include "urlrecorder.h"

#include "resources.h"

#include <QAction>
#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>


#include <memory>

using namespace lyntra_test;

namespace {

constexpr int Deadline = 30000;

// The visible top-level window of that object name, or null.
QWidget *shown(const char *objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == QLatin1String(objectName))
            return w;
    return nullptr;
}

// The update window of that object name, shown or not.
InformationBox *box(const char *objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(objectName))
            return qobject_cast<InformationBox *>(w);
    return nullptr;
}

QString sha256Hex(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QJsonObject versions(int softMajor, int softMinor, int firmMajor = 1, int firmMinor = 3)
{
    return {{"windows_software_version_major", softMajor}, {"windows_software_version_minor", softMinor},
            {"firmware_version_major", firmMajor}, {"firmware_version_minor", firmMinor}};
}

// Hostile and honest archives: "ok-*" unpack, "bad-*" are refused.
QDir corpusDir()
{
    return QDir(qEnvironmentVariable("LYNTRA_SOURCE_DIR") + "/tests/fuzz/corpus/unpack");
}

QByteArray fixture(const char *name)
{
    QFile file(corpusDir().filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray installerScript()
{
    return "#!/bin/sh\necho ran > \"$TMPDIR/marker\"\n";
}

} // namespace

class TestUpdate : public QObject {
    Q_OBJECT

    QTemporaryDir temp_;    // TMPDIR: the worker's download folders, the installer's marker
    QTemporaryDir sandbox_; // the unpacker's folder and nothing else
    std::unique_ptr<HttpTestServer> server_;
    std::unique_ptr<HttpTestServer> tls_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<UpdateSoftware> update_;

    QString temp() const { return temp_.path(); }
    QString out() const { return sandbox_.path() + "/out"; }
    QStringList downloadFolders() const { return QDir(temp()).entryList({"lyntra-update-*"}, QDir::Dirs); }
    // Serves `version` as the document, signed with the test key; returns its bytes.
    QByteArray serveDocument(const QJsonObject &version)
    {
        const QByteArray document = QJsonDocument(QJsonObject{{"LYNTRA_version1", version}}).toJson();
        server_->serve("/doc.json", {document, -1, 0, {}});
        server_->serve("/doc.json.sig", {signatureOf(document), -1, 0, {}});
        settings_->setValue(settings::key::JsonUrl, server_->url("/doc.json"));
        return document;
    }

    // A controller reading `version` (with a message, unless it has its own) from the server; true once
    // it has dealt with the document: the message is shown before the offer is decided.
    bool start(QJsonObject version, int inactivityLimitMs = UpdateSoftware::InactivityLimitMs)
    {
        if (!version.contains("messages"))
            version["messages"] = QJsonObject{{"English", "news"}};
        serveDocument(version);
        return startServed(Deadline, inactivityLimitMs);
    }
    bool startServed(int waitMs = Deadline, int inactivityLimitMs = UpdateSoftware::InactivityLimitMs)
    {
        update_ = std::make_unique<UpdateSoftware>(*settings_, "1.00 0059", inactivityLimitMs);
        return QTest::qWaitFor([] { return shown("informationBox") || shown("softwareOfferBox"); }, waitMs);
    }
    static bool offered() { return shown("softwareOfferBox"); }

    // "/path" on the plain server, "tls:/path" on the TLS one, or a whole address as it is.
    QString address(const QString &path) const
    {
        const QString rest = path.section(':', -1);
        return path.startsWith("tls:") ? tls_->url(rest) : rest.startsWith("/") ? server_->url(rest) : path;
    }
    // Offers 1.01 from `path` (see address(); "ja:" a Japanese user with the Windows file beside it,
    // "ja-windows:" one with only that) with `hash` and says "Update now".
    bool acceptOffer(const QString &path, const QString &hash,
                     int limitMs = UpdateSoftware::InactivityLimitMs)
    {
        QJsonObject v = versions(1, 1);
        const bool ja = path.startsWith("ja"), windowsOnly = path.startsWith("ja-windows:");
        const QString windows = windowsOnly ? address(path) : server_->url("/setup.exe");
        if (ja)
            QLocale::setDefault(QLocale(QLocale::Japanese));
        for (const QString key : {ja ? "windows_software_url_ja" : "", windowsOnly ? "" : "linux_software_url_en"}) {
            if (key.isEmpty())
                continue;
            v[key] = key.startsWith("windows") ? windows : address(path);
            if (!hash.isEmpty())
                v[key + "_sha256"] = hash;
        }
        if (!start(v, limitMs) || !offered())
            return false;
        box("softwareOfferBox")->firstButton()->click();
        return !offered();
    }

    // A key pressed on `window` as a user would: the window active, the event to what has the focus.
    static bool pressKey(QWidget *window, Qt::Key key)
    {
        if (window)
            window->activateWindow();
        if (!window || !QTest::qWaitForWindowActive(window))
            return false;
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, key);
        return true;
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
        HttpTestServer::trustTestCertificate();
        // Downloads land in the test's own folder, and the loopback server is reached directly.
        qputenv("TMPDIR", QFile::encodeName(temp()));
        for (const char *proxy : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(proxy);
    }
    void init()
    {
        server_ = std::make_unique<HttpTestServer>();
        // Plain http off this computer, though 0.0.0.0 reaches this server.
        const QString offsite = server_->url("/redirected.sh").replace("127.0.0.1", "0.0.0.0");
        server_->serve("/offsite.sh", {{}, -1, 0, offsite.toUtf8()});
        tls_ = std::make_unique<HttpTestServer>(true);
        tls_->serve("/moved.sh", {{}, -1, 0, server_->url("/redirected.sh").toUtf8()});
        server_->serve("/redirected.sh", {installerScript(), -1, 0, {}});
        for (int hop = 1; hop <= 6; ++hop) { // one more than the panel follows from /hop1.sh
            const QByteArray next = server_->url(QString("/hop%1.sh").arg(hop + 1)).toUtf8();
            server_->serve(QString("/hop%1.sh").arg(hop), {{}, -1, 0, next});
        }
        server_->serve("/hop7.sh", {installerScript(), -1, 0, {}});
        QFile::remove(Settings().mainFilePath());
        settings_ = std::make_unique<Settings>();
        QFile::remove(temp() + "/marker");
    }
    void cleanup()
    {
        update_.reset();
        settings_.reset();
        for (const QString &folder : downloadFolders())
            QDir(temp() + "/" + folder).removeRecursively();
        QDir(out()).removeRecursively();
        QLocale::setDefault(QLocale(QLocale::English));
    }

    void corpus_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString &name : corpusDir().entryList(QDir::Files))
            QTest::newRow(qPrintable(name)) << corpusDir().filePath(name);
        QVERIFY(corpusDir().entryList({"bad-*"}).size() >= 15);
    }
    void corpus()
    {
        QFETCH(QString, file);
        const UnpackResult r = archiveunpacker::unpackFile(file, out());
        const bool ok = QFileInfo(file).fileName().startsWith("ok-");
        QVERIFY2(r.ok == ok && r.refusal.isEmpty() == ok && r.files.isEmpty() != ok, qPrintable(r.refusal));
        for (const QString &name : r.files) // no honest archive holds an empty file, the one-byte one included
            QVERIFY2(QFileInfo(QDir(out()).filePath(name)).size() > 0, qPrintable(name));
    }

    // An archive past one of its limits is refused, and nothing of it stays; one exactly at them unpacks.
    void limits()
    {
        const struct { int entries; qint64 bytes; const char *refusal; } rows[] = { // it holds 4 entries, 60046 bytes
            {3, 60046, "too many entries"}, {4, 60045, "the archive unpacks to more than its limit"}, {4, 60046, ""}};
        for (const auto &row : rows) {
            const UnpackResult r = archiveunpacker::unpackFile(corpusDir().filePath("ok-installer.tar.gz"), out(),
                                                               {row.bytes, 100, row.entries});
            QCOMPARE(r.refusal, QString(row.refusal));
            QVERIFY(r.ok == !*row.refusal && QFileInfo::exists(out()) == r.ok); // nothing of a refused one stays
        }
    }

    void softwareOffer()
    {
        const struct { int major, minor; const char *putAside; bool offer, checksDone; } rows[] = {
            {1, 0, "", false, false}, {1, 1, "", true, false}, {2, 0, "", true, false}, {0, 99, "", false, false},
            {10, 0, "", false, false}, {1, 5, "1.05", false, true}, {1, 6, "1.05", true, false}};
        for (const auto &row : rows) {
            const QString latest = QString("%1.%2").arg(row.major).arg(row.minor, 2, 10, QChar('0'));
            settings_->setValue(settings::key::SoftDialog, row.putAside);
            QVERIFY(start(versions(row.major, row.minor)));
            QVERIFY2(offered() == row.offer && update_->checksDone() == row.checksDone, qPrintable(latest));
            InformationBox *offer = box("softwareOfferBox");
            const QString text = offer->view()->toPlainText();
            QVERIFY(!row.offer || (text.contains("Current Version:1.00\n") && text.endsWith("Latest Version:" + latest) &&
                                   offer->windowTitle() == "AVENOR Update Information" &&
                                   offer->checkBox()->text() == "Do not show this message again"));
            if (*row.putAside && !row.offer) { // what "- Update" does
                settings_->setValue(settings::key::SoftDialog, QString());
                update_->softwareCheck();
                QVERIFY(offered());
            }
            if (offered()) { // "Update later", not to be shown again
                offer->checkBox()->setChecked(true);
                offer->secondButton()->click();
                QVERIFY(!offered() && update_->checksDone());
                QCOMPARE(settings_->value(settings::key::SoftDialog), latest);
            }
            reset();
        }
    }

    // The firmware offer follows the unit: a unit swapped in is checked at once, and one whose offer was
    // put off is not asked again on the next tick.
    void firmwareFollowsTheUnit()
    {
        // A unit known before the document arrives is checked once it is read.
        serveDocument(versions(1, 0, 1, 3));
        update_ = std::make_unique<UpdateSoftware>(*settings_, "1.00 0059");
        InformationBox *offer = box("firmwareOfferBox");
        const auto offers = [&](const char *product, const char *firmware) {
            update_->firmwareCheck(product, firmware);
            return offer->isVisible();
        };
        QVERIFY(QTest::qWaitFor([&] { return !offers("LYNTRA K2", "1.03 0001") && update_->checksDone(); }));
        QVERIFY(offers("LYNTRA K1", "1.02 0001"));
        offer->secondButton()->click();
        QVERIFY(!offers("LYNTRA K1", "1.02 0001"));
        // Taken up, the offer goes.
        QVERIFY(offers("LYNTRA K2", "1.02 0001"));
        offer->firstButton()->click();
        QVERIFY(!offer->isVisible());
        // This document names no firmware file to fetch; the Update menu may offer it again.
        const QWidget *error = shown("updateErrorBox");
        QVERIFY(error && error->windowTitle() == "AVENOR Update Information" && update_->checksDone());

        // One with a software offer open is offered its firmware once that is answered, even with "later".
        reset();
        serveDocument(versions(1, 1, 1, 3));
        update_ = std::make_unique<UpdateSoftware>(*settings_, "1.00 0059");
        update_->firmwareCheck("LYNTRA K2", "1.02 0001");
        QVERIFY(QTest::qWaitFor(offered));
        offer = box("firmwareOfferBox");
        QVERIFY(!offers("LYNTRA K2", "1.02 0001"));
        box("softwareOfferBox")->secondButton()->click();
        // Closed from the window manager, it is put off as "later" puts it off: the next tick does not bring it back.
        QVERIFY(offers("LYNTRA K2", "1.02 0001") && offer->windowHandle()->close());
        QVERIFY(!offer->isVisible() && !offers("LYNTRA K2", "1.02 0001"));
    }

    void information()
    {
        const struct { QLocale::Language language; const char *dismissed, *shownText, *title, *tick; } rows[] = {
            {QLocale::English, "news", "", "", ""},
            {QLocale::English, "old news", "news", "AVENOR Latest Information", "Do not show this message again"},
            {QLocale::French, "", "nouvelles", "Actualités AVENOR", "Ne plus afficher ce message"},
            {QLocale::German, "", "Neues", "AVENOR Neuigkeiten", "Diese Meldung nicht mehr anzeigen"},
            {QLocale::Japanese, "", "お知らせ", "AVENOR 最新情報", "今後このメッセージを表示しない"},
            {QLocale::Chinese, "", "消息", "AVENOR 最新消息", "不再显示此消息"}};
        for (const auto &row : rows) {
            QLocale::setDefault(QLocale(row.language));
            settings_->setValue(settings::key::InfoDialog, row.dismissed);
            QJsonObject v = versions(1, 1); // the offer comes after the message, shown or not
            v["messages"] = QJsonObject{{"English", "news"}, {"French", "nouvelles"}, {"German", "Neues"},
                                        {"Japanese", "お知らせ"}, {"Chinese", "消息"}};
            QVERIFY(start(v) && offered());
            QVERIFY(row.language != QLocale::French || box("softwareOfferBox")->secondButton()->text() == "Plus tard");
            InformationBox *info = box("informationBox");
            QCOMPARE(info->isVisible() ? info->view()->toPlainText() : QString(), QString(row.shownText));
            if (info->isVisible()) {
                QVERIFY(info->windowTitle() == row.title && info->checkBox()->text() == row.tick);
                info->checkBox()->setChecked(true);
                info->firstButton()->click();
                QCOMPARE(settings_->value(settings::key::InfoDialog), QString(row.shownText));
            }
            reset();
        }
    }

    // Only a document the trusted key signed counts; any other is as if there were none, silently.
    void signature_data()
    {
        QTest::addColumn<QString>("served");
        for (const char *row : {"signed", "one byte changed", "no signature", "another key"})
            QTest::newRow(row) << row;
    }
    void signature()
    {
        QFETCH(QString, served);
        QJsonObject v = versions(1, 1);
        v["messages"] = QJsonObject{{"English", "news"}};
        QByteArray document = serveDocument(v);
        if (served == "one byte changed")
            server_->serve("/doc.json", {document.replace("news", "newz"), -1, 0, {}});
        else if (served == "no signature")
            server_->forget("/doc.json.sig");
        else if (served == "another key")
            server_->serve("/doc.json.sig",
                           {signatureOf(document, QCoreApplication::applicationDirPath() + "/../other-private.pem"),
                            -1, 0, {}});
        const bool trusted = served == "signed";
        QCOMPARE(startServed(trusted ? Deadline : 1000), trusted);
        QCOMPARE(offered(), trusted);
        QCOMPARE(box("informationBox")->isVisible(), trusted);
        QVERIFY(server_->requests("/doc.json.sig") == 1 && !shown("updateErrorBox"));
    }

    // The message's links: https goes to the browser, anything else nowhere, and the view never follows
    // one itself. Every paragraph of the message keeps the box's line spacing, not only the first.
    void messageLinks()
    {
        UrlRecorder desktop;
        QJsonObject v = versions(1, 0);
        v["messages"] = QJsonObject{{"English", "<a href='file:///etc/hostname'>FILE</a><p><a href='http://x.example/'>"
                                                "PLAIN</a> <a href='https://x.example/news'>SECURE</a>"}};
        QVERIFY(start(v));
        MessageView *view = box("informationBox")->view();
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        for (const char *link : {"FILE", "PLAIN", "SECURE"}) {
            const QPoint at = view->cursorRect(view->document()->find(link)).center() - QPoint(8, 0);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        }
        QCOMPARE(desktop.urls, QList<QUrl>{QUrl("https://x.example/news")});
        QCOMPARE(view->toPlainText(), QString("FILE\nPLAIN SECURE"));
        QCOMPARE(view->document()->lastBlock().blockFormat().lineHeight(), qreal(InformationBox::MessageLineHeight));
    }

    // Return and Escape on every update window, sent to whatever has the focus in it.
    void keysAnswerTheWindows_data()
    {
        QTest::addColumn<int>("onOffer");
        // 0 / -1 / -2: the download stalls, and Escape / closing all / the window manager's close ends it;
        // Qt::Key_Close: closing all once it is complete
        QTest::addColumn<int>("onComplete");
        QTest::newRow("Escape on the offer") << int(Qt::Key_Escape) << 0;
        QTest::newRow("Escape while downloading") << int(Qt::Key_Return) << 0;
        QTest::newRow("main window closed while downloading") << int(Qt::Key_Return) << -1;
        QTest::newRow("download window closed while downloading") << int(Qt::Key_Return) << -2;
        QTest::newRow("Escape when complete") << int(Qt::Key_Return) << int(Qt::Key_Escape);
        QTest::newRow("Return when complete") << int(Qt::Key_Enter) << int(Qt::Key_Return);
        QTest::newRow("main window closed when complete") << int(Qt::Key_Return) << int(Qt::Key_Close);
        QTest::newRow("installer gone when complete") << int(Qt::Key_Return) << int(Qt::Key_Delete);
    }
    void keysAnswerTheWindows()
    {
        QFETCH(int, onOffer);
        QFETCH(int, onComplete);
        const QByteArray script = installerScript().leftJustified(4000, '#');
        server_->serve("/setup.sh", {script, onComplete > 0 ? -1 : 100, 0, {}});
        QJsonObject v = versions(1, 1);
        v["linux_software_url_en"] = server_->url("/setup.sh");
        v["linux_software_url_en_sha256"] = sha256Hex(script);
        QVERIFY(start(v) && box("informationBox")->isVisible() && pressKey(box("informationBox"), Qt::Key_Escape));
        QVERIFY(!box("informationBox")->isVisible() && offered());
        QVERIFY(pressKey(box("softwareOfferBox"), Qt::Key(onOffer)) && !offered());
        if (onOffer == Qt::Key_Escape) {
            QVERIFY(server_->requests("/setup.sh") == 0);
            return;
        }
        if (onComplete <= 0) { // silently, and without leaving anything behind
            QTRY_VERIFY_WITH_TIMEOUT(shown("downloadWindow") && shown("downloadWindow")
                                         ->findChild<QAbstractButton *>("pB_Cancel")->isEnabled(), Deadline);
            QCloseEvent close;
            QVERIFY(onComplete == -1   ? (update_->closeAll(), true)
                    : onComplete == -2 ? QApplication::sendEvent(shown("downloadWindow")->windowHandle(), &close)
                                       : pressKey(shown("downloadWindow"), Qt::Key_Escape));
            QTRY_VERIFY_WITH_TIMEOUT(!shown("downloadWindow") && downloadFolders().isEmpty(), Deadline);
            QVERIFY(!shown("updateErrorBox"));
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(shown("downloadCompleteWindow"), Deadline);
        QCOMPARE(shown("downloadCompleteWindow")->windowTitle(), QString("AVENOR Update Information"));
        if (onComplete == Qt::Key_Delete) { // as a cleaner of temporary files would: an error, not silence
            QVERIFY(downloadFolders().size() == 1 && QDir(temp() + "/" + downloadFolders()[0]).removeRecursively());
            QVERIFY(pressKey(shown("downloadCompleteWindow"), Qt::Key_Return));
            QTRY_VERIFY_WITH_TIMEOUT(shown("updateErrorBox"), Deadline);
            return;
        }
        QVERIFY(onComplete == Qt::Key_Close ? (update_->closeAll(), true)
                                            : pressKey(shown("downloadCompleteWindow"), Qt::Key(onComplete)));
        QVERIFY(!shown("downloadCompleteWindow")); // left open, it would keep the program running
        if (onComplete == Qt::Key_Return)
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(temp() + "/marker"), Deadline);
        QCOMPARE(downloadFolders().size(), 1); // closed or started, the installer stays
    }

    // A close before the first bytes, while Cancel is not offered yet, is refused and cancels nothing; the
    // firmware offer waits for the download.
    void closedBeforeTheFirstBytes()
    {
        const QByteArray script = installerScript().leftJustified(4000, '#');
        server_->serve("/setup.sh", {script, 0, 0, {}});
        QJsonObject v = versions(1, 1);
        v["linux_software_url_en"] = server_->url("/setup.sh");
        v["linux_software_url_en_sha256"] = sha256Hex(script);
        QVERIFY(start(v) && pressKey(box("informationBox"), Qt::Key_Escape));
        update_->firmwareCheck("LYNTRA K2", "No Device"); // the unit, not identified yet
        QVERIFY(pressKey(box("softwareOfferBox"), Qt::Key_Return));
        QTRY_VERIFY_WITH_TIMEOUT(shown("downloadWindow") && server_->requests("/setup.sh") == 1, Deadline);
        // The download goes first: no firmware offer on a tick, and the Update menu stays off.
        update_->firmwareCheck("LYNTRA K2", "1.02 0001");
        QVERIFY(!shown("firmwareOfferBox") && !update_->checksDone());
        QVERIFY(!shown("downloadWindow")->findChild<QAbstractButton *>("pB_Cancel")->isEnabled());
        QCloseEvent close; // to the window, as from the window manager
        QApplication::sendEvent(shown("downloadWindow")->windowHandle(), &close);
        QTest::qWait(500); // a cancel would have reached the worker and come back by now
        QVERIFY(shown("downloadWindow"));
        QCOMPARE(downloadFolders().size(), 1);
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
        const QByteArray longScript = script.leftJustified(4000, '#'), none;
        const QString right = "right", wrong = sha256Hex("something else");
        auto row = [](const char *name, const char *path, const QByteArray &body, const QString &hash,
                      const char *outcome, int stallAfter = -1, int trickleMs = 0) {
            QTest::newRow(name) << QString(path) << body << hash << QString(outcome) << stallAfter << trickleMs;
        };
        row("trickling", "/slow.sh", longScript, right, "marker", -1, 60);
        row("stalled", "/slow.sh", longScript, right, "error", 100, 0);
        row("silent from the start", "/slow.sh", longScript, right, "error", 0, 0);
        row("archive", "/pkg.tar.gz", archive, right, "marker");
        row("zip", "/pkg.zip", fixture("ok-installer.zip"), right, "marker");
        row("script", "/setup.sh", script, right, "marker");
        row("escaped address", "/my%20setup.sh", script, right, "marker");
        row("Japanese: English before Windows", "ja:/setup.sh", script, right, "marker");
        row("Japanese: only Windows", "ja-windows:/win.exe", script, right, "browser");
        row("https", "tls:/setup.sh", script, right, "marker");
        row("https redirected to loopback http", "tls:/moved.sh", none, sha256Hex(script), "error");
        row("package", "/panel.deb", "!<arch>\n", right, "package");
        row("archive, hash mismatch", "/pkg.tar.gz", archive, wrong, "error");
        row("script, hash mismatch", "/setup.sh", script, wrong, "error");
        row("no hash", "/setup.sh", script, "", "browser");
        row("malformed hash", "/setup.sh", script, "abc", "error");
        row("escaping entry", "/pkg.tar", fixture("bad-dotdot.tar"), right, "error");
        row("no installer", "/pkg.tar.xz", fixture("ok-readme.tar.xz"), right, "error");
        row("not found", "/missing.zip", none, wrong, "error");
        row("redirect to plain http", "/offsite.sh", none, sha256Hex(script), "error");
        row("four redirects", "/hop3.sh", none, sha256Hex(script), "marker");
        row("six redirects", "/hop1.sh", none, sha256Hex(script), "error");
        row("plain http", "http://download.avenor-audio.example/setup.sh", none, wrong, "error");
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
            (path.startsWith("tls:") ? *tls_ : *server_).serve(path.section(':', -1), {body, stallAfter, trickleMs, {}});
        server_->serve("/setup.exe", {installerScript(), -1, 0, {}}); // never for Linux
        // A trickle lasts longer than its limit (2.4 s against 1.6 s) and never pauses near it, even on
        // a loaded machine; a stall ends the download.
        const int limitMs = stallAfter >= 0 ? 1000 : trickleMs > 0 ? 1600 : UpdateSoftware::InactivityLimitMs;
        QVERIFY(acceptOffer(path, hash == "right" ? sha256Hex(body) : hash, limitMs));
        QTRY_VERIFY_WITH_TIMEOUT(shown("downloadCompleteWindow") || shown("updateErrorBox") || !desktop.urls.isEmpty(),
                                 Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(!shown("downloadWindow"), Deadline);
        if (outcome != "marker" && outcome != "package") {
            // Nothing is left behind, nothing ran; without a digest nothing was even fetched.
            QVERIFY(!shown("downloadCompleteWindow") && bool(shown("updateErrorBox")) == (outcome == "error"));
            QCOMPARE(desktop.urls, outcome == "browser" ? QList<QUrl>{address(path)} : QList<QUrl>{});
            QVERIFY(outcome != "browser" || server_->requests(path.section(':', -1)) == 0);
            QCOMPARE(downloadFolders(), QStringList());
            QVERIFY(!QFileInfo::exists(temp() + "/marker"));
            if (QWidget *box = shown("updateErrorBox"))
                box->close();
            return;
        }
        QVERIFY(!shown("updateErrorBox") && server_->requests("/setup.exe") == 0);
        QCOMPARE(downloadFolders().size(), 1); // the installer stays, an archive's unpacked copy only
        QVERIFY(!QFileInfo::exists(temp() + '/' + downloadFolders().first() + "/temp.zip"));
        shown("downloadCompleteWindow")->findChild<QAbstractButton *>("pB_OK")->click();
        QVERIFY(!shown("downloadCompleteWindow"));
        if (outcome == "marker")
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(temp() + "/marker"), Deadline);
        else
            QTRY_VERIFY_WITH_TIMEOUT(desktop.urls.size() == 1 && desktop.urls[0].path().endsWith("/temp.deb"), Deadline);
    }

    // The download worker itself fetches nothing it could not verify, whoever asks it: plain http when
    // the document is not on this computer, or a digest of the wrong length. One announced beyond the
    // limit is given up at its first bytes, not read on up to the limit.
    void workerFetchesOnlyTheVerifiable()
    {
        server_->serve("/setup.sh", {installerScript(), -1, 0, {}});
        server_->serve("/big.sh", {"#!", 2, 0, {}, true, UpdateInformation::DownloadLimit + 1});
        const QByteArray digest = QCryptographicHash::hash(installerScript(), QCryptographicHash::Sha256);
        using Row = std::tuple<QString, QByteArray, QString>; // the document's address, the digest, the download
        for (const auto &[document, sha256, path] :
             {Row{"https://download.avenor-audio.example/info.json", digest, "/setup.sh"},
              Row{server_->url("/info.json"), digest.left(31), "/setup.sh"},
              Row{server_->url("/info.json"), digest, "/big.sh"}}) {
            UpdateInformation worker(QUrl(document), temp(), 10 * Deadline);
            QSignalSpy refused(&worker, &UpdateInformation::errorDownloadFile);
            worker.downloadFile(QUrl(server_->url(path)), sha256);
            QTRY_COMPARE_WITH_TIMEOUT(refused.count(), 1, Deadline);
        }
        QCOMPARE(server_->requests("/setup.sh"), 0);
    }

    // A document larger than any document can be is given up, and its signature never asked for:
    // announced as such and sent whole at once, or of no announced length and never ending (it would
    // otherwise be read on until the connection's time runs out).
    void oversizedDocumentGivenUp_data()
    {
        QTest::addColumn<bool>("announced");
        QTest::addColumn<int>("over"); // bytes beyond the limit
        QTest::newRow("announced, sent whole") << true << 65536;
        QTest::newRow("unannounced, never ending") << false << 65536;
        QTest::newRow("exactly the limit is read") << true << 0;
    }
    void oversizedDocumentGivenUp()
    {
        QFETCH(bool, announced);
        QFETCH(int, over);
        const QByteArray body(int(UpdateInformation::DocumentLimit) + over, '{');
        server_->serve("/doc.json", {body, announced ? -1 : body.size(), 0, {}, announced});
        UpdateInformation worker(QUrl(server_->url("/doc.json")), temp(), 1000);
        QSignalSpy done(&worker, &UpdateInformation::finishedInformation);
        worker.downloadInformation();
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, Deadline);
        QCOMPARE(done.first().first().toString(), QString());
        QCOMPARE(server_->requests("/doc.json.sig"), over > 0 ? 0 : 1); // a read document is checked
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // and no reply is kept
        QCOMPARE(worker.findChildren<QNetworkReply *>().size(), 0);
    }

    // The main window: "- Update" offered once the checks are done and reaching the update service, the
    // firmware offer from the one-second tick, and every update window closed with the main window.
    void mainWindow()
    {
        // The document's firmware minor, the version put aside; whether the unit's 1.02 is offered an
        // update. Either way the checks are done.
        for (const auto &[firmwareMinor, putAside, offer] :
             {std::tuple{2, "", false}, {3, "", true}, {3, "1.03", false}}) {
            serveDocument(versions(1, 5, 1, firmwareMinor));
            settings_->setValue(settings::key::InformationDialog, true);
            settings_->setValue(settings::key::SoftDialog, "1.05");
            settings_->setValue(settings::key::FirmDialog, putAside);
            IdleDevice device;
            MainWindow w(device, *settings_);
            QVERIFY(!w.menus().update->isEnabled());
            device.recv_is_selected(true);
            emit device.sig_recv_version(102);
            emit device.sig_recv_build(34);
            emit device.sig_recv_productname("LYNTRA K2");
            // The one-second ticks run on their own; the document arrives when it does.
            QTRY_VERIFY_WITH_TIMEOUT(w.menus().update->isEnabled(), 30000);
            QCOMPARE(bool(shown("firmwareOfferBox")), offer);
            QVERIFY(!shown("softwareOfferBox"));
            w.menus().update->trigger(); // the version put aside is offered when asked for
            QVERIFY(shown("softwareOfferBox"));
            w.close();
            QVERIFY(!shown("firmwareOfferBox") && !shown("informationBox") && !shown("softwareOfferBox"));
            reset();
        }
    }
};

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"
