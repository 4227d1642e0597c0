#include "RecordingPrinter.h"
#include "ScriptedPlatform.h"
#include "StartupDiploma.h"
#include "TinyTemplate.h"

#include "printing/Drukarka.h"
#include "printing/PrintCommand.h"
#include "printing/PrintDiploma.h"
#include "printing/PrintLayout.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace printing;

namespace {

// The start-up document with its texts filled in.
PrintInput startupDocument()
{
    PrintInput in;
    startupdiploma::setStyles(in);
    in.texts.heading = QStringLiteral("Dyplom");
    for (int k = 0; k < 6; ++k)
        in.texts.body[k] = QStringLiteral("linia %1").arg(k + 1);
    in.texts.recipient = QStringLiteral("Jan Kowalski");
    in.picture = wmf::Metafile::fromBytes(tinyTemplateBytes());
    return in;
}

// The print dialog's choice of a PDF file instead of a printer.
std::function<void(QPrinter &)> printsToPdf(const QString &file)
{
    return [file](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    };
}

QStringList fontCalls(int size, int height)
{
    return {QStringLiteral("colour 00000000"), QStringLiteral("name Times New Roman"), QStringLiteral("style 0"),
            QStringLiteral("size %1 height %2").arg(size).arg(height)};
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private slots:
    void gridIsZeroBeforeTheFirstCommand();
    void dotsPerMillimetre_data();
    void dotsPerMillimetre();
    void bodyLineSteps_data();
    void bodyLineSteps();
    void workedExample600Dpi();
    void sameDocumentAt300Dpi();
    void templateRectangles_data();
    void templateRectangles();
    void templateShiftMovesWithoutShrinking();
    void pageSizeDecidesTieRounding();
    void emptyLinesKeepTheirGaps();
    void negativeMarginsGoOffThePage();
    void styleAndColourReachTheDevice();
    void noPictureStillPrintsTexts();
    void printerBelow13DpiFailsBeforeAnyJob_data();
    void printerBelow13DpiFailsBeforeAnyJob();
    void failingTemplateStillPrintsTexts();
    void failingTextDropsTheJob();
    void gridIsRefilledByEveryCommand();
    void cancelledDialogPrintsNothing();
    void commandReportsFailuresThroughTheSeam();
};

void TestPrinting::gridIsZeroBeforeTheFirstCommand()
{
    const PrinterGrid &g = printerGrid();
    QCOMPARE(g.pageHeightMm, 0);
    QCOMPARE(g.pageWidthMm, 0);
    QCOMPARE(g.horizontalResolution(), 0);
    QCOMPARE(g.verticalResolution(), 0);
    QCOMPARE(g.printableHeight(), 0);
    QCOMPARE(g.printableWidth(), 0);
    QCOMPARE(g.horizontalDotsPerMm(), 0);
    QCOMPARE(g.verticalDotsPerMm(), 0);
}

void TestPrinting::dotsPerMillimetre_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("dots");
    const int table[][2] = {{72, 3},   {96, 4},   {150, 6},  {180, 7},  {200, 8},   {203, 8}, {240, 10},
                            {300, 12}, {360, 14}, {600, 24}, {720, 29}, {1200, 48}, {13, 1},  {12, 0}};
    for (const auto &row : table)
        QTest::addRow("%d dpi", row[0]) << row[0] << row[1];
}

void TestPrinting::dotsPerMillimetre()
{
    QFETCH(int, dpi);
    QFETCH(int, dots);
    QCOMPARE(printing::dotsPerMillimetre(dpi), dots);
}

void TestPrinting::bodyLineSteps_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("step");
    const int table[][2] = {{8, 5},   {10, 6},  {12, 7},  {14, 8},  {18, 11},
                            {20, 12}, {26, 15}, {36, 21}, {48, 28}, {72, 42}};
    for (const auto &row : table)
        QTest::addRow("%d pt", row[0]) << row[0] << row[1];
}

void TestPrinting::bodyLineSteps()
{
    QFETCH(int, size);
    QFETCH(int, step);
    QCOMPARE(editor::bodyLineStep(size), step);
}

