// dyplom-druk as a program: outputs, lists, errors and exit statuses, and
// its layout against the print command's.
#include "RecordingPrinter.h"
#include "druk/Run.h"
#include "batch/compose/PrintPages.h"
#include "ProgramRun.h"
#include "FileBytes.h"
#include "PdfFacts.h"
#include "PdfTools.h"
#include "ScriptedPlatform.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"

#include "batch/compose/PageTargets.h"
#include "batch/output/StagedOutputs.h"
#include "diplomafile/DiplomaRecord.h"
#include "printing/PrintDiploma.h"
#include "printing/SheetDevice.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QImageReader>
#include <QScopeGuard>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

using Result = ProgramResult;

// Runs the real program. No XDG_RUNTIME_DIR, as in a cron job or a bare
// terminal: the toolkit's notice about it must not reach stderr, which
// holds only the program's own lines. childSetup runs in the child.
// The system's temporary folder as the runs see it, so that a test can
// tell what they leave behind there.
QString scratchRoot()
{
    static const QTemporaryDir root;
    return root.path();
}

// What the runs' own scratch folders left there (the toolkit keeps a
// runtime folder of its own there too).
QStringList leftInScratchRoot()
{
    return QDir(scratchRoot()).entryList({QStringLiteral("dyplom-druk*")}, QDir::AllEntries | QDir::Hidden);
}

QProcessEnvironment drukEnvironment(const QString &tmpDir = scratchRoot())
{
    QProcessEnvironment env = environmentWithoutRuntimeDir();
    env.insert(QStringLiteral("TMPDIR"), tmpDir);
    return env;
}

Result runDruk(const QStringList &args, const std::function<void()> &childSetup = {},
               const QString &tmpDir = scratchRoot())
{
    return runProgram(builtProgram(QStringLiteral("dyplom-druk")), args, drukEnvironment(tmpDir), childSetup);
}

