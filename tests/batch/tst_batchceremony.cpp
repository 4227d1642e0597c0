// A ceremony's pieces without the program: the choice of a diploma by a
// column's value, the pages of several kinds in list or kind order with
// numbers that follow the list (and a reprint's kept), and the register
// of issued diplomas read, extended and refused.
#include "FileBytes.h"

#include "batch/ClassList.h"
#include "batch/merge/DiplomaKinds.h"
#include "batch/output/Register.h"
#include "batch/table/TextTable.h"

#include <QTemporaryDir>
#include <QtTest>
#include <stdexcept>

using batch::DiplomaKinds;
using batch::DiplomaRegister;
using batch::IssuedDiploma;

namespace {

QString refusalOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
    return QStringLiteral("<taken>");
}

batch::KindDiploma kind(const QString &file, const QString &line)
{
    batch::KindDiploma k;
    k.base.texts.heading = QStringLiteral("Nr {Nr}");
    k.base.texts.body[0] = line;
    k.diplomaName = file;
    return k;
}

// "page heading, recipient, line" for each page.
QStringList pagesOf(const QByteArray &list, batch::ClassListSettings s, QStringList *groups = nullptr)
{
    s.listPath = QStringLiteral("konkurs.csv");
    s.kindDiplomas = {kind(QStringLiteral("miejsce.dyp"), QStringLiteral("{zajął|zajęła} {Miejsce}")),
                      kind(QStringLiteral("udzial.dyp"), QStringLiteral("{wziął|wzięła} udział"))};
    const batch::Table table = batch::readTextTable(list, s.listPath, {});
    QStringList out;
    batch::buildClassList(s.kindDiplomas.first().base, s, &table, [&](batch::ClassPage &&p) {
        out.append(QStringLiteral("%1 %2 %3").arg(p.input.texts.heading, p.input.texts.recipient, p.input.texts.body[0]));
        if (groups)
            groups->append(QStringLiteral("%1:%2:%3:%4").arg(p.serial).arg(p.name, p.group).arg(p.kind));
    });
    return out;
}

const QByteArray List = QStringLiteral("Imię;Nazwisko;Klasa;Miejsce\n"
                                       "Anna;Nowak;3a;2\n"
                                       "Jan;Kowalski;3b;\n"
                                       "Ewa;Lis;3a;1\n"
                                       "Piotr;Mak;3b;udział\n")
                            .toUtf8();

} // namespace

class TestBatchCeremony : public QObject {
    Q_OBJECT
private slots:
    void kindsByValue_data();
    void kindsByValue();
    void kindsRefused_data();
    void kindsRefused();
    void pagesOfSeveralKinds();
    void registerKeepsEveryLine_data();
    void registerKeepsEveryLine();
    void registerRefused_data();
    void registerRefused();
};

void TestBatchCeremony::kindsByValue_data()
{
    QTest::addColumn<QStringList>("pairs");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<QString>("files");
    QTest::addColumn<QString>("cells"); // cells with "|" between
    QTest::addColumn<QString>("kinds"); // the kind of each cell
    const auto row = [](const char *name, const QStringList &pairs, const char *fallback, const char *files,
                        const char *cells, const char *kinds) {
        QTest::newRow(name) << pairs << QString::fromUtf8(fallback) << QString::fromUtf8(files)
                            << QString::fromUtf8(cells) << QString::fromUtf8(kinds);
    };
    row("values, the empty cell and a default", {"1,2,3=miejsce.dyp", "wyróżnienie=wyr.dyp", "=pusty.dyp"},
        "udzial.dyp", "miejsce.dyp wyr.dyp pusty.dyp udzial.dyp", " 2 |WYRÓŻNIENIE|  |4|Wyróżnienie  ", "0 1 2 3 1");
    row("no default", {"1=a.dyp", "2=b.dyp", "3=a.dyp"}, "", "a.dyp b.dyp", "1|2|3||x", "0 1 0 -1 -1");
    row("the default alone, also named by a value", {"=u.dyp"}, "u.dyp", "u.dyp", "|cokolwiek", "0 0");
}

void TestBatchCeremony::kindsByValue()
{
    QFETCH(QStringList, pairs);
    QFETCH(QString, fallback);
    QFETCH(QString, files);
    QFETCH(QString, cells);
    QFETCH(QString, kinds);
    const DiplomaKinds k = DiplomaKinds::parse(QStringLiteral("Miejsce"), pairs, fallback);
    QCOMPARE(k.files().join(QLatin1Char(' ')), files);
    QStringList got;
    for (const QString &cell : cells.split(QLatin1Char('|')))
        got.append(QString::number(k.kindOf(cell)));
    QCOMPARE(got.join(QLatin1Char(' ')), kinds);
    QCOMPARE(k.nameOf(0), QFileInfo(k.files().first()).completeBaseName());
    QCOMPARE(DiplomaKinds().kindOf(QStringLiteral("x")), 0); // one diploma for all
}

