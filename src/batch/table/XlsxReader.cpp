#include "XlsxReader.h"

#include "CellText.h"
#include "SheetRows.h"
#include "XmlPart.h"

#include <QDir>
#include <QHash>
#include <QList>

namespace batch {

namespace {

using celltext::NumberKind;

// How many relationships, sheets and styles a workbook may list; more is a hostile file.
constexpr int kMaxRelationships = 10000;
constexpr int kMaxStyles = 1 << 20;
// Shared strings are pooled in one buffer; these bound what the pool may hold.
constexpr qsizetype kMaxSharedStrings = 4000000;
constexpr qsizetype kMaxSharedChars = 32 * 1024 * 1024;

struct Relationship {
    QString id, type, target;
};

struct SheetEntry {
    QString name, relationship;
    bool hidden = false;
};

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString resolve(const QString &folder, const QString &target)
{
    if (target.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(target.mid(1));
    return QDir::cleanPath(folder + target);
}

QList<Relationship> relationships(ZipEntries &zip, const QString &part, const ReadLimits &limits)
{
    const QString relsPath = folderOf(part) + QStringLiteral("_rels/") + part.mid(folderOf(part).size())
                             + QStringLiteral(".rels");
    QList<Relationship> out;
    if (!zip.contains(relsPath))
        return out;
    XmlPart x(zip, relsPath, XmlPart::maxRunFor(limits));
    while (x.next() != QXmlStreamReader::EndDocument) {
        if (x.isStart() && x.name() == u"Relationship") {
            if (out.size() >= kMaxRelationships)
                x.fail(QStringLiteral("zbyt wiele powiązań"));
            if (x.attribute(u"TargetMode") == u"External")
                continue;
            out.append({x.attribute(u"Id"), x.attribute(u"Type"), resolve(folderOf(part), x.attribute(u"Target"))});
        }
    }
    return out;
}

QString targetOfType(const QList<Relationship> &rels, QStringView typeEnd)
{
    for (const Relationship &r : rels)
        if (r.type.endsWith(typeEnd))
            return r.target;
    return {};
}

// _xHHHH_ stands for a character XML cannot carry (a line break as _x000D_).
QString unescapeOoxml(QString s)
{
    qsizetype at = s.indexOf(QLatin1String("_x"));
    while (at >= 0 && at + 7 <= s.size()) {
        bool ok = false;
        const uint code = QStringView(s).mid(at + 2, 4).toUInt(&ok, 16);
        if (ok && s[at + 6] == QLatin1Char('_')) {
            s.replace(at, 7, QChar(char16_t(code)));
            at = s.indexOf(QLatin1String("_x"), at + 1);
        } else {
            at = s.indexOf(QLatin1String("_x"), at + 2);
        }
    }
    return s;
}

// The text of <si> or <is>: the <t> directly inside or in rich text runs,
// without the phonetic guide (<rPh>). At most maxChars + 1 characters.
QString runText(XmlPart &x, qsizetype maxChars)
{
    QString out;
    const int bottom = x.depth();
    int inT = 0;
    while (x.depth() >= bottom) {
        const QXmlStreamReader::TokenType t = x.next();
        if (t == QXmlStreamReader::EndDocument)
            x.fail(QStringLiteral("niedokończony tekst"));
        if (t == QXmlStreamReader::StartElement) {
            if (x.name() == u"rPh" || x.name() == u"phoneticPr")
                x.skip();
            else if (x.name() == u"t")
                inT = x.depth();
        } else if (t == QXmlStreamReader::EndElement) {
            if (x.depth() < inT)
                inT = 0;
        } else if (t == QXmlStreamReader::Characters && inT && out.size() <= maxChars) {
            out += x.xml().text().left(maxChars + 1 - out.size());
        }
    }
    return unescapeOoxml(out);
}

// All shared strings in one buffer: ends_[i] is where string i ends.
class SharedStrings {
public:
    void read(ZipEntries &zip, const QString &part, const ReadLimits &limits)
    {
        XmlPart x(zip, part, XmlPart::maxRunFor(limits));
        // A string longer than a cell may be is kept one character too long,
        // so the cell that uses it is refused and one that does not is not.
        const qsizetype perString = limits.maxCellChars;
        const qsizetype maxCount = qMin<qint64>(kMaxSharedStrings, qint64(limits.maxRows) * limits.maxColumns);
        while (x.next() != QXmlStreamReader::EndDocument) {
            if (!x.isStart() || x.name() != u"si")
                continue;
            if (ends_.size() >= maxCount)
                x.fail(QStringLiteral("tablica tekstów ma ponad %1 — więcej, niż zmieści lista klasy; plik odrzucono")
                           .arg(celltext::counted(maxCount, "pozycję", "pozycje", "pozycji")));
            pool_ += runText(x, perString);
            if (pool_.size() > kMaxSharedChars)
                x.fail(QStringLiteral("tablica tekstów ma ponad %1 mln znaków; plik odrzucono")
                           .arg(kMaxSharedChars / 1000000));
            ends_.append(pool_.size());
        }
        pool_.squeeze();
    }
    qsizetype size() const { return ends_.size(); }
    QString at(qsizetype i) const
    {
        const qsizetype begin = i == 0 ? 0 : ends_[i - 1];
        return pool_.mid(begin, ends_[i] - begin);
    }

private:
    QString pool_;
    QList<qsizetype> ends_;
};

// How each cell style (the s attribute) shows numbers.
QList<NumberKind> styleKinds(ZipEntries &zip, const QString &part, const ReadLimits &limits)
{
    QHash<int, NumberKind> custom;
    QList<NumberKind> kinds;
    XmlPart x(zip, part, XmlPart::maxRunFor(limits));
    bool inCellXfs = false;
    while (x.next() != QXmlStreamReader::EndDocument) {
        if (x.isStart() && x.name() == u"numFmt") {
            if (custom.size() >= kMaxStyles)
                x.fail(QStringLiteral("zbyt wiele formatów liczb"));
            custom.insert(x.attribute(u"numFmtId").toInt(), celltext::codeKind(x.attribute(u"formatCode")));
        } else if (x.name() == u"cellXfs") {
            inCellXfs = x.isStart();
        } else if (inCellXfs && x.isStart() && x.name() == u"xf") {
            if (kinds.size() >= kMaxStyles)
                x.fail(QStringLiteral("zbyt wiele stylów komórek"));
            const int id = x.attribute(u"numFmtId").toInt();
            kinds.append(custom.contains(id) ? custom.value(id) : celltext::builtinKind(id));
        }
    }
    return kinds;
}

qint64 columnOf(QStringView ref)
{
    qint64 column = 0;
    qsizetype i = 0;
    for (; i < ref.size() && i < 4; ++i) {
        const QChar c = ref[i].toUpper();
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            break;
        column = column * 26 + (c.unicode() - u'A' + 1);
    }
    return i == 0 ? -1 : column - 1;
}

class WorksheetReader {
public:
    WorksheetReader(ZipEntries &zip, const ReadLimits &limits, const SharedStrings &strings,
                    const QList<NumberKind> &kinds, bool date1904, const QString &sheet)
        : zip_(zip), limits_(limits), strings_(strings), kinds_(kinds), date1904_(date1904),
          rows_(zip.fileName(), sheet, limits)
    {}

    Table read(const QString &part)
    {
        XmlPart x(zip_, part, XmlPart::maxRunFor(limits_));
        bool inData = false;
        while (x.next() != QXmlStreamReader::EndDocument) {
            if (x.name() == u"sheetData")
                inData = x.isStart();
            if (!inData || !x.isStart())
                continue;
            if (x.name() == u"row") {
                const QString r = x.attribute(u"r");
                bool ok = true;
                const qint64 number = r.isEmpty() ? rows_.nextRow() : r.toLongLong(&ok);
                if (!ok)
                    x.fail(QStringLiteral("zły numer wiersza „%1”").arg(r.left(20)));
                rows_.beginRow(number);
            } else if (x.name() == u"c") {
                cell(x);
            }
        }
        return rows_.finish();
    }

private:
    void cell(XmlPart &x)
    {
        const QString ref = x.attribute(u"r");
        const qint64 column = ref.isEmpty() ? rows_.nextColumn() : columnOf(ref);
        if (column < 0)
            x.fail(QStringLiteral("zły adres komórki „%1”").arg(ref.left(20)));
        const QString type = x.attribute(u"t");
        const int style = x.attribute(u"s").toInt();
        QString value, inlineText;
        const int bottom = x.depth();
        while (true) {
            const QXmlStreamReader::TokenType t = x.next();
            if (t == QXmlStreamReader::EndDocument)
                x.fail(QStringLiteral("niedokończona komórka"));
            if (t == QXmlStreamReader::EndElement && x.depth() < bottom)
                break;
            if (t != QXmlStreamReader::StartElement)
                continue;
            if (x.name() == u"v")
                value = x.text(limits_.maxCellChars);
            else if (x.name() == u"is")
                inlineText = runText(x, limits_.maxCellChars);
            else
                x.skip(); // the formula: its stored value is what the user sees
        }
        rows_.setCell(column, shown(type, value, inlineText, style, column));
    }

    QString shown(const QString &type, const QString &value, const QString &inlineText, int style, qint64 column)
    {
        if (type == u"s") {
            bool ok = false;
            const qsizetype index = value.trimmed().toLongLong(&ok);
            if (!ok || index < 0 || index >= strings_.size())
                rows_.fail(
                    QStringLiteral("odwołanie do nieistniejącego tekstu nr %1 — uszkodzony arkusz").arg(value.left(20)),
                    column);
            return strings_.at(index);
        }
        if (type == u"inlineStr")
            return inlineText;
        if (type == u"str" || type == u"e")
            return unescapeOoxml(value);
        if (type == u"b")
            return value.isEmpty() ? QString() : celltext::booleanText(value.trimmed() != u"0");
        if (type == u"d") {
            const QString date = celltext::isoDate(value);
            return date.isEmpty() ? value : date;
        }
        if (value.isEmpty())
            return {};
        bool ok = false;
        const double number = value.trimmed().toDouble(&ok);
        if (!ok)
            return value;
        const NumberKind kind = style >= 0 && style < kinds_.size() ? kinds_[style] : NumberKind::Plain;
        return celltext::formatted(number, kind, date1904_);
    }

    ZipEntries &zip_;
    const ReadLimits &limits_;
    const SharedStrings &strings_;
    const QList<NumberKind> &kinds_;
    bool date1904_;
    SheetRows rows_;
};

} // namespace

Table readXlsx(ZipEntries &zip, const ReadOptions &options, const ReadLimits &limits)
{
    QString workbook = targetOfType(relationships(zip, QStringLiteral(""), limits), u"/officeDocument");
    if (workbook.isEmpty())
        workbook = QStringLiteral("xl/workbook.xml");
    if (!zip.contains(workbook))
        throw TableError(
            QStringLiteral("%1: to dokument Office, ale nie skoroszyt (brak %2)").arg(zip.fileName(), workbook));

    QList<SheetEntry> sheets;
    bool date1904 = false;
    {
        XmlPart x(zip, workbook, XmlPart::maxRunFor(limits));
        while (x.next() != QXmlStreamReader::EndDocument) {
            if (!x.isStart())
                continue;
            if (x.name() == u"workbookPr") {
                const QString v = x.attribute(u"date1904");
                date1904 = v == u"1" || v == u"true";
            } else if (x.name() == u"sheet") {
                if (sheets.size() >= kMaxRelationships)
                    x.fail(QStringLiteral("zbyt wiele arkuszy"));
                SheetEntry s;
                s.name = x.attribute(u"name");
                const QXmlStreamAttributes attributes = x.xml().attributes();
                for (const QXmlStreamAttribute &a : attributes)
                    if (a.name() == u"id" && a.namespaceUri().endsWith(u"relationships"))
                        s.relationship = a.value().toString();
                s.hidden = !x.attribute(u"state").isEmpty() && x.attribute(u"state") != u"visible";
                sheets.append(s);
            }
        }
    }
    const QList<Relationship> rels = relationships(zip, workbook, limits);
    auto sheetPart = [&](const SheetEntry &s) {
        for (const Relationship &r : rels)
            if (r.id == s.relationship && r.type.endsWith(u"/worksheet"))
                return r.target;
        return QString();
    };

    const SheetEntry *chosen = nullptr;
    for (const SheetEntry &s : sheets) {
        const bool wanted = options.sheet.isEmpty() ? !s.hidden && !sheetPart(s).isEmpty()
                                                    : s.name.compare(options.sheet, Qt::CaseInsensitive) == 0;
        if (wanted) {
            chosen = &s;
            break;
        }
    }
    if (!chosen) {
        QStringList names;
        for (const SheetEntry &s : sheets)
            names.append(QStringLiteral("„%1”").arg(s.name));
        if (options.sheet.isEmpty())
            throw TableError(QStringLiteral("%1: skoroszyt nie ma arkusza z danymi").arg(zip.fileName()));
        throw TableError(QStringLiteral("%1: nie ma arkusza „%2”; arkusze w pliku: %3")
                             .arg(zip.fileName(), options.sheet, names.join(QStringLiteral(", "))));
    }
    const QString part = sheetPart(*chosen);
    if (part.isEmpty() || !zip.contains(part))
        SheetRows::fail(zip.fileName(), chosen->name, QStringLiteral("to nie jest arkusz z komórkami (np. wykres)"));

    QList<NumberKind> kinds;
    const QString styles = targetOfType(rels, u"/styles");
    if (!styles.isEmpty() && zip.contains(styles))
        kinds = styleKinds(zip, styles, limits);
    SharedStrings strings;
    const QString shared = targetOfType(rels, u"/sharedStrings");
    if (!shared.isEmpty() && zip.contains(shared))
        strings.read(zip, shared, limits);

    return WorksheetReader(zip, limits, strings, kinds, date1904, chosen->name).read(part);
}

} // namespace batch
