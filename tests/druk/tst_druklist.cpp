// File names, messages and the command line of dyplom-druk (lists: tests/batch).
#include "batch/output/ErrorTexts.h"
#include "batch/output/FileNames.h"
#include "druk/Options.h"

#include "platform/IoError.h"

#include <QtTest>

using namespace druk;

class TestDrukList : public QObject {
    Q_OBJECT

private slots:
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

    // The list options, and --sprawdz needing no output.
    o = parseOptions({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("l.txt"),
                      QStringLiteral("--sprawdz"), QStringLiteral("--separator"), QStringLiteral("tab"),
                      QStringLiteral("--kodowanie=CP1251"), QStringLiteral("--wiersze"), QStringLiteral("5,12-14"),
                      QStringLiteral("--dopasuj"), QStringLiteral("--wysrodkuj"), QStringLiteral("--arkusz"),
                      QStringLiteral("3b")});
    QVERIFY(o.lists.check && o.lists.shrink && o.lists.centre);
    QCOMPARE(o.lists.separator, QLatin1Char('\t'));
    QCOMPARE(o.lists.encoding, QStringLiteral("Windows-1251"));
    QCOMPARE(o.lists.rows, QStringLiteral("5,12-14"));
    QCOMPARE(o.lists.sheet, QStringLiteral("3b"));
    o = parseOptions({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("l.txt"),
                      QStringLiteral("--numer-od"), QStringLiteral("41"), QStringLiteral("--data"),
                      QStringLiteral("koniec roku"), QStringLiteral("-o"), QStringLiteral("x.pdf")});
    QCOMPARE(o.lists.firstNumber, 41);
    QCOMPARE(o.lists.date, QStringLiteral("koniec roku"));
    for (const char *word : {"{Imię}", "--wiersze", "--sprawdz", "--dopasuj", "--wysrodkuj", "Windows-1251",
                             "--kodowanie", ".xlsx", "--numer-od", "--data", "{zajął|zajęła}", "@D"})
        QVERIFY2(helpText().contains(QString::fromUtf8(word)), word);
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
    QTest::newRow("printer below 13 dpi")
        << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"), QStringLiteral("x.pdf"), QStringLiteral("-r"),
                       QStringLiteral("12")};
    QTest::newRow("area off the sheet") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"),
                                                       QStringLiteral("x.pdf"), QStringLiteral("--obszar"),
                                                       QStringLiteral("200x290+20+0")};
    QTest::newRow("two diplomas") << QStringList{QStringLiteral("a.dyp"), QStringLiteral("b.dyp"), QStringLiteral("-o"),
                                                 QStringLiteral("x.pdf")};
    QTest::newRow("list without diploma") << QStringList{QStringLiteral("--katalog"), QStringLiteral("k.pdf"),
                                                         QStringLiteral("--lista"), QStringLiteral("n.txt")};
    QTest::newRow("rows without a list") << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"),
                                                        QStringLiteral("x.pdf"), QStringLiteral("--wiersze"),
                                                        QStringLiteral("2")};
    QTest::newRow("rows reversed") << QStringList{QStringLiteral("d.dyp"),     QStringLiteral("--lista"),
                                                  QStringLiteral("n.txt"),     QStringLiteral("--sprawdz"),
                                                  QStringLiteral("--wiersze"), QStringLiteral("9-3")};
    QTest::newRow("unknown encoding") << QStringList{QStringLiteral("d.dyp"),       QStringLiteral("--lista"),
                                                     QStringLiteral("n.txt"),       QStringLiteral("--sprawdz"),
                                                     QStringLiteral("--kodowanie"), QStringLiteral("koi8")};
    QTest::newRow("separator of two characters")
        << QStringList{QStringLiteral("d.dyp"),     QStringLiteral("--lista"),     QStringLiteral("n.txt"),
                       QStringLiteral("--sprawdz"), QStringLiteral("--separator"), QStringLiteral(";;")};
    QTest::newRow("a first number without a list")
        << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"), QStringLiteral("x.pdf"),
                       QStringLiteral("--numer-od"), QStringLiteral("5")};
    QTest::newRow("a first number that is none")
        << QStringList{QStringLiteral("d.dyp"),     QStringLiteral("--lista"),    QStringLiteral("n.txt"),
                       QStringLiteral("--sprawdz"), QStringLiteral("--numer-od"), QStringLiteral("pięć")};
    QTest::newRow("an empty date") << QStringList{QStringLiteral("d.dyp"),  QStringLiteral("--lista"),
                                                  QStringLiteral("n.txt"),  QStringLiteral("--sprawdz"),
                                                  QStringLiteral("--data"), QStringLiteral(" ")};
    QTest::newRow("a date without a list")
        << QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"), QStringLiteral("x.pdf"), QStringLiteral("--data"),
                       QStringLiteral("2026-06-19")};
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
