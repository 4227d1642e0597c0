// The print command on real QPrinters: a PDF file and a CUPS queue.
#include "PdfTools.h"
#include "ScriptedPlatform.h"
#include "StartupDiploma.h"
#include "TinyTemplate.h"

#include "printing/Drukarka.h"
#include "printing/PrintCommand.h"
#include "printing/PrintLayout.h"
#include "printing/QtPrinterDevice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

using namespace printing;

namespace {

constexpr int Dpi = 600;
constexpr qreal MarginPoints = 12; // 100 dots at 600 dpi on every side

struct Word {
    QString text;
    QRectF box; // points, origin top-left of the sheet
};

QList<Word> wordsOf(const QString &pdf)
{
    const QString html = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression re(QStringLiteral(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}

// The template shipped with the program, or a small one of our own.
QByteArray templateBytes()
{
    const QDir wzory(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory"));
    for (const QString &name : wzory.entryList({QStringLiteral("*.wmf")}, QDir::Files, QDir::Name)) {
        if (name.compare(QStringLiteral("BDR_0001.wmf"), Qt::CaseInsensitive) == 0) {
            QFile f(wzory.filePath(name));
            if (f.open(QIODevice::ReadOnly))
                return f.readAll();
        }
    }
    return tinyTemplateBytes();
}

const QStringList BodyWords{QStringLiteral("Pierwsza"), QStringLiteral("Druga"), QStringLiteral("Trzecia"),
                            QStringLiteral("Czwarta"),  QStringLiteral("Piąta"), QStringLiteral("Szósta")};

PrintInput startupDocument()
{
    PrintInput in;
    startupdiploma::setStyles(in);
    in.texts.heading = QStringLiteral("Dyplom");
    for (int k = 0; k < 6; ++k)
        in.texts.body[k] = BodyWords[k];
    in.texts.recipient = QStringLiteral("Kowalski");
    in.picture = wmf::Metafile::fromBytes(templateBytes());
    return in;
}

void setUpPdf(QPrinter &printer, const QString &file)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setResolution(Dpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(MarginPoints, MarginPoints, MarginPoints, MarginPoints), QPageLayout::Point);
}

// Share of non-white pixels in a rendering of the first page.
double inkShare(const QString &pdf, const QString &dir)
{
    const QString stem = dir + QStringLiteral("/render");
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, stem});
    const QImage image(stem + QStringLiteral(".png"));
    if (image.isNull())
        return -1;
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200)
                ++ink;
    return double(ink) / (qint64(image.width()) * image.height());
}

} // namespace

class TestPrintPdf : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void deviceMeasuresThePrintableArea();
    void pdfHoldsTextsWhereTheGridPutsThem();
    void droppedJobLeavesThePrinterUsable();
    void printsThroughACupsQueue();

private:
    bool havePoppler_ = false;
};

void TestPrintPdf::initTestCase()
{
    int code = 0;
    runTool(QStringLiteral("pdftotext"), {QStringLiteral("-v")}, &code);
    havePoppler_ = code == 0;
}

void TestPrintPdf::deviceMeasuresThePrintableArea()
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, dir.filePath(QStringLiteral("m.pdf")));
    QtPrinterDevice device(printer);
    QCOMPARE(device.logPixelsX(), 600);
    QCOMPARE(device.logPixelsY(), 600);
    // Qt's A4 is 595 x 842 points: 4958 x 7017 dots, less 100 on each side.
    QCOMPARE(device.horzRes(), 4758);
    QCOMPARE(device.vertRes(), 6817);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    QCOMPARE(device.horzRes(), 4958);
    QCOMPARE(device.vertRes(), 7017);
}

