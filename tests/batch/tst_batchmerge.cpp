// What the rows of a class list mean for a diploma: headers as registers
// write them, names put together or turned, fields in the diploma's texts,
// and the refusals that name the file, the line and the reason.
#include "batch/Texts.h"
#include "batch/merge/Merger.h"
#include "batch/merge/RowSelection.h"
#include "batch/table/TextTable.h"

#include <QtTest>

namespace {

editor::DiplomaTexts diploma(const QString &recipient = QStringLiteral("Imię z dyplomu"), const QString &body1 = {})
{
    editor::DiplomaTexts t;
    t.heading = QStringLiteral("Dyplom");
    t.recipient = recipient;
    t.body[0] = body1;
    return t;
}

batch::MergeResult merge(const QByteArray &bytes, const editor::DiplomaTexts &texts, bool noHeader = false,
                         const QString &name = QStringLiteral("klasa.csv"), batch::MergeSettings s = {})
{
    s.noHeader = noHeader;
    s.listName = name;
    s.diplomaName = QStringLiteral("d.dyp");
    return batch::mergeList(batch::readTextTable(bytes, name, {}), texts, s);
}

QString recipients(const batch::MergeResult &r)
{
    QStringList names;
    for (const batch::MergedRecord &m : r.records)
        names.append(m.texts.recipient);
    return names.join(QLatin1Char('/'));
}

QString refusal(const QByteArray &bytes, const editor::DiplomaTexts &texts, bool noHeader = false,
                const batch::MergeSettings &settings = {})
{
    try {
        merge(bytes, texts, noHeader, QStringLiteral("klasa.csv"), settings);
    } catch (const batch::TableError &e) {
        return QString::fromUtf8(e.what());
    }
    return QStringLiteral("<taken>");
}

} // namespace

class TestBatchMerge : public QObject {
    Q_OBJECT
private slots:
    void recipientsFromRegisterHeaders_data();
    void recipientsFromRegisterHeaders();
    void wholeLineColumnsKeepWorking();
    void fieldsFillAnyText();
    void letterFieldsWithAndWithoutHeader();
    void repeatedHeaderAndEmptyNamesAreSkipped();
    void turnedNamesAreListed();
    void refusalsNameWhatIsWrong_data();
    void refusalsNameWhatIsWrong();
    void recordSelection();
    void builtinFieldsNumberAndDate();
    void columnsOfTheSameNameWin();
    void wordingAgreesWithThePupil();
    void namesInTheGenitiveAndDative();
    void pluralForms_data();
    void pluralForms();
};

void TestBatchMerge::recipientsFromRegisterHeaders_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("names");

    QTest::newRow("plain list") << "a.txt" << QByteArray("Anna Nowak\nJan Kowalski\n") << "Anna Nowak/Jan Kowalski";
    QTest::newRow("one column headed Imię i nazwisko")
        << "a.txt" << QByteArray("Imię i nazwisko\nAnna Nowak\nJan Kowalski\n") << "Anna Nowak/Jan Kowalski";
    QTest::newRow("one column headed Uczeń") << "a.csv" << QByteArray("Uczeń\nAnna Nowak\n") << "Anna Nowak";
    QTest::newRow("Imię and Nazwisko") << "a.csv"
                                       << QByteArray("Lp;Imię;Nazwisko;Klasa\n1;Anna;Nowak;3a\n2;Jan;Kowalski;3b\n")
                                       << "Anna Nowak/Jan Kowalski";
    QTest::newRow("Nazwisko;Imię;Klasa") << "a.csv" << QByteArray("Nazwisko;Imię;Klasa\nNowak;Anna;3a\n") << "Anna Nowak";
    QTest::newRow("headers without Polish letters, any case")
        << "a.csv" << QByteArray("IMIE;NAZWISKO\nAnna;Nowak\n") << "Anna Nowak";
    QTest::newRow("Nazwisko i imię turned")
        << "a.csv" << QByteArray("Nazwisko i imię;Klasa\nKowalska Anna Maria;3a\nNowak-Gęś Jan;3b\n")
        << "Anna Maria Kowalska/Jan Nowak-Gęś";
    QTest::newRow("dla wins over name columns")
        << "a.csv" << QByteArray("Imię;Nazwisko;dla\nAnna;Nowak;Pani Anna\n") << "Pani Anna";
    QTest::newRow("Cyrillic headers") << "a.csv" << QStringLiteral("Ім'я;Прізвище\nОлександр;Шевченко\n").toUtf8()
                                      << "Олександр Шевченко";
    QTest::newRow("Ukrainian register, surname first")
        << "a.csv" << QStringLiteral("ПІБ;Клас\nШевченко Олександр;3-А\n").toUtf8() << "Олександр Шевченко";
    QTest::newRow("tab-separated export") << "a.txt" << QByteArray("Imię\tNazwisko\nAnna\tNowak\n") << "Anna Nowak";
}

