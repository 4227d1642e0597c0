// Printing on pre-printed paper: the texts without their template
// (--bez-wzoru), the calibration sheet, and the printer corrections typed,
// stored and undone.
#include "InkMeasure.h"
#include "FileBytes.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"

#include "batch/compose/CorrectedPdf.h"
#include "batch/compose/SheetLayout.h"
#include "batch/output/CalibrationStore.h"
#include "batch/output/Failure.h"
#include "diplomafile/DiplomaRecord.h"

#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

using batch::PrintCorrection;
Q_DECLARE_METATYPE(PrintCorrection)

namespace {

// Pixels of ink outside every text line's box (grown by marginMm).
qint64 inkOutsideTexts(const QImage &image, int dpi, const QList<Box> &linesPt, double marginMm)
{
    const double k = dpi / 72.0, m = marginMm * dpi / 25.4;
    QList<QRectF> boxes;
    for (const Box &b : linesPt)
        boxes.append(QRectF(QPointF(b.left * k - m, b.top * k - m), QPointF(b.right * k + m, b.bottom * k + m)));
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isInk(image.pixel(x, y))
                && std::none_of(boxes.begin(), boxes.end(), [&](const QRectF &r) { return r.contains(x, y); }))
                ++ink;
    return ink;
}

// The words of one page and their centres in millimetres from its top-left
// corner (pdftotext -bbox).
QList<QPair<QString, QPointF>> wordCentresMm(const QString &pdf, int page)
{
    const QString html = runTool(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                  QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re"));
    QList<QPair<QString, QPointF>> words;
    const double mm = 25.4 / 72;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(5), QPointF((m.captured(1).toDouble() + m.captured(3).toDouble()) / 2 * mm,
                                             (m.captured(2).toDouble() + m.captured(4).toDouble()) / 2 * mm)});
    }
    return words;
}

} // namespace

