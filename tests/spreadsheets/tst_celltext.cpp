#include "batch/table/CellText.h"

#include <QtTest>

using namespace batch::celltext;

class TestCellText : public QObject {
    Q_OBJECT
private slots:
    void numbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole") << 98.0 << "98";
        QTest::newRow("half") << 4.5 << "4,5";
        QTest::newRow("negative") << -0.25 << "-0,25";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("binary noise") << 0.1 + 0.2 << "0,3";
        QTest::newRow("phone number") << 600123456.0 << "600123456";
        QTest::newRow("identity number") << 90010112345.0 << "90010112345";
        QTest::newRow("huge") << 1e20 << "1E+20";
        QTest::newRow("tiny") << 0.00001 << "1E-05";
    }
    void numbers()
    {
        QFETCH(double, value);
        QFETCH(QString, shown);
        QCOMPARE(number(value), shown);
    }

    void serialDates_data()
    {
        QTest::addColumn<double>("serial");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("date1904");
        QTest::addColumn<QString>("shown");
        const int date = int(NumberKind::Date), dateTime = int(NumberKind::DateTime), time = int(NumberKind::Time);
        QTest::newRow("first day") << 1.0 << date << false << "01.01.1900";
        QTest::newRow("before the phantom leap day") << 59.0 << date << false << "28.02.1900";
        QTest::newRow("the phantom leap day") << 60.0 << date << false << "29.02.1900";
        QTest::newRow("after it") << 61.0 << date << false << "01.03.1900";
        QTest::newRow("today's kind of date") << 45464.0 << date << false << "21.06.2024";
        QTest::newRow("1904 system") << 0.0 << date << true << "01.01.1904";
        QTest::newRow("date and time") << 45464.5 << dateTime << false << "21.06.2024 12:00";
        QTest::newRow("seconds round to the next day") << 45464.999999999 << dateTime << false << "22.06.2024 0:00";
        QTest::newRow("time") << 0.75 << time << false << "18:00";
        QTest::newRow("time with seconds") << (3600.0 + 61) / 86400 << time << false << "1:01:01";
        QTest::newRow("past the last date a sheet shows") << 3e6 << date << false << "3000000";
        QTest::newRow("negative date") << -1.0 << date << false << "-1";
        QTest::newRow("percent") << 0.125 << int(NumberKind::Percent) << false << "12,5%";
    }
    void serialDates()
    {
        QFETCH(double, serial);
        QFETCH(int, kind);
        QFETCH(bool, date1904);
        QFETCH(QString, shown);
        QCOMPARE(formatted(serial, NumberKind(kind), date1904), shown);
    }

    void formatCodes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("kind");
        QTest::newRow("Polish date") << "dd.mm.yyyy" << int(NumberKind::Date);
        QTest::newRow("locale prefix, escaped spaces") << "[$-415]d\\ mmmm\\ yyyy;@" << int(NumberKind::Date);
        QTest::newRow("month name alone") << "mmmm" << int(NumberKind::Date);
        QTest::newRow("date and time") << "yyyy-mm-dd hh:mm" << int(NumberKind::DateTime);
        QTest::newRow("minutes, not months") << "h:mm" << int(NumberKind::Time);
        QTest::newRow("minutes and seconds") << "mm:ss" << int(NumberKind::Time);
        QTest::newRow("elapsed hours") << "[h]:mm" << int(NumberKind::Time);
        QTest::newRow("percent") << "0.00%" << int(NumberKind::Percent);
        QTest::newRow("letters in quotes") << "\"dnia \"0" << int(NumberKind::Plain);
        QTest::newRow("escaped letter") << "0\\d" << int(NumberKind::Plain);
        QTest::newRow("colour") << "[Red]0.00" << int(NumberKind::Plain);
        QTest::newRow("general") << "General" << int(NumberKind::Plain);
        QTest::newRow("date only in the negative section") << "0;dd" << int(NumberKind::Plain);
    }
    void formatCodes()
    {
        QFETCH(QString, code);
        QFETCH(int, kind);
        QCOMPARE(int(codeKind(code)), kind);
    }

    void builtinFormats()
    {
        QCOMPARE(builtinKind(0), NumberKind::Plain);
        QCOMPARE(builtinKind(2), NumberKind::Plain);
        QCOMPARE(builtinKind(9), NumberKind::Percent);
        for (int id = 14; id <= 17; ++id)
            QCOMPARE(builtinKind(id), NumberKind::Date);
        for (int id = 18; id <= 21; ++id)
            QCOMPARE(builtinKind(id), NumberKind::Time);
        QCOMPARE(builtinKind(22), NumberKind::DateTime);
        QCOMPARE(builtinKind(49), NumberKind::Plain); // text "@"
    }

    void isoValues()
    {
        QCOMPARE(isoDate("2024-06-21"), QStringLiteral("21.06.2024"));
        QCOMPARE(isoDate("2024-06-21T10:05:00"), QStringLiteral("21.06.2024 10:05"));
        QCOMPARE(isoDate("2024-06-21T00:00:00Z"), QStringLiteral("21.06.2024"));
        QCOMPARE(isoDate("2024-02-30"), QString());
        QCOMPARE(isoDate("21.06.2024"), QString());
        QCOMPARE(isoTime("PT10H30M00S"), QStringLiteral("10:30"));
        QCOMPARE(isoTime("PT10H30M15,6S"), QStringLiteral("10:30:16"));
        QCOMPARE(isoTime("P1DT2H"), QStringLiteral("26:00"));
        QCOMPARE(isoTime("PT99999999999999H"), QString());
        QCOMPARE(isoTime("10:30"), QString());
    }

    void polishCounts()
    {
        const QList<QPair<qint64, QString>> cases{{0, "0 wierszy"},          {1, "1 wiersz"},    {2, "2 wiersze"},
                                                  {4, "4 wiersze"},          {5, "5 wierszy"},   {12, "12 wierszy"},
                                                  {14, "14 wierszy"},        {22, "22 wiersze"}, {114, "114 wierszy"},
                                                  {100000, "100000 wierszy"}};
        for (const auto &[n, text] : cases)
            QCOMPARE(counted(n, "wiersz", "wiersze", "wierszy"), text);
    }

    void cellNames()
    {
        QCOMPARE(columnLetters(0), QStringLiteral("A"));
        QCOMPARE(columnLetters(25), QStringLiteral("Z"));
        QCOMPARE(columnLetters(26), QStringLiteral("AA"));
        QCOMPARE(columnLetters(701), QStringLiteral("ZZ"));
        QCOMPARE(columnLetters(702), QStringLiteral("AAA"));
        QCOMPARE(cellName(1, 7), QStringLiteral("B7"));
    }
};

QTEST_GUILESS_MAIN(TestCellText)
#include "tst_celltext.moc"
