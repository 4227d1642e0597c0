// What the player draws: mapping of the frame onto any target, pens, fonts
// and bitmaps kept in scale, text code pages, clipping, vector output.
#include "SeedMetafiles.h"
#include "WmfTestUtil.h"
#include "wmf/Charset.h"
#include "wmf/MetafileWriter.h"
#include "wmf/Records.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QtTest>

using wmf::Metafile;
using wmf::MetafileWriter;

namespace {

// Width in pixels of the dark run crossing row y.
int runWidth(const QImage &img, int y)
{
    int n = 0;
    for (int x = 0; x < img.width(); ++x)
        n += qGray(img.pixel(x, y)) < 128;
    return n;
}

// Height in pixels of the rows holding any ink.
int inkRows(const QImage &img)
{
    int top = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (wmftest::isInk(img.pixel(x, y))) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
    return top < 0 ? 0 : bottom - top + 1;
}

Metafile textFile(int height, const QByteArray &text, int charset = 0)
{
    MetafileWriter w(QRect(0, 0, 1000, 1000), 1000);
    wmf::LogFont f;
    f.height = height;
    f.charset = charset;
    w.selectObject(w.createFont(f));
    w.setBkMode(1);
    w.textOut(QPoint(100, 100), text);
    return Metafile::fromBytes(w.finish());
}

} // namespace

class TestWmfPlayer : public QObject {
    Q_OBJECT
private slots:
    void frameIsStretchedIndependently()
    {
        MetafileWriter w(QRect(100, 200, 400, 200), 1000);
        w.selectObject(w.createPen(5, 0, Qt::black));
        w.selectObject(w.createBrush(0, Qt::red));
        w.rectangle(QRect(100, 200, 200, 100)); // left half, top half of the frame
        const Metafile mf = Metafile::fromBytes(w.finish());
        QCOMPARE(mf.frame(), QRectF(100, 200, 400, 200));
        for (QSize size : {QSize(189, 281), QSize(400, 50), QSize(60, 600)}) {
            const QImage img = wmftest::render(mf, size.width(), size.height());
            const int w2 = size.width() / 2, h2 = size.height() / 2;
            QCOMPARE(img.pixel(w2 / 2, h2 / 2), qRgb(255, 0, 0));
            QCOMPARE(img.pixel(w2 - 2, h2 - 2), qRgb(255, 0, 0));
            QCOMPARE(img.pixel(w2 + 2, h2 / 2), qRgb(255, 255, 255));
            QCOMPARE(img.pixel(w2 / 2, h2 + 2), qRgb(255, 255, 255));
        }
    }