void TestBatchMerge::recipientsFromRegisterHeaders()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, names);
    const batch::MergeResult r = merge(bytes, diploma(), false, file);
    QCOMPARE(recipients(r), names);
    for (int i = 0; i < r.records.size(); ++i) {
        QCOMPARE(r.records[i].number, i + 1);
        QVERIFY(r.records[i].filled[7]);
    }
}

void TestBatchMerge::wholeLineColumnsKeepWorking()
{
    const batch::MergeResult r = merge("DLA;Nagłówek;treść1;Tresc6\nAnna;Wyróżnienie;za wyniki;;\nJan;;x;y\n", diploma());
    QCOMPARE(r.records.size(), 2);
    QCOMPARE(r.records[0].texts.heading, QStringLiteral("Wyróżnienie"));
    QCOMPARE(r.records[0].texts.body[0], QStringLiteral("za wyniki"));
    QCOMPARE(r.records[0].texts.body[5], QString()); // an empty cell empties its line
    QCOMPARE(r.records[1].texts.heading, QString());
    QCOMPARE(r.records[1].texts.body[5], QStringLiteral("y"));
    QCOMPARE(r.records[1].origin.line, 3);

    // Without a header the columns follow dla, naglowek, tresc1 …
    const batch::MergeResult n = merge("Anna;Dyplom;za wyniki\n", diploma(), true);
    QCOMPARE(n.records[0].texts.recipient, QStringLiteral("Anna"));
    QCOMPARE(n.records[0].texts.heading, QStringLiteral("Dyplom"));
    QCOMPARE(n.records[0].texts.body[0], QStringLiteral("za wyniki"));
}

void TestBatchMerge::fieldsFillAnyText()
{
    editor::DiplomaTexts t = diploma(QStringLiteral("{Imię} {NAZWISKO}"),
                                     QStringLiteral("za zajęcie {Miejsce} miejsca w konkursie {konkurs}"));
    t.heading = QStringLiteral("Dyplom {{nr {Lp}}}");
    t.body[5] = QStringLiteral("klasa {Klasa}, a {to} zostaje}");
    const batch::MergeResult r = merge("Lp;Imie;Nazwisko;Klasa;Miejsce;Konkurs;to\n7;Anna;Nowak;3a;I;Kangur;x\n", t);
    QCOMPARE(r.records.size(), 1);
    const editor::DiplomaTexts &m = r.records[0].texts;
    QCOMPARE(m.recipient, QStringLiteral("Anna Nowak"));
    QCOMPARE(m.body[0], QStringLiteral("za zajęcie I miejsca w konkursie Kangur"));
    QCOMPARE(m.heading, QStringLiteral("Dyplom {nr 7}"));
    QCOMPARE(m.body[5], QStringLiteral("klasa 3a, a x zostaje}"));
    QCOMPARE(r.records[0].fields, 7);
    QCOMPARE(r.fieldsFilled, 7);
    QVERIFY(r.records[0].filled[0] && r.records[0].filled[1] && !r.records[0].filled[2]);

    // A header that is no known name is one when a field names it.
    const batch::MergeResult f = merge("Zawodnik;Wynik\nAnna;98\n",
                                       diploma(QStringLiteral("{Zawodnik}"), QStringLiteral("{wynik} pkt")));
    QCOMPARE(f.records.size(), 1);
    QCOMPARE(f.records[0].texts.body[0], QStringLiteral("98 pkt"));
}

