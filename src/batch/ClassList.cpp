#include "ClassList.h"

#include "Texts.h"
#include "fit/MissingGlyphs.h"
#include "fit/SizeLimits.h"
#include "merge/ColumnRoles.h"
#include "table/ReadTable.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <algorithm>

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
            const QString said = what.isEmpty() ? s.shown : QStringLiteral("%1 %2").arg(s.shown, what);
            if (s.records > 1)
                out.append(QStringLiteral("%1 (w %2 rekordach)").arg(said).arg(s.records));
            else
                out.append(QStringLiteral("%1: %2").arg(recordText(s.number, s.line), said));
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
    return skipped() > 0 || !warnings.isEmpty() || !overBorder.isEmpty() || !offSheet.isEmpty() || !belowFloor.isEmpty()
           || !missingGlyphs.isEmpty() || !duplicates.isEmpty();
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

QString ClassSummary::strictProblem() const
{
    const QString fit = firstFitProblem();
    return fit.isEmpty() && !unsure.isEmpty() ? unsure.first() : fit;
}

ClassList buildClassList(const printing::PrintInput &base, const ClassListSettings &settings)
{
    ClassList out;
    out.summary = buildClassList(base, settings, [&](ClassPage &&page) { out.pages.append(std::move(page)); });
    return out;
}

void ClassListSettings::describeTemplate(const QString &path, int templateNumber)
{
    const QFileInfo info(path);
    templateKey =
        QStringLiteral("%1|%2|%3").arg(info.absoluteFilePath()).arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
    templateName = QStringLiteral("wzór nr %1 (%2)").arg(templateNumber).arg(path);
}

ClassSummary buildClassList(const printing::PrintInput &base, const ClassListSettings &settings,
                            const std::function<void(ClassPage &&)> &take)
{
    return buildClassList(base, settings, nullptr, take);
}

