#include "SheetFuzzEntry.h"

#include "SheetSamples.h"
#include "batch/table/Spreadsheet.h"
#include "batch/table/XlsReader.h"

namespace {

const QString kName = QStringLiteral("lista");

batch::ReadLimits fuzzLimits()
{
    batch::ReadLimits l;
    l.maxRows = 2000;
    l.maxColumns = 64;
    l.maxCellChars = 1000;
    l.maxInflatedBytes = 8 * 1024 * 1024;
    return l;
}

// What every table must keep: one origin per row, rows in sheet order, no
// empty row, no trailing empty cell, nothing past the limits.
bool sound(const batch::Table &t, const batch::ReadLimits &l)
{
    if (t.rows.size() != t.origins.size() || t.rows.size() > l.maxRows)
        return false;
    int widest = 0, last = 0;
    for (qsizetype i = 0; i < t.rows.size(); ++i) {
        const QStringList &row = t.rows[i];
        if (row.isEmpty() || row.last().isEmpty() || row.size() > l.maxColumns)
            return false;
        for (const QString &cell : row)
            if (cell.size() > l.maxCellChars)
                return false;
        if (t.origins[i].line <= last || t.origins[i].sheet != t.sheet)
            return false;
        last = t.origins[i].line;
        widest = qMax(widest, int(row.size()));
    }
    return widest == t.columnCount && t.skippedEmptyRows >= 0;
}

using Reader = batch::Table (*)(const QByteArray &, const QString &, const batch::ReadOptions &,
                                const batch::ReadLimits &);

bool check(const QByteArray &bytes, const QString &sheet = {}, Reader reader = batch::readSpreadsheet)
{
    const batch::ReadLimits limits = fuzzLimits();
    batch::ReadOptions options;
    options.sheet = sheet;
    try {
        return sound(reader(bytes, kName, options, limits), limits);
    } catch (const batch::TableError &e) {
        return QString::fromUtf8(e.what()).startsWith(kName + QLatin1Char(':'))
               || QString::fromUtf8(e.what()).startsWith(kName + QLatin1Char(','));
    }
}

QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace

bool xlsxFuzzOne(const uint8_t *data, size_t size)
{
    if (size > 256 * 1024)
        return true;
    const QByteArray in = bytesOf(data, size);
    if (in.startsWith("PK"))
        return check(in) && check(in, QStringLiteral("Inne"));
    // The input is the sheet's rows; the shared strings give it text to point at.
    sheetsamples::Xlsx x;
    x.sheetData = in;
    x.shared = {QStringLiteral("Imię"), QString(), QStringLiteral("x").repeated(1001)};
    x.styles = "<styleSheet><cellXfs><xf numFmtId=\"14\"/><xf numFmtId=\"22\"/><xf numFmtId=\"10\"/></cellXfs></styleSheet>";
    return check(sheetsamples::xlsx(x));
}

bool odsFuzzOne(const uint8_t *data, size_t size)
{
    if (size > 256 * 1024)
        return true;
    const QByteArray in = bytesOf(data, size);
    if (in.startsWith("PK"))
        return check(in) && check(in, QStringLiteral("B"));
    return check(sheetsamples::ods(in));
}

bool xlsFuzzOne(const uint8_t *data, size_t size)
{
    if (size > 256 * 1024)
        return true;
#ifdef DYPLOM_FUZZ_IN_PROCESS
    // libFuzzer's coverage and the sanitizers must see libfreexl itself.
    return check(bytesOf(data, size), {}, batch::readXlsHere);
#else
    return check(bytesOf(data, size));
#endif
}