void TestBatchMerge::letterFieldsWithAndWithoutHeader()
{
    const editor::DiplomaTexts t = diploma(QStringLiteral("{A} {b}"), QStringLiteral("klasa {C}"));
    const batch::MergeResult h = merge("Imię;Nazwisko;Klasa\nAnna;Nowak;3a\n", t);
    QCOMPARE(h.records[0].texts.recipient, QStringLiteral("Anna Nowak"));
    QCOMPARE(h.records[0].texts.body[0], QStringLiteral("klasa 3a"));
    const batch::MergeResult n = merge("Anna;Nowak;3a\nJan;Kowalski\n", t, true);
    QCOMPARE(recipients(n), QStringLiteral("Anna Nowak/Jan Kowalski"));
    QCOMPARE(n.records[1].texts.body[0], QStringLiteral("klasa ")); // a missing cell is empty
    QCOMPARE(n.records[0].texts.heading, QStringLiteral("Dyplom")); // B is no heading when fields name columns
}

void TestBatchMerge::repeatedHeaderAndEmptyNamesAreSkipped()
{
    // Two exports joined: a mark and a header each.
    const QByteArray joined = QByteArray("\xEF\xBB\xBF"
                                         "dla;tresc1\r\nAnna;x\r\n\xEF\xBB\xBF"
                                         "DLA;Treść1\r\nJan;y\r\n;\r\n");
    const batch::MergeResult r = merge(joined, diploma());
    QCOMPARE(recipients(r), QStringLiteral("Anna/Jan"));
    QCOMPARE(r.records[1].texts.body[0], QStringLiteral("y"));
    QCOMPARE(r.repeatedHeaders, 1);
    QCOMPARE(r.warnings.size(), 1);
    QVERIFY(r.warnings[0].startsWith(QStringLiteral("klasa.csv: wiersz 3: powtórzony nagłówek")));

    const batch::MergeResult e = merge("Lp;Imię;Nazwisko\n1;Anna;Nowak\n2;;\n3;Jan;Kowalski\n", diploma());
    QCOMPARE(recipients(e), QStringLiteral("Anna Nowak/Jan Kowalski"));
    QCOMPARE(e.rowsWithoutName, 1);
    QVERIFY(e.warnings.value(0).startsWith(QStringLiteral("klasa.csv: wiersz 3: brak imienia i nazwiska")));
    QCOMPARE(e.records[1].number, 2);
    QCOMPARE(e.records[1].origin.line, 4);

    // The same when fields make the name.
    const batch::MergeResult f = merge("Lp;Imię;Nazwisko;Klasa\n1;Anna;Nowak;3a\n2; ;;3b\n",
                                       diploma(QStringLiteral("{Imię} {Nazwisko}")));
    QCOMPARE(recipients(f), QStringLiteral("Anna Nowak"));
    QCOMPARE(f.rowsWithoutName, 1);
    QVERIFY(f.warnings.value(0).startsWith(QStringLiteral("klasa.csv: wiersz 3: puste pola tekstu „dla”")));
}

void TestBatchMerge::turnedNamesAreListed()
{
    QCOMPARE(batch::surnameToEnd(QStringLiteral("Kowalska Anna Maria")), QStringLiteral("Anna Maria Kowalska"));
    QCOMPARE(batch::surnameToEnd(QStringLiteral("Kowalska,  Anna")), QStringLiteral("Anna Kowalska"));
    QCOMPARE(batch::surnameToEnd(QStringLiteral("Cher")), QStringLiteral("Cher"));
    const batch::MergeResult r = merge("Nazwisko i imię\nKowalska Anna\nCher\n", diploma(), false,
                                       QStringLiteral("a.txt"));
    QCOMPARE(r.turnedNames, QStringList{QStringLiteral("a.txt: wiersz 2: „Kowalska Anna” → „Anna Kowalska”")});
}

