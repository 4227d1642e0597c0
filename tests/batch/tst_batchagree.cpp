// Wording that agrees with the pupil: the sex a "Płeć" cell or a first
// name gives, and names in the genitive and the dative checked against a
// table of real name pairs written by hand (a wrong form fails, a form the
// rules flag as unsure may differ).
#include "batch/agree/NameCases.h"
#include "batch/agree/PupilSex.h"
#include "batch/merge/BuiltinFields.h"

#include <QFile>
#include <QtTest>

namespace {

struct NameRow {
    batch::Sex sex;
    QString name, genitive, dative;
};

QList<NameRow> nameTable()
{
    QFile f(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/tests/batch/data/name_cases.tsv"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<NameRow> rows;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (line.startsWith(QLatin1Char('#')) || cells.size() != 4)
            continue;
        rows.append(
            {cells[0] == QLatin1String("K") ? batch::Sex::Female : batch::Sex::Male, cells[1], cells[2], cells[3]});
    }
    return rows;
}

} // namespace

class TestBatchAgree : public QObject {
    Q_OBJECT
private slots:
    void tableOfNamesInTheirCases();
    void firstNamesOfTheTableGiveTheirSex();
    void firstNameRules_data();
    void firstNameRules();
    void sexCells();
    void doubtfulFormsAreFlagged_data();
    void doubtfulFormsAreFlagged();
    void letterCaseAndParts();
    void datesInLongPolishForm();
};

void TestBatchAgree::tableOfNamesInTheirCases()
{
    const QList<NameRow> rows = nameTable();
    QVERIFY2(rows.size() >= 200,
             qPrintable(
                 QStringLiteral("%1 rows in tests/batch/data/name_cases.tsv (DYPLOM_SOURCE_DIR set?)").arg(rows.size())));
    int unsure = 0;
    QStringList wrong;
    for (const NameRow &r : rows) {
        for (const batch::NameCase c : {batch::NameCase::Genitive, batch::NameCase::Dative}) {
            const batch::DeclinedName got = batch::declineName(r.name, c, r.sex);
            const QString &expected = c == batch::NameCase::Genitive ? r.genitive : r.dative;
            if (!got.unsure.isEmpty())
                ++unsure;
            else if (got.text != expected)
                wrong.append(QStringLiteral("%1 (%2): %3, nie %4").arg(r.name, batch::caseName(c), got.text, expected));
        }
    }
    qInfo("%lld names, %d forms of %lld flagged unsure", qlonglong(rows.size()), unsure, qlonglong(rows.size() * 2));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    QVERIFY(unsure < rows.size() / 10); // the rules decide nearly all of them
}

void TestBatchAgree::firstNamesOfTheTableGiveTheirSex()
{
    QStringList wrong;
    for (const NameRow &r : nameTable()) {
        const batch::SexGuess g = batch::sexOfFirstName(r.name);
        if (!g.sure || g.sex != r.sex)
            wrong.append(r.name);
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
}

void TestBatchAgree::firstNameRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("female");
    QTest::addColumn<bool>("sure");
    const auto row = [](const char *name, bool female, bool sure) {
        QTest::newRow(name) << QString::fromUtf8(name) << female << sure;
    };
    row("Zawisza", false, true);
    row("Dyzma", false, true);
    row("Mykoła", false, true);
    row("Ruth", true, true);
    row("Karmen", true, true);
    row("Dagmar", true, true);
    row("Abigail", true, true);
    row("ANNA", true, true);
    row("Anna-Maria", true, true);
    row("Jan Paweł", false, true);
    row("Sasza", true, false);
    row("Nikita", true, false);
    row("Alex", false, false);
    row("Rene", false, true);
    row("Ute", false, false);
    row("", false, false);
}

void TestBatchAgree::firstNameRules()
{
    QFETCH(QString, name);
    QFETCH(bool, female);
    QFETCH(bool, sure);
    const batch::SexGuess g = batch::sexOfFirstName(name);
    QCOMPARE(g.sex == batch::Sex::Female, female);
    QCOMPARE(g.sure, sure);
}

