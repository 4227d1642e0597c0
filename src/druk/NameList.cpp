#include "NameList.h"

#include "platform/IoError.h"

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

// The lines of a UTF-8 file (byte order mark dropped, CR LF accepted).
QStringList decodeLines(const QByteArray &bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    const QList<QByteArray> raw = data.split('\n');
    QStringList lines;
    for (int i = 0; i < raw.size(); ++i) {
        QByteArray line = raw[i];
        if (line.endsWith('\r'))
            line.chop(1);
        QStringDecoder decoder(QStringDecoder::Utf8);
        QString text = decoder(line);
        if (decoder.hasError())
            throw ListError(i + 1, QStringLiteral("to nie jest tekst UTF-8"));
        if (text.contains(QChar(0)))
            throw ListError(i + 1, QStringLiteral("niedozwolony znak NUL"));
        lines.append(text);
    }
    // A final line break does not open another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
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

QList<ListRecord> parseCsv(const QByteArray &bytes)
{
    const QStringList lines = decodeLines(bytes);
    int first = 0;
    while (first < lines.size() && lines[first].trimmed().isEmpty())
        ++first;
    if (first == lines.size())
        return {};
    const QChar separator = lines[first].contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');

    // A header is a first row whose cells are all column names.
    QList<int> columns;
    const QStringList head = splitCsvLine(lines[first], separator, first + 1);
    int known = 0;
    for (const QString &cell : head)
        known += columnNames().contains(columnKey(cell));
    const bool hasHeader = known > 0;
    if (hasHeader) {
        for (int c = 0; c < head.size(); ++c) {
            const int column = columnNames().indexOf(columnKey(head[c]));
            if (column < 0)
                throw ListError(first + 1, QStringLiteral("nieznana kolumna „%1” (dozwolone: %2)")
                                               .arg(head[c].trimmed(), columnNames().join(QStringLiteral(", "))));
            if (columns.contains(column))
                throw ListError(first + 1, QStringLiteral("kolumna „%1” powtórzona").arg(head[c].trimmed()));
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

QList<ListRecord> readList(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw platform::IoError(file.exists() ? platform::IoCode::AccessDenied : platform::IoCode::FileNotFound);
    const QByteArray bytes = file.readAll();
    return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? parseCsv(bytes) : parseNameLines(bytes);
}

} // namespace druk
