// dyplom-druk with the class lists schools have: every kind of list gives
// the right names in the right order on the pages (read back with
// pdftotext), or a refusal naming the file, the line and the reason; names
// that do not fit the template are reported, shrunk or centred; --sprawdz
// counts what needs attention.
#include "../spreadsheets/SheetFiles.h"
#include "ProgramRun.h"
#include "FileBytes.h"
#include "PdfTools.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"

#include "batch/fit/FreeArea.h"
#include "diplomafile/DiplomaRecord.h"
#include "platform/Cp1250.h"
#include "wmf/MetafilePaintDevice.h"

#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QtTest>

namespace {

using Result = ProgramResult;

Result runDruk(const QStringList &args)
{
    return runProgram(builtProgram(QStringLiteral("dyplom-druk")), args, environmentWithoutRuntimeDir());
}

// The text of each page, its lines joined by "|".
QStringList pageTexts(const QString &pdf)
{
    QStringList pages = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    for (QString &page : pages)
        page = page.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char('|')).trimmed();
    return pages;
}

// Word boxes of one page, in points: the words of a text line.
struct Box {
    qreal left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
};
QList<Box> lineBoxes(const QString &pdf)
{
    const QString html = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox-layout"), pdf, QStringLiteral("-")});
    static const QRegularExpression line(
        QStringLiteral(R"re(<line xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">)re"));
    QList<Box> boxes;
    for (auto it = line.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        boxes.append(
            {m.captured(1).toDouble(), m.captured(3).toDouble(), m.captured(2).toDouble(), m.captured(4).toDouble()});
    }
    return boxes;
}
QList<Box> boxesOfPage(const QString &pdf, int page)
{
    const QString one = QFileInfo(pdf).path() + QStringLiteral("/strona.pdf");
    runTool(QStringLiteral("pdfseparate"),
            {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), pdf, one});
    return lineBoxes(one);
}

QByteArray utf16le(const QString &text)
{
    QStringEncoder e(QStringEncoder::Utf16LE);
    return QByteArray("\xFF\xFE") + QByteArray(e(text));
}

// A frame 20 mm in from the edges: the free area is the inside, 22 … 188 mm across.
QByteArray frameTemplate()
{
    wmf::MetafilePaintDevice device;
    {
        QPainter p(&device);
        const qreal dotsPerMm = device.logicalDpiX() / 25.4;
        p.scale(dotsPerMm, dotsPerMm);
        p.setPen(QPen(QColor(120, 20, 20), 3));
        p.drawRect(QRectF(20, 20, 170, 257));
    }
    return device.finish();
}

constexpr qreal PointsPerMm = 72 / 25.4;

} // namespace

class TestDrukLists : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyKindOfListGivesItsNames_data();
    void everyKindOfListGivesItsNames();
    void fieldsFillTheDiplomasTexts();
    void spreadsheetsGiveTheirNames_data();
    void spreadsheetsGiveTheirNames();
    void registerExportWithATitleRow_data();
    void registerExportWithATitleRow();
    void longNameIsReportedAndShrunkToFit();
    void centredNamesShareOneMiddle();
    void designWithoutFreeAreaGetsOneNote();
    void checkCountsWhatNeedsAttention();
    void contestListNumberedDatedAndAgreeing();
    void guessedWordingIsNamedAndRefusedWhenStrict();

private:
    void writeDiploma(const editor::DiplomaTexts &texts);
    std::unique_ptr<TempProgramDir> dir_;
};

void TestDrukLists::init()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("poppler-utils are not installed");
    dir_ = std::make_unique<TempProgramDir>(QStringList{QStringLiteral("Wzory")});
    writeBytes(dir_->file(QStringLiteral("Wzory/BDR_0001.wmf")), frameTemplate());
    editor::DiplomaTexts texts;
    texts.recipient = QStringLiteral("Imię z dyplomu");
    writeDiploma(texts);
}

void TestDrukLists::cleanup()
{
    dir_.reset();
}

void TestDrukLists::writeDiploma(const editor::DiplomaTexts &texts)
{
    diplomafile::DiplomaContent c;
    startupdiploma::setStyles(c);
    c.templateNumber = 1;
    c.texts = texts;
    writeBytes(dir_->file(QStringLiteral("d.dyp")), diplomafile::buildDiplomaRecord(c));
}

