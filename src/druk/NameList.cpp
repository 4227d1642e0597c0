#include "NameList.h"

#include "ErrorTexts.h"
#include "Failure.h"

#include "platform/Cp1250.h"

#include <QFile>
#include <QStringDecoder>

namespace druk {

ListError::ListError(int line, const QString &text)
    : std::runtime_error(QStringLiteral("wiersz %1: %2").arg(line).arg(text).toStdString()), line_(line)
{
}

const QStringList &columnNames()
{
    static const QStringList names{QStringLiteral("dla"),    QStringLiteral("naglowek"), QStringLiteral("tresc1"),
                                   QStringLiteral("tresc2"), QStringLiteral("tresc3"),   QStringLiteral("tresc4"),
                                   QStringLiteral("tresc5"), QStringLiteral("tresc6")};
    return names;
}

namespace {

// The text of a list file: UTF-8 with or without a byte order mark,
// UTF-16 with one, and otherwise Windows-1250, which a spreadsheet on a
// Polish Windows writes.
QString decodeText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        QString text = decoder(bytes.mid(2));
        if (!decoder.hasError())
            return text;
    }
    const QByteArray data = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(data);
    return utf8.hasError() ? platform::fromCp1250(data) : text;
}

// The lines of a list: CR LF, LF and CR alone all end a line.
QStringList decodeLines(const QByteArray &bytes)
{
    const QString text = decodeText(bytes);
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            lines.append(line);
            line.clear();
            continue;
        }
        if (c.isNull())
            throw ListError(int(lines.size()) + 1, QStringLiteral("niedozwolony znak NUL"));
        line += c;
    }
    // A final line break does not open another line.
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

QString columnKey(QString cell)
{
    cell = cell.trimmed().toLower();
    cell.replace(QChar(u'ł'), QLatin1Char('l')).replace(QChar(u'ó'), QLatin1Char('o'));
    cell.replace(QChar(u'ś'), QLatin1Char('s')).replace(QChar(u'ć'), QLatin1Char('c'));
    cell.replace(QChar(u'ę'), QLatin1Char('e')).replace(QChar(u'ą'), QLatin1Char('a'));
    return cell;
}

QStringList splitCsvLine(const QString &line, QChar separator, int lineNumber)
{
    QStringList cells;
    QString cell;
    bool quoted = false;
    bool wasQuoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                    cell += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"')) {
            if (wasQuoted || !cell.trimmed().isEmpty())
                throw ListError(lineNumber, QStringLiteral("cudzysłów w środku pola %1").arg(cells.size() + 1));
            cell.clear();
            quoted = true;
            wasQuoted = true;
        } else if (c == separator) {
            cells.append(wasQuoted ? cell : cell.trimmed());
            cell.clear();
            wasQuoted = false;
        } else {
            if (wasQuoted && !c.isSpace())
                throw ListError(lineNumber, QStringLiteral("tekst po zamykającym cudzysłowie w polu %1")
                                                .arg(cells.size() + 1));
            if (!wasQuoted)
                cell += c;
        }
    }
    if (quoted)
        throw ListError(lineNumber, QStringLiteral("niezamknięty cudzysłów"));
    cells.append(wasQuoted ? cell : cell.trimmed());
    return cells;
}

void setField(ListRecord &record, int column, const QString &value)
{
    if (column == 0)
        record.recipient = value;
    else if (column == 1)
        record.heading = value;
    else
        record.body[column - 2] = value;
}

} // namespace

QList<ListRecord> parseNameLines(const QByteArray &bytes)
{
    QList<ListRecord> records;
    const QStringList lines = decodeLines(bytes);
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = lines[i].trimmed();
        if (name.isEmpty())
            continue;
        ListRecord record;
        record.line = i + 1;
        record.recipient = name;
        records.append(record);
    }
    return records;
}

QList<ListRecord> parseCsv(const QByteArray &bytes, CsvHeader header)
{
    const QStringList lines = decodeLines(bytes);
    int first = 0;
    while (first < lines.size() && lines[first].trimmed().isEmpty())
        ++first;
    if (first == lines.size())
        return {};
    const QChar separator = lines[first].contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');

    // A header is a first row whose cells are all column names. A first row
    // of several cells none of which is a column name is most likely a
    // header in other words: printed as names it would waste a class's
    // diplomas, so it is refused unless the user says there is no header.
    QList<int> columns;
    const QStringList head = splitCsvLine(lines[first], separator, first + 1);
    int known = 0;
    for (const QString &cell : head)
        known += columnNames().contains(columnKey(cell));
    const bool hasHeader = header == CsvHeader::Auto && known > 0;
    if (header == CsvHeader::Auto && known == 0 && head.size() >= 2) {
        QStringList quoted;
        for (const QString &cell : head)
            quoted.append(QStringLiteral("„%1”").arg(quotedForMessage(cell.trimmed(), 30)));
        throw ListError(first + 1, QStringLiteral("pierwszy wiersz (%1) nie jest nagłówkiem: kolumny to %2; "
                                                  "lista bez nagłówka wymaga --bez-naglowka")
                                       .arg(quoted.join(QStringLiteral(", ")), columnNames().join(QStringLiteral(", "))));
    }
    if (hasHeader) {
        for (const QString &cell : head) {
            const int column = columnNames().indexOf(columnKey(cell));
            if (column < 0)
                throw ListError(first + 1, QStringLiteral("nieznana kolumna „%1” (dozwolone: %2)")
                                               .arg(quotedForMessage(cell.trimmed()),
                                                    columnNames().join(QStringLiteral(", "))));
            if (columns.contains(column))
                throw ListError(first + 1,
                                QStringLiteral("kolumna „%1” powtórzona").arg(quotedForMessage(cell.trimmed())));
            columns.append(column);
        }
    } else {
        for (int c = 0; c < columnNames().size(); ++c)
            columns.append(c);
    }

    QList<ListRecord> records;
    for (int i = hasHeader ? first + 1 : first; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        const QStringList cells = splitCsvLine(lines[i], separator, i + 1);
        if (cells.size() > columns.size())
            throw ListError(i + 1, hasHeader ? QStringLiteral("%1 pól, a nagłówek ma %2 kolumn")
                                                   .arg(cells.size())
                                                   .arg(columns.size())
                                             : QStringLiteral("%1 pól, najwyżej %2 (dla, naglowek, tresc1 … tresc6)")
                                                   .arg(cells.size())
                                                   .arg(columns.size()));
        if (hasHeader && cells.size() < columns.size())
            throw ListError(i + 1, QStringLiteral("%1 pól, a nagłówek ma %2 kolumn").arg(cells.size()).arg(columns.size()));
        ListRecord record;
        record.line = i + 1;
        for (int c = 0; c < cells.size(); ++c)
            setField(record, columns[c], cells[c]);
        if (record.recipient && record.recipient->trimmed().isEmpty())
            throw ListError(i + 1, QStringLiteral("puste pole „dla”"));
        records.append(record);
    }
    return records;
}

QList<ListRecord> readList(const QString &path, CsvHeader header)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(path, openFailureText(path));
    if (file.size() > MaxListBytes)
        throw Failure(path, QStringLiteral("lista jest za duża (ponad %1 MB)").arg(MaxListBytes / (1024 * 1024)));
    const QByteArray bytes = file.read(MaxListBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw Failure(path, openFailureText(path));
    if (bytes.size() > MaxListBytes)
        throw Failure(path, QStringLiteral("lista jest za duża (ponad %1 MB)").arg(MaxListBytes / (1024 * 1024)));
    return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? parseCsv(bytes, header) : parseNameLines(bytes);
}

} // namespace druk
