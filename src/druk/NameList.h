#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <stdexcept>

namespace druk {

// A list that cannot be used; what() names the line and what is wrong.
class ListError : public std::runtime_error {
public:
    ListError(int line, const QString &text);
    int line() const { return line_; }

private:
    int line_;
};

// The texts one record replaces; unset fields keep the diploma's own.
struct ListRecord {
    int line = 0; // line of the list the record comes from, from 1
    std::optional<QString> recipient;
    std::optional<QString> heading;
    std::optional<QString> body[6];
};

// Column names of a CSV list: dla, naglowek, tresc1 ... tresc6 (Polish
// letters and letter case allowed). A CSV without a header takes its
// columns in this order.
const QStringList &columnNames();

// Whether a CSV list's first row may be its header.
enum class CsvHeader {
    Auto, // a header when it names columns; several unknown cells are refused
    None, // every row is data (--bez-naglowka)
};

// The largest list read.
constexpr qint64 MaxListBytes = 16 * 1024 * 1024;

// Lists are UTF-8 (a byte order mark is dropped), UTF-16 with a byte order
// mark, or, when the bytes are not UTF-8, Windows-1250; lines end in CR LF,
// LF or CR.

// A plain list: one recipient per line, blank lines skipped.
QList<ListRecord> parseNameLines(const QByteArray &bytes);

// A CSV list: fields separated by ";" when the first line holds one,
// otherwise by ","; fields may be quoted with '"' ("" for a quote); a
// header row names the columns.
QList<ListRecord> parseCsv(const QByteArray &bytes, CsvHeader header = CsvHeader::Auto);

// Reads a list file: CSV when its name ends in ".csv", otherwise plain.
// Throws Failure when the file cannot be read, ListError when it is wrong.
QList<ListRecord> readList(const QString &path, CsvHeader header = CsvHeader::Auto);

} // namespace druk
