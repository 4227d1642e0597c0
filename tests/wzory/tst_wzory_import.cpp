// Designs become templates: vector stays vector, images keep their pixels,
// what a metafile cannot hold becomes a bitmap, and the result looks like
// the design in our player and in libwmf's.
#include "WmfTestUtil.h"
#include "WzoryTestUtil.h"

#include "wmf/MetafilePaintDevice.h"
#include "wmf/Records.h"
#include "wzory/Import.h"
#include "wzory/ImportError.h"

#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>
#include <poppler-qt6.h>

using namespace wzorytest;

namespace {

// A filled path, a stroked curve, text and a gradient on an A4 sheet (mm).
QByteArray probeSvg()
{
    return readBytes(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/tests/wzory/probe.svg"));
}

// The part of an image that is not white, as libwmf draws only that.
QImage inkedPart(const QImage &img)
{
    int l = img.width(), t = img.height(), r = -1, b = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (wmftest::isInk(img.pixel(x, y))) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    return r < l ? img : img.copy(QRect(QPoint(l, t), QPoint(r, b)));
}

QImage svgReference(const QByteArray &svg, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(svg).render(&p, QRectF(0, 0, w, h));
    return img;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

std::vector<Record> recordsOf(const QByteArray &mf, quint16 function)
{
    std::vector<Record> out;
    for (const Record &r : records(mf))
        if (r.function == function)
            out.push_back(r);
    return out;
}

// A picture with detail in every pixel: colour blocks and a fine checker.
QImage detailedImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 255) / w, (y * 255) / h, ((x / 7 + y / 5) % 2) ? 40 : 220));
    return img;
}

// Colour changing slowly from corner to corner; upside down it differs.
QImage smoothImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 255) / w, (y * 255) / h, 128));
    return img;
}

} // namespace