void TestDrukLists::everyKindOfListGivesItsNames_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("pages");   // page texts joined by "/", or
    QTest::addColumn<QString>("refusal"); // the start of the refusal

    const auto row = [](const char *name, const char *file, const QByteArray &bytes, const QStringList &options,
                        const QString &pages, const QString &refusal = {}) {
        QTest::newRow(name) << QString::fromUtf8(file) << bytes << options << pages << refusal;
    };
    row("plain list", "klasa.txt", "Anna Nowak\r\nJan Kowalski\r\n", {}, "Anna Nowak/Jan Kowalski");
    row("one column headed Imię i nazwisko", "klasa.txt",
        QStringLiteral("Imię i nazwisko\nAnna Nowak\nJan Kowalski\n").toUtf8(), {}, "Anna Nowak/Jan Kowalski");
    row("two exports joined", "klasa.csv",
        "\xEF\xBB\xBF"
        "dla;tresc1\r\nAnna;3a\r\n\xEF\xBB\xBF"
        "dla;tresc1\r\nJan;3b\r\n",
        {}, "Anna|3a/Jan|3b");
    row("text, tab delimited", "klasa.txt",
        QStringLiteral("Imię\tNazwisko\tKlasa\nAnna\tNowak\t3a\nJan\tKowalski\t3b\n").toUtf8(), {},
        "Anna Nowak/Jan Kowalski");
    row("Unicode text (UTF-16, tabs)", "klasa.txt",
        utf16le(QStringLiteral("Nazwisko\tImię\r\nNowak\tAnna\r\nŻak\tŁucja\r\n")), {}, "Anna Nowak/Łucja Żak");
    row("Nazwisko;Imię;Klasa", "klasa.csv", QStringLiteral("Nazwisko;Imię;Klasa\nNowak;Anna;3a\n").toUtf8(), {},
        "Anna Nowak");
    row("Windows-1251", "klasa.csv",
        QByteArray(
            "\xB2\xEC'\xFF;\xCF\xF0\xB3\xE7\xE2\xE8\xF9\xE5\n\xCE\xEB\xE5\xEA\xF1\xE0\xED\xE4\xF0;\xD8\xE5\xE2\xF7\xE5\xED\xEA\xEE\n"),
        {}, QStringLiteral("Олександр Шевченко"));
    row("Windows-1250", "klasa.csv", platform::toCp1250(QStringLiteral("dla;tresc1\nŁucja Żółkiewska;zażółć\n")), {},
        QStringLiteral("Łucja Żółkiewska|zażółć"));
    row("UTF-8 with one Windows-1250 line", "klasa.txt", QStringLiteral("Gęślą Jaźń\n").toUtf8() + "\xA3ucja W\xB9s\n",
        {}, QStringLiteral("Gęślą Jaźń/Łucja Wąs"));
    row("trailing empty header cells and separator rows", "klasa.csv", "dla;tresc1;;\nAnna;x;;\n;;;\n;\n", {}, "Anna|x");
    row("line break inside quotes", "klasa.csv", "dla;tresc1\n\"Anna\nMaria\";x\n", {}, "Anna Maria|x");
    row("Nazwisko i imię turned", "klasa.csv", QStringLiteral("Nazwisko i imię\nKowalska Anna Maria\n").toUtf8(), {},
        "Anna Maria Kowalska");
    row("comma stays in a plain list", "klasa.txt", "Kowalski, Jan\n", {}, "Kowalski, Jan");
    row("comma separates in a .csv", "klasa.csv", "dla,tresc1\n\"Nowak, Anna\",x\n", {}, "Nowak, Anna|x");
    row("CR alone", "klasa.txt", "Anna\rJan\r", {}, "Anna/Jan");
    row("--separator and --bez-naglowka", "klasa.txt", "Anna;Dyplom\n", {"--separator", ";", "--bez-naglowka"},
        "Dyplom|Anna");
    row("--separator named in Polish", "klasa.txt", "Anna;Dyplom\n", {"--separator", "średnik", "--bez-naglowka"},
        "Dyplom|Anna");
    row("--kodowanie", "klasa.txt", "\xC0\xED\xED\xE0\n", {"--kodowanie", "windows-1251"}, QStringLiteral("Анна"));
    row("--wiersze", "klasa.txt", "A1\nA2\nA3\nA4\nA5\n", {"--wiersze", "2,4-5"}, "A2/A4/A5");
    row("--wiersze past the end", "klasa.txt", "A1\nA2\n", {"--wiersze", "3"}, {},
        "dyplom-druk: klasa.txt: --wiersze 3: lista ma 2 rekordy, nie ma rekordu 3");
    row("unclosed quote", "klasa.csv", "dla\nAnna\n\"Jan\n", {}, {},
        "dyplom-druk: klasa.csv: wiersz 3: niezamknięty cudzysłów w komórce A");
    row("row wider than its header", "klasa.csv", "dla;tresc1\nAnna;x\nJan;y;z\n", {}, {},
        "dyplom-druk: klasa.csv: wiersz 3: 3 komórki, a nagłówek ma 2 kolumny");
    row("unknown header", "klasa.csv", "Zawodnik;Punkty\nAnna;3\n", {}, {},
        QStringLiteral("dyplom-druk: klasa.csv: wiersz 1: pierwszy wiersz („Zawodnik”, „Punkty”) nie jest nagłówkiem"));
    row("only a header", "klasa.csv", "dla;tresc1\n", {}, {},
        "dyplom-druk: klasa.csv: lista nie zawiera żadnego rekordu");
}

