// Printing on pre-printed paper: the texts without their template
// (--bez-wzoru), the calibration sheet, and the printer corrections typed,
// stored and undone.
#include "InkMeasure.h"
#include "FileBytes.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"

#include "batch/compose/CorrectedPdf.h"
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

private:
    QTemporaryDir config_;
    std::unique_ptr<TempProgramDir> dir_;
};

QTEST_MAIN(TestDrukPaper)
#include "tst_drukpaper.moc"
