#include "companions/CommandLine.h"
#include "companions/Companions.h"

#include "ScriptedPlatform.h"
#include "TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A real executable script: writes its argument count and arguments to
// the file named in $COMPANION_OUT.
void placeScript(const QString &path, bool executable = true)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$COMPANION_OUT\"\n");
    f.close();
    QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    if (executable)
        p |= QFile::ExeOwner | QFile::ExeUser;
    QVERIFY(f.setPermissions(p));
}

// PATH for the duration of one test.
class PathOverride {
public:
    explicit PathOverride(const QString &value) : old_(qgetenv("PATH")) { qputenv("PATH", value.toLocal8Bit()); }
    ~PathOverride() { qputenv("PATH", old_); }

private:
    QByteArray old_;
};

} // namespace

class TestCompanionLaunch : public QObject {
    Q_OBJECT
private slots:
    void splitsLikeWindows_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("notes") << companions::NotesCommandLine << QStringList{"notes.exe"};
        QTest::newRow("scheduler") << companions::SchedulerCommandLine << QStringList{"terminy.exe", "Moje zadania"};
        QTest::newRow("archiver") << companions::ArchiverCommandLine << QStringList{"archiwizator.exe"};
        QTest::newRow("blanks") << QStringLiteral("  a.exe \t b   c ") << QStringList{"a.exe", "b", "c"};
        QTest::newRow("quoted program") << QStringLiteral("\"C:\\Program Files\\x.exe\" y")
                                        << QStringList{"C:\\Program Files\\x.exe", "y"};
        QTest::newRow("quote inside word") << QStringLiteral("p a\"b c\"d") << QStringList{"p", "ab cd"};
        QTest::newRow("escaped quote") << QStringLiteral("p a\\\"b") << QStringList{"p", "a\"b"};
        QTest::newRow("even backslashes") << QStringLiteral("p \"a\\\\\" b") << QStringList{"p", "a\\", "b"};
        QTest::newRow("plain backslashes") << QStringLiteral("p a\\\\b\\") << QStringList{"p", "a\\\\b\\"};
        QTest::newRow("doubled quote") << QStringLiteral("p \"a\"\"b\"") << QStringList{"p", "a\"b"};
        QTest::newRow("empty argument") << QStringLiteral("p \"\" x") << QStringList{"p", "", "x"};
        QTest::newRow("nothing") << QStringLiteral("   ") << QStringList{};
    }
    void splitsLikeWindows()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, expected);
        QCOMPARE(companions::splitWindowsCommandLine(line), expected);
    }

    void searchOrder()
    {
        ScriptedPlatform seam;
        QTemporaryDir exeDir, pathDir;
        TempProgramDir current;
        PathOverride path(pathDir.path() + QDir::listSeparator() + QStringLiteral("/usr/bin"));
        const QString name = QStringLiteral("terminy.exe");
        const QString inExe = QDir(exeDir.path()).filePath(name);
        const QString inCurrent = current.file(name);
        const QString inPath = QDir(pathDir.path()).filePath(name);
        placeScript(inExe);
        placeScript(inCurrent);
        placeScript(inPath);

        const auto startOnce = [&] {
            seam.started.clear();
            return companions::startCompanion(companions::SchedulerCommandLine,
                                              companions::processProgramSearch(exeDir.path()));
        };
        QVERIFY(startOnce());
        QCOMPARE(seam.started.size(), 1);
        QCOMPARE(seam.started[0].program, QFileInfo(inExe).absoluteFilePath());
        QCOMPARE(seam.started[0].arguments, QStringList{"Moje zadania"});

        QVERIFY(QFile::remove(inExe));
        QVERIFY(startOnce());
        QCOMPARE(seam.started[0].program, QFileInfo(inCurrent).absoluteFilePath());

        QVERIFY(QFile::remove(inCurrent));
        QVERIFY(startOnce());
        QCOMPARE(seam.started[0].program, QFileInfo(inPath).absoluteFilePath());

        QVERIFY(QFile::remove(inPath));
        QVERIFY(!startOnce());
        QVERIFY(seam.started.isEmpty());
        QVERIFY(seam.messages.isEmpty());
    }

    void exeNameFirstInEachFolder()
    {
        QTemporaryDir exeDir, pathDir;
        TempProgramDir current;
        companions::ProgramSearch search{exeDir.path(), current.path(), {pathDir.path()}};

        // A native build without ".exe" in an earlier folder wins over a
        // ".exe" in a later one.
        placeScript(current.file(QStringLiteral("notes")));
        placeScript(QDir(pathDir.path()).filePath(QStringLiteral("notes.exe")));
        QCOMPARE(companions::findProgram(QStringLiteral("notes.exe"), search), current.file(QStringLiteral("notes")));

        // In one folder the ".exe" name comes first.
        placeScript(current.file(QStringLiteral("notes.exe")));
        QCOMPARE(companions::findProgram(QStringLiteral("notes.exe"), search), current.file(QStringLiteral("notes.exe")));
    }

    void onlyExecutableFilesCount()
    {
        QTemporaryDir exeDir, pathDir;
        TempProgramDir current;
        companions::ProgramSearch search{exeDir.path(), current.path(), {pathDir.path()}};
        placeScript(QDir(exeDir.path()).filePath(QStringLiteral("archiwizator.exe")), false);
        QVERIFY(QDir(current.path()).mkdir(QStringLiteral("archiwizator.exe")));
        QVERIFY(companions::findProgram(QStringLiteral("archiwizator.exe"), search).isEmpty());
        placeScript(QDir(pathDir.path()).filePath(QStringLiteral("archiwizator.exe")));
        QCOMPARE(companions::findProgram(QStringLiteral("archiwizator.exe"), search),
                 QDir(pathDir.path()).filePath(QStringLiteral("archiwizator.exe")));
    }

    void letterCaseOfTheFileDoesNotMatter()
    {
        QTemporaryDir exeDir;
        TempProgramDir current;
        placeScript(current.file(QStringLiteral("Notes.EXE")));
        companions::ProgramSearch search{exeDir.path(), current.path(), {}};
        QCOMPARE(companions::findProgram(QStringLiteral("notes.exe"), search), current.file(QStringLiteral("Notes.EXE")));
    }

    void menuHandlersUseTheFixedCommandLines()
    {
        ScriptedPlatform seam;
        QTemporaryDir pathDir;
        TempProgramDir current;
        PathOverride path(pathDir.path());
        for (const char *n : {"notes.exe", "terminy.exe", "archiwizator.exe"})
            placeScript(QDir(pathDir.path()).filePath(QLatin1String(n)));

        companions::Mojenotatki();
        companions::Terminarz();
        companions::OchronaDanych();
        companions::Terminarz(); // twice: two copies
        QCOMPARE(seam.started.size(), 4);
        QCOMPARE(QFileInfo(seam.started[0].program).fileName(), QStringLiteral("notes.exe"));
        QVERIFY(seam.started[0].arguments.isEmpty());
        QCOMPARE(QFileInfo(seam.started[1].program).fileName(), QStringLiteral("terminy.exe"));
        QCOMPARE(seam.started[1].arguments, QStringList{"Moje zadania"});
        QCOMPARE(QFileInfo(seam.started[2].program).fileName(), QStringLiteral("archiwizator.exe"));
        QCOMPARE(seam.started[3].arguments, QStringList{"Moje zadania"});
        QVERIFY(seam.messages.isEmpty());
    }

    void nothingInstalledDoesNothing()
    {
        ScriptedPlatform seam;
        QTemporaryDir emptyPath;
        TempProgramDir current;
        PathOverride path(emptyPath.path());
        companions::Mojenotatki();
        companions::Terminarz();
        companions::OchronaDanych();
        QVERIFY(seam.started.isEmpty());
        QVERIFY(seam.messages.isEmpty());
    }

    void realStartPassesOneArgument()
    {
        // No test seam installed: the real process start.
        QTemporaryDir exeDir;
        TempProgramDir current;
        const QString out = current.file(QStringLiteral("args.txt"));
        qputenv("COMPANION_OUT", out.toLocal8Bit());
        placeScript(QDir(exeDir.path()).filePath(QStringLiteral("terminy")));
        QVERIFY(companions::startCompanion(companions::SchedulerCommandLine,
                                           companions::processProgramSearch(exeDir.path())));
        const auto written = [&] {
            QFile f(out);
            return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(written(), QStringLiteral("1\nMoje zadania\n"), 10000);
        qunsetenv("COMPANION_OUT");
    }
};

QTEST_GUILESS_MAIN(TestCompanionLaunch)
#include "tst_companionlaunch.moc"