void TestDrukLists::everyKindOfListGivesItsNames()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFETCH(QString, pages);
    QFETCH(QString, refusal);
    writeBytes(dir_->file(file), bytes);
    const Result r = runDruk(QStringList{QStringLiteral("d.dyp"), QStringLiteral("--lista"), file, QStringLiteral("-o"),
                                         QStringLiteral("klasa.pdf")}
                             + options);
    QCOMPARE(r.out, QString()); // standard output carries data only
    if (!refusal.isEmpty()) {
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.startsWith(refusal), qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(dir_->file(QStringLiteral("klasa.pdf"))));
        return;
    }
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QStringList texts = pageTexts(dir_->file(QStringLiteral("klasa.pdf")));
    QCOMPARE(texts.join(QLatin1Char('/')), pages);
    // The closing line: every row read is a page or skipped (a header is no row).
    const auto summary =
        QRegularExpression(
            QStringLiteral(
                "dyplom-druk: przeczytano (\\d+) wiersz\\w*: (\\d+) stron\\w*(?: \\(wybrane z (\\d+)\\))?, pominięto (\\d+)\n$"))
            .match(r.err);
    QVERIFY2(summary.hasMatch(), qPrintable(r.err));
    QCOMPARE(summary.captured(2).toInt(), texts.size());
    const int records = summary.captured(3).isEmpty() ? texts.size() : summary.captured(3).toInt();
    QCOMPARE(summary.captured(1).toInt(), records + summary.captured(4).toInt());
}

void TestDrukLists::spreadsheetsGiveTheirNames_data()
{
    QTest::addColumn<QString>("format");
    for (const char *format : {"xlsx", "ods", "xls"})
        QTest::newRow(format) << QString::fromLatin1(format);
}

