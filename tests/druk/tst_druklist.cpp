// Name lists, file names, messages and the command line of dyplom-druk.
#include "druk/ErrorTexts.h"
#include "druk/FileNames.h"
#include "druk/NameList.h"
#include "druk/Options.h"

#include "platform/Cp1250.h"
#include "platform/IoError.h"

#include <QtTest>

using namespace druk;

class TestDrukList : public QObject {
    Q_OBJECT

private slots:
    void plainListSkipsBlankLines();
    void everyLineBreakEndsALine_data();
    void everyLineBreakEndsALine();
    void spreadsheetEncodingsAreRead();
    void csvHeaderMapsColumns();
    void csvWithoutHeaderTakesTheColumnOrder();
    void unknownHeaderIsRefused();
    void commaSeparatedCsvWithQuotes();
    void badRowsNameTheirLine_data();
    void badRowsNameTheirLine();
    void safeFileNames_data();
    void safeFileNames();
    void collisionsAreNumbered();
    void longNamesFitTheFileSystem();
    void quotedTextsAreSafeOnATerminal();
    void systemTextsArePolish();
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

void TestDrukList::everyLineBreakEndsALine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("LF") << QByteArray("Anna\nJan\n\nZofia\n");
    QTest::newRow("CR LF") << QByteArray("Anna\r\nJan\r\n\r\nZofia\r\n");
    // Old Mac and some spreadsheet exports: CR alone.
    QTest::newRow("CR") << QByteArray("Anna\rJan\r\rZofia\r");
    QTest::newRow("mixed") << QByteArray("Anna\rJan\n\r\nZofia");
}

void TestDrukList::everyLineBreakEndsALine()
{
    QFETCH(QByteArray, bytes);
    const auto records = parseNameLines(bytes);
    QCOMPARE(records.size(), 3);
    QCOMPARE(*records[0].recipient, QStringLiteral("Anna"));
    QCOMPARE(*records[1].recipient, QStringLiteral("Jan"));
    QCOMPARE(*records[2].recipient, QStringLiteral("Zofia"));
    QCOMPARE(records[2].line, 4);
    const auto csv = parseCsv(QByteArray("dla;tresc1\r")
                                  .append(QByteArray(bytes).replace("Anna", "Anna;").replace("Jan", "Jan;x").replace("Zofia", "Zofia;")));
    QCOMPARE(csv.size(), 3);
    QCOMPARE(*csv[1].body[0], QStringLiteral("x"));
}

void TestDrukList::spreadsheetEncodingsAreRead()
{
    const QString names = QStringLiteral("dla;tresc1\nJózef Łęcki;zażółć gęślą jaźń\nŚwiętosław Źdźbło;x\n");
    const auto check = [](const QList<ListRecord> &records) {
        QCOMPARE(records.size(), 2);
        QCOMPARE(*records[0].recipient, QStringLiteral("Józef Łęcki"));
        QCOMPARE(*records[0].body[0], QStringLiteral("zażółć gęślą jaźń"));
        QCOMPARE(*records[1].recipient, QStringLiteral("Świętosław Źdźbło"));
    };
    check(parseCsv(names.toUtf8()));
    check(parseCsv("\xEF\xBB\xBF" + names.toUtf8()));
    // A semicolon CSV saved by a spreadsheet on a Polish Windows.
    const QByteArray cp1250 = platform::toCp1250(names);
    QVERIFY(!cp1250.contains('?'));
    check(parseCsv(cp1250));
    // "Unicode text" from the same spreadsheet.
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : names)
        utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    check(parseCsv(utf16));
    QCOMPARE(*parseNameLines("J\xF3zef\r\n\xA3ucja").last().recipient, QStringLiteral("Łucja"));
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
    const auto records = parseCsv("Anna Nowak,Dyplom,linia 1\nJan Kowalski\n", CsvHeader::None);
    QCOMPARE(records.size(), 2);
    QCOMPARE(*records[0].recipient, QStringLiteral("Anna Nowak"));
    QCOMPARE(*records[0].heading, QStringLiteral("Dyplom"));
    QCOMPARE(*records[0].body[0], QStringLiteral("linia 1"));
    QCOMPARE(*records[1].recipient, QStringLiteral("Jan Kowalski"));
    QVERIFY(!records[1].heading);
    QCOMPARE(records[0].line, 1);

    // Told there is no header, a first row of column names is data too.
    QCOMPARE(*parseCsv("dla;naglowek\nAnna;B\n", CsvHeader::None)[0].recipient, QStringLiteral("dla"));
    QVERIFY_THROWS_EXCEPTION(ListError, parseCsv("a,b,c,d,e,f,g,h,i\n", CsvHeader::None));
    // One column without a header: a plain list of names.
    QCOMPARE(parseCsv("Anna Nowak\nJan Kowalski\n").size(), 2);
}

