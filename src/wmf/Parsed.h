#pragma once
#include "wmf/Metafile.h"

#include <QByteArray>
#include <QRectF>
#include <cstdint>
#include <vector>

namespace wmf {

// One record: its function and where its parameters lie in the file.
struct RecordRef {
    uint16_t function = 0;
    uint32_t offset = 0; // of the first parameter byte
    uint32_t length = 0; // parameter bytes
};

struct ParsedMetafile {
    QByteArray bytes;
    bool placeable = false;
    int unitsPerInch = 0;     // placeable only
    uint16_t objectCount = 0; // object table size from the header
    QRectF frame;
    // The window the frame came from, as the file gives it (extents may be
    // negative); the player starts from it.
    QPointF windowOrg;
    QSizeF windowExt;
    std::vector<RecordRef> records;
    bool truncated = false; // damage stopped the record list early
    int damagedRecords = 0; // records skipped because their parameters are broken
    int firstDamaged = -1;  // index of the first of them
};

struct DrawCost;

// The drawing work a metafile asks for, independent of the output size:
// lengths and areas are in frames (the frame mapped onto a unit square).
struct DrawCost {
    int64_t points = 0;       // polygon and polyline points
    int largestPolygon = 0;   // points of the largest single polygon
    double edgeSpan = 0;      // sum of |dx| + |dy| of every edge drawn
    double largestSpan = 0;   // the same of the longest single path
    double area = 0;          // filled area, fills and wide strokes, clipped to the frame
    int64_t bitmapPixels = 0; // pixels of the bitmaps decoded
    int64_t glyphs = 0;       // glyphs that reach the picture
    double textArea = 0;      // area of their boxes, each clipped to the frame
    double textSpan = 0;      // the part of edgeSpan that glyph outlines make
    int fontFaces = 0;        // distinct font faces the text asks for
};

// Limits that keep hostile input bounded.
constexpr int kMaxFileBytes = Metafile::MaxFileBytes;
constexpr size_t kMaxRecords = 1000000;
constexpr int kMaxObjects = 65536;
constexpr int kMaxSaveDepth = 1024;
constexpr int64_t kMaxBitmapPixels = 16LL * 1024 * 1024;
// The work one template may ask for. The shipped templates and the
// real-world files we know stay far below (see tst_wmflimits); a 64 kB file
// at these limits draws in tens of milliseconds at the preview size.
constexpr int kMaxPolygonPoints = 16384;
constexpr int64_t kMaxTotalPoints = 1000000;
constexpr int kPointsPerShape = 4;     // what any drawing record counts towards the total, however small
constexpr double kMaxEdgeSpan = 2000;  // frames of edge length
constexpr double kMaxFilledArea = 128; // frames of area
constexpr int64_t kMaxTotalBitmapPixels = 36LL * 1000 * 1000; // a full A4 page at 600 dpi
// Text is measured by the glyph boxes, not the outlines (laying out every
// outline while reading would cost as much as drawing). A glyph's outline
// crosses a line through its box about this many times (two strokes, two
// sides each), which is what its edges add to the edge span.
constexpr double kGlyphCrossings = 4;
constexpr double kMaxTextArea = 32; // frames covered by glyph boxes
constexpr int64_t kMaxGlyphs = 20000;
// A face missing from the system costs a fallback search through every
// installed font (about 0.3 ms); real files name a handful.
constexpr int kMaxFontFaces = 64;
// A path whose edges cross the picture more often than this is drawn
// without antialiasing: the antialiasing rasteriser slows down by orders of
// magnitude on such paths, and on them it shows nothing anyway.
constexpr double kAntialiasEdgeSpan = 64;

// Splits bytes into records; throws MetafileError. Does not compute the
// frame of a plain metafile without a window (the player does that).
ParsedMetafile parseRecords(const QByteArray &bytes);

// Throws MetafileError when cost exceeds a limit above.
void checkCost(const DrawCost &cost);

// Parses bytes and finds the frame, the damaged records and the drawing
// cost, without checking the cost (Metafile::fromBytes does).
ParsedMetafile parseAndMeasure(const QByteArray &bytes, DrawCost *cost);

} // namespace wmf
