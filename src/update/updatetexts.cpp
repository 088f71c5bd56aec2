#include "updatetexts.h"

namespace updatetexts {

const char *const MakerWebsite = "https://www.avenor-audio.example";

namespace {

// The failure text ends with a link to the web site; the records hold the part before it.
const char16_t *const Records[LanguageCount][TextCount] = {
    {u"OK", u"Cancel", u"Update now", u"Update later", u"Do not show this message again",
     u"AVENOR Update Information", u"Current Version:", u"Latest Version:",
     u"<font size=+1><b>The newest version of the Settings Panel has been released.</b></font><br>",
     u"<font size=+1><b>The newest version of the unit firmware has been released.</b></font><br>",
     u"AVENOR Latest Information",
     u"The update file could not be downloaded.<br>Please try again after waiting a little while.<br>"
     u"                You can also download it manually from the AVENOR website.<br>",
     u"<b>Downloading</b>", u"<b>Download complete</b>"},
    {u"OK", u"Annuler", u"Mettre à jour", u"Plus tard", u"Ne plus afficher ce message", u"Mise à jour AVENOR",
     u"Version actuelle : ", u"Dernière version : ",
     u"<font size=+1><b>Une nouvelle version du Settings Panel est disponible.</b></font><br>",
     u"<font size=+1><b>Une nouvelle version du firmware de l'appareil est disponible.</b></font><br>",
     u"Actualités AVENOR",
     u"Le fichier de mise à jour n'a pas pu être téléchargé.<br>Veuillez réessayer dans quelques instants."
     u"<br>Vous pouvez aussi le télécharger manuellement sur le site web d'AVENOR.<br>",
     u"<b>Téléchargement en cours</b>", u"<b>Téléchargement terminé</b>"},
    {u"OK", u"Cancelar", u"Actualizar ahora", u"Más tarde", u"No volver a mostrar este mensaje",
     u"Actualizaciones de AVENOR", u"Versión actual: ", u"Última versión: ",
     u"<font size=+1><b>Ya está disponible una nueva versión del Settings Panel.</b></font><br>",
     u"<font size=+1><b>Ya está disponible una nueva versión del firmware de la unidad.</b></font><br>",
     u"Novedades de AVENOR",
     u"No se ha podido descargar el archivo de actualización.<br>Vuelva a intentarlo dentro de un rato."
     u"<br>También puede descargarlo manualmente desde el sitio web de AVENOR.<br>",
     u"<b>Descargando</b>", u"<b>Descarga completada</b>"},
    {u"OK", u"Abbrechen", u"Jetzt aktualisieren", u"Später", u"Diese Meldung nicht mehr anzeigen",
     u"AVENOR Update-Information", u"Installierte Version: ", u"Neueste Version: ",
     u"<font size=+1><b>Eine neue Version des Settings Panel ist erschienen.</b></font><br>",
     u"<font size=+1><b>Eine neue Firmware-Version für das Gerät ist erschienen.</b></font><br>",
     u"AVENOR Neuigkeiten",
     u"Die Update-Datei konnte nicht heruntergeladen werden.<br>Bitte versuchen Sie es in Kürze erneut."
     u"<br>Sie können sie auch manuell von der AVENOR-Website herunterladen.<br>",
     u"<b>Download läuft</b>", u"<b>Download abgeschlossen</b>"},
    {u"OK", u"Annulla", u"Aggiorna ora", u"Più tardi", u"Non mostrare più questo messaggio",
     u"Aggiornamenti AVENOR", u"Versione attuale: ", u"Ultima versione: ",
     u"<font size=+1><b>È disponibile una nuova versione del Settings Panel.</b></font><br>",
     u"<font size=+1><b>È disponibile una nuova versione del firmware dell'unità.</b></font><br>",
     u"Novità AVENOR",
     u"Non è stato possibile scaricare il file di aggiornamento.<br>Riprova tra qualche istante."
     u"<br>Puoi anche scaricarlo manualmente dal sito web di AVENOR.<br>",
     u"<b>Download in corso</b>", u"<b>Download completato</b>"},
    {u"OK", u"キャンセル", u"今すぐアップデート", u"後でアップデート", u"今後このメッセージを表示しない",
     u"AVENOR アップデート情報", u"現在のバージョン：", u"最新のバージョン：",
     u"<font size=+1><b>Settings Panel の最新バージョンがリリースされました。</b></font><br>",
     u"<font size=+1><b>本体ファームウェアの最新バージョンがリリースされました。</b></font><br>",
     u"AVENOR 最新情報",
     u"アップデートファイルをダウンロードできませんでした。<br>しばらく時間をおいてから再度お試しください。"
     u"<br>AVENOR のウェブサイトから手動でダウンロードすることもできます。<br>",
     u"<b>ダウンロード中</b>", u"<b>ダウンロード完了</b>"},
    {u"OK", u"取消", u"立即更新", u"稍后更新", u"不再显示此消息", u"AVENOR 更新信息", u"当前版本：",
     u"最新版本：", u"<font size=+1><b>Settings Panel 的最新版本已发布。</b></font><br>",
     u"<font size=+1><b>设备固件的最新版本已发布。</b></font><br>", u"AVENOR 最新消息",
     u"无法下载更新文件。<br>请稍候片刻后重试。<br>您也可以从 AVENOR 网站手动下载。<br>", u"<b>正在下载</b>",
     u"<b>下载完成</b>"},
};

} // namespace

int languageIndex(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::French:
        return 1;
    case QLocale::Spanish:
        return 2;
    case QLocale::German:
        return 3;
    case QLocale::Italian:
        return 4;
    case QLocale::Japanese:
        return 5;
    case QLocale::Chinese:
        return 6;
    default:
        return 0;
    }
}

QString text(int lang, Text which)
{
    if (which < 0 || which >= TextCount)
        return QString();
    if (lang < 0 || lang >= LanguageCount)
        lang = 0;
    QString out = QString::fromUtf16(Records[lang][which]);
    if (which == DownloadFailed)
        out += QStringLiteral("<a href=\"%1\">%1</a>").arg(QLatin1String(MakerWebsite));
    return out;
}

} // namespace updatetexts
