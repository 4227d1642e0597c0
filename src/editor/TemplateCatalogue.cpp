#include "TemplateCatalogue.h"
#include "platform/DataPath.h"
#include "platform/IoError.h"

#include <QFile>

namespace editor {
QString templateNumberText(std::int32_t number)
{
    QString text = QString::number(number);
    while (text.size() < 4)
        text.prepend(QLatin1Char('0'));
    return text;
}

QString templateFilePath(const QString &programDir, const QString &numberText)
{
    return platform::resolveDataPath(programDir, QStringLiteral("\\Wzory\\BDR_") + numberText + QStringLiteral(".wmf"));
}

QString templateFileIn(const QString &templatesFolder, std::int32_t number)
{
    return platform::resolveDataPath(templatesFolder,
                                     QStringLiteral("BDR_") + templateNumberText(number) + QStringLiteral(".wmf"));
}

wmf::Metafile loadTemplatePicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        switch (file.error()) {
        case QFileDevice::PermissionsError: throw platform::IoError(platform::IoCode::AccessDenied);
        default:
            throw platform::IoError(file.exists() ? platform::IoCode::AccessDenied : platform::IoCode::FileNotFound);
        }
    }
    if (file.size() > wmf::Metafile::MaxFileBytes) // never loaded whole
        throw wmf::MetafileError("damaged metafile: the file is too large");
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw platform::IoError(platform::IoCode::AccessDenied);
    return wmf::Metafile::fromBytes(bytes);
}

} // namespace editor