void TestPrinting::workedExample600Dpi()
{
    RecordingPrinter printer(600, 600, 4760, 6814);
    printDiploma(printer, startupDocument());

    const PrinterGrid &g = printerGrid();
    QCOMPARE(g.horizontalResolution(), 600);
    QCOMPARE(g.verticalResolution(), 600);
    QCOMPARE(g.printableWidth(), 4760);
    QCOMPARE(g.printableHeight(), 6814);
    QCOMPARE(g.horizontalDotsPerMm(), 24);
    QCOMPARE(g.verticalDotsPerMm(), 24);
    QCOMPARE(g.pageWidthMm, 198);
    QCOMPARE(g.pageHeightMm, 284);

    QStringList expected{QStringLiteral("begin \"\""), QStringLiteral("picture 0 0 4760 6732")};
    expected << fontCalls(48, 400) << QStringLiteral("text 1896 1464 Dyplom");
    expected << fontCalls(26, 217);
    const int bodyY[] = {2928, 3288, 3648, 4008, 4368, 4728};
    for (int k = 0; k < 6; ++k)
        expected << QStringLiteral("text 1200 %1 linia %2").arg(bodyY[k]).arg(k + 1);
    expected << fontCalls(26, 217) << QStringLiteral("text 1200 2424 Jan Kowalski") << QStringLiteral("end");
    QCOMPARE(printer.calls, expected);
    QVERIFY(!printer.jobOpen);
}

void TestPrinting::sameDocumentAt300Dpi()
{
    RecordingPrinter printer(300, 300, 2380, 3407);
    printDiploma(printer, startupDocument());
    QCOMPARE(printerGrid().horizontalDotsPerMm(), 12);
    QCOMPARE(printerGrid().pageWidthMm, 198);
    QCOMPARE(printerGrid().pageHeightMm, 284);
    QCOMPARE(printer.calls.at(1), QStringLiteral("picture 0 0 2380 3366"));
    QCOMPARE(printer.calls.at(5), QStringLiteral("size 48 height 200"));
    QCOMPARE(printer.calls.at(6), QStringLiteral("text 948 732 Dyplom"));
    QCOMPARE(printer.texts().at(1), QStringLiteral("600 1464 linia 1"));
    QCOMPARE(printer.texts().at(6), QStringLiteral("600 2364 linia 6"));
    QCOMPARE(printer.texts().at(7), QStringLiteral("600 1212 Jan Kowalski"));
}

void TestPrinting::templateRectangles_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("bottom");
    QTest::newRow("600 dpi with margins") << 4760 << 6814 << 4760 << 6732;
    QTest::newRow("300 dpi with margins") << 2380 << 3407 << 2380 << 3366;
    QTest::newRow("borderless, width truncated") << 4961 << 7016 << 4960 << 7016;
    QTest::newRow("200 x 280") << 200 << 280 << 197 << 280;
    QTest::newRow("210 x 297") << 210 << 297 << 210 << 297;
    QTest::newRow("300 x 297") << 300 << 297 << 210 << 297;
    QTest::newRow("wide landscape") << 7016 << 4961 << 3507 << 4961;
}

void TestPrinting::templateRectangles()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, right);
    QFETCH(int, bottom);
    QCOMPARE(templateRectangle(width, height, 0, 0), (DeviceRect{0, 0, right, bottom}));
}

void TestPrinting::templateShiftMovesWithoutShrinking()
{
    RecordingPrinter printer(600, 600, 4760, 6814);
    PrintInput in = startupDocument();
    in.templateLeft = 5;
    in.templateTop = -3;
    printDiploma(printer, in);
    QCOMPARE(printer.calls.at(1), QStringLiteral("picture 60 -36 4820 6696"));
    // The texts do not move with the template.
    QCOMPARE(printer.texts().at(0), QStringLiteral("1896 1464 Dyplom"));
}

