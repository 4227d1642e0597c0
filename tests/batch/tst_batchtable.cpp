// Text lists as schools keep them, read into a table: every case gives the
// right cells in the right rows, or a refusal naming the line.
#include "batch/table/TextDecoding.h"
#include "batch/table/ReadTable.h"
#include "batch/table/TextTable.h"

#include "platform/Cp1250.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

using batch::Table;

namespace {

Table read(const QByteArray &bytes, const QString &name = QStringLiteral("lista.csv"), batch::ReadOptions options = {})
{
    return batch::readTextTable(bytes, name, options);
}

QString cells(const Table &t)
{
    QStringList rows;
    for (const QStringList &r : t.rows)
        rows.append(r.join(QLatin1Char('|')));
    return rows.join(QLatin1Char('/'));
}

QByteArray utf16(const QString &text, bool littleEndian)
{
    QStringEncoder encoder(littleEndian ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE);
    return QByteArray(littleEndian ? "\xFF\xFE" : "\xFE\xFF") + QByteArray(encoder(text));
}

// Windows-1251 bytes of Cyrillic text (А … я are 0xC0 … 0xFF; І, і, Ї, ї, Є, є
// have places of their own).
QByteArray cp1251(const QString &text)
{
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            out += char(u);
        else if (u >= 0x410 && u <= 0x44F)
            out += char(0xC0 + (u - 0x410));
        else if (u == 0x406)
            out += char(0xB2);
        else if (u == 0x456)
            out += char(0xB3);
        else if (u == 0x407)
            out += char(0xAF);
        else if (u == 0x457)
            out += char(0xBF);
        else if (u == 0x404)
            out += char(0xAA);
        else if (u == 0x454)
            out += char(0xBA);
        else
            out += '?';
    }
    return out;
}

} // namespace

class TestBatchTable : public QObject {
    Q_OBJECT
private slots:
    void listsAsSchoolsKeepThem_data();
    void listsAsSchoolsKeepThem();
    void encodings_data();
    void encodings();
    void polishWindows1250IsNeverCyrillic();
    void utf8WithStrayLinesNamesEachLine();
    void forcedEncodingAndSeparator();
    void refusalsNameTheLine_data();
    void refusalsNameTheLine();
    void limitsRefuseNeverCut();
    void spreadsheetsGoToTheirReader();
};

