#include "ReadTable.h"

#include "Spreadsheet.h"
#include "TextTable.h"

#include <QFile>
#include <QFileInfo>

namespace batch {

Table readTable(const QString &path, const ReadOptions &options, const ReadLimits &limits)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw TableError(QStringLiteral("%1: nie ma takiego pliku (lista)").arg(path));
    if (!info.isFile())
        throw TableError(QStringLiteral("%1: to nie jest plik").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TableError(
            QStringLiteral("%1: nie można odczytać listy (%2)")
                .arg(path, info.isReadable() ? QStringLiteral("błąd odczytu") : QStringLiteral("brak uprawnień")));
    const auto tooLarge = [&] {
        return TableError(
            QStringLiteral("%1: lista jest za duża (ponad %2 MB)").arg(path).arg(limits.maxFileBytes / (1024 * 1024)));
    };
    if (file.size() > limits.maxFileBytes)
        throw tooLarge();
    const QByteArray bytes = file.read(limits.maxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw TableError(QStringLiteral("%1: nie można odczytać listy (błąd odczytu)").arg(path));
    if (bytes.size() > limits.maxFileBytes)
        throw tooLarge();
    if (isSpreadsheet(bytes.left(8)))
        return readSpreadsheet(bytes, path, options, limits);
    return readTextTable(bytes, path, options, limits);
}

} // namespace batch