int pageCount(const QString &pdf)
{
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(runTool(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

diplomafile::DiplomaContent startupContent()
{
    diplomafile::DiplomaContent c;
    startupdiploma::setStyles(c);
    c.templateNumber = 1;
    c.texts.heading = QStringLiteral("Dyplom");
    c.texts.body[0] = QStringLiteral("za wybitne osiągnięcia");
    c.texts.body[3] = QStringLiteral("Dyrektor");
    c.texts.recipient = QStringLiteral("Jan Kowalski");
    return c;
}

// A list of count names with Polish letters, one a line.
QStringList polishNames(int count)
{
    QStringList names;
    for (int k = 1; k <= count; ++k)
        names << QStringLiteral("Zażółć%1 Gęślą-Jaźń").arg(k);
    return names;
}

// Files a run may leave behind besides its outputs: none.
QStringList temporaryFilesIn(const QString &dir)
{
    QStringList found;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        if (QFileInfo(f).fileName().startsWith(QLatin1String(".dyplom-druk")))
            found.append(f);
    }
    return found;
}

QByteArray shippedTemplate()
{
    QFile f(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory/BDR_0001.wmf"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestDruk : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void layoutMatchesThePrintCommand();
    void sheetDeviceIsTheDescribedPrinter();
    void thirtyNamesGiveThirtyPages();
    void listHoldsTheTemplateOnce();
    void pageLooksAsWithTheTemplateDrawnOnIt();
    void csvReplacesTexts();
    void separateFilesAreNamedAfterRecipients();
    void pngPicturesFollowDpi();
    void catalogueShowsEveryTemplate();
    void longNameIsWarnedAbout();
    void errorsNameTheFile_data();
    void errorsNameTheFile();
    void failedRunLeavesNothing();
    void outputNeverReplacesAnInput_data();
    void outputNeverReplacesAnInput();
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void fullScratchFolderFailsTheOutput();
    void fileSizeLimitIsReported_data();
    void fileSizeLimitIsReported();
    void layoutTextOffThePageIsWarnedOnce_data();
    void layoutTextOffThePageIsWarnedOnce();
    void listLineBreaksAndControlBytes();
    void longNonLatinNamesMakeFiles();
    void printsNoToolkitNoise();
    void interruptedRunLeavesNothing();
    void helpInBothLanguages();
    void listGoesToACupsQueueAsOneJob();
    void progressShowsOnATerminal();

private:
    std::unique_ptr<TempProgramDir> dir_;
    bool poppler_ = false;
};

void TestDruk::init()
{
    dir_ = std::make_unique<TempProgramDir>(QStringList{QStringLiteral("wzory")});
    const QByteArray wmf = shippedTemplate();
    if (wmf.isEmpty())
        QSKIP("data/Wzory/BDR_0001.wmf is not there");
    // Lower-case folder and name: looked up without regard to letter case.
    writeBytes(dir_->file(QStringLiteral("wzory/bdr_0001.WMF")), wmf);
    writeBytes(dir_->file(QStringLiteral("wzory/BDR_0002.wmf")), wmf);
    writeBytes(dir_->file(QStringLiteral("d.dyp")), diplomafile::buildDiplomaRecord(startupContent()));
    poppler_ = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

void TestDruk::cleanup()
{
    dir_.reset();
}

void TestDruk::layoutMatchesThePrintCommand()
{
    druk::Options options;
    options.diploma = dir_->file(QStringLiteral("d.dyp"));
    options.templateLeft = 5;
    options.templateTop = -3;
    const QList<batch::Page> pages = druk::loadPages(options);
    QCOMPARE(pages.size(), 1);

    // What the editor hands to its print command for the same diploma.
    const diplomafile::DiplomaContent c = startupContent();
    printing::PrintInput editor;
    editor.texts = c.texts;
    editor.heading = c.heading;
    editor.body = c.body;
    editor.recipient = c.recipient;
    editor.picture = wmf::Metafile::fromBytes(shippedTemplate());
    editor.templateLeft = 5;
    editor.templateTop = -3;

    RecordingPrinter viaCommand(600, 600, 4961, 7016);
    printing::printDiploma(viaCommand, editor);
    RecordingPrinter viaDruk(600, 600, 4961, 7016);
    batch::printPages(viaDruk, pages, {});
    QCOMPARE(viaDruk.calls, viaCommand.calls);
    QCOMPARE(viaDruk.calls.at(1), QStringLiteral("picture 60 -36 5020 6980"));
}

void TestDruk::sheetDeviceIsTheDescribedPrinter()
{
    const printing::SheetGeometry whole = printing::SheetGeometry::a4(600);
    QCOMPARE(whole.sheet, QSize(4961, 7016));
    QCOMPARE(whole.printable, QRect(0, 0, 4961, 7016));
    // 4.2 mm margins on a 300 dpi printer.
    const printing::SheetGeometry inset = printing::SheetGeometry::a4(300, QRectF(4.2, 4.2, 201.6, 288.6));
    QCOMPARE(inset.printable, QRect(50, 50, 2381, 3408));
}

void TestDruk::thirtyNamesGiveThirtyPages()
{
    if (!poppler_)
        QSKIP("poppler-utils are not installed");
    QStringList names;
    for (int k = 1; k <= 30; ++k)
        names << QStringLiteral("Uczeń%1 Nazwisko%1").arg(k);
    writeBytes(dir_->file(QStringLiteral("klasa.txt")),
               (QStringLiteral("\n") + names.join(QStringLiteral("\n\n"))).toUtf8());
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("klasa.txt"),
                              QStringLiteral("-o"), QStringLiteral("klasa.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    // No progress line when stderr is not a terminal: only the closing summary.
    QCOMPARE(r.err, QStringLiteral("dyplom-druk: przeczytano 30 wierszy: 30 stron, pominięto 0\n"));
    QCOMPARE(pageCount(dir_->file(QStringLiteral("klasa.pdf"))), 30);

    // Whole sheet at 600 dpi: 207 x 292 mm; the recipient at 52 / 104 mm,
    // that is dots (1248, 2496), 149.76 / 299.52 points.
    const QString html = runTool(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-bbox"), QStringLiteral("klasa.pdf"), QStringLiteral("-")});
    const QStringList pagesHtml = html.split(QStringLiteral("<page "));
    QCOMPARE(pagesHtml.size(), 31);
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="[-\d.]+" yMax="[-\d.]+">(Uczeń\d+)</word>)re"));
    for (int k = 1; k <= 30; ++k) {
        const auto m = word.match(pagesHtml[k]);
        QVERIFY2(m.hasMatch(), qPrintable(QStringLiteral("page %1 has no name").arg(k)));
        QCOMPARE(m.captured(3), QStringLiteral("Uczeń%1").arg(k));
        QVERIFY(qAbs(m.captured(1).toDouble() - 149.76) < 1.4);
        QVERIFY(qAbs(m.captured(2).toDouble() - 299.52) < 1.4);
    }
    // The template is drawn as vectors on every page: no pictures at all.
    QCOMPARE(runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), QStringLiteral("klasa.pdf")}).count('\n'), 2);
}

void TestDruk::listHoldsTheTemplateOnce()
{
    if (!poppler_)
        QSKIP("poppler-utils are not installed");
    qint64 sizes[2] = {};
    for (int run = 0; run < 2; ++run) {
        const int count = 10 * (run + 1);
        writeBytes(dir_->file(QStringLiteral("n.txt")), polishNames(count).join(QLatin1Char('\n')).toUtf8());
        const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                                  QStringLiteral("-o"), QStringLiteral("k.pdf")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QString pdf = dir_->file(QStringLiteral("k.pdf"));
        sizes[run] = QFileInfo(pdf).size();
        QCOMPARE(pageCount(pdf), count);
        QCOMPARE(formXObjectCount(pdf), 1);
    }
    // Ten more names cost their texts, not ten more drawings of a template
    // that alone takes well over 100 kB.
    const qint64 perName = (sizes[1] - sizes[0]) / 10;
    QVERIFY2(perName < 4000, qPrintable(QStringLiteral("%1 bytes per name").arg(perName)));
    QVERIFY2(sizes[1] < 250000, qPrintable(QString::number(sizes[1])));

    // Every name on its own page, Polish letters intact.
    const QString pdf = dir_->file(QStringLiteral("k.pdf"));
    const QStringList texts = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).split(QLatin1Char('\f'));
    const QStringList names = polishNames(20);
    for (int k = 0; k < 20; ++k)
        QVERIFY2(texts.value(k).contains(names[k]), qPrintable(texts.value(k)));

    // The template beneath the first, a middle and the last page: template
    // 1 inks its frame, far from every text.
    for (int page : {1, 10, 20}) {
        const QImage image = renderPage(pdf, page, 30);
        QVERIFY(!image.isNull());
        QVERIFY2(inkShare(image, QRect(0, 0, image.width(), image.height() / 12)) > 0.1,
                 qPrintable(QStringLiteral("page %1: %2").arg(page).arg(inkShare(image, image.rect()))));
    }

    // Fonts once per file, embedded with their Unicode map, and only the
    // glyphs used: a whole Liberation or DejaVu face is 300 to 700 kB.
    const QStringList fonts =
        runTool(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    QVERIFY(!fonts.isEmpty());
    QStringList seen;
    for (const QString &line : fonts) {
        const QString name = line.section(QLatin1Char(' '), 0, 0);
        QVERIFY2(!seen.contains(name), qPrintable(line));
        seen << name;
        QVERIFY2(line.contains(QRegularExpression(QStringLiteral("yes\\s+\\S+\\s+yes\\s+\\d+\\s+0$"))), qPrintable(line));
    }
    const QList<qint64> programs = embeddedFontSizes(pdf);
    QCOMPARE(programs.size(), fonts.size());
    for (qint64 size : programs)
        QVERIFY2(size < 60000, qPrintable(QString::number(size)));
}

void TestDruk::pageLooksAsWithTheTemplateDrawnOnIt()
{
    if (!poppler_)
        QSKIP("poppler-utils are not installed");
    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna Nowak\nJan Kowalski\nŻaneta Źdźbło\n");
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                              QStringLiteral("-o"), QStringLiteral("k.pdf"), QStringLiteral("--margin-wz-l"),
                              QStringLiteral("4"), QStringLiteral("--obszar"), QStringLiteral("200x287+5+5")});
    QVERIFY2(r.status == 0, qPrintable(r.err));

    // The same pages with the template drawn on each, as they always were.
    druk::Options options;
    options.diploma = dir_->file(QStringLiteral("d.dyp"));
    options.list = dir_->file(QStringLiteral("n.txt"));
    options.templateLeft = 4;
    const QList<batch::Page> pages = druk::loadPages(options);
    const printing::SheetGeometry geometry = printing::SheetGeometry::a4(600, QRectF(5, 5, 200, 287));
    {
        batch::StagedOutputs outputs;
        batch::PdfTarget target(outputs.stage(dir_->file(QStringLiteral("direct.pdf"))), geometry);
        printing::SheetDevice device(geometry, target);
        batch::printPages(device, pages, {});
        target.finish();
        outputs.commitAll();
    }

    // Both rendered at 150 dpi agree up to antialiasing: the same shapes
    // and glyphs reach poppler in the same places, only the texts' white
    // cells now cover a drawing in a form of its own, so an edge pixel may
    // blend a little differently. Allowed: 1 in 2000 pixels off by more
    // than 64 levels (an edge, not a missing or moved drawing, which would
    // change tens of thousands).
    for (int page : {1, 3}) {
        const QImage composed = renderPage(dir_->file(QStringLiteral("k.pdf")), page, 150);
        const QImage direct = renderPage(dir_->file(QStringLiteral("direct.pdf")), page, 150);
        QVERIFY(!composed.isNull() && !direct.isNull());
        // The composed page has A4's exact size, the toolkit's whole points:
        // a pixel more at the right or bottom edge, nothing moved.
        const QSize common = composed.size().boundedTo(direct.size());
        QVERIFY(qAbs(composed.width() - direct.width()) <= 1 && qAbs(composed.height() - direct.height()) <= 1);
        const PixelDifference d = compareImages(composed.copy(QRect(QPoint(), common)),
                                                direct.copy(QRect(QPoint(), common)), 64);
        const qint64 allowed = qint64(direct.width()) * direct.height() / 2000;
        QVERIFY2(
            d.beyond >= 0 && d.beyond <= allowed,
            qPrintable(QStringLiteral("page %1: %2 pixels beyond, largest %3").arg(page).arg(d.beyond).arg(d.largest)));
        qInfo("page %d: %lld pixels beyond 64 levels, largest difference %d", page, d.beyond, d.largest);
    }
}

