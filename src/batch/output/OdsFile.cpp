#include "OdsFile.h"

#include <array>

namespace batch {

namespace {

quint32 crc32(const QByteArray &data)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (const char byte : data)
        c = table[(c ^ quint8(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void put16(QByteArray &out, quint32 v)
{
    out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void put32(QByteArray &out, quint32 v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// Stored entries, then the central directory.
class StoredZip {
public:
    void add(const QByteArray &name, const QByteArray &data)
    {
        const quint32 offset = quint32(out_.size());
        const quint32 crc = crc32(data);
        const auto common = [&](QByteArray &to) {
            put16(to, 20);   // version needed: 2.0
            put16(to, 0);    // flags
            put16(to, 0);    // stored
            put16(to, 0);    // time
            put16(to, 0x21); // date: 1980-01-01
            put32(to, crc);
            put32(to, quint32(data.size()));
            put32(to, quint32(data.size()));
            put16(to, quint32(name.size()));
            put16(to, 0); // extra
        };
        put32(out_, 0x04034b50);
        common(out_);
        out_.append(name).append(data);
        put32(central_, 0x02014b50);
        put16(central_, 20); // made by
        common(central_);
        put16(central_, 0); // comment
        put16(central_, 0); // disk
        put16(central_, 0); // internal attributes
        put32(central_, 0); // external attributes
        put32(central_, offset);
        central_.append(name);
        ++entries_;
    }
    QByteArray finish()
    {
        const quint32 at = quint32(out_.size());
        out_.append(central_);
        put32(out_, 0x06054b50);
        put16(out_, 0);
        put16(out_, 0);
        put16(out_, entries_);
        put16(out_, entries_);
        put32(out_, quint32(central_.size()));
        put32(out_, at);
        put16(out_, 0);
        return out_;
    }

private:
    QByteArray out_;
    QByteArray central_;
    quint32 entries_ = 0;
};

} // namespace

QByteArray odsFile(const QString &sheet, const QList<QStringList> &rows, const QList<int> &numberColumns)
{
    QString content = QStringLiteral(
                          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                          "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                          "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\">"
                          "<office:body><office:spreadsheet><table:table table:name=\"%1\">")
                          .arg(sheet.toHtmlEscaped());
    for (int r = 0; r < rows.size(); ++r) {
        content += QStringLiteral("<table:table-row>");
        for (int c = 0; c < rows[r].size(); ++c) {
            const QString &cell = rows[r][c];
            bool number = false;
            const qlonglong value = cell.toLongLong(&number);
            if (r > 0 && number && numberColumns.contains(c))
                content += QStringLiteral("<table:table-cell office:value-type=\"float\" office:value=\"%1\">").arg(value);
            else
                content += QStringLiteral("<table:table-cell office:value-type=\"string\">");
            content += QStringLiteral("<text:p>%1</text:p></table:table-cell>").arg(cell.toHtmlEscaped());
        }
        content += QStringLiteral("</table:table-row>");
    }
    content += QStringLiteral("</table:table></office:spreadsheet></office:body></office:document-content>\n");
    const QByteArray mime("application/vnd.oasis.opendocument.spreadsheet");
    StoredZip zip;
    zip.add("mimetype", mime); // first and stored, as the format asks
    zip.add("META-INF/manifest.xml",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
            "manifest:version=\"1.2\"><manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
            "manifest:media-type=\""
                + mime
                + "\"/><manifest:file-entry manifest:full-path=\"content.xml\" "
                  "manifest:media-type=\"text/xml\"/></manifest:manifest>\n");
    zip.add("content.xml", content.toUtf8());
    return zip.finish();
}

} // namespace batch
