#include "wmf/Dib.h"
#include "wmf/Parsed.h"

#include <algorithm>
#include <optional>

namespace wmf {

namespace {

enum { BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3 };

int shiftOf(uint32_t mask)
{
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

int channel(uint32_t v, uint32_t mask)
{
    if (!mask)
        return 0;
    const int s = shiftOf(mask);
    const uint32_t m = mask >> s;
    return int(((v >> s) & m) * 255u / m);
}

// Expands RLE data into 8-bit indexes, bottom row first.
bool decodeRle(ByteReader &in, bool four, int width, int height, std::vector<uint8_t> &out)
{
    out.assign(size_t(width) * size_t(height), 0);
    int x = 0, y = 0;
    const auto put = [&](uint8_t v) {
        if (x < width && y < height)
            out[size_t(y) * size_t(width) + size_t(x)] = v;
        ++x;
    };
    while (in.remaining() >= 2 && y < height) {
        const uint8_t n = in.u8();
        const uint8_t c = in.u8();
        if (n > 0) {
            for (int i = 0; i < n && x < width; ++i)
                put(four ? ((i & 1) ? (c & 0x0F) : (c >> 4)) : c);
        } else if (c == 0) {
            x = 0;
            ++y;
        } else if (c == 1) {
            break;
        } else if (c == 2) {
            x += in.u8();
            y += in.u8();
        } else {
            const int bytes = four ? (c + 1) / 2 : c;
            if (!in.has(uint32_t(bytes)))
                return false;
            for (int i = 0; i < c; ++i) {
                const uint8_t b = four ? in.here()[i / 2] : in.here()[i];
                if (x < width)
                    put(four ? ((i & 1) ? (b & 0x0F) : (b >> 4)) : b);
            }
            in.skip(uint32_t(bytes + (bytes & 1)));
        }
    }
    return true;
}

// The fields of a core or info header that decoding needs, read and
// checked; in is left at the first byte after the header.
struct DibHeader {
    uint32_t headerSize = 0;
    int64_t width = 0, height = 0; // height made positive
    int bits = 0;
    uint32_t compression = BiRgb, colorsUsed = 0;
    bool core = false, topDown = false;
};

std::optional<DibHeader> readDibHeader(ByteReader &in)
{
    DibHeader h;
    h.headerSize = in.u32();
    if (h.headerSize == 12) {
        h.core = true;
        h.width = in.u16();
        h.height = in.s16();
        in.u16();
        h.bits = in.u16();
    } else if (h.headerSize >= 40 && h.headerSize <= 256) {
        h.width = in.s32();
        h.height = in.s32();
        in.u16(); // planes
        h.bits = in.u16();
        h.compression = in.u32();
        in.u32(); // image size
        in.u32();
        in.u32();
        h.colorsUsed = in.u32();
        in.u32();
        in.seek(h.headerSize);
    } else {
        return std::nullopt;
    }
    if (!in.ok())
        return std::nullopt;
    h.topDown = h.height < 0;
    if (h.topDown)
        h.height = -h.height;
    if (h.width <= 0 || h.height <= 0 || h.width > 65535 || h.height > 65535 || h.width * h.height > kMaxBitmapPixels)
        return std::nullopt;
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        return std::nullopt;
    return h;
}

} // namespace

QImage decodeDib(ByteReader in, bool palColors, const std::vector<QRgb> &palette, int stepX, int stepY)
{
    const std::optional<DibHeader> header = readDibHeader(in);
    if (!header)
        return {};
    const uint32_t headerSize = header->headerSize;
    const int64_t width = header->width, height = header->height;
    const int bits = header->bits;
    const uint32_t compression = header->compression, colorsUsed = header->colorsUsed;
    const bool core = header->core, topDown = header->topDown;

    uint32_t masks[3] = {0, 0, 0};
    if (compression == BiBitfields) {
        if (bits != 16 && bits != 32)
            return {};
        if (headerSize == 40)
            for (auto &m : masks)
                m = in.u32();
        else {
            ByteReader h = in;
            h.seek(40);
            for (auto &m : masks)
                m = h.u32();
        }
    } else if (bits == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    } else if (bits == 32) {
        masks[0] = 0xFF0000;
        masks[1] = 0x00FF00;
        masks[2] = 0x0000FF;
    }
    if ((compression == BiRle8 && bits != 8) || (compression == BiRle4 && bits != 4) || compression > BiBitfields)
        return {};

    std::vector<QRgb> table;
    if (bits <= 8) {
        uint32_t n = colorsUsed ? colorsUsed : (1u << bits);
        if (n > 256)
            n = 256;
        for (uint32_t i = 0; i < n && in.ok(); ++i) {
            if (palColors) {
                const uint16_t idx = in.u16();
                table.push_back(idx < palette.size() ? palette[idx] : qRgb(0, 0, 0));
            } else if (core) {
                const int b = in.u8(), g = in.u8(), r = in.u8();
                table.push_back(qRgb(r, g, b));
            } else {
                const int b = in.u8(), g = in.u8(), r = in.u8();
                in.u8();
                table.push_back(qRgb(r, g, b));
            }
        }
        if (!in.ok())
            return {};
        table.resize(size_t(1) << bits, qRgb(0, 0, 0));
    }

    const int w = int(width), h = int(height);
    stepX = std::clamp(stepX, 1, w);
    stepY = std::clamp(stepY, 1, h);
    const int outW = (w + stepX - 1) / stepX, outH = (h + stepY - 1) / stepY;
    QImage img(outW, outH, QImage::Format_RGB32);
    if (img.isNull())
        return {};
    // Output row oy shows picture row oy * stepY; the file stores rows
    // bottom first unless the bitmap is top-down.
    const auto fileRow = [&](int oy) { return topDown ? oy * stepY : h - 1 - oy * stepY; };
    if (compression == BiRle8 || compression == BiRle4) {
        std::vector<uint8_t> idx;
        if (!decodeRle(in, compression == BiRle4, w, h, idx))
            return {};
        for (int oy = 0; oy < outH; ++oy) {
            auto *line = reinterpret_cast<QRgb *>(img.scanLine(oy));
            const uint8_t *row = idx.data() + size_t(fileRow(oy)) * size_t(w);
            for (int ox = 0; ox < outW; ++ox)
                line[ox] = table[row[size_t(ox) * size_t(stepX)]];
        }
        return img;
    }

    const uint64_t stride = ((uint64_t(w) * uint64_t(bits) + 31) / 32) * 4;
    // Some writers omit the padding of the last row; accept that.
    const uint64_t need = stride * uint64_t(h - 1) + (uint64_t(w) * uint64_t(bits) + 7) / 8;
    if (need > in.remaining())
        return {};
    const unsigned char *base = in.here();
    for (int oy = 0; oy < outH; ++oy) {
        const unsigned char *row = base + stride * uint64_t(fileRow(oy));
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(oy));
        for (int ox = 0; ox < outW; ++ox) {
            const int x = ox * stepX;
            switch (bits) {
            case 1: line[ox] = table[(row[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: line[ox] = table[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F]; break;
            case 8: line[ox] = table[row[x]]; break;
            case 16: {
                const uint32_t v = uint32_t(row[2 * x] | row[2 * x + 1] << 8);
                line[ox] = qRgb(channel(v, masks[0]), channel(v, masks[1]), channel(v, masks[2]));
                break;
            }
            case 24: line[ox] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
            default: {
                const uint32_t v = uint32_t(row[4 * x]) | uint32_t(row[4 * x + 1]) << 8 | uint32_t(row[4 * x + 2]) << 16
                                   | uint32_t(row[4 * x + 3]) << 24;
                line[ox] = qRgb(channel(v, masks[0]), channel(v, masks[1]), channel(v, masks[2]));
            }
            }
        }
    }
    return img;
}

QSize dibSize(ByteReader in)
{
    const std::optional<DibHeader> header = readDibHeader(in);
    return header ? QSize(int(header->width), int(header->height)) : QSize();
}

int64_t dibPixels(ByteReader in)
{
    const QSize size = dibSize(in);
    return size.isValid() ? int64_t(size.width()) * size.height() : -1;
}

int64_t bitmap16Pixels(ByteReader in)
{
    in.s16();
    const int w = in.s16();
    const int h = in.s16();
    if (!in.ok() || w <= 0 || h <= 0 || int64_t(w) * h > kMaxBitmapPixels)
        return -1;
    return int64_t(w) * h;
}

QImage decodeBitmap16(ByteReader in)
{
    in.s16(); // type
    const int w = in.s16();
    const int h = in.s16();
    const int widthBytes = in.s16();
    const int planes = in.u8();
    const int bits = in.u8();
    if (!in.ok() || w <= 0 || h <= 0 || planes != 1 || widthBytes <= 0)
        return {};
    if (bits != 1 && bits != 8 && bits != 24 && bits != 32)
        return {};
    if (int64_t(widthBytes) * 8 < int64_t(w) * bits || int64_t(w) * h > kMaxBitmapPixels)
        return {};
    if (uint64_t(widthBytes) * uint64_t(h) > in.remaining())
        return {};
    QImage img(w, h, QImage::Format_RGB32);
    if (img.isNull())
        return {};
    for (int y = 0; y < h; ++y) {
        const unsigned char *row = in.here() + size_t(widthBytes) * size_t(y);
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            switch (bits) {
            case 1: line[x] = ((row[x >> 3] >> (7 - (x & 7))) & 1) ? qRgb(255, 255, 255) : qRgb(0, 0, 0); break;
            case 8: line[x] = qRgb(row[x], row[x], row[x]); break;
            case 24: line[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
            default: line[x] = qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]); break;
            }
        }
    }
    return img;
}

} // namespace wmf