void TestBatchTable::listsAsSchoolsKeepThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("cells");
    QTest::addColumn<int>("skipped");

    QTest::newRow("plain list, blank lines")
        << "klasa.txt" << QByteArray("Anna Nowak\n\n  \t\n  Jan Kowalski  \n") << "Anna Nowak/Jan Kowalski" << 0;
    QTest::newRow("plain list keeps commas and semicolons")
        << "klasa.txt" << QByteArray("Kowalski, Jan\nNowak; Anna\n") << "Kowalski, Jan/Nowak; Anna" << 0;
    QTest::newRow("plain list keeps quotes")
        << "klasa.txt" << QByteArray("Jan \"Kuba\" Nowak\n") << "Jan \"Kuba\" Nowak" << 0;
    QTest::newRow("a stray tab further down splits nothing")
        << "klasa.txt" << QByteArray("Anna Nowak\nJan\tKowalski\n") << "Anna Nowak/Jan\tKowalski" << 0;
    QTest::newRow("tab outside .csv") << "eksport.txt" << QByteArray("Imię\tNazwisko\nAnna\tNowak\n")
                                      << "Imię|Nazwisko/Anna|Nowak" << 0;
    QTest::newRow("semicolon") << "a.csv" << QByteArray("dla;tresc1\nAnna;x\n") << "dla|tresc1/Anna|x" << 0;
    QTest::newRow("comma") << "a.CSV" << QByteArray("dla,tresc1\n\"Nowak, Anna\",x\n") << "dla|tresc1/Nowak, Anna|x" << 0;
    QTest::newRow("tab in .csv") << "a.csv" << QByteArray("dla\ttresc1\nAnna, Maria\tx\n") << "dla|tresc1/Anna, Maria|x"
                                 << 0;
    QTest::newRow("most frequent separator wins") << "a.csv" << QByteArray("a,b;c;d\n") << "a,b|c|d" << 0;
    QTest::newRow("separator inside quotes does not count") << "a.csv" << QByteArray("\"a;b;c\",d\n") << "a;b;c|d" << 0;
    QTest::newRow("one quoted column") << "a.csv" << QByteArray("\"Kowalski, Jan\"\n") << "Kowalski, Jan" << 0;
    QTest::newRow("doubled quotes") << "a.csv" << QByteArray("dla;tresc1\n\"a \"\"b\"\"\";c\n")
                                    << "dla|tresc1/a \"b\"|c" << 0;
    QTest::newRow("line break inside quotes is a space")
        << "a.csv" << QByteArray("dla;tresc1\n\"Anna\r\nMaria\";x\nJan;y\n") << "dla|tresc1/Anna Maria|x/Jan|y" << 0;
    QTest::newRow("quoted cell keeps its spaces") << "a.csv" << QByteArray("\" a \";b\n") << " a |b" << 0;
    QTest::newRow("trailing empty columns")
        << "a.csv" << QByteArray("dla;tresc1;;\nAnna;x;;\n") << "dla|tresc1/Anna|x" << 0;
    QTest::newRow("separator-only rows") << "a.csv" << QByteArray("dla;tresc1\nAnna;x\n;\n;;\n\n ; ;\n")
                                         << "dla|tresc1/Anna|x" << 3;
    QTest::newRow("empty cell inside a row stays") << "a.csv" << QByteArray("a;;c\n") << "a||c" << 0;
    QTest::newRow("CR LF, CR and LF") << "a.txt" << QByteArray("a\r\nb\rc\nd") << "a/b/c/d" << 0;
    QTest::newRow("mixed breaks, blank lines counted")
        << "a.txt" << QByteArray("Anna\rJan\n\r\nZofia") << "Anna/Jan/Zofia" << 0;
    QTest::newRow("BOM of each joined file") << "a.csv"
                                             << QByteArray("\xEF\xBB\xBF"
                                                           "dla\nAnna\n\xEF\xBB\xBF"
                                                           "dla\nJan\n")
                                             << "dla/Anna/dla/Jan" << 0;
    QTest::newRow("quote inside an unquoted cell")
        << "a.csv" << QByteArray("Jan \"Kuba\" Nowak;x\n") << "Jan \"Kuba\" Nowak|x" << 0;
}

void TestBatchTable::listsAsSchoolsKeepThem()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, cells);
    QFETCH(int, skipped);
    const Table t = read(bytes, name);
    QCOMPARE(::cells(t), cells);
    QCOMPARE(t.skippedEmptyRows, skipped);
    QCOMPARE(t.origins.size(), t.rows.size());
}

void TestBatchTable::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("cells");

    const QString polish = QStringLiteral("Imię\tNazwisko\nŁucja\tŻółkiewska-Gęś\n");
    const QString polishCells = QStringLiteral("Imię|Nazwisko/Łucja|Żółkiewska-Gęś");
    QTest::newRow("UTF-8") << polish.toUtf8() << "UTF-8" << polishCells;
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + polish.toUtf8() << "UTF-8" << polishCells;
    QTest::newRow("UTF-16 LE (spreadsheet's Unicode text)") << utf16(polish, true) << "UTF-16LE" << polishCells;
    QTest::newRow("UTF-16 BE") << utf16(polish, false) << "UTF-16BE" << polishCells;
    QTest::newRow("Windows-1250") << platform::toCp1250(polish) << "Windows-1250" << polishCells;
    const QString ukrainian = QStringLiteral("Ім'я\tПрізвище\nОлександр\tШевченко\nЇржи\tЄвенко\n");
    QTest::newRow("Windows-1251") << cp1251(ukrainian) << "Windows-1251"
                                  << QStringLiteral("Ім'я|Прізвище/Олександр|Шевченко/Їржи|Євенко");
}

void TestBatchTable::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoding);
    QFETCH(QString, cells);
    const Table t = read(bytes, QStringLiteral("klasa.txt"));
    QCOMPARE(t.encoding, encoding);
    QCOMPARE(::cells(t), cells);
    QVERIFY(t.warnings.isEmpty());
}

