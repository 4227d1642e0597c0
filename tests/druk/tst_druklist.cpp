// Name lists, file names and the command line of dyplom-druk.
#include "druk/FileNames.h"
#include "druk/NameList.h"
#include "druk/Options.h"

#include <QtTest>

using namespace druk;

class TestDrukList : public QObject {
    Q_OBJECT

private slots:
    void plainListSkipsBlankLines();
    void csvHeaderMapsColumns();
    void csvWithoutHeaderTakesTheColumnOrder();
    void commaSeparatedCsvWithQuotes();
    void badRowsNameTheirLine_data();
    void badRowsNameTheirLine();
    void safeFileNames_data();
    void safeFileNames();
    void collisionsAreNumbered();
    void commandLine();
    void badCommandLines_data();
    void badCommandLines();
};

void TestDrukList::plainListSkipsBlankLines()
{
    const auto records = parseNameLines("\xEF\xBB\xBF" "Anna Nowak\r\n\r\n  Jan Kowalski  \n\n\nZofia Wiśniewska");
    QCOMPARE(records.size(), 3);
    QCOMPARE(*records[0].recipient, QStringLiteral("Anna Nowak"));
    QCOMPARE(records[1].line, 3);
    QCOMPARE(*records[1].recipient, QStringLiteral("Jan Kowalski"));
    QCOMPARE(*records[2].recipient, QStringLiteral("Zofia Wiśniewska"));
    QCOMPARE(records[2].line, 6);
    QVERIFY(!records[0].heading && !records[0].body[0]);
}

void TestDrukList::csvHeaderMapsColumns()
{
    const auto records = parseCsv("Nagłówek;DLA;treść2;tresc6\n"
                                  "Dyplom uznania;Anna Nowak;za udział;Dyrektor\n"
                                  "\n"
                                  ";Jan Kowalski;;\n");
    QCOMPARE(records.size(), 2);
    QCOMPARE(*records[0].heading, QStringLiteral("Dyplom uznania"));
    QCOMPARE(*records[0].recipient, QStringLiteral("Anna Nowak"));
    QCOMPARE(*records[0].body[1], QStringLiteral("za udział"));
    QCOMPARE(*records[0].body[5], QStringLiteral("Dyrektor"));
    QVERIFY(!records[0].body[0]); // no column: the diploma's own text stays
    QCOMPARE(records[1].line, 4);
    QCOMPARE(*records[1].heading, QString()); // an empty cell empties the text
}

void TestDrukList::csvWithoutHeaderTakesTheColumnOrder()
{
    const auto records = parseCsv("Anna Nowak,Dyplom,linia 1\nJan Kowalski\n");
    QCOMPARE(records.size(), 2);
    QCOMPARE(*records[0].recipient, QStringLiteral("Anna Nowak"));
    QCOMPARE(*records[0].heading, QStringLiteral("Dyplom"));
    QCOMPARE(*records[0].body[0], QStringLiteral("linia 1"));
    QCOMPARE(*records[1].recipient, QStringLiteral("Jan Kowalski"));
    QVERIFY(!records[1].heading);
    QCOMPARE(records[0].line, 1);
}

void TestDrukList::commaSeparatedCsvWithQuotes()
{
    const auto records = parseCsv("dla,tresc1\n\"Nowak, Anna\",\"za \"\"Złote pióro\"\"\"\n");
    QCOMPARE(records.size(), 1);
    QCOMPARE(*records[0].recipient, QStringLiteral("Nowak, Anna"));
    QCOMPARE(*records[0].body[0], QStringLiteral("za \"Złote pióro\""));
}

void TestDrukList::badRowsNameTheirLine_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("what");
    QTest::newRow("unknown column") << QByteArray("dla;klasa\nAnna;3b\n") << 1 << QStringLiteral("klasa");
    QTest::newRow("repeated column") << QByteArray("dla;DLA\nA;B\n") << 1 << QStringLiteral("powtórzona");
    QTest::newRow("too many fields") << QByteArray("dla;tresc1\nAnna;x\nJan;y;z\n") << 3 << QStringLiteral("3 pól");
    QTest::newRow("too few fields") << QByteArray("dla;tresc1\n\nAnna\n") << 3 << QStringLiteral("1 pól");
    QTest::newRow("no header, nine fields") << QByteArray("a,b,c,d,e,f,g,h,i\n") << 1 << QStringLiteral("9 pól");
    QTest::newRow("unclosed quote") << QByteArray("dla\nAnna\n\"Jan\n") << 3 << QStringLiteral("cudzysłów");
    QTest::newRow("text after quote") << QByteArray("dla;tresc1\n\"Jan\"x;y\n") << 2 << QStringLiteral("cudzysłowie");
    QTest::newRow("empty name") << QByteArray("dla;tresc1\n ;x\n") << 2 << QStringLiteral("dla");
    QTest::newRow("not UTF-8") << QByteArray("dla\nAnna\nJ\xB3zef\n") << 3 << QStringLiteral("UTF-8");
}