void TestDrukList::unknownHeaderIsRefused()
{
    // Printed as data this gave a diploma for "Imię i nazwisko" headed "Klasa".
    try {
        parseCsv("Imi\xC4\x99 i nazwisko;Klasa\nAla Kot;3b\nJan Nowak;3b\n");
        QFAIL("accepted");
    } catch (const ListError &e) {
        QCOMPARE(e.line(), 1);
        const QString text = QString::fromUtf8(e.what());
        QVERIFY2(text.contains(QStringLiteral("dla, naglowek, tresc1")) && text.contains(QStringLiteral("--bez-naglowka"))
                     && text.contains(QStringLiteral("„Imię i nazwisko”")),
                 e.what());
    }
    const auto records = parseCsv("Imi\xC4\x99 i nazwisko;Klasa\nAla Kot;3b\n", CsvHeader::None);
    QCOMPARE(records.size(), 2);
    QCOMPARE(*records[1].heading, QStringLiteral("3b"));
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
    QTest::newRow("no header, nine fields") << QByteArray("dla,tresc1\na,b,c,d,e,f,g,h,i\n") << 2 << QStringLiteral("9 pól");
    QTest::newRow("unclosed quote") << QByteArray("dla\nAnna\n\"Jan\n") << 3 << QStringLiteral("cudzysłów");
    QTest::newRow("text after quote") << QByteArray("dla;tresc1\n\"Jan\"x;y\n") << 2 << QStringLiteral("cudzysłowie");
    QTest::newRow("empty name") << QByteArray("dla;tresc1\n ;x\n") << 2 << QStringLiteral("dla");
    QTest::newRow("NUL") << QByteArray("dla\nAnna\nJ\0zef\n", 15) << 3 << QStringLiteral("NUL");
    QTest::newRow("control bytes quoted safely") << QByteArray("dla;\x1B[2Jkolumna\nA;B\n") << 1
                                                 << QStringLiteral("„\\x1b[2Jkolumna”");
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
    QTest::newRow("long") << QString(300, QLatin1Char('x')) << QString(255, QLatin1Char('x'));
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

void TestDrukList::longNamesFitTheFileSystem()
{
    // 150 Cyrillic letters: 300 bytes, over the 255 a file name may have.
    const QString cyrillic = QString(150, QChar(0x0416));
    const QStringList names = uniqueFileNames({safeFileStem(cyrillic), safeFileStem(cyrillic)}, QStringLiteral(".pdf"));
    QCOMPARE(names.size(), 2);
    for (const QString &name : names) {
        QVERIFY2(name.toUtf8().size() <= MaxFileNameBytes, qPrintable(name));
        QVERIFY(name.endsWith(QLatin1String(".pdf")));
    }
    QCOMPARE(names[0], QString(125, QChar(0x0416)) + QStringLiteral(".pdf"));
    QVERIFY(names[1].endsWith(QLatin1String(" (2).pdf")));
    QCOMPARE(names[0].toUtf8().size(), 254);

    // An emoji (a surrogate pair) or a letter with a combining accent where
    // the cut falls is left out whole.
    const QString emoji = QString(250, QLatin1Char('a')) + QStringLiteral("\U0001F600") + QStringLiteral("bbb");
    const QString cut = uniqueFileNames({safeFileStem(emoji)}, QStringLiteral(".pdf")).first();
    QCOMPARE(cut, QString(250, QLatin1Char('a')) + QStringLiteral(".pdf"));
    const QString accent = QString(249, QLatin1Char('a')) + QStringLiteral("e\u0301x");
    QCOMPARE(cutToUtf8Bytes(accent, 251), QString(249, QLatin1Char('a')));
    QCOMPARE(cutToUtf8Bytes(accent, 252), QString(249, QLatin1Char('a')) + QStringLiteral("e\u0301"));
    QCOMPARE(cutToUtf8Bytes(QStringLiteral("krótko"), 255), QStringLiteral("krótko"));
}

void TestDrukList::quotedTextsAreSafeOnATerminal()
{
    QCOMPARE(quotedForMessage(QStringLiteral("Anna\x1B[31m\tNowak\u202E")),
             QStringLiteral("Anna\\x1b[31m\\x09Nowak\\u202e"));
    const QString cut = quotedForMessage(QString(500, QChar(0x0416)), 60);
    QCOMPARE(cut, QString(60, QChar(0x0416)) + QChar(0x2026));
    QCOMPARE(quotedForMessage(QStringLiteral("Zofia Wiśniewska")), QStringLiteral("Zofia Wiśniewska"));
}

void TestDrukList::systemTextsArePolish()
{
    QCOMPARE(systemErrorText(ENOSPC), QStringLiteral("brak miejsca na dysku"));
    QCOMPARE(systemErrorText(ENOENT), QStringLiteral("nie ma takiego pliku ani katalogu"));
    QCOMPARE(exceptionText(platform::IoError(platform::IoCode::FileNotFound)), QStringLiteral("nie ma takiego pliku"));
    QCOMPARE(exceptionText(platform::IoError(platform::IoCode::DiskFull)), QStringLiteral("brak miejsca na dysku"));
    QCOMPARE(metafileErrorText("not a metafile"), QStringLiteral("to nie jest metaplik WMF"));
    QCOMPARE(metafileErrorText("damaged metafile: the file is too large"),
             QStringLiteral("uszkodzony metaplik: plik jest za duży"));
    QCOMPARE(metafileErrorText("damaged metafile: something new"), QStringLiteral("uszkodzony metaplik"));
    QCOMPARE(openFailureText(QStringLiteral("/nie/ma/takiego")), QStringLiteral("nie ma takiego pliku ani katalogu"));
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
    o = parseOptions({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("l.csv"),
                      QStringLiteral("--bez-naglowka"), QStringLiteral("-o"), QStringLiteral("x.pdf")});
    QVERIFY(o.noHeader);
    QVERIFY(helpText().contains(QStringLiteral("Windows-1250")));
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
    QTest::newRow("no header without a list") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"),
                                                              QStringLiteral("x.pdf"), QStringLiteral("--bez-naglowka")};
}

void TestDrukList::badCommandLines()
{
    QFETCH(QStringList, args);
    QVERIFY_THROWS_EXCEPTION(UsageError, parseOptions(args));
}

QTEST_MAIN(TestDrukList)
#include "tst_druklist.moc"