void TestPrintPdf::pdfHoldsTextsWhereTheGridPutsThem()
{
    if (!havePoppler_)
        QSKIP("pdftotext (poppler-utils) is not installed");
    ScriptedPlatform platform;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("dyplom.pdf"));
    platform.printAnswers = {true};
    platform.preparePrinter = [&](QPrinter &printer) { setUpPdf(printer, pdf); };
    const PrintInput input = startupDocument();
    SpeedButton4Click(nullptr, [&] { return input; });
    QVERIFY2(platform.errors().isEmpty(), qPrintable(platform.errors().join('\n')));

    // 4758 x 6817 dots make a 198 x 284 mm grid, as in the 4760 x 6814 case:
    // heading at (1896, 1464), body lines at x 1200 from y 2928 in steps of
    // 360, recipient at (1200, 2424); the printable area starts 100 dots in.
    const auto toPoints = [](int dots) { return (100 + dots) * 72.0 / Dpi; };
    struct Expected {
        QString word;
        int x, y;
    };
    QList<Expected> expected{{QStringLiteral("Dyplom"), 1896, 1464}, {QStringLiteral("Kowalski"), 1200, 2424}};
    for (int k = 0; k < 6; ++k)
        expected.append({BodyWords[k], 1200, 2928 + 360 * k});

    const QList<Word> words = wordsOf(pdf);
    const qreal halfMillimetre = 72.0 / 25.4 / 2;
    for (const Expected &e : expected) {
        const auto it = std::find_if(words.begin(), words.end(), [&](const Word &w) { return w.text == e.word; });
        QVERIFY2(it != words.end(), qPrintable(QStringLiteral("%1 missing from the PDF").arg(e.word)));
        QVERIFY2(qAbs(it->box.left() - toPoints(e.x)) <= halfMillimetre,
                 qPrintable(QStringLiteral("%1 x %2, expected %3").arg(e.word).arg(it->box.left()).arg(toPoints(e.x))));
        QVERIFY2(qAbs(it->box.top() - toPoints(e.y)) <= halfMillimetre,
                 qPrintable(QStringLiteral("%1 y %2, expected %3").arg(e.word).arg(it->box.top()).arg(toPoints(e.y))));
    }
    // Heading 48 pt, body 26 pt: the word boxes are about that high.
    const auto heading = std::find_if(words.begin(), words.end(), [](const Word &w) { return w.text == "Dyplom"; });
    QVERIFY(heading->box.height() > 40 && heading->box.height() < 64);

    // The template is vector drawing: no image covering a large part of the sheet.
    int code = 0;
    const QStringList images =
        runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}, &code).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(code, 0);
    for (const QString &line : images.mid(2)) {
        const QStringList cols = line.simplified().split(' ');
        QVERIFY(cols.size() > 13);
        const double inchesWide = cols[3].toDouble() / qMax(1.0, cols[12].toDouble());
        const double inchesHigh = cols[4].toDouble() / qMax(1.0, cols[13].toDouble());
        QVERIFY2(inchesWide * inchesHigh < 8.27 * 11.69 / 4, qPrintable(QStringLiteral("raster image: ") + line));
    }

    // The template shows in the rendering beyond the texts alone.
    QVERIFY(inkShare(pdf, dir.path()) > 0.005);
}

void TestPrintPdf::droppedJobLeavesThePrinterUsable()
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, dir.filePath(QStringLiteral("first.pdf")));
    QtPrinterDevice device(printer);
    device.beginJob(QString());
    device.setFontSize(20);
    device.textOut(100, 100, QStringLiteral("przerwany"));
    device.abortJob();
    QVERIFY(!device.jobOpen());

    const QString second = dir.filePath(QStringLiteral("second.pdf"));
    printer.setOutputFileName(second);
    device.beginJob(QString());
    device.textOut(100, 100, QStringLiteral("kolejny"));
    device.endJob();
    QVERIFY(QFileInfo(second).size() > 0);
    if (havePoppler_)
        QVERIFY(runTool(QStringLiteral("pdftotext"), {second, QStringLiteral("-")}).contains(QLatin1String("kolejny")));
}

