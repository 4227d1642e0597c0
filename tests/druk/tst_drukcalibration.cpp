// Measured faithfulness: what dyplom-druk sends to a cups-pdf queue with a
// stored or given printer shift lands, on the rendered page, where the
// shift puts it; files are never shifted.
#include "FileBytes.h"
#include "InkMeasure.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"

#include "diplomafile/DiplomaRecord.h"

#include <QStandardPaths>
#include <QtTest>

namespace {

constexpr int Dpi = 200;
constexpr double Tolerance = 0.3; // mm

QString distance(const QPointF &got, const QPointF &wanted)
{
    return QStringLiteral("(%1, %2) mm, expected (%3, %4)").arg(got.x()).arg(got.y()).arg(wanted.x()).arg(wanted.y());
}

} // namespace

class TestDrukCalibration : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("poppler-utils are not installed");
        queue_ = setUpCupsPdfQueue(QStringLiteral("DyplomPDF"));
        if (!queue_.skipReason.isEmpty())
            QSKIP(qPrintable(queue_.skipReason));
        QCOMPARE(queue_.status, 0);
        diplomafile::DiplomaContent c;
        startupdiploma::setStyles(c);
        c.templateNumber = 2;
        c.texts.heading = QStringLiteral("Dyplom");
        c.texts.recipient = QStringLiteral("Anna Nowak");
        writeBytes(dir_.file(QStringLiteral("d.dyp")), diplomafile::buildDiplomaRecord(c));
        const ProgramResult stored = druk(
            {QStringLiteral("--kalibracja-ustaw"), QStringLiteral("DyplomPDF"), QStringLiteral("2.5,-1.5")});
        QVERIFY2(stored.status == 0, qPrintable(stored.err));
    }

    // The cross of the sheet moved back by the stored shift, or by the one
    // given for the run; in a file, where it belongs.
    void crossLandsWhereTheShiftPutsIt_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QPointF>("cross");
        QTest::newRow("stored") << QStringList{"-P", "DyplomPDF"} << QPointF(102.5, 150);
        QTest::newRow("given") << QStringList{"-P", "DyplomPDF", "--przesuniecie", "-1;2,5"} << QPointF(106, 146);
        QTest::newRow("none given") << QStringList{"-P", "DyplomPDF", "--przesuniecie", "0,0"} << QPointF(105, 148.5);
        QTest::newRow("file") << QStringList{"-o", "arkusz.pdf"} << QPointF(105, 148.5);
    }
    void crossLandsWhereTheShiftPutsIt()
    {
        QFETCH(QStringList, args);
        QFETCH(QPointF, cross);
        const QString pdf = produce(QStringList{QStringLiteral("--kalibracja")} + args);
        QVERIFY(!pdf.isEmpty());
        const QPointF found = crossCentreMm(renderPage(pdf, 1, Dpi), Dpi, QRectF(70, 115, 70, 70));
        QVERIFY2(QLineF(found, cross).length() <= Tolerance, qPrintable(distance(found, cross)));
    }

    // The diploma's texts on the queue sit the stored shift away from where
    // an unshifted print has them (cups-pdf's text is not searchable: they
    // are found by their ink).
    void textsLandWhereTheShiftPutsThem()
    {
        const QStringList diploma{QStringLiteral("d.dyp"),   QStringLiteral("--bez-wzoru"),
                                  QStringLiteral("--wzory"), wzory(),
                                  QStringLiteral("-P"),      QStringLiteral("DyplomPDF")};
        const QString plain = produce(diploma + QStringList{QStringLiteral("--przesuniecie"), QStringLiteral("0,0")});
        const QString shifted = produce(diploma);
        QVERIFY(!plain.isEmpty() && !shifted.isEmpty());
        const QRectF whole(0, 0, 210, 297);
        const QRectF unmoved = inkBoundsMm(renderPage(plain, 1, Dpi), Dpi, whole);
        const QRectF moved = inkBoundsMm(renderPage(shifted, 1, Dpi), Dpi, whole);
        QVERIFY(unmoved.width() > 50); // both lines of text
        for (const auto &[got, wanted] : {std::pair{moved.topLeft(), unmoved.topLeft() + QPointF(-2.5, 1.5)},
                                          std::pair{moved.bottomRight(), unmoved.bottomRight() + QPointF(-2.5, 1.5)}})
            QVERIFY2(QLineF(got, wanted).length() <= Tolerance, qPrintable(distance(got, wanted)));
    }

private:
    static QString wzory() { return qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory"); }
    ProgramResult druk(const QStringList &args) { return runDrukIn(config_.path(), args); }

    // The PDF a run makes: its -o file, or the one cups-pdf writes for it.
    QString produce(const QStringList &args)
    {
        const int o = int(args.indexOf(QStringLiteral("-o")));
        const QDir out(queue_.outDir);
        const QStringList before = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        const ProgramResult r = druk(args);
        if (r.status != 0) {
            qWarning("%s", qPrintable(r.err));
            return {};
        }
        return o >= 0 ? dir_.file(args[o + 1]) : awaitNewPdf(out, before);
    }

    TempProgramDir dir_{QStringList{}};
    QTemporaryDir config_;
    CupsPdfQueue queue_;
};

QTEST_MAIN(TestDrukCalibration)
#include "tst_drukcalibration.moc"