void TestDruk::csvReplacesTexts()
{
    writeBytes(dir_->file(QStringLiteral("lista.csv")),
               "naglowek;dla;tresc1\nDyplom uznania;\"Nowak; Anna\";za udział w konkursie\n;Jan Kowalski;\n");
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("lista.csv"),
                              QStringLiteral("-o"), QStringLiteral("lista.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    if (!poppler_)
        return;
    const QString text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("lista.pdf"), QStringLiteral("-")});
    QVERIFY(text.contains(QStringLiteral("Dyplom uznania")));
    QVERIFY(text.contains(QStringLiteral("Nowak; Anna")));
    QVERIFY(text.contains(QStringLiteral("za udział w konkursie")));
    QVERIFY(text.contains(QStringLiteral("Dyrektor"))); // not a column: the diploma's own line stays
    QCOMPARE(pageCount(dir_->file(QStringLiteral("lista.pdf"))), 2);

    // Saved by a spreadsheet on a Polish Windows: Windows-1250, no header.
    writeBytes(dir_->file(QStringLiteral("win.csv")), "J\xF3zef \xA3\xEA"
                                                      "cki;Dyplom \xBF\xF3\xB3tej klasy\r\n");
    const Result w = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("win.csv"),
                              QStringLiteral("--bez-naglowka"), QStringLiteral("-o"), QStringLiteral("win.pdf")});
    QVERIFY2(w.status == 0, qPrintable(w.err));
    const QString winText = runTool(QStringLiteral("pdftotext"), {QStringLiteral("win.pdf"), QStringLiteral("-")});
    QVERIFY2(winText.contains(QStringLiteral("Józef Łęcki")) && winText.contains(QStringLiteral("Dyplom żółtej")),
             qPrintable(winText));
}

