// A whole ceremony from one list through dyplom-druk: kinds of diploma by
// a column in one PDF or grouped, the register over several runs and a
// reprint, the handout list, and the refusals that write nothing.
#include "FileBytes.h"
#include "ProgramRun.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"

#include "batch/table/ReadTable.h"
#include "diplomafile/DiplomaRecord.h"
#include "wmf/MetafilePaintDevice.h"

#include <QPainter>
#include <QtTest>

namespace {

ProgramResult runDruk(const QStringList &args)
{
    return runProgram(builtProgram(QStringLiteral("dyplom-druk")), args, environmentWithoutRuntimeDir());
}

// The text of each page, its lines joined by "|".
QStringList pageTexts(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    p.waitForFinished();
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    for (QString &page : pages)
        page = page.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char('|')).trimmed();
    return pages;
}

QByteArray frameTemplate(int inset)
{
    wmf::MetafilePaintDevice device;
    {
        QPainter p(&device);
        const qreal dotsPerMm = device.logicalDpiX() / 25.4;
        p.scale(dotsPerMm, dotsPerMm);
        p.setPen(QPen(QColor(20, 20, 120), 3));
        p.drawRect(QRectF(inset, inset, 210 - 2 * inset, 297 - 2 * inset));
    }
    return device.finish();
}

struct Pupil {
    const char *first, *surname, *sex, *group, *place;
    bool girl;
};
// Places, mentions and plain participants mixed, as a contest's list is.
const Pupil Contest[] = {
    {"Anna", "Nowak", "", "3a", "1", true},          {"Jan", "Kowalski", "", "3b", "", false},
    {"Kuba", "Lis", "", "3a", "wyróżnienie", false}, {"Nel", "Bąk", "", "3b", "2", true},
    {"Kosma", "Wrona", "", "3a", "", false},         {"Noemi", "Zając", "", "3b", " Wyróżnienie ", true},
    {"Maria", "Wiśniewska", "", "3a", "", true},     {"Antoni", "Mazur", "", "3b", "3", false},
    {"Sasza", "Krawczyk", "M", "3a", "", false},     {"Zofia", "Dudek", "k", "3b", "WYRÓŻNIENIE", true},
    {"Barnaba", "Sowa", "", "3a", "", false},        {"Nikita", "Kula", "kobieta", "3b", "", true},
};

// The line the pupil's kind of diploma prints.
QString kindLine(const Pupil &p)
{
    const QString place = QString::fromUtf8(p.place).trimmed();
    const bool girl = p.girl;
    if (place.isEmpty())
        return girl ? QStringLiteral("wzięła udział") : QStringLiteral("wziął udział");
    if (place.toLower() == QStringLiteral("wyróżnienie"))
        return girl ? QStringLiteral("otrzymała wyróżnienie") : QStringLiteral("otrzymał wyróżnienie");
    return QStringLiteral("%1 %2. miejsce").arg(girl ? QStringLiteral("zajęła") : QStringLiteral("zajął"), place);
}

QString nameOf(const Pupil &p)
{
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(p.first), QString::fromUtf8(p.surname));
}

} // namespace

class TestDrukCeremony : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void threeKindsInOnePdf_data();
    void threeKindsInOnePdf();
    void registerOverTwoRunsAndAReprint_data();
    void registerOverTwoRunsAndAReprint();
    void handoutListInListOrder();
    void kindsTwoToASheet();
    void badInputWritesNothing_data();
    void badInputWritesNothing();

private:
    void writeDiploma(const QString &name, int templateNumber, const QString &line);
    QStringList kindArguments() const;
    std::unique_ptr<TempProgramDir> dir_;
};

void TestDrukCeremony::init()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("poppler-utils are not installed");
    dir_ = std::make_unique<TempProgramDir>(QStringList{QStringLiteral("Wzory")});
    writeBytes(dir_->file(QStringLiteral("Wzory/BDR_0001.wmf")), frameTemplate(20));
    writeBytes(dir_->file(QStringLiteral("Wzory/BDR_0002.wmf")), frameTemplate(15));
    writeDiploma(QStringLiteral("miejsce.dyp"), 1, QStringLiteral("{zajął|zajęła} {Miejsce}. miejsce"));
    writeDiploma(QStringLiteral("wyroznienie.dyp"), 2, QStringLiteral("{otrzymał|otrzymała} wyróżnienie"));
    writeDiploma(QStringLiteral("udzial.dyp"), 1, QStringLiteral("{wziął|wzięła} udział"));
    QString list = QStringLiteral("Imię;Nazwisko;Płeć;Klasa;Miejsce\n");
    for (const Pupil &p : Contest)
        list += QStringLiteral("%1;%2;%3;%4;%5\n")
                    .arg(QString::fromUtf8(p.first), QString::fromUtf8(p.surname), QString::fromUtf8(p.sex),
                         QString::fromUtf8(p.group), QString::fromUtf8(p.place));
    writeBytes(dir_->file(QStringLiteral("konkurs.csv")), list.toUtf8());
}