// A register export kept as a spreadsheet, written by an independent library:
// names in the register's order, a number and a date shown as a Polish user
// sees them, and scripts other than Latin.
void TestDrukLists::spreadsheetsGiveTheirNames()
{
    QFETCH(QString, format);
    editor::DiplomaTexts texts;
    texts.recipient = QStringLiteral("{Imię} {Nazwisko}");
    texts.body[0] = QStringLiteral("średnia {Średnia}, {Data}");
    writeDiploma(texts);
    const auto pupil = [](const char *surname, const char *name, double mean, const char *date) {
        return QVariantList{QString::fromUtf8(surname), QString::fromUtf8(name), mean,
                            QVariantMap{{QStringLiteral("date"), QString::fromLatin1(date)}}};
    };
    const QVariantList rows{QVariantList{QStringLiteral("Nazwisko"), QStringLiteral("Imię"), QStringLiteral("Średnia"),
                                         QStringLiteral("Data")},
                            pupil("Żółkiewska", "Łucja", 4.5, "2025-06-27"),
                            pupil("Шевченко", "Олександр", 5, "2025-06-27"), pupil("王", "小明", 4.75, "2025-06-27")};
    const QByteArray bytes = sheetfiles::written(format, {sheetfiles::sheet(QStringLiteral("Klasa 3a"), rows)});
    QVERIFY(!bytes.isEmpty());
    const QString file = QStringLiteral("klasa.") + format;
    writeBytes(dir_->file(file), bytes);
    const Result r = runDruk(
        {QStringLiteral("d.dyp"), QStringLiteral("--lista"), file, QStringLiteral("-o"), QStringLiteral("klasa.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(pageTexts(dir_->file(QStringLiteral("klasa.pdf"))),
             (QStringList{QStringLiteral("Łucja Żółkiewska|średnia 4,5, 27.06.2025"),
                          QStringLiteral("Олександр Шевченко|średnia 5, 27.06.2025"),
                          QStringLiteral("小明 王|średnia 4,75, 27.06.2025")}));
}

void TestDrukLists::registerExportWithATitleRow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("line"); // how the warning names the title's row
    QTest::newRow("csv, Windows-1250") << QStringLiteral("eksport.csv")
                                       << platform::toCp1250(QStringLiteral("Lista uczniów klasy 3b, rok 2025/2026;;\n"
                                                                            "Lp.;Nazwisko;Imię\n"
                                                                            "1;Żółkiewska;Łucja\n"
                                                                            "2;Nowak;Jan\n"))
                                       << QStringLiteral("wiersz 1 nad nagłówkiem (wiersz 2) pominięty");
    const QVariantList rows{QVariantList{QStringLiteral("Lista uczniów klasy 3b, rok 2025/2026")},
                            QVariantList{QStringLiteral("Lp."), QStringLiteral("Nazwisko"), QStringLiteral("Imię")},
                            QVariantList{1, QStringLiteral("Żółkiewska"), QStringLiteral("Łucja")},
                            QVariantList{2, QStringLiteral("Nowak"), QStringLiteral("Jan")}};
    QTest::newRow("xlsx") << QStringLiteral("eksport.xlsx")
                          << sheetfiles::written(QStringLiteral("xlsx"), {sheetfiles::sheet(QStringLiteral("3b"), rows)})
                          << QStringLiteral("arkusz 3b, wiersz 1 nad nagłówkiem (wiersz 2) pominięty");
}

// A register export puts a title above its header: the names are on the
// pages and the title is named as skipped, by a real run and by --sprawdz.
void TestDrukLists::registerExportWithATitleRow()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, line);
    QVERIFY(!bytes.isEmpty());
    writeBytes(dir_->file(file), bytes);
    const Result r = runDruk(
        {QStringLiteral("d.dyp"), QStringLiteral("--lista"), file, QStringLiteral("-o"), QStringLiteral("k.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(pageTexts(dir_->file(QStringLiteral("k.pdf"))),
             (QStringList{QStringLiteral("Łucja Żółkiewska"), QStringLiteral("Jan Nowak")}));
    QVERIFY2(r.err.contains(QStringLiteral("uwaga: %1: %2: „Lista uczniów klasy 3b, rok 2025/2026”").arg(file, line)),
             qPrintable(r.err));
    QVERIFY2(r.err.endsWith(QStringLiteral("przeczytano 3 wiersze: 2 strony, pominięto 1\n")), qPrintable(r.err));
    const Result check = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), file, QStringLiteral("--sprawdz")});
    QVERIFY2(check.err.contains(QStringLiteral("pominięte wiersze: 1 (nad nagłówkiem: 1)")), qPrintable(check.err));
}

void TestDrukLists::fieldsFillTheDiplomasTexts()
{
    editor::DiplomaTexts texts;
    texts.recipient = QStringLiteral("{Imię} {Nazwisko}");
    texts.body[0] = QStringLiteral("{Miejsce} miejsce: {konkurs}");
    texts.body[1] = QStringLiteral("klasa {C} {{bez zmian}}");
    writeDiploma(texts);
    writeBytes(
        dir_->file(QStringLiteral("wyniki.csv")),
        QStringLiteral("Imię;Nazwisko;Klasa;Miejsce;Konkurs\nAnna;Nowak;3a;I;Kangur\nJan;Kowalski;3b;II;Alfik\n").toUtf8());
    Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("wyniki.csv"),
                        QStringLiteral("-o"), QStringLiteral("w.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(pageTexts(dir_->file(QStringLiteral("w.pdf"))),
             (QStringList{QStringLiteral("Anna Nowak|I miejsce: Kangur|klasa 3a {bez zmian}"),
                          QStringLiteral("Jan Kowalski|II miejsce: Alfik|klasa 3b {bez zmian}")}));
    QCOMPARE(r.err, QStringLiteral("dyplom-druk: przeczytano 2 wiersze: 2 strony, pominięto 0\n"));

    // Without a list the braces print as typed.
    r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("-o"), QStringLiteral("sam.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(pageTexts(dir_->file(QStringLiteral("sam.pdf"))).value(0),
             QStringLiteral("{Imię} {Nazwisko}|{Miejsce} miejsce: {konkurs}|klasa {C} {{bez zmian}}"));

    // A field no column answers: refused before anything is written.
    texts.body[2] = QStringLiteral("{Klsa}");
    writeDiploma(texts);
    r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("wyniki.csv"), QStringLiteral("-o"),
                 QStringLiteral("x.pdf"), QStringLiteral("--osobno"), QStringLiteral("osobno")});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.startsWith(
                 QStringLiteral("dyplom-druk: d.dyp: pole {Klsa} w tekście „{Klsa}” (treść 3) nie odpowiada "
                                "żadnej kolumnie listy wyniki.csv (kolumny: Imię, Nazwisko, Klasa, Miejsce, Konkurs")),
             qPrintable(r.err));
    QVERIFY(!QFileInfo::exists(dir_->file(QStringLiteral("x.pdf"))));
    QVERIFY(!QFileInfo::exists(dir_->file(QStringLiteral("osobno"))));
}

