// Engine cases that need nothing outside the project (the real-world corpus
// covered them before): rotated text, nested clipping, palettes, DIB pattern
// brushes, both headers, bytes after the end, damage known at parse time,
// and huge bitmaps kept to what the output can show.
#include "SeedMetafiles.h"
#include "WmfTestUtil.h"
#include "wmf/MetafileWriter.h"
#include "wmf/Records.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QtTest>

using wmf::Metafile;
using wmf::MetafileWriter;

namespace {

QByteArray le16(int v)
{
    QByteArray b;
    b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    return b;
}

QRect inkBox(const QImage &img)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (wmftest::isInk(img.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

QByteArray textAt(int escapement)
{
    MetafileWriter w(QRect(0, 0, 1000, 1000), 1000);
    wmf::LogFont f;
    f.height = -80;
    f.escapement = escapement;
    w.selectObject(w.createFont(f));
    w.setBkMode(1);
    w.setTextAlign(24); // baseline
    w.textOut(QPoint(500, 500), "WWWWWWWW");
    return w.finish();
}

// Mean colour of a square around (x, y).
QColor meanAround(const QImage &img, int x, int y, int r = 2)
{
    double red = 0, green = 0, blue = 0;
    int n = 0;
    for (int j = y - r; j <= y + r; ++j)
        for (int i = x - r; i <= x + r; ++i) {
            const QRgb c = img.pixel(i, j);
            red += qRed(c);
            green += qGreen(c);
            blue += qBlue(c);
            ++n;
        }
    return QColor(int(red / n), int(green / n), int(blue / n));
}

// size x size of noise: the left half reddish, the right half bluish.
QImage noisyBitmap(int size)
{
    QImage img(size, size, QImage::Format_Indexed8);
    QVector<QRgb> table;
    for (int i = 0; i < 128; ++i)
        table.append(qRgb(160 + i / 2, (i * 37) % 64, (i * 53) % 64));
    for (int i = 0; i < 128; ++i)
        table.append(qRgb((i * 37) % 64, (i * 53) % 64, 160 + i / 2));
    img.setColorTable(table);
    uint32_t s = 99;
    for (int y = 0; y < size; ++y) {
        uchar *line = img.scanLine(y);
        for (int x = 0; x < size; ++x) {
            s = s * 1664525u + 1013904223u;
            line[x] = uchar(((s >> 24) & 0x7F) | (x >= size / 2 ? 0x80 : 0));
        }
    }
    return img;
}

} // namespace

class TestWmfEngine : public QObject {
    Q_OBJECT
private slots:
    void rotatedTextRunsAlongItsAngle()
    {
        const QRect flat = inkBox(wmftest::render(Metafile::fromBytes(textAt(0)), 400, 400));
        const QRect up = inkBox(wmftest::render(Metafile::fromBytes(textAt(900)), 400, 400));
        const QRect down = inkBox(wmftest::render(Metafile::fromBytes(textAt(-900)), 400, 400));
        QVERIFY(flat.width() > 3 * flat.height());
        QVERIFY(up.height() > 3 * up.width());
        // Counter-clockwise from the origin at (200, 200): 90 degrees goes up.
        QVERIFY2(up.bottom() <= 205 && up.top() < 150,
                 qPrintable(QStringLiteral("%1 %2").arg(up.top()).arg(up.bottom())));
        QVERIFY(down.top() >= 195 && down.bottom() > 250);
        // The same run length whichever way it points.
        QVERIFY(std::abs(flat.width() - up.height()) <= 3);
    }

    void clippingNestsWithSaveAndRestore()
    {
        MetafileWriter w(QRect(0, 0, 100, 100), 100);
        w.selectObject(w.createPen(5, 0, Qt::black));
        w.selectObject(w.createBrush(0, Qt::red));
        w.intersectClipRect(QRect(10, 10, 80, 80));
        w.saveDC();
        w.excludeClipRect(QRect(40, 40, 20, 20));
        w.saveDC();
        w.intersectClipRect(QRect(0, 0, 50, 100));
        w.rectangle(QRect(0, 0, 100, 100)); // left part of the ring
        w.restoreDC(-2);                    // back to the plain square
        w.selectObject(w.createBrush(0, Qt::blue));
        w.rectangle(QRect(70, 0, 30, 100));
        const QImage img = wmftest::render(Metafile::fromBytes(w.finish()), 100, 100);
        QCOMPARE(img.pixel(20, 50), qRgb(255, 0, 0));     // left of the hole
        QCOMPARE(img.pixel(45, 45), qRgb(255, 255, 255)); // the hole
        QCOMPARE(img.pixel(55, 20), qRgb(255, 255, 255)); // right of x = 50
        QCOMPARE(img.pixel(5, 50), qRgb(255, 255, 255));  // outside the square
        QCOMPARE(img.pixel(80, 50), qRgb(0, 0, 255));     // after the restore
        QCOMPARE(img.pixel(95, 50), qRgb(255, 255, 255)); // the square still clips
    }

    void bitmapColoursThroughTheSelectedPalette()
    {
        MetafileWriter w(QRect(0, 0, 100, 100), 100);
        const int pal = w.createPalette({qRgb(0, 200, 0), qRgb(200, 0, 200)});
        w.selectPalette(pal);
        QImage img(2, 1, QImage::Format_Indexed8);
        img.setColorTable({qRgb(0, 0, 0), qRgb(0, 0, 0)});
        img.setPixel(0, 0, 1);
        img.setPixel(1, 0, 0);
        // DIB_PAL_COLORS: the colour table holds indexes into the palette.
        const QByteArray rgb = MetafileWriter::dib(img, 8);
        QByteArray dib = rgb.left(40);
        for (int i = 0; i < 256; ++i)
            dib += le16(i % 2);
        dib += rgb.mid(40 + 256 * 4);
        QByteArray params = le16(0x0020) + le16(0x00CC) + le16(1); // SRCCOPY, DIB_PAL_COLORS
        for (int v : {1, 2, 0, 0, 100, 100, 0, 0})
            params += le16(v);
        w.record(wmf::rec::StretchDib, params + dib);
        const QImage out = wmftest::render(Metafile::fromBytes(w.finish()), 100, 100);
        QCOMPARE(out.pixel(25, 50), qRgb(200, 0, 200)); // index 1
        QCOMPARE(out.pixel(75, 50), qRgb(0, 200, 0));   // index 0
    }

    void dibPatternBrushTilesInScale()
    {
        QImage pattern(8, 8, QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                pattern.setPixel(x, y, x < 4 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
        MetafileWriter w(QRect(0, 0, 80, 80), 100);
        w.selectObject(w.createPen(5, 0, Qt::black));
        w.selectObject(w.createDibPatternBrush(pattern));
        w.rectangle(QRect(0, 0, 80, 80));
        const QImage img = wmftest::render(Metafile::fromBytes(w.finish()), 160, 160);
        // Stripes of 4 units, 8 pixels at this scale.
        for (int stripe = 0; stripe < 10; ++stripe) {
            const QRgb expected = stripe % 2 ? qRgb(0, 0, 255) : qRgb(255, 0, 0);
            QCOMPARE(img.pixel(stripe * 8 + 4, 40), expected);
            QCOMPARE(img.pixel(stripe * 8 + 4, 130), expected);
        }
    }

    void placeableAndPlainHeadersDrawAlike()
    {
        MetafileWriter placeable(QRect(-50, 20, 400, 300), 1000);
        placeable.selectObject(placeable.createBrush(0, Qt::darkGreen));
        placeable.ellipse(QRect(-50, 20, 200, 300));
        const QByteArray withHeader = placeable.finish();
        const Metafile a = Metafile::fromBytes(withHeader);

        // The same records behind a plain header and a window.
        MetafileWriter records(QRect(0, 0, 1, 1), 1);
        records.setWindowOrg(-50, 20);
        records.setWindowExt(400, 300);
        records.selectObject(records.createBrush(0, Qt::darkGreen));
        records.ellipse(QRect(-50, 20, 200, 300));
        const QByteArray body = records.finish().mid(22 + 18); // without both headers
        const Metafile b = Metafile::fromBytes(wmfseeds::plainMetafile(body.left(body.size() - 6)));
        QVERIFY(a.isPlaceable());
        QVERIFY(!b.isPlaceable());
        QCOMPARE(a.frame(), b.frame());
        QCOMPARE(wmftest::render(a, 200, 150), wmftest::render(b, 200, 150));
    }

    void bytesAfterTheEndAreNotDamage()
    {
        const QByteArray sound = wmfseeds::plainMetafile(
            wmfseeds::rawRecord(wmf::rec::SetWindowExt, le16(100) + le16(100))
            + wmfseeds::rawRecord(wmf::rec::Rectangle, le16(90) + le16(90) + le16(10) + le16(10)));
        for (const QByteArray &tail :
             {QByteArray(1, '\0'), QByteArray(64, '\xFF'), QByteArray("\x03\x00\x00\x00\x00\x00", 6)}) {
            const Metafile mf = Metafile::fromBytes(sound + tail);
            QVERIFY(!mf.isDamaged());
            QCOMPARE(mf.damage(), QString());
            QCOMPARE(mf.recordCount(), 2);
        }
    }

    void damageIsKnownWithoutDrawing()
    {
        const QByteArray window = wmfseeds::rawRecord(wmf::rec::SetWindowExt, le16(100) + le16(100));
        const QByteArray rect = wmfseeds::rawRecord(wmf::rec::Rectangle, le16(90) + le16(90) + le16(10) + le16(10));
        QVERIFY(!Metafile::fromBytes(wmfseeds::plainMetafile(window + rect)).isDamaged());

        // A polygon claiming more points than it holds, a text longer than
        // its record, a record too short for its parameters, an unknown function.
        const QByteArray polygon = wmfseeds::rawRecord(wmf::rec::Polygon,
                                                       le16(500) + le16(1) + le16(1) + le16(50) + le16(50));
        const QByteArray text = wmfseeds::rawRecord(wmf::rec::TextOut, le16(90) + QByteArray("ab"));
        const QByteArray shortRect = wmfseeds::rawRecord(wmf::rec::Rectangle, le16(90));
        const QByteArray unknown = wmfseeds::rawRecord(0x0B77, le16(1));
        const Metafile mf = Metafile::fromBytes(
            wmfseeds::plainMetafile(window + polygon + rect + text + shortRect + unknown));
        QCOMPARE(mf.damagedRecords(), 4);
        QVERIFY(!mf.isTruncated());
        QCOMPARE(mf.damage(), QStringLiteral("4 damaged record(s) skipped, the first is record 2"));
        // What is sound still draws.
        QVERIFY(wmftest::inkShare(wmftest::render(mf, 100, 100)) > 0.02);

        // Cut inside the last record.
        const QByteArray cut = wmfseeds::plainMetafile(window + rect + rect);
        const Metafile truncated = Metafile::fromBytes(cut.left(cut.size() - 10));
        QVERIFY(truncated.isTruncated());
        QCOMPARE(truncated.damage(), QStringLiteral("the records break off after record 2"));
    }

    void seedsAreSound()
    {
        int sound = 0;
        for (const QByteArray &seed : wmfseeds::seedMetafiles()) {
            try {
                sound += !Metafile::fromBytes(seed).isDamaged();
            } catch (const wmf::MetafileError &) {}
        }
        QVERIFY(sound > 0);
    }

    void hugeBitmapsShrinkToWhatTheOutputShows()
    {
        // Three 2048 x 2048 bitmaps, each shown 30 mm wide on an A4 template.
        MetafileWriter w(QRect(0, 0, 2100, 2970), 254);
        const QImage bitmap = noisyBitmap(2048);
        for (int i = 0; i < 3; ++i)
            w.stretchDib(QRect(200 + i * 600, 1000, 300, 300), bitmap, 8);
        const QByteArray bytes = w.finish();
        QVERIFY(bytes.size() > 12 * 1000 * 1000);
        const Metafile mf = Metafile::fromBytes(bytes);

        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&pdf);
            writer.setResolution(600);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter p(&writer);
            mf.draw(p, QRectF(0, 0, writer.width(), writer.height()));
        }
        // 709 x 709 pixels each at 600 dpi: at most 1.5 MB each uncompressed,
        // where the whole bitmaps would take 12 MB each.
        qInfo("PDF of %lld bytes", pdf.size());
        QVERIFY2(pdf.size() < 5 * 1000 * 1000, qPrintable(QString::number(pdf.size())));

        // Still the same picture: reddish left halves, bluish right halves.
        const QImage img = wmftest::render(mf, 420, 594);
        for (int i = 0; i < 3; ++i) {
            const int left = 40 + i * 120, top = 200;
            const QColor l = meanAround(img, left + 15, top + 30), r = meanAround(img, left + 45, top + 30);
            QVERIFY2(l.red() > 150 && l.blue() < 80, qPrintable(l.name()));
            QVERIFY2(r.blue() > 150 && r.red() < 80, qPrintable(r.name()));
        }
    }
};

QTEST_MAIN(TestWmfEngine)
#include "tst_wmfengine.moc"