class TestWzoryImport : public QObject {
    Q_OBJECT
private slots:
    void svgBecomesVectorWithTheGradientAsBands()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("herb.svg"), probeSvg());
        const wzory::ImportResult r = wzory::importDesign(path);
        QCOMPARE(r.kind, wzory::DesignKind::Svg);
        const wmf::Metafile mf = wmf::Metafile::fromBytes(r.metafile);
        QVERIFY(mf.isPlaceable());
        QCOMPARE(mf.frame().size(), QSizeF(11906, 16838)); // A4 at 1440 per inch

        // Path, curve and the letters are polygons and polylines; the
        // gradient is bands of solid colour, no bitmap at all.
        QVERIFY(recordsOf(r.metafile, wmf::rec::Polyline).size() >= 1);
        QVERIFY(recordsOf(r.metafile, wmf::rec::Polygon).size() + recordsOf(r.metafile, wmf::rec::PolyPolygon).size()
                >= 30);
        QCOMPARE(recordsOf(r.metafile, wmf::rec::StretchDib).size(), size_t(0));
        QVERIFY(r.metafile.size() < 200 * 1024);

        // Tolerance: scaled to 105 x 148, the mean colour difference stays
        // under 2.5 % and the ink per 1/64 of the sheet within 3 %.
        const QImage reference = svgReference(probeSvg(), 420, 594);
        const QImage ours = wmftest::render(mf, 420, 594);
        const double oursDiff = meanDifference(ours, reference, 105, 148);
        const double oursCells = wmftest::cellDifference(ours, reference);
        qInfo("our player: mean difference %.4f, cells %.4f", oursDiff, oursCells);
        QVERIFY(oursDiff < 0.025);
        QVERIFY(oursCells < 0.03);

        const QString wmfPath = writeFile(dir, QStringLiteral("herb.wmf"), r.metafile);
        const QImage oracle = wmftest::oracleRender(wmfPath, 420, 594, dir);
        if (oracle.isNull())
            QSKIP("wmf2gd is not installed");
        const QImage lw = inkedPart(oracle).scaled(420, 594), ref = inkedPart(reference).scaled(420, 594);
        const double lwDiff = meanDifference(lw, ref, 105, 148);
        const double lwCells = wmftest::cellDifference(lw, ref);
        qInfo("libwmf: mean difference %.4f, cells %.4f", lwDiff, lwCells);
        QVERIFY(lwDiff < 0.04);
        QVERIFY(lwCells < 0.05);
    }

    void curvesHaveNoFacetsAt600Dpi()
    {
        // A circle of 89 mm radius: every vertex and chord middle must stay
        // within half a 600 dpi dot (1.2 units) of the curve drawn. The
        // device has 200 pixels per inch, the metafile 1440 units.
        QPainterPath circle;
        circle.arcMoveTo(QRectF(100, 400, 1400, 1400), 0);
        circle.arcTo(QRectF(100, 400, 1400, 1400), 0, 360);
        wmf::MetafilePaintDevice device;
        {
            QPainter p(&device);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x1F, 0x3A, 0x68));
            p.drawPath(circle);
        }
        const QByteArray mf = device.finish();
        const auto polys = recordsOf(mf, wmf::rec::Polygon);
        QCOMPARE(polys.size(), size_t(1));
        const QByteArray &b = polys.front().params;
        const int n = s16(b, 0);
        QVERIFY(n > 100);
        std::vector<QPointF> curve;
        for (int i = 0; i < 40000; ++i)
            curve.push_back(circle.pointAtPercent(i / 40000.0) * 7.2);
        const auto distance = [&](QPointF p) {
            double best = 1e9;
            for (const QPointF &q : curve)
                best = std::min(best, std::hypot(p.x() - q.x(), p.y() - q.y()));
            return best;
        };
        double worst = 0;
        for (int i = 0; i < n; ++i) {
            const QPointF p(s16(b, 2 + 4 * i), s16(b, 4 + 4 * i));
            const int j = (i + 1) % n;
            const QPointF q(s16(b, 2 + 4 * j), s16(b, 4 + 4 * j));
            worst = std::max({worst, distance(p), distance((p + q) / 2)});
        }
        qInfo("circle: %d points, worst deviation %.2f units", n, worst);
        QVERIFY(worst < 1.2);
    }

    void svgFillingTheSheetIsCutAtItsEdges()
    {
        // A square design covers the sheet: its left and right overhang is
        // cut off as vector (no point outside the frame), nothing is a bitmap.
        QTemporaryDir dir;
        const QString path = writeFile(
            dir, QStringLiteral("kwadrat.svg"),
            "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 100 100\">"
            "<rect width=\"100\" height=\"100\" fill=\"#1f3a68\"/>"
            "<circle cx=\"50\" cy=\"50\" r=\"45\" fill=\"none\" stroke=\"#c9a227\" stroke-width=\"4\"/>"
            "</svg>");
        wzory::ImportOptions o;
        o.fit = wzory::Fit::Cover;
        const wzory::ImportResult r = wzory::importDesign(path, o);
        QCOMPARE(r.stats.bitmapRecords, 0);
        for (const Record &rec : records(r.metafile)) {
            if (rec.function != wmf::rec::Polygon && rec.function != wmf::rec::PolyPolygon)
                continue;
            const int counts = rec.function == wmf::rec::Polygon ? 1 : s16(rec.params, 0);
            int points = 0;
            for (int k = 0; k < counts; ++k)
                points += rec.function == wmf::rec::Polygon ? s16(rec.params, 0) : s16(rec.params, 2 + 2 * k);
            const int first = rec.function == wmf::rec::Polygon ? 2 : 2 + 2 * counts;
            for (int i = 0; i < points; ++i) {
                const int x = s16(rec.params, first + 4 * i), y = s16(rec.params, first + 4 * i + 2);
                QVERIFY2(x >= 0 && x <= 11906 && y >= 0 && y <= 16838, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
        const QImage page = wmftest::render(wmf::Metafile::fromBytes(r.metafile), 210, 297);
        QCOMPARE(page.pixel(1, 1), qRgb(0x1f, 0x3a, 0x68));
        QCOMPARE(page.pixel(208, 295), qRgb(0x1f, 0x3a, 0x68));
        QVERIFY(qRed(page.pixel(105, 15)) > 150); // the ring, 15 mm below the top edge
    }

    void pngKeepsItsPixels()
    {
        QTemporaryDir dir;
        const QImage source = detailedImage(600, 800);
        const QString path = dir.filePath(QStringLiteral("logo.png"));
        QVERIFY(source.save(path));
        const wzory::ImportResult r = wzory::importDesign(path);
        QCOMPARE(r.kind, wzory::DesignKind::Raster);
        const auto bitmaps = recordsOf(r.metafile, wmf::rec::StretchDib);
        QCOMPARE(bitmaps.size(), size_t(1));
        QCOMPARE(stretchDibImage(bitmaps.front()), source); // every pixel, at its own resolution

        // Fitted: full width, centred in height (800/600 is taller than A4 is
        // narrow: 280 mm of 297).
        const QImage page = wmftest::render(wmf::Metafile::fromBytes(r.metafile), 420, 594);
        const int top = int(std::lround((297 - 280) / 2.0 * 2)), height = 560;
        const double diff = meanDifference(page.copy(0, top, 420, height), source, 105, 140);
        qInfo("png placed: mean difference %.4f", diff);
        QVERIFY(diff < 0.02);
        QCOMPARE(page.pixel(210, top / 2), qRgb(255, 255, 255));
    }

    void pngCoversTheSheetWhenFilling()
    {
        QTemporaryDir dir;
        const QImage source = detailedImage(600, 800);
        const QString path = dir.filePath(QStringLiteral("logo.png"));
        QVERIFY(source.save(path));
        wzory::ImportOptions o;
        o.fit = wzory::Fit::Cover;
        const wzory::ImportResult r = wzory::importDesign(path, o);
        const QImage kept = stretchDibImage(recordsOf(r.metafile, wmf::rec::StretchDib).front());
        // The sheet is narrower than the picture: its sides are cut off.
        QCOMPARE(kept.height(), 800);
        QVERIFY(std::abs(kept.width() - 566) <= 1);
        QCOMPARE(kept.pixel(0, 0), source.pixel((600 - kept.width()) / 2, 0));
        const QImage page = wmftest::render(wmf::Metafile::fromBytes(r.metafile), 210, 297);
        QVERIFY(wmftest::inkShare(page.copy(0, 0, 210, 3)) > 0.9);
        QVERIFY(wmftest::inkShare(page.copy(0, 0, 3, 297)) > 0.5);
    }

    void smallImagesAreEnlargedSmoothly()
    {
        // A 4 x 4 logo of black and white squares across the sheet: our
        // player shows grey between the squares instead of hard blocks.
        QTemporaryDir dir;
        QImage logo(4, 4, QImage::Format_RGB32);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                logo.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        const QString path = dir.filePath(QStringLiteral("logo.png"));
        QVERIFY(logo.save(path));
        const wzory::ImportResult r = wzory::importDesign(path);
        QCOMPARE(stretchDibImage(recordsOf(r.metafile, wmf::rec::StretchDib).front()), logo); // its own pixels
        QCOMPARE(recordsOf(r.metafile, wmf::rec::SetStretchBltMode).size(), size_t(1));
        const QImage page = wmftest::render(wmf::Metafile::fromBytes(r.metafile), 400, 566);
        int greys = 0;
        // Along the middle of the second row of squares (the logo, 400 px
        // square, is centred: its rows are 100 px apart from y = 83).
        for (int x = 0; x < 400; ++x) {
            const int v = qRed(page.pixel(x, 83 + 150));
            greys += v > 40 && v < 215;
        }
        qInfo("%d of 400 pixels grey", greys);
        QVERIFY(greys > 100 && greys < 380); // grey between the squares, pure at their centres
    }

    void largeImagesAreCappedAt300Dpi()
    {
        QTemporaryDir dir;
        QImage big(3000, 4000, QImage::Format_RGB32);
        big.fill(QColor(0x1E, 0x56, 0x31));
        QPainter(&big).fillRect(0, 0, 1500, 2000, QColor(0xC9, 0xA2, 0x27));
        const QString path = dir.filePath(QStringLiteral("big.jpg"));
        QVERIFY(big.save(path, "JPEG", 90));
        const wzory::ImportResult r = wzory::importDesign(path);
        const QImage kept = stretchDibImage(recordsOf(r.metafile, wmf::rec::StretchDib).front());
        QVERIFY2(kept.width() <= 2481 && kept.width() >= 2470, qPrintable(QString::number(kept.width())));
        QVERIFY(r.metafile.size() < wmf::Metafile::MaxFileBytes);
    }

    void pdfPageConverts_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("first page") << 1;
        QTest::newRow("second page") << 2;
    }

    void pdfPageConverts()
    {
        QFETCH(int, page);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("projekt.pdf"));
        {
            QPdfWriter pdf(path);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setResolution(300);
            QPainter p(&pdf);
            const QRect all(0, 0, pdf.width(), pdf.height());
            p.setPen(QPen(QColor(0x7A, 0x1E, 0x2C), 30));
            p.setBrush(Qt::NoBrush);
            p.drawRect(all.adjusted(100, 100, -100, -100));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xC9, 0xA2, 0x27));
            p.drawEllipse(all.center(), 600, 600);
            p.drawImage(QRect(300, 2800, 900, 600), smoothImage(300, 200));
            pdf.newPage();
            p.setBrush(QColor(0x1E, 0x56, 0x31));
            p.drawRect(QRect(200, 200, all.width() - 400, 500));
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPixelSize(150);
            p.setFont(f);
            p.setPen(Qt::black);
            p.drawText(QRect(0, 1500, all.width(), 400), Qt::AlignCenter, QStringLiteral("Świadectwo"));
        }
        wzory::ImportOptions o;
        o.page = page;
        const wzory::ImportResult r = wzory::importDesign(path, o);
        QCOMPARE(r.kind, wzory::DesignKind::Pdf);
        QVERIFY(r.stats.vectorRecords >= 2);
        if (page == 1) {
            // The picture on the page keeps its own pixels, the right way up.
            const auto bitmaps = recordsOf(r.metafile, wmf::rec::StretchDib);
            QCOMPARE(bitmaps.size(), size_t(1));
            const QImage kept = stretchDibImage(bitmaps.front());
            QCOMPARE(kept.size(), QSize(300, 200));
            // (the PDF writer may store it as JPEG: smooth colours only)
            QVERIFY(meanDifference(kept, smoothImage(300, 200), 300, 200) < 0.01);
        }

        const auto doc = Poppler::Document::load(path);
        QVERIFY(doc);
        doc->setRenderHint(Poppler::Document::Antialiasing);
        const QImage reference = doc->page(page - 1)
                                     ->renderToImage(72.0 * 420 / 595.0, 72.0 * 420 / 595.0)
                                     .convertToFormat(QImage::Format_RGB32)
                                     .scaled(420, 594);
        const QImage ours = wmftest::render(wmf::Metafile::fromBytes(r.metafile), 420, 594);
        const double diff = meanDifference(ours, reference, 105, 148);
        qInfo("pdf page %d: mean difference %.4f", page, diff);
        QVERIFY(diff < 0.02);
        QVERIFY(wmftest::cellDifference(ours, reference) < 0.03);
    }

    void closedOutlinesHaveEveryCornerJoined()
    {
        // Flat caps and mitred joins, as SVG draws by default: the corner
        // where the outline starts must be as square as the others.
        wmf::MetafilePaintDevice device;
        {
            QPainter p(&device);
            QPen pen(QColor(0x7A, 0x1E, 0x2C), 40, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
            p.setPen(pen);
            p.drawRect(QRectF(200, 200, 800, 600));
        }
        const QImage page = wmftest::render(wmf::Metafile::fromBytes(device.finish()), device.width(), device.height());
        for (const QPoint corner : {QPoint(182, 182), QPoint(1018, 182), QPoint(1018, 818), QPoint(182, 818)})
            QVERIFY2(qRed(page.pixel(corner)) < 160, qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
        QCOMPARE(qRed(page.pixel(600, 500)), 255);
    }

    void transparencyIsFlattenedOntoWhatIsBelow()
    {
        // A half-transparent disc over a solid bar: the bitmap standing in for
        // the disc shows the bar through it.
        wmf::MetafilePaintDevice device;
        {
            QPainter p(&device);
            p.fillRect(QRect(0, 900, device.width(), 200), QColor(0, 0, 200));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 0, 0, 128));
            p.drawEllipse(QPoint(800, 1000), 300, 300);
        }
        QVERIFY(device.stats().bitmapRecords >= 1);
        const QImage page = wmftest::render(wmf::Metafile::fromBytes(device.finish()), device.width(), device.height());
        const QRgb overlap = page.pixel(800, 1000), discOnly = page.pixel(800, 800), barOnly = page.pixel(100, 1000);
        QVERIFY(qRed(overlap) > 100 && qBlue(overlap) > 60);
        QVERIFY(qRed(discOnly) > 200 && qGreen(discOnly) > 100);
        QCOMPARE(barOnly, qRgb(0, 0, 200));
    }

    void gradientsAreBandsAndBitmapsOnlyWhatIsPainted_data()
    {
        QTest::addColumn<QBrush>("brush");
        QTest::addColumn<bool>("bands");
        QLinearGradient gold(0, 0, 1654, 2339);
        gold.setColorAt(0, QColor(0x8a, 0x6d, 0x1c));
        gold.setColorAt(0.5, QColor(0xf5, 0xdc, 0x84));
        gold.setColorAt(1, QColor(0x8a, 0x6d, 0x1c));
        QTest::newRow("linear gold") << QBrush(gold) << true;
        QRadialGradient glow(QPointF(800, 1100), 900, QPointF(700, 1000));
        glow.setColorAt(0, Qt::white);
        glow.setColorAt(1, QColor(0x1f, 0x3a, 0x68));
        QTest::newRow("radial with a focal point") << QBrush(glow) << true;
        QLinearGradient fading(0, 0, 1654, 0);
        fading.setColorAt(0, QColor(200, 0, 0, 255));
        fading.setColorAt(1, QColor(200, 0, 0, 40));
        QTest::newRow("fading to transparent") << QBrush(fading) << false;
    }

    void gradientsAreBandsAndBitmapsOnlyWhatIsPainted()
    {
        // A frame stroked with a gradient across the whole page: bands of
        // solid colour, or (transparent) bitmaps of the ring, never the page.
        QFETCH(QBrush, brush);
        QFETCH(bool, bands);
        wmf::MetafilePaintDevice device;
        QImage reference(device.width(), device.height(), QImage::Format_RGB32);
        reference.fill(Qt::white);
        for (QPaintDevice *target : {static_cast<QPaintDevice *>(&device), static_cast<QPaintDevice *>(&reference)}) {
            QPainter p(target);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(brush, 60));
            p.drawRect(QRectF(100, 100, 1454, 2139));
            p.fillRect(QRectF(500, 800, 600, 700), brush);
        }
        const wmf::MetafileStats stats = device.stats();
        const qint64 page = qint64(device.width()) * device.height();
        qInfo("%d shapes, %d bitmaps, %lld pixels (%.1f %% of the page)", stats.vectorRecords, stats.bitmapRecords,
              qlonglong(stats.bitmapPixels), 100.0 * double(stats.bitmapPixels) / double(page));
        if (bands)
            QCOMPARE(stats.bitmapRecords, 0);
        else
            QVERIFY(stats.bitmapPixels < page * 2 / 5); // the ring and the block, not the page they span
        const QByteArray mf = device.finish();
        QVERIFY(mf.size() < (bands ? 400 * 1024 : 4 * 1024 * 1024));
        const QImage ours = wmftest::render(wmf::Metafile::fromBytes(mf), device.width() / 4, device.height() / 4);
        const double diff = meanDifference(ours, reference, device.width() / 8, device.height() / 8);
        qInfo("mean difference %.4f", diff);
        QVERIFY(diff < 0.01);
    }

    void drawingBeyondTheSizeLimitIsRefused()
    {
        wmf::MetafilePaintDevice::Settings s;
        s.maxBytes = 20000;
        wmf::MetafilePaintDevice device(s);
        {
            QPainter p(&device);
            p.setBrush(Qt::black);
            for (int i = 0; i < 2000; ++i)
                p.drawRect(i % 1000, i / 2, 3, 3);
        }
        QVERIFY_THROWS_EXCEPTION(wmf::MetafileError, device.finish());
    }

    void hostileDesignsAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QByteArray hugeSvg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\">";
        hugeSvg += QByteArray(17 * 1024 * 1024, ' ');
        hugeSvg += "<rect width=\"5\" height=\"5\"/></svg>";
        QTest::newRow("huge svg") << "duzy.svg" << hugeSvg;
        QTest::newRow("billion-pixel png") << "miliard.png" << pngHeaderOnly(40000, 40000);
        QTest::newRow("broken pdf") << "zepsuty.pdf"
                                    << QByteArray(
                                           "%PDF-1.7\n1 0 obj << /Type /Catalog /Pages 9 0 R >>\nxref\ntrailer\n%%EOF\n");
        QTest::newRow("broken svg") << "zepsuty.svg"
                                    << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=\"M 0 0 L");
        QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaa\">";
        for (char c = 'b'; c <= 'j'; ++c)
            laughs += QByteArray("<!ENTITY ") + c + " \"" + QByteArray("&") + char(c - 1) + ";" + QByteArray("&")
                      + char(c - 1) + ";&" + char(c - 1) + ";&" + char(c - 1) + ";&" + char(c - 1) + ";&" + char(c - 1)
                      + ";&" + char(c - 1) + ";&" + char(c - 1) + ";&" + char(c - 1) + ";&" + char(c - 1) + ";\">";
        laughs += "]><svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 9 9\"><text y=\"5\">&j;</text></svg>";
        QTest::newRow("entity expansion") << "smiech.svg" << laughs;
        QTest::newRow("not a picture") << "tekst.png" << QByteArray("to nie jest obraz\n");
        QTest::newRow("empty svg") << "pusty.svg"
                                   << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"/>");
    }

    void hostileDesignsAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = writeFile(dir, name, bytes);
        QElapsedTimer t;
        t.start();
        try {
            wzory::importDesign(path);
            QFAIL("accepted");
        } catch (const wzory::ImportError &e) {
            qInfo("%s", e.what());
            QVERIFY(QString::fromUtf8(e.what()).startsWith(path));
        }
        QVERIFY(t.elapsed() < 10000);
    }
};

QTEST_MAIN(TestWzoryImport)
#include "tst_wzory_import.moc"