void TestDrukLists::longNameIsReportedAndShrunkToFit()
{
    const QString longName = QStringLiteral("Aleksandra Wierzchowska-Brzęczyszczyk");
    writeBytes(
        dir_->file(QStringLiteral("klasa.txt")),
        (QStringList{QStringLiteral("Anna Nowak"), longName, QStringLiteral("Jan Kowalski")}.join(QLatin1Char('\n')))
            .toUtf8());
    const QStringList args{QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("klasa.txt"),
                           QStringLiteral("-o")};

    Result r = runDruk(args + QStringList{QStringLiteral("zwykle.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QVERIFY2(
        r.err.contains(
            QStringLiteral("dyplom-druk: uwaga: rekord 2 (wiersz 2 listy): tekst „%1” wychodzi poza wolne pole wzoru\n")
                .arg(longName)),
        qPrintable(r.err));
    QCOMPARE(r.err.count(QStringLiteral("wychodzi poza")), 1);
    const qreal frameRight = 188 * PointsPerMm; // the frame's inner edge
    QVERIFY(boxesOfPage(dir_->file(QStringLiteral("zwykle.pdf")), 2).value(0).right > frameRight);

    // --scisle: refused, nothing written.
    r = runDruk(args + QStringList{QStringLiteral("scisle.pdf"), QStringLiteral("--scisle")});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("klasa.txt: rekord 2 (wiersz 2 listy): tekst „%1” wychodzi poza wolne pole wzoru; "
                                           "--scisle: nic nie zostało zapisane")
                                .arg(longName)),
             qPrintable(r.err));
    QVERIFY(!QFileInfo::exists(dir_->file(QStringLiteral("scisle.pdf"))));

    r = runDruk(args + QStringList{QStringLiteral("dopasowane.pdf"), QStringLiteral("--dopasuj")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QVERIFY2(r.err.contains(QRegularExpression(
                 QStringLiteral("dyplom-druk: zmniejszono: rekord 2 \\(wiersz 2 listy\\): dla z 26 do (\\d+) pt\n"))),
             qPrintable(r.err));
    QVERIFY(!r.err.contains(QStringLiteral("wychodzi poza")));
    const QString fitted = dir_->file(QStringLiteral("dopasowane.pdf"));
    QCOMPARE(pageTexts(fitted).value(1), longName);
    const Box name = boxesOfPage(fitted, 2).value(0);
    QVERIFY2(
        name.right <= frameRight && name.left >= 22 * PointsPerMm,
        qPrintable(QStringLiteral("%1 … %2 pt, the frame ends at %3").arg(name.left).arg(name.right).arg(frameRight)));
    // The other records keep their size and place.
    for (const int page : {1, 3}) {
        const Box before = boxesOfPage(dir_->file(QStringLiteral("zwykle.pdf")), page).value(0);
        const Box after = boxesOfPage(fitted, page).value(0);
        QCOMPARE(after.bottom - after.top, before.bottom - before.top);
        QCOMPARE(after.right, before.right);
    }
}

void TestDrukLists::centredNamesShareOneMiddle()
{
    writeBytes(dir_->file(QStringLiteral("klasa.txt")), QStringLiteral("Ola Łą\nMaksymilian Wierzchowski\n").toUtf8());
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("klasa.txt"),
                              QStringLiteral("-o"), QStringLiteral("c.pdf"), QStringLiteral("--wysrodkuj")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const qreal middle = 105 * PointsPerMm; // the frame's middle is the sheet's
    for (const int page : {1, 2}) {
        const Box b = boxesOfPage(dir_->file(QStringLiteral("c.pdf")), page).value(0);
        QVERIFY2(std::abs((b.left + b.right) / 2 - middle) < 1.5 * PointsPerMm,
                 qPrintable(QStringLiteral("page %1: %2 … %3 pt").arg(page).arg(b.left).arg(b.right)));
    }
}

void TestDrukLists::designWithoutFreeAreaGetsOneNote()
{
    // A full-sheet photo: no part of it is free of ink.
    wmf::MetafilePaintDevice device;
    {
        QPainter p(&device);
        QImage photo(70, 99, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x)
                photo.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * 5 + y * 53) % 256, (x * y) % 256));
        p.drawImage(QRect(0, 0, device.width(), device.height()), photo);
    }
    writeBytes(dir_->file(QStringLiteral("Wzory/BDR_0001.wmf")), device.finish());
    writeBytes(dir_->file(QStringLiteral("klasa.txt")),
               (QStringLiteral("Anna Nowak\nJan Kowalski\n") + QString(60, QLatin1Char('W'))).toUtf8());
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("klasa.txt"),
                              QStringLiteral("-o"), QStringLiteral("k.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(r.err.count(QStringLiteral("nie ma wolnego pola na tekst")), 1);
    QVERIFY2(r.err.contains(QStringLiteral("uwaga: rekord 3 (wiersz 3 listy): tekst „%1” wychodzi poza obszar wydruku")
                                .arg(QString(60, QLatin1Char('W')))),
             qPrintable(r.err));
    QCOMPARE(r.err.count(QStringLiteral("wychodzi poza")), 1);
    QCOMPARE(pageTexts(dir_->file(QStringLiteral("k.pdf"))).size(), 3);
}

