#include "Spreadsheet.h"

#include "CellText.h"
#include "OdsReader.h"
#include "XlsReader.h"
#include "XlsxReader.h"
#include "ZipEntries.h"

namespace batch {

namespace {

const QByteArray kZip = QByteArrayLiteral("PK\x03\x04");
const QByteArray kOle2 = QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");

} // namespace

bool isSpreadsheet(const QByteArray &firstBytes)
{
    return firstBytes.startsWith(kZip) || firstBytes.startsWith(kOle2);
}

Table readSpreadsheet(const QByteArray &bytes, const QString &fileName, const ReadOptions &options,
                      const ReadLimits &limits)
{
    if (bytes.size() > limits.maxFileBytes)
        throw TableError(QStringLiteral("%1: plik ma ponad %2; to za dużo jak na listę klasy")
                             .arg(fileName, limits.maxFileBytes >= 1024 * 1024
                                                ? QStringLiteral("%1 MB").arg(limits.maxFileBytes / (1024 * 1024))
                                                : celltext::counted(limits.maxFileBytes, "bajt", "bajty", "bajtów")));
    if (bytes.startsWith(kOle2))
        return readXls(bytes, fileName, options, limits);
    if (!bytes.startsWith(kZip))
        throw TableError(QStringLiteral("%1: to nie jest arkusz .xlsx, .ods ani .xls").arg(fileName));

    ZipEntries zip(bytes, fileName, limits.maxInflatedBytes);
    if (zip.contains(QStringLiteral("mimetype"))) {
        const QByteArray type = zip.readAll(QStringLiteral("mimetype"), 256).trimmed();
        if (type == "application/vnd.oasis.opendocument.spreadsheet"
            || type == "application/vnd.oasis.opendocument.spreadsheet-template")
            return readOds(zip, options, limits);
        throw TableError(QStringLiteral("%1: to dokument OpenDocument, ale nie arkusz (%2)")
                             .arg(fileName, QString::fromLatin1(type.left(80))));
    }
    if (zip.contains(QStringLiteral("[Content_Types].xml")))
        return readXlsx(zip, options, limits);
    throw TableError(QStringLiteral("%1: to archiwum ZIP, a nie arkusz .xlsx ani .ods").arg(fileName));
}

} // namespace batch