namespace {

// The column a header (or a column letter) names, compared as columnKey does; -1 for none.
int columnIndex(const QStringList &columns, const QString &name)
{
    const QString key = columnKey(name);
    for (int c = 0; c < columns.size(); ++c)
        if (columnKey(columns[c]) == key)
            return c;
    return -1;
}

struct KindRecord {
    MergedRecord record;
    int kind = 0;
};

// The records chosen, each with its kind, and the list's figures in sum.
QList<KindRecord> mergedRecords(const QList<KindDiploma> &kinds, const ClassListSettings &settings, const Table *given,
                                ClassSummary &sum, int *groupColumn)
{
    QList<KindRecord> merged;
    if (settings.listPath.isEmpty() && !given) {
        KindRecord only;
        only.record.texts = kinds.first().base.texts;
        merged.append(only);
        return merged;
    }
    // The table and the records not chosen go before the pages are made.
    const Table read = given ? Table() : readTable(settings.listPath, settings.read, settings.limits);
    const Table &table = given ? *given : read;
    MergeSettings ms;
    ms.noHeader = settings.noHeader;
    ms.headerGiven = settings.headerGiven;
    ms.listName = settings.listPath;
    ms.firstNumber = settings.firstNumber;
    ms.date = settings.date;
    ms.chosen = settings.rows;
    const auto mergeWith = [&](int kind) {
        ms.diplomaName = kinds[kind].diplomaName;
        return mergeList(table, kinds[kind].base.texts, ms);
    };
    MergeResult result = mergeWith(0);
    // The header is no row read: rows read are the pages and the rows skipped.
    sum.rowsRead = int(table.rows.size()) - (result.hasHeader ? 1 : 0) + table.skippedEmptyRows;
    sum.emptyRows = table.skippedEmptyRows;
    sum.encoding = table.encoding;
    sum.separator = table.separator;
    sum.sheet = table.sheet;
    sum.warnings = table.warnings + result.warnings;
    sum.hasList = true;
    sum.repeatedHeaders = result.repeatedHeaders;
    sum.rowsAboveHeader = result.rowsAboveHeader;
    sum.rowsWithoutName = result.rowsWithoutName;
    sum.headerRow = result.hasHeader;
    sum.columns = result.columns;
    sum.turnedNames = result.turnedNames;
    sum.records = int(result.records.size());
    if (result.records.isEmpty())
        throw TableError(QStringLiteral("%1: lista nie zawiera żadnego rekordu").arg(settings.listPath));
    if (settings.rows.highest() > sum.records)
        throw TableError(QStringLiteral("%1: --wiersze %2: lista ma %3, nie ma rekordu %4")
                             .arg(settings.listPath, settings.rows.text(), records(sum.records))
                             .arg(settings.rows.highest()));
    *groupColumn = columnIndex(result.columns, QStringLiteral("Klasa"));

    // Each record's kind, every record's before any page is made.
    QList<int> kindOf(result.records.size(), 0);
    if (!settings.kinds.isEmpty()) {
        const int column = columnIndex(result.columns, settings.kinds.column());
        if (column < 0)
            throw TableError(QStringLiteral("%1: --rodzaj: lista nie ma kolumny „%2” (kolumny: %3)")
                                 .arg(settings.listPath, quoted(settings.kinds.column(), 40),
                                      result.columns.join(QStringLiteral(", "))));
        for (int i = 0; i < result.records.size(); ++i) {
            const MergedRecord &r = result.records[i];
            kindOf[i] = settings.kinds.kindOf(r.cells.value(column));
            if (kindOf[i] < 0) {
                const RowOrigin &o = r.origin;
                throw TableError(
                    QStringLiteral("%1: %2: kolumna „%3”: wartość „%4” nie ma dyplomu (dodaj %4=PLIK.dyp do --rodzaj "
                                   "albo podaj --rodzaj-domyslny PLIK.dyp)")
                        .arg(settings.listPath,
                             o.sheet.isEmpty() ? QStringLiteral("wiersz %1").arg(o.line)
                                               : QStringLiteral("arkusz %1, wiersz %2").arg(o.sheet).arg(o.line),
                             quoted(settings.kinds.column(), 40), quoted(r.cells.value(column).trimmed(), 40)));
            }
        }
    }
    // A reprint: the numbers the register gave these pupils, the others counting on.
    if (settings.earlierNumber) {
        for (int i = 0; i < result.records.size(); ++i) {
            const MergedRecord &r = result.records[i];
            if (!settings.rows.contains(r.number))
                continue;
            const int earlier = settings.earlierNumber(r.name, r.cells.value(*groupColumn),
                                                       QFileInfo(kinds[kindOf[i]].diplomaName).completeBaseName());
            if (earlier > 0)
                ms.numbers.insert(r.number, earlier);
        }
        if (!ms.numbers.isEmpty())
            result = mergeWith(0);
    }
    const auto keep = [&](MergeResult other, int k) {
        // Diplomas that skip different rows (a recipient line of fields in
        // one) would number the records differently.
        if (other.records.size() != kindOf.size())
            throw TableError(QStringLiteral("%1: %2 pomija inne wiersze listy niż %3 (tekst „dla”): podaj w obu to samo")
                                 .arg(settings.listPath, kinds[k].diplomaName, kinds[0].diplomaName));
        for (int i = 0; i < other.records.size(); ++i)
            if (kindOf[i] == k && settings.rows.contains(other.records[i].number))
                merged.append({std::move(other.records[i]), k});
    };
    keep(std::move(result), 0);
    for (int k = 1; k < kinds.size(); ++k)
        keep(mergeWith(k), k);
    std::stable_sort(merged.begin(), merged.end(), [&](const KindRecord &a, const KindRecord &b) {
        if (settings.groupByKind && a.kind != b.kind)
            return a.kind < b.kind;
        return a.record.number < b.record.number;
    });
    if (!settings.kinds.isEmpty()) {
        QList<int> counts(kinds.size(), 0);
        for (const KindRecord &r : std::as_const(merged))
            ++counts[r.kind];
        for (int k = 0; k < kinds.size(); ++k)
            sum.kinds.append(QStringLiteral("%1: %2").arg(kinds[k].diplomaName).arg(counts[k]));
    }
    for (const KindRecord &r : std::as_const(merged)) {
        sum.fieldsFilled += r.record.fields;
        sum.unsure += r.record.unsure;
    }
    sum.warnings += sum.unsure; // the class window lists warnings as its problems
    return merged;
}

ClassSummary buildKinds(const QList<KindDiploma> &kinds, const ClassListSettings &settings, const Table *given,
                        const std::function<void(ClassPage &&)> &take)
{
    ClassSummary sum;
    int groupColumn = -1;
    QList<KindRecord> merged = mergedRecords(kinds, settings, given, sum, &groupColumn);

    QList<FreeArea> areas;
    for (const KindDiploma &k : kinds) {
        areas.append(cachedFreeArea(k.templateKey, k.base.picture));
        if (!areas.last().found && !k.base.picture.isEmpty() && sum.noFreeArea.isEmpty())
            sum.noFreeArea = QStringLiteral("uwaga: %1 nie ma wolnego pola na tekst (zdjęcie lub skan na całym arkuszu?): "
                                            "teksty są sprawdzane względem brzegów arkusza")
                                 .arg(k.templateName.isEmpty() ? QStringLiteral("wzór") : k.templateName);
    }

    TextLayout layout(settings.geometry);
    MissingGlyphs glyphs;
    DistinctTexts over, off, floor, shrunk; // shrunk: one line for the same shrinking on many pages
    QStringList sizes;                      // sizes the sheet cannot hold, after fitting
    struct Missing {
        QStringList where; // the first few records
        int records = 0;
        int lastNumber = -1;
    };
    QMap<QString, Missing> missing;                   // character → where
    QHash<QString, QPair<int, QString>> firstLine;    // name key → its first line and spelling
    QMap<int, QPair<QString, QList<int>>> duplicates; // first line → (name, lines)
    for (KindRecord &kr : merged) {
        MergedRecord &r = kr.record;
        const FreeArea &area = areas[kr.kind];
        ClassPage page{kinds[kr.kind].base,        r.number, r.origin.line, kr.kind, r.serial, r.name,
                       r.cells.value(groupColumn), r.copies};
        page.input.texts = std::move(r.texts);
        const FitOutcome fit = fitRecord(page.input, r.filled, area, settings.fit, layout);
        for (const QString &s : sizeProblems(page.input, settings.geometry))
            if (!sizes.contains(s))
                sizes.append(s);
        for (const FitOutcome::Shrink &s : fit.shrunk) {
            const QString said = QStringLiteral("%1 z %2 do %3 pt").arg(blockName(s.block)).arg(s.from).arg(s.to);
            shrunk.add(said, said, r.number, r.origin.line);
        }
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
                Missing &m = missing[c];
                if (m.lastNumber == r.number)
                    continue;
                m.lastNumber = r.number;
                if (++m.records <= 5)
                    m.where.append(recordText(r.number, r.origin.line));
            }
        }
        if (sum.hasList && !page.input.texts.recipient.trimmed().isEmpty()) {
            const QString key = page.input.texts.recipient.simplified().toCaseFolded();
            const auto found = firstLine.constFind(key);
            if (found == firstLine.constEnd()) {
                firstLine.insert(key, {r.origin.line, page.input.texts.recipient});
            } else {
                auto &d = duplicates[found->first];
                if (d.second.isEmpty())
                    d = {found->second.simplified(), {found->first}};
                d.second.append(r.origin.line);
            }
        }
        take(std::move(page));
        ++sum.pages;
    }
    sum.shrunk = shrunk.lines(QString());
    sum.overBorder = over.lines(areas.first().found ? QStringLiteral("wychodzi poza wolne pole wzoru")
                                                    : QStringLiteral("wychodzi poza arkusz"));
    sum.overBorderRecords = over.recordsTotal();
    // A size no sheet holds may leave no trace in the layout (the font
    // engine draws nothing): said once, before the texts.
    sum.offSheet = sizes + off.lines(QStringLiteral("wychodzi poza obszar wydruku"));
    sum.offSheetRecords = off.recordsTotal();
    sum.belowFloor = floor.lines(
        QStringLiteral("nie mieści się nawet po zmniejszeniu do %1 %").arg(int(std::lround(settings.fit.floor * 100))));
    for (auto it = missing.cbegin(); it != missing.cend(); ++it) {
        const QString code =
            QString::number(uint(it.key().toUcs4().value(0)), 16).toUpper().rightJustified(4, QLatin1Char('0'));
        sum.missingGlyphs.append(
            QStringLiteral("znak „%1” (U+%2) nie ma w żadnej zainstalowanej czcionce: %3%4")
                .arg(quoted(it.key()), code, it->where.join(QStringLiteral(", ")),
                     it->records > 5 ? QStringLiteral(" i %1").arg(records(it->records - 5)) : QString()));
    }
    for (const auto &d : std::as_const(duplicates)) {
        QStringList shown;
        for (const int l : d.second)
            shown.append(QString::number(l));
        sum.duplicates.append(QStringLiteral("„%1” %2 razy (wiersze %3)")
                                  .arg(quoted(d.first))
                                  .arg(d.second.size())
                                  .arg(shown.join(QStringLiteral(", "))));
    }
    return sum;
}

} // namespace

