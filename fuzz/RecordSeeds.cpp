#include "RecordSeeds.h"

#include "diplomafile/DiplomaRecord.h"
#include "history/RunHistoryRecord.h"

namespace recordseeds {
namespace {

editor::TextBlockStyle style(const char *font, int size, uint32_t colour, uint8_t flags, int left, int top)
{
    editor::TextBlockStyle s;
    s.fontName = QString::fromUtf8(font);
    s.size = size;
    s.colour = colour;
    s.style = flags;
    s.left = left;
    s.top = top;
    return s;
}

QByteArray history(const char *date, const char *time, const char *count)
{
    modul_hist::RunHistoryRecord r;
    modul_hist::assignKeepingTail(r.runDate, QString::fromUtf8(date));
    modul_hist::assignKeepingTail(r.runTime, QString::fromUtf8(time));
    modul_hist::assignKeepingTail(r.runCount, QString::fromUtf8(count));
    return modul_hist::encodeRunHistory(r);
}

} // namespace

std::vector<QByteArray> diplomaSeeds()
{
    std::vector<QByteArray> out;
    diplomafile::DiplomaContent c;
    c.heading = style("Monotype Corsiva", 36, 0x000080, 1, 60, 40);
    c.body = style("Times New Roman", 14, 0xFF000008, 0, 30, 120);
    c.recipient = style("Arial", 26, 0x00FF00, 2 | 4 | 8, 45, 90);
    c.templateNumber = 1;
    c.texts.heading = QStringLiteral("DYPLOM");
    c.texts.recipient = QStringLiteral("Zażółć Gęślą Jaźń");
    c.texts.body[0] = QStringLiteral("za zajęcie I miejsca");
    c.texts.body[5] = QStringLiteral("Dyrektor szkoły");
    out.push_back(diplomafile::buildDiplomaRecord(c));

    // Every field at its capacity or its limit.
    c.heading.fontName = QString(100, QLatin1Char('W'));
    c.heading.size = -2147483647 - 1;
    c.body.left = 2147483647;
    c.templateNumber = -1;
    c.texts.heading = QString(30, QChar(0x0144));
    c.texts.recipient = QString(50, QLatin1Char('x'));
    for (QString &line : c.texts.body)
        line = QString(100, QChar(0x00D3));
    out.push_back(diplomafile::buildDiplomaRecord(c));

    out.push_back(QByteArray(diplomafile::RecordLayout::Size, '\0'));
    out.push_back(QByteArray(diplomafile::RecordLayout::Size, '\xFF'));
    out.push_back(out.front() + QByteArray(300, '\x01')); // a longer file
    out.push_back(out.front().left(1063));                // one byte short
    return out;
}

std::vector<QByteArray> historySeeds()
{
    std::vector<QByteArray> out;
    out.push_back(QByteArray(modul_hist::RunHistoryRecord::Size, '\0'));
    out.push_back(history("08.12.2026", "06:30:15", "41"));
    out.push_back(history("2026-12-08", "18:30:15 CET", "12ab"));
    out.push_back(history("", "", "  -2147483648"));
    out.push_back(history("dd/mm/yyyy-long!", "hh:mm:ss-too-long", "99999999999999999"));
    QByteArray dirty = history("01/01/2000", "00:00:00", "7");
    for (int i = 48; i < dirty.size(); ++i)
        dirty[i] = char(i * 37);
    out.push_back(dirty);
    out.push_back(QByteArray(modul_hist::RunHistoryRecord::Size, '\xFF'));
    return out;
}

std::vector<QByteArray> nameListSeeds()
{
    return {
        QByteArrayLiteral("Ala Kot\nJan Kowalski\n\nZofia Żółć\n"),
        QByteArrayLiteral("\xEF\xBB\xBFpierwsza\r\ndruga\r\n"),
        QByteArrayLiteral("jeden\rdwa\rtrzy"),
        QByteArrayLiteral(
            "dla;naglowek;tresc1;tresc2\nAla Kot;Dyplom;za \"wyniki\";3b\n\"Jan; Nowak\";;\"a \"\"b\"\"\";\n"),
        QByteArrayLiteral("Dla,Nagłówek,Treść1,Treść6\r\nOla,,\"x\ny\",z\r\n"),
        QByteArrayLiteral("Ala Kot;3b\nJan Nowak;3c\n"),
        QByteArrayLiteral("dla;dla\nA;B\n"),
        QByteArrayLiteral("\"niedomknięty;cudzysłów\nnastępna\n"),
        QByteArrayLiteral("Imi\xEA i nazwisko;Klasa\n\xA3ucja;3b\n"), // Windows-1250
        QByteArrayLiteral("a\x1B[31m;b\x07\nc\0d;e\n"),
    };
}

} // namespace recordseeds
