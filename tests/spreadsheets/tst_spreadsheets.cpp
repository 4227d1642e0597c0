#include "SheetFiles.h"
#include "SheetSamples.h"

using namespace sheetfiles;

namespace {

QVariantMap date(const QString &iso)
{
    return {{QStringLiteral("date"), iso}};
}
QVariantMap repeated(int n, const QVariant &value)
{
    return {{QStringLiteral("repeat"), n}, {QStringLiteral("value"), value}};
}
QVariantMap repeatedRow(int n, const QVariantList &cells)
{
    return {{QStringLiteral("repeat"), n}, {QStringLiteral("cells"), cells}};
}

const QStringList kFormats{QStringLiteral("xlsx"), QStringLiteral("ods"), QStringLiteral("xls")};

} // namespace

class TestSpreadsheets : public QObject {
    Q_OBJECT
private slots:
    void classListInEveryFormat_data()
    {
        QTest::addColumn<QString>("format");
        for (const QString &f : kFormats)
            QTest::newRow(qPrintable(f)) << f;
    }
    // The same list written by each format's own library reads the same.
    void classListInEveryFormat()
    {
        QFETCH(QString, format);
        const QVariantList rows{
            QVariantList{"Imię", "Nazwisko", "Klasa", "Punkty", "Średnia", "Urodzony"},
            QVariantList{"Zażółć", "Gęślą-Jaźń", "3b", 98, 4.5, date("2010-03-07")},
            QVariantList{"Anna Maria", "Kowalska", QVariant(), 100, 5.25, date("2009-12-31")},
            QVariantList{},
            QVariantList{"Jan", "Nowak", QVariant(), QVariant()},
            QVariantList{"Олександр", "Шевченко", QVariant(), -0.125},
        };
        const QByteArray bytes = written(format, {sheet(QStringLiteral("Klasa 3b"), rows)});
        QVERIFY(batch::isSpreadsheet(bytes.left(16)));
        const batch::Table t = read(bytes);
        const QList<QStringList> expected{
            {"Imię", "Nazwisko", "Klasa", "Punkty", "Średnia", "Urodzony"},
            {"Zażółć", "Gęślą-Jaźń", "3b", "98", "4,5", "07.03.2010"},
            {"Anna Maria", "Kowalska", "", "100", "5,25", "31.12.2009"},
            {"Jan", "Nowak"},
            {"Олександр", "Шевченко", "", "-0,125"},
        };
        QCOMPARE(t.rows, expected);
        QCOMPARE(t.columnCount, 6);
        QCOMPARE(t.skippedEmptyRows, 1);
        QCOMPARE(t.sheet, QStringLiteral("Klasa 3b"));
        QList<int> lines;
        for (const batch::RowOrigin &o : t.origins) {
            lines.append(o.line);
            QCOMPARE(o.sheet, QStringLiteral("Klasa 3b"));
        }
        QCOMPARE(lines, (QList<int>{1, 2, 3, 5, 6}));
    }

