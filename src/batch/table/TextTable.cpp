#include "TextTable.h"

#include "TextDecoding.h"

#include "batch/Texts.h"

namespace batch {

namespace {

QChar detectSeparator(const QStringList &lines, bool csv)
{
    const QList<QChar> candidates = csv ? QList<QChar>{QLatin1Char('\t'), QLatin1Char(';'), QLatin1Char(',')}
                                        : QList<QChar>{QLatin1Char('\t')};
    for (const QString &line : lines) {
        QChar best;
        int bestCount = 0;
        for (const QChar candidate : candidates) {
            int count = 0;
            bool quoted = false;
            for (const QChar c : line) {
                if (c == QLatin1Char('"'))
                    quoted = !quoted;
                else if (!quoted && c == candidate)
                    ++count;
            }
            if (count > bestCount) {
                best = candidate;
                bestCount = count;
            }
        }
        // The first line with anything in it decides: a stray tab further
        // down does not split a plain list.
        if (!line.trimmed().isEmpty() || bestCount > 0)
            return best;
    }
    return {};
}

class Parser {
public:
    Parser(const DecodedLines &decoded, QChar separator, bool quotes, const QString &fileName, const ReadLimits &limits)
        : lines_(decoded.lines), separator_(separator), quotes_(quotes), fileName_(fileName), limits_(limits)
    {}

    void run(Table &table)
    {
        for (int i = 0; i < lines_.size(); ++i) {
            const int first = i;
            QStringList cells = quotes_ ? splitRow(i) : QStringList{lines_[i].trimmed()};
            while (!cells.isEmpty() && cells.last().isEmpty())
                cells.removeLast();
            if (cells.isEmpty()) {
                // A blank line is no row; a row of separators is one, and counts.
                if (!lines_[first].trimmed().isEmpty() || first != i)
                    ++table.skippedEmptyRows;
                continue;
            }
            if (cells.size() > limits_.maxColumns)
                fail(first, QStringLiteral("%1, najwięcej %2")
                                .arg(plural(cells.size(), QStringLiteral("kolumna"), QStringLiteral("kolumny"),
                                            QStringLiteral("kolumn")))
                                .arg(limits_.maxColumns));
            for (int c = 0; c < cells.size(); ++c)
                if (cells[c].size() > limits_.maxCellChars)
                    fail(first,
                         QStringLiteral("komórka %1 ma ponad %2 znaków").arg(columnLetter(c)).arg(limits_.maxCellChars));
            if (table.rows.size() >= limits_.maxRows)
                fail(first, QStringLiteral("lista ma ponad %1; tyle najwyżej da się wydrukować za jednym razem")
                                .arg(plural(limits_.maxRows, QStringLiteral("wiersz"), QStringLiteral("wiersze"),
                                            QStringLiteral("wierszy"))));
            table.columnCount = std::max(table.columnCount, int(cells.size()));
            cells.squeeze();
            table.rows.append(cells);
            table.origins.append(RowOrigin{first + 1, QString()});
        }
    }

private:
    [[noreturn]] void fail(int line, const QString &what) const
    {
        throw TableError(QStringLiteral("%1: wiersz %2: %3").arg(fileName_).arg(line + 1).arg(what));
    }