void TestDrukCeremony::cleanup()
{
    dir_.reset();
}

void TestDrukCeremony::writeDiploma(const QString &name, int templateNumber, const QString &line)
{
    diplomafile::DiplomaContent c;
    startupdiploma::setStyles(c);
    c.templateNumber = templateNumber;
    c.texts.heading = QStringLiteral("Nr {Nr}/{Rok}");
    c.texts.recipient = QStringLiteral("{Imię} {Nazwisko}");
    c.texts.body[0] = line;
    c.texts.body[1] = QStringLiteral("Kraków, {Data}");
    writeBytes(dir_->file(name), diplomafile::buildDiplomaRecord(c));
}

QStringList TestDrukCeremony::kindArguments() const
{
    return {QStringLiteral("--lista"),
            QStringLiteral("konkurs.csv"),
            QStringLiteral("--rodzaj"),
            QStringLiteral("Miejsce"),
            QStringLiteral("1,2,3=miejsce.dyp"),
            QStringLiteral("wyróżnienie=wyroznienie.dyp"),
            QStringLiteral("--rodzaj-domyslny"),
            QStringLiteral("udzial.dyp"),
            QStringLiteral("--data"),
            QStringLiteral("2026-06-19")};
}

void TestDrukCeremony::threeKindsInOnePdf_data()
{
    QTest::addColumn<bool>("grouped");
    QTest::addColumn<QList<int>>("order"); // rows of Contest, page by page
    QTest::newRow("list order") << false << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    // Kind by kind in --rodzaj's order, the default last; list order within a kind.
    QTest::newRow("--grupuj") << true << QList<int>{0, 3, 7, 2, 5, 9, 1, 4, 6, 8, 10, 11};
}

void TestDrukCeremony::threeKindsInOnePdf()
{
    QFETCH(bool, grouped);
    QFETCH(QList<int>, order);
    QStringList args = kindArguments()
                       + QStringList{QStringLiteral("--numer-od"), QStringLiteral("41"), QStringLiteral("-o"),
                                     QStringLiteral("konkurs.pdf")};
    if (grouped)
        args.append(QStringLiteral("--grupuj"));
    const ProgramResult r = runDruk(args);
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QStringList pages = pageTexts(dir_->file(QStringLiteral("konkurs.pdf")));
    QCOMPARE(pages.size(), 12);
    for (int i = 0; i < 12; ++i) {
        const Pupil &p = Contest[order[i]];
        const QStringList lines = pages[i].split(QLatin1Char('|'));
        // The number follows the list whatever the order of the pages.
        for (const QString &expected : {QStringLiteral("Nr %1/2026").arg(41 + order[i]), nameOf(p), kindLine(p),
                                        QStringLiteral("Kraków, 19 czerwca 2026")})
            QVERIFY2(lines.contains(expected), qPrintable(expected + QStringLiteral(" / ") + pages[i]));
    }

    // --sprawdz counts the kinds and writes nothing.
    const ProgramResult check = runDruk(
        kindArguments()
        + QStringList{QStringLiteral("--sprawdz"), QStringLiteral("--rejestr"), QStringLiteral("rejestr.csv")});
    QVERIFY2(check.err.contains(QStringLiteral("rodzaje dyplomów: miejsce.dyp: 3, wyroznienie.dyp: 3, udzial.dyp: 6")),
             qPrintable(check.err));
    QVERIFY(!QFile::exists(dir_->file(QStringLiteral("rejestr.csv"))));
}

