// The reader and player on damaged and hostile input: clear errors or a
// partial picture, never a crash, a hang or an unbounded allocation.
#include "SeedMetafiles.h"
#include "WmfTestUtil.h"
#include "wmf/MetafileWriter.h"
#include "wmf/Records.h"

#include <QElapsedTimer>
#include <QtTest>

using wmf::Metafile;
using wmf::MetafileError;
using wmfseeds::plainMetafile;
using wmfseeds::rawRecord;

namespace {

QByteArray le16(int v)
{
    QByteArray b;
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
    return b;
}

QByteArray le32(uint32_t v)
{
    return le16(int(v & 0xFFFF)) + le16(int(v >> 16));
}

QByteArray windowRecords()
{
    return rawRecord(wmf::rec::SetWindowOrg, le16(0) + le16(0))
           + rawRecord(wmf::rec::SetWindowExt, le16(100) + le16(100));
}

QByteArray redBrushAndRect()
{
    return rawRecord(wmf::rec::CreateBrushIndirect, le16(0) + le32(0x0000FF) + le16(0))
           + rawRecord(wmf::rec::SelectObject, le16(0))
           + rawRecord(wmf::rec::Rectangle, le16(90) + le16(90) + le16(10) + le16(10));
}

// Loads and draws; returns false when the reader refused the input.
bool loadAndDraw(const QByteArray &bytes, QString *error = nullptr)
{
    try {
        const Metafile mf = Metafile::fromBytes(bytes);
        wmftest::render(mf, 40, 30);
        return true;
    } catch (const MetafileError &e) {
        if (error)
            *error = QString::fromUtf8(e.what());
        return false;
    }
}

} // namespace