void TestDruk::separateFilesAreNamedAfterRecipients()
{
    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna Nowak\nJan/Kowalski\nanna nowak\n");
    const QStringList args{QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                           QStringLiteral("--osobno"), QStringLiteral("pdf")};
    Result r = runDruk(args);
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QDir out(dir_->file(QStringLiteral("pdf")));
    QCOMPARE(out.entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("Anna Nowak.pdf"), QStringLiteral("Jan_Kowalski.pdf"),
                          QStringLiteral("anna nowak (2).pdf")}));
    const QDateTime before = QFileInfo(out.filePath(QStringLiteral("Anna Nowak.pdf"))).lastModified();
    if (poppler_) // each file carries its own template
        for (const QString &name : out.entryList(QDir::Files)) {
            QCOMPARE(formXObjectCount(out.filePath(name)), 1);
            QVERIFY(asksForActualSize(out.filePath(name))); // a viewer prints it unscaled
            const QImage image = renderPage(out.filePath(name), 1, 30);
            QVERIFY2(inkShare(image, QRect(0, 0, image.width(), image.height() / 12)) > 0.1, qPrintable(name));
        }

    // A second run refuses to overwrite, and writes nothing at all.
    QFile::remove(out.filePath(QStringLiteral("Jan_Kowalski.pdf")));
    r = runDruk(args);
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("Anna Nowak.pdf")) && r.err.contains(QStringLiteral("--nadpisz")),
             qPrintable(r.err));
    QVERIFY(!out.exists(QStringLiteral("Jan_Kowalski.pdf")));
    QCOMPARE(QFileInfo(out.filePath(QStringLiteral("Anna Nowak.pdf"))).lastModified(), before);

    r = runDruk(args + QStringList{QStringLiteral("--nadpisz")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(out.entryList(QDir::Files).size(), 3);
}

void TestDruk::pngPicturesFollowDpi()
{
    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna\nJan\n");
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                              QStringLiteral("--png"), QStringLiteral("png"), QStringLiteral("--dpi"),
                              QStringLiteral("100")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QDir out(dir_->file(QStringLiteral("png")));
    QCOMPARE(out.entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("strona-001.png"), QStringLiteral("strona-002.png")}));
    // A4 at 100 dpi.
    QCOMPARE(QImageReader(out.filePath(QStringLiteral("strona-002.png"))).size(), QSize(827, 1169));
}

void TestDruk::catalogueShowsEveryTemplate()
{
    for (int n = 3; n <= 10; ++n)
        writeBytes(dir_->file(QStringLiteral("wzory/BDR_%1.wmf").arg(n, 4, 10, QLatin1Char('0'))), shippedTemplate());
    writeBytes(dir_->file(QStringLiteral("wzory/BDR_0011.wmf")), "to nie jest metaplik, tylko tekst");
    const Result r = runDruk({QStringLiteral("--katalog"), QStringLiteral("katalog.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("BDR_0011.wmf")), qPrintable(r.err)); // the damaged one is named
    if (!poppler_)
        return;
    QCOMPARE(pageCount(dir_->file(QStringLiteral("katalog.pdf"))), 2);
    QVERIFY(runTool(QStringLiteral("pdfinfo"), {QStringLiteral("katalog.pdf")})
                .contains(QStringLiteral("Title:           Katalog wzorów dyplomów\n")));
    const QString text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("katalog.pdf"), QStringLiteral("-")});
    for (int n = 1; n <= 11; ++n)
        QVERIFY2(text.contains(QStringLiteral("Wzór nr %1 ").arg(n)), qPrintable(QString::number(n)));
}

void TestDruk::longNameIsWarnedAbout()
{
    writeBytes(dir_->file(QStringLiteral("n.txt")),
               "Anna Nowak\nKonstanty Ildefons Gałczyński-Wielkopolski herbu Trzy Trąby i Półtora Krzyża\n");
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                              QStringLiteral("-o"), QStringLiteral("x.pdf"), QStringLiteral("--png"),
                              QStringLiteral("p")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err.count(QStringLiteral("poza obszar")), 1); // once, not once per output
    QVERIFY2(r.err.contains(QStringLiteral("rekord 2 (wiersz 2")), qPrintable(r.err));
    QVERIFY(!r.err.contains(QStringLiteral("Anna")));

    // The list does not go through the record: nothing is cut to its 50 characters.
    druk::Options options;
    options.diploma = dir_->file(QStringLiteral("d.dyp"));
    options.list = dir_->file(QStringLiteral("n.txt"));
    const QList<batch::Page> pages = druk::loadPages(options);
    QCOMPARE(pages.size(), 2);
    QCOMPARE(pages[1].input.texts.recipient,
             QStringLiteral("Konstanty Ildefons Gałczyński-Wielkopolski herbu Trzy Trąby i Półtora Krzyża"));
    QCOMPARE(pages[1].line, 2);
}

void TestDruk::errorsNameTheFile_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("names");
    QTest::newRow("no arguments") << QStringList{} << 2 << QStringLiteral("--help");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-x")} << 2
                                    << QStringLiteral("-x");
    QTest::newRow("missing diploma") << QStringList{QStringLiteral("brak.dyp"), QStringLiteral("-o"),
                                                    QStringLiteral("x.pdf")}
                                     << 1 << QStringLiteral("brak.dyp");
    QTest::newRow("damaged diploma") << QStringList{QStringLiteral("short.dyp"), QStringLiteral("-o"),
                                                    QStringLiteral("x.pdf")}
                                     << 1 << QStringLiteral("short.dyp");
    QTest::newRow("missing template") << QStringList{QStringLiteral("t7.dyp"), QStringLiteral("-o"),
                                                     QStringLiteral("x.pdf")}
                                      << 1 << QStringLiteral("BDR_0007.wmf");
    QTest::newRow("damaged template") << QStringList{QStringLiteral("t9.dyp"), QStringLiteral("-o"),
                                                     QStringLiteral("x.pdf")}
                                      << 1 << QStringLiteral("BDR_0009.wmf");
    QTest::newRow("missing list") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("--lista"),
                                                 QStringLiteral("brak.txt"), QStringLiteral("-o"),
                                                 QStringLiteral("x.pdf")}
                                  << 1 << QStringLiteral("brak.txt");
    QTest::newRow("CSV header of unknown columns")
        << QStringList{QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("klasa.csv"),
                       QStringLiteral("-o"), QStringLiteral("x.pdf")}
        << 1 << QStringLiteral("klasa.csv: wiersz 1");
    QTest::newRow("list is a folder") << QStringList{
        QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("wzory"), QStringLiteral("-o"),
        QStringLiteral("x.pdf")} << 1 << QStringLiteral("wzory");
    QTest::newRow("bad list row") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("--lista"),
                                                 QStringLiteral("zla.csv"), QStringLiteral("-o"), QStringLiteral("x.pdf")}
                                  << 1 << QStringLiteral("zla.csv: wiersz 3");
    QTest::newRow("unwritable output") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"),
                                                      QStringLiteral("nie/ma/x.pdf")}
                                       << 1 << QStringLiteral("nie/ma/x.pdf");
    QTest::newRow("no such printer") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-P"),
                                                    QStringLiteral("NieMaTakiejDrukarki")}
                                     << 1 << QStringLiteral("NieMaTakiejDrukarki");
    // Named: without templates ./wzory is no catalogue, and the installed one would serve.
    QTest::newRow("empty catalogue") << QStringList{QStringLiteral("--katalog"), QStringLiteral("k.pdf"),
                                                    QStringLiteral("--wzory"), QStringLiteral("wzory")}
                                     << 1 << QStringLiteral("brak wzorów");
}

