#include "SheetSamples.h"

#include <zlib.h>

namespace sheetsamples {

namespace {

void le(QByteArray &out, quint64 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

QByteArray rawDeflate(const QByteArray &data)
{
    z_stream s{};
    deflateInit2(&s, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&s, uLong(data.size()))), Qt::Uninitialized);
    s.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    s.avail_in = uInt(data.size());
    s.next_out = reinterpret_cast<Bytef *>(out.data());
    s.avail_out = uInt(out.size());
    deflate(&s, Z_FINISH);
    out.truncate(qsizetype(s.total_out));
    deflateEnd(&s);
    return out;
}

QByteArray escaped(const QString &s)
{
    return s.toHtmlEscaped().toUtf8();
}

bool looksNumeric(const QString &s)
{
    bool ok = false;
    s.toDouble(&ok);
    return ok && !s.isEmpty() && !s.startsWith(QLatin1Char('0'));
}

QByteArray column(int c)
{
    QByteArray letters;
    for (int n = c + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(char('A' + (n - 1) % 26));
    return letters;
}

} // namespace

QByteArray zip(const QList<ZipPart> &parts)
{
    QByteArray out, directory;
    for (const ZipPart &p : parts) {
        const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(p.data.constData()), uInt(p.data.size())));
        const QByteArray body = !p.rawDeflate.isEmpty() ? p.rawDeflate : p.deflate ? rawDeflate(p.data) : p.data;
        const quint16 method = (p.deflate || !p.rawDeflate.isEmpty()) ? 8 : 0;
        const quint64 size = p.declaredSize >= 0 ? quint64(p.declaredSize) : quint64(p.data.size());
        QByteArray common;
        le(common, 20, 2);     // version needed
        le(common, 0x0800, 2); // UTF-8 names
        le(common, method, 2);
        le(common, 0, 4); // time, date
        le(common, crc, 4);
        le(common, quint64(body.size()), 4);
        le(common, size, 4);
        le(common, quint64(p.name.size()), 2);
        le(common, 0, 2); // extra
        const quint64 offset = quint64(out.size());
        out += QByteArray("PK\x03\x04", 4) + common + p.name + body;
        directory += QByteArray("PK\x01\x02", 4);
        le(directory, p.unixMode ? 0x031E : 20, 2); // made by (Unix, 3.0)
        directory += common;
        le(directory, 0, 2 + 2 + 2);                 // comment, disk, internal attributes
        le(directory, quint64(p.unixMode) << 16, 4); // external attributes
        le(directory, offset, 4);
        directory += p.name;
    }
    QByteArray end("PK\x05\x06", 4);
    le(end, 0, 4);
    le(end, quint64(parts.size()), 2);
    le(end, quint64(parts.size()), 2);
    le(end, quint64(directory.size()), 4);
    le(end, quint64(out.size()), 4);
    le(end, 0, 2);
    return out + directory + end;
}