class TestDrukPaper : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Before the first QSettings: its folder is fixed then.
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    }
    void init()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("poppler-utils are not installed");
        dir_ = std::make_unique<TempProgramDir>(QStringList{});
        diplomafile::DiplomaContent c;
        startupdiploma::setStyles(c);
        c.templateNumber = 2;
        c.texts.heading = QStringLiteral("Dyplom");
        c.texts.body[1] = QStringLiteral("za wzorowe zachowanie");
        c.texts.recipient = QStringLiteral("Anna Nowak");
        writeBytes(dir_->file(QStringLiteral("d.dyp")), diplomafile::buildDiplomaRecord(c));
    }
    void cleanup() { dir_.reset(); }

    void correctionsAreReadOrRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QString>("reason");
        QTest::newRow("dots") << "1.5,-2" << true << QList<double>{1.5, -2, 0, 0} << "";
        QTest::newRow("decimal commas") << "1,5; -2" << true << QList<double>{1.5, -2, 0, 0} << "";
        QTest::newRow("with scale") << "0,0,0.4,-0.25" << true << QList<double>{0, 0, 0.4, -0.25} << "";
        QTest::newRow("typographic minus") << "\u22121,2" << true << QList<double>{-1, 2, 0, 0} << "";
        QTest::newRow("at the limit") << "-50,50" << true << QList<double>{-50, 50, 0, 0} << "";
        QTest::newRow("500 mm") << "500,0" << false << QList<double>{} << "±50 mm";
        QTest::newRow("scale 20 %") << "0,0,20,0" << false << QList<double>{} << "±10%";
        QTest::newRow("word") << "abc" << false << QList<double>{} << "X,Y";
        QTest::newRow("not a number") << "1,zero" << false << QList<double>{} << "„zero” nie jest liczbą";
        QTest::newRow("comma decimals without ;") << "1,5,-2" << false << QList<double>{} << "X,Y";
        QTest::newRow("infinite") << "inf,0" << false << QList<double>{} << "nie jest liczbą";
    }
    void correctionsAreReadOrRefused()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QList<double>, values);
        QFETCH(QString, reason);
        QString error;
        const std::optional<PrintCorrection> c = batch::parseCorrection(text, &error);
        QCOMPARE(bool(c), valid);
        if (valid)
            QCOMPARE((QList<double>{c->xMm, c->yMm, c->scaleXPercent, c->scaleYPercent}), values);
        else
            QVERIFY2(error.contains(reason) && error.contains(text), qPrintable(error));
    }

    // A printer that moves by the shift and stretches about the cross puts
    // every corrected point back where it belongs.
    void correctionUndoesThePrinter_data()
    {
        QTest::addColumn<PrintCorrection>("printer");
        QTest::newRow("none") << PrintCorrection{};
        QTest::newRow("right and up") << PrintCorrection{2.5, -1.5, 0, 0};
        QTest::newRow("stretched") << PrintCorrection{0, 0, 1.5, -0.8};
        QTest::newRow("both") << PrintCorrection{-3, 4, -2, 2};
    }
    void correctionUndoesThePrinter()
    {
        QFETCH(PrintCorrection, printer);
        const QTransform undo = batch::correctionTransform(printer);
        const QPointF cross(batch::CrossXMm, batch::CrossYMm);
        for (const QPointF p : {QPointF(0, 0), QPointF(105, 148.5), QPointF(20, 280), QPointF(210, 297)}) {
            const QPointF sent = undo.map(p);
            const QPointF d = sent - cross;
            const QPointF printed = cross
                                    + QPointF(d.x() * (1 + printer.scaleXPercent / 100),
                                              d.y() * (1 + printer.scaleYPercent / 100))
                                    + QPointF(printer.xMm, printer.yMm);
            QVERIFY2(QLineF(printed, p).length() < 1e-9, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        }
    }

    // One correction per queue; the one given for a run wins; a value out of
    // range in a hand-edited file is not used.
    void storeKeepsOnePerQueue()
    {
        batch::CalibrationStore store;
        store.store(QStringLiteral("Sala 12"), {1, 2, 0, 0});
        store.store(QStringLiteral("biuro/kolor"), {-0.5, 0, 0.3, 0});
        QCOMPARE(store.find(QStringLiteral("Sala 12"))->yMm, 2.0);
        QCOMPARE(store.find(QStringLiteral("biuro/kolor"))->scaleXPercent, 0.3);
        QVERIFY(!store.find(QStringLiteral("Sala 12"), QStringLiteral("A5")));
        QCOMPARE(store.forPrint(QStringLiteral("Sala 12"), PrintCorrection{}).xMm, 0.0);
        QVERIFY(store.forPrint(QStringLiteral("inna"), std::nullopt).isNone());
        QVERIFY(store.remove(QStringLiteral("Sala 12")));
        QVERIFY(!store.remove(QStringLiteral("Sala 12")));
        QVERIFY(!store.find(QStringLiteral("Sala 12")));
        QVERIFY(store.find(QStringLiteral("biuro/kolor")));
        QVERIFY_THROWS_EXCEPTION(batch::Failure, store.store(QStringLiteral("x"), {80, 0, 0, 0}));

        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("dyplom"), QStringLiteral("drukarki"))
            .setValue(QStringLiteral("kalibracja/reczna/A4/x"), 500);
        QVERIFY(!store.find(QStringLiteral("reczna")));
        store.remove(QStringLiteral("biuro/kolor"));
        store.remove(QStringLiteral("reczna"));
    }

    // PDF and PNG without any ink of the template beyond the texts; the
    // texts themselves are all there.
    void textOnlyLeavesTheTemplateOut()
    {
        const QString wzory = qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory");
        const auto druk = [&](const QStringList &args) {
            return runDrukIn(config_.path(),
                             QStringList{QStringLiteral("d.dyp"), QStringLiteral("--wzory"), wzory} + args);
        };
        QCOMPARE(druk({QStringLiteral("-o"), QStringLiteral("wzor.pdf")}).status, 0);
        const ProgramResult bare = druk({QStringLiteral("--bez-wzoru"), QStringLiteral("-o"),
                                         QStringLiteral("teksty.pdf"), QStringLiteral("--png"), QStringLiteral("png"),
                                         QStringLiteral("--dpi"), QStringLiteral("40")});
        QVERIFY2(bare.status == 0, qPrintable(bare.err));

        const QList<Box> lines = lineBoxes(dir_->file(QStringLiteral("teksty.pdf")));
        QCOMPARE(lines.size(), 3);
        const QString text = runTool(QStringLiteral("pdftotext"), {dir_->file(QStringLiteral("teksty.pdf")), "-"});
        for (const char *t : {"Dyplom", "za wzorowe zachowanie", "Anna Nowak"})
            QVERIFY2(text.contains(QString::fromUtf8(t)), qPrintable(text));

        const QImage withTemplate = renderPage(dir_->file(QStringLiteral("wzor.pdf")), 1, 40);
        QVERIFY(inkOutsideTexts(withTemplate, 40, lines, 1.5) > 2000); // the design is there
        QCOMPARE(inkOutsideTexts(renderPage(dir_->file(QStringLiteral("teksty.pdf")), 1, 40), 40, lines, 1.5), 0);
        const QImage png(dir_->file(QStringLiteral("png/strona-001.png")));
        QVERIFY(!png.isNull());
        QCOMPARE(inkOutsideTexts(png.convertToFormat(QImage::Format_RGB32), 40, lines, 1.5), 0);
    }

    // An A4 page that asks not to be scaled, its cross where it says, the
    // instructions as text, ruler ticks at the edges.
    void calibrationSheetIsMeasurable()
    {
        const ProgramResult r = runDrukIn(
            config_.path(), {QStringLiteral("--kalibracja"), QStringLiteral("-o"), QStringLiteral("arkusz.pdf")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QString sheet = dir_->file(QStringLiteral("arkusz.pdf"));
        QVERIFY(runTool(QStringLiteral("pdfinfo"), {sheet}).contains(QStringLiteral("595.276 x 841.89 pts (A4)")));
        QVERIFY(asksForActualSize(sheet));
        const QString text = runTool(QStringLiteral("pdftotext"), {sheet, QStringLiteral("-")});
        for (const char *t : {"Kalibracja drukarki", "105 mm od lewej, 148,5 mm od góry", "--kalibracja-ustaw"})
            QVERIFY2(text.contains(QString::fromUtf8(t)), qPrintable(text));

        const int dpi = 200;
        const QImage page = renderPage(sheet, 1, dpi);
        const QPointF cross = crossCentreMm(page, dpi, QRectF(75, 120, 60, 60));
        QVERIFY2(QLineF(cross, QPointF(105, 148.5)).length() < 0.1,
                 qPrintable(QStringLiteral("%1, %2").arg(cross.x()).arg(cross.y())));
        // The 50 mm tick of the top ruler: 8 mm long, at 50 mm.
        const QRectF tick = inkBoundsMm(page, dpi, QRectF(49.5, 0, 1, 8.3));
        QVERIFY2(std::abs(tick.center().x() - 50) < 0.1 && tick.height() > 7.8,
                 qPrintable(QStringLiteral("%1 %2").arg(tick.center().x()).arg(tick.height())));
    }

    // Refused before anything is written, the option or the queue named.
    void badCalibrationInputIsRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString pdf = QStringLiteral("wynik.pdf");
        QTest::newRow("500 mm") << QStringList{"d.dyp", "-P", "--przesuniecie", "500,0"} << 2
                                << "--przesuniecie: „500,0”: przesunięcie poza zakresem ±50 mm";
        QTest::newRow("abc") << QStringList{"d.dyp", "-P", "--przesuniecie", "abc"} << 2 << "--przesuniecie: „abc”";
        QTest::newRow("a file is never shifted")
            << QStringList{"d.dyp", "-o", pdf, "--przesuniecie", "1,1"} << 2 << "--przesuniecie dotyczy tylko drukarki";
        QTest::newRow("a sheet file is never shifted")
            << QStringList{"--kalibracja", "-o", pdf, "--przesuniecie", "1,1"} << 2 << "--przesuniecie dotyczy tylko";
        QTest::newRow("sheet without output") << QStringList{"--kalibracja"} << 2 << "--kalibracja: podaj -o";
        QTest::newRow("sheet with a diploma")
            << QStringList{"--kalibracja", "d.dyp", "-o", pdf} << 2 << "--kalibracja drukuje sam arkusz";
        QTest::newRow("store 500 mm") << QStringList{"--kalibracja-ustaw", "Sala", "500,1"} << 2
                                      << "--kalibracja-ustaw: „500,1”";
        QTest::newRow("store without value") << QStringList{"--kalibracja-ustaw", "Sala"} << 2 << "brak przesunięcia X,Y";
        QTest::newRow("missing queue") << QStringList{"--kalibracja-ustaw", "NieMaTakiejKolejki", "1,1"} << 1
                                       << "NieMaTakiejKolejki: nie ma takiej drukarki";
        QTest::newRow("reset a missing queue") << QStringList{"--kalibracja-usun", "NieMaTakiejKolejki"} << 1
                                               << "NieMaTakiejKolejki: nie ma takiej drukarki";
    }
    void badCalibrationInputIsRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        const QString settings = config_.path() + QStringLiteral("/dyplom/drukarki.conf");
        const QByteArray before = readBytesOrMissing(settings);
        const ProgramResult r = runDrukIn(config_.path(), args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("d.dyp")});
        QCOMPARE(readBytesOrMissing(settings), before);
    }

    // The size of every sheet as pdfinfo reads it, and the sheets a list of
    // three pupils, one of them in two copies, fills.
    void sheetsHaveTheirPaperSize_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QSizeF>("sheetMm");
        QTest::addColumn<int>("sheets");
        QTest::newRow("A4") << QStringList{} << QSizeF(210, 297) << 4;
        QTest::newRow("A5") << QStringList{"--papier", "A5"} << QSizeF(148, 210) << 4;
        QTest::newRow("A6 across") << QStringList{"--papier", "a6", "--poziomo"} << QSizeF(148, 105) << 4;
        QTest::newRow("Letter") << QStringList{"--papier", "Letter"} << QSizeF(215.9, 279.4) << 4;
        QTest::newRow("A4 across") << QStringList{"--poziomo"} << QSizeF(297, 210) << 4;
        QTest::newRow("2 A5 on A4") << QStringList{"--papier", "A5", "--na-arkuszu", "2"} << QSizeF(210, 297) << 2;
        QTest::newRow("4 A6 on A4") << QStringList{"--papier", "A6", "--na-arkuszu", "4"} << QSizeF(210, 297) << 1;
        QTest::newRow("2 A6 on A5 from 2")
            << QStringList{"--papier", "A6", "--na-arkuszu=2", "--od-pozycji", "2"} << QSizeF(148, 210) << 3;
    }
    void sheetsHaveTheirPaperSize()
    {
        QFETCH(QStringList, args);
        QFETCH(QSizeF, sheetMm);
        QFETCH(int, sheets);
        writeList("Imię;Nazwisko;Liczba\nAla;Pierwsza;\nOla;Druga;2\nEla;Trzecia;1\n");
        const ProgramResult r = druk(args + QStringList{"--lista", "lista.csv", "-o", "wynik.pdf"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QString info = runTool(QStringLiteral("pdfinfo"), {dir_->file(QStringLiteral("wynik.pdf"))});
        QVERIFY2(hasPageSize(info, sheetMm), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(sheets))), qPrintable(info));
        QVERIFY(asksForActualSize(dir_->file(QStringLiteral("wynik.pdf"))));
    }

    // A design the layout table draws landscape prints landscape unasked.
    void landscapeDesignTurnsThePaper()
    {
        diplomafile::DiplomaContent c;
        startupdiploma::setStyles(c);
        c.templateNumber = 105;
        c.texts.recipient = QStringLiteral("Anna Nowak");
        writeBytes(dir_->file(QStringLiteral("d.dyp")), diplomafile::buildDiplomaRecord(c));
        const ProgramResult r = druk({QStringLiteral("-o"), QStringLiteral("wynik.pdf")});
        QVERIFY2(r.status == 0 && r.err.contains(QStringLiteral("wzór nr 105 jest poziomy")), qPrintable(r.err));
        const QString info = runTool(QStringLiteral("pdfinfo"), {dir_->file(QStringLiteral("wynik.pdf"))});
        QVERIFY2(hasPageSize(info, QSizeF(297, 210)), qPrintable(info));
    }

    // Each pupil's texts in its own half or quarter of the sheet, the
    // positions before --od-pozycji blank.
    void diplomasLieInTheirPositions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("sheet");
        QTest::addColumn<QStringList>("names"); // by position; empty: blank
        const QStringList twoA5{"--papier", "A5", "--na-arkuszu", "2"};
        const QStringList fourA6{"--papier", "A6", "--na-arkuszu", "4"};
        QTest::newRow("2 A5, sheet 1") << twoA5 << 1 << QStringList{"Pierwsza", "Druga"};
        QTest::newRow("2 A5, sheet 2") << twoA5 << 2 << QStringList{"Trzecia", "Czwarta"};
        QTest::newRow("2 A5 across") << twoA5 + QStringList{"--poziomo"} << 1 << QStringList{"Pierwsza", "Druga"};
        QTest::newRow("4 A6") << fourA6 << 1 << QStringList{"Pierwsza", "Druga", "Trzecia", "Czwarta"};
        QTest::newRow("4 A6 from 3") << fourA6 + QStringList{"--od-pozycji", "3"} << 1
                                     << QStringList{"", "", "Pierwsza", "Druga"};
        QTest::newRow("4 A6 from 3, sheet 2")
            << fourA6 + QStringList{"--od-pozycji", "3"} << 2 << QStringList{"Trzecia", "Czwarta", "", ""};
    }
    void diplomasLieInTheirPositions()
    {
        QFETCH(QStringList, args);
        QFETCH(int, sheet);
        QFETCH(QStringList, names);
        writeList("Imię;Nazwisko\nAla;Pierwsza\nOla;Druga\nEla;Trzecia\nIza;Czwarta\n");
        const ProgramResult r = druk(args + QStringList{"--lista", "lista.csv", "-o", "wynik.pdf"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        batch::SheetLayout layout;
        layout.paper = args.value(1);
        layout.perSheet = int(names.size());
        layout.landscape = args.contains(QStringLiteral("--poziomo"));
        const QList<batch::SheetPosition> positions = layout.positions();
        const QList<QPair<QString, QPointF>> words = wordCentresMm(dir_->file(QStringLiteral("wynik.pdf")), sheet);
        QVERIFY(!words.isEmpty());
        for (int p = 0; p < names.size(); ++p) {
            QStringList inside;
            for (const auto &w : words)
                if (positions[p].areaMm.contains(w.second))
                    inside.append(w.first);
            if (names[p].isEmpty())
                QVERIFY2(inside.isEmpty(), qPrintable(inside.join(' ')));
            else // the whole diploma there: its heading and its pupil
                QVERIFY2(inside.contains(names[p]) && inside.contains(QStringLiteral("Dyplom")),
                         qPrintable(QStringLiteral("%1: %2").arg(p + 1).arg(inside.join(' '))));
        }
    }

    // "Liczba" (or "Ilość", "Egzemplarze") copies of a pupil in a row, in
    // one file and in the pupil's own file.
    void copiesPerPupil()
    {
        writeList("Imię;Nazwisko;Egzemplarze\nAla;Pierwsza;\nOla;Druga;3\nEla;Trzecia;1\n");
        const ProgramResult r = druk({"--lista", "lista.csv", "-o", "wynik.pdf", "--osobno", "osobno"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QStringList recipients;
        for (const QString &page :
             runTool(QStringLiteral("pdftotext"), {dir_->file(QStringLiteral("wynik.pdf")), "-"}).split('\f'))
            for (const char *name : {"Pierwsza", "Druga", "Trzecia"})
                if (page.contains(QLatin1String(name)))
                    recipients.append(QLatin1String(name));
        QCOMPARE(recipients, (QStringList{"Pierwsza", "Druga", "Druga", "Druga", "Trzecia"}));
        // Each pupil's file holds the pupil's copies.
        QList<int> pagesPerFile;
        const QDir separate(dir_->file(QStringLiteral("osobno")));
        for (const QString &f : separate.entryList(QDir::Files))
            pagesPerFile.append(runTool(QStringLiteral("pdftotext"), {separate.filePath(f), "-"}).count('\f'));
        std::sort(pagesPerFile.begin(), pagesPerFile.end());
        QCOMPARE(pagesPerFile, (QList<int>{1, 1, 3}));
    }

    // Refused before anything is written, naming the option or the line.
    void badSheetInputIsRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QByteArray good = "Imię;Nazwisko\nAla;Pierwsza\n";
        QTest::newRow("unknown paper") << QStringList{"--papier", "A3"} << good << 2
                                       << "--papier: nieznany papier „A3” (znane: A4, A5, A6, Letter)";
        QTest::newRow("three per sheet") << QStringList{"--papier", "A6", "--na-arkuszu", "3"} << good << 2
                                         << "--na-arkuszu: „3”: podaj 1, 2 albo 4";
        QTest::newRow("two A4") << QStringList{"--na-arkuszu", "2"} << good << 2
                                << "--na-arkuszu 2: dyplomy A4 nie mieszczą się";
        QTest::newRow("start beyond the sheet")
            << QStringList{"--papier", "A5", "--na-arkuszu", "2", "--od-pozycji", "3"} << good << 2
            << "--od-pozycji 3: na arkuszu są tylko 2 pozycje";
        QTest::newRow("start without n-up") << QStringList{"--od-pozycji", "1"} << good << 2 << "--od-pozycji dotyczy";
        QTest::newRow("pictures of A5") << QStringList{"--papier", "A5", "--png", "png"} << good << 2 << "--png";
        QTest::newRow("copies in words") << QStringList{}
                                         << QByteArray("Imię;Nazwisko;Liczba\nAla;Pierwsza;1\nOla;Druga;dwa\n") << 1
                                         << "lista.csv: wiersz 3: kolumna „Liczba”: „dwa” nie jest liczbą egzemplarzy";
        QTest::newRow("copies below zero") << QStringList{} << QByteArray("Imię;Nazwisko;Ilość\nAla;Pierwsza;-1\n") << 1
                                           << "lista.csv: wiersz 2: kolumna „Ilość”: „-1” nie jest liczbą egzemplarzy";
        QTest::newRow("no copies") << QStringList{} << QByteArray("Imię;Nazwisko;Egzemplarze\nAla;Pierwsza;0\n") << 1
                                   << "lista.csv: wiersz 2: kolumna „Egzemplarze”: „0”: co najmniej jeden egzemplarz";
    }
    void badSheetInputIsRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, list);
        QFETCH(int, status);
        QFETCH(QString, message);
        writeList(list);
        const ProgramResult r = druk(args + QStringList{"--lista", "lista.csv", "-o", "wynik.pdf"});
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{QStringLiteral("d.dyp"), QStringLiteral("lista.csv")}));
    }

private:
    static bool hasPageSize(const QString &pdfinfo, const QSizeF &mm)
    {
        const auto m = QRegularExpression(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)")).match(pdfinfo);
        return m.hasMatch() && std::abs(m.captured(1).toDouble() - mm.width() * 72 / 25.4) < 0.01
               && std::abs(m.captured(2).toDouble() - mm.height() * 72 / 25.4) < 0.01;
    }
    ProgramResult druk(const QStringList &args) const
    {
        const QString wzory = qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory");
        return runDrukIn(config_.path(), QStringList{QStringLiteral("d.dyp"), QStringLiteral("--wzory"), wzory} + args);
    }
    void writeList(const QByteArray &csv) const { writeBytes(dir_->file(QStringLiteral("lista.csv")), csv); }

    QTemporaryDir config_;
    std::unique_ptr<TempProgramDir> dir_;
};

QTEST_MAIN(TestDrukPaper)
#include "tst_drukpaper.moc"
