#include "SeedMetafiles.h"
#include "HostileMetafiles.h"

#include "wmf/MetafileWriter.h"
#include "wmf/Records.h"

#include <QImage>
#include <QRegularExpression>
#include <initializer_list>

namespace wmfseeds {

namespace {

void le16(QByteArray &b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void le32(QByteArray &b, uint32_t v)
{
    le16(b, int(v & 0xFFFF));
    le16(b, int(v >> 16));
}

// Little-endian 16-bit words.
QByteArray words(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        le16(b, v);
    return b;
}

QImage indexed(int colours)
{
    QImage img(7, 5, QImage::Format_Indexed8);
    img.setColorCount(colours);
    for (int i = 0; i < colours; ++i)
        img.setColor(i, qRgb((i * 97) & 0xFF, (i * 53) & 0xFF, (i * 151) & 0xFF));
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, uint((x + y) % colours));
    return img;
}

QImage rgb()
{
    QImage img(6, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            img.setPixel(x, y, qRgb(x * 40, y * 60, 200));
    return img;
}

} // namespace

QByteArray rawRecord(uint16_t function, const QByteArray &params, int32_t wordsOverride)
{
    QByteArray p = params;
    if (p.size() & 1)
        p.append('\0');
    QByteArray b;
    le32(b, wordsOverride >= 0 ? uint32_t(wordsOverride) : uint32_t(p.size() / 2 + 3));
    le16(b, function);
    b.append(p);
    return b;
}

QByteArray plainMetafile(const QByteArray &records, uint16_t objects)
{
    QByteArray b;
    le16(b, 1);
    le16(b, 9);
    le16(b, 0x0300);
    le32(b, uint32_t(9 + records.size() / 2 + 3));
    le16(b, objects);
    le32(b, 64);
    le16(b, 0);
    b.append(records);
    b.append(rawRecord(wmf::rec::Eof, {}));
    return b;
}

std::vector<QByteArray> seedMetafiles()
{
    std::vector<QByteArray> out;
    {
        // Shapes, pens, brushes, clipping and the DC stack.
        wmf::MetafileWriter w(QRect(0, 0, 1000, 800), 1000);
        w.setWindowOrg(0, 0);
        w.setWindowExt(1000, 800);
        const int pen = w.createPen(0, 12, Qt::darkBlue);
        const int brush = w.createBrush(0, Qt::yellow);
        const int hatch = w.createBrush(2, Qt::red, 4);
        w.selectObject(pen);
        w.selectObject(brush);
        w.rectangle(QRect(20, 20, 300, 200));
        w.saveDC();
        w.intersectClipRect(QRect(100, 100, 600, 500));
        w.excludeClipRect(QRect(200, 200, 100, 100));
        w.selectObject(hatch);
        w.setBkMode(2);
        w.setBkColor(Qt::cyan);
        w.ellipse(QRect(50, 50, 700, 600));
        w.restoreDC(-1);
        w.roundRect(QRect(400, 40, 300, 200), 60, 40);
        w.arc(QRect(100, 400, 300, 300), QPoint(400, 550), QPoint(100, 550));
        w.pie(QRect(450, 400, 300, 300), QPoint(750, 400), QPoint(450, 400));
        w.chord(QRect(700, 500, 250, 250), QPoint(950, 700), QPoint(700, 500));
        w.moveTo(10, 790);
        w.lineTo(990, 10);
        w.setPolyFillMode(2);
        w.polygon(QPolygon({QPoint(500, 10), QPoint(600, 300), QPoint(350, 120), QPoint(650, 120), QPoint(400, 300)}));
        w.polyline(QPolygon({QPoint(10, 10), QPoint(50, 90), QPoint(90, 10)}));
        w.polyPolygon({QPolygon({QPoint(800, 50), QPoint(950, 50), QPoint(950, 200), QPoint(800, 200)}),
                       QPolygon({QPoint(840, 90), QPoint(910, 90), QPoint(910, 160), QPoint(840, 160)})});
        w.setRop2(11);
        w.rectangle(QRect(0, 0, 1000, 800));
        w.setRop2(13);
        w.deleteObject(hatch);
        w.selectObject(hatch); // deleted: ignored
        w.selectObject(200);   // out of range: ignored
        out.push_back(w.finish());
    }
    {
        // Text in several character sets, alignment, spacing, opaque boxes.
        wmf::MetafileWriter w(QRect(0, 0, 2000, 1000), 1440);
        w.setTextColor(Qt::darkRed);
        wmf::LogFont f;
        f.height = -120;
        f.charset = 238;
        f.face = "Times New Roman";
        const int pl = w.createFont(f);
        w.selectObject(pl);
        w.textOut(QPoint(50, 50), QByteArray("Za\xBF\xF3\xB3\xE6 g\xEA\x9C")); // Polish in windows-1250
        f.height = 150;
        f.charset = 204;
        f.escapement = 900;
        f.weight = 700;
        f.italic = true;
        f.underline = true;
        const int ru = w.createFont(f);
        w.selectObject(ru);
        w.deleteObject(pl);
        w.setTextAlign(6 | 24);
        w.textOut(QPoint(1000, 900), QByteArray("\xCF\xF0\xE8"));
        w.setTextAlign(2 | 8);
        w.setBkMode(2);
        const QRect box(100, 500, 900, 200);
        w.extTextOut(QPoint(120, 650), "Spaced", 2 | 4, &box, {100, 120, 140, 160, 180, 200});
        w.setTextAlign(1);
        w.moveTo(1200, 300);
        w.extTextOut(QPoint(0, 0), "CP", 0, nullptr, {});
        w.escape(15, QByteArray("ignored"));
        out.push_back(w.finish());
    }
    {
        // Bitmaps of every depth, a palette and a pattern brush.
        wmf::MetafileWriter w(QRect(0, 0, 600, 400), 600);
        const int pal = w.createPalette({qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255)});
        w.selectPalette(pal);
        w.stretchDib(QRect(0, 0, 100, 80), indexed(2), 1);
        w.stretchDib(QRect(100, 0, 100, 80), indexed(16), 4);
        w.stretchDib(QRect(200, 0, 100, 80), indexed(200), 8);
        w.stretchDib(QRect(300, 0, 100, 80), rgb(), 24);
        w.stretchDib(QRect(400, 0, 100, 80), rgb(), 32);
        w.stretchDib(QRect(599, 200, -100, -80), rgb(), 24); // mirrored
        w.dibStretchBlt(QRect(0, 100, 200, 100), rgb(), 24);
        w.dibBitBlt(QPoint(300, 100), indexed(16), 4);
        w.setStretchBltMode(4);
        const int pb = w.createDibPatternBrush(rgb());
        w.selectObject(pb);
        w.ellipse(QRect(10, 220, 300, 170));
        QByteArray pix;
        le32(pix, 0x010002); // palette index 2
        le16(pix, 300);
        le16(pix, 500);
        w.record(wmf::rec::SetPixel, pix);
        QByteArray patblt;
        le32(patblt, 0x00F00021);
        patblt += words({40, 40, 350, 540});
        w.record(wmf::rec::PatBlt, patblt);
        out.push_back(w.finish());
    }
    {
        // A plain metafile with a region clip and an old-style bitmap.
        QByteArray recs;
        recs += rawRecord(wmf::rec::SetWindowOrg, words({0, 0}));
        recs += rawRecord(wmf::rec::SetWindowExt, words({300, 400}));
        const QByteArray region = words({0, 6, 0, 0, 0, 2, 0, 10, 10, 390, 290}); // object count is two words
        const QByteArray scans = words({2, 10, 150, 10, 200, 2}) + words({2, 150, 290, 50, 390, 2});
        recs += rawRecord(wmf::rec::CreateRegion, region + scans);
        recs += rawRecord(wmf::rec::SelectClipRegion, words({0}));
        QByteArray brush = words({0});
        le32(brush, 0x0000FF);
        le16(brush, 0);
        recs += rawRecord(wmf::rec::CreateBrushIndirect, brush);
        recs += rawRecord(wmf::rec::FillRegion, words({0, 1}));
        QByteArray bb;
        le32(bb, 0x00CC0020);
        bb += words({4, 8, 0, 0, 100, 200, 20, 20}) + words({0, 8, 4, 2});
        bb.append(char(1));
        bb.append(char(1));
        bb.append(QByteArray("\xA5\x00\x5A\x00\xA5\x00\x5A\x00", 8));
        recs += rawRecord(wmf::rec::StretchBlt, bb);
        out.push_back(plainMetafile(recs));
    }
    return out;
}

namespace {

// A 4096 x 4096 8-bit DIB in RLE8: a few coloured runs, then "end of bitmap".
} // namespace

std::vector<NamedMetafile> hostileMetafiles()
{
    std::vector<NamedMetafile> out;
    for (const wmfhostile::Case &c : wmfhostile::hostileCases()) {
        QString slug = c.name.toLower();
        slug.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("_"));
        out.push_back({QStringLiteral("hostile_%1.wmf").arg(slug), c.bytes});
    }
    return out;
}

} // namespace wmfseeds