void TestDruk::errorsNameTheFile()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, names);
    writeBytes(dir_->file(QStringLiteral("short.dyp")), diplomafile::buildDiplomaRecord(startupContent()).left(500));
    diplomafile::DiplomaContent c = startupContent();
    c.templateNumber = 7;
    writeBytes(dir_->file(QStringLiteral("t7.dyp")), diplomafile::buildDiplomaRecord(c));
    c.templateNumber = 9;
    writeBytes(dir_->file(QStringLiteral("t9.dyp")), diplomafile::buildDiplomaRecord(c));
    writeBytes(dir_->file(QStringLiteral("wzory/BDR_0009.wmf")), QByteArray(64, 'x'));
    writeBytes(dir_->file(QStringLiteral("zla.csv")), "dla;tresc1\nAnna;x\nJan;y;z\n");
    writeBytes(dir_->file(QStringLiteral("klasa.csv")), "Zawodnik;Punkty\nAla Kot;3b\n");
    if (QString::fromLatin1(QTest::currentDataTag()) == QLatin1String("empty catalogue"))
        for (const QString &f : QDir(dir_->file(QStringLiteral("wzory"))).entryList(QDir::Files))
            QFile::remove(dir_->file(QStringLiteral("wzory/") + f));

    const Result r = runDruk(args);
    QCOMPARE(r.status, status);
    const QStringList lines = r.err.split('\n', Qt::SkipEmptyParts);
    QVERIFY(!lines.isEmpty());
    QVERIFY2(lines.first().startsWith(QLatin1String("dyplom-druk: ")) && r.err.contains(names), qPrintable(r.err));
    if (status == 1) {
        QCOMPARE(lines.size(), 1); // one line names the file and what is wrong
        QVERIFY2(lines.first().contains(names), qPrintable(r.err));
        static const QRegularExpression english(
            QStringLiteral("not found|No such|denied|metafile|File |directory|cannot|error"));
        QVERIFY2(!r.err.contains(english), qPrintable(r.err)); // Polish only
    }
    QVERIFY(!QFile::exists(dir_->file(QStringLiteral("x.pdf"))));
}

void TestDruk::failedRunLeavesNothing()
{
    // The PDF is complete before the separate files fail: it goes too, and
    // the earlier file of the same name stays as it was.
    writeBytes(dir_->file(QStringLiteral("nowy.pdf")), "%PDF-earlier");
    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna\nJan\n");
    QDir().mkpath(dir_->file(QStringLiteral("os")));
    writeBytes(dir_->file(QStringLiteral("os/Jan.pdf")), "taken");
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                              QStringLiteral("-o"), QStringLiteral("nowy.pdf"), QStringLiteral("--osobno"),
                              QStringLiteral("os")});
    QCOMPARE(r.status, 1);
    QCOMPARE(readBytesOrMissing(dir_->file(QStringLiteral("nowy.pdf"))), QByteArray("%PDF-earlier"));
    QVERIFY(!QFile::exists(dir_->file(QStringLiteral("os/Anna.pdf"))));
    QFile taken(dir_->file(QStringLiteral("os/Jan.pdf")));
    QVERIFY(taken.open(QIODevice::ReadOnly));
    QCOMPARE(taken.readAll(), QByteArray("taken"));
    QCOMPARE(temporaryFilesIn(dir_->path()), QStringList());

    // Folders the failed run made are gone with it.
    const Result png = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                                QStringLiteral("--png"), QStringLiteral("nowe/obrazy"), QStringLiteral("--osobno"),
                                QStringLiteral("os")});
    QCOMPARE(png.status, 1);
    QVERIFY(!QFileInfo::exists(dir_->file(QStringLiteral("nowe"))));
}

void TestDruk::outputNeverReplacesAnInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("input"); // the file that must stay as it was
    const QString d = QStringLiteral("d.dyp");
    QTest::newRow("-o the diploma") << QStringList{d, QStringLiteral("-o"), d} << d;
    QTest::newRow("-o a link to the diploma") << QStringList{d, QStringLiteral("-o"), QStringLiteral("link.pdf")} << d;
    QTest::newRow("-o another diploma") << QStringList{d, QStringLiteral("-o"), QStringLiteral("inny.dyp")}
                                        << QStringLiteral("inny.dyp");
    QTest::newRow("-o the list") << QStringList{d, QStringLiteral("--lista"), QStringLiteral("n.txt"),
                                                QStringLiteral("-o"), QStringLiteral("n.txt")}
                                 << QStringLiteral("n.txt");
    QTest::newRow("--osobno over the diploma")
        << QStringList{QStringLiteral("d.dyp"),    QStringLiteral("--lista"), QStringLiteral("dyp.txt"),
                       QStringLiteral("--osobno"), QStringLiteral("."),       QStringLiteral("--nadpisz")}
        << QStringLiteral("x.pdf");
    QTest::newRow("--katalog over a template")
        << QStringList{QStringLiteral("--katalog"), QStringLiteral("wzory/BDR_0002.wmf")}
        << QStringLiteral("wzory/BDR_0002.wmf");
}