    // The cells of the row starting at line i; i moves to the row's last line.
    QStringList splitRow(int &i)
    {
        const int first = i;
        QStringList cells;
        QString cell;
        bool quoted = false;    // inside quotes
        bool wasQuoted = false; // the cell was quoted and is closed
        int pendingEmpty = 0;   // empty cells not yet known to lie before a filled one
        const auto endCell = [&] {
            const QString text = wasQuoted ? cell : cell.trimmed();
            if (text.isEmpty()) {
                ++pendingEmpty; // a line of separators costs no memory
            } else {
                if (cells.size() + pendingEmpty >= limits_.maxColumns)
                    fail(first, QStringLiteral("ponad %1 kolumn").arg(limits_.maxColumns));
                for (; pendingEmpty > 0; --pendingEmpty)
                    cells.append(QString());
                // A copy of its own length: the cell grew a character at a time.
                cells.append(QString(text.constData(), text.size()));
            }
            cell.resize(0);
            wasQuoted = false;
        };
        for (;;) {
            const QString &line = lines_[i];
            for (qsizetype k = 0; k < line.size(); ++k) {
                const QChar c = line[k];
                if (quoted) {
                    if (c != QLatin1Char('"'))
                        cell += c;
                    else if (k + 1 < line.size() && line[k + 1] == QLatin1Char('"'))
                        cell += line[++k];
                    else
                        quoted = false;
                } else if (c == separator_) {
                    endCell();
                } else if (wasQuoted) {
                    if (!c.isSpace())
                        fail(first, QStringLiteral("tekst po zamykającym cudzysłowie w komórce %1")
                                        .arg(columnLetter(int(cells.size()) + pendingEmpty)));
                } else if (c == QLatin1Char('"') && cell.trimmed().isEmpty()) {
                    cell.clear();
                    quoted = true;
                    wasQuoted = true;
                } else {
                    cell += c; // a quote inside an unquoted cell is a plain character
                }
            }
            if (!quoted)
                break;
            if (i + 1 >= lines_.size())
                fail(first, QStringLiteral("niezamknięty cudzysłów w komórce %1")
                                .arg(columnLetter(int(cells.size()) + pendingEmpty)));
            if (cell.size() > limits_.maxCellChars)
                fail(first, QStringLiteral("komórka %1 ma ponad %2 znaków")
                                .arg(columnLetter(int(cells.size()) + pendingEmpty))
                                .arg(limits_.maxCellChars));
            cell += QLatin1Char(' '); // each text is one line
            ++i;
        }
        endCell();
        return cells;
    }

    const QStringList &lines_;
    QChar separator_; // null: one column
    bool quotes_;
    QString fileName_;
    ReadLimits limits_;
};

} // namespace

Table readTextTable(const QByteArray &bytes, const QString &fileName, const ReadOptions &options, const ReadLimits &limits)
{
    if (bytes.size() > limits.maxFileBytes)
        throw TableError(
            QStringLiteral("%1: lista jest za duża (ponad %2 MB)").arg(fileName).arg(limits.maxFileBytes / (1024 * 1024)));
    // A picture or a document given as a list (renamed, or the wrong file
    // chosen) is said as what it is, not guessed as some text encoding.
    static const QList<QPair<QByteArray, QString>> notLists{
        {QByteArray("\x89PNG\r\n\x1a\n"), QStringLiteral("obraz PNG")},
        {QByteArray("\xff\xd8\xff"), QStringLiteral("obraz JPEG")},
        {QByteArray("GIF8"), QStringLiteral("obraz GIF")},
        {QByteArray("%PDF-"), QStringLiteral("dokument PDF")},
        {QByteArray("\xd7\xcd\xc6\x9a"), QStringLiteral("wzór WMF")},
    };
    for (const auto &kind : notLists)
        if (bytes.startsWith(kind.first))
            throw TableError(QStringLiteral("%1: to nie jest lista (%2)").arg(fileName, kind.second));
    DecodedLines decoded = decodeLines(bytes, options.encoding, fileName);
    for (int i = 0; i < decoded.lines.size(); ++i) {
        QString &line = decoded.lines[i];
        line.remove(QChar(0xFEFF)); // the mark of each file when exports are joined
        if (line.contains(QChar(0)))
            throw TableError(QStringLiteral("%1: wiersz %2: niedozwolony znak NUL%3")
                                 .arg(fileName)
                                 .arg(i + 1)
                                 .arg(decoded.encoding.startsWith(QLatin1String("UTF-16"))
                                          ? QString()
                                          : QStringLiteral(" (UTF-16 bez znacznika BOM? --kodowanie utf-16le)")));
    }

    Table table;
    table.encoding = decoded.encoding;
    const bool csv = fileName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    table.separator = options.separator.isNull() ? detectSeparator(decoded.lines, csv) : options.separator;
    // A .csv of one column may still quote its cells; a plain list is taken line by line.
    Parser(decoded, table.separator, csv || !table.separator.isNull(), fileName, limits).run(table);
    for (const int line : decoded.fallbackLines)
        table.warnings.append(
            QStringLiteral("%1: wiersz %2 nie jest zapisany w UTF-8: odczytany jako Windows-1250").arg(fileName).arg(line));
    return table;
}

} // namespace batch
