#include "platform/DataLocation.h"
#include "platform/QtPlatform.h"
#include "platform/TemplateFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace platform;

namespace {

void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A shipped skeleton like data/: two templates, empty folders kept by .gitkeep.
QString makeSkeleton(const QString &dir)
{
    put(dir + "/Wzory/BDR_0001.wmf", "template one");
    put(dir + "/Wzory/BDR_0002.wmf", "template two");
    for (const char *folder : {"Admini", "Dyplomy", "Notatki", "Terminarz"})
        put(dir + '/' + folder + "/.gitkeep", "");
    return dir;
}

// home, a skeleton and the environment of a program started in home.
struct Machine {
    QTemporaryDir root;
    QString home = root.filePath("home");
    QString skeleton = makeSkeleton(root.filePath("usr/share/dyplom"));
    QString user = home + "/.local/share/dyplom";
    DataEnvironment env{home, home, QString(), root.filePath("usr/bin"), root.filePath("usr/local/share/dyplom")};
    Machine()
    {
        QDir().mkpath(home);
        QDir().mkpath(env.executableDir);
    }
};

} // namespace

class TestDataLocation : public QObject {
    Q_OBJECT
private slots:
    // The one lister of templates: names in any letter case, by number and
    // then path; what only looks like a template is left out.
    void templateFilesAreListedByNumber()
    {
        QTemporaryDir dir;
        for (const char *name : {"BDR_0010.wmf", "bdr_0002.WMF", "BDR_2.wmf", "BDR_0001.wmf", "BDR_x.wmf",
                                 "BDR_0003.wmf.bak", "xBDR_0004.wmf", "BDR_99999999999.wmf"})
            put(dir.filePath(name), "abc");
        QDir(dir.path()).mkpath("BDR_0005.wmf"); // a folder
        QStringList got;
        for (const platform::TemplateFile &t : platform::templateFilesIn(dir.path())) {
            QCOMPARE(t.size, 3);
            got.append(QStringLiteral("%1 %2").arg(t.number).arg(QFileInfo(t.path).fileName()));
        }
        QCOMPARE(got, (QStringList{"0 BDR_99999999999.wmf", "1 BDR_0001.wmf", "2 BDR_2.wmf", "2 bdr_0002.WMF",
                                   "10 BDR_0010.wmf"}));
        QVERIFY(platform::templateFilesIn(QString()).isEmpty()); // not the current folder
    }

    void programDataIsATemplateCatalogue()
    {
        QTemporaryDir dir;
        QVERIFY(!holdsProgramData(dir.path()));
        QDir(dir.path()).mkpath("Wzory");
        QVERIFY(!holdsProgramData(dir.path())); // an empty folder, or the user's own documents
        put(dir.filePath("Wzory/umowa.odt"), "x");
        QVERIFY(!holdsProgramData(dir.path()));
        put(dir.filePath("Wzory/bdr_0007.WMF"), "x"); // any letter case
        QVERIFY(holdsProgramData(dir.path()));

        QTemporaryDir other;
        put(other.filePath("WZORY/BDR_0001.wmf"), "x");
        QVERIFY(holdsProgramData(other.path()));
        QTemporaryDir file;
        put(file.filePath("Wzory"), "a file, not a folder");
        QVERIFY(!holdsProgramData(file.path()));
        QVERIFY(!holdsProgramData(QString()));
    }

    void userFolderFollowsXdg()
    {
        DataEnvironment env{"/tmp", "/home/ala", QString(), "/usr/bin", QString()};
        QCOMPARE(userProgramDir(env), QStringLiteral("/home/ala/.local/share/dyplom"));
        env.xdgDataHome = "/srv/dane/";
        QCOMPARE(userProgramDir(env), QStringLiteral("/srv/dane/dyplom"));
        env.xdgDataHome = "dane"; // relative: not valid, ignored
        QCOMPARE(userProgramDir(env), QStringLiteral("/home/ala/.local/share/dyplom"));
    }

    void shippedDataIsFoundBesideTheProgram()
    {
        QTemporaryDir root;
        DataEnvironment installed{"/", "/", QString(), root.filePath("prefix/bin"), QString()};
        makeSkeleton(root.filePath("prefix/share/dyplom"));
        QCOMPARE(shippedDataDir(installed), QDir::cleanPath(root.filePath("prefix/share/dyplom")));

        // The editor in the package's private folder <prefix>/libexec/dyplom.
        DataEnvironment privateFolder{"/", "/", QString(), root.filePath("prefix/libexec/dyplom"), QString()};
        QCOMPARE(shippedDataDir(privateFolder), QDir::cleanPath(root.filePath("prefix/share/dyplom")));

        DataEnvironment buildTree{"/", "/", QString(), root.filePath("build"), QString()};
        makeSkeleton(root.filePath("build/data"));
        QCOMPARE(shippedDataDir(buildTree), root.filePath("build/data"));

        // A folder without templates is no skeleton.
        DataEnvironment empty{"/", "/", QString(), root.filePath("empty/bin"), QString()};
        QDir().mkpath(root.filePath("empty/share/dyplom/Wzory"));
        QVERIFY(!shippedDataDir(empty).startsWith(root.path()));
    }

