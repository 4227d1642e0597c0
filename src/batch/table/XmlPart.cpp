#include "XmlPart.h"

#include "CellText.h"
#include "Table.h"

#include <cstring>

namespace batch {

namespace {
// Sheets nest a handful of levels; runs of text nest a few more.
constexpr int kMaxDepth = 64;
} // namespace

XmlPart::XmlPart(ZipEntries &zip, const QString &entry, qint64 maxRun)
    : zip_(zip), entry_(entry), stream_(zip.open(entry)), maxRun_(maxRun)
{
    xml_.setNamespaceProcessing(true);
}

void XmlPart::fail(const QString &what) const
{
    throw TableError(
        QStringLiteral("%1: część %2, wiersz XML %3: %4").arg(zip_.fileName(), entry_).arg(xml_.lineNumber()).arg(what));
}

void XmlPart::feed()
{
    const QByteArray piece = stream_->next();
    if (piece.isEmpty()) {
        fedAll_ = true;
        return;
    }
    // The longest stretch without '<' bounds every text and attribute the
    // parser would otherwise gather whole in memory.
    const char *p = piece.constData();
    const char *end = p + piece.size();
    while (p < end) {
        const void *lt = std::memchr(p, '<', size_t(end - p));
        if (!lt) {
            run_ += end - p;
            break;
        }
        run_ += static_cast<const char *>(lt) - p;
        if (run_ > maxRun_)
            break;
        run_ = 0;
        p = static_cast<const char *>(lt) + 1;
    }
    if (run_ > maxRun_)
        fail(QStringLiteral("tekst lub atrybut dłuższy niż %1 — plik odrzucono")
                 .arg(celltext::counted(maxRun_, "bajt", "bajty", "bajtów")));
    xml_.addData(piece);
}

QXmlStreamReader::TokenType XmlPart::next()
{
    for (;;) {
        const QXmlStreamReader::TokenType t = xml_.readNext();
        switch (t) {
        case QXmlStreamReader::Invalid:
            if (xml_.error() == QXmlStreamReader::PrematureEndOfDocumentError && !fedAll_) {
                feed();
                continue;
            }
            fail(QStringLiteral("uszkodzony XML (%1)").arg(xml_.errorString()));
        case QXmlStreamReader::DTD:
            fail(QStringLiteral("deklaracja DTD, której arkusz nie potrzebuje — plik odrzucono"));
        case QXmlStreamReader::EntityReference:
            fail(QStringLiteral("nieznana encja &%1; — plik odrzucono").arg(xml_.name()));
        case QXmlStreamReader::StartElement:
            if (++depth_ > kMaxDepth)
                fail(QStringLiteral("elementy zagnieżdżone głębiej niż %1 poziomy").arg(kMaxDepth));
            return t;
        case QXmlStreamReader::EndElement: --depth_; return t;
        default: return t;
        }
    }
}

QString XmlPart::text(qsizetype maxChars, const QStringList &skipNames)
{
    QString out;
    const int bottom = depth_;
    while (depth_ >= bottom) {
        const QXmlStreamReader::TokenType t = next();
        if (t == QXmlStreamReader::EndDocument)
            fail(QStringLiteral("niedokończony element"));
        if (t == QXmlStreamReader::StartElement && skipNames.contains(xml_.name()))
            skip();
        else if (t == QXmlStreamReader::Characters && out.size() <= maxChars)
            out += xml_.text().left(maxChars + 1 - out.size());
    }
    return out;
}

void XmlPart::skip()
{
    const int bottom = depth_;
    while (depth_ >= bottom)
        if (next() == QXmlStreamReader::EndDocument)
            fail(QStringLiteral("niedokończony element"));
}

QString XmlPart::attribute(QStringView name) const
{
    // Held const: a loop over the temporary itself would copy every attribute.
    const QXmlStreamAttributes attributes = xml_.attributes();
    for (const QXmlStreamAttribute &a : attributes)
        if (a.name() == name && a.namespaceUri().isEmpty())
            return a.value().toString();
    return {};
}

QString XmlPart::attribute(QStringView namespaceUri, QStringView name) const
{
    const QXmlStreamAttributes attributes = xml_.attributes();
    for (const QXmlStreamAttribute &a : attributes)
        if (a.name() == name && a.namespaceUri() == namespaceUri)
            return a.value().toString();
    return {};
}

} // namespace batch
