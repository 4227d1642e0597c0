#include "SheetFiles.h"
#include "SheetSamples.h"

#include <QElapsedTimer>

#include <sys/resource.h>

using namespace sheetfiles;
using sheetsamples::ZipPart;

namespace {

const QByteArray kMain = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";

// The smallest workbook around the given sheet part.
QByteArray xlsxWithSheet(const ZipPart &sheet)
{
    QList<ZipPart> parts{
        {"[Content_Types].xml", "<Types/>"},
        {"xl/workbook.xml",
         "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
         "<sheet name=\"Lista\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
         "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        sheet,
    };
    return sheetsamples::zip(parts);
}

QByteArray sheetXml(const QByteArray &prefix, const QByteArray &rows)
{
    return prefix + "<worksheet " + kMain + "><sheetData>" + rows + "</sheetData></worksheet>";
}

} // namespace

class TestSpreadsheetsHostile : public QObject {
    Q_OBJECT
    QTemporaryDir scratch_;

private slots:
    void initTestCase()
    {
        // The .xls reader's scratch copies go here, so the test can see they go away.
        qputenv("TMPDIR", QFile::encodeName(scratch_.path()));
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message"); // a part the refusal must hold

        const QByteArray bomb = sheetsamples::repeatedDeflate("<worksheet><sheetData>",
                                                              QByteArray("<row/>").repeated(10000), 2000);
        QTest::newRow("zip bomb in the sheet")
            << xlsxWithSheet({"xl/worksheets/sheet1.xml", "x", true, -1, bomb}) << "bombę ZIP";
        QTest::newRow("zip bomb declaring a small size")
            << xlsxWithSheet({"xl/worksheets/sheet1.xml", "x", true, 100, bomb}) << "klasa.plik: ";
        const QByteArray laughs = "<!DOCTYPE worksheet [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
                                  "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>";
        QTest::newRow("entity expansion") << xlsxWithSheet(
            {"xl/worksheets/sheet1.xml", sheetXml(laughs, "<row><c t=\"inlineStr\"><is><t>&c;</t></is></c></row>")})
                                          << "DTD";
        QTest::newRow("external entity") << xlsxWithSheet(
            {"xl/worksheets/sheet1.xml", sheetXml("<!DOCTYPE w [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>",
                                                  "<row><c t=\"inlineStr\"><is><t>&x;</t></is></c></row>")})
                                         << "DTD";
        QTest::newRow("undeclared entity") << xlsxWithSheet(
            {"xl/worksheets/sheet1.xml", sheetXml({}, "<row><c t=\"inlineStr\"><is><t>&x;</t></is></c></row>")})
                                           << "klasa.plik: część xl/worksheets/sheet1.xml";
        QTest::newRow("deep nesting") << xlsxWithSheet(
            {"xl/worksheets/sheet1.xml", sheetXml({}, QByteArray("<x>").repeated(100000))})
                                      << "głębiej";
        QTest::newRow("endless attribute") << xlsxWithSheet(
            {"xl/worksheets/sheet1.xml", sheetXml({}, "<row r=\"" + QByteArray(2 * 1024 * 1024, '1') + "\"/>")})
                                           << "dłuższy niż";
        QTest::newRow("broken XML") << xlsxWithSheet({"xl/worksheets/sheet1.xml", sheetXml({}, "<row><c><v>1</c></row>")})
                                    << "uszkodzony XML";
        QTest::newRow("rows going backwards") << xlsxWithSheet(
            {"xl/worksheets/sheet1.xml", sheetXml({}, "<row r=\"5\"><c><v>1</v></c></row><row r=\"2\"/>")})
                                              << "uszkodzony arkusz";
        QTest::newRow("a shared string that is not there") << xlsxWithSheet(
            {"xl/worksheets/sheet1.xml", sheetXml({}, "<row r=\"1\"><c r=\"B1\" t=\"s\"><v>7</v></c></row>")})
                                                           << "komórka B1: odwołanie do nieistniejącego tekstu";

        const QByteArray good = sheetsamples::xlsxRows(sheetsamples::classList(20));
        QTest::newRow("truncated zip") << good.left(good.size() / 2) << "klasa.plik: uszkodzone archiwum ZIP";
        QByteArray damaged = good;
        for (qsizetype i = 600; i < 700 && i < damaged.size(); ++i)
            damaged[i] = char(damaged[i] ^ 0x5A);
        QTest::newRow("damaged deflate data") << damaged << "klasa.plik: ";
        QTest::newRow("only a signature") << QByteArray("PK\x03\x04garbage", 11) << "uszkodzone archiwum ZIP";
        QTest::newRow("an OpenDocument text") << sheetsamples::zip(
            {{"mimetype", "application/vnd.oasis.opendocument.text", false}, {"content.xml", "<x/>"}})
                                              << "to dokument OpenDocument, ale nie arkusz";
        QTest::newRow("a word processor file")
            << sheetsamples::zip({{"[Content_Types].xml", "<Types/>"}, {"word/document.xml", "<x/>"}})
            << "nie skoroszyt";
        QTest::newRow("a zip of other things") << sheetsamples::zip({{"a.txt", "a"}}) << "archiwum ZIP, a nie arkusz";
        QTest::newRow("ods without content")
            << sheetsamples::zip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet", false}})
            << "brak części content.xml";
        QTest::newRow("ods bomb") << sheetsamples::zip(
            {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet", false},
             {"content.xml", "x", true, -1,
              sheetsamples::repeatedDeflate(
                  "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\">",
                  QByteArray("<a/>").repeated(16384), 8000)}})
                                  << "bombę ZIP";
        const QByteArray manyColumns = "<table:table table:name=\"T\"><table:table-row><table:table-cell "
                                       "table:number-columns-repeated=\"16384\" office:value-type=\"string\"><text:p>x</text:p>"
                                       "</table:table-cell></table:table-row></table:table>";
        QTest::newRow("ods: one cell repeated across every column")
            << sheetsamples::ods(manyColumns) << "arkusz „T”, komórka IW1: więcej niż 256 kolumn";
        QTest::newRow("ods: empty cells repeated past any sheet")
            << sheetsamples::ods("<table:table table:name=\"T\"><table:table-row><table:table-cell "
                                 "table:number-columns-repeated=\"2000000000\"/></table:table-row></table:table>")
            << "niemożliwy numer kolumny";
        const QByteArray manyRows = "<table:table table:name=\"T\"><table:table-row table:number-rows-repeated=\"50000000\">"
                                    "<table:table-cell office:value-type=\"string\"><text:p>x</text:p></table:table-cell>"
                                    "</table:table-row></table:table>";
        QTest::newRow("ods: one row repeated 50 million times")
            << sheetsamples::ods(manyRows) << "arkusz „T”: więcej niż 100000 wierszy";
        QTest::newRow("ods: entities") << sheetsamples::ods("<table:table table:name=\"T\"/>",
                                                            "<!DOCTYPE x [<!ENTITY a \"b\">]>")
                                       << "DTD";

        QTest::newRow("OLE2 signature and nothing sound")
            << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(3000, '\x01') << "klasa.plik: ";
        QTest::newRow("neither zip nor OLE2") << QByteArray("Imię;Nazwisko\n") << "to nie jest arkusz";
    }
    // Each hostile or damaged file is refused, naming the file, quickly.
    void refused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        batch::ReadLimits limits;
        limits.maxInflatedBytes = 8 * 1024 * 1024; // the bombs inflate to 130 and 512 MB
        QElapsedTimer timer;
        timer.start();
        const QString got = refusal(bytes, limits);
        qInfo("%s", qPrintable(got));
        QVERIFY2(got.startsWith(QStringLiteral("klasa.plik")) && got.contains(message), qPrintable(got));
        QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    }