QByteArray repeatedDeflate(const QByteArray &head, const QByteArray &piece, qint64 times)
{
    // A block ended by a full flush refers to nothing before it, so it can
    // be repeated; an empty final block closes the stream.
    auto block = [](const QByteArray &data) {
        z_stream s{};
        deflateInit2(&s, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
        QByteArray out(int(deflateBound(&s, uLong(data.size())) + 64), Qt::Uninitialized);
        s.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
        s.avail_in = uInt(data.size());
        s.next_out = reinterpret_cast<Bytef *>(out.data());
        s.avail_out = uInt(out.size());
        deflate(&s, Z_FULL_FLUSH);
        out.truncate(qsizetype(s.total_out));
        deflateEnd(&s);
        return out;
    };
    QByteArray out = block(head);
    const QByteArray repeated = block(piece);
    for (qint64 i = 0; i < times; ++i)
        out += repeated;
    return out + QByteArray("\x03\x00", 2);
}

QByteArray xlsx(const Xlsx &x)
{
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    QByteArray shared = "<sst xmlns=\"" + main + "\">";
    for (const QString &s : x.shared)
        shared += "<si><t xml:space=\"preserve\">" + escaped(s) + "</t></si>";
    shared += "</sst>";
    QList<ZipPart> parts{
        {"[Content_Types].xml",
         "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
        {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                        "<Relationship Id=\"rId1\" Type=\""
                            + rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml",
         "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + rel + "\">" + x.workbookPr
             + "<sheets><sheet name=\"Lista\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"Inne\" sheetId=\"2\" r:id=\"rId2\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                                       "<Relationship Id=\"rId1\" Type=\""
                                           + rel
                                           + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                                             "<Relationship Id=\"rId2\" Type=\""
                                           + rel
                                           + "/worksheet\" Target=\"/xl/worksheets/sheet2.xml\"/>"
                                             "<Relationship Id=\"rId3\" Type=\""
                                           + rel
                                           + "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
                                             "<Relationship Id=\"rId4\" Type=\""
                                           + rel + "/styles\" Target=\"styles.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml",
         x.sheetPrefix + "<worksheet xmlns=\"" + main + "\"><sheetData>" + x.sheetData + "</sheetData></worksheet>"},
        {"xl/worksheets/sheet2.xml",
         "<worksheet xmlns=\"" + main
             + "\"><sheetData><row r=\"1\"><c r=\"A1\"><v>2</v></c></row></sheetData></worksheet>"},
        {"xl/sharedStrings.xml", shared},
    };
    if (!x.styles.isEmpty())
        parts.append({"xl/styles.xml", x.styles});
    return zip(parts);
}

QByteArray xlsxRows(const QList<QStringList> &rows)
{
    Xlsx x;
    for (int r = 0; r < rows.size(); ++r) {
        x.sheetData += "<row r=\"" + QByteArray::number(r + 1) + "\">";
        for (int c = 0; c < rows[r].size(); ++c) {
            const QString &cell = rows[r][c];
            if (cell.isEmpty())
                continue;
            const QByteArray ref = column(c) + QByteArray::number(r + 1);
            if (looksNumeric(cell)) {
                x.sheetData += "<c r=\"" + ref + "\"><v>" + cell.toUtf8() + "</v></c>";
            } else {
                x.sheetData += "<c r=\"" + ref + "\" t=\"s\"><v>" + QByteArray::number(x.shared.size()) + "</v></c>";
                x.shared.append(cell);
            }
        }
        x.sheetData += "</row>";
    }
    return xlsx(x);
}

QByteArray ods(const QByteArray &tables, const QByteArray &prefix, const QByteArray &styles)
{
    const QByteArray content = prefix
                               + "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
                                 " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
                                 " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\">"
                               + styles + "<office:body><office:spreadsheet>" + tables
                               + "</office:spreadsheet></office:body></office:document-content>";
    return zip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet", false}, {"content.xml", content}});
}

QByteArray odsRows(const QList<QStringList> &rows, const QString &sheet)
{
    QByteArray t = "<table:table table:name=\"" + escaped(sheet) + "\">";
    for (const QStringList &row : rows) {
        t += "<table:table-row>";
        for (const QString &cell : row) {
            if (cell.isEmpty())
                t += "<table:table-cell/>";
            else if (looksNumeric(cell))
                t += "<table:table-cell office:value-type=\"float\" office:value=\"" + cell.toUtf8() + "\"><text:p>"
                     + cell.toUtf8() + "</text:p></table:table-cell>";
            else
                t += "<table:table-cell office:value-type=\"string\"><text:p>" + escaped(cell)
                     + "</text:p></table:table-cell>";
        }
        t += "<table:table-cell table:number-columns-repeated=\"16380\"/></table:table-row>";
    }
    t += "<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
         "table:number-columns-repeated=\"16384\"/></table:table-row></table:table>";
    return ods(t);
}

QList<QStringList> classList(int n)
{
    static const QStringList first{"Anna", "Łukasz", "Zofia", "Jędrzej", "Małgorzata", "Ścibor", "Żaneta"};
    static const QStringList last{"Kowalska", "Nowak", "Wiśniewska", "Żółkiewski", "Brzęczyszczykiewicz", "Dąbrowska"};
    QList<QStringList> rows{{"Imię", "Nazwisko", "Klasa", "Punkty"}};
    for (int i = 0; i < n; ++i)
        rows.append({first[i % first.size()], last[(i / 7) % last.size()] + QString::number(i),
                     QStringLiteral("%1%2").arg(1 + i % 8).arg(QChar(u'a' + i % 4)), QString::number(50 + i % 50)});
    return rows;
}

std::vector<QByteArray> xlsxSeeds()
{
    Xlsx rich;
    rich.shared = {"Imię", "Nazwisko"};
    rich.sheetData = "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c></row>"
                     "<row r=\"3\"><c r=\"A3\" t=\"inlineStr\"><is><r><t>Ann</t></r><r><t>a</t></r><rPh><t>x</t></rPh></is></c>"
                     "<c r=\"B3\" s=\"1\"><v>45464</v></c><c r=\"C3\" t=\"str\"><f>A1</f><v>Imię</v></c>"
                     "<c r=\"D3\" t=\"b\"><v>1</v></c><c r=\"E3\" s=\"2\"><v>0.5</v></c></row>";
    rich.styles = "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><numFmts>"
                  "<numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/></numFmts><cellXfs><xf numFmtId=\"0\"/>"
                  "<xf numFmtId=\"164\"/><xf numFmtId=\"9\"/></cellXfs></styleSheet>";
    return {xlsxRows(classList(5)), xlsx(rich)};
}

std::vector<QByteArray> odsSeeds()
{
    const QByteArray mixed =
        "<table:table table:name=\"A\"><table:table-row><table:table-cell office:value-type=\"date\" "
        "office:date-value=\"2024-06-21\"/><table:table-cell office:value-type=\"percentage\" office:value=\"0.25\"/>"
        "<table:table-cell table:number-columns-repeated=\"2\" office:value-type=\"string\"><text:p>a<text:s "
        "text:c=\"2\"/>b</text:p><text:p>c</text:p></table:table-cell></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"3\"/><table:table-row><table:table-cell "
        "office:value-type=\"time\" office:time-value=\"PT10H30M00S\"/></table:table-row></table:table>"
        "<table:table table:name=\"B\"/>";
    return {odsRows(classList(5)), ods(mixed)};
}

} // namespace sheetsamples