void TestDrukLists::checkCountsWhatNeedsAttention()
{
    const QString hieroglyph = QString::fromUcs4(U"\U00013000");
    writeBytes(dir_->file(QStringLiteral("klasa.csv")), (QStringLiteral("Imię;Nazwisko;Klasa\n"
                                                                        "Anna;Nowak;3a\n"
                                                                        ";;\n"
                                                                        "Aleksandra;Wierzchowska-Brzęczyszczyk;3a\n"
                                                                        "Jan;Kowalski;3b\n"
                                                                        "Ra%1;Kowalski;3b\n"
                                                                        "anna;NOWAK;3b\n")
                                                             .arg(hieroglyph))
                                                            .toUtf8());
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("klasa.csv"),
                              QStringLiteral("--sprawdz"), QStringLiteral("--dopasuj"), QStringLiteral("-o"),
                              QStringLiteral("k.pdf")});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QString());
    const QStringList lines = r.err.split(QLatin1Char('\n'));
    for (const QString &expected :
         {QStringLiteral("przeczytano 6 wierszy (UTF-8, separator „;”, nagłówek: Imię, Nazwisko, Klasa)"),
          QStringLiteral("stron do wydruku: 5"), QStringLiteral("pominięte wiersze: 1 (puste: 1)"),
          QStringLiteral("wypełnione pola: 0"), QStringLiteral("zmniejszone teksty: 1"),
          QStringLiteral("teksty poza wolnym polem wzoru: 0"), QStringLiteral("teksty poza obszarem wydruku: 0"),
          QStringLiteral("znaki bez czcionki: 1"), QStringLiteral("powtórzone nazwiska: 1"),
          QStringLiteral("  „Anna Nowak” 2 razy (wiersze 2, 7)"),
          QStringLiteral("wynik: są sprawy do przejrzenia przed drukiem")})
        QVERIFY2(lines.contains(expected), qPrintable(expected + QStringLiteral("\n---\n") + r.err));
    QVERIFY2(r.err.contains(
                 QStringLiteral("znak „%1” (U+13000) nie ma w żadnej zainstalowanej czcionce: rekord 4 (wiersz 6 listy)")
                     .arg(hieroglyph)),
             qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("  rekord 2 (wiersz 4 listy): dla z 26 do ")), qPrintable(r.err));
    QVERIFY(!QFileInfo::exists(dir_->file(QStringLiteral("k.pdf"))));

    // A clean list: exit 0.
    writeBytes(dir_->file(QStringLiteral("dobra.txt")), "Anna Nowak\nJan Kowalski\n");
    const Result ok = runDruk(
        {QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("dobra.txt"), QStringLiteral("--sprawdz")});
    QVERIFY2(ok.status == 0, qPrintable(ok.err));
    QVERIFY(ok.err.contains(QStringLiteral("wynik: wszystko w porządku")));
}

