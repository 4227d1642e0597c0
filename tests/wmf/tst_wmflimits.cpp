// Hostile templates: the work of drawing one is bounded. What exceeds the
// limits is refused as damaged while parsing, what stays within draws
// quickly, and no shipped template or known real-world file comes near.
#include "FileBytes.h"
#include "HostileMetafiles.h"
#include "WmfTestUtil.h"
#include "wmf/Parsed.h"

#include <QDir>
#include <QtTest>
#include <ctime>

using wmf::Metafile;
using wmf::MetafileWriter;

namespace {

double cpuMs(const std::function<void()> &work)
{
    const std::clock_t start = std::clock();
    work();
    return double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
}

QString describe(const wmf::DrawCost &c)
{
    return QStringLiteral("points %1 (largest %2), edge span %3 (largest %6), area %4, bitmap pixels %5")
        .arg(c.points)
        .arg(c.largestPolygon)
        .arg(c.edgeSpan, 0, 'f', 1)
        .arg(c.area, 0, 'f', 1)
        .arg(c.bitmapPixels)
        .arg(c.largestSpan, 0, 'f', 1);
}

// Within a fraction of every limit.
bool farBelowLimits(const wmf::DrawCost &c, double share)
{
    return c.largestPolygon <= wmf::kMaxPolygonPoints * share && c.points <= wmf::kMaxTotalPoints * share
           && c.edgeSpan <= wmf::kMaxEdgeSpan * share && c.area <= wmf::kMaxFilledArea * share
           && c.bitmapPixels <= wmf::kMaxTotalBitmapPixels * share;
}

// A circle of n points: many points, little edge length.
QByteArray circleFile(int n)
{
    MetafileWriter w(QRect(0, 0, 10000, 10000), 1000);
    w.selectObject(w.createBrush(0, Qt::red));
    QPolygon p;
    for (int i = 0; i < n; ++i)
        p.append(QPoint(5000 + int(4000 * std::cos(i * 2 * M_PI / n)), 5000 + int(4000 * std::sin(i * 2 * M_PI / n))));
    w.polygon(p);
    return w.finish();
}

// count pattern fills of the whole frame: area without edges.
QByteArray patBltFile(int count)
{
    MetafileWriter w(QRect(0, 0, 1000, 1000), 1000);
    w.selectObject(w.createBrush(0, Qt::red));
    QByteArray p;
    for (int v : {0x0021, 0x00F0, 1000, 1000, 0, 0}) // PATCOPY, height, width, y, x
        p.append(char(v & 0xFF)).append(char(v >> 8));
    for (int i = 0; i < count; ++i)
        w.record(wmf::rec::PatBlt, p);
    return w.finish();
}

QString refusal(const QByteArray &bytes)
{
    try {
        Metafile::fromBytes(bytes);
    } catch (const wmf::MetafileError &e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

} // namespace

class TestWmfLimits : public QObject {
    Q_OBJECT
private slots:
    void hostileFilesAreRefusedOrDrawQuickly_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        for (const wmfhostile::Case &c : wmfhostile::hostileCases())
            QTest::newRow(qPrintable(c.name)) << c.bytes;
    }
    void hostileFilesAreRefusedOrDrawQuickly()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(bytes.size() <= 64 * 1024);
        double ms = cpuMs([&] {
            try {
                const Metafile mf = Metafile::fromBytes(bytes);
                wmftest::render(mf, 189, 281);
            } catch (const wmf::MetafileError &e) {
                QVERIFY2(QByteArray(e.what()).startsWith("damaged metafile: "), e.what());
            }
        });
        qInfo("%.1f ms CPU at 189 x 281", ms);
        // The goal is 100 ms; the margin absorbs a slow or sanitized build.
        QVERIFY2(ms < 400, qPrintable(QStringLiteral("%1 ms").arg(ms)));
    }

