// The command line of dyplom-druk: what each option sets, and refusals.
#include "druk/Options.h"

#include <QtTest>

using namespace druk;

class TestDrukOptions : public QObject {
    Q_OBJECT

private slots:
    void commandLine();
    void badCommandLines_data();
    void badCommandLines();
};

void TestDrukOptions::commandLine()
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
    // A ceremony: kinds by a column (the lone .dyp their default), the register, the handout list.
    o = parseOptions({"--lista", "l.csv", "--rodzaj", "Miejsce", "1,2=m.dyp", "=u.dyp", "w.dyp", "--grupuj",
                      "--rejestr", "r.ods", "--lista-odbioru", "o.pdf", "-o", "x.pdf"});
    QCOMPARE(o.diploma, QStringLiteral("m.dyp"));
    QCOMPARE(o.ceremony.kinds.files(), (QStringList{"m.dyp", "u.dyp", "w.dyp"}));
    QCOMPARE(o.ceremony.kinds.kindOf(QStringLiteral("3")), 2);
    QVERIFY(o.ceremony.group);
    QCOMPARE(o.ceremony.registerFile + o.ceremony.handout, QStringLiteral("r.odso.pdf"));
    for (const char *word : {"--rodzaj", "--rodzaj-domyslny", "--grupuj", "--rejestr", "--lista-odbioru"})
        QVERIFY2(helpText().contains(QString::fromUtf8(word)), word);
}

void TestDrukOptions::badCommandLines_data()
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
    const QStringList list{QStringLiteral("--lista"), QStringLiteral("l.csv"), QStringLiteral("-o"),
                           QStringLiteral("x.pdf")};
    QTest::newRow("kinds without a list") << QStringList{"d.dyp", "-o", "x.pdf", "--rodzaj", "Miejsce", "1=a.dyp"};
    QTest::newRow("kinds with two defaults")
        << list + QStringList{"d.dyp", "--rodzaj", "M", "1=a.dyp", "--rodzaj-domyslny", "u.dyp"};
    QTest::newRow("kinds without a pair") << list + QStringList{"--rodzaj", "M"};
    QTest::newRow("a kind without its file") << list + QStringList{"--rodzaj", "M", "1=", "d.dyp"};
    QTest::newRow("grouping without kinds") << list + QStringList{"d.dyp", "--grupuj"};
    QTest::newRow("a register of another format") << list + QStringList{"d.dyp", "--rejestr", "r.xlsx"};
    QTest::newRow("a handout list without a list") << QStringList{"d.dyp", "-o", "x.pdf", "--lista-odbioru", "o.pdf"};
}

void TestDrukOptions::badCommandLines()
{
    QFETCH(QStringList, args);
    QVERIFY_THROWS_EXCEPTION(UsageError, parseOptions(args));
}

QTEST_MAIN(TestDrukOptions)
#include "tst_druk_options.moc"