void TestPrinting::pageSizeDecidesTieRounding()
{
    // 4656 / 24 = 194 mm: 194 x 0.25 = 48.5 goes to 48; 198 mm gives 50.
    // 6792 / 24 = 283 mm: 283 x 140 / 280 = 141.5 goes to 142.
    PrintInput in = startupDocument();
    in.body.top = 140;
    RecordingPrinter narrow(600, 600, 4656, 6792);
    printDiploma(narrow, in);
    QCOMPARE(printerGrid().pageWidthMm, 194);
    QCOMPARE(printerGrid().pageHeightMm, 283);
    QCOMPARE(narrow.texts().at(1), QStringLiteral("%1 %2 linia 1").arg(48 * 24).arg(142 * 24));

    RecordingPrinter wide(600, 600, 4760, 6814);
    printDiploma(wide, in);
    QVERIFY(wide.texts().at(1).startsWith(QStringLiteral("%1 ").arg(50 * 24)));
}

void TestPrinting::emptyLinesKeepTheirGaps()
{
    RecordingPrinter printer(600, 600, 4760, 6814);
    PrintInput in = startupDocument();
    in.texts.heading.clear();
    in.texts.body[2].clear();
    in.texts.recipient.clear();
    printDiploma(printer, in);
    const QStringList texts = printer.texts();
    QCOMPARE(texts.size(), 8); // every text is written, empty or not
    QCOMPARE(texts.at(0), QStringLiteral("1896 1464 "));
    QCOMPARE(texts.at(3), QStringLiteral("1200 3648 "));
    QCOMPARE(texts.at(4), QStringLiteral("1200 4008 linia 4"));
    QCOMPARE(texts.at(7), QStringLiteral("1200 2424 "));
}

void TestPrinting::negativeMarginsGoOffThePage()
{
    RecordingPrinter printer(600, 600, 4760, 6814);
    PrintInput in = startupDocument();
    in.heading.left = -20;
    in.heading.top = -14;
    in.body.top = -30;
    printDiploma(printer, in);
    // -20 / 200 x 198 = -19.8 -> -20; -14 / 280 x 284 = -14.2 -> -14.
    QCOMPARE(printer.texts().at(0), QStringLiteral("-480 -336 Dyplom"));
    // -30 / 280 x 284 = -30.43 -> -30; lines at -30, -15, 0, 15 ...
    QCOMPARE(printer.texts().at(1), QStringLiteral("1200 -720 linia 1"));
    QCOMPARE(printer.texts().at(3), QStringLiteral("1200 0 linia 3"));
}

void TestPrinting::styleAndColourReachTheDevice()
{
    RecordingPrinter printer(600, 600, 4760, 6814);
    PrintInput in = startupDocument();
    in.heading.colour = 0x000000FF;
    in.heading.style = editor::FontStyle::Bold | editor::FontStyle::Underline;
    in.heading.fontName = QStringLiteral("Arial");
    in.recipient.colour = editor::WindowTextColour;
    in.recipient.size = 36;
    printDiploma(printer, in);
    QCOMPARE(printer.calls.mid(2, 4), (QStringList{QStringLiteral("colour 000000ff"), QStringLiteral("name Arial"),
                                                   QStringLiteral("style 5"), QStringLiteral("size 48 height 400")}));
    QCOMPARE(printer.calls.mid(17, 4),
             (QStringList{QStringLiteral("colour ff000008"), QStringLiteral("name Times New Roman"),
                          QStringLiteral("style 0"), QStringLiteral("size 36 height 300")}));
}

void TestPrinting::noPictureStillPrintsTexts()
{
    RecordingPrinter printer(600, 600, 4760, 6814);
    PrintInput in = startupDocument();
    in.picture = wmf::Metafile();
    printDiploma(printer, in);
    QCOMPARE(printer.calls.first(), QStringLiteral("begin \"\""));
    QVERIFY(!printer.calls.join('\n').contains(QLatin1String("picture")));
    QCOMPARE(printer.texts().size(), 8);
    QCOMPARE(printer.calls.last(), QStringLiteral("end"));
}

void TestPrinting::printerBelow13DpiFailsBeforeAnyJob_data()
{
    QTest::addColumn<int>("dpiX");
    QTest::addColumn<int>("dpiY");
    QTest::newRow("12 across") << 12 << 600;
    QTest::newRow("12 down") << 600 << 12;
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("negative") << -600 << -600;
}

void TestPrinting::printerBelow13DpiFailsBeforeAnyJob()
{
    QFETCH(int, dpiX);
    QFETCH(int, dpiY);
    RecordingPrinter printer(dpiX, dpiY, 4760, 6814);
    try {
        printDiploma(printer, startupDocument());
        QFAIL("no error");
    } catch (const PrintError &e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(QStringLiteral("13 punktów na cal")), e.what());
    }
    QVERIFY(printer.calls.isEmpty());
}

