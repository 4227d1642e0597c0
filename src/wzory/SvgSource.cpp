#include "SvgSource.h"

#include "ImageCheck.h"
#include "Import.h"
#include "ImportError.h"
#include "SvgUnits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>
#include <zlib.h>

namespace wzory {

namespace {

QString unescapeXml(const QString &s)
{
    static const QRegularExpression numeric(QStringLiteral("&#(x?)([0-9a-fA-F]+);"));
    QString out;
    qsizetype last = 0;
    for (auto it = numeric.globalMatch(s); it.hasNext();) {
        const auto m = it.next();
        out += QStringView(s).mid(last, m.capturedStart() - last);
        bool ok = false;
        const uint code = m.captured(2).toUInt(&ok, m.captured(1).isEmpty() ? 10 : 16);
        if (ok && code > 0 && code < 0x110000)
            out += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
        last = m.capturedEnd();
    }
    out += QStringView(s).mid(last);
    out.replace(QLatin1String("&lt;"), QLatin1String("<"));
    out.replace(QLatin1String("&gt;"), QLatin1String(">"));
    out.replace(QLatin1String("&quot;"), QLatin1String("\""));
    out.replace(QLatin1String("&apos;"), QLatin1String("'"));
    out.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return out;
}

// What a linked image becomes: the data: address to use, or empty when it
// is left out (then `why` says why).
struct Resolved {
    QString href;
    QString why;
};

QString dataUri(const QByteArray &bytes, const QByteArray &format)
{
    return QStringLiteral("data:image/%1;base64,").arg(QString::fromLatin1(format))
           + QString::fromLatin1(bytes.toBase64());
}

Resolved resolveImage(const QString &ref, const QString &designPath, int index)
{
    const QString where = QStringLiteral("%1: obraz „%2”").arg(designPath, ref.left(80));
    if (ref.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) {
        const qsizetype comma = ref.indexOf(QLatin1Char(','));
        const QString header = ref.mid(5, comma - 5);
        if (comma < 0)
            return {{}, QStringLiteral("uszkodzony adres data:")};
        if (header.startsWith(QLatin1String("image/svg"), Qt::CaseInsensitive))
            return {ref, {}};
        const QByteArray payload = ref.mid(comma + 1).toLatin1();
        const QByteArray bytes = header.endsWith(QLatin1String(";base64"), Qt::CaseInsensitive)
                                     ? QByteArray::fromBase64(payload)
                                     : QByteArray::fromPercentEncoding(payload);
        // Refused like a linked one when too large or damaged.
        decodeImage(bytes, QStringLiteral("%1: obraz wbudowany nr %2").arg(designPath).arg(index));
        return {ref, {}};
    }
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    if (scheme.match(ref).hasMatch())
        return {{}, QStringLiteral("adres spoza folderu projektu")};
    if (ref.startsWith(QLatin1Char('/')) || ref.startsWith(QLatin1Char('\\')))
        return {{}, QStringLiteral("ścieżka bezwzględna, dozwolone tylko pliki z folderu projektu")};
    QString relative = ref;
    relative.truncate(relative.indexOf(QLatin1Char('#')) < 0 ? relative.size() : relative.indexOf(QLatin1Char('#')));
    relative = QUrl::fromPercentEncoding(relative.toUtf8());
    const QString folder = QFileInfo(designPath).absoluteDir().canonicalPath();
    const QFileInfo target(QDir(QFileInfo(designPath).absolutePath()).filePath(relative));
    const QString canonical = target.canonicalFilePath();
    if (canonical.isEmpty())
        return {{}, QStringLiteral("nie ma takiego pliku")};
    if (folder.isEmpty() || !canonical.startsWith(folder + QLatin1Char('/')))
        return {{}, QStringLiteral("plik spoza folderu projektu")};
    if (!QFileInfo(canonical).isFile())
        return {{}, QStringLiteral("to nie jest plik")};
    if (QFileInfo(canonical).size() > kMaxDesignBytes)
        throw ImportError(QStringLiteral("%1: plik jest za duży (najwyżej %2 MB)").arg(where).arg(kMaxDesignBytes >> 20));
    QFile f(canonical);
    if (!f.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("nie można odczytać (%1)").arg(f.errorString())};
    const QByteArray bytes = f.read(kMaxDesignBytes);
    const QByteArray format = imageFormat(bytes);
    if (format.isEmpty() || format == "svg" || format == "svgz")
        return {{}, QStringLiteral("nieobsługiwany rodzaj obrazu (obsługiwane: PNG, JPEG, GIF, BMP)")};
    decodeImage(bytes, where);
    return {dataUri(bytes, format), {}};
}

// Root element facts: where its start tag closes (to add attributes), its
// size attributes.
struct Root {
    qsizetype tagEnd = -1; // index of the closing '>' or '/>'
    QString width, height, viewBox;
};

Root readRoot(const QString &text)
{
    Root root;
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            const QXmlStreamAttributes a = xml.attributes();
            root.width = a.value(QLatin1String("width")).toString();
            root.height = a.value(QLatin1String("height")).toString();
            root.viewBox = a.value(QLatin1String("viewBox")).toString();
            qsizetype end = qsizetype(xml.characterOffset());
            while (end > 0 && text.at(end - 1) != QLatin1Char('>'))
                --end;
            root.tagEnd = end - 1;
            if (root.tagEnd > 0 && text.at(root.tagEnd - 1) == QLatin1Char('/'))
                --root.tagEnd;
            break;
        }
    }
    return root;
}

