#include "Describe.h"

#include "wmf/Metafile.h"
#include "wmf/Records.h"

#include <QStringList>

namespace wzory {

namespace {

quint32 u32(const QByteArray &b, qsizetype at)
{
    if (at < 0 || at + 4 > b.size())
        return 0;
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16
           | quint32(quint8(b[at + 3])) << 24;
}

quint16 u16(const QByteArray &b, qsizetype at)
{
    if (at < 0 || at + 2 > b.size())
        return 0;
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

} // namespace

QString describeTemplate(const QByteArray &bytes)
{
    try {
        wmf::Metafile::fromBytes(bytes);
    } catch (const wmf::MetafileError &e) {
        return QStringLiteral("uszkodzony (%1)").arg(QString::fromUtf8(e.what()));
    }
    qsizetype at = u32(bytes, 0) == 0x9AC6CDD7u ? 22 : 0;
    at += qsizetype(u16(bytes, at + 2)) * 2; // header size in words
    int shapes = 0, texts = 0;
    QStringList bitmaps;
    while (at + 6 <= bytes.size()) {
        const quint32 words = u32(bytes, at);
        const quint16 function = u16(bytes, at + 4);
        if (words < 3 || function == wmf::rec::Eof)
            break;
        switch (function) {
        case wmf::rec::Polygon:
        case wmf::rec::Polyline:
        case wmf::rec::PolyPolygon:
        case wmf::rec::Rectangle:
        case wmf::rec::RoundRect:
        case wmf::rec::Ellipse:
        case wmf::rec::Arc:
        case wmf::rec::Pie:
        case wmf::rec::Chord:
        case wmf::rec::LineTo: ++shapes; break;
        case wmf::rec::TextOut:
        case wmf::rec::ExtTextOut: ++texts; break;
        case wmf::rec::StretchDib:
        case wmf::rec::DibStretchBlt:
        case wmf::rec::DibBitBlt:
        case wmf::rec::SetDibToDev: {
            const qsizetype header = at + 6
                                     + (function == wmf::rec::StretchDib    ? 22
                                        : function == wmf::rec::DibBitBlt   ? 16
                                        : function == wmf::rec::SetDibToDev ? 18
                                                                            : 20);
            bitmaps << QStringLiteral("%1 × %2")
                           .arg(qint32(u32(bytes, header + 4)))
                           .arg(std::abs(qint32(u32(bytes, header + 8))));
            break;
        }
        default: break;
        }
        at += qsizetype(words) * 2;
    }
    QStringList parts;
    if (shapes)
        parts << QStringLiteral("wektor: %1 figur").arg(shapes);
    if (texts)
        parts << QStringLiteral("%1 napisów").arg(texts);
    if (bitmaps.size() == 1)
        parts << QStringLiteral("bitmapa %1").arg(bitmaps.front());
    else if (bitmaps.size() > 1)
        parts << QStringLiteral("%1 bitmap").arg(bitmaps.size());
    return parts.isEmpty() ? QStringLiteral("pusty") : parts.join(QStringLiteral(", "));
}

} // namespace wzory