    void firstStartCopiesTheSkeleton()
    {
        Machine m;
        const ProgramDirChoice choice = chooseProgramDir(m.env);
        QVERIFY2(choice.problems.isEmpty(), qPrintable(choice.problems.join('\n')));
        QCOMPARE(choice.dir, m.user);
        QCOMPARE(bytesOf(m.user + "/Wzory/BDR_0001.wmf"), QByteArray("template one"));
        QCOMPARE(bytesOf(m.user + "/Wzory/BDR_0002.wmf"), QByteArray("template two"));
        for (const char *folder : {"Admini", "Notatki", "Terminarz"})
            QVERIFY(QFileInfo(m.user + '/' + folder).isDir());
        QVERIFY(!QFileInfo::exists(m.user + "/Admini/.gitkeep"));
        // The diplomas live in the visible ~/Dyplomy.
        const QFileInfo diplomas(m.user + "/Dyplomy");
        QVERIFY(diplomas.isSymLink());
        QCOMPARE(diplomas.symLinkTarget(), m.home + "/Dyplomy");
        QVERIFY(QFileInfo(m.home + "/Dyplomy").isDir());
        put(m.user + "/Dyplomy/a.dyp", "saved");
        QCOMPARE(bytesOf(m.home + "/Dyplomy/a.dyp"), QByteArray("saved"));
        // Nothing of the program's lands in home itself.
        QVERIFY(!QFileInfo::exists(m.home + "/Wzory"));
    }

    void laterStartsKeepTheUsersFilesAndAddNewTemplates()
    {
        Machine m;
        chooseProgramDir(m.env);
        put(m.user + "/Wzory/BDR_0001.wmf", "changed by the user");
        put(m.user + "/Wzory/BDR_0050.wmf", "the user's own");
        QFile::remove(m.user + "/Wzory/BDR_0002.wmf");
        put(m.user + "/Admini/historia.dat", "history");
        put(m.skeleton + "/Wzory/BDR_0003.wmf", "new in the package");

        const ProgramDirChoice again = chooseProgramDir(m.env);
        QVERIFY(again.problems.isEmpty());
        QCOMPARE(bytesOf(m.user + "/Wzory/BDR_0001.wmf"), QByteArray("changed by the user"));
        QCOMPARE(bytesOf(m.user + "/Wzory/BDR_0050.wmf"), QByteArray("the user's own"));
        QCOMPARE(bytesOf(m.user + "/Wzory/BDR_0003.wmf"), QByteArray("new in the package"));
        QCOMPARE(bytesOf(m.user + "/Wzory/BDR_0002.wmf"), QByteArray("template two"));
        QCOMPARE(bytesOf(m.user + "/Admini/historia.dat"), QByteArray("history"));
    }

    void existingEntriesAreMatchedWithoutLetterCase()
    {
        Machine m;
        put(m.user + "/wzory/bdr_0001.wmf", "mine");
        put(m.user + "/DYPLOMY/stary.dyp", "old diploma");
        put(m.user + "/Notatki", "a file where the skeleton has a folder");
        const QStringList problems = prepareUserProgramDir(m.user, m.skeleton, m.home);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QCOMPARE(QDir(m.user).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
                 QStringList({"Admini", "DYPLOMY", "Notatki", "Terminarz", "wzory"}));
        QCOMPARE(bytesOf(m.user + "/wzory/bdr_0001.wmf"), QByteArray("mine"));
        QCOMPARE(bytesOf(m.user + "/wzory/BDR_0002.wmf"), QByteArray("template two"));
        QVERIFY(!QFileInfo(m.user + "/DYPLOMY").isSymLink()); // the user's own folder stays
        QCOMPARE(bytesOf(m.user + "/DYPLOMY/stary.dyp"), QByteArray("old diploma"));
        QCOMPARE(bytesOf(m.user + "/Notatki"), QByteArray("a file where the skeleton has a folder"));
        QVERIFY(!QFileInfo::exists(m.home + "/Dyplomy"));
    }

    void diplomaFolderCases()
    {
        {
            // ~/Dyplomy already holds diplomas: linked, untouched.
            Machine m;
            put(m.home + "/Dyplomy/klasa.dyp", "kept");
            QVERIFY(prepareUserProgramDir(m.user, m.skeleton, m.home).isEmpty());
            QCOMPARE(bytesOf(m.user + "/Dyplomy/klasa.dyp"), QByteArray("kept"));
        }
        {
            // ~/Dyplomy is a file: the diplomas stay inside the ProgramDir.
            Machine m;
            put(m.home + "/Dyplomy", "not a folder");
            QVERIFY(prepareUserProgramDir(m.user, m.skeleton, m.home).isEmpty());
            QVERIFY(QFileInfo(m.user + "/Dyplomy").isDir());
            QVERIFY(!QFileInfo(m.user + "/Dyplomy").isSymLink());
            QCOMPARE(bytesOf(m.home + "/Dyplomy"), QByteArray("not a folder"));
        }
        {
            // The user removed ~/Dyplomy: it comes back, the link stays.
            Machine m;
            QVERIFY(prepareUserProgramDir(m.user, m.skeleton, m.home).isEmpty());
            QVERIFY(QDir(m.home + "/Dyplomy").removeRecursively());
            QVERIFY(prepareUserProgramDir(m.user, m.skeleton, m.home).isEmpty());
            QVERIFY(QFileInfo(m.user + "/Dyplomy").isSymLink());
            QVERIFY(QFileInfo(m.home + "/Dyplomy").isDir());
        }
    }

