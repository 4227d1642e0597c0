#include "FileBytes.h"
#include "RunAsUser.h"
#include "ScriptedPlatform.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"
#include "diplomafile/DiplomaCommands.h"
#include "platform/IoError.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using diplomafile::Czytajdyplom;
using diplomafile::DiplomaContent;
using diplomafile::Zapiszdyplom;

namespace {

// A dialog that leaves the current directory where the user browsed to.
class WanderingPlatform : public ScriptedPlatform {
public:
    QString wanderTo;
    std::optional<QString> openFileName(QWidget *w, const platform::FileDialogSettings &s) override
    {
        wander();
        return ScriptedPlatform::openFileName(w, s);
    }
    std::optional<QString> saveFileName(QWidget *w, const platform::FileDialogSettings &s) override
    {
        wander();
        return ScriptedPlatform::saveFileName(w, s);
    }

private:
    void wander()
    {
        if (!wanderTo.isEmpty())
            QDir::setCurrent(wanderTo);
    }
};

DiplomaContent startupWithTexts()
{
    DiplomaContent c;
    startupdiploma::setStyles(c);
    c.templateNumber = 1;
    c.texts.heading = QStringLiteral("DYPLOM UZNANIA");
    c.texts.recipient = QStringLiteral("Małgorzata Żółkiewska");
    c.texts.body[0] = QStringLiteral("za wzorowe wyniki w nauce");
    c.texts.body[1] = QStringLiteral("i wzorowe zachowanie");
    c.texts.body[3] = QStringLiteral("Łódź, 20 czerwca");
    return c;
}

// The record laid out from the file table alone, independently of the codec.
// The independent fixture, shared with the main window's tests.
QString oracleScript()
{
    return qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/tests/common/startup_diploma_oracle.py");
}

} // namespace

class TestDiplomaCommands : public QObject {
    Q_OBJECT
private slots:
    void dialogSettings()
    {
        TempProgramDir dir;
        ScriptedPlatform p;
        QString lastSave = QStringLiteral("/x/poprzedni.dyp");
        QString lastOpen = QStringLiteral("/x/czytany.dyp");
        Zapiszdyplom(nullptr, lastSave, dir.path(), [] { return DiplomaContent(); });
        QVERIFY(!Czytajdyplom(nullptr, lastOpen, dir.path()));
        QCOMPARE(p.fileDialogs.size(), 2);
        for (const platform::FileDialogSettings &s : p.fileDialogs) {
            QCOMPARE(s.filter, QStringLiteral("Pliki dyplomów (*.dyp)"));
            QCOMPARE(s.defaultExtension, QStringLiteral("*.dyp"));
            QCOMPARE(s.initialFolder, QStringLiteral("Dyplomy"));
        }
        QVERIFY(p.fileDialogs[0].overwritePrompt);
        QCOMPARE(p.fileDialogs[0].fileName, QStringLiteral("/x/poprzedni.dyp"));
        QVERIFY(!p.fileDialogs[1].overwritePrompt);
        QCOMPARE(p.fileDialogs[1].fileName, QStringLiteral("/x/czytany.dyp"));
        // Cancelling keeps the last name.
        QCOMPARE(lastSave, QStringLiteral("/x/poprzedni.dyp"));
    }

    void saveCancelAndEmptyNameWriteNothing()
    {
        TempProgramDir dir;
        QTemporaryDir elsewhere;
        WanderingPlatform p;
        p.wanderTo = elsewhere.path();
        p.saveAnswers = {std::nullopt, QString()};
        int gathered = 0;
        QString last;
        for (int i = 0; i < 2; ++i) {
            Zapiszdyplom(nullptr, last, dir.path(), [&] {
                ++gathered;
                return DiplomaContent();
            });
            QCOMPARE(QDir::currentPath(), dir.path());
        }
        QCOMPARE(gathered, 0);
        QVERIFY(p.messages.isEmpty());
        QVERIFY(QDir(dir.file("Dyplomy")).isEmpty());
        QVERIFY(QDir(elsewhere.path()).isEmpty());
    }

    void saveNewFileRemembersName()
    {
        TempProgramDir dir;
        ScriptedPlatform p;
        const QString target = dir.file("Dyplomy/nowy.dyp");
        p.saveAnswers = {target, std::nullopt};
        QString last;
        const DiplomaContent c = startupWithTexts();
        Zapiszdyplom(nullptr, last, dir.path(), [&] { return c; });
        QVERIFY(p.messages.isEmpty()); // no second question for a new name
        QCOMPARE(readBytes(target), diplomafile::buildDiplomaRecord(c));
        QCOMPARE(last, target);
        Zapiszdyplom(nullptr, last, dir.path(), [&] { return c; });
        QCOMPARE(p.fileDialogs.last().fileName, target);
    }

