// Designs of our own making, each compared with an independent renderer
// (pdftoppm for PDF pages, rsvg-convert for SVG) placed where --dopasuj or
// --wypelnij promise: the template must look like the design.
#include "PdfTools.h"
#include "WmfTestUtil.h"
#include "WzoryTestUtil.h"
#include "FidelityCorpus.h"

#include "wzory/Import.h"
#include "wzory/Placement.h"

#include <QPdfWriter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace wzorytest;

namespace {

constexpr int kW = 420, kH = 594; // the sheet, 2 px per mm

// The reference renderer's picture of the design at w x h, on white.
QImage reference(const QString &path, bool pdf, int w, int h, const QTemporaryDir &dir)
{
    const QString out = dir.filePath(QStringLiteral("reference"));
    int code = -1;
    if (pdf)
        runTool(QStringLiteral("pdftoppm"),
                {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-aa"), QStringLiteral("yes"),
                 QStringLiteral("-scale-to-x"), QString::number(w), QStringLiteral("-scale-to-y"), QString::number(h),
                 path, out},
                &code);
    else
        runTool(QStringLiteral("rsvg-convert"),
                {QStringLiteral("-w"), QString::number(w), QStringLiteral("-h"), QString::number(h),
                 QStringLiteral("-b"), QStringLiteral("white"), QStringLiteral("-o"), out + QStringLiteral(".png"), path},
                &code);
    if (code != 0)
        return {};
    return QImage(out + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestWzoryFidelity : public QObject {
    Q_OBJECT
private slots:
    void designsLookAsTheReferenceDrawsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("fit");
        QTest::addColumn<qint64>("maxBytes");
        for (const fidelity::Design &d : fidelity::designs()) {
            QTest::newRow(qPrintable(d.name + QStringLiteral(" dopasuj")))
                << d.name << int(wzory::Fit::Contain) << d.maxBytes;
            if (d.alsoCover)
                QTest::newRow(qPrintable(d.name + QStringLiteral(" wypelnij")))
                    << d.name << int(wzory::Fit::Cover) << d.maxBytes;
        }
    }

    void designsLookAsTheReferenceDrawsThem()
    {
        QFETCH(QString, name);
        QFETCH(int, fit);
        QFETCH(qint64, maxBytes);
        const bool pdf = name.endsWith(QLatin1String(".pdf"));
        if (QStandardPaths::findExecutable(pdf ? QStringLiteral("pdftoppm") : QStringLiteral("rsvg-convert")).isEmpty())
            QSKIP("the reference renderer is not installed");
        QTemporaryDir dir;
        const QString path = fidelity::write(name, dir.path());
        QVERIFY(!path.isEmpty());

        wzory::ImportOptions o;
        o.fit = wzory::Fit(fit);
        const wzory::ImportResult r = wzory::importDesign(path, o);
        const QImage ours = wmftest::render(wmf::Metafile::fromBytes(r.metafile), kW, kH);

        const QSizeF size = fidelity::designSize(path);
        QVERIFY(!size.isEmpty());
        const QRectF target = wzory::placement(size, QSizeF(kW, kH), wzory::Fit(fit));
        const QImage design = reference(path, pdf, int(std::lround(target.width())), int(std::lround(target.height())),
                                        dir);
        QVERIFY(!design.isNull());
        QImage expected(kW, kH, QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            QPainter p(&expected);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(target, design);
        }
        const double diff = meanDifference(ours, expected, kW / 2, kH / 2);
        qInfo("%s %s: mean colour difference %.2f %% (%lld B, %d shapes, %d bitmaps)", qPrintable(name),
              fit == int(wzory::Fit::Cover) ? "wypelnij" : "dopasuj", diff * 100, qlonglong(r.metafile.size()),
              r.stats.vectorRecords, r.stats.bitmapRecords);
        if (diff > 0.03) {
            ours.save(dir.filePath(QStringLiteral("ours.png")));
            expected.save(dir.filePath(QStringLiteral("expected.png")));
            dir.setAutoRemove(false);
            qInfo("pictures kept in %s", qPrintable(dir.path()));
        }
        QVERIFY(diff <= 0.03);
        // Gradient frames are bands of colour: well under the 32 MB limit.
        if (name.contains(QLatin1String("ram")))
            QVERIFY(r.metafile.size() <= 4 * 1024 * 1024);
        // Gradient strokes and text are bands too, not the reference's tiles.
        if (maxBytes > 0) {
            QCOMPARE(r.stats.bitmapRecords, 0);
            QVERIFY2(r.metafile.size() <= maxBytes, qPrintable(QString::number(r.metafile.size())));
        }
    }
};

QTEST_MAIN(TestWzoryFidelity)
#include "tst_wzory_fidelity.moc"
