#include "wmf/Metafile.h"

#include <QPainter>

namespace wmf {

struct ParsedMetafile {
    QByteArray bytes;
    QRectF frame;
};

Metafile Metafile::fromBytes(const QByteArray &bytes)
{
    const auto u32 = [&](int at) {
        return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8
               | quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
    };
    const auto s16 = [&](int at) { return qint16(quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8)); };
    if (bytes.size() < 18)
        throw MetafileError("not a metafile");
    auto p = std::make_shared<ParsedMetafile>();
    p->bytes = bytes;
    if (u32(0) == 0x9AC6CDD7u && bytes.size() >= 22 + 18) {
        p->frame = QRectF(QPointF(s16(6), s16(8)), QPointF(s16(10), s16(12))).normalized();
    } else {
        p->frame = QRectF(0, 0, 1000, 1000);
    }
    Metafile m;
    m.data_ = p;
    return m;
}

QRectF Metafile::frame() const
{
    return data_ ? data_->frame : QRectF();
}

void Metafile::draw(QPainter &, const QRectF &) const
{
}

} // namespace wmf