    void sheetChoice_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("read"); // empty: refused
        for (const QString &f : kFormats) {
            QTest::addRow("%s first", qPrintable(f)) << f << QString() << "Wyniki";
            QTest::addRow("%s by name", qPrintable(f)) << f << "Lista"
                                                       << "Lista";
            QTest::addRow("%s any case", qPrintable(f)) << f << "ŁĄKA 2"
                                                        << "Łąka 2";
            QTest::addRow("%s unknown", qPrintable(f)) << f << "Brak" << QString();
        }
    }
    // The first sheet, or the one named (letter case aside); an unknown name
    // is refused with the sheets there are.
    void sheetChoice()
    {
        QFETCH(QString, format);
        QFETCH(QString, asked);
        QFETCH(QString, read);
        const QByteArray bytes = written(
            format, {sheet("Wyniki", oneRow({"w"})), sheet("Lista", oneRow({"l"})), sheet("Łąka 2", oneRow({"k"}))});
        if (read.isEmpty()) {
            QCOMPARE(refusal(bytes, {}, asked),
                     QStringLiteral("klasa.plik: nie ma arkusza „Brak”; arkusze w pliku: „Wyniki”, „Lista”, „Łąka 2”"));
            return;
        }
        const batch::Table t = sheetfiles::read(bytes, asked);
        QCOMPARE(t.sheet, read);
        QCOMPARE(t.rows, (QList<QStringList>{{read == "Wyniki" ? "w" : read == "Lista" ? "l" : "k"}}));
        QCOMPARE(t.origins.first().sheet, read);
    }

    void xlsxCells_data()
    {
        QTest::addColumn<QByteArray>("sheetData");
        QTest::addColumn<QByteArray>("workbookPr");
        QTest::addColumn<QStringList>("expected");
        const QByteArray r = "<row r=\"1\">";
        QTest::newRow("shared strings") << r + "<c r=\"A1\" t=\"s\"><v>1</v></c><c r=\"C1\" t=\"s\"><v>0</v></c></row>"
                                        << QByteArray() << QStringList{"Nowak", "", "Anna"};
        QTest::newRow("rich text runs, phonetic guide left out")
            << r
                   + "<c r=\"A1\" t=\"inlineStr\"><is><r><rPr><b/></rPr><t>Ann</t></r><r><t xml:space=\"preserve\">a M</t></r>"
                     "<rPh sb=\"0\" eb=\"1\"><t>ア</t></rPh></is></c></row>"
            << QByteArray() << QStringList{"Anna M"};
        QTest::newRow("formulas by their stored value")
            << r
                   + "<c r=\"A1\"><f>1+1</f><v>2</v></c><c r=\"B1\" t=\"str\"><f>A2&amp;\"x\"</f><v>Zosia</v></c>"
                     "<c r=\"C1\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c></row>"
            << QByteArray() << QStringList{"2", "Zosia", "#DIV/0!"};
        QTest::newRow("booleans and ISO dates")
            << r + "<c r=\"A1\" t=\"b\"><v>1</v></c><c r=\"B1\" t=\"b\"><v>0</v></c><c r=\"C1\" t=\"d\"><v>2024-06-21T00:00:00</v></c></row>"
            << QByteArray() << QStringList{"PRAWDA", "FAŁSZ", "21.06.2024"};
        QTest::newRow("numbers in shortest form")
            << r
                   + "<c r=\"A1\"><v>98.0</v></c><c r=\"B1\"><v>4.5</v></c><c r=\"C1\"><v>0.30000000000000004</v></c>"
                     "<c r=\"D1\"><v>600123456</v></c><c r=\"E1\"><v>1E+20</v></c><c r=\"F1\" s=\"5\"><v>4.5</v></c></row>"
            << QByteArray() << QStringList{"98", "4,5", "0,3", "600123456", "1E+20", "4,5"};
        QTest::newRow("number formats: dates, times, percent")
            << r
                   + "<c r=\"A1\" s=\"1\"><v>45464</v></c><c r=\"B1\" s=\"2\"><v>45464.4375</v></c><c r=\"C1\" s=\"3\"><v>0.4375</v></c>"
                     "<c r=\"D1\" s=\"4\"><v>0.125</v></c><c r=\"E1\" s=\"6\"><v>45464</v></c><c r=\"F1\" s=\"7\"><v>2024</v></c>"
                     "<c r=\"G1\" s=\"8\"><v>61</v></c></row>"
            << QByteArray()
            << QStringList{"21.06.2024", "21.06.2024 10:30", "10:30", "12,5%", "21.06.2024", "2024", "01.03.1900"};
        QTest::newRow("1904 date system")
            << r + "<c r=\"A1\" s=\"1\"><v>0</v></c><c r=\"B1\" s=\"1\"><v>43999</v></c></row>"
            << QByteArray("<workbookPr date1904=\"1\"/>") << QStringList{"01.01.1904", "18.06.2024"};
        QTest::newRow("cells and rows without addresses")
            << QByteArray("<row><c t=\"s\"><v>0</v></c><c/><c><v>3</v></c></row>") << QByteArray()
            << QStringList{"Anna", "", "3"};
        QTest::newRow("escaped characters")
            << r + "<c r=\"A1\" t=\"inlineStr\"><is><t>a_x000A_b_x005F_c_xZZZZ_</t></is></c></row>" << QByteArray()
            << QStringList{"a\nb_c_xZZZZ_"};
    }
    // What office suites write and openpyxl does not: shared strings, stored
    // formula values, number formats, the 1904 system.
    void xlsxCells()
    {
        QFETCH(QByteArray, sheetData);
        QFETCH(QByteArray, workbookPr);
        QFETCH(QStringList, expected);
        sheetsamples::Xlsx x;
        x.sheetData = sheetData;
        x.workbookPr = workbookPr;
        x.shared = {"Anna", "Nowak"};
        x.styles =
            "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><numFmts count=\"3\">"
            "<numFmt numFmtId=\"164\" formatCode=\"[$-415]d\\ mmmm\\ yyyy;@\"/>"
            "<numFmt numFmtId=\"165\" formatCode=\"&quot;Rok &quot;0\"/>"
            "<numFmt numFmtId=\"166\" formatCode=\"[Red]0.00\"/></numFmts>"
            "<cellStyleXfs><xf numFmtId=\"14\"/></cellStyleXfs>"
            "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"22\"/><xf numFmtId=\"20\"/>"
            "<xf numFmtId=\"10\"/><xf numFmtId=\"166\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/><xf numFmtId=\"15\"/>"
            "</cellXfs></styleSheet>";
        const batch::Table t = read(sheetsamples::xlsx(x));
        QCOMPARE(t.rows, QList<QStringList>{expected});
    }

    // Relationship targets may be relative to the workbook or absolute in the package.
    void xlsxSheetFoundThroughAbsoluteTarget()
    {
        const batch::Table t = read(sheetsamples::xlsxRows({{"a"}}), "inne");
        QCOMPARE(t.sheet, QStringLiteral("Inne"));
        QCOMPARE(t.rows, (QList<QStringList>{{"2"}}));
    }

    void hiddenFirstSheetIsPassedOver()
    {
        QVariantMap hidden = sheet("Ukryty", oneRow({"u"}));
        hidden.insert(QStringLiteral("hidden"), true);
        const QByteArray bytes = written(QStringLiteral("xlsx"), {hidden, sheet("Widoczny", oneRow({"v"}))});
        QCOMPARE(read(bytes).sheet, QStringLiteral("Widoczny"));
        QCOMPARE(read(bytes, "ukryty").rows, (QList<QStringList>{{"u"}}));
    }

    void hiddenFirstTableOfOdsIsPassedOver()
    {
        const QByteArray tables =
            "<table:table table:name=\"Ukryty\" table:style-name=\"ta2\"><table:table-row><table:table-cell "
            "office:value-type=\"string\"><text:p>u</text:p></table:table-cell></table:table-row></table:table>"
            "<table:table table:name=\"Widoczny\" table:style-name=\"ta1\"><table:table-row><table:table-cell "
            "office:value-type=\"string\"><text:p>v</text:p></table:table-cell></table:table-row></table:table>";
        const QByteArray styles =
            "<office:automatic-styles xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\">"
            "<style:style style:name=\"ta1\" style:family=\"table\"><style:table-properties table:display=\"true\"/></style:style>"
            "<style:style style:name=\"ta2\" style:family=\"table\"><style:table-properties table:display=\"false\"/></style:style>"
            "</office:automatic-styles>";
        const QByteArray bytes = sheetsamples::ods(tables, {}, styles);
        QCOMPARE(read(bytes).sheet, QStringLiteral("Widoczny"));
        QCOMPARE(read(bytes, "ukryty").rows, (QList<QStringList>{{"u"}}));
    }

    // Repeats expand where they hold something, and cost nothing where they
    // do not; values come from the cell's attributes, text from its paragraphs.
    void odsCells()
    {
        const QVariantList rows{
            QVariantList{repeated(3, "x"), QVariant(), QVariantMap{{"formula", "A1*2"}, {"value", 8.5}},
                         QVariantMap{{"formula", "A1"}, {"value", "tekst"}}},
            repeatedRow(2, {"Gęślą  jaźń", QVariantMap{{"number", 0.25}, {"format", "0%"}}}),
            QVariantList{QVariantMap{{"time", "PT10H30M00S"}}, QVariantMap{{"bool", true}},
                         QVariantMap{{"paragraphs", QVariantList{"Anna", "Maria"}}}},
        };
        const batch::Table t = read(written(QStringLiteral("ods"), {sheet("A", rows)}));
        const QList<QStringList> expected{
            {"x", "x", "x", "", "8,5", "tekst"},
            {"Gęślą  jaźń", "25%"},
            {"Gęślą  jaźń", "25%"},
            {"10:30", "PRAWDA", "Anna\nMaria"},
        };
        QCOMPARE(t.rows, expected);
        QCOMPARE(t.origins[2].line, 3);
    }

    void odsHugeEmptyRepeats()
    {
        const QByteArray tables =
            "<table:table table:name=\"A\"><table:table-column table:number-columns-repeated=\"16384\"/>"
            "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>a</text:p>"
            "<office:annotation><text:p>komentarz</text:p></office:annotation></table:table-cell>"
            "<table:table-cell table:number-columns-repeated=\"16383\"/></table:table-row>"
            "<table:table-row table:number-rows-repeated=\"1000000\"><table:table-cell table:number-columns-repeated=\"16384\"/></table:table-row>"
            "<table:table-row><table:table-cell table:number-columns-repeated=\"200\"/><table:table-cell "
            "office:value-type=\"string\"><text:p>  b <text:span>c</text:span>\n d</text:p></table:table-cell></table:table-row>"
            "<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell table:number-columns-repeated=\"16384\"/></table:table-row>"
            "</table:table>";
        batch::ReadLimits limits;
        limits.maxColumns = 256;
        const batch::Table t = read(sheetsamples::ods(tables), {}, limits);
        QCOMPARE(t.rows.size(), 2);
        QCOMPARE(t.rows[0], QStringList{"a"});
        QCOMPARE(t.rows[1].size(), 201);
        QCOMPARE(t.rows[1].last(), QStringLiteral("b c d"));
        QCOMPARE(t.origins[1].line, 1000002);
        QCOMPARE(t.skippedEmptyRows, 1000000);
    }

    void limitsRefuseNeverCut_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("cellChars");
        QTest::addColumn<QString>("refusal"); // empty: read whole
        for (const QString &f : kFormats) {
            QTest::addRow("%s at every limit", qPrintable(f)) << f << 4 << 3 << 6 << QString();
            QTest::addRow("%s a row too many", qPrintable(f))
                << f << 3 << 3 << 6 << "klasa.plik, arkusz „L”: więcej niż 3 wiersze";
            QTest::addRow("%s a column too many", qPrintable(f))
                << f << 4 << 2 << 6 << "klasa.plik, arkusz „L”, komórka C1: więcej niż 2 kolumny";
            QTest::addRow("%s a cell too long", qPrintable(f))
                << f << 4 << 3 << 5 << "klasa.plik, arkusz „L”, komórka C5: tekst dłuższy niż 5 znaków";
        }
    }
    void limitsRefuseNeverCut()
    {
        QFETCH(QString, format);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(int, cellChars);
        QFETCH(QString, refusal);
        const QVariantList data{QVariantList{"a", "b", "c"}, QVariantList{"d"}, QVariantList{}, QVariantList{"e"},
                                QVariantList{"f", QVariant(), "ąęśćżź"}};
        batch::ReadLimits limits;
        limits.maxRows = rows;
        limits.maxColumns = columns;
        limits.maxCellChars = cellChars;
        const QByteArray bytes = written(format, {sheet("L", data)});
        const QString got = sheetfiles::refusal(bytes, limits);
        if (refusal.isEmpty()) {
            QCOMPARE(got, QString());
            QCOMPARE(read(bytes, {}, limits).rows.size(), 4);
        } else {
            QVERIFY2(got.startsWith(refusal), qPrintable(got));
        }
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheets)
#include "tst_spreadsheets.moc"