void TestBatchMerge::refusalsNameWhatIsWrong_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("recipient");
    QTest::addColumn<bool>("noHeader");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown field")
        << QByteArray("Imię;Nazwisko\nAnna;Nowak\n") << "{Imię} {Klsa}" << false
        << "d.dyp: pole {Klsa} w tekście „{Imię} {Klsa}” (dla) nie odpowiada żadnej kolumnie listy klasa.csv";
    QTest::newRow("letter past the last column") << QByteArray("Anna;Nowak\n") << "{A} {C}" << true << "d.dyp: pole {C}";
    QTest::newRow("brace left open") << QByteArray("dla\nAnna\n") << "{Imię" << false
                                     << "d.dyp: tekst „{Imię” (dla): nawias „{” bez zamykającego „}”";
    QTest::newRow("several unknown cells are no header")
        << QByteArray("Zawodnik;Punkty\nAnna;98\n") << "x" << false
        << "klasa.csv: wiersz 1: pierwszy wiersz („Zawodnik”, „Punkty”) nie jest nagłówkiem";
    QTest::newRow("row wider than the header") << QByteArray("dla;tresc1\nAnna;x\nJan;y;z\n") << "x" << false
                                               << "klasa.csv: wiersz 3: 3 komórki, a nagłówek ma 2 kolumny";
    QTest::newRow("nine cells without a header")
        << QByteArray("a;b;c;d;e;f;g;h;i\n") << "x" << true << "klasa.csv: wiersz 1: 9 komórek, najwyżej 8";
    QTest::newRow("control bytes quoted safely") << QByteArray("Zawodnik\x1B[2J;Punkty\nA;B\n") << "x" << false
                                                 << "klasa.csv: wiersz 1: pierwszy wiersz („Zawodnik\\x1b[2J”";
    QTest::newRow("a whole-line column twice")
        << QByteArray("dla;Dla\nA;B\n") << "x" << false << "klasa.csv: wiersz 1: kolumna „Dla” powtórzona";
}

void TestBatchMerge::refusalsNameWhatIsWrong()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, recipient);
    QFETCH(bool, noHeader);
    QFETCH(QString, message);
    const QString got = refusal(bytes, diploma(recipient), noHeader);
    QVERIFY2(got.startsWith(message), qPrintable(got));
}

void TestBatchMerge::recordSelection()
{
    const batch::RowSelection s = batch::RowSelection::parse(QStringLiteral("5, 12-14,2"));
    QList<int> chosen;
    for (int n = 1; n <= 20; ++n)
        if (s.contains(n))
            chosen.append(n);
    QCOMPARE(chosen, (QList<int>{2, 5, 12, 13, 14}));
    QCOMPARE(s.highest(), 14);
    QVERIFY(batch::RowSelection().contains(12345));
    for (const char *bad : {"", "0", "3-1", "a", "1,,2", "-4", "1-2-3"})
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, batch::RowSelection::parse(QString::fromLatin1(bad)));
}

QStringList bodies(const batch::MergeResult &r, int line)
{
    QStringList out;
    for (const batch::MergedRecord &m : r.records)
        out.append(m.texts.body[line]);
    return out;
}