    void overwriteAsksAgain()
    {
        TempProgramDir dir;
        ScriptedPlatform p;
        const QString target = dir.file("Dyplomy/stary.dyp");
        const QByteArray old(1064, '\x55');
        writeBytes(target, old);
        p.saveAnswers = {target, target};
        p.answers = {false, true};
        int gathered = 0;
        QString last;
        auto gather = [&] {
            ++gathered;
            return startupWithTexts();
        };

        Zapiszdyplom(nullptr, last, dir.path(), gather);
        QCOMPARE(p.messages.size(), 1);
        QCOMPARE(p.messages[0].kind, QStringLiteral("ask"));
        QCOMPARE(p.messages[0].text, QStringLiteral("Plik o podanej nazwie już istnieje.Kontynuować zapis ?"));
        QCOMPARE(p.messages[0].caption, QStringLiteral("Pytanie"));
        QCOMPARE(gathered, 0);
        QCOMPARE(readBytes(target), old);

        Zapiszdyplom(nullptr, last, dir.path(), gather);
        QCOMPARE(gathered, 1);
        QCOMPARE(readBytes(target), diplomafile::buildDiplomaRecord(startupWithTexts()));
        QCOMPARE(QDir(dir.file("Dyplomy")).entryList(QDir::Files | QDir::Hidden), QStringList{"stary.dyp"});
    }

    void saveOverFolderOrReadOnlyFileIsAccessDenied()
    {
        TempProgramDir dir;
        ScriptedPlatform p;
        QString last;
        auto gather = [] { return startupWithTexts(); };

        const QString folder = dir.file("Dyplomy/katalog.dyp");
        QVERIFY(QDir().mkpath(folder));
        p.saveAnswers = {folder};
        p.answers = {true};
        QCOMPARE(ioErrorCodeOf([&] { Zapiszdyplom(nullptr, last, dir.path(), gather); }), 5);
        QCOMPARE(p.texts(QStringLiteral("ask")).size(), 1); // a folder is an existing entry too
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QDir::currentPath(), dir.path());