void TestBatchTable::polishWindows1250IsNeverCyrillic()
{
    // Names heavy in Polish letters, alone and as one list.
    const QStringList names{
        QStringLiteral("Łukasz Żółkiewski"),
        QStringLiteral("Józef Ślęzak"),
        QStringLiteral("Grażyna Źródłowska"),
        QStringLiteral("Bożęna Łąćkowska"),
        QStringLiteral("Ścibór Ćwikła"),
        QStringLiteral("Żaneta Ślązak-Wróżek"),
        QStringLiteral("Małgorzata Wąsowicz"),
        QStringLiteral("Jędrzej Szczęsny"),
        QStringLiteral("Ewa Łoś"),
        QStringLiteral("Ąna Ęła"),
        QStringLiteral("ŁUCJA GÓŁKOWSKA"),
        QStringLiteral("Michał Dąbrówka, kl. 3b"),
        QStringLiteral("Ewa Kolę"), // 0xEA at the end looks like a cut-off UTF-8 sequence
    };
    for (const QString &name : names) {
        const Table t = read(platform::toCp1250(name + QLatin1Char('\n')), QStringLiteral("a.txt"));
        QVERIFY2(t.encoding == QLatin1String("Windows-1250"), qPrintable(name + QStringLiteral(": ") + t.encoding));
        QCOMPARE(t.rows.value(0).value(0), name);
    }
    const Table all = read(platform::toCp1250(names.join(QLatin1Char('\n'))), QStringLiteral("a.txt"));
    QCOMPARE(all.encoding, QStringLiteral("Windows-1250"));
    QCOMPARE(all.rows.size(), names.size());
}

void TestBatchTable::utf8WithStrayLinesNamesEachLine()
{
    const QByteArray bytes = QStringLiteral("Gęślą Jaźń\nŁucja Wąs\n").toUtf8() + QByteArray("\xA3ucja K\xF3\xB3ko\n")
                             + QStringLiteral("Żaneta Ćma\n").toUtf8() + QByteArray("Ola \xB3\n")
                             + QByteArray("Ewa Kol\xEA\n");
    const Table t = read(bytes, QStringLiteral("a.txt"));
    QCOMPARE(t.encoding, QStringLiteral("UTF-8"));
    QCOMPARE(::cells(t), QStringLiteral("Gęślą Jaźń/Łucja Wąs/Łucja Kółko/Żaneta Ćma/Ola ł/Ewa Kolę"));
    QCOMPARE(t.warnings.size(), 3);
    QVERIFY(t.warnings[0].contains(QStringLiteral("wiersz 3 ")));
    QVERIFY(t.warnings[1].contains(QStringLiteral("wiersz 5 ")));
    QVERIFY(t.warnings[0].contains(QStringLiteral("Windows-1250")));
}

void TestBatchTable::forcedEncodingAndSeparator()
{
    batch::ReadOptions o;
    o.encoding = QStringLiteral("windows-1251");
    // Latin-looking bytes forced to Cyrillic.
    QCOMPARE(read(QByteArray("\xC0na\n"), QStringLiteral("a.txt"), o).rows.value(0).value(0), QStringLiteral("Аna"));
    o.encoding = QStringLiteral("utf-16le");
    QCOMPARE(read(QByteArray("A\0n\0a\0", 6), QStringLiteral("a.txt"), o).rows.value(0).value(0), QStringLiteral("Ana"));
    o = {};
    o.separator = QLatin1Char(';');
    QCOMPARE(::cells(read(QByteArray("Anna;x\tk\n"), QStringLiteral("a.txt"), o)), QStringLiteral("Anna|x\tk"));
    o.separator = QLatin1Char(',');
    QCOMPARE(::cells(read(QByteArray("a;b,c\n"), QStringLiteral("a.csv"), o)), QStringLiteral("a;b|c"));
    o = {};
    o.encoding = QStringLiteral("ebcdic");
    try {
        read(QByteArray("a\n"), QStringLiteral("a.txt"), o);
        QFAIL("an unknown encoding was taken");
    } catch (const batch::TableError &e) {
        QVERIFY(QString::fromUtf8(e.what()).contains(QStringLiteral("ebcdic")));
    }
}