    void drawsIntoAnOffsetTargetOnly()
    {
        MetafileWriter w(QRect(0, 0, 100, 100), 100);
        w.selectObject(w.createBrush(0, Qt::blue));
        w.rectangle(QRect(-500, -500, 2000, 2000)); // far beyond the frame
        QImage img(300, 300, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        Metafile::fromBytes(w.finish()).draw(p, QRectF(100, 100, 50, 50));
        p.end();
        QCOMPARE(img.pixel(125, 125), qRgb(0, 0, 255));
        QCOMPARE(img.pixel(90, 125), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(160, 125), qRgb(255, 255, 255));
    }

    void plainFrameFromWindowOrFromDrawing()
    {
        using wmfseeds::rawRecord;
        const auto le16 = [](int v) { return QByteArray(1, char(v & 0xFF)) + QByteArray(1, char((v >> 8) & 0xFF)); };
        const QByteArray rect = rawRecord(wmf::rec::Rectangle, le16(90) + le16(80) + le16(30) + le16(20));
        const Metafile windowed = Metafile::fromBytes(
            wmfseeds::plainMetafile(rawRecord(wmf::rec::SetWindowOrg, le16(10) + le16(-5))
                                    + rawRecord(wmf::rec::SetWindowExt, le16(200) + le16(300)) + rect));
        QCOMPARE(windowed.frame(), QRectF(-5, 10, 300, 200));
        QVERIFY(!windowed.isPlaceable());
        const Metafile drawn = Metafile::fromBytes(wmfseeds::plainMetafile(rect));
        QCOMPARE(drawn.frame(), QRectF(20, 30, 60, 60));
        // The rectangle's outline runs along the edges of its own extent.
        const QImage img = wmftest::render(drawn, 50, 50);
        QVERIFY(wmftest::isInk(img.pixel(25, 0)) && wmftest::isInk(img.pixel(0, 25)));
        QVERIFY(!wmftest::isInk(img.pixel(25, 25)));
    }

    void penWidthsScaleWithTheTarget()
    {
        MetafileWriter w(QRect(0, 0, 1000, 1000), 1000);
        w.selectObject(w.createPen(0, 40, Qt::black)); // 4 % of the width
        w.moveTo(500, 0);
        w.lineTo(500, 1000);
        const Metafile mf = Metafile::fromBytes(w.finish());
        for (int size : {100, 400, 1600}) {
            const int width = runWidth(wmftest::render(mf, size, size), size / 2);
            QVERIFY2(std::abs(width - size * 4 / 100) <= 2, qPrintable(QString::number(width)));
        }
    }

    void fontHeightRuleAndScale()
    {
        // Negative: character (em) height; positive: cell height, so the same
        // number gives smaller letters when positive.
        const int charH = inkRows(wmftest::render(textFile(-200, "H"), 500, 500));
        const int cellH = inkRows(wmftest::render(textFile(200, "H"), 500, 500));
        QVERIFY2(cellH < charH, qPrintable(QStringLiteral("%1 %2").arg(cellH).arg(charH)));
        // Cap height of an em of 100 pixels is about 70 pixels.
        QVERIFY2(charH > 55 && charH < 85, qPrintable(QString::number(charH)));
        // Twice the target, twice the letters.
        const int big = inkRows(wmftest::render(textFile(-200, "H"), 1000, 1000));
        QVERIFY(std::abs(big - 2 * charH) <= 3);
    }

    void textIsDecodedFromTheFontCharset()
    {
        QCOMPARE(wmf::decodeText("\xB9\xE6\xEA", 238), QStringLiteral(u"ąćę"));
        QCOMPARE(wmf::decodeText("\xB9", 0), QStringLiteral(u"¹"));
        QCOMPARE(wmf::decodeText("\xCF\xF0", 204), QStringLiteral(u"Пр"));
        QCOMPARE(wmf::decodeText("\xE1", 161), QStringLiteral(u"α"));
        QCOMPARE(QString::fromLatin1(wmf::codePageForCharset(238)), QStringLiteral("windows-1250"));
        QCOMPARE(QString::fromLatin1(wmf::codePageForCharset(1)), QStringLiteral("windows-1252"));
        // The same bytes draw different glyphs in different code pages.
        const QImage pl = wmftest::render(textFile(-300, "\xA3", 238), 300, 300); // Ł
        const QImage we = wmftest::render(textFile(-300, "\xA3", 0), 300, 300);   // £
        int differing = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x)
                differing += wmftest::isInk(pl.pixel(x, y)) != wmftest::isInk(we.pixel(x, y));
        QVERIFY2(differing > 200, qPrintable(QString::number(differing)));
    }

    void extTextOutSpacingArrayPlacesCharacters()
    {
        MetafileWriter w(QRect(0, 0, 1000, 200), 1000);
        wmf::LogFont f;
        f.height = -100;
        w.selectObject(w.createFont(f));
        w.extTextOut(QPoint(0, 50), "II", 0, nullptr, {800, 0});
        const QImage img = wmftest::render(Metafile::fromBytes(w.finish()), 1000, 200);
        int left = -1, right = -1;
        for (int x = 0; x < img.width(); ++x)
            if (wmftest::isInk(img.pixel(x, 90))) {
                if (left < 0)
                    left = x;
                right = x;
            }
        QVERIFY2(right - left > 780 && right - left < 840, qPrintable(QString::number(right - left)));
    }