void TestBatchMerge::builtinFieldsNumberAndDate()
{
    editor::DiplomaTexts t = diploma(QStringLiteral("{Imię} {Nazwisko}"), QStringLiteral("{Data}, poz. {Lp}"));
    t.heading = QStringLiteral("Nr {Nr}/{Rok}/3b");
    batch::MergeSettings s;
    s.firstNumber = 14;
    s.date = QStringLiteral("2025-06-27");
    s.chosen = batch::RowSelection::parse(QStringLiteral("2-3"));
    const batch::MergeResult r = merge("Imię;Nazwisko\nAnna;Nowak\nJan;Kowalski\n;\nOla;Lis\n", t, false,
                                       QStringLiteral("klasa.csv"), s);
    QCOMPARE(recipients(r), QStringLiteral("Anna Nowak/Jan Kowalski/Ola Lis"));
    // The number counts the diplomas made, the position the records of the list.
    QCOMPARE(r.records[1].texts.heading, QStringLiteral("Nr 14/2025/3b"));
    QCOMPARE(r.records[2].texts.heading, QStringLiteral("Nr 15/2025/3b"));
    QCOMPARE(bodies(r, 0).mid(1),
             (QStringList{QStringLiteral("27 czerwca 2025, poz. 2"), QStringLiteral("27 czerwca 2025, poz. 3")}));

    // Today without --data; a built-in field alone is no reason to read a
    // list's columns by letter: B stays the heading.
    batch::MergeSettings today;
    today.today = QDate(2026, 6, 19);
    const batch::MergeResult n = merge("Anna;Wyróżnienie\n", diploma({}, QStringLiteral("{Data}")), true,
                                       QStringLiteral("a.csv"), today);
    QCOMPARE(n.records[0].texts.heading, QStringLiteral("Wyróżnienie"));
    QCOMPARE(n.records[0].texts.body[0], QStringLiteral("19 czerwca 2026"));

    // A number in the recipient line does not make an empty name a diploma.
    const batch::MergeResult e = merge("Imię;Nazwisko\nAnna;Nowak\n;\n",
                                       diploma(QStringLiteral("{Nr}. {Imię} {Nazwisko}")));
    QCOMPARE(recipients(e), QStringLiteral("1. Anna Nowak"));
    QCOMPARE(e.rowsWithoutName, 0); // a row of separators only is no row
    const batch::MergeResult b = merge("Imię;Nazwisko;Klasa\nAnna;Nowak;3a\n;;3b\n",
                                       diploma(QStringLiteral("{Nr}. {Imię} {Nazwisko}")));
    QCOMPARE(recipients(b), QStringLiteral("1. Anna Nowak"));
    QCOMPARE(b.rowsWithoutName, 1);

    batch::MergeSettings bad;
    bad.date = QStringLiteral("2026-02-30");
    QVERIFY(refusal("dla\nAnna\n", diploma(), false, bad).startsWith(QStringLiteral("--data: „2026-02-30”")));
}

void TestBatchMerge::columnsOfTheSameNameWin()
{
    editor::DiplomaTexts t = diploma(QStringLiteral("{Imię}"), QStringLiteral("{Data} {Lp} {Rok}"));
    t.heading = QStringLiteral("{NR}");
    const batch::MergeResult r = merge("Nr;Lp;Imię;Data;Rok\n7/2026;12;Anna;jutro;2030\n", t);
    QCOMPARE(r.records[0].texts.heading, QStringLiteral("7/2026"));
    QCOMPARE(r.records[0].texts.body[0], QStringLiteral("jutro 12 2030"));
}

void TestBatchMerge::wordingAgreesWithThePupil()
{
    const editor::DiplomaTexts t = diploma(QStringLiteral("{Imię} {Nazwisko}"),
                                           QStringLiteral("{zajął|zajęła} I miejsce jako {uczeń|uczennica}"));
    const batch::MergeResult r = merge(
        "Imię;Nazwisko;Płeć\nAnna;Nowak;K\nKuba;Lis;\nSasza;Wrona;mężczyzna\nNel;Bąk;\nMaria;Zając;M\n", t);
    QCOMPARE(bodies(r, 0),
             (QStringList{QStringLiteral("zajęła I miejsce jako uczennica"), QStringLiteral("zajął I miejsce jako uczeń"),
                          QStringLiteral("zajął I miejsce jako uczeń"), QStringLiteral("zajęła I miejsce jako uczennica"),
                          QStringLiteral("zajął I miejsce jako uczeń")}));
    for (const batch::MergedRecord &m : r.records)
        QCOMPARE(m.unsure, QStringList());

    // Without the column the first name decides, and a doubtful one is named.
    const batch::MergeResult g = merge("Uczeń\nAnna Nowak\nSasza Wrona\n", diploma({}, t.body[0]));
    QCOMPARE(g.records[1].texts.body[0], QStringLiteral("zajęła I miejsce jako uczennica"));
    QCOMPARE(g.records[0].unsure, QStringList());
    QCOMPARE(g.records[1].unsure.size(), 1);
    QVERIFY2(
        g.records[1].unsure[0].startsWith(QStringLiteral("klasa.csv: wiersz 3: Sasza Wrona: płeć z imienia niepewna")),
        qPrintable(g.records[1].unsure[0]));
    // No wording that depends on it: nothing to be unsure of.
    QCOMPARE(merge("Uczeń\nSasza Wrona\n", diploma()).records[0].unsure, QStringList());

    QCOMPARE(refusal("Imię;Płeć\nAnna;K\nJan;x\n", diploma()),
             QStringLiteral("klasa.csv: wiersz 3: kolumna „Płeć”: płeć „x” to nie K ani M (można też pisać "
                            "kobieta/mężczyzna, dziewczynka/chłopiec)"));
    QVERIFY(refusal("dla\nAnna\n", diploma({}, QStringLiteral("{zajął|zajęła|zajęło}")))
                .startsWith(QStringLiteral("d.dyp: tekst „{zajął|zajęła|zajęło}” (treść 1): więcej niż dwie odmiany")));
}