class TestWmfReader : public QObject {
    Q_OBJECT
private slots:
    void notAMetafileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("#include <stdio.h>\nint main() { return 0; }\n");
        QTest::newRow("png") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("short header") << QByteArray("\x01\x00\x09\x00", 4);
        QTest::newRow("placeable key only") << QByteArray("\xD7\xCD\xC6\x9A", 4);
        QTest::newRow("bad header size") << plainMetafile({}).replace(2, 2, le16(10));
    }
    void notAMetafileIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QString error;
        QVERIFY(!loadAndDraw(bytes, &error));
        QCOMPARE(error, QStringLiteral("not a metafile"));
    }

    void damagedFirstRecordIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray header = plainMetafile({}).left(18);
        QTest::newRow("size 0") << header + rawRecord(wmf::rec::Rectangle, QByteArray(8, '\0'), 0);
        QTest::newRow("size 2") << header + rawRecord(wmf::rec::Rectangle, QByteArray(8, '\0'), 2);
        QTest::newRow("past the end") << header + rawRecord(wmf::rec::Rectangle, QByteArray(8, '\0'), 5000);
        QTest::newRow("huge size") << header + rawRecord(wmf::rec::Rectangle, QByteArray(8, '\0'), 0x7FFFFFFF);
    }
    void damagedFirstRecordIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QString error;
        QVERIFY(!loadAndDraw(bytes, &error));
        QVERIFY2(error.startsWith(QStringLiteral("damaged metafile")), qPrintable(error));
    }

    void damageAfterSoundRecordsKeepsWhatIsSound()
    {
        // A broken record after a complete drawing: the drawing stays.
        const QByteArray sound = plainMetafile(windowRecords() + redBrushAndRect()).chopped(6);
        for (int32_t words : {0, 2, 9999}) {
            const Metafile mf = Metafile::fromBytes(sound + rawRecord(wmf::rec::Ellipse, QByteArray(8, '\0'), words));
            QVERIFY(mf.isTruncated());
            const QImage img = wmftest::render(mf, 100, 100);
            QCOMPARE(img.pixel(50, 50), qRgb(255, 0, 0));
        }
    }

    void everyTruncationIsRefusedOrDrawn()
    {
        for (const QByteArray &seed : wmfseeds::seedMetafiles())
            for (int n = 0; n < seed.size(); n += (n < 80 ? 1 : 7))
                loadAndDraw(seed.left(n)); // must merely survive
    }

    void trailingBytesAfterEofAreIgnored()
    {
        const QByteArray bytes = plainMetafile(windowRecords() + redBrushAndRect()) + QByteArray(46, '\x55');
        const Metafile mf = Metafile::fromBytes(bytes);
        QVERIFY(!mf.isTruncated());
        QCOMPARE(mf.recordCount(), 5);
    }

    void objectIndexesOutOfRangeAreIgnored()
    {
        const QByteArray recs = windowRecords() + redBrushAndRect() + rawRecord(wmf::rec::SelectObject, le16(65535))
                                + rawRecord(wmf::rec::DeleteObject, le16(4000))
                                + rawRecord(wmf::rec::SelectPalette, le16(77))
                                + rawRecord(wmf::rec::SelectClipRegion, le16(12345))
                                + rawRecord(wmf::rec::FillRegion, le16(9) + le16(0))
                                + rawRecord(wmf::rec::Rectangle, le16(60) + le16(60) + le16(40) + le16(40));
        const QImage img = wmftest::render(Metafile::fromBytes(plainMetafile(recs, 0)), 100, 100);
        QCOMPARE(img.pixel(50, 50), qRgb(255, 0, 0)); // the red brush is still selected
    }

    void objectTableBeyondHeaderCountStillWorks()
    {
        // The header says no objects; the player grows its table within a limit.
        const QByteArray recs = windowRecords() + redBrushAndRect();
        const QImage img = wmftest::render(Metafile::fromBytes(plainMetafile(recs, 0)), 100, 100);
        QCOMPARE(img.pixel(50, 50), qRgb(255, 0, 0));
    }

    void hugeCountsAreCheckedAgainstTheRecord()
    {
        QElapsedTimer timer;
        timer.start();
        const QByteArray fourPoints = le16(0) + le16(0) + le16(50) + le16(50);
        const QByteArray recs =
            windowRecords() + rawRecord(wmf::rec::Polygon, le16(32767) + fourPoints)
            + rawRecord(wmf::rec::Polyline, le16(-5) + fourPoints)
            + rawRecord(wmf::rec::PolyPolygon, le16(65535) + le16(65535) + fourPoints)
            + rawRecord(wmf::rec::PolyPolygon, le16(2) + le16(65535) + le16(65535) + fourPoints)
            + rawRecord(wmf::rec::CreatePalette, le16(0x300) + le16(65535) + le32(0))
            + rawRecord(wmf::rec::TextOut, le16(32000) + QByteArray("abc"))
            + rawRecord(wmf::rec::ExtTextOut, le16(10) + le16(10) + le16(30000) + le16(6) + QByteArray(8, 'x'))
            // A DIB that claims 65535 x 65535 pixels at 32 bits with no data.
            + rawRecord(wmf::rec::StretchDib, le32(0xCC0020) + le16(0) + QByteArray(16, '\x10') + le32(40) + le32(65535)
                                                  + le32(65535) + le16(1) + le16(32) + QByteArray(24, '\0'))
            // An RLE bitmap that asks for more pixels than the limit.
            + rawRecord(wmf::rec::StretchDib, le32(0xCC0020) + le16(0) + QByteArray(16, '\x10') + le32(40) + le32(60000)
                                                  + le32(60000) + le16(1) + le16(8) + le32(1) + QByteArray(20, '\0')
                                                  + QByteArray(1024, '\0') + le16(0x0100))
            + rawRecord(wmf::rec::CreateRegion,
                        QByteArray(10, '\0') + le16(32767) + QByteArray(10, '\0') + le16(65535) + le16(0) + le16(10));
        QVERIFY(loadAndDraw(plainMetafile(recs)));
        QVERIFY(timer.elapsed() < 5000);
    }

    void floodsOfObjectsAndSavesStayCheap()
    {
        // More creations than the object table may hold, and a big palette
        // saved a thousand times over: bounded time and memory.
        QByteArray recs = windowRecords();
        const QByteArray pen = rawRecord(wmf::rec::CreatePenIndirect, le16(0) + le16(1) + le16(0) + le32(0));
        for (int i = 0; i < 100000; ++i)
            recs += pen;
        QByteArray colours;
        for (int i = 0; i < 65535; ++i)
            colours += le32(uint32_t(i));
        recs += rawRecord(wmf::rec::CreatePalette, le16(0x300) + le16(65535) + colours);
        recs += rawRecord(wmf::rec::SelectPalette, le16(65535));
        for (int i = 0; i < 2000; ++i)
            recs += rawRecord(wmf::rec::SaveDC, {});
        recs += redBrushAndRect();
        QElapsedTimer timer;
        timer.start();
        QVERIFY(loadAndDraw(plainMetafile(recs, 0)));
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    }

    void deepAndUnbalancedSaveRestore()
    {
        QByteArray recs = windowRecords();
        for (int i = 0; i < 3000; ++i)
            recs += rawRecord(wmf::rec::SaveDC, {});
        recs += redBrushAndRect();
        recs += rawRecord(wmf::rec::RestoreDC, le16(-2999)); // back to level 1: brush gone
        recs += rawRecord(wmf::rec::RestoreDC, le16(-5));    // more than saved: ignored
        recs += rawRecord(wmf::rec::RestoreDC, le16(30000)); // absolute, beyond: ignored
        recs += rawRecord(wmf::rec::Ellipse, le16(60) + le16(60) + le16(40) + le16(40));
        recs += rawRecord(wmf::rec::RestoreDC, le16(0));
        const QImage img = wmftest::render(Metafile::fromBytes(plainMetafile(recs)), 100, 100);
        QCOMPARE(img.pixel(50, 50), qRgb(255, 255, 255)); // white stock brush again
        QCOMPARE(img.pixel(20, 20), qRgb(255, 0, 0));
    }

    void zeroAndNegativeExtents()
    {
        const QByteArray recs = rawRecord(wmf::rec::SetWindowExt, le16(0) + le16(0))
                                + rawRecord(wmf::rec::SetWindowExt, le16(-100) + le16(100))
                                + rawRecord(wmf::rec::ScaleWindowExt, le16(0) + le16(1) + le16(0) + le16(1))
                                + rawRecord(wmf::rec::CreateBrushIndirect, le16(0) + le32(0x0000FF) + le16(0))
                                + rawRecord(wmf::rec::SelectObject, le16(0))
                                // y grows upwards: the window spans 0 down to -100
                                + rawRecord(wmf::rec::Rectangle, le16(-10) + le16(90) + le16(-90) + le16(10))
                                + rawRecord(wmf::rec::SetWindowExt, le16(1) + le16(0));
        const Metafile mf = Metafile::fromBytes(plainMetafile(recs));
        QCOMPARE(mf.frame(), QRectF(0, -100, 100, 100));
        QCOMPARE(wmftest::render(mf, 100, 100).pixel(50, 50), qRgb(255, 0, 0));
    }

    void emptyMetafileDrawsNothing()
    {
        const Metafile mf = Metafile::fromBytes(plainMetafile({}));
        QVERIFY(!mf.isEmpty());
        QVERIFY(mf.frame().isEmpty());
        QCOMPARE(wmftest::inkShare(wmftest::render(mf, 20, 20)), 0.0);
        Metafile none;
        QVERIFY(none.isEmpty());
        QCOMPARE(wmftest::inkShare(wmftest::render(none, 20, 20)), 0.0);
    }

    void writerOutputReadsBack()
    {
        wmf::MetafileWriter w(QRect(0, 0, 2000, 3000), 1440);
        w.createPen(0, 5, Qt::black);
        w.rectangle(QRect(0, 0, 10, 10));
        const Metafile mf = Metafile::fromBytes(w.finish());
        QVERIFY(mf.isPlaceable());
        QCOMPARE(mf.unitsPerInch(), 1440);
        QCOMPARE(mf.frame(), QRectF(0, 0, 2000, 3000));
        QCOMPARE(mf.recordCount(), 2);
        QCOMPARE(w.recordCount(), 2);
    }
};

QTEST_MAIN(TestWmfReader)
#include "tst_wmfreader.moc"