    // A shared-string table larger than any class list could use is refused
    // before it fills memory; within bounds it is read.
    void hugeSharedStrings()
    {
        sheetsamples::Xlsx x;
        x.sheetData = "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c></row>";
        for (int i = 0; i < 200; ++i)
            x.shared.append(QString::number(i));
        batch::ReadLimits limits;
        limits.maxRows = 20;
        limits.maxColumns = 10;
        QCOMPARE(read(sheetsamples::xlsx(x), {}, limits).rows, (QList<QStringList>{{"1"}}));
        limits.maxColumns = 9;
        QVERIFY(refusal(sheetsamples::xlsx(x), limits).contains(QStringLiteral("tablica tekstów ma ponad 180 pozycji")));
        // An overlong string stays harmless until a cell uses it.
        x.shared[1] = QString(5000, QLatin1Char('x'));
        limits = {};
        QVERIFY(refusal(sheetsamples::xlsx(x), limits).contains(QStringLiteral("komórka A1: tekst dłuższy niż 4096")));
        x.sheetData = "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>";
        QCOMPARE(read(sheetsamples::xlsx(x)).rows, (QList<QStringList>{{"0"}}));
    }

    void fileOverTheSizeLimit()
    {
        batch::ReadLimits limits;
        limits.maxFileBytes = 1024;
        const QByteArray bytes = sheetsamples::xlsxRows(sheetsamples::classList(100));
        QVERIFY(refusal(bytes, limits).startsWith(QStringLiteral("klasa.plik: plik ma ponad")));
    }