void TestBatchCeremony::kindsRefused_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QStringList>("pairs");
    QTest::addColumn<QString>("refusal");
    const auto row = [](const char *name, const char *column, const QStringList &pairs, const char *refusal) {
        QTest::newRow(name) << QString::fromUtf8(column) << pairs << QString::fromUtf8(refusal);
    };
    row("no column", " ", {"1=a.dyp"}, "--rodzaj: brak nazwy kolumny");
    row("no pairs", "Miejsce", {}, "--rodzaj Miejsce: brak par");
    row("no file", "Miejsce", {"1="}, "--rodzaj: „1=” nie ma postaci");
    row("no equals sign", "Miejsce", {"a.dyp"}, "--rodzaj: „a.dyp” nie ma postaci");
    row("one value, two diplomas", "Miejsce", {"1,2=a.dyp", " 2 =b.dyp"},
        "--rodzaj: wartość „2” ma dwa dyplomy: a.dyp i b.dyp");
}

void TestBatchCeremony::kindsRefused()
{
    QFETCH(QString, column);
    QFETCH(QStringList, pairs);
    QFETCH(QString, refusal);
    const QString got = refusalOf([&] { DiplomaKinds::parse(column, pairs, QString()); });
    QVERIFY2(got.startsWith(refusal), qPrintable(got));
}

void TestBatchCeremony::pagesOfSeveralKinds()
{
    batch::ClassListSettings s;
    s.kinds = DiplomaKinds::parse(QStringLiteral("miejsce"), {QStringLiteral("1,2,3=miejsce.dyp")},
                                  QStringLiteral("udzial.dyp"));
    s.firstNumber = 7;
    QStringList groups;
    QCOMPARE(pagesOf(List, s, &groups), (QStringList{"Nr 7 Anna Nowak zajęła 2", "Nr 8 Jan Kowalski wziął udział",
                                                     "Nr 9 Ewa Lis zajęła 1", "Nr 10 Piotr Mak wziął udział"}));
    QCOMPARE(groups, (QStringList{"7:Anna Nowak:3a:0", "8:Jan Kowalski:3b:1", "9:Ewa Lis:3a:0", "10:Piotr Mak:3b:1"}));

    // Grouped: kind by kind, the numbers still those of the list.
    s.groupByKind = true;
    QCOMPARE(pagesOf(List, s), (QStringList{"Nr 7 Anna Nowak zajęła 2", "Nr 9 Ewa Lis zajęła 1",
                                            "Nr 8 Jan Kowalski wziął udział", "Nr 10 Piotr Mak wziął udział"}));

    // A reprint of records 2 and 3: Jan keeps his number, Ewa (not in the
    // register) gets the next one.
    s.groupByKind = false;
    s.rows = batch::RowSelection::parse(QStringLiteral("2-3"));
    s.firstNumber = 11;
    s.earlierNumber = [](const QString &name, const QString &group, const QString &kind) {
        return name == QLatin1String("Jan Kowalski") && group == QLatin1String("3b") && kind == QLatin1String("udzial")
                   ? 8
                   : 0;
    };
    QCOMPARE(pagesOf(List, s), (QStringList{"Nr 8 Jan Kowalski wziął udział", "Nr 11 Ewa Lis zajęła 1"}));

    // Refused before any page, naming the list and the line.
    s = {};
    s.kinds = DiplomaKinds::parse(QStringLiteral("Miejsce"),
                                  {QStringLiteral("1,2=miejsce.dyp"), QStringLiteral("=udzial.dyp")}, {});
    QString got = refusalOf([&] { pagesOf(List, s); });
    QVERIFY2(got.startsWith(QStringLiteral("konkurs.csv: wiersz 5: kolumna „Miejsce”: wartość „udział” nie ma dyplomu")),
             qPrintable(got));
    s.kinds = DiplomaKinds::parse(QStringLiteral("Nagroda"), {QStringLiteral("1=miejsce.dyp")}, QStringLiteral("u.dyp"));
    got = refusalOf([&] { pagesOf(List, s); });
    QVERIFY2(got.startsWith(QStringLiteral("konkurs.csv: --rodzaj: lista nie ma kolumny „Nagroda” (kolumny: Imię, "
                                           "Nazwisko, Klasa, Miejsce)")),
             qPrintable(got));
}

