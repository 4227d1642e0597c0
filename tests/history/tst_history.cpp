// The run-history file: load and advance, store, and what survives a save.
#include "history/RunHistory.h"
#include "history/Thisto_f.h"
#include "platform/IoError.h"
#include "platform/LocaleText.h"
#include "platform/RecordBytes.h"

#include "FileBytes.h"
#include "RunAsUser.h"
#include "RunHistoryBytes.h"
#include "ScriptedPlatform.h"
#include "TempProgramDir.h"

#include <QFile>
#include <QtTest>

#include <unistd.h>

using namespace modul_hist;

namespace {} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void init() { state() = RunHistoryState{}; }

    void codecRoundTripsEveryByte()
    {
        QByteArray bytes(RunHistoryRecord::Size, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 7 + 3);
        QCOMPARE(encodeRunHistory(decodeRunHistory(bytes)), bytes);
    }

    void leadingInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "41" << 41;
        QTest::newRow("trailing letters") << "12ab" << 12;
        QTest::newRow("letters only") << "abc" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("leading blanks") << "   7" << 7;
        QTest::newRow("blank inside") << "1 2" << 1;
        QTest::newRow("sign") << "-5" << -5;
        QTest::newRow("plus") << "+9x" << 9;
        QTest::newRow("top of 32 bits") << "2147483647" << 2147483647;
        QTest::newRow("beyond 32 bits stops before the digit") << "99999999999" << 999999999;
    }
    void leadingInteger()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(modul_hist::leadingInteger(text), value);
    }

    void firstStartCreatesZeroRecordAndCountsOne()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        Thisto_f::PobierzDane();
        QCOMPARE(readBytesOrMissing(dir.file("Admini/historia.dat")), QByteArray(79, '\0'));
        QCOMPARE(state().currentNumber, 1);
        QCOMPARE(state().currentNumberText, QStringLiteral("1"));
        QCOMPARE(state().currentDate, platform::dateText(seam.clock.date()));
        QCOMPARE(state().currentTime, platform::longTimeText(seam.clock.time()));
        QCOMPARE(state().workingDirectory, dir.path());

        Thisto_f::ZapiszUruchomienia();
        const QByteArray stored = readBytesOrMissing(dir.file("Admini/historia.dat"));
        QCOMPARE(stored.size(), 79);
        const RunHistoryRecord record = decodeRunHistory(stored);
        QCOMPARE(textOf(record.runDate), platform::dateText(seam.clock.date()));
        QCOMPARE(textOf(record.runTime), platform::longTimeText(seam.clock.time()));
        QCOMPARE(textOf(record.runCount), QStringLiteral("1"));
    }

    void storedCountAdvances_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("next");
        QTest::newRow("41") << "41"
                            << "42";
        QTest::newRow("12ab") << "12ab"
                              << "13";
        QTest::newRow("empty") << ""
                               << "1";
        QTest::newRow("abc") << "abc"
                             << "1";
        QTest::newRow("at the top it stays") << "2147483647"
                                             << "2147483647";
    }
    void storedCountAdvances()
    {
        QFETCH(QString, stored);
        QFETCH(QString, next);
        ScriptedPlatform seam;
        TempProgramDir dir;
        writeBytes(dir.file("Admini/historia.dat"), runHistoryBytes("01/02/2020", "10:11:12", stored));
        PobierzDane();
        QCOMPARE(state().currentNumberText, next);
        ZapiszUruchomienia();
        QCOMPARE(textOf(decodeRunHistory(readBytesOrMissing(dir.file("Admini/historia.dat"))).runCount), next);
    }

    void loadingAloneLeavesTheFileUnchanged()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        QByteArray original = runHistoryBytes("01/02/2020", "10:11:12", "41");
        original[70] = '\x5A';
        writeBytes(dir.file("Admini/historia.dat"), original);
        PobierzDane();
        PobierzDane();
        QCOMPARE(readBytesOrMissing(dir.file("Admini/historia.dat")), original);
    }

    void textsAreCutToFifteen()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        PobierzDane();
        state().currentDate = QStringLiteral("śr., 7 grudnia 2026");
        state().currentTime = QStringLiteral("09:05:03 czasu środkowoeuropejskiego");
        state().currentNumberText = QStringLiteral("1234567890123456789");
        ZapiszUruchomienia();
        const QByteArray stored = readBytesOrMissing(dir.file("Admini/historia.dat"));
        QCOMPARE(stored.size(), 79);
        QCOMPARE(int(stored[0]), 15);
        QCOMPARE(stored.mid(1, 15), QByteArray("\x9c"
                                               "r., 7 grudnia "));
        QCOMPARE(textOf(decodeRunHistory(stored).runTime), QStringLiteral("09:05:03 czasu "));
        QCOMPARE(textOf(decodeRunHistory(stored).runCount), QStringLiteral("123456789012345"));
    }

    void tailAndReservedBytesSurvive()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        QByteArray original = runHistoryBytes("ABCDEFGHIJKLMNO", "abcdefghijklmno", "41");
        platform::putShortStringKeepingTail(original, 32, 15, QStringLiteral("41"));
        for (int i = 35; i < 48; ++i)
            original[i] = static_cast<char>('a' + i - 35);
        for (int i = 48; i < 79; ++i)
            original[i] = static_cast<char>(0x80 + i);
        writeBytes(dir.file("Admini/historia.dat"), original);

        for (int run = 0; run < 3; ++run) {
            PobierzDane();
            ZapiszUruchomienia();
        }
        const QByteArray stored = readBytesOrMissing(dir.file("Admini/historia.dat"));
        QCOMPARE(stored.size(), 79);
        QCOMPARE(stored.mid(48), original.mid(48));
        const int dateLength = stored[0];
        QCOMPARE(stored.mid(1 + dateLength, 15 - dateLength), original.mid(1 + dateLength, 15 - dateLength));
        const int timeLength = stored[16];
        QCOMPARE(stored.mid(17 + timeLength, 15 - timeLength), original.mid(17 + timeLength, 15 - timeLength));
        QCOMPARE(stored.mid(35, 13), original.mid(35, 13));
        QCOMPARE(textOf(decodeRunHistory(stored).runCount), QStringLiteral("44"));
    }

    void longerFileKeepsOnlyTheFirstRecordAfterASave()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        writeBytes(dir.file("Admini/historia.dat"), runHistoryBytes("", "", "5") + QByteArray(40, 'x'));
        PobierzDane();
        QCOMPARE(state().currentNumber, 6);
        ZapiszUruchomienia();
        QCOMPARE(readBytesOrMissing(dir.file("Admini/historia.dat")).size(), 79);
    }

    void shortFileIsAReadError()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        writeBytes(dir.file("Admini/historia.dat"), QByteArray(50, '\0'));
        try {
            PobierzDane();
            QFAIL("no error");
        } catch (const platform::IoError &error) {
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Read beyond end of file"));
        }
        QCOMPARE(readBytesOrMissing(dir.file("Admini/historia.dat")).size(), 50);
    }

    void missingAdminiFolderIsAnError()
    {
        ScriptedPlatform seam;
        TempProgramDir dir{QStringList{}};
        QVERIFY_THROWS_EXCEPTION(platform::IoError, PobierzDane());
        QVERIFY(!QFileInfo::exists(dir.file("Admini")));
    }

    void foldersAndNamesMatchWithoutRegardToCase()
    {
        ScriptedPlatform seam;
        TempProgramDir dir{QStringList{QStringLiteral("ADMINI")}};
        writeBytes(dir.file("ADMINI/HISTORIA.DAT"), runHistoryBytes("", "", "8"));
        PobierzDane();
        QCOMPARE(state().currentNumber, 9);
        ZapiszUruchomienia();
        QCOMPARE(QDir(dir.file("ADMINI")).entryList(QDir::Files), QStringList{QStringLiteral("HISTORIA.DAT")});
        QCOMPARE(textOf(decodeRunHistory(readBytesOrMissing(dir.file("ADMINI/HISTORIA.DAT"))).runCount),
                 QStringLiteral("9"));
    }

    void theCurrentDirectoryIsReadAtEveryOperation()
    {
        ScriptedPlatform seam;
        TempProgramDir first;
        PobierzDane();
        TempProgramDir second; // now current
        ZapiszUruchomienia();
        QCOMPARE(readBytesOrMissing(first.file("Admini/historia.dat")), QByteArray(79, '\0'));
        QCOMPARE(textOf(decodeRunHistory(readBytesOrMissing(second.file("Admini/historia.dat"))).runCount),
                 QStringLiteral("1"));
        QCOMPARE(state().workingDirectory, second.path());
    }

    void folderInPlaceOfTheFileIsAccessDenied()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        QVERIFY(QDir(dir.path()).mkpath("Admini/historia.dat"));
        try {
            PobierzDane();
            QFAIL("no error");
        } catch (const platform::IoError &error) {
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("File access denied"));
        }
        QVERIFY(QFileInfo(dir.file("Admini/historia.dat")).isDir());
    }

    void readOnlyFileRefusesTheSaveAndKeepsItsContent()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        const QByteArray original = runHistoryBytes("", "", "5");
        writeBytes(dir.file("Admini/historia.dat"), original);
        QFile::setPermissions(dir.file("Admini/historia.dat"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        PobierzDane();
        QCOMPARE(ioErrorCodeOf([] { ZapiszUruchomienia(); }), 5); // root too: no write bit
        QCOMPARE(readBytesOrMissing(dir.file("Admini/historia.dat")), original);
    }

    // historia.dat 666 in an Admini the user may not write to (555): the
    // exit's save writes the file in place and the run is counted.
    void writableFileInReadOnlyAdminiIsSaved()
    {
        TempProgramDir dir;
        QVERIFY(letOthersIn(dir.path()));
        const QString path = dir.file("Admini/historia.dat");
        QByteArray original = runHistoryBytes("", "", "5");
        original[70] = '\x7f'; // a reserved byte that must survive
        writeBytes(path, original);
        QVERIFY(letOthersIn(path, 0666));
        QVERIFY(letOthersIn(dir.file("Admini"), 0555));
        const HelperRun run = runAsOrdinaryUser(QStringLiteral(RECORD_PROBE), {QStringLiteral("history"), dir.path()},
                                                dir.path());
        QVERIFY(letOthersIn(dir.file("Admini")));
        QVERIFY2(run.started, "setpriv (util-linux) is needed to run as an ordinary user");
        QCOMPARE(run.output, QStringLiteral("history ok"));
        const QByteArray saved = readBytesOrMissing(path);
        QCOMPARE(textOf(decodeRunHistory(saved).runCount), QStringLiteral("6"));
        QCOMPARE(saved.mid(48), original.mid(48));
        QCOMPARE(QDir(dir.file("Admini")).entryList(QDir::Files | QDir::Hidden), QStringList{"historia.dat"});
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