        const QString readOnly = dir.file("Dyplomy/chroniony.dyp");
        const QByteArray old(1064, '\x11');
        writeBytes(readOnly, old);
        QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        p.saveAnswers = {readOnly};
        p.answers = {true};
        QCOMPARE(ioErrorCodeOf([&] { Zapiszdyplom(nullptr, last, dir.path(), gather); }), 5);
        QCOMPARE(readBytes(readOnly), old); // root too: the file has no write bit
        QCOMPARE(QDir(dir.file("Dyplomy")).entryList(QDir::Files | QDir::Hidden), QStringList{"chroniony.dyp"});
    }

    void saveThroughALinkWritesItsTarget()
    {
        TempProgramDir dir;
        QTemporaryDir elsewhere;
        const QString target = QDir(elsewhere.path()).filePath(QStringLiteral("olimpiada.dyp"));
        writeBytes(target, QByteArray(1064, '\x11'));
        const QString link = dir.file("Dyplomy/olimpiada.dyp");
        QVERIFY(QFile::link(target, link));
        ScriptedPlatform p;
        p.saveAnswers = {link};
        p.answers = {true};
        QString last;
        Zapiszdyplom(nullptr, last, dir.path(), [] { return startupWithTexts(); });
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readBytes(target), diplomafile::buildDiplomaRecord(startupWithTexts()));
    }

    // A writable diploma (666) in a folder the user may not write to (555):
    // the save writes the file in place.
    void saveIntoReadOnlyFolderWritesTheWritableFile()
    {
        TempProgramDir dir;
        QVERIFY(letOthersIn(dir.path()));
        const QString folder = dir.file("Dyplomy");
        const QString target = folder + QStringLiteral("/wspolny.dyp");
        writeBytes(target, QByteArray(1064, '\x11'));
        QVERIFY(letOthersIn(target, 0666));
        QVERIFY(letOthersIn(folder, 0555));
        const HelperRun run = runAsOrdinaryUser(QStringLiteral(RECORD_PROBE),
                                                {QStringLiteral("diploma"), target, dir.path()}, dir.path());
        QVERIFY(letOthersIn(folder));
        QVERIFY2(run.started, "setpriv (util-linux) is needed to run as an ordinary user");
        QCOMPARE(run.output, QStringLiteral("diploma ok"));
        QCOMPARE(readBytes(target).size(), 1064);
        QVERIFY(readBytes(target) != QByteArray(1064, '\x11'));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"wspolny.dyp"});
    }

    void pythonBuiltFileIsByteIdentical()
    {
        TempProgramDir dir;
        QTemporaryDir work;
        const QString fixture = work.filePath(QStringLiteral("oracle.dyp"));
        QProcess python;
        python.start(QStringLiteral("python3"), {oracleScript(), fixture});
        if (!python.waitForStarted())
            QSKIP("python3 not available");
        QVERIFY(python.waitForFinished());
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());

        ScriptedPlatform p;
        const QString target = dir.file("Dyplomy/dyplom.dyp");
        p.saveAnswers = {target};
        QString last;
        Zapiszdyplom(nullptr, last, dir.path(), [] { return startupWithTexts(); });
        const QByteArray expected = readBytes(fixture);
        QCOMPARE(expected.size(), 1064);
        QCOMPARE(readBytes(target), expected);
    }

    void readCancelEmptyMissingAreSilent()
    {
        TempProgramDir dir;
        QTemporaryDir elsewhere;
        WanderingPlatform p;
        p.wanderTo = elsewhere.path();
        p.openAnswers = {std::nullopt, QString(), dir.file("Dyplomy/nie-ma.dyp")};
        QString last;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!Czytajdyplom(nullptr, last, dir.path()));
            QCOMPARE(QDir::currentPath(), dir.path());
        }
        QVERIFY(p.messages.isEmpty());
        QCOMPARE(last, dir.file("Dyplomy/nie-ma.dyp"));
    }

    void saveThenReadBack()
    {
        TempProgramDir dir;
        ScriptedPlatform p;
        const QString target = dir.file("Dyplomy/d.dyp");
        DiplomaContent c = startupWithTexts();
        c.texts.heading = QStringLiteral("Dyplom dla najlepszego ucznia 2026"); // 34
        c.texts.heading += QLatin1Char('!');
        QCOMPARE(c.texts.heading.size(), 35);
        c.heading.colour = editor::WindowTextColour;
        c.recipient.style = editor::FontStyle::Underline | editor::FontStyle::StrikeOut;
        c.body.left = -5;
        c.templateNumber = 9999;
        p.saveAnswers = {target};
        p.openAnswers = {target};
        QString saveName, openName;
        Zapiszdyplom(nullptr, saveName, dir.path(), [&] { return c; });
        const std::optional<DiplomaContent> back = Czytajdyplom(nullptr, openName, dir.path());
        QVERIFY(back);
        DiplomaContent expected = c;
        expected.texts.heading = c.texts.heading.left(30);
        QCOMPARE(*back, expected);
        QCOMPARE(openName, target);
    }

    void readFromOutsideProgramDir()
    {
        TempProgramDir dir;
        QTemporaryDir elsewhere;
        const QString outside = QDir(elsewhere.path()).filePath(QStringLiteral("obcy.dyp"));
        writeBytes(outside, diplomafile::buildDiplomaRecord(startupWithTexts()) + QByteArray(200, '\x01'));
        WanderingPlatform p;
        p.wanderTo = elsewhere.path();
        p.openAnswers = {QStringLiteral("obcy.dyp")}; // relative to where the dialog left us
        QString last;
        const std::optional<DiplomaContent> c = Czytajdyplom(nullptr, last, dir.path());
        QVERIFY(c);
        QCOMPARE(*c, startupWithTexts());
        QCOMPARE(QDir::currentPath(), dir.path());
    }

    void shortFileReportsAndRestoresDirectory()
    {
        TempProgramDir dir;
        QTemporaryDir elsewhere;
        const QString shortFile = QDir(elsewhere.path()).filePath(QStringLiteral("krotki.dyp"));
        writeBytes(shortFile, diplomafile::buildDiplomaRecord(startupWithTexts()).left(1063));
        WanderingPlatform p;
        p.wanderTo = elsewhere.path();
        p.openAnswers = {shortFile};
        QString last;
        try {
            Czytajdyplom(nullptr, last, dir.path());
            QFAIL("no error");
        } catch (const platform::IoError &e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Read beyond end of file"));
        }
        QCOMPARE(QDir::currentPath(), dir.path());
    }

    void failedSaveKeepsTheOldFile()
    {
        TempProgramDir dir;
        const QString target = dir.file("Dyplomy/stary.dyp");
        DiplomaContent old = startupWithTexts();
        old.texts.heading = QStringLiteral("Poprzednia wersja");
        const QByteArray oldBytes = diplomafile::buildDiplomaRecord(old);
        writeBytes(target, oldBytes);

        QProcess helper;
        helper.start(QStringLiteral(SAVE_UNDER_LIMIT), {target, dir.path(), QStringLiteral("100")});
        QVERIFY(helper.waitForFinished());
        QCOMPARE(helper.exitCode(), 3);
        QCOMPARE(QString::fromUtf8(helper.readAllStandardOutput()).trimmed(), QStringLiteral("101 Disk full"));
        QCOMPARE(readBytes(target), oldBytes);
        QCOMPARE(QDir(dir.file("Dyplomy")).entryList(QDir::Files | QDir::Hidden), QStringList{"stary.dyp"});

        // Without the limit the same run replaces the file.
        helper.start(QStringLiteral(SAVE_UNDER_LIMIT), {target, dir.path(), QStringLiteral("none")});
        QVERIFY(helper.waitForFinished());
        QCOMPARE(helper.exitCode(), 0);
        const QByteArray now = readBytes(target);
        QCOMPARE(now.size(), 1064);
        QVERIFY(now != oldBytes);
        QCOMPARE(diplomafile::parseDiplomaRecord(now).texts.heading, QStringLiteral("Nowy dyplom"));
    }
};

QTEST_GUILESS_MAIN(TestDiplomaCommands)
#include "tst_diplomacommands.moc"