void TestPrintPdf::printsThroughACupsQueue()
{
    if (!havePoppler_)
        QSKIP("pdftoppm (poppler-utils) is not installed: the printed page cannot be looked at");
    const QString queue = QStringLiteral("DyplomPDF");
    const CupsPdfQueue cups = setUpCupsPdfQueue(queue);
    if (!cups.skipReason.isEmpty())
        QSKIP(qPrintable(cups.skipReason));
    QCOMPARE(cups.status, 0);
    const QString outDir = cups.outDir;
    QVERIFY(!outDir.isEmpty());
    QVERIFY2(QPrinterInfo::availablePrinterNames().contains(queue), "Qt does not see the CUPS queue");

    QDir out(outDir);
    const QStringList before = out.exists() ? out.entryList({QStringLiteral("*.pdf")}, QDir::Files) : QStringList();

    ScriptedPlatform platform;
    platform.printAnswers = {true};
    QRect paintRect;
    int resolution = 0;
    platform.preparePrinter = [&](QPrinter &printer) {
        printer.setPrinterName(queue);
        printer.setPageSize(QPageSize(QPageSize::A4));
        resolution = printer.resolution();
        paintRect = printer.pageLayout().paintRectPixels(resolution);
    };
    SpeedButton4Click(nullptr, [] { return startupDocument(); });
    QVERIFY2(platform.errors().isEmpty(), qPrintable(platform.errors().join('\n')));
    QVERIFY(resolution > 0);

    const QString produced = awaitNewPdf(out, before);
    QVERIFY2(!produced.isEmpty(), qPrintable(QStringLiteral("no PDF appeared in %1 within 60 s").arg(outDir)));
    const auto cleanup = qScopeGuard([&] { QFile::remove(produced); });

    // Ghostscript re-renders the page (the texts come back as Type 3
    // glyphs), so the page is checked as a picture: ink where each text's
    // cell starts, at 72 dpi so that one pixel is one point.
    QTemporaryDir dir;
    QVERIFY(inkShare(produced, dir.path()) > 0.001);
    const QString stem = dir.filePath(QStringLiteral("page72"));
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), produced, stem});
    const QImage page(stem + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    const PrinterGrid &grid = printerGrid();
    QCOMPARE(grid.horizontalResolution(), resolution);
    const PrintInput input = startupDocument();
    const auto inkAt = [&](const editor::TextBlockStyle &s, int line) {
        const int step = line * editor::bodyLineStep(s.size) * grid.verticalDotsPerMm();
        const qreal x = (paintRect.left() + blockX(grid.pageWidthMm, s.left) * grid.horizontalDotsPerMm()) * 72.0
                        / resolution;
        const qreal y = (paintRect.top() + blockY(grid.pageHeightMm, s.top) * grid.verticalDotsPerMm() + step) * 72.0
                        / resolution;
        const QRect box = QRectF(x, y + s.size * 0.2, s.size * 1.5, s.size * 0.6).toRect() & page.rect();
        int dark = 0;
        for (int py = box.top(); py <= box.bottom(); ++py)
            for (int px = box.left(); px <= box.right(); ++px)
                dark += qGray(page.pixel(px, py)) < 128;
        return double(dark) / qMax(1, box.width() * box.height());
    };
    QVERIFY2(inkAt(input.heading, 0) > 0.05, "no heading on the page from CUPS");
    QVERIFY2(inkAt(input.recipient, 0) > 0.05, "no recipient on the page from CUPS");
    for (int k = 0; k < 6; ++k)
        QVERIFY2(inkAt(input.body, k) > 0.05, qPrintable(QStringLiteral("no body line %1 from CUPS").arg(k + 1)));
    // Between the recipient and the first body line the sheet stays clear.
    editor::TextBlockStyle gap = input.body;
    gap.top = 111;
    QVERIFY(inkAt(gap, 0) < 0.01);
}

QTEST_MAIN(TestPrintPdf)
#include "tst_printpdf.moc"