void TestDruk::outputNeverReplacesAnInput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, input);
    QVERIFY(QFile::link(dir_->file(QStringLiteral("d.dyp")), dir_->file(QStringLiteral("link.pdf"))));
    writeBytes(dir_->file(QStringLiteral("inny.dyp")), diplomafile::buildDiplomaRecord(startupContent()));
    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna\n");
    // A pupil named after an input file of the run: x.pdf, a link to the list.
    writeBytes(dir_->file(QStringLiteral("dyp.txt")), "x\n");
    QVERIFY(QFile::link(dir_->file(QStringLiteral("dyp.txt")), dir_->file(QStringLiteral("x.pdf"))));
    const QByteArray diploma = readBytes(dir_->file(QStringLiteral("d.dyp")));
    const QByteArray before = readBytes(dir_->file(input));

    const Result r = runDruk(args);
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("dyplom-druk: ")) && r.err.count('\n') == 1, qPrintable(r.err));
    QCOMPARE(readBytes(dir_->file(input)), before);
    QCOMPARE(readBytes(dir_->file(QStringLiteral("d.dyp"))), diploma);
    QVERIFY(QFileInfo(dir_->file(QStringLiteral("link.pdf"))).isSymLink());
    QCOMPARE(temporaryFilesIn(dir_->path()), QStringList());
}

namespace {

// A tmpfs of a few hundred kB mounted for the test, or why there is none.
struct SmallDisk {
    QString path;
    QString skipReason;
    SmallDisk(const QString &where, int kilobytes) : path(where)
    {
        QDir().mkpath(where);
        int status = -1;
        const QString out = runTool(QStringLiteral("mount"),
                                    {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                     QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"), where},
                                    &status);
        if (status != 0)
            skipReason = QStringLiteral("cannot mount a small tmpfs here (%1)").arg(out.trimmed());
    }
    ~SmallDisk()
    {
        if (skipReason.isEmpty())
            runTool(QStringLiteral("umount"), {QStringLiteral("-l"), path});
    }
    // Leaves about free bytes of room.
    void fillTo(qint64 free)
    {
        QFile filler(path + QStringLiteral("/filler"));
        filler.open(QIODevice::WriteOnly);
        const QByteArray block(4096, 'f');
        while (QStorageInfo(path).bytesAvailable() > free && filler.write(block) == block.size())
            filler.flush();
    }
};

} // namespace

void TestDruk::fullDiskKeepsTheOldFile_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("old"); // an earlier file of an output's name
    QTest::newRow("-o") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"), QStringLiteral("dysk/out.pdf")}
                        << QStringLiteral("out.pdf");
    QTest::newRow("-o list") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                                            QStringLiteral("-o"), QStringLiteral("dysk/out.pdf")}
                             << QStringLiteral("out.pdf");
    QTest::newRow("--osobno") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("--lista"),
                                             QStringLiteral("n.txt"), QStringLiteral("--osobno"),
                                             QStringLiteral("dysk"),  QStringLiteral("--nadpisz")}
                              << QStringLiteral("Jan.pdf");
    QTest::newRow("--png") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                                          QStringLiteral("--png"), QStringLiteral("dysk")}
                           << QStringLiteral("strona-001.png");
    QTest::newRow("--katalog") << QStringList{QStringLiteral("--katalog"), QStringLiteral("dysk/out.pdf")}
                               << QStringLiteral("out.pdf");
}

void TestDruk::fullDiskKeepsTheOldFile()
{
    QFETCH(QStringList, args);
    QFETCH(QString, old);
    SmallDisk disk(dir_->file(QStringLiteral("dysk")), 320);
    if (!disk.skipReason.isEmpty())
        QSKIP(qPrintable(disk.skipReason));
    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna\nJan\nZofia\n");
    QByteArray earlier(20000, '\0');
    for (int i = 0; i < earlier.size(); ++i)
        earlier[i] = char(i * 7919 % 251);
    // An earlier output of the same kind, which a run may replace.
    const QByteArray signature = old.endsWith(QLatin1String(".png")) ? QByteArray("\x89PNG\r\n\x1a\n")
                                                                     : QByteArray("%PDF-");
    earlier.replace(0, signature.size(), signature);
    writeBytes(disk.path + QLatin1Char('/') + old, earlier);
    disk.fillTo(60 * 1024); // a 150 kB PDF, a 600 kB picture: the disk fills during the write

    const Result r = runDruk(args);
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("brak miejsca na dysku")) && r.err.contains(QStringLiteral("dysk/"))
                 && r.err.count('\n') == 1,
             qPrintable(r.err));
    QCOMPARE(readBytes(disk.path + QLatin1Char('/') + old), earlier);
    QStringList left = QDir(disk.path).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    QStringList expected{old, QStringLiteral("filler")};
    expected.sort();
    QCOMPARE(left, expected); // nothing else behind
    QCOMPARE(leftInScratchRoot(), QStringList());
}

