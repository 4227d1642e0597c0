#pragma once
// Metafiles of at most 64 kB that ask for as much drawing work as their
// size allows, built with our own writer. Shared by the limit tests, the
// benchmark and the fuzz corpus (hostile_*.wmf).
#include "wmf/MetafileWriter.h"
#include "wmf/Records.h"

#include <QByteArray>
#include <QImage>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace wmfhostile {

struct Case {
    QString name;
    QByteArray bytes;
};

// Deterministic points spread over the whole frame (a zigzag of long edges
// crossing each other everywhere).
inline QPolygon scatteredPoints(int n, int extent)
{
    QPolygon p;
    p.reserve(n);
    uint32_t s = 12345;
    const auto next = [&s]() {
        s = s * 1103515245u + 12345u;
        return int((s >> 8) % 0xFFFFu);
    };
    for (int i = 0; i < n; ++i)
        p.append(QPoint(next() % extent, next() % extent));
    return p;
}

constexpr int kExtent = 10000; // logical frame 10000 x 10000

inline QByteArray polygonFile(int points, int penWidth, bool fill = true, bool polyline = false)
{
    wmf::MetafileWriter w(QRect(0, 0, kExtent, kExtent), 1000);
    w.selectObject(w.createPen(penWidth < 0 ? 5 : 0, std::max(penWidth, 0), Qt::black));
    w.selectObject(w.createBrush(fill ? 0 : 1, Qt::red));
    if (polyline)
        w.polyline(scatteredPoints(points, kExtent));
    else
        w.polygon(scatteredPoints(points, kExtent));
    return w.finish();
}

// Whole-frame shapes, each filled and stroked with a wide pen, until 64 kB.
inline QByteArray manyShapesFile(uint16_t function, bool outlined = true)
{
    wmf::MetafileWriter w(QRect(0, 0, kExtent, kExtent), 1000);
    w.selectObject(w.createPen(outlined ? 0 : 5, kExtent / 4, Qt::black));
    w.selectObject(w.createBrush(2, Qt::blue, 5)); // hatched: two fills each
    const QRect all(0, 0, kExtent, kExtent);
    for (int i = 0; w.finish().size() < 64 * 1024 - 64 && i < 5000; ++i) {
        if (function == wmf::rec::Ellipse)
            w.ellipse(all);
        else if (function == wmf::rec::Pie)
            w.pie(all, QPoint(0, 0), QPoint(kExtent, 1));
        else
            w.rectangle(all);
    }
    return w.finish();
}

// One PolyPolygon of thousands of crossing triangles.
inline QByteArray polyPolygonFile(int polygons)
{
    wmf::MetafileWriter w(QRect(0, 0, kExtent, kExtent), 1000);
    w.selectObject(w.createPen(0, kExtent / 20, Qt::black));
    w.selectObject(w.createBrush(0, Qt::green));
    const QPolygon pts = scatteredPoints(polygons * 3, kExtent);
    std::vector<QPolygon> list;
    for (int i = 0; i < polygons; ++i)
        list.push_back(QPolygon({pts[i * 3], pts[i * 3 + 1], pts[i * 3 + 2]}));
    w.polyPolygon(list);
    return w.finish();
}

// A bitmap of width x height that RLE8 packs into a few bytes, stretched
// over the frame many times.
inline QByteArray rleBitmapFile(int width, int height, int copies)
{
    QByteArray dib;
    const auto le16 = [&dib](int v) { dib.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    const auto le32 = [&](uint32_t v) {
        le16(int(v & 0xFFFF));
        le16(int(v >> 16));
    };
    le32(40);
    le32(uint32_t(width));
    le32(uint32_t(height));
    le16(1);
    le16(8);
    le32(1); // BI_RLE8
    le32(0);
    le32(0);
    le32(0);
    le32(2);
    le32(0);
    le32(0x000000FF); // red
    le32(0x0000FF00); // green
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; x += 255) {
            dib.append(char(std::min(255, width - x)));
            dib.append(char(y & 1));
        }
        dib.append('\0').append('\0'); // end of line
        if (dib.size() > 60 * 1024 / copies)
            break; // the rest stays index 0
    }
    dib.append('\0').append('\1'); // end of bitmap
    wmf::MetafileWriter w(QRect(0, 0, kExtent, kExtent), 1000);
    for (int i = 0; i < copies; ++i) {
        QByteArray p;
        const auto put = [&p](int v) { p.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
        put(0x0020); // SRCCOPY 0x00CC0020
        put(0x00CC);
        put(0); // DIB_RGB_COLORS
        put(height);
        put(width);
        put(0);
        put(0);
        put(kExtent);
        put(kExtent);
        put(0);
        put(0);
        p.append(dib);
        w.record(wmf::rec::StretchDib, p);
    }
    return w.finish();
}

// Text in a huge font, long strings, many times.
inline QByteArray hugeTextFile(int records = 1000)
{
    wmf::MetafileWriter w(QRect(0, 0, kExtent, kExtent), 1000);
    wmf::LogFont f;
    f.height = -kExtent;
    f.escapement = 450;
    w.selectObject(w.createFont(f));
    const QByteArray text(200, 'W');
    for (int i = 0; i < records && w.finish().size() < 60 * 1024; ++i)
        w.textOut(QPoint(0, kExtent / 2), text);
    return w.finish();
}