// A contest's twelve diplomas: numbered from --numer-od, dated, and
// "zajął"/"zajęła" and the genitive right for each pupil, by the "Płeć"
// column where it is filled in and by the first name elsewhere.
void TestDrukLists::contestListNumberedDatedAndAgreeing()
{
    editor::DiplomaTexts texts;
    texts.heading = QStringLiteral("Nr {Nr}/{Rok}/K"); // the record holds 20 characters
    texts.recipient = QStringLiteral("{Imię} {Nazwisko}");
    texts.body[0] = QStringLiteral("{zajął|zajęła} miejsce {Miejsce}");
    texts.body[1] = QStringLiteral("gratulacje dla {Imię i nazwisko@D}");
    texts.body[2] = QStringLiteral("Kraków, {Data}");
    writeDiploma(texts);
    struct Pupil {
        const char *first, *surname, *sex, *place, *won, *genitive;
    };
    const Pupil pupils[] = {
        {"Anna", "Nowak", "", "I", "zajęła", "Anny Nowak"},
        {"Jan", "Kowalski", "", "II", "zajął", "Jana Kowalskiego"},
        {"Kuba", "Lis", "", "III", "zajął", "Kuby Lisa"},
        {"Nel", "Bąk", "", "IV", "zajęła", "Nel Bąk"},
        {"Kosma", "Wrona", "", "V", "zajął", "Kosmy Wrony"},
        {"Noemi", "Zając", "", "VI", "zajęła", "Noemi Zając"},
        {"Maria", "Wiśniewska", "", "VII", "zajęła", "Marii Wiśniewskiej"},
        {"Antoni", "Mazur", "", "VIII", "zajął", "Antoniego Mazura"},
        {"Sasza", "Krawczyk", "M", "IX", "zajął", "Saszy Krawczyka"},
        {"Zofia", "Dudek", "k", "X", "zajęła", "Zofii Dudek"},
        {"Barnaba", "Sowa", "", "XI", "zajął", "Barnaby Sowy"},
        {"Nikita", "Kula", "kobieta", "XII", "zajęła", "Nikity Kuli"},
    };
    QString list = QStringLiteral("Imię;Nazwisko;Płeć;Miejsce\n");
    for (const Pupil &p : pupils)
        list += QStringLiteral("%1;%2;%3;%4\n")
                    .arg(QString::fromUtf8(p.first), QString::fromUtf8(p.surname), QString::fromUtf8(p.sex),
                         QString::fromUtf8(p.place));
    writeBytes(dir_->file(QStringLiteral("konkurs.csv")), list.toUtf8());
    const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("konkurs.csv"),
                              QStringLiteral("--numer-od"), QStringLiteral("41"), QStringLiteral("--data"),
                              QStringLiteral("2026-06-19"), QStringLiteral("-o"), QStringLiteral("konkurs.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QStringList pages = pageTexts(dir_->file(QStringLiteral("konkurs.pdf")));
    QCOMPARE(pages.size(), 12);
    for (int i = 0; i < 12; ++i) {
        const Pupil &p = pupils[i];
        const QString page = pages[i];
        for (const QString &expected :
             {QStringLiteral("Nr %1/2026/K").arg(41 + i),
              QStringLiteral("%1 %2").arg(QString::fromUtf8(p.first), QString::fromUtf8(p.surname)),
              QStringLiteral("%1 miejsce %2").arg(QString::fromUtf8(p.won), QString::fromUtf8(p.place)),
              QStringLiteral("gratulacje dla %1").arg(QString::fromUtf8(p.genitive)),
              QStringLiteral("Kraków, 19 czerwca 2026")})
            QVERIFY2(page.split(QLatin1Char('|')).contains(expected),
                     qPrintable(expected + QStringLiteral(" / ") + page));
    }
    // Sasza and Nikita are decided by the column: nothing was guessed.
    QVERIFY2(!r.err.contains(QStringLiteral("niepewn")), qPrintable(r.err));

    // Today's date without --data; --wiersze numbers only the diplomas made.
    const Result today = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("konkurs.csv"),
                                  QStringLiteral("--wiersze"), QStringLiteral("3,5"), QStringLiteral("-o"),
                                  QStringLiteral("dwa.pdf")});
    QVERIFY2(today.status == 0, qPrintable(today.err));
    const QStringList two = pageTexts(dir_->file(QStringLiteral("dwa.pdf")));
    QCOMPARE(two.size(), 2);
    const QDate now = QDate::currentDate();
    const QString year = QString::number(now.year());
    QVERIFY2(two[0].contains(QStringLiteral("Nr 1/%1/K").arg(year)), qPrintable(two[0]));
    QVERIFY2(two[1].contains(QStringLiteral("Nr 2/%1/K").arg(year)), qPrintable(two[1]));
    QVERIFY2(two[1].contains(QRegularExpression(QStringLiteral("Kraków, %1 \\w+ %2$").arg(now.day()).arg(year))),
             qPrintable(two[1]));

    // A day that does not exist is a usage error; nothing is written.
    const Result bad = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("konkurs.csv"),
                                QStringLiteral("--data"), QStringLiteral("2026-02-30"), QStringLiteral("-o"),
                                QStringLiteral("zly.pdf")});
    QCOMPARE(bad.status, 2);
    QVERIFY2(bad.err.startsWith(QStringLiteral("dyplom-druk: --data: „2026-02-30”: nie ma takiego dnia")),
             qPrintable(bad.err));
    QVERIFY(!QFileInfo::exists(dir_->file(QStringLiteral("zly.pdf"))));
}