void TestDruk::fullScratchFolderFailsTheOutput()
{
    // The layers of a compact PDF go to the temporary folder first: when
    // that is full, the output it was for fails and the old one stays.
    SmallDisk disk(dir_->file(QStringLiteral("tmp")), 320);
    if (!disk.skipReason.isEmpty())
        QSKIP(qPrintable(disk.skipReason));
    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna\nJan\nZofia\n");
    writeBytes(dir_->file(QStringLiteral("out.pdf")), "%PDF-earlier");
    disk.fillTo(20 * 1024);
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                              QStringLiteral("-o"), QStringLiteral("out.pdf")},
                             {}, disk.path);
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("dyplom-druk: out.pdf: plik pośredni ") + disk.path)
                 && r.err.contains(QStringLiteral("brak miejsca na dysku")) && r.err.count('\n') == 1,
             qPrintable(r.err));
    QCOMPARE(readBytes(dir_->file(QStringLiteral("out.pdf"))), QByteArray("%PDF-earlier"));
    QCOMPARE(QDir(disk.path).entryList({QStringLiteral("dyplom-druk*")}, QDir::AllEntries | QDir::Hidden), QStringList());
    QCOMPARE(temporaryFilesIn(dir_->path()), QStringList());
}

void TestDruk::fileSizeLimitIsReported_data()
{
    QTest::addColumn<bool>("layer"); // the limit met by a layer, else by the output itself
    QTest::newRow("a layer") << true;
    QTest::newRow("the output") << false;
}

void TestDruk::fileSizeLimitIsReported()
{
    QFETCH(bool, layer);
    QStringList names;
    for (int k = 1; k <= 30; ++k)
        names << QStringLiteral("Uczeń %1").arg(k);
    writeBytes(dir_->file(QStringLiteral("n.txt")), names.join(QLatin1Char('\n')).toUtf8());
    const QStringList args{QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                           QStringLiteral("-o"), QStringLiteral("x.pdf")};
    // Each layer is smaller than the whole: a limit just under the whole
    // stops only the output.
    Result r = runDruk(args);
    QCOMPARE(r.status, 0);
    const rlimit limit = layer ? rlimit{40 * 1024, 40 * 1024}
                               : rlimit{rlim_t(QFileInfo(dir_->file(QStringLiteral("x.pdf"))).size() - 2048),
                                        RLIM_INFINITY};
    writeBytes(dir_->file(QStringLiteral("x.pdf")), "%PDF-earlier");

    // The real program under `ulimit -f`, with SIGXFSZ as a shell leaves it.
    r = runDruk(args, [limit] {
        std::signal(SIGXFSZ, SIG_DFL);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    QCOMPARE(r.status, 1); // -1: killed by the signal
    const QString start = layer ? QStringLiteral("dyplom-druk: x.pdf: plik pośredni ")
                                : QStringLiteral("dyplom-druk: x.pdf: ");
    QVERIFY2(r.err.startsWith(start) && r.err.contains(QStringLiteral("ulimit -f")) && r.err.count('\n') == 1
                 && r.err.contains(QStringLiteral("pośredni")) == layer,
             qPrintable(r.err));
    QCOMPARE(readBytesOrMissing(dir_->file(QStringLiteral("x.pdf"))), QByteArray("%PDF-earlier"));
    QCOMPARE(temporaryFilesIn(dir_->path()), QStringList());
    QCOMPARE(leftInScratchRoot(), QStringList());
}

void TestDruk::layoutTextOffThePageIsWarnedOnce_data()
{
    QTest::addColumn<QStringList>("output");
    QTest::newRow("-o") << QStringList{QStringLiteral("-o"), QStringLiteral("x.pdf")};
    QTest::newRow("--osobno") << QStringList{QStringLiteral("--osobno"), QStringLiteral("os")};
    QTest::newRow("--png") << QStringList{QStringLiteral("--png"), QStringLiteral("png"), QStringLiteral("--dpi"),
                                          QStringLiteral("10")};
}

void TestDruk::layoutTextOffThePageIsWarnedOnce()
{
    QFETCH(QStringList, output);
    // The diploma's own heading runs off every page: one line for the
    // list, not one a name; a name of its own that runs off keeps its line.
    diplomafile::DiplomaContent content = startupContent();
    content.texts.heading = QString(30, QChar(0x0141));
    writeBytes(dir_->file(QStringLiteral("d.dyp")), diplomafile::buildDiplomaRecord(content));
    QStringList names;
    for (int k = 1; k <= 40; ++k)
        names << QStringLiteral("Uczeń %1").arg(k);
    names[6] = QStringLiteral("Konstanty Ildefons Gałczyński-Wielkopolski herbu Trzy Trąby i Półtora Krzyża");
    writeBytes(dir_->file(QStringLiteral("n.txt")), names.join(QLatin1Char('\n')).toUtf8());
    const Result r = runDruk(QStringList{QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt")}
                             + output);
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(r.err.count(QStringLiteral("poza obszar")), 2);
    QVERIFY2(r.err.contains(QStringLiteral("uwaga: tekst „") + QString(30, QChar(0x0141))
                            + QStringLiteral("” wychodzi poza obszar wydruku (w 40 rekordach)")),
             qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("uwaga: rekord 7 (wiersz 7 listy): tekst „Konstanty")), qPrintable(r.err));
}

void TestDruk::listLineBreaksAndControlBytes()
{
    // CR alone ends a line: three pages, not one merged name.
    writeBytes(dir_->file(QStringLiteral("cr.txt")), "Anna\rJan\rZofia\r");
    Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("cr.txt"),
                        QStringLiteral("--png"), QStringLiteral("png"), QStringLiteral("--dpi"), QStringLiteral("10")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(QDir(dir_->file(QStringLiteral("png"))).entryList(QDir::Files).size(), 3);

    // A name with terminal escapes, far too long for the page: the warning
    // quotes it escaped and cut.
    const QByteArray hostile = "Anna \x1B]0;przejete\x07\x1B[2J" + QByteArray(400, 'W') + "\n";
    writeBytes(dir_->file(QStringLiteral("esc.txt")), hostile);
    r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("esc.txt"), QStringLiteral("--png"),
                 QStringLiteral("png2"), QStringLiteral("--dpi"), QStringLiteral("10")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("poza obszar")), qPrintable(r.err));
    QVERIFY2(!r.err.contains(QChar(0x1B)) && !r.err.contains(QChar(0x07)), qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("Anna \\x1b]0;przejete\\x07")), qPrintable(r.err));
    QVERIFY2(r.err.size() < 300 && r.err.contains(QChar(0x2026)), qPrintable(r.err));
}