ClassSummary buildClassList(const printing::PrintInput &base, const ClassListSettings &settings, const Table *given,
                            const std::function<void(ClassPage &&)> &take)
{
    if (!settings.kinds.isEmpty())
        return buildKinds(settings.kindDiplomas, settings, given, take);
    return buildKinds({KindDiploma{base, settings.diplomaName, settings.templateKey, settings.templateName}}, settings,
                      given, take);
}

QString shortSummary(const ClassSummary &s)
{
    QString line =
        QStringLiteral("przeczytano %1: %2")
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
        QString how;
        if (!s.sheet.isEmpty())
            how = QStringLiteral("arkusz „%1”").arg(quoted(s.sheet));
        else
            how = s.encoding
                  + (s.separator.isNull()
                         ? QStringLiteral(", jedna kolumna")
                         : QStringLiteral(", separator %1")
                               .arg(s.separator == QLatin1Char('\t') ? QStringLiteral("tabulator")
                                                                     : QStringLiteral("„%1”").arg(s.separator)));
        out.append(
            QStringLiteral("przeczytano %1 (%2%3)")
                .arg(plural(s.rowsRead, QStringLiteral("wiersz"), QStringLiteral("wiersze"), QStringLiteral("wierszy")),
                     how,
                     s.headerRow ? QStringLiteral(", nagłówek: %1").arg(s.columns.join(QStringLiteral(", ")))
                                 : QStringLiteral(", bez nagłówka")));
        out.append(QStringLiteral("stron do wydruku: %1%2")
                       .arg(s.pages)
                       .arg(s.pages != s.records ? QStringLiteral(" (wybrane z %1)").arg(records(s.records)) : QString()));
        QStringList why;
        if (s.emptyRows)
            why.append(QStringLiteral("puste: %1").arg(s.emptyRows));
        if (s.rowsAboveHeader)
            why.append(QStringLiteral("nad nagłówkiem: %1").arg(s.rowsAboveHeader));
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
    out.append(QStringLiteral("niepewna płeć lub odmiana: %1").arg(s.unsure.size()));
    if (!s.kinds.isEmpty())
        out.append(QStringLiteral("rodzaje dyplomów: %1").arg(s.kinds.join(QStringLiteral(", "))));
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
