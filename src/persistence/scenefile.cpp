#include "scenefile.h"

#include "scenestore.h"
#include "settings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCodec>

bool SceneFile::checkText(const QByteArray &content, QString *why)
{
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(content.constData(), content.size(), &state);
    if (content.contains('\0') || state.invalidChars > 0) {
        *why = tr("It is not a text file: it is damaged or not a scene.");
        return false;
    }
    int number = 0;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        ++number;
        const QString line = raw.trimmed();
        const bool group = line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'));
        const bool setting = line.indexOf(QLatin1Char('=')) > 0;
        if (!line.isEmpty() && !group && !setting && !line.startsWith(QLatin1Char(';')) &&
            !line.startsWith(QLatin1Char('#'))) {
            *why = tr("Line %1 is not a setting: the file is damaged or not a scene.").arg(number);
            return false;
        }
    }
    return true;
}

bool SceneFile::read(const QString &path, QByteArray *mix, QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = tr("It cannot be read: %1").arg(file.errorString());
        return false;
    }
    if (file.size() > kMaxBytes) {
        *why = tr("It is far too large to be a scene.");
        return false;
    }
    const QByteArray content = file.read(kMaxBytes + 1);
    if (content.trimmed().isEmpty()) {
        *why = tr("It is empty.");
        return false;
    }
    if (!checkText(content, why))
        return false;

    QTemporaryDir work;
    const QString copy = work.filePath(QStringLiteral("scene.ini"));
    QFile out(copy);
    if (!work.isValid() || !out.open(QIODevice::WriteOnly) || out.write(content) != content.size()) {
        *why = tr("It cannot be read: %1").arg(out.errorString());
        return false;
    }
    out.close();
    int known = 0;
    {
        QSettings scene(copy, QSettings::IniFormat);
        scene.setIniCodec("UTF-8");
        // The file is read on first use, so the status means something only after the keys are in.
        const QStringList keys = scene.allKeys();
        if (scene.status() != QSettings::NoError) {
            *why = tr("It is damaged.");
            return false;
        }
        for (const QString &key : keys) {
            const QString group = key.section(QLatin1Char('/'), 0, 0);
            const QString name = key.section(QLatin1Char('/'), 1);
            // Only what the panel itself keeps of a mix is taken; the rest of the file stays out.
            if (!SceneStore::isMixKey(key) || !settings::findKey(group, name)) {
                scene.remove(key);
                continue;
            }
            const QVariant stored = scene.value(key);
            if (!Settings::readsCleanly(group, name, stored)) {
                *why = tr("It is damaged: %1 holds \"%2\".").arg(key, stored.toString().left(40));
                return false;
            }
            ++known;
        }
        scene.sync();
    }
    if (known == 0) {
        *why = tr("It holds no mix of this panel.");
        return false;
    }
    QFile result(copy);
    if (!result.open(QIODevice::ReadOnly)) {
        *why = tr("It cannot be read: %1").arg(result.errorString());
        return false;
    }
    *mix = result.readAll();
    return true;
}
