#include "XlsReader.h"

#include "CellText.h"
#include "SheetRows.h"

#include "platform/LimitedChild.h"

#include <QDir>
#include <QTemporaryFile>

#include <algorithm>

#include <freexl.h>

#include <csignal>
#include <cstring>
#include <new>
#include <sys/wait.h>

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
        case FREEXL_INSUFFICIENT_MEMORY:
            why = QStringLiteral("plik deklaruje więcej komórek, niż zmieści pamięć przewidziana na listę klasy; "
                                 "zapisz go jako .xlsx lub .ods");
            break;
        case FREEXL_BIFF_WORKBOOK_NOT_FOUND: why = QStringLiteral("w pliku nie ma skoroszytu"); break;
        case FREEXL_INVALID_CHARACTER:
        case FREEXL_UNSUPPORTED_CHARSET: why = QStringLiteral("nieznane kodowanie tekstów"); break;
        case FREEXL_INVALID_CFBF_HEADER:
        case FREEXL_CFBF_READ_ERROR:
        case FREEXL_CFBF_SEEK_ERROR:
        case FREEXL_CFBF_INVALID_SIGNATURE:
        case FREEXL_CFBF_INVALID_SECTOR_SIZE:
        case FREEXL_CFBF_EMPTY_FAT_CHAIN:
        case FREEXL_CFBF_ILLEGAL_FAT_ENTRY:
        case FREEXL_INVALID_MINI_STREAM:
        case FREEXL_CFBF_ILLEGAL_MINI_FAT_ENTRY:
            why = QStringLiteral("uszkodzony plik .xls (zła budowa pliku OLE2, kod %1)").arg(rc);
            break;
        default: why = QStringLiteral("uszkodzony skoroszyt w pliku .xls (kod %1)").arg(rc);
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

