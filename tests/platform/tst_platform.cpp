#include "FileBytes.h"
#include "TempProgramDir.h"
#include "platform/Cp1250.h"
#include "platform/DataPath.h"
#include "platform/IoError.h"
#include "platform/LocaleText.h"
#include "platform/PolishTranslations.h"
#include "platform/RecordBytes.h"
#include "platform/RecordFile.h"
#include "platform/Rounding.h"

#include <QFile>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void ioErrorTexts()
    {
        QCOMPARE(IoError(2).what(), "File not found");
        QCOMPARE(IoError(3).what(), "Invalid filename");
        QCOMPARE(IoError(4).what(), "Too many open files");
        QCOMPARE(IoError(5).what(), "File access denied");
        QCOMPARE(IoError(100).what(), "Read beyond end of file");
        QCOMPARE(IoError(101).what(), "Disk full");
        QCOMPARE(IoError(106).what(), "Invalid numeric input");
        QCOMPARE(IoError(32).what(), "I/O error 32");
        QCOMPARE(IoError::codeForErrno(ENOSPC), 101);
        QCOMPARE(IoError::codeForErrno(EFBIG), 101);
        QCOMPARE(IoError::codeForErrno(EACCES), 5);
        QCOMPARE(IoError::codeForErrno(EISDIR), 5);
    }

    void roundingTiesToEven()
    {
        QCOMPARE(Round(49.5L), 50);
        QCOMPARE(Round(48.5L), 48);
        QCOMPARE(Round(-48.5L), -48);
        QCOMPARE(Round(15.29L), 15);
        QCOMPARE(Round(26 / 1.7L), 15);
        QCOMPARE(Round(48 / 3.0L), 16);
        QCOMPARE(Trunc(4960.81L), 4960);
        QCOMPARE(Trunc(-0.9L), 0);
    }

    void codePage()
    {
        QCOMPARE(toCp1250(QStringLiteral("ż")), QByteArray("\xBF"));
        QCOMPARE(toCp1250(QStringLiteral("Zażółć gęślą jaźń")).size(), 17);
        QCOMPARE(fromCp1250(toCp1250(QStringLiteral("Zażółć gęślą jaźń"))), QStringLiteral("Zażółć gęślą jaźń"));
        // Characters outside the code page become "?", one each, never 0x1A.
        QCOMPARE(toCp1250(QStringLiteral("a\u4E2Db")), QByteArray("a?b"));
        QCOMPARE(toCp1250(QStringLiteral("x\U0001F600y")), QByteArray("x?y"));
        QCOMPARE(toCp1250(QStringLiteral("\u4E2D\u4E2Dż")), QByteArray("??\xBF"));
    }

    void shortStrings()
    {
        QByteArray record(40, '\x55');
        putShortString(record, 2, 30, QString(35, QLatin1Char('a')));
        QCOMPARE(int(quint8(record.at(2))), 30);
        QCOMPARE(getShortString(record, 2, 30), QString(30, QLatin1Char('a')));

        putShortString(record, 2, 30, QStringLiteral("żółw"));
        QCOMPARE(int(quint8(record.at(2))), 4);
        QCOMPARE(record.mid(3, 4), QByteArray("\xBF\xF3\xB3w"));
        QCOMPARE(record.mid(7, 26), QByteArray(26, '\0'));
        QCOMPARE(record.at(33), '\x55'); // nothing beyond the field is touched

        // Keeping the tail leaves the old bytes after the text.
        QByteArray image(16, 'z');
        putShortStringKeepingTail(image, 0, 15, QStringLiteral("ab"));
        QCOMPARE(image, QByteArray("\x02"
                                   "abzzzzzzzzzzzzz"));

        // A length byte above the capacity reads as the capacity.
        QByteArray bad(8, 'q');
        bad[0] = char(200);
        QCOMPARE(getShortString(bad, 0, 7), QStringLiteral("qqqqqqq"));

        QByteArray ints(8, '\0');
        putInt32(ints, 0, -2);
        putInt32(ints, 4, 0x01020304);
        QCOMPARE(ints, QByteArray("\xFE\xFF\xFF\xFF\x04\x03\x02\x01", 8));
        QCOMPARE(getInt32(ints, 0), -2);
    }

    void caseInsensitivePaths()
    {
        TempProgramDir dir({QStringLiteral("ADMINI"), QStringLiteral("Wzory")});
        writeBytes(dir.file(QStringLiteral("Wzory/bdr_0001.wmf")), "x");
        QCOMPARE(resolveDataPath(dir.path(), QStringLiteral("\\Wzory\\BDR_0001.WMF")),
                 dir.file(QStringLiteral("Wzory/bdr_0001.wmf")));
        QCOMPARE(resolveDataPath(dir.path(), QStringLiteral("Admini/historia.dat")),
                 dir.file(QStringLiteral("ADMINI/historia.dat")));
        // Nothing matches: spelled as given, ready to be created.
        QCOMPARE(resolveDataPath(dir.path(), QStringLiteral("\\Dyplomy\\a.dyp")),
                 dir.file(QStringLiteral("Dyplomy/a.dyp")));
        QCOMPARE(resolveDataPath(QStringLiteral("/"), QStringLiteral("\\tmp")), QStringLiteral("/tmp"));
        QCOMPARE(currentDirectory(), dir.path());
    }

    void recordFiles()
    {
        TempProgramDir dir;
        const QString path = dir.file(QStringLiteral("Admini/rec.dat"));
        writeRecordFile(path, QByteArray("0123456789"));
        QCOMPARE(readFirstRecord(path, 10), QByteArray("0123456789"));
        QCOMPARE(readFirstRecord(path, 4), QByteArray("0123"));
        writeRecordFile(path, QByteArray("ab"));
        QCOMPARE(readBytes(path), QByteArray("ab")); // replaced, not overlaid

        QCOMPARE(ioErrorCodeOf([&] { readFirstRecord(path, 3); }), 100);
        QCOMPARE(ioErrorCodeOf([&] { readFirstRecord(dir.file(QStringLiteral("Admini/none.dat")), 3); }), 2);
        QCOMPARE(ioErrorCodeOf([&] { readFirstRecord(dir.file(QStringLiteral("Nope/none.dat")), 3); }), 3);
        QCOMPARE(ioErrorCodeOf([&] { writeRecordFile(dir.file(QStringLiteral("Nope/x.dat")), "a"); }), 3);
        QCOMPARE(ioErrorCodeOf([&] { writeRecordFile(dir.file(QStringLiteral("Dyplomy")), "a"); }), 5);
        QCOMPARE(ioErrorCodeOf([&] { readFirstRecord(dir.file(QStringLiteral("Dyplomy")), 3); }), 5);

        // A read-only target is refused and stays as it was, for root too.
        ::chmod(QFile::encodeName(path).constData(), 0444);
        QCOMPARE(ioErrorCodeOf([&] { writeRecordFile(path, "zz"); }), 5);
        QCOMPARE(readBytes(path), QByteArray("ab"));
        ::chmod(QFile::encodeName(path).constData(), 0644);

        QVERIFY(fileExists(path));
        QVERIFY(!fileExists(dir.file(QStringLiteral("Dyplomy"))));
        QVERIFY(entryExists(dir.file(QStringLiteral("Dyplomy"))));
        // No temporary files are left behind.
        QCOMPARE(QDir(dir.file(QStringLiteral("Admini"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void toolkitDialogsSpeakPolish()
    {
        installPolishTranslations();
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Anuluj"));
    }

    void localeTexts()
    {
        const QString date = dateText(QDate(2026, 3, 7));
        QCOMPARE(date.size(), 10);
        QVERIFY(date.startsWith(QStringLiteral("07")));
        QCOMPARE(date.mid(3, 2), QStringLiteral("03"));
        QVERIFY(date.endsWith(QStringLiteral("2026")));
        QCOMPARE(date.at(2), dateSeparator());
        const QString time = longTimeText(QTime(9, 5, 3));
        QVERIFY2(time.contains(QStringLiteral("05")) && time.contains(QStringLiteral("03")), qPrintable(time));
        QVERIFY2(!time.contains(QStringLiteral("UTC")), qPrintable(time));
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
