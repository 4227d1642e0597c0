#pragma once
#include "wmf/ByteReader.h"
#include <QColor>
#include <QImage>
#include <QSize>
#include <vector>

namespace wmf {

// Decodes a device-independent bitmap (info header, colour table, bits) of
// 1, 4, 8, 16, 24 or 32 bits, uncompressed or RLE. palColors: the colour
// table holds 16-bit indexes into palette instead of RGB quads. Returns a
// null image when the bitmap is damaged or beyond the size limits. With
// steps above 1 only every stepX-th column of every stepY-th row is kept
// (picture rows counted from the top): a bitmap far larger than its output
// is never expanded in full.
QImage decodeDib(ByteReader in, bool palColors, const std::vector<QRgb> &palette, int stepX = 1, int stepY = 1);

// Pixels of the bitmap decodeDib would make, read from the header only;
// -1 when decodeDib would refuse the header.
int64_t dibPixels(ByteReader in);
QSize dibSize(ByteReader in); // invalid when refused

// The old device-dependent bitmap of BITBLT and STRETCHBLT records.
QImage decodeBitmap16(ByteReader in);
int64_t bitmap16Pixels(ByteReader in);

} // namespace wmf