void TestDrukList::badRowsNameTheirLine()
{
    QFETCH(QByteArray, csv);
    QFETCH(int, line);
    QFETCH(QString, what);
    try {
        parseCsv(csv);
        QFAIL("accepted");
    } catch (const ListError &e) {
        QCOMPARE(e.line(), line);
        const QString text = QString::fromUtf8(e.what());
        QVERIFY2(text.startsWith(QStringLiteral("wiersz %1:").arg(line)) && text.contains(what), e.what());
    }
}

void TestDrukList::safeFileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stem");
    QTest::newRow("plain") << QStringLiteral("Zofia Wiśniewska") << QStringLiteral("Zofia Wiśniewska");
    QTest::newRow("separators") << QStringLiteral("a/b\\c:d*e?f\"g<h>i|j") << QStringLiteral("a_b_c_d_e_f_g_h_i_j");
    QTest::newRow("dots") << QStringLiteral("../..") << QStringLiteral("_");
    QTest::newRow("only dots") << QStringLiteral(" .. ") << QStringLiteral("dyplom");
    QTest::newRow("empty") << QString() << QStringLiteral("dyplom");
    QTest::newRow("device name") << QStringLiteral("con") << QStringLiteral("_con");
    QTest::newRow("control") << QStringLiteral("a\tb") << QStringLiteral("a_b");
    QTest::newRow("long") << QString(150, QLatin1Char('x')) << QString(100, QLatin1Char('x'));
}

void TestDrukList::safeFileNames()
{
    QFETCH(QString, name);
    QFETCH(QString, stem);
    QCOMPARE(safeFileStem(name), stem);
}

void TestDrukList::collisionsAreNumbered()
{
    const QStringList names = uniqueFileNames({QStringLiteral("Jan Nowak"), QStringLiteral("Anna"),
                                               QStringLiteral("jan nowak"), QStringLiteral("Jan Nowak"),
                                               QStringLiteral("Jan Nowak (2)")},
                                              QStringLiteral(".pdf"));
    QCOMPARE(names, (QStringList{QStringLiteral("Jan Nowak.pdf"), QStringLiteral("Anna.pdf"),
                                 QStringLiteral("jan nowak (2).pdf"), QStringLiteral("Jan Nowak (3).pdf"),
                                 QStringLiteral("Jan Nowak (2) (2).pdf")}));
}

void TestDrukList::commandLine()
{
    Options o = parseOptions({QStringLiteral("d.dyp"), QStringLiteral("-o"), QStringLiteral("x.pdf"),
                              QStringLiteral("--obszar"), QStringLiteral("198,3x284+6+6"), QStringLiteral("-r"),
                              QStringLiteral("300"), QStringLiteral("--margin-wz-l=5"), QStringLiteral("--margin-wz-g"),
                              QStringLiteral("-3")});
    QCOMPARE(o.diploma, QStringLiteral("d.dyp"));
    QCOMPARE(o.output, QStringLiteral("x.pdf"));
    QCOMPARE(o.printableMm, QRectF(6, 6, 198.3, 284));
    QCOMPARE(o.printerDpi, 300);
    QCOMPARE(o.templateLeft, 5);
    QCOMPARE(o.templateTop, -3);

    o = parseOptions({QStringLiteral("-P"), QStringLiteral("d.dyp")});
    QVERIFY(o.toPrinter);
    QCOMPARE(o.printerName, QString());
    QCOMPARE(o.diploma, QStringLiteral("d.dyp"));
    o = parseOptions({QStringLiteral("d.dyp"), QStringLiteral("-P"), QStringLiteral("Biuro")});
    QCOMPARE(o.printerName, QStringLiteral("Biuro"));
    o = parseOptions({QStringLiteral("--katalog"), QStringLiteral("k.pdf")});
    QCOMPARE(o.catalogue, QStringLiteral("k.pdf"));
}

void TestDrukList::badCommandLines_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("no output") << QStringList{QStringLiteral("d.dyp")};
    QTest::newRow("unknown option") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("--kolor")};
    QTest::newRow("missing value") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o")};
    QTest::newRow("dpi not a number") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("--png"),
                                                     QStringLiteral("p"), QStringLiteral("--dpi"),
                                                     QStringLiteral("dużo")};
    QTest::newRow("printer below 13 dpi") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"),
                                                         QStringLiteral("x.pdf"), QStringLiteral("-r"),
                                                         QStringLiteral("12")};
    QTest::newRow("area off the sheet") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"),
                                                       QStringLiteral("x.pdf"), QStringLiteral("--obszar"),
                                                       QStringLiteral("200x290+20+0")};
    QTest::newRow("two diplomas") << QStringList{QStringLiteral("a.dyp"), QStringLiteral("b.dyp"),
                                                 QStringLiteral("-o"), QStringLiteral("x.pdf")};
    QTest::newRow("list without diploma") << QStringList{QStringLiteral("--katalog"), QStringLiteral("k.pdf"),
                                                         QStringLiteral("--lista"), QStringLiteral("n.txt")};
}

void TestDrukList::badCommandLines()
{
    QFETCH(QStringList, args);
    QVERIFY_THROWS_EXCEPTION(UsageError, parseOptions(args));
}

QTEST_MAIN(TestDrukList)
#include "tst_druklist.moc"