QSizeF viewBoxSize(const QString &viewBox)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    const QStringList parts = viewBox.split(separators, Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return {};
    bool okW = false, okH = false;
    const double w = parts[2].toDouble(&okW), h = parts[3].toDouble(&okH);
    return okW && okH && w > 0 && h > 0 ? QSizeF(w, h) : QSizeF();
}

QString decode(const QByteArray &bytes, const QString &path)
{
    static const QRegularExpression declared(QStringLiteral("^\\s*<\\?xml[^>]*encoding\\s*=\\s*[\"']([^\"']+)[\"']"));
    const auto m = declared.match(QString::fromLatin1(bytes.left(200)));
    const QString encoding = m.hasMatch() ? m.captured(1).toLower() : QStringLiteral("utf-8");
    if (encoding == QLatin1String("utf-8") || encoding == QLatin1String("utf8") || encoding == QLatin1String("us-ascii"))
        return QString::fromUtf8(bytes);
    if (encoding == QLatin1String("iso-8859-1") || encoding == QLatin1String("latin1")) {
        // Written back as UTF-8: the declaration goes.
        QString text = QString::fromLatin1(bytes);
        text.remove(0, text.indexOf(QLatin1String("?>")) + 2);
        return text;
    }
    throw ImportError(QStringLiteral("%1: nieobsługiwane kodowanie znaków %2 (zapisz plik w UTF-8)").arg(path, encoding));
}

} // namespace

double svgLength(const QString &text)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*([+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)\\s*(px|in|cm|mm|pt|pc)?\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return -1;
    return m.captured(1).toDouble() * pxPerUnit(m.capturedView(2));
}

QByteArray inflateSvg(const QByteArray &gzip, const QString &path, qint64 limit)
{
    z_stream z{};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK)
        throw ImportError(QStringLiteral("%1: nie można rozpakować").arg(path));
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(gzip.constData()));
    z.avail_in = uInt(gzip.size());
    QByteArray out;
    char chunk[65536];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef *>(chunk);
        z.avail_out = sizeof chunk;
        status = inflate(&z, Z_NO_FLUSH);
        const qsizetype made = qsizetype(sizeof chunk - z.avail_out);
        if (out.size() + made > limit) {
            inflateEnd(&z);
            throw ImportError(
                QStringLiteral("%1: rozpakowany plik SVG byłby większy niż %2 MB").arg(path).arg(limit >> 20));
        }
        out.append(chunk, made);
        if (status == Z_BUF_ERROR && z.avail_in == 0)
            break;
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END)
        throw ImportError(QStringLiteral("%1: uszkodzony plik SVGZ (skompresowane dane się urywają)").arg(path));
    return out;
}

SvgSource prepareSvg(const QByteArray &bytes, const QString &path)
{
    SvgSource source;
    QString text = decode(bytes, path);
    // Counted before any renderer parses them: millions of tiny elements
    // take minutes however simple each is.
    static const QRegularExpression element(QStringLiteral("<[A-Za-z]"));
    qsizetype elements = 0;
    for (auto it = element.globalMatch(text); it.hasNext(); it.next())
        if (++elements > kMaxSvgElements)
            throw ImportError(QStringLiteral("%1: rysunek ma ponad %2 elementów").arg(path).arg(kMaxSvgElements));

    // Linked images (and those of filters): embedded, or left out with a reason.
    static const QRegularExpression tag(QStringLiteral("<(?:[\\w-]+:)?(?:image|feImage)\\b[^>]*>"));
    static const QRegularExpression href(QStringLiteral("\\s(?:[\\w-]+:)?href\\s*=\\s*(\"([^\"]*)\"|'([^']*)')"));
    QString out;
    qsizetype last = 0;
    int index = 0;
    for (auto tags = tag.globalMatch(text); tags.hasNext();) {
        const auto t = tags.next();
        QString element = t.captured();
        ++index;
        const auto h = href.match(element);
        if (h.hasMatch()) {
            const QString ref = unescapeXml(h.captured(2).isNull() ? h.captured(3) : h.captured(2)).trimmed();
            const Resolved r = resolveImage(ref, path, index);
            if (r.href.isEmpty()) {
                source.warnings << QStringLiteral("%1: pominięto obraz „%2”: %3").arg(path, ref.left(80), r.why);
                element.remove(h.capturedStart(), h.capturedLength());
            } else if (r.href != ref) {
                element.replace(h.capturedStart(), h.capturedLength(), QStringLiteral(" xlink:href=\"%1\"").arg(r.href));
                if (!text.contains(QLatin1String("xmlns:xlink"))) {
                    static const QRegularExpression name(QStringLiteral("^<[\\w:-]+"));
                    element.insert(name.match(element).capturedLength(),
                                   QStringLiteral(" xmlns:xlink=\"http://www.w3.org/1999/xlink\""));
                }
            }
        }
        out += QStringView(text).mid(last, t.capturedStart() - last);
        out += element;
        last = t.capturedEnd();
    }
    out += QStringView(text).mid(last);
    text = out;

    const Root root = readRoot(text);
    if (root.tagEnd > 0)
        text = withUserUnits(text, root.tagEnd);
    source.size = viewBoxSize(root.viewBox);
    if (source.size.isEmpty()) {
        // User units are px, 96 per inch: the viewBox says so to renderers
        // that assume another resolution.
        const double w = svgLength(root.width), h = svgLength(root.height);
        if (w > 0 && h > 0 && root.tagEnd > 0) {
            source.size = QSizeF(w, h);
            text.insert(root.tagEnd, QStringLiteral(" viewBox=\"0 0 %1 %2\"").arg(w, 0, 'g', 10).arg(h, 0, 'g', 10));
        }
    }
    source.text = text.toUtf8();
    return source;
}

} // namespace wzory