// Kinds on different templates, two A5 diplomas to an A4 sheet: each
// diploma keeps its own kind's texts on the shared sheet.
void TestDrukCeremony::kindsTwoToASheet()
{
    const ProgramResult r = runDruk(kindArguments()
                                    + QStringList{QStringLiteral("--papier"), QStringLiteral("A5"),
                                                  QStringLiteral("--na-arkuszu"), QStringLiteral("2"),
                                                  QStringLiteral("-o"), QStringLiteral("arkusze.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QStringList sheets = pageTexts(dir_->file(QStringLiteral("arkusze.pdf")));
    QCOMPARE(sheets.size(), 6);
    for (int i = 0; i < 12; ++i) {
        const QStringList lines = sheets[i / 2].split(QLatin1Char('|'));
        for (const QString &expected : {nameOf(Contest[i]), kindLine(Contest[i])})
            QVERIFY2(lines.contains(expected), qPrintable(expected + QStringLiteral(" / ") + sheets[i / 2]));
    }
}

void TestDrukCeremony::registerOverTwoRunsAndAReprint_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("CSV") << QStringLiteral("rejestr.csv");
    QTest::newRow("ODS") << QStringLiteral("rejestr.ods");
}

void TestDrukCeremony::registerOverTwoRunsAndAReprint()
{
    QFETCH(QString, file);
    const QStringList withRegister = kindArguments() + QStringList{QStringLiteral("--rejestr"), file};
    // The first run numbers from 1, the second (another class) goes on from 13.
    ProgramResult r = runDruk(withRegister + QStringList{QStringLiteral("-o"), QStringLiteral("pierwszy.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QByteArray afterFirst = readBytes(dir_->file(file));
    writeBytes(dir_->file(QStringLiteral("druga.csv")),
               QStringLiteral("Imię;Nazwisko;Klasa;Miejsce\nOla;Kot;4c;1\nIgor;Mak;4c;\n").toUtf8());
    r = runDruk({QStringLiteral("--lista"), QStringLiteral("druga.csv"), QStringLiteral("--rodzaj"),
                 QStringLiteral("Miejsce"), QStringLiteral("1=miejsce.dyp"), QStringLiteral("udzial.dyp"),
                 QStringLiteral("--data"), QStringLiteral("2026-06-19"), QStringLiteral("--rejestr"), file,
                 QStringLiteral("-o"), QStringLiteral("drugi.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QStringList pages = pageTexts(dir_->file(QStringLiteral("drugi.pdf")));
    QCOMPARE(pages.size(), 2);
    QVERIFY2(pages[0].contains(QStringLiteral("Nr 13/2026")) && pages[1].contains(QStringLiteral("Nr 14/2026")),
             qPrintable(pages.join(QLatin1Char('/'))));
    if (file.endsWith(QLatin1String(".csv"))) // earlier lines byte for byte
        QVERIFY(readBytes(dir_->file(file)).startsWith(afterFirst));

    // A reprint of records 5 and 12, a file each, keeps their numbers; its
    // lines are added, each naming its pupil's file.
    r = runDruk(withRegister
                + QStringList{QStringLiteral("--wiersze"), QStringLiteral("5,12"), QStringLiteral("--osobno"),
                              QStringLiteral("dodruk")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    pages = pageTexts(dir_->file(QStringLiteral("dodruk/Kosma Wrona.pdf")))
            + pageTexts(dir_->file(QStringLiteral("dodruk/Nikita Kula.pdf")));
    QCOMPARE(pages.size(), 2);
    QVERIFY2(pages[0].contains(QStringLiteral("Nr 5/2026")) && pages[1].contains(QStringLiteral("Nr 12/2026")),
             qPrintable(pages.join(QLatin1Char('/'))));

    const batch::Table t = batch::readTable(dir_->file(file), {});
    QCOMPARE(t.rows.size(), 1 + 12 + 2 + 2);
    QCOMPARE(t.rows[0].join(QLatin1Char(';')), QStringLiteral("Nr;Data;Imię i nazwisko;Klasa;Rodzaj;Plik"));
    QCOMPARE(t.rows[4].join(QLatin1Char(';')), QStringLiteral("4;19 czerwca 2026;Nel Bąk;3b;miejsce;pierwszy.pdf"));
    QCOMPARE(t.rows[14].join(QLatin1Char(';')), QStringLiteral("14;19 czerwca 2026;Igor Mak;4c;udzial;drugi.pdf"));
    QCOMPARE(t.rows[15].join(QLatin1Char(';')),
             QStringLiteral("5;19 czerwca 2026;Kosma Wrona;3a;udzial;dodruk/Kosma Wrona.pdf"));
    QCOMPARE(t.rows[16].join(QLatin1Char(';')),
             QStringLiteral("12;19 czerwca 2026;Nikita Kula;3b;udzial;dodruk/Nikita Kula.pdf"));
}

void TestDrukCeremony::handoutListInListOrder()
{
    const ProgramResult r = runDruk(kindArguments()
                                    + QStringList{QStringLiteral("--grupuj"), QStringLiteral("-o"),
                                                  QStringLiteral("konkurs.pdf"), QStringLiteral("--lista-odbioru"),
                                                  QStringLiteral("odbior.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QStringList pages = pageTexts(dir_->file(QStringLiteral("odbior.pdf")));
    QCOMPARE(pages.size(), 1);
    const QString &page = pages[0];
    QVERIFY2(page.startsWith(QStringLiteral("Lista odbioru dyplomów: konkurs.csv")), qPrintable(page));
    for (const char *text : {"Nr", "Imię i nazwisko", "Rodzaj", "Podpis", "wyroznienie", "strona 1 z 1"})
        QVERIFY2(page.contains(QString::fromUtf8(text)), qPrintable(page));
    // The names in list order, though the diplomas were grouped.
    qsizetype at = 0;
    for (const Pupil &p : Contest) {
        const qsizetype found = page.indexOf(nameOf(p), at);
        QVERIFY2(found > at, qPrintable(nameOf(p) + QStringLiteral(" / ") + page));
        at = found;
    }
}

void TestDrukCeremony::badInputWritesNothing_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("registerBytes"); // rejestr.csv before the run; empty: none
    QTest::addColumn<QString>("refusal");
    const QStringList list{QStringLiteral("--lista"), QStringLiteral("konkurs.csv")};
    QTest::newRow("a value with no diploma")
        << list
               + QStringList{QStringLiteral("--rodzaj"), QStringLiteral("Miejsce"), QStringLiteral("1,2,3=miejsce.dyp"),
                             QStringLiteral("=udzial.dyp")}
        << QByteArray()
        << QStringLiteral("konkurs.csv: wiersz 4: kolumna „Miejsce”: wartość „wyróżnienie” nie ma dyplomu");
    QTest::newRow("an unknown column") << list
                                              + QStringList{QStringLiteral("--rodzaj"), QStringLiteral("Nagroda"),
                                                            QStringLiteral("1=miejsce.dyp"), QStringLiteral("udzial.dyp")}
                                       << QByteArray()
                                       << QStringLiteral("konkurs.csv: --rodzaj: lista nie ma kolumny „Nagroda”");
    QTest::newRow("an unreadable diploma")
        << list
               + QStringList{QStringLiteral("--rodzaj"), QStringLiteral("Miejsce"), QStringLiteral("1=brak.dyp"),
                             QStringLiteral("udzial.dyp")}
        << QByteArray() << QStringLiteral("brak.dyp");
    QTest::newRow("a file that is no register")
        << list + QStringList{QStringLiteral("udzial.dyp"), QStringLiteral("--rejestr"), QStringLiteral("rejestr.csv")}
        << QByteArray("Imię;Nazwisko\nAnna;Nowak\n") << QStringLiteral("rejestr.csv: to nie jest rejestr dyplomów");
    QTest::newRow("a register's number that is none")
        << list + QStringList{QStringLiteral("udzial.dyp"), QStringLiteral("--rejestr"), QStringLiteral("rejestr.csv")}
        << QByteArray("Nr;Data;Imię i nazwisko;Klasa;Rodzaj;Plik\n1;dziś;Anna Nowak;3a;udzial;a.pdf\nX;;;;;\n")
        << QStringLiteral("rejestr.csv: wiersz 3: Nr „X” nie jest liczbą");
}

void TestDrukCeremony::badInputWritesNothing()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, registerBytes);
    QFETCH(QString, refusal);
    if (!registerBytes.isEmpty())
        writeBytes(dir_->file(QStringLiteral("rejestr.csv")), registerBytes);
    const ProgramResult r = runDruk(args
                                    + QStringList{QStringLiteral("-o"), QStringLiteral("wynik.pdf"),
                                                  QStringLiteral("--lista-odbioru"), QStringLiteral("odbior.pdf")});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(refusal), qPrintable(r.err));
    QVERIFY(!QFile::exists(dir_->file(QStringLiteral("wynik.pdf"))));
    QVERIFY(!QFile::exists(dir_->file(QStringLiteral("odbior.pdf"))));
    QCOMPARE(readBytesOrMissing(dir_->file(QStringLiteral("rejestr.csv"))),
             registerBytes.isEmpty() ? QByteArrayLiteral("<missing>") : registerBytes);
}

QTEST_MAIN(TestDrukCeremony)
#include "tst_drukceremony.moc"