void TestBatchAgree::sexCells()
{
    for (const char *woman : {"K", "k", " kobieta ", "Dziewczynka", "KOBIETA"})
        QCOMPARE(batch::sexOfCell(QString::fromUtf8(woman)), std::optional<batch::Sex>(batch::Sex::Female));
    for (const char *man : {"M", "m", "mężczyzna", "mezczyzna", "CHŁOPIEC"})
        QCOMPARE(batch::sexOfCell(QString::fromUtf8(man)), std::optional<batch::Sex>(batch::Sex::Male));
    QCOMPARE(batch::sexOfCell(QStringLiteral("  ")), std::nullopt);
    for (const char *bad : {"x", "KM", "kobiety", "1"})
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, batch::sexOfCell(QString::fromUtf8(bad)));
}

void TestBatchAgree::doubtfulFormsAreFlagged_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("female");
    QTest::addColumn<QString>("unsure");
    const auto row = [](const char *name, bool female, const char *unsure) {
        QTest::newRow(name) << QString::fromUtf8(name) << female << QString::fromUtf8(unsure);
    };
    row("Aleksander Fredro", false, "Fredro");
    row("Jan Linde", false, "Linde");
    row("Jan Michalec", false, "Michalec");
    row("Jan Gaweł", false, "Gaweł");
    row("Jan Kindel", false, "Kindel");
    row("Jan Bór", false, "Bór");
    row("Jan Kowalska", false, "Kowalska");
    row("Anna Kowalski", true, "Kowalski");
    row("Anna Fredro", true, "Fredro");
    row("Andrea Rossi", false, "Andrea");
    row("Leo Nowak", false, "Leo");
    row("Anna Nowakowa", true, "Nowakowa");
}

void TestBatchAgree::doubtfulFormsAreFlagged()
{
    QFETCH(QString, name);
    QFETCH(bool, female);
    QFETCH(QString, unsure);
    const batch::Sex sex = female ? batch::Sex::Female : batch::Sex::Male;
    const batch::DeclinedName d = batch::declineName(name, batch::NameCase::Genitive, sex);
    QCOMPARE(d.unsure.join(QLatin1Char(' ')), unsure);
    // Whatever the rules are sure of or not, the words stay in their place.
    QCOMPARE(d.text.split(QLatin1Char(' ')).size(), name.split(QLatin1Char(' ')).size());
}

void TestBatchAgree::letterCaseAndParts()
{
    using batch::NameCase;
    QCOMPARE(batch::declineName(QStringLiteral("JAN KOWALSKI"), NameCase::Dative, batch::Sex::Male).text,
             QStringLiteral("JANOWI KOWALSKIEMU"));
    QCOMPARE(batch::declineName(QStringLiteral("  Anna   Nowak-Zając "), NameCase::Genitive, batch::Sex::Female).text,
             QStringLiteral("Anny Nowak-Zając"));
    QCOMPARE(batch::declineName(QStringLiteral("Jan K."), NameCase::Genitive, batch::Sex::Male).text,
             QStringLiteral("Jana K."));
    QCOMPARE(batch::declineName(QStringLiteral("McDonald"), NameCase::Genitive, batch::Sex::Male).text,
             QStringLiteral("McDonalda"));
    QCOMPARE(batch::declineName(QString(), NameCase::Genitive, batch::Sex::Male).text, QString());
}

void TestBatchAgree::datesInLongPolishForm()
{
    QCOMPARE(batch::longPolishDate(QDate(2026, 6, 19)), QStringLiteral("19 czerwca 2026"));
    QCOMPARE(batch::longPolishDate(QDate(2025, 9, 1)), QStringLiteral("1 września 2025"));
    QCOMPARE(batch::longPolishDate(QDate(2026, 10, 31)), QStringLiteral("31 października 2026"));
    const QDate today(2026, 12, 9);
    QCOMPARE(batch::diplomaDate({}, today).text, QStringLiteral("9 grudnia 2026"));
    const batch::DiplomaDate given = batch::diplomaDate(QStringLiteral("2025-06-27"), today);
    QCOMPARE(given.text, QStringLiteral("27 czerwca 2025"));
    QCOMPARE(given.year, 2025);
    const batch::DiplomaDate text = batch::diplomaDate(QStringLiteral("koniec roku szkolnego"), today);
    QCOMPARE(text.text, QStringLiteral("koniec roku szkolnego"));
    QCOMPARE(text.year, 2026);
    for (const char *bad : {"2026-02-30", "2026-13-01", "2025-00-10"})
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, batch::diplomaDate(QString::fromLatin1(bad), today));
}

QTEST_GUILESS_MAIN(TestBatchAgree)
#include "tst_batchagree.moc"
