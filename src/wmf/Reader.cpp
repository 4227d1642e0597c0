#include "wmf/ByteReader.h"
#include "wmf/Metafile.h"
#include "wmf/Parsed.h"
#include "wmf/Records.h"

namespace wmf {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr uint32_t kPlaceableSize = 22;
constexpr uint32_t kHeaderSize = 18;

bool isDrawing(uint16_t f)
{
    switch (f) {
    case rec::Eof:
    case rec::SaveDC:
    case rec::RestoreDC:
    case rec::Escape: return false;
    default: return true;
    }
}

} // namespace

ParsedMetafile parseRecords(const QByteArray &bytes)
{
    if (bytes.size() > kMaxFileBytes)
        throw MetafileError("damaged metafile: the file is too large");
    ParsedMetafile p;
    p.bytes = bytes;
    ByteReader in(reinterpret_cast<const unsigned char *>(bytes.constData()), uint32_t(bytes.size()));

    uint32_t start = 0;
    if (in.has(4) && in.u32() == kPlaceableKey) {
        in.seek(4);
        in.u16(); // handle, always 0
        const int16_t left = in.s16(), top = in.s16(), right = in.s16(), bottom = in.s16();
        const uint16_t inch = in.u16();
        if (!in.ok())
            throw MetafileError("not a metafile");
        p.placeable = true;
        p.unitsPerInch = inch;
        const QRectF box = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
        if (box.width() > 0 && box.height() > 0)
            p.frame = box;
        start = kPlaceableSize;
    }
    in.seek(start);
    const uint16_t type = in.u16();
    const uint16_t headerWords = in.u16();
    in.u16(); // version
    in.u32(); // size in words; some writers count the placeable header too
    p.objectCount = in.u16();
    if (!in.ok() || (type != 1 && type != 2) || headerWords != 9)
        throw MetafileError("not a metafile");
    in.seek(start + kHeaderSize);

    int drawing = 0;
    while (in.remaining() > 0) {
        const uint32_t at = in.pos();
        if (!in.has(6)) { // a few stray bytes at the end
            p.truncated = in.remaining() >= 2;
            break;
        }
        const uint32_t words = in.u32();
        const uint16_t function = in.u16();
        if (function == rec::Eof && (words == 3 || words == 0))
            break;
        if (words < 3 || words > (in.size() - at) / 2) {
            p.truncated = true;
            break;
        }
        if (p.records.size() >= kMaxRecords) {
            p.truncated = true;
            break;
        }
        const uint32_t length = words * 2 - 6;
        p.records.push_back({function, at + 6, length});
        if (isDrawing(function))
            ++drawing;
        in.seek(at + words * 2);
    }
    if (p.truncated && drawing == 0)
        throw MetafileError("damaged metafile: the records are cut short or broken");
    return p;
}

} // namespace wmf