void TestBatchMerge::namesInTheGenitiveAndDative()
{
    editor::DiplomaTexts t = diploma(QStringLiteral("{Imię} {Nazwisko}"), QStringLiteral("dla {Imię i nazwisko@D}"));
    t.body[1] = QStringLiteral("{Imię@C} {Nazwisko @ c}");
    const batch::MergeResult r = merge("Imię;Nazwisko\nJan;Kowalski\nAnna;Nowak\n", t);
    QCOMPARE(bodies(r, 0), (QStringList{QStringLiteral("dla Jana Kowalskiego"), QStringLiteral("dla Anny Nowak")}));
    QCOMPARE(bodies(r, 1), (QStringList{QStringLiteral("Janowi Kowalskiemu"), QStringLiteral("Annie Nowak")}));

    // The school's own form wins; where it is empty the rules give one and
    // say what they are not sure of.
    const batch::MergeResult s = merge(
        "Imię i nazwisko;Imię i nazwisko (D);Płeć\nAleksander Fredro;Aleksandra Fredry;M\nJan Fredro;;M\n",
        diploma({}, QStringLiteral("dla {Imię i nazwisko@D}")));
    QCOMPARE(bodies(s, 0), (QStringList{QStringLiteral("dla Aleksandra Fredry"), QStringLiteral("dla Jana Fredry")}));
    QCOMPARE(s.records[0].unsure, QStringList());
    QCOMPARE(s.records[1].unsure,
             QStringList{QStringLiteral("klasa.csv: wiersz 3: {Imię i nazwisko@D}: „Jan Fredro” → „Jana Fredry” "
                                        "(dopełniacz): niepewne „Fredro”; rozstrzyga kolumna „Imię i nazwisko (D)”")});

    QCOMPARE(refusal("Imię\nJan\n", diploma({}, QStringLiteral("{Imię@X}"))),
             QStringLiteral("d.dyp: pole {Imię@X} w tekście „{Imię@X}” (treść 1): nieznana odmiana „@X” "
                            "(są @D – dopełniacz, @C – celownik)"));
    QVERIFY(refusal("Imię\nJan\n", diploma({}, QStringLiteral("{Nr@D}"))).contains(QStringLiteral("dotyczy imion")));
    // A column may hold "@" in its name.
    QCOMPARE(merge("Imię;kontakt@D\nJan;x\n", diploma({}, QStringLiteral("{kontakt@D}"))).records[0].texts.body[0],
             QStringLiteral("x"));
}

void TestBatchMerge::pluralForms_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    const QList<QPair<int, const char *>> cases{{0, "0 dyplomów"},   {1, "1 dyplom"},       {2, "2 dyplomy"},
                                                {4, "4 dyplomy"},    {5, "5 dyplomów"},     {11, "11 dyplomów"},
                                                {12, "12 dyplomów"}, {14, "14 dyplomów"},   {21, "21 dyplomów"},
                                                {22, "22 dyplomy"},  {112, "112 dyplomów"}, {1004, "1004 dyplomy"}};
    for (const auto &c : cases)
        QTest::newRow(c.second) << c.first << QString::fromUtf8(c.second);
}

void TestBatchMerge::pluralForms()
{
    QFETCH(int, count);
    QFETCH(QString, text);
    QCOMPARE(batch::plural(count, QStringLiteral("dyplom"), QStringLiteral("dyplomy"), QStringLiteral("dyplomów")), text);
}

QTEST_GUILESS_MAIN(TestBatchMerge)
#include "tst_batchmerge.moc"