void TestBatchCeremony::registerKeepsEveryLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QByteArray>("added");  // what follows the earlier bytes (CSV)
    const auto row = [](const char *name, const char *file, const QByteArray &before, const QByteArray &added) {
        QTest::newRow(name) << QString::fromUtf8(file) << before << added;
    };
    const QByteArray fresh("\xEF\xBB\xBFNr;Data;Imię i nazwisko;Klasa;Rodzaj;Plik\n"
                           "3;19 czerwca 2026;Łucja Żak;3a;miejsce;\"a;b.pdf\"\n");
    row("a new CSV", "r.csv", QByteArray(), fresh);
    row("an empty file", "r.csv", QByteArray(""), fresh);
    row("saved again with commas, no last line break", "r.csv",
        "Nr,Data,Imię i nazwisko,Klasa,Rodzaj,Plik\r\n1,dziś,Jan Lis,3b,udzial,x.pdf",
        "\n3,19 czerwca 2026,Łucja Żak,3a,miejsce,a;b.pdf\n");
    row("saved again as Windows-1250", "r.csv",
        "Nr;Data;Imi\xEA i nazwisko;Klasa;Rodzaj;Plik\n1;dzi\x9C;Jan Lis;3b;udzial;x.pdf\n",
        "3;19 czerwca 2026;\xA3ucja \xAF"
        "ak;3a;miejsce;\"a;b.pdf\"\n");
    row("a new spreadsheet", "r.ods", QByteArray(), QByteArray());
}

void TestBatchCeremony::registerKeepsEveryLine()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, added);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (!before.isNull())
        writeBytes(path, before);
    const DiplomaRegister earlier = DiplomaRegister::read(path);
    const IssuedDiploma d{3,
                          QStringLiteral("19 czerwca 2026"),
                          QStringLiteral("Łucja Żak"),
                          QStringLiteral("3a"),
                          QStringLiteral("miejsce"),
                          QStringLiteral("a;b.pdf")};
    const QByteArray after = earlier.withLines({d});
    if (!added.isEmpty())
        QCOMPARE(after, before + added);
    writeBytes(path, after);

    // Read back: every line, the numbers to go on from and to reprint with.
    const DiplomaRegister again = DiplomaRegister::read(path);
    QCOMPARE(again.lines().size(), earlier.lines().size() + 1);
    const IssuedDiploma &last = again.lines().last();
    QCOMPARE(QStringList({QString::number(last.number), last.date, last.name, last.group, last.kind, last.file}),
             QStringList({"3", "19 czerwca 2026", "Łucja Żak", "3a", "miejsce", "a;b.pdf"}));
    QCOMPARE(again.highest(), 3);
    QCOMPARE(again.numberOf(QStringLiteral(" łucja  ŻAK"), QStringLiteral("3A"), QStringLiteral("udzial")), 3);
    QCOMPARE(again.numberOf(QStringLiteral("Łucja Żak"), QStringLiteral("3b"), QStringLiteral("miejsce")), 0);
    // A later line of the same pupil: the same kind's number first, else the latest.
    const QByteArray twice = again.withLines({{9, {}, d.name, d.group, QStringLiteral("udzial"), {}}});
    writeBytes(path, twice);
    const DiplomaRegister third = DiplomaRegister::read(path);
    QCOMPARE(third.numberOf(d.name, d.group, QStringLiteral("miejsce")), 3);
    QCOMPARE(third.numberOf(d.name, d.group, QStringLiteral("wyroznienie")), 9);
}

void TestBatchCeremony::registerRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("refusal");
    const QString utf16 = QStringLiteral("Nr;Data;Imię i nazwisko;Klasa;Rodzaj;Plik\n");
    const auto row = [](const char *name, const QByteArray &bytes, const char *refusal) {
        QTest::newRow(name) << bytes << QString::fromUtf8(refusal);
    };
    row("another table", "Imię;Nazwisko\nAnna;Nowak\n",
        "r.csv: to nie jest rejestr dyplomów: pierwszy wiersz to „Imię;Nazwisko”");
    row("a number that is none", "Nr;Data;Imię i nazwisko;Klasa;Rodzaj;Plik\n\n7a;x\n",
        "r.csv: wiersz 3: Nr „7a” nie jest liczbą");
    row("UTF-16", QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2),
        "r.csv: rejestr w kodowaniu UTF-16LE");
}

void TestBatchCeremony::registerRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, refusal);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.csv"));
    writeBytes(path, bytes);
    const QString got = refusalOf([&] { DiplomaRegister::read(path); });
    QVERIFY2(got.contains(refusal), qPrintable(got));
}

QTEST_MAIN(TestBatchCeremony)
#include "tst_batchceremony.moc"
