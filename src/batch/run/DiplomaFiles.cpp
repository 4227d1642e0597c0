#include "DiplomaFiles.h"

#include "batch/output/ErrorTexts.h"
#include "batch/output/Failure.h"
#include "editor/TemplateCatalogue.h"
#include "platform/IoError.h"

#include <QFile>
#include <QFileInfo>

namespace batch {

namespace {

void requireFile(const QString &path, const QString &what)
{
    if (!QFileInfo(path).isFile())
        throw Failure(path, QFileInfo::exists(path) ? QStringLiteral("to nie jest plik")
                                                    : QStringLiteral("nie ma takiego pliku (%1)").arg(what));
}

} // namespace

diplomafile::DiplomaContent readDiplomaFile(const QString &path)
{
    requireFile(path, QStringLiteral("plik dyplomu"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(path, QStringLiteral("nie można odczytać (%1)").arg(openFailureText(path)));
    const QByteArray bytes = file.read(diplomafile::RecordLayout::Size);
    if (bytes.size() < diplomafile::RecordLayout::Size)
        throw Failure(path, QStringLiteral("uszkodzony plik dyplomu: %1 bajtów zamiast %2")
                                .arg(bytes.size())
                                .arg(diplomafile::RecordLayout::Size));
    try {
        return diplomafile::parseDiplomaRecord(bytes);
    } catch (const std::exception &e) {
        throw Failure(path, QStringLiteral("uszkodzony plik dyplomu (%1)").arg(exceptionText(e)));
    }
}

wmf::Metafile readTemplateFile(const QString &path, const QString &what)
{
    requireFile(path, what);
    try {
        return editor::loadTemplatePicture(path);
    } catch (const platform::IoError &) {
        throw Failure(path, QStringLiteral("nie można odczytać (%1)").arg(openFailureText(path)));
    } catch (const std::exception &e) {
        throw Failure(path, QStringLiteral("uszkodzony wzór (%1)").arg(exceptionText(e)));
    }
}

printing::PrintInput printInputOf(const diplomafile::DiplomaContent &content, const wmf::Metafile &picture)
{
    printing::PrintInput in;
    in.texts = content.texts;
    in.heading = content.heading;
    in.body = content.body;
    in.recipient = content.recipient;
    in.picture = picture;
    return in;
}

} // namespace batch