Table readFrom(const QByteArray &path, const QString &fileName, const ReadOptions &options, const ReadLimits &limits)
{
    const Workbook book(path, fileName);
    unsigned int info = 0;
    if (freexl_get_info(book.handle(), FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)
        throw TableError(QStringLiteral("%1: skoroszyt jest chroniony hasłem; zapisz go bez hasła").arg(fileName));
    unsigned int count = 0;
    // libfreexl leaves out a sheet it could not make room for.
    if (freexl_get_info(book.handle(), FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0)
        throw TableError(QStringLiteral("%1: nie ma w nim arkusza, który dałoby się odczytać (pusty skoroszyt albo arkusz "
                                        "deklarujący więcej komórek, niż zmieści pamięć przewidziana na listę klasy)")
                             .arg(fileName));
    count = qMin(count, 65535u);

    unsigned short index = 0;
    if (!options.sheet.isEmpty()) {
        QStringList names;
        for (unsigned int i = 0; i < count; ++i)
            names.append(sheetName(book, static_cast<unsigned short>(i)));
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

// What the child sends back: a table, or the message of a refusal. Plain
// bytes rather than QDataStream, whose buffer is a QObject: the child of a
// threaded program should touch as little shared machinery as it can.
class Answer {
public:
    void number(qint64 v) { bytes.append(reinterpret_cast<const char *>(&v), sizeof v); }
    void text(const QString &s)
    {
        const QByteArray utf8 = s.toUtf8();
        number(utf8.size());
        bytes += utf8;
    }
    QByteArray bytes;
};

class AnswerReader {
public:
    explicit AnswerReader(const QByteArray &bytes) : bytes_(bytes) {}
    bool ok() const { return ok_; }
    qint64 number()
    {
        qint64 v = 0;
        if (at_ + qsizetype(sizeof v) > bytes_.size()) {
            ok_ = false;
            return 0;
        }
        std::memcpy(&v, bytes_.constData() + at_, sizeof v);
        at_ += sizeof v;
        return v;
    }
    QString text()
    {
        const qint64 n = number();
        if (n < 0 || n > bytes_.size() - at_) {
            ok_ = false;
            return {};
        }
        QString s = QString::fromUtf8(bytes_.constData() + at_, qsizetype(n));
        at_ += qsizetype(n);
        return s;
    }

private:
    const QByteArray &bytes_;
    qsizetype at_ = 0;
    bool ok_ = true;
};

QByteArray encoded(const Table &t)
{
    Answer a;
    a.number(1);
    a.text(t.sheet);
    a.number(t.columnCount);
    a.number(t.skippedEmptyRows);
    a.number(t.rows.size());
    for (qsizetype i = 0; i < t.rows.size(); ++i) {
        a.number(t.origins[i].line);
        a.number(t.rows[i].size());
        for (const QString &cell : t.rows[i])
            a.text(cell);
    }
    return a.bytes;
}

QByteArray encodedRefusal(const QString &message)
{
    Answer a;
    a.number(0);
    a.text(message);
    return a.bytes;
}

Table decoded(const QByteArray &bytes, const QString &fileName)
{
    const TableError garbled(QStringLiteral("%1: nie udało się odczytać pliku .xls").arg(fileName));
    AnswerReader r(bytes);
    if (r.number() == 0) {
        const QString message = r.text();
        throw r.ok() ? TableError(message) : garbled;
    }
    Table t;
    t.sheet = r.text();
    t.columnCount = int(r.number());
    t.skippedEmptyRows = int(r.number());
    const qint64 rows = r.number();
    for (qint64 i = 0; i < rows && r.ok(); ++i) {
        t.origins.append(RowOrigin{int(r.number()), t.sheet});
        const qint64 cells = r.number();
        QStringList row;
        for (qint64 c = 0; c < cells && r.ok(); ++c)
            row.append(r.text());
        t.rows.append(row);
    }
    if (!r.ok())
        throw garbled;
    return t;
}

constexpr qint64 kChildMemory = 160 * 1024 * 1024;
constexpr int kChildSeconds = 20;

} // namespace

Table readXlsHere(const QByteArray &bytes, const QString &fileName, const ReadOptions &options, const ReadLimits &limits)
{
    const ScratchCopy copy(bytes, fileName);
    return readFrom(copy.path(), fileName, options, limits);
}

Table readXls(const QByteArray &bytes, const QString &fileName, const ReadOptions &options, const ReadLimits &limits)
{
    const ScratchCopy copy(bytes, fileName);
    const QByteArray path = copy.path();
    platform::ChildLimits limitsOfChild;
    limitsOfChild.cpuSeconds = kChildSeconds;
    limitsOfChild.memoryBytes = kChildMemory;
    limitsOfChild.wallSeconds = 2 * kChildSeconds; // should it ever wait instead of working
    const platform::ChildEnd end = platform::runLimitedChild(limitsOfChild, [&] {
        try {
            return encoded(readFrom(path, fileName, options, limits));
        } catch (const TableError &e) {
            return encodedRefusal(QString::fromUtf8(e.what()));
        } catch (const std::bad_alloc &) {
            return encodedRefusal(QStringLiteral("%1: plik deklaruje więcej komórek, niż zmieści pamięć przewidziana "
                                                 "na listę klasy; zapisz go jako .xlsx lub .ods")
                                      .arg(fileName));
        } catch (const std::exception &e) {
            return encodedRefusal(
                QStringLiteral("%1: nie udało się odczytać pliku .xls (%2)").arg(fileName, QString::fromUtf8(e.what())));
        }
    });
    if (!end.started)
        throw TableError(QStringLiteral("%1: nie można uruchomić czytnika .xls (%2)")
                             .arg(fileName, QString::fromLocal8Bit(strerror(end.error))));
    if (end.late)
        throw TableError(
            QStringLiteral("%1: odczyt pliku .xls trwał ponad %2 s; plik odrzucono").arg(fileName).arg(kChildSeconds));
    if (WIFSIGNALED(end.status)) {
        const int signal = WTERMSIG(end.status);
        if (signal == SIGXCPU || signal == SIGKILL)
            throw TableError(
                QStringLiteral("%1: odczyt pliku .xls trwał ponad %2 s; plik odrzucono").arg(fileName).arg(kChildSeconds));
        throw TableError(
            QStringLiteral("%1: uszkodzony plik .xls (czytnik przerwał pracę, sygnał %2)").arg(fileName).arg(signal));
    }
    if (!WIFEXITED(end.status) || WEXITSTATUS(end.status) != 0 || end.answer.isEmpty())
        throw TableError(QStringLiteral("%1: nie udało się odczytać pliku .xls").arg(fileName));
    return decoded(end.answer, fileName);
}

} // namespace batch