    void currentDirectoryWithDataStaysTheProgramDir()
    {
        Machine m;
        QTemporaryDir work;
        put(work.filePath("Wzory/BDR_0001.wmf"), "x");
        m.env.currentDir = work.path();
        const ProgramDirChoice choice = chooseProgramDir(m.env);
        QCOMPARE(choice.dir, work.path());
        QVERIFY(choice.problems.isEmpty());
        QVERIFY(!QFileInfo::exists(m.user)); // nothing prepared for nothing
        QVERIFY(!QFileInfo::exists(m.home + "/Dyplomy"));

        // A home folder with a "Wzory" of documents is not a ProgramDir.
        put(m.home + "/Wzory/pismo.odt", "x");
        m.env.currentDir = m.home;
        QCOMPARE(chooseProgramDir(m.env).dir, m.user);
    }

    void startedInsideThePerUserOrShippedFolder()
    {
        Machine m;
        chooseProgramDir(m.env);
        put(m.skeleton + "/Wzory/BDR_0003.wmf", "new in the package");
        m.env.currentDir = m.user;
        QCOMPARE(chooseProgramDir(m.env).dir, m.user);
        QCOMPARE(bytesOf(m.user + "/Wzory/BDR_0003.wmf"), QByteArray("new in the package"));

        // The skeleton holds templates but is read-only: never the ProgramDir.
        m.env.currentDir = m.skeleton;
        QCOMPARE(chooseProgramDir(m.env).dir, m.user);
    }

    void unpreparableFolderKeepsTheCurrentDirectory()
    {
        Machine m;
        put(m.root.filePath("plik"), "a file where the data home should be");
        m.env.xdgDataHome = m.root.filePath("plik");
        const ProgramDirChoice choice = chooseProgramDir(m.env);
        QCOMPARE(choice.dir, m.home);
        QCOMPARE(choice.problems.size(), 1);
        QVERIFY2(choice.problems.first().contains(m.root.filePath("plik/dyplom")), qPrintable(choice.problems.first()));
    }

    void missingSkeletonIsReported()
    {
        Machine m;
        QVERIFY(QDir(m.skeleton).removeRecursively());
        m.env.executableDir = m.root.filePath("nowhere");
        const ProgramDirChoice choice = chooseProgramDir(m.env);
        QCOMPARE(choice.dir, m.user);
        if (shippedDataDir(m.env).isEmpty()) // unless this machine has the package installed
            QVERIFY(choice.problems.join('\n').contains(QStringLiteral("wzorów")));
    }

    void dialogsStartInTheVisibleFolder()
    {
        // The per-user Dyplomy is a link: the dialogs show where it leads.
        Machine m;
        chooseProgramDir(m.env);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(m.user);
        QStringList shown;
        for (bool save : {false, true}) {
            QTimer::singleShot(0, [&shown] {
                if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                    shown << dialog->directory().absolutePath();
                    dialog->reject();
                }
            });
            FileDialogSettings settings;
            settings.filter = QStringLiteral("Pliki dyplomów (*.dyp)");
            settings.initialFolder = QStringLiteral("Dyplomy");
            QtPlatform qt;
            QVERIFY(!(save ? qt.saveFileName(nullptr, settings) : qt.openFileName(nullptr, settings)));
        }
        QDir::setCurrent(previous);
        const QString visible = QFileInfo(m.home + "/Dyplomy").canonicalFilePath();
        QCOMPARE(shown, QStringList({visible, visible}));
    }

    void templatesFolderOrder()
    {
        Machine m;
        QTemporaryDir work;
        m.env.currentDir = work.path();
        // Nothing but the package: its catalogue.
        QCOMPARE(templatesFolder(QString(), m.env), m.skeleton + "/Wzory");
        // The user's catalogue once there is one.
        put(m.user + "/Wzory/BDR_0001.wmf", "x");
        QCOMPARE(templatesFolder(QString(), m.env), m.user + "/Wzory");
        // The current directory's before both.
        put(work.filePath("wzory/BDR_0001.wmf"), "x");
        QCOMPARE(templatesFolder(QString(), m.env), work.filePath("wzory"));
        // A folder named on the command line before everything.
        QCOMPARE(templatesFolder("inne/wzory", m.env), QStringLiteral("inne/wzory"));
        // No catalogue anywhere: ./Wzory, so that the failure names it.
        DataEnvironment bare{work.filePath("pusty"), work.filePath("pusty"), QString(), work.filePath("pusty"),
                             QString()};
        if (shippedDataDir(bare).isEmpty())
            QCOMPARE(templatesFolder(QString(), bare), work.filePath("pusty/Wzory"));
    }
};

QTEST_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