void TestBatchTable::refusalsNameTheLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    QTest::newRow("unclosed quote names where it opened")
        << QByteArray("dla\nAnna\n\"Jan\nZofia\n") << "lista.csv: wiersz 3: niezamknięty cudzysłów w komórce A";
    QTest::newRow("text after the closing quote")
        << QByteArray("dla;tresc1\n\"Jan\"x;y\n") << "lista.csv: wiersz 2: tekst po zamykającym cudzysłowie w komórce A";
    QTest::newRow("NUL") << QByteArray("dla\nAnna\nJ\0zef\n", 15) << "lista.csv: wiersz 3: niedozwolony znak NUL";
    QTest::newRow("too many columns") << QByteArray(300, ';').prepend("a").append("b\n")
                                      << "lista.csv: wiersz 1: ponad 256 kolumn";
    QTest::newRow("a PNG renamed") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                   << "lista.csv: to nie jest lista (obraz PNG)";
    QTest::newRow("a PDF") << QByteArray("%PDF-1.4\n%\xe2\xe3\n") << "lista.csv: to nie jest lista (dokument PDF)";
    QTest::newRow("cell too long") << QByteArray("a;").append(QByteArray(5000, 'x'))
                                   << "lista.csv: wiersz 1: komórka B ma ponad 4096 znaków";
}

void TestBatchTable::refusalsNameTheLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    try {
        read(bytes);
        QFAIL("the list was taken");
    } catch (const batch::TableError &e) {
        QVERIFY2(QString::fromUtf8(e.what()).startsWith(message), e.what());
    }
}

void TestBatchTable::limitsRefuseNeverCut()
{
    batch::ReadLimits limits;
    limits.maxRows = 3;
    const QByteArray four("dla;x\nA\n\n;\nB\nC\n");
    try {
        batch::readTextTable(four, QStringLiteral("a.csv"), {}, limits);
        QFAIL("a list over the limit was taken");
    } catch (const batch::TableError &e) {
        QCOMPARE(QString::fromUtf8(e.what()),
                 QStringLiteral(
                     "a.csv: wiersz 6: lista ma ponad 3 wiersze; tyle najwyżej da się wydrukować za jednym razem"));
    }
    QCOMPARE(batch::readTextTable(QByteArray("dla;x\nA\n\n;\nB\n"), QStringLiteral("a.csv"), {}, limits).rows.size(), 3);
    limits.maxFileBytes = 10;
    QVERIFY_THROWS_EXCEPTION(batch::TableError,
                             batch::readTextTable(QByteArray(11, 'a'), QStringLiteral("a.txt"), {}, limits));
    // Separators without end hold no memory and end as an empty row.
    const batch::Table wide = batch::readTextTable(QByteArray(4'000'000, ';').prepend("a;b\n"), QStringLiteral("a.csv"),
                                                   {});
    QCOMPARE(wide.rows.size(), 1);
    QCOMPARE(wide.skippedEmptyRows, 1);
}

void TestBatchTable::spreadsheetsGoToTheirReader()
{
    // By content, whatever the name: a zip or an OLE2 file is never read as text.
    QTemporaryDir dir;
    for (const QByteArray &head :
         {QByteArray("PK\x03\x04\0\0\0\0\0\0"), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0")}) {
        const QString path = dir.filePath(QStringLiteral("klasa.csv"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(head + QByteArray("\0\0\0 not a real sheet"));
        f.close();
        try {
            batch::readTable(path, {});
            QFAIL("a broken spreadsheet was taken");
        } catch (const batch::TableError &e) {
            const QString what = QString::fromUtf8(e.what());
            QVERIFY2(what.startsWith(path + QStringLiteral(": ")) && !what.contains(QStringLiteral("NUL")), e.what());
        }
    }
    const QString missing = dir.filePath(QStringLiteral("brak.csv"));
    QVERIFY_THROWS_EXCEPTION(batch::TableError, batch::readTable(missing, {}));
}

QTEST_GUILESS_MAIN(TestBatchTable)
#include "tst_batchtable.moc"
