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

// A plain list: one recipient per line, blank lines skipped, UTF-8.
QList<ListRecord> parseNameLines(const QByteArray &bytes);

// A CSV list: fields separated by ";" when the first line holds one,
// otherwise by ","; fields may be quoted with '"' ("" for a quote); an
// optional header row names the columns.
QList<ListRecord> parseCsv(const QByteArray &bytes);

// Reads a list file: CSV when its name ends in ".csv", otherwise plain.
QList<ListRecord> readList(const QString &path);

} // namespace druk