    void everyLimitHasItsMessage()
    {
        // Many points in one shape, but a short outline: only the point limit.
        QVERIFY(refusal(circleFile(wmf::kMaxPolygonPoints)).isEmpty());
        QCOMPARE(refusal(circleFile(wmf::kMaxPolygonPoints + 1)),
                 QStringLiteral("damaged metafile: a shape has more than 16384 points"));
        QVERIFY(refusal(wmfhostile::polygonFile(16000, 0)).contains(QLatin1String("cross the picture")));
        QVERIFY(refusal(wmfhostile::manyShapesFile(wmf::rec::Rectangle, false)).startsWith(QLatin1String("damaged")));
        QVERIFY(refusal(patBltFile(int(wmf::kMaxFilledArea))).isEmpty());
        QCOMPARE(refusal(patBltFile(int(wmf::kMaxFilledArea) + 1)),
                 QStringLiteral("damaged metafile: it fills the picture more than 128 times over"));
        QVERIFY(refusal(wmfhostile::rleBitmapFile(4096, 4096, 8)).contains(QLatin1String("million pixels")));
        // The same bitmap twice is a full page at 600 dpi: still drawn.
        QVERIFY(refusal(wmfhostile::rleBitmapFile(4096, 4096, 2)).isEmpty());
    }

    void totalPointsAreBounded()
    {
        // 70 circles of 16000 points: each fine, together too many.
        MetafileWriter w(QRect(0, 0, 10000, 10000), 1000);
        QPolygon p;
        for (int i = 0; i < 16000; ++i)
            p.append(QPoint(5000 + int(10 * std::cos(i * 0.001)), 5000 + int(10 * std::sin(i * 0.001))));
        for (int k = 0; k < 70; ++k)
            w.polyline(p);
        wmf::DrawCost cost;
        wmf::parseAndMeasure(w.finish(), &cost);
        QVERIFY2(cost.points > wmf::kMaxTotalPoints, qPrintable(describe(cost)));
        QCOMPARE(refusal(w.finish()), QStringLiteral("damaged metafile: more than 1000000 points in all"));

        // A quarter of a million tiny shapes: each is work, however small.
        MetafileWriter tiny(QRect(0, 0, 10000, 10000), 1000);
        for (int i = 0; i < 260000; ++i)
            tiny.rectangle(QRect(i % 9000, (i / 9000) * 300, 2, 2));
        QCOMPARE(refusal(tiny.finish()), QStringLiteral("damaged metafile: more than 1000000 points in all"));
    }

    void shippedTemplatesStayFarBelowTheLimits()
    {
        const QDir dir(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory"));
        const QStringList names = dir.entryList({QStringLiteral("BDR_*.wmf")}, QDir::Files, QDir::Name);
        QVERIFY(!names.isEmpty());
        for (const QString &name : names) {
            wmf::DrawCost cost;
            const wmf::ParsedMetafile p = wmf::parseAndMeasure(readBytes(dir.filePath(name)), &cost);
            qInfo("%s: %s", qPrintable(name), qPrintable(describe(cost)));
            QVERIFY2(farBelowLimits(cost, 0.25), qPrintable(name + QStringLiteral(": ") + describe(cost)));
            QCOMPARE(p.damagedRecords, 0);
        }
    }

    void corpusFilesStayBelowTheLimits()
    {
        QString whyNone;
        const QStringList files = wmftest::corpusFiles(&whyNone);
        if (files.isEmpty())
            QSKIP(qPrintable(whyNone));
        for (const QString &path : files) {
            wmf::DrawCost cost;
            try {
                wmf::parseAndMeasure(readBytes(path), &cost);
            } catch (const wmf::MetafileError &) {
                continue; // refused before the limits
            }
            qInfo("%s: %s", qPrintable(QFileInfo(path).fileName()), qPrintable(describe(cost)));
            QVERIFY2(farBelowLimits(cost, 0.5), qPrintable(path + QStringLiteral(": ") + describe(cost)));
        }
    }
};

QTEST_MAIN(TestWmfLimits)
#include "tst_wmflimits.moc"
