// Per-pupil file names and the Polish texts of messages: safe on every
// file system and terminal.
#include "batch/output/ErrorTexts.h"
#include "batch/output/FileNames.h"

#include "platform/IoError.h"

#include <QtTest>

using namespace batch;

class TestBatchNames : public QObject {
    Q_OBJECT

private slots:
    void safeFileNames_data();
    void safeFileNames();
    void collisionsAreNumbered();
    void longNamesFitTheFileSystem();
    void quotedTextsAreSafeOnATerminal();
    void systemTextsArePolish();
};

void TestBatchNames::safeFileNames_data()
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

void TestBatchNames::safeFileNames()
{
    QFETCH(QString, name);
    QFETCH(QString, stem);
    QCOMPARE(safeFileStem(name), stem);
}

void TestBatchNames::collisionsAreNumbered()
{
    const QStringList names = uniqueFileNames({QStringLiteral("Jan Nowak"), QStringLiteral("Anna"),
                                               QStringLiteral("jan nowak"), QStringLiteral("Jan Nowak"),
                                               QStringLiteral("Jan Nowak (2)")},
                                              QStringLiteral(".pdf"));
    QCOMPARE(names, (QStringList{QStringLiteral("Jan Nowak.pdf"), QStringLiteral("Anna.pdf"),
                                 QStringLiteral("jan nowak (2).pdf"), QStringLiteral("Jan Nowak (3).pdf"),
                                 QStringLiteral("Jan Nowak (2) (2).pdf")}));
}

void TestBatchNames::longNamesFitTheFileSystem()
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

void TestBatchNames::quotedTextsAreSafeOnATerminal()
{
    QCOMPARE(quotedForMessage(QStringLiteral("Anna\x1B[31m\tNowak\u202E")),
             QStringLiteral("Anna\\x1b[31m\\x09Nowak\\u202e"));
    const QString cut = quotedForMessage(QString(500, QChar(0x0416)), 60);
    QCOMPARE(cut, QString(60, QChar(0x0416)) + QChar(0x2026));
    QCOMPARE(quotedForMessage(QStringLiteral("Zofia Wiśniewska")), QStringLiteral("Zofia Wiśniewska"));
}

void TestBatchNames::systemTextsArePolish()
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

QTEST_MAIN(TestBatchNames)
#include "tst_batchnames.moc"