// A first name the rules are not sure of and a surname they cannot decline
// are named by --sprawdz and in the run's warnings; --scisle refuses; a
// "Płeć" that is neither K nor M is refused naming its line.
void TestDrukLists::guessedWordingIsNamedAndRefusedWhenStrict()
{
    editor::DiplomaTexts texts;
    texts.recipient = QStringLiteral("{Imię} {Nazwisko}");
    texts.body[0] = QStringLiteral("{zajął|zajęła} I miejsce, dla {Imię i nazwisko@D}");
    writeDiploma(texts);
    writeBytes(dir_->file(QStringLiteral("k.csv")),
               QStringLiteral("Imię;Nazwisko\nAnna;Nowak\nSasza;Wrona\nJan;Fredro\n").toUtf8());
    const QStringList args{QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("k.csv"),
                           QStringLiteral("-o"), QStringLiteral("k.pdf")};
    const Result check = runDruk(args + QStringList{QStringLiteral("--sprawdz")});
    QCOMPARE(check.status, 1);
    for (const QString &expected :
         {QStringLiteral("niepewna płeć lub odmiana: 2"),
          QStringLiteral("  k.csv: wiersz 3: Sasza Wrona: płeć z imienia niepewna, przyjęto żeńską (rozstrzyga "
                         "kolumna „Płeć”: K lub M)"),
          QStringLiteral("  k.csv: wiersz 4: {Imię i nazwisko@D}: „Jan Fredro” → „Jana Fredry” (dopełniacz): "
                         "niepewne „Fredro”; rozstrzyga kolumna „Imię i nazwisko (D)”")})
        QVERIFY2(check.err.split(QLatin1Char('\n')).contains(expected),
                 qPrintable(expected + QStringLiteral("\n---\n") + check.err));

    const Result strict = runDruk(args + QStringList{QStringLiteral("--scisle")});
    QCOMPARE(strict.status, 1);
    QVERIFY2(strict.err.contains(QStringLiteral("Sasza Wrona: płeć z imienia niepewna")), qPrintable(strict.err));
    QVERIFY(strict.err.contains(QStringLiteral("--scisle: nic nie zostało zapisane")));
    QVERIFY(!QFileInfo::exists(dir_->file(QStringLiteral("k.pdf"))));

    const Result run = runDruk(args);
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("dyplom-druk: uwaga: k.csv: wiersz 3: Sasza Wrona")), qPrintable(run.err));
    QCOMPARE(pageTexts(dir_->file(QStringLiteral("k.pdf"))).size(), 3);

    writeBytes(dir_->file(QStringLiteral("p.csv")),
               QStringLiteral("Imię;Nazwisko;Płeć\nAnna;Nowak;K\nJan;Lis;?\n").toUtf8());
    const Result sex = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("p.csv"),
                                QStringLiteral("-o"), QStringLiteral("p.pdf")});
    QCOMPARE(sex.status, 1);
    QVERIFY2(sex.err.startsWith(QStringLiteral("dyplom-druk: p.csv: wiersz 3: kolumna „Płeć”: płeć „?” to nie K ani M")),
             qPrintable(sex.err));
    QVERIFY(!QFileInfo::exists(dir_->file(QStringLiteral("p.pdf"))));
}

QTEST_MAIN(TestDrukLists)
#include "tst_druklists.moc"