void TestPrinting::failingTemplateStillPrintsTexts()
{
    RecordingPrinter printer(600, 600, 4760, 6814);
    printer.onCall = [](const QString &line) {
        if (line.startsWith(QLatin1String("picture")))
            throw wmf::MetafileError("damaged template");
    };
    try {
        printDiploma(printer, startupDocument());
        QFAIL("no error");
    } catch (const wmf::MetafileError &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("damaged template"));
    }
    QCOMPARE(printer.texts().size(), 8);
    QCOMPARE(printer.calls.last(), QStringLiteral("end"));

    // A shift beyond the device's coordinates fails in the same section.
    RecordingPrinter far(600, 600, 4760, 6814);
    PrintInput in = startupDocument();
    in.templateLeft = 2000000000;
    QVERIFY_THROWS_EXCEPTION(PrintError, printDiploma(far, in));
    QCOMPARE(far.texts().size(), 8);
    QCOMPARE(far.calls.last(), QStringLiteral("end"));
}

void TestPrinting::failingTextDropsTheJob()
{
    RecordingPrinter printer(600, 600, 4760, 6814);
    printer.onCall = [](const QString &line) {
        if (line.contains(QLatin1String("linia 3")))
            throw std::runtime_error("device gone");
    };
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, printDiploma(printer, startupDocument()));
    QCOMPARE(printer.calls.last(), QStringLiteral("abort"));
    QVERIFY(!printer.jobOpen);

    printer.onCall = nullptr;
    printer.calls.clear();
    printDiploma(printer, startupDocument());
    QCOMPARE(printer.calls.first(), QStringLiteral("begin \"\""));
    QCOMPARE(printer.calls.last(), QStringLiteral("end"));
}

void TestPrinting::gridIsRefilledByEveryCommand()
{
    RecordingPrinter first(600, 600, 4760, 6814);
    printDiploma(first, startupDocument());
    RecordingPrinter second(300, 150, 2380, 1700);
    printDiploma(second, startupDocument());
    QCOMPARE(printerGrid().horizontalDotsPerMm(), 12);
    QCOMPARE(printerGrid().verticalDotsPerMm(), 6);
    QCOMPARE(printerGrid().pageWidthMm, 198);
    QCOMPARE(printerGrid().pageHeightMm, 283);
    QCOMPARE(second.calls.at(5), QStringLiteral("size 48 height 100"));
}

void TestPrinting::cancelledDialogPrintsNothing()
{
    ScriptedPlatform platform;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    platform.preparePrinter = printsToPdf(pdf);
    int gathered = 0;
    const auto gather = [&] {
        ++gathered;
        return startupDocument();
    };
    platform.printAnswers = {false};
    SpeedButton4Click(nullptr, gather);
    QCOMPARE(gathered, 0);
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(!QFile::exists(pdf));

    // The next command behaves as if nothing had happened.
    platform.printAnswers = {true};
    SpeedButton4Click(nullptr, gather);
    QCOMPARE(gathered, 1);
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(QFileInfo(pdf).size() > 0);
}

void TestPrinting::commandReportsFailuresThroughTheSeam()
{
    ScriptedPlatform platform;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    platform.preparePrinter = printsToPdf(pdf);
    PrintInput in = startupDocument();
    in.templateLeft = 2000000000;
    platform.printAnswers = {true};
    SpeedButton4Click(nullptr, [&] { return in; });
    QCOMPARE(platform.errors().size(), 1);
    QVERIFY(platform.errors().first().contains(QLatin1String("wzoru")));
    QVERIFY2(QFileInfo(pdf).size() > 0, "the sheet with the texts was not printed");

    // A job that cannot start is reported and prints nothing.
    const QString unwritable = dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
    platform.preparePrinter = printsToPdf(unwritable);
    platform.printAnswers = {true};
    SpeedButton4Click(nullptr, [&] { return startupDocument(); });
    QCOMPARE(platform.errors().size(), 2);
    QVERIFY(!QFile::exists(unwritable));
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