void TestDruk::longNonLatinNamesMakeFiles()
{
    // 150 Cyrillic letters are 300 bytes: cut to a whole name that fits.
    const QString name = QString(150, QChar(0x0416));
    const QString emoji = QString(250, QLatin1Char('a')) + QStringLiteral("\U0001F600");
    writeBytes(dir_->file(QStringLiteral("n.txt")),
               (name + QLatin1Char('\n') + name + QLatin1Char('\n') + emoji).toUtf8());
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                              QStringLiteral("--osobno"), QStringLiteral("os")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QStringList files = QDir(dir_->file(QStringLiteral("os"))).entryList(QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 3);
    QVERIFY(files.contains(QString(250, QLatin1Char('a')) + QStringLiteral(".pdf")));
    for (const QString &f : files)
        QVERIFY2(f.toUtf8().size() <= 255 && f.endsWith(QLatin1String(".pdf")) && !f.contains(QChar::ReplacementCharacter),
                 qPrintable(f));
}

void TestDruk::interruptedRunLeavesNothing()
{
    QStringList names;
    for (int k = 1; k <= 100; ++k)
        names << QStringLiteral("Uczeń %1").arg(k);
    writeBytes(dir_->file(QStringLiteral("n.txt")), names.join(QLatin1Char('\n')).toUtf8());
    QDir().mkpath(dir_->file(QStringLiteral("os")));
    writeBytes(dir_->file(QStringLiteral("os/Uczeń 1.pdf")), "%PDF-earlier");
    QProcess p;
    p.setProcessEnvironment(drukEnvironment());
    p.start(qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/dyplom-druk"),
            {QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"), QStringLiteral("--osobno"),
             QStringLiteral("os"), QStringLiteral("--nadpisz")});
    QVERIFY(p.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    // Stopped (Ctrl+C, a closed terminal) once the separate files are under way.
    while (QDir(dir_->file(QStringLiteral("os"))).entryList(QDir::Files | QDir::Hidden).size() < 4
           && waited.elapsed() < 60000 && !p.waitForFinished(20)) {}
    QVERIFY2(p.state() == QProcess::Running, qPrintable(QStringLiteral("ended before it could be stopped: %1 %2")
                                                            .arg(p.exitCode())
                                                            .arg(QString::fromUtf8(p.readAllStandardError()))));
    QVERIFY(!temporaryFilesIn(dir_->path()).isEmpty());
    p.terminate();
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::CrashExit); // still ends by the signal
    QCOMPARE(temporaryFilesIn(dir_->path()), QStringList());
    QCOMPARE(leftInScratchRoot(), QStringList()); // the layers' folder too
    QCOMPARE(QDir(dir_->file(QStringLiteral("os"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Uczeń 1.pdf")});
    QCOMPARE(readBytesOrMissing(dir_->file(QStringLiteral("os/Uczeń 1.pdf"))), QByteArray("%PDF-earlier"));
}

void TestDruk::printsNoToolkitNoise()
{
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--png"), QStringLiteral("p"),
                              QStringLiteral("--dpi"), QStringLiteral("10")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QString()); // no "QStandardPaths: XDG_RUNTIME_DIR not set"
    QCOMPARE(r.out, QString());
}

void TestDruk::helpInBothLanguages()
{
    const Result r = runDruk({QStringLiteral("--help")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains(QStringLiteral("Użycie:")));
    QVERIFY(r.out.contains(QStringLiteral("Usage:")));
    QVERIFY(r.out.contains(QStringLiteral("--lista")));
}

void TestDruk::listGoesToACupsQueueAsOneJob()
{
    const CupsPdfQueue queue = setUpCupsPdfQueue(QStringLiteral("DyplomPDF"));
    if (!queue.skipReason.isEmpty())
        QSKIP(qPrintable(queue.skipReason));
    QCOMPARE(queue.status, 0);
    const QDir out(queue.outDir);
    const QStringList before = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);

    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna\nJan\nZofia\n");
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                              QStringLiteral("-P"), QStringLiteral("DyplomPDF")});
    QVERIFY2(r.status == 0, qPrintable(r.err));

    const QString produced = awaitNewPdf(out, before);
    QVERIFY2(!produced.isEmpty(), qPrintable(QStringLiteral("no PDF in %1 within 60 s").arg(out.path())));
    const auto cleanup = qScopeGuard([&] { QFile::remove(produced); });
    QCOMPARE(pageCount(produced), 3);                // one job, one page per name
    const QImage last = renderPage(produced, 3, 30); // the template made it to the printer too
    QVERIFY2(inkShare(last, QRect(0, 0, last.width(), last.height() / 12)) > 0.1, qPrintable(produced));
}

void TestDruk::progressShowsOnATerminal()
{
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty())
        QSKIP("util-linux script is not installed (needed for a terminal)");
    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna\nJan\nZofia\n");
    QProcess p;
    p.start(
        script,
        {QStringLiteral("-qec"),
         QStringLiteral("'%1/dyplom-druk' d.dyp --lista n.txt -o x.pdf").arg(qEnvironmentVariable("DYPLOM_BINARY_DIR")),
         QStringLiteral("/dev/null")});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    const QString shown = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(shown.contains(QStringLiteral("strona 1 z 3")) && shown.contains(QStringLiteral("strona 3 z 3")),
             qPrintable(shown));
}

QTEST_MAIN(TestDruk)
#include "tst_druk.moc"
