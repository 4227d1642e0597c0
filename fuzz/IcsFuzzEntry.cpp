#include "IcsFuzzEntry.h"

#include "terminy/IcsDocument.h"
#include "terminy/TaskStore.h"

using tasks::IcsDocument;

namespace {

bool sameLinesBut(const QByteArray &before, const QByteArray &after, const QByteArray &changed)
{
    QList<QByteArray> a = before.split('\n'), b = after.split('\n');
    a.removeAll(QByteArray());
    b.removeAll(QByteArray());
    for (const QByteArray &line : b)
        if (!line.startsWith(changed) && !line.startsWith(' ') && !a.contains(line))
            return false;
    return true;
}

} // namespace

bool icsFuzzOne(const uint8_t *data, size_t size)
{
    if (size > 64 * 1024)
        return true;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IcsDocument doc;
    QString error;
    if (!IcsDocument::parse(bytes, doc, error))
        return !error.isEmpty();
    // Written back as read, and read again alike.
    const QByteArray written = doc.serialize();
    IcsDocument again;
    if (!IcsDocument::parse(written, again, error) || again.serialize() != written)
        return false;
    const QList<IcsDocument::Block> todos = doc.todos();
    if (again.todos().size() != todos.size())
        return false;
    for (const IcsDocument::Block &t : todos) {
        QDate date;
        QTime time;
        tasks::parseDue(doc.parameters(t, QStringLiteral("DUE")), doc.value(t, QStringLiteral("DUE")), date, time);
        const QString summary = IcsDocument::unescapeText(doc.value(t, QStringLiteral("SUMMARY")));
        // A stray carriage return is the one thing a title loses.
        if (IcsDocument::unescapeText(IcsDocument::escapeText(summary)) != QString(summary).remove(QLatin1Char('\r')))
            return false;
        doc.otherComponents(t);
    }
    if (todos.isEmpty())
        return true;
    // A new title for the first to-do: that line changes, the others stay.
    const QString title = QStringLiteral("Zebranie; sala 12, godz. \\ 15:00 — zażółć gęślą jaźń ") + QString(40, u'x');
    again.setProperty(todos.front(), QStringLiteral("SUMMARY"), QLatin1Char(':') + IcsDocument::escapeText(title));
    const QByteArray edited = again.serialize();
    IcsDocument reread;
    if (!IcsDocument::parse(edited, reread, error) || reread.todos().size() != todos.size())
        return false;
    return IcsDocument::unescapeText(reread.value(reread.todos().front(), QStringLiteral("SUMMARY"))) == title
           && sameLinesBut(written, edited, "SUMMARY");
}

std::vector<QByteArray> icsSeeds()
{
    return {
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Edytor dyplomow//Terminarz//PL\r\nBEGIN:VTODO\r\n"
        "UID:1@dyplom\r\nSUMMARY:Zamówić dyplomy\r\nDUE;VALUE=DATE:20260620\r\nSTATUS:NEEDS-ACTION\r\n"
        "END:VTODO\r\nEND:VCALENDAR\r\n",
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Inny program//EN\r\nX-WR-CALNAME:Szkoła\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Europe/Warsaw\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\nTZOFFSETFROM:+0200\r\n"
        "TZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:e1\r\nDTSTART:20260620T100000Z\r\n"
        "SUMMARY:Zakończenie roku\r\nEND:VEVENT\r\nBEGIN:VTODO\r\nUID:t1\r\nSUMMARY:Podpisać dyplomy\\, wszystkie\r\n"
        "DUE;TZID=Europe/Warsaw:20260619T150000\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\nCATEGORIES:SZKOŁA,DYPLOMY\r\n"
        "DESCRIPTION:Bardzo długi opis zadania, który inny program złożył w kilka wierszy, bo ma więcej niż\r\n"
        "  siedemdziesiąt pięć bajtów w jednym wierszu\r\nX-INNY-PROGRAM;X-PARAM=\"a:b\":wartość\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nSUMMARY:Alarm\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\nEND:VTODO\r\n"
        "BEGIN:VTODO\r\nSUMMARY:Druga\r\nDUE:20260701T080000\r\nSTATUS:COMPLETED\r\nEND:VTODO\r\nEND:VCALENDAR\r\n",
        "\xEF\xBB\xBF"
        "BEGIN:VCALENDAR\nBEGIN:VTODO\nSUMMARY:LF i BOM\nDUE:20261231T235959Z\nEND:VTODO\nEND:VCALENDAR\n",
        "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:niezamknięte\r\nEND:VCALENDAR\r\n",
        "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:\xff\xfe zly bajt\r\nEND:VTODO\r\nEND:VCALENDAR\r\n",
    };
}