    // The .xls reader's scratch copy goes away whether the file is read or
    // refused, and a damaged .xls made by xlwt is refused, not misread.
    void xlsScratchCopyAlwaysRemoved()
    {
        const QByteArray xls = written(QStringLiteral("xls"), {sheet("S", oneRow({"Anna", 5}))});
        QVERIFY(!xls.isEmpty());
        QCOMPARE(read(xls).rows, (QList<QStringList>{{"Anna", "5"}}));
        QVERIFY(!refusal(xls, {}, QStringLiteral("Nie ma")).isEmpty());
        for (const qsizetype cut : {qsizetype(600), xls.size() / 2, xls.size() - 100}) {
            const QString got = refusal(xls.left(cut));
            QVERIFY2(got.startsWith(QStringLiteral("klasa.plik: ")), qPrintable(QString::number(cut) + got));
        }
        QCOMPARE(QDir(scratch_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    // A few kilobytes declaring two sheets of 65536 x 256 cells would make
    // libfreexl allocate half a gigabyte: the reader's child process runs out
    // of its bounded memory instead, and the file is refused.
    void xlsDeclaringHugeSheets()
    {
        QByteArray xls = written(QStringLiteral("xls"), {sheet("A", oneRow({"a"})), sheet("B", oneRow({"b"}))});
        const QByteArray dimensions("\x00\x02\x0e\x00", 4); // the DIMENSIONS record: rows and columns used
        int patched = 0;
        for (qsizetype at = xls.indexOf(dimensions); at >= 0; at = xls.indexOf(dimensions, at + 1), ++patched)
            xls.replace(at + 4, 12, QByteArray("\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x01\x00\x00", 12));
        QCOMPARE(patched, 2);
        const QString got = refusal(xls);
        QVERIFY2(got.startsWith(QStringLiteral("klasa.plik: ")), qPrintable(got));
#ifndef __SANITIZE_ADDRESS__ // there the sanitizer's allocator stops the child instead
        QVERIFY2(got.contains(QStringLiteral("pamię")), qPrintable(got));
#endif
        // A forked child starts with the test's own pages; it may add little to them.
        rusage self{}, children{};
        getrusage(RUSAGE_SELF, &self);
        getrusage(RUSAGE_CHILDREN, &children);
        QVERIFY2(children.ru_maxrss < self.ru_maxrss + 200 * 1024,
                 qPrintable(QStringLiteral("%1 kB, the test %2 kB").arg(children.ru_maxrss).arg(self.ru_maxrss)));
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetsHostile)
#include "tst_spreadsheets_hostile.moc"
