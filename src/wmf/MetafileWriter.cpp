#include "wmf/MetafileWriter.h"

#include "wmf/Records.h"

#include <algorithm>

namespace wmf {

namespace {

void le16(QByteArray &b, uint16_t v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

void le32(QByteArray &b, uint32_t v)
{
    le16(b, uint16_t(v & 0xFFFF));
    le16(b, uint16_t(v >> 16));
}

uint32_t colorRef(QColor c)
{
    return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
}

} // namespace

MetafileWriter::MetafileWriter(const QRect &bounds, int unitsPerInch) : bounds_(bounds), inch_(unitsPerInch) {}

void MetafileWriter::put16(QByteArray &b, int v) const
{
    le16(b, uint16_t(int16_t(std::clamp(v, -32768, 32767))));
}

void MetafileWriter::box(QByteArray &b, const QRect &r) const
{
    put16(b, r.bottom() + 1);
    put16(b, r.right() + 1);
    put16(b, r.top());
    put16(b, r.left());
}

void MetafileWriter::boxRecord(uint16_t function, const QRect &r)
{
    QByteArray b;
    box(b, r);
    record(function, b);
}

void MetafileWriter::recordWords(uint16_t function, std::initializer_list<int> words)
{
    QByteArray b;
    for (const int w : words)
        put16(b, w);
    record(function, b);
}

QByteArray MetafileWriter::colorParam(QColor c)
{
    QByteArray b;
    le32(b, colorRef(c));
    return b;
}

void MetafileWriter::record(uint16_t function, const QByteArray &params)
{
    QByteArray p = params;
    if (p.size() & 1)
        p.append('\0');
    const uint32_t words = uint32_t(p.size() / 2 + 3);
    le32(body_, words);
    le16(body_, function);
    body_.append(p);
    maxRecordWords_ = std::max(maxRecordWords_, words);
    ++records_;
}

int MetafileWriter::allocate()
{
    for (size_t i = 0; i < used_.size(); ++i)
        if (!used_[i]) {
            used_[i] = true;
            return int(i);
        }
    used_.push_back(true);
    return int(used_.size() - 1);
}

#define PARAMS QByteArray b
// Parameters go in the order they are stored: last argument first.
void MetafileWriter::setWindowOrg(int x, int y)
{
    recordWords(rec::SetWindowOrg, {y, x});
}
void MetafileWriter::setWindowExt(int w, int h)
{
    recordWords(rec::SetWindowExt, {h, w});
}
void MetafileWriter::setViewportOrg(int x, int y)
{
    recordWords(rec::SetViewportOrg, {y, x});
}
void MetafileWriter::setViewportExt(int w, int h)
{
    recordWords(rec::SetViewportExt, {h, w});
}
void MetafileWriter::setMapMode(int m)
{
    recordWords(rec::SetMapMode, {m});
}
void MetafileWriter::setBkMode(int m)
{
    recordWords(rec::SetBkMode, {m});
}
void MetafileWriter::setBkColor(QColor c)
{
    record(rec::SetBkColor, colorParam(c));
}
void MetafileWriter::setTextColor(QColor c)
{
    record(rec::SetTextColor, colorParam(c));
}
void MetafileWriter::setTextAlign(int a)
{
    recordWords(rec::SetTextAlign, {a});
}
void MetafileWriter::setPolyFillMode(int m)
{
    recordWords(rec::SetPolyFillMode, {m});
}
void MetafileWriter::setRop2(int r)
{
    recordWords(rec::SetRop2, {r});
}
void MetafileWriter::setStretchBltMode(int m)
{
    recordWords(rec::SetStretchBltMode, {m});
}
void MetafileWriter::saveDC()
{
    record(rec::SaveDC, {});
}
void MetafileWriter::restoreDC(int n)
{
    recordWords(rec::RestoreDC, {n});
}

int MetafileWriter::createPen(int style, int width, QColor c)
{
    PARAMS;
    put16(b, style);
    put16(b, width);
    put16(b, 0);
    le32(b, colorRef(c));
    record(rec::CreatePenIndirect, b);
    return allocate();
}

int MetafileWriter::createBrush(int style, QColor c, int hatch)
{
    PARAMS;
    put16(b, style);
    le32(b, colorRef(c));
    put16(b, hatch);
    record(rec::CreateBrushIndirect, b);
    return allocate();
}

int MetafileWriter::createFont(const LogFont &f)
{
    PARAMS;
    put16(b, f.height);
    put16(b, f.width);
    put16(b, f.escapement);
    put16(b, f.escapement);
    put16(b, f.weight);
    b.append(char(f.italic));
    b.append(char(f.underline));
    b.append(char(f.strikeOut));
    b.append(char(f.charset));
    b.append(QByteArray("\0\0\x02\0", 4)); // precision, clipping, quality (antialiased), pitch
    QByteArray face = f.face.left(31);
    face.append(QByteArray(32 - face.size(), '\0'));
    b.append(face);
    record(rec::CreateFontIndirect, b);
    return allocate();
}

int MetafileWriter::createPalette(const std::vector<QRgb> &colours)
{
    PARAMS;
    put16(b, 0x0300);
    put16(b, int(colours.size()));
    for (QRgb c : colours) {
        b.append(char(qRed(c)));
        b.append(char(qGreen(c)));
        b.append(char(qBlue(c)));
        b.append('\0');
    }
    record(rec::CreatePalette, b);
    return allocate();
}

int MetafileWriter::createDibPatternBrush(const QImage &pattern)
{
    PARAMS;
    put16(b, 5); // BS_DIBPATTERN
    put16(b, 0); // DIB_RGB_COLORS
    b.append(dib(pattern, 24));
    record(rec::DibCreatePatternBrush, b);
    return allocate();
}

void MetafileWriter::selectObject(int i)
{
    recordWords(rec::SelectObject, {i});
}
void MetafileWriter::selectPalette(int i)
{
    recordWords(rec::SelectPalette, {i});
}

void MetafileWriter::deleteObject(int i)
{
    PARAMS;
    put16(b, i);
    record(rec::DeleteObject, b);
    if (i >= 0 && size_t(i) < used_.size())
        used_[size_t(i)] = false;
}

void MetafileWriter::moveTo(int x, int y)
{
    recordWords(rec::MoveTo, {y, x});
}
void MetafileWriter::lineTo(int x, int y)
{
    recordWords(rec::LineTo, {y, x});
}

void MetafileWriter::points(QByteArray &b, const QPolygon &points) const
{
    for (const QPoint &p : points) {
        put16(b, p.x());
        put16(b, p.y());
    }
}

void MetafileWriter::pointsRecord(uint16_t function, const QPolygon &points)
{
    PARAMS;
    put16(b, int(points.size()));
    this->points(b, points);
    record(function, b);
}

void MetafileWriter::polyline(const QPolygon &points)
{
    pointsRecord(rec::Polyline, points);
}
void MetafileWriter::polygon(const QPolygon &points)
{
    pointsRecord(rec::Polygon, points);
}

void MetafileWriter::polyPolygon(const std::vector<QPolygon> &polygons)
{
    PARAMS;
    put16(b, int(polygons.size()));
    for (const QPolygon &poly : polygons)
        put16(b, int(poly.size()));
    for (const QPolygon &poly : polygons)
        points(b, poly);
    record(rec::PolyPolygon, b);
}

void MetafileWriter::rectangle(const QRect &r)
{
    boxRecord(rec::Rectangle, r);
}
void MetafileWriter::ellipse(const QRect &r)
{
    boxRecord(rec::Ellipse, r);
}

void MetafileWriter::roundRect(const QRect &r, int w, int h)
{
    PARAMS;
    put16(b, h);
    put16(b, w);
    box(b, r);
    record(rec::RoundRect, b);
}

void MetafileWriter::arcRecord(uint16_t function, const QRect &r, QPoint start, QPoint end)
{
    PARAMS;
    put16(b, end.y());
    put16(b, end.x());
    put16(b, start.y());
    put16(b, start.x());
    box(b, r);
    record(function, b);
}

void MetafileWriter::arc(const QRect &r, QPoint s, QPoint e)
{
    arcRecord(rec::Arc, r, s, e);
}
void MetafileWriter::pie(const QRect &r, QPoint s, QPoint e)
{
    arcRecord(rec::Pie, r, s, e);
}
void MetafileWriter::chord(const QRect &r, QPoint s, QPoint e)
{
    arcRecord(rec::Chord, r, s, e);
}

void MetafileWriter::textOut(QPoint at, const QByteArray &text)
{
    PARAMS;
    put16(b, int(text.size()));
    b.append(text);
    if (text.size() & 1)
        b.append('\0');
    put16(b, at.y());
    put16(b, at.x());
    record(rec::TextOut, b);
}

void MetafileWriter::extTextOut(QPoint at, const QByteArray &text, int options, const QRect *rect,
                                const std::vector<int> &dx)
{
    PARAMS;
    put16(b, at.y());
    put16(b, at.x());
    put16(b, int(text.size()));
    put16(b, options);
    if (rect) {
        put16(b, rect->left());
        put16(b, rect->top());
        put16(b, rect->right() + 1);
        put16(b, rect->bottom() + 1);
    }
    b.append(text);
    if (text.size() & 1)
        b.append('\0');
    for (int d : dx)
        put16(b, d);
    record(rec::ExtTextOut, b);
}

void MetafileWriter::intersectClipRect(const QRect &r)
{
    boxRecord(rec::IntersectClipRect, r);
}
void MetafileWriter::excludeClipRect(const QRect &r)
{
    boxRecord(rec::ExcludeClipRect, r);
}

QByteArray MetafileWriter::dib(const QImage &source, int bits)
{
    QImage image = source;
    if (bits > 8)
        image = source.convertToFormat(QImage::Format_RGB32);
    else if (image.format() != QImage::Format_Indexed8)
        image = source.convertToFormat(QImage::Format_Indexed8);
    const int w = image.width(), h = image.height();
    const int stride = ((w * bits + 31) / 32) * 4;
    QByteArray b;
    le32(b, 40);
    le32(b, uint32_t(w));
    le32(b, uint32_t(h));
    le16(b, 1);
    le16(b, uint16_t(bits));
    le32(b, 0);
    le32(b, uint32_t(stride * h));
    le32(b, 3780);
    le32(b, 3780);
    const int colours = bits <= 8 ? (1 << bits) : 0;
    le32(b, uint32_t(colours));
    le32(b, 0);
    for (int i = 0; i < colours; ++i) {
        const QRgb c = i < image.colorCount() ? image.color(i) : qRgb(0, 0, 0);
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        b.append('\0');
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            switch (bits) {
            case 1:
                if (image.pixelIndex(x, y) & 1)
                    row[x >> 3] = char(row[x >> 3] | (0x80 >> (x & 7)));
                break;
            case 4: row[x >> 1] = char(row[x >> 1] | ((image.pixelIndex(x, y) & 0x0F) << ((x & 1) ? 0 : 4))); break;
            case 8: row[x] = char(image.pixelIndex(x, y)); break;
            case 24: {
                const QRgb c = image.pixel(x, y);
                row[3 * x] = char(qBlue(c));
                row[3 * x + 1] = char(qGreen(c));
                row[3 * x + 2] = char(qRed(c));
                break;
            }
            default: {
                const QRgb c = image.pixel(x, y);
                row[4 * x] = char(qBlue(c));
                row[4 * x + 1] = char(qGreen(c));
                row[4 * x + 2] = char(qRed(c));
                break;
            }
            }
        }
        b.append(row);
    }
    return b;
}

void MetafileWriter::stretchRects(QByteArray &b, const QImage &image, const QRect &dest) const
{
    put16(b, image.height());
    put16(b, image.width());
    put16(b, 0);
    put16(b, 0);
    put16(b, dest.height());
    put16(b, dest.width());
    put16(b, dest.top());
    put16(b, dest.left());
}

void MetafileWriter::stretchDib(const QRect &dest, const QImage &image, int bits)
{
    PARAMS;
    le32(b, 0x00CC0020); // SRCCOPY
    put16(b, 0);         // DIB_RGB_COLORS
    stretchRects(b, image, dest);
    b.append(dib(image, bits));
    record(rec::StretchDib, b);
}

void MetafileWriter::dibStretchBlt(const QRect &dest, const QImage &image, int bits)
{
    PARAMS;
    le32(b, 0x00CC0020);
    stretchRects(b, image, dest);
    b.append(dib(image, bits));
    record(rec::DibStretchBlt, b);
}

void MetafileWriter::dibBitBlt(QPoint at, const QImage &image, int bits)
{
    PARAMS;
    le32(b, 0x00CC0020);
    put16(b, 0);
    put16(b, 0);
    put16(b, image.height());
    put16(b, image.width());
    put16(b, at.y());
    put16(b, at.x());
    b.append(dib(image, bits));
    record(rec::DibBitBlt, b);
}

void MetafileWriter::escape(uint16_t function, const QByteArray &data)
{
    PARAMS;
    put16(b, function);
    put16(b, int(data.size()));
    b.append(data);
    record(rec::Escape, b);
}
#undef PARAMS

QByteArray MetafileWriter::finish() const
{
    QByteArray out;
    le32(out, 0x9AC6CDD7u);
    le16(out, 0);
    QByteArray bb;
    put16(bb, bounds_.left());
    put16(bb, bounds_.top());
    put16(bb, bounds_.right() + 1);
    put16(bb, bounds_.bottom() + 1);
    out.append(bb);
    le16(out, uint16_t(inch_));
    le32(out, 0);
    uint16_t sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= uint16_t(uint8_t(out[i]) | uint8_t(out[i + 1]) << 8);
    le16(out, sum);

    const uint32_t totalWords = uint32_t(9 + body_.size() / 2 + 3);
    le16(out, 1);
    le16(out, 9);
    le16(out, 0x0300);
    le32(out, totalWords);
    le16(out, uint16_t(used_.size()));
    le32(out, maxRecordWords_);
    le16(out, 0);
    out.append(body_);
    le32(out, 3);
    le16(out, rec::Eof);
    return out;
}

} // namespace wmf
