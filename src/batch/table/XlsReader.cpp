#include "XlsReader.h"

#include "CellText.h"
#include "SheetRows.h"

#include <QDir>
#include <QTemporaryFile>

#include <algorithm>

#include <freexl.h>

namespace batch {

namespace {

// freexl reads from a path: a private scratch copy, removed however the read ends.
class ScratchCopy {
public:
    ScratchCopy(const QByteArray &bytes, const QString &fileName)
        : file_(QDir::tempPath() + QStringLiteral("/dyplom-arkusz-XXXXXX.xls"))
    {
        if (!file_.open() || file_.write(bytes) != bytes.size() || !file_.flush())
            throw TableError(QStringLiteral("%1: nie można zapisać kopii roboczej w %2 (%3)")
                                 .arg(fileName, QDir::tempPath(), file_.errorString()));
    }
    QByteArray path() const { return QFile::encodeName(file_.fileName()); }

private:
    QTemporaryFile file_;
};

class Workbook {
public:
    Workbook(const QByteArray &path, const QString &fileName) : fileName_(fileName)
    {
        const int rc = freexl_open(path.constData(), &handle_);
        if (rc != FREEXL_OK) {
            if (handle_)
                freexl_close(handle_);
            handle_ = nullptr;
            fail(rc);
        }
    }
    ~Workbook()
    {
        if (handle_)
            freexl_close(handle_);
    }
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;

    const void *handle() const { return handle_; }

    [[noreturn]] void fail(int rc) const
    {
        QString why;
        switch (rc) {
        case FREEXL_INSUFFICIENT_MEMORY: why = QStringLiteral("za mało pamięci"); break;
        case FREEXL_BIFF_WORKBOOK_NOT_FOUND: why = QStringLiteral("w pliku nie ma skoroszytu"); break;
        case FREEXL_INVALID_CHARACTER:
        case FREEXL_UNSUPPORTED_CHARSET: why = QStringLiteral("nieznane kodowanie tekstów"); break;
        default: why = QStringLiteral("uszkodzony plik .xls (kod %1)").arg(rc);
        }
        throw TableError(QStringLiteral("%1: %2").arg(fileName_, why));
    }

private:
    QString fileName_;
    const void *handle_ = nullptr;
};

QString sheetName(const Workbook &book, unsigned short index)
{
    const char *name = nullptr;
    if (freexl_get_worksheet_name(book.handle(), index, &name) != FREEXL_OK || !name)
        return QStringLiteral("%1").arg(index + 1);
    return QString::fromUtf8(name);
}

QString shown(const FreeXL_CellValue &cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT: return celltext::number(cell.value.int_value);
    case FREEXL_CELL_DOUBLE: return celltext::number(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: return cell.value.text_value ? QString::fromUtf8(cell.value.text_value) : QString();
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME: {
        if (!cell.value.text_value)
            return {};
        // "2024-06-21" and "2024-06-21 10:30:00"
        const QString iso = QString::fromLatin1(cell.value.text_value).replace(QLatin1Char(' '), QLatin1Char('T'));
        const QString date = celltext::isoDate(iso);
        return date.isEmpty() ? QString::fromLatin1(cell.value.text_value) : date;
    }
    case FREEXL_CELL_TIME: {
        if (!cell.value.text_value)
            return {};
        const QString t = QString::fromLatin1(cell.value.text_value);
        return t.endsWith(QLatin1String(":00")) ? t.chopped(3) : t;
    }
    default: return {};
    }
}

} // namespace

Table readXls(const QByteArray &bytes, const QString &fileName, const ReadOptions &options, const ReadLimits &limits)
{
    const ScratchCopy copy(bytes, fileName);
    const Workbook book(copy.path(), fileName);
    unsigned int info = 0;
    if (freexl_get_info(book.handle(), FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)
        throw TableError(QStringLiteral("%1: skoroszyt jest chroniony hasłem; zapisz go bez hasła").arg(fileName));
    unsigned int count = 0;
    if (freexl_get_info(book.handle(), FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0)
        throw TableError(QStringLiteral("%1: w pliku nie ma żadnego arkusza").arg(fileName));
    count = qMin(count, 65535u);

    unsigned short index = 0;
    if (!options.sheet.isEmpty()) {
        QStringList names;
        for (unsigned short i = 0; i < count; ++i)
            names.append(sheetName(book, i));
        const auto at = std::find_if(names.cbegin(), names.cend(), [&](const QString &n) {
            return n.compare(options.sheet, Qt::CaseInsensitive) == 0;
        });
        if (at == names.cend()) {
            for (QString &n : names)
                n = QStringLiteral("„%1”").arg(n);
            throw TableError(QStringLiteral("%1: nie ma arkusza „%2”; arkusze w pliku: %3")
                                 .arg(fileName, options.sheet, names.join(QStringLiteral(", "))));
        }
        index = static_cast<unsigned short>(at - names.cbegin());
    }
    const QString sheet = sheetName(book, index);
    int rc = freexl_select_active_worksheet(book.handle(), index);
    if (rc != FREEXL_OK)
        book.fail(rc);
    unsigned int rowCount = 0;
    unsigned short columnCount = 0;
    rc = freexl_worksheet_dimensions(book.handle(), &rowCount, &columnCount);
    if (rc != FREEXL_OK)
        book.fail(rc);

    SheetRows rows(fileName, sheet, limits);
    for (unsigned int r = 0; r < rowCount; ++r) {
        rows.beginRow(qint64(r) + 1);
        for (unsigned short c = 0; c < columnCount; ++c) {
            FreeXL_CellValue cell;
            rc = freexl_get_cell_value(book.handle(), r, c, &cell);
            if (rc != FREEXL_OK)
                book.fail(rc);
            rows.setCell(c, shown(cell));
        }
    }
    return rows.finish();
}

} // namespace batch
