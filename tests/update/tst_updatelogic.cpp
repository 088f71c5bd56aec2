// The update document's addresses and digests, the language records and the address rule. Version
// comparison is exercised through the controller's offers in tst_updateflow.
#include "updatedocument.h"
#include "updatetexts.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TestUpdateLogic : public QObject {
    Q_OBJECT

private slots:
    // The Linux address when there is one, else the other platform's; the digest beside the one chosen.
    void downloadAddresses()
    {
        const QJsonObject version{{"windows_software_url_en", "https://w/en.exe"},
                                  {"linux_software_url_en", "https://l/en.zip"},
                                  {"windows_software_url_ja", "https://w/ja.exe"},
                                  {"linux_software_url_ja_sha256", QString(64, 'a')},
                                  {"windows_software_url_ja_sha256", QString(64, 'b')}};
        const auto doc =
            UpdateDocument::parse(QJsonDocument(QJsonObject{{"LYNTRA_version1", version}}).toJson());
        QCOMPARE(doc.download(UpdateDocument::Kind::Software, false).url, QUrl("https://l/en.zip"));
        const UpdateDownload fallback = doc.download(UpdateDocument::Kind::Software, true);
        QCOMPARE(fallback.url, QUrl("https://w/ja.exe"));
        QCOMPARE(fallback.sha256, QByteArray(32, char(0xbb)));
        QVERIFY(doc.download(UpdateDocument::Kind::Firmware, true).url.isEmpty());
    }

    void languages()
    {
        const QLocale::Language order[] = {QLocale::English, QLocale::French,  QLocale::Spanish,
                                           QLocale::German,  QLocale::Italian, QLocale::Japanese,
                                           QLocale::Chinese};
        for (int lang = 0; lang < updatetexts::LanguageCount; ++lang) {
            QCOMPARE(updatetexts::languageIndex(QLocale(order[lang])), lang);
            QCOMPARE(updatetexts::text(lang, updatetexts::Ok), QStringLiteral("OK"));
            // Translated, not copied: only "OK" reads as the English text.
            for (int i = 1; i < updatetexts::TextCount; ++i)
                QVERIFY(lang == 0 || updatetexts::text(lang, updatetexts::Text(i)) !=
                                         updatetexts::text(0, updatetexts::Text(i)));
            QVERIFY(updatetexts::text(lang, updatetexts::DownloadFailed).endsWith("</a>"));
        }
        QCOMPARE(updatetexts::languageIndex(QLocale(QLocale::Dutch)), 0);
    }

    void addressRule()
    {
        const std::pair<const char *, bool> rows[] = {{"https://download.example/x.zip", true},
                                                      {"http://download.example/x.zip", false},
                                                      {"http://127.0.0.1:8080/x", true},
                                                      {"http://localhost/x", true},
                                                      {"http://[::1]/x", true},
                                                      {"file:///etc/passwd", false},
                                                      {"ftp://127.0.0.1/x", false},
                                                      {"", false}};
        for (const auto &[url, allowed] : rows)
            QVERIFY2(updateAddressAllowed(QUrl(url)) == allowed, url);
    }
};

QTEST_GUILESS_MAIN(TestUpdateLogic)
#include "tst_updatelogic.moc"