// Text squeezed into slivers: the frame is as tall as one line of the
// default font and as wide as a string of 200 W's, so every glyph spans the
// whole picture's height in a sliver of its width (as the fuzzer's
// slow-93-textouts.wmf does through a plain metafile's drawn extent).
inline QByteArray squeezedTextFile(int records = 93)
{
    wmf::MetafileWriter w(QRect(0, 0, 2000, 12), 1000);
    w.selectObject(w.createFont(wmf::LogFont{}));
    const QByteArray text(200, 'W');
    for (int i = 0; i < records && w.finish().size() < 60 * 1024; ++i)
        w.textOut(QPoint(0, 0), text);
    return w.finish();
}

// Lines of small text over the whole frame, until 64 kB or count glyphs.
inline QByteArray smallTextFile(int glyphs = 1 << 30)
{
    wmf::MetafileWriter w(QRect(0, 0, kExtent, kExtent), 1000);
    wmf::LogFont f;
    f.height = -kExtent / 200;
    w.selectObject(w.createFont(f));
    QByteArray line;
    for (int i = 0; i < 200; ++i)
        line.append(char('!' + i % 90));
    for (int i = 0; glyphs > 0 && w.finish().size() < 64 * 1024 - 256; ++i, glyphs -= line.size())
        w.textOut(QPoint(0, (i % 200) * kExtent / 200), line.left(glyphs));
    return w.finish();
}

// A word in each of count fonts no system has: each face a fallback search.
inline QByteArray manyFacesFile(int count = 1000)
{
    wmf::MetafileWriter w(QRect(0, 0, kExtent, kExtent), 1000);
    for (int i = 0; i < count && w.finish().size() < 60 * 1024; ++i) {
        wmf::LogFont f;
        f.height = -kExtent / 60;
        f.face = "Brak" + QByteArray::number(i);
        const int font = w.createFont(f);
        w.selectObject(font);
        w.textOut(QPoint((i % 10) * kExtent / 10, (i / 10 % 50) * kExtent / 50), "Dyplom");
        w.deleteObject(font);
    }
    return w.finish();
}

// A clip region of thousands of rectangles, then whole-frame fills.
inline QByteArray regionClipFile()
{
    wmf::MetafileWriter w(QRect(0, 0, kExtent, kExtent), 1000);
    QByteArray region;
    const auto put = [&region](int v) { region.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    const int scans = 400, perScan = 24;
    put(0);
    put(6);
    put(0);
    put(0);
    put(0);
    put(scans);
    put(perScan * 2);
    put(0);
    put(0);
    put(kExtent);
    put(kExtent);
    for (int s = 0; s < scans; ++s) {
        put(perScan * 2);
        put(s * kExtent / scans);
        put(s * kExtent / scans + kExtent / scans / 2);
        for (int i = 0; i < perScan; ++i) {
            put(i * kExtent / perScan + (s % 7) * 10);
            put(i * kExtent / perScan + kExtent / perScan / 2);
        }
        put(perScan * 2);
    }
    w.record(wmf::rec::CreateRegion, region);
    w.record(wmf::rec::SelectClipRegion, QByteArray("\0\0", 2));
    w.selectObject(w.createBrush(0, Qt::blue));
    while (w.finish().size() < 64 * 1024 - 32)
        w.rectangle(QRect(0, 0, kExtent, kExtent));
    return w.finish();
}

inline std::vector<Case> hostileCases()
{
    return {
        {QStringLiteral("polygon 16000 points, hairline"), polygonFile(16000, 0)},
        {QStringLiteral("polygon 16000 points, wide pen"), polygonFile(16000, kExtent / 10)},
        {QStringLiteral("polyline 16000 points, wide pen"), polygonFile(16000, kExtent / 10, false, true)},
        {QStringLiteral("polypolygon 4500 triangles"), polyPolygonFile(4500)},
        {QStringLiteral("rectangles over the frame"), manyShapesFile(wmf::rec::Rectangle)},
        {QStringLiteral("rectangles over the frame, no pen"), manyShapesFile(wmf::rec::Rectangle, false)},
        {QStringLiteral("ellipses over the frame"), manyShapesFile(wmf::rec::Ellipse)},
        {QStringLiteral("pies over the frame"), manyShapesFile(wmf::rec::Pie)},
        {QStringLiteral("4096 x 4096 RLE bitmaps"), rleBitmapFile(4096, 4096, 8)},
        {QStringLiteral("huge rotated text"), hugeTextFile()},
        {QStringLiteral("region clip, many fills"), regionClipFile()},
        {QStringLiteral("squeezed text"), squeezedTextFile()},
        {QStringLiteral("small text, 64 kB"), smallTextFile()},
        {QStringLiteral("text in 1000 unknown fonts"), manyFacesFile()},
        // Just within the limits: what a hostile file can still make us draw.
        {QStringLiteral("within limits: polygon of 2900 points, no pen"), polygonFile(2900, -1)},
        {QStringLiteral("within limits: polygon of 950 points, wide pen"), polygonFile(950, kExtent / 10)},
        {QStringLiteral("within limits: two 4096 x 4096 RLE bitmaps"), rleBitmapFile(4096, 4096, 2)},
        {QStringLiteral("within limits: huge rotated text"), hugeTextFile(120)},
        {QStringLiteral("within limits: squeezed text"), squeezedTextFile(2)},
        {QStringLiteral("within limits: small text"), smallTextFile(20000)},
        {QStringLiteral("within limits: text in 64 unknown fonts"), manyFacesFile(64)},
    };
}

} // namespace wmfhostile
