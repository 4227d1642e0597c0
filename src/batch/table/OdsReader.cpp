#include "OdsReader.h"

#include "CellText.h"
#include "SheetRows.h"
#include "XmlPart.h"

namespace batch {

namespace {

const QString kTableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kOfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kTextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kStyleNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");

qint64 repeatOf(XmlPart &x, QStringView attribute)
{
    const QString v = x.attribute(kTableNs, attribute);
    if (v.isEmpty())
        return 1;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (!ok || n < 1)
        x.fail(QStringLiteral("zła liczba powtórzeń „%1”").arg(v.left(20)));
    return n;
}

class OdsTable {
public:
    OdsTable(XmlPart &x, const QString &fileName, const QString &sheet, const ReadLimits &limits)
        : x_(x), limits_(limits), rows_(fileName, sheet, limits)
    {}

    // Reads the table element just started, to its end.
    Table read()
    {
        const int bottom = x_.depth();
        while (true) {
            const QXmlStreamReader::TokenType t = x_.next();
            if (t == QXmlStreamReader::EndDocument)
                x_.fail(QStringLiteral("niedokończona tabela"));
            if (t == QXmlStreamReader::EndElement && x_.depth() < bottom)
                break;
            if (t != QXmlStreamReader::StartElement)
                continue;
            // Rows may sit inside header-rows, row-groups and the like: those are walked into.
            if (x_.name() == u"table-row")
                row();
            else if (x_.name() == u"table-columns" || x_.name() == u"table-column" || x_.name() == u"shapes"
                     || x_.name() == u"named-expressions" || x_.name() == u"annotation")
                x_.skip();
        }
        return rows_.finish();
    }

private:
    void row()
    {
        rows_.beginRow(rows_.nextRow(), repeatOf(x_, u"number-rows-repeated"));
        const int bottom = x_.depth();
        while (true) {
            const QXmlStreamReader::TokenType t = x_.next();
            if (t == QXmlStreamReader::EndDocument)
                x_.fail(QStringLiteral("niedokończony wiersz"));
            if (t == QXmlStreamReader::EndElement && x_.depth() < bottom)
                break;
            if (t != QXmlStreamReader::StartElement)
                continue;
            if (x_.name() == u"table-cell" || x_.name() == u"covered-table-cell")
                cell();
            else
                x_.skip();
        }
    }

    void cell()
    {
        const qint64 repeat = repeatOf(x_, u"number-columns-repeated");
        const QString type = x_.attribute(kOfficeNs, u"value-type");
        QString shown;
        if (type == u"float" || type == u"percentage") {
            bool ok = false;
            const double v = x_.attribute(kOfficeNs, u"value").toDouble(&ok);
            if (ok)
                shown = celltext::formatted(v, type == u"float" ? celltext::NumberKind::Plain
                                                                : celltext::NumberKind::Percent);
        } else if (type == u"date") {
            shown = celltext::isoDate(x_.attribute(kOfficeNs, u"date-value"));
        } else if (type == u"time") {
            shown = celltext::isoTime(x_.attribute(kOfficeNs, u"time-value"));
        } else if (type == u"boolean") {
            const QString v = x_.attribute(kOfficeNs, u"boolean-value");
            shown = celltext::booleanText(v == u"true" || v == u"1");
        }
        const QString text = paragraphs();
        // Strings, currencies and values the cell's attributes do not give
        // readably: the text the spreadsheet showed.
        rows_.setCell(rows_.nextColumn(), shown.isEmpty() ? text : shown, repeat);
    }

    // The cell's paragraphs, one per line; white space as the format wants
    // it: runs collapse to one space, text:s, text:tab and text:line-break
    // stand for theirs. Comments and drawings are not the cell's text.
    QString paragraphs()
    {
        QString out;
        const qsizetype max = limits_.maxCellChars;
        const int bottom = x_.depth();
        int paragraph = 0;
        bool space = true; // at a paragraph's start white space is dropped
        auto add = [&](QStringView s) {
            if (out.size() <= max)
                out += s.left(max + 1 - out.size());
        };
        while (true) {
            const QXmlStreamReader::TokenType t = x_.next();
            if (t == QXmlStreamReader::EndDocument)
                x_.fail(QStringLiteral("niedokończona komórka"));
            if (t == QXmlStreamReader::EndElement && x_.depth() < bottom)
                break;
            if (t == QXmlStreamReader::StartElement) {
                const QStringView n = x_.name();
                if (n == u"annotation" || n == u"frame" || n == u"custom-shape" || n == u"note") {
                    x_.skip();
                } else if (x_.xml().namespaceUri() == kTextNs && (n == u"p" || n == u"h")) {
                    if (paragraph++)
                        add(u"\n");
                    space = true;
                } else if (n == u"s") {
                    const qint64 c = qBound<qint64>(1, x_.attribute(kTextNs, u"c").toLongLong(), max + 1);
                    add(QString(qsizetype(c), QLatin1Char(' ')));
                    space = true;
                } else if (n == u"tab") {
                    add(u"\t");
                    space = true;
                } else if (n == u"line-break") {
                    add(u"\n");
                    space = true;
                }
            } else if (t == QXmlStreamReader::Characters && paragraph && x_.depth() > bottom) {
                QString piece;
                for (const QChar c : x_.xml().text()) {
                    const bool white = c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
                                       || c == QLatin1Char('\r');
                    if (white && space)
                        continue;
                    piece += white ? QLatin1Char(' ') : c;
                    space = white;
                }
                add(piece);
            }
        }
        return out;
    }

    XmlPart &x_;
    const ReadLimits &limits_;
    SheetRows rows_;
};

} // namespace

Table readOds(ZipEntries &zip, const ReadOptions &options, const ReadLimits &limits)
{
    XmlPart x(zip, QStringLiteral("content.xml"), XmlPart::maxRunFor(limits));
    QStringList names;
    // Table styles that hide their table: the first sheet is the first one shown.
    QStringList hiddenStyles;
    QString style;
    while (x.next() != QXmlStreamReader::EndDocument) {
        if (!x.isStart())
            continue;
        if (x.name() == u"style" && x.xml().namespaceUri() == kStyleNs) {
            style = x.attribute(kStyleNs, u"name");
        } else if (x.name() == u"table-properties" && x.attribute(kTableNs, u"display") == u"false") {
            if (!style.isEmpty() && hiddenStyles.size() < 1000)
                hiddenStyles.append(style);
        }
        if (x.name() != u"table" || x.xml().namespaceUri() != kTableNs)
            continue;
        const QString name = x.attribute(kTableNs, u"name");
        const bool wanted = options.sheet.isEmpty() ? !hiddenStyles.contains(x.attribute(kTableNs, u"style-name"))
                                                    : name.compare(options.sheet, Qt::CaseInsensitive) == 0;
        if (wanted)
            return OdsTable(x, zip.fileName(), name, limits).read();
        if (names.size() < 1000)
            names.append(QStringLiteral("„%1”").arg(name));
        x.skip();
    }
    if (options.sheet.isEmpty())
        throw TableError(QStringLiteral("%1: w pliku nie ma żadnego widocznego arkusza").arg(zip.fileName()));
    throw TableError(QStringLiteral("%1: nie ma arkusza „%2”; arkusze w pliku: %3")
                         .arg(zip.fileName(), options.sheet, names.join(QStringLiteral(", "))));
}

} // namespace batch
