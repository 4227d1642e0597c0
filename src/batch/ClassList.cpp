#include "ClassList.h"

#include "Texts.h"
#include "fit/MissingGlyphs.h"
#include "table/ReadTable.h"

#include <QHash>
#include <QMap>

namespace batch {

namespace {

QString recordText(int number, int line)
{
    return line > 0 ? QStringLiteral("rekord %1 (wiersz %2 listy)").arg(number).arg(line) : QStringLiteral("dyplom");
}

QString records(int n)
{
    return plural(n, QStringLiteral("rekord"), QStringLiteral("rekordy"), QStringLiteral("rekordów"));
}

// Texts met on many pages, said once each: with the record when only one
// has it, else with the number of records.
class DistinctTexts {
public:
    void add(const QString &key, const QString &shown, int number, int line)
    {
        auto found = seen_.find(key);
        if (found == seen_.end()) {
            seen_.insert(key, {shown, number, line, number, 1});
            order_.append(key);
        } else if (found->lastNumber != number) {
            found->lastNumber = number;
            ++found->records;
        }
    }
    // what: "wychodzi poza …"
    QStringList lines(const QString &what) const
    {
        QStringList out;
        for (const QString &key : order_) {
            const Seen &s = seen_[key];
            if (s.records > 1)
                out.append(QStringLiteral("%1 %2 (w %3 rekordach)").arg(s.shown, what).arg(s.records));
            else
                out.append(QStringLiteral("%1: %2 %3").arg(recordText(s.number, s.line), s.shown, what));
        }
        return out;
    }
    int recordsTotal() const
    {
        int n = 0;
        for (const Seen &s : seen_)
            n += s.records;
        return n;
    }

private:
    struct Seen {
        QString shown;
        int number;
        int line;
        int lastNumber;
        int records;
    };
    QHash<QString, Seen> seen_;
    QStringList order_;
};

QString shownText(const PlacedText &p)
{
    return QStringLiteral("tekst „%1”").arg(quoted(p.text));
}

const editor::TextBlockStyle &styleOfText(const printing::PrintInput &input, int index)
{
    return index == 0 ? input.heading : index == 7 ? input.recipient : input.body;
}

} // namespace

bool ClassSummary::needsAttention() const
{
    return skipped() > 0 || !warnings.isEmpty() || !overBorder.isEmpty() || !offSheet.isEmpty()
        || !belowFloor.isEmpty() || !missingGlyphs.isEmpty() || !duplicates.isEmpty();
}

QString ClassSummary::firstFitProblem() const
{
    if (!offSheet.isEmpty())
        return offSheet.first();
    if (!belowFloor.isEmpty())
        return belowFloor.first();
    if (!overBorder.isEmpty())
        return overBorder.first();
    return {};
}

ClassList buildClassList(const printing::PrintInput &base, const ClassListSettings &settings)
{
    ClassList out;
    ClassSummary &sum = out.summary;
    QList<MergedRecord> merged;
    if (settings.listPath.isEmpty()) {
        MergedRecord only;
        only.texts = base.texts;
        merged.append(only);
    } else {
        const Table table = readTable(settings.listPath, settings.read, settings.limits);
        MergeSettings ms;
        ms.noHeader = settings.noHeader;
        ms.listName = settings.listPath;
        ms.diplomaName = settings.diplomaName;
        MergeResult result = mergeList(table, base.texts, ms);
        sum.hasList = true;
        // The header is no row read: rows read are the pages and the rows skipped.
        sum.rowsRead = int(table.rows.size()) - (result.hasHeader ? 1 : 0) + table.skippedEmptyRows;
        sum.emptyRows = table.skippedEmptyRows;
        sum.repeatedHeaders = result.repeatedHeaders;
        sum.rowsWithoutName = result.rowsWithoutName;
        sum.headerRow = result.hasHeader;
        sum.encoding = table.encoding;
        sum.separator = table.separator;
        sum.columns = result.columns;
        sum.warnings = table.warnings + result.warnings;
        sum.turnedNames = result.turnedNames;
        sum.records = int(result.records.size());
        if (result.records.isEmpty())
            throw TableError(QStringLiteral("%1: lista nie zawiera żadnego rekordu").arg(settings.listPath));
        if (settings.rows.highest() > sum.records)
            throw TableError(QStringLiteral("%1: --wiersze %2: lista ma %3, nie ma rekordu %4")
                                 .arg(settings.listPath, settings.rows.text(), records(sum.records))
                                 .arg(settings.rows.highest()));
        for (const MergedRecord &r : std::as_const(result.records))
            if (settings.rows.contains(r.number)) {
                sum.fieldsFilled += r.fields;
                merged.append(r);
            }
    }

    const FreeArea area = cachedFreeArea(settings.templateKey, base.picture);
    if (!area.found && !base.picture.isEmpty())
        sum.noFreeArea = QStringLiteral("uwaga: %1 nie ma wolnego pola na tekst (zdjęcie lub skan na całym arkuszu?): "
                                        "teksty są sprawdzane względem brzegów arkusza")
                             .arg(settings.templateName.isEmpty() ? QStringLiteral("wzór") : settings.templateName);

    TextLayout layout(settings.geometry);
    MissingGlyphs glyphs;
    DistinctTexts over, off, floor;
    QMap<QString, QPair<QString, QStringList>> missing; // character → (shown, records)
    QHash<QString, QList<int>> names;                    // name key → lines
    QStringList nameOrder;
    for (const MergedRecord &r : std::as_const(merged)) {
        ClassPage page{base, r.number, r.origin.line};
        page.input.texts = r.texts;
        const FitOutcome fit = fitRecord(page.input, r.filled, area, settings.fit, layout);
        for (const FitOutcome::Shrink &s : fit.shrunk)
            sum.shrunk.append(QStringLiteral("%1: %2 z %3 do %4 pt").arg(recordText(r.number, r.origin.line), blockName(s.block))
                                  .arg(s.from)
                                  .arg(s.to));
        for (const PlacedText &p : fit.offSheet)
            off.add(p.text, shownText(p), r.number, r.origin.line);
        for (const PlacedText &p : fit.overBorder) {
            if (settings.fit.shrink)
                floor.add(p.text, shownText(p), r.number, r.origin.line);
            else
                over.add(p.text, shownText(p), r.number, r.origin.line);
        }
        for (int t = 0; t < TextCount; ++t) {
            const QString &text = textAt(page.input.texts, t);
            if (text.isEmpty())
                continue;
            for (const QString &c : glyphs.in(text, styleOfText(page.input, t))) {
                auto &entry = missing[c];
                entry.first = QStringLiteral("znak „%1” (U+%2)")
                                  .arg(quoted(c), QString::number(uint(c.toUcs4().value(0)), 16).toUpper().rightJustified(4, QLatin1Char('0')));
                const QString where = recordText(r.number, r.origin.line);
                if (!entry.second.contains(where))
                    entry.second.append(where);
            }
        }
        if (sum.hasList && !page.input.texts.recipient.trimmed().isEmpty()) {
            const QString key = page.input.texts.recipient.simplified().toCaseFolded();
            if (!names.contains(key))
                nameOrder.append(key);
            names[key].append(r.origin.line);
        }
        out.pages.append(page);
    }
    sum.pages = int(out.pages.size());
    sum.overBorder = over.lines(area.found ? QStringLiteral("wychodzi poza wolne pole wzoru")
                                           : QStringLiteral("wychodzi poza arkusz"));
    sum.overBorderRecords = over.recordsTotal();
    sum.offSheet = off.lines(QStringLiteral("wychodzi poza obszar wydruku"));
    sum.offSheetRecords = off.recordsTotal();
    sum.belowFloor = floor.lines(QStringLiteral("nie mieści się nawet po zmniejszeniu do %1 %")
                                     .arg(int(std::lround(settings.fit.floor * 100))));
    for (auto it = missing.cbegin(); it != missing.cend(); ++it)
        sum.missingGlyphs.append(QStringLiteral("%1 nie ma w żadnej zainstalowanej czcionce: %2")
                                     .arg(it.value().first, it.value().second.mid(0, 5).join(QStringLiteral(", ")))
                                 + (it.value().second.size() > 5 ? QStringLiteral(" i %1 więcej").arg(it.value().second.size() - 5)
                                                                 : QString()));
    for (const QString &key : std::as_const(nameOrder)) {
        const QList<int> &lines = names[key];
        if (lines.size() < 2)
            continue;
        QStringList shown;
        for (const int l : lines)
            shown.append(QString::number(l));
        const auto first = std::find_if(out.pages.cbegin(), out.pages.cend(), [&](const ClassPage &p) {
            return p.input.texts.recipient.simplified().toCaseFolded() == key;
        });
        sum.duplicates.append(QStringLiteral("„%1” %2 razy (wiersze %3)")
                                  .arg(quoted(first->input.texts.recipient.simplified()))
                                  .arg(lines.size())
                                  .arg(shown.join(QStringLiteral(", "))));
    }
    return out;
}

QString shortSummary(const ClassSummary &s)
{
    QString line = QStringLiteral("przeczytano %1: %2")
                       .arg(plural(s.rowsRead, QStringLiteral("wiersz"), QStringLiteral("wiersze"), QStringLiteral("wierszy")),
                            plural(s.pages, QStringLiteral("strona"), QStringLiteral("strony"), QStringLiteral("stron")));
    if (s.pages != s.records)
        line += QStringLiteral(" (wybrane z %1)").arg(s.records);
    line += QStringLiteral(", pominięto %1").arg(s.skipped());
    return line;
}

QStringList checkReport(const ClassSummary &s)
{
    QStringList out;
    const auto section = [&](const QString &title, const QStringList &lines) {
        if (lines.isEmpty())
            return;
        out.append(title);
        for (const QString &l : lines)
            out.append(QStringLiteral("  ") + l);
    };
    if (s.hasList) {
        out.append(QStringLiteral("przeczytano %1 (%2%3%4)")
                       .arg(plural(s.rowsRead, QStringLiteral("wiersz"), QStringLiteral("wiersze"), QStringLiteral("wierszy")),
                            s.encoding,
                            s.separator.isNull() ? QStringLiteral(", jedna kolumna")
                                                 : QStringLiteral(", separator %1").arg(s.separator == QLatin1Char('\t')
                                                                                             ? QStringLiteral("tabulator")
                                                                                             : QStringLiteral("„%1”").arg(s.separator)),
                            s.headerRow ? QStringLiteral(", nagłówek: %1").arg(s.columns.join(QStringLiteral(", ")))
                                        : QStringLiteral(", bez nagłówka")));
        out.append(QStringLiteral("stron do wydruku: %1%2")
                       .arg(s.pages)
                       .arg(s.pages != s.records ? QStringLiteral(" (wybrane z %1)").arg(records(s.records)) : QString()));
        QStringList why;
        if (s.emptyRows)
            why.append(QStringLiteral("puste: %1").arg(s.emptyRows));
        if (s.repeatedHeaders)
            why.append(QStringLiteral("powtórzony nagłówek: %1").arg(s.repeatedHeaders));
        if (s.rowsWithoutName)
            why.append(QStringLiteral("bez imienia i nazwiska: %1").arg(s.rowsWithoutName));
        out.append(QStringLiteral("pominięte wiersze: %1%2")
                       .arg(s.skipped())
                       .arg(why.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(why.join(QStringLiteral(", ")))));
        out.append(QStringLiteral("wypełnione pola: %1").arg(s.fieldsFilled));
    } else {
        out.append(QStringLiteral("bez listy: 1 strona"));
    }
    out.append(QStringLiteral("zmniejszone teksty: %1").arg(s.shrunk.size()));
    out.append(QStringLiteral("teksty poza wolnym polem wzoru: %1").arg(s.overBorder.size() + s.belowFloor.size()));
    out.append(QStringLiteral("teksty poza obszarem wydruku: %1").arg(s.offSheet.size()));
    out.append(QStringLiteral("znaki bez czcionki: %1").arg(s.missingGlyphs.size()));
    out.append(QStringLiteral("powtórzone nazwiska: %1").arg(s.duplicates.size()));
    section(QStringLiteral("ostrzeżenia:"), s.warnings);
    section(QStringLiteral("odwrócone imiona i nazwiska:"), s.turnedNames);
    section(QStringLiteral("zmniejszone:"), s.shrunk);
    section(QStringLiteral("poza wolnym polem wzoru:"), s.overBorder + s.belowFloor);
    section(QStringLiteral("poza obszarem wydruku:"), s.offSheet);
    section(QStringLiteral("znaki bez czcionki:"), s.missingGlyphs);
    section(QStringLiteral("powtórzone nazwiska:"), s.duplicates);
    if (!s.noFreeArea.isEmpty())
        out.append(s.noFreeArea);
    out.append(s.needsAttention() ? QStringLiteral("wynik: są sprawy do przejrzenia przed drukiem")
                                  : QStringLiteral("wynik: wszystko w porządku"));
    return out;
}

} // namespace batch