    void opaqueRectangleAndClipping()
    {
        MetafileWriter w(QRect(0, 0, 100, 100), 100);
        w.setBkColor(Qt::green);
        const QRect box(10, 10, 30, 30);
        w.extTextOut(QPoint(10, 10), "", 2, &box);
        w.intersectClipRect(QRect(50, 50, 40, 40));
        w.excludeClipRect(QRect(60, 60, 10, 10));
        w.selectObject(w.createBrush(0, Qt::red));
        w.selectObject(w.createPen(5, 0, Qt::black));
        w.rectangle(QRect(0, 0, 100, 100));
        const QImage img = wmftest::render(Metafile::fromBytes(w.finish()), 100, 100);
        QCOMPARE(img.pixel(20, 20), qRgb(0, 255, 0));
        QCOMPARE(img.pixel(55, 55), qRgb(255, 0, 0));
        QCOMPARE(img.pixel(65, 65), qRgb(255, 255, 255)); // excluded
        QCOMPARE(img.pixel(45, 45), qRgb(255, 255, 255)); // outside the clip
    }

    void saveAndRestoreBringBackTheClip()
    {
        MetafileWriter w(QRect(0, 0, 100, 100), 100);
        w.selectObject(w.createPen(5, 0, Qt::black));
        w.selectObject(w.createBrush(0, Qt::red));
        w.saveDC();
        w.intersectClipRect(QRect(0, 0, 10, 10));
        w.restoreDC(-1);
        w.rectangle(QRect(0, 0, 100, 100));
        const QImage img = wmftest::render(Metafile::fromBytes(w.finish()), 100, 100);
        QCOMPARE(img.pixel(50, 50), qRgb(255, 0, 0));
    }

    void bitmapsOfEveryDepth_data()
    {
        QTest::addColumn<int>("bits");
        for (int b : {1, 4, 8, 24, 32})
            QTest::newRow(qPrintable(QString::number(b))) << b;
    }
    void bitmapsOfEveryDepth()
    {
        QFETCH(int, bits);
        QImage src(4, 2, QImage::Format_Indexed8);
        src.setColorCount(2);
        src.setColor(0, qRgb(200, 0, 0));
        src.setColor(1, qRgb(0, 0, 200));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                src.setPixel(x, y, x < 2 ? 0 : 1);
        src.setPixel(0, 0, 1); // top-left differs: catches flipped rows
        MetafileWriter w(QRect(0, 0, 400, 200), 400);
        w.stretchDib(QRect(0, 0, 400, 200), bits > 8 ? src.convertToFormat(QImage::Format_RGB32) : src, bits);
        const QImage img = wmftest::render(Metafile::fromBytes(w.finish()), 400, 200);
        QCOMPARE(img.pixel(50, 50), qRgb(0, 0, 200));
        QCOMPARE(img.pixel(50, 150), qRgb(200, 0, 0));
        QCOMPARE(img.pixel(150, 150), qRgb(200, 0, 0));
        QCOMPARE(img.pixel(350, 50), qRgb(0, 0, 200));
    }

    void paletteIndexColours()
    {
        MetafileWriter w(QRect(0, 0, 100, 100), 100);
        w.selectPalette(w.createPalette({qRgb(1, 2, 3), qRgb(0, 160, 0)}));
        QByteArray brush;
        brush.append(QByteArray("\0\0", 2));
        brush.append(QByteArray("\x01\x00\x00\x01", 4)); // PALETTEINDEX(1)
        brush.append(QByteArray("\0\0", 2));
        w.record(wmf::rec::CreateBrushIndirect, brush);
        w.selectObject(1);
        w.rectangle(QRect(0, 0, 100, 100));
        QCOMPARE(wmftest::render(Metafile::fromBytes(w.finish()), 10, 10).pixel(5, 5), qRgb(0, 160, 0));
    }

    void pdfOutputStaysVector()
    {
        QFile f(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory/BDR_0001.wmf"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const Metafile mf = Metafile::fromBytes(f.readAll());
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        {
            QPdfWriter pdf(&out);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setResolution(600);
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter p(&pdf);
            mf.draw(p, QRectF(QPointF(0, 0), QSizeF(pdf.width(), pdf.height())));
        }
        const QByteArray pdf = out.data();
        QVERIFY(!pdf.contains("/Subtype /Image"));
        QVERIFY(pdf.size() > 20000); // the paths themselves
    }
};

QTEST_MAIN(TestWmfPlayer)
#include "tst_wmfplayer.moc"
