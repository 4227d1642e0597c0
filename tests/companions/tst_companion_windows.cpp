// The editor's menu items start the real companion programs, each of which
// opens its window on a private X server. Runs its own Xvfb.
#include "FileBytes.h"
#include "ProgramRun.h"
#include "TForm1.h"
#include "TempProgramDir.h"
#include "XvfbDisplay.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <csignal>

namespace {

QString run(const QStringList &args)
{
    return runProgram(QStringLiteral("xdotool"), args, QProcessEnvironment::systemEnvironment(), {}, 10000).out.trimmed();
}

// Ids of the visible windows whose title matches, waiting up to 30 s.
QStringList waitForWindow(const QString &title)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        const QString found = run({"search", "--onlyvisible", "--name", title});
        if (!found.isEmpty())
            return found.split('\n');
        QTest::qWait(200);
    }
    return {};
}

} // namespace

class TestCompanionWindows : public QObject {
    Q_OBJECT
private slots:
    void menuItemsOpenTheCompanionWindows_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("title");
        QTest::newRow("Moje notatki") << "Mojenotatki1"
                                      << "^Moje notatki$";
        QTest::newRow("Terminarz") << "erminarz1"
                                   << "^Terminarz .* Moje zadania$";
        QTest::newRow("Ochrona danych") << "Archiwizacjanainnychnonikach1"
                                        << "^Ochrona danych$";
    }
    void menuItemsOpenTheCompanionWindows()
    {
        QFETCH(QString, action);
        QFETCH(QString, title);
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("xdotool is missing (scripts/setup installs it)");
        // The build puts the programs beside the editor; here they are found through PATH.
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", qgetenv("DYPLOM_BINARY_DIR") + ':' + path);
        TempProgramDir dir({"Admini", "Dyplomy", "Notatki", "Terminarz", "Wzory"});
        QVERIFY(QFile::copy(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + "/data/Wzory/BDR_0001.wmf",
                            dir.file("Wzory/BDR_0001.wmf")));
        TForm1 form;
        QVERIFY(QFile::exists(dir.file("archiwizator_config.dat")));
        QAction *item = form.findChild<QAction *>(action);
        QVERIFY(item);
        item->trigger();
        qputenv("PATH", path);

        const QStringList windows = waitForWindow(title);
        QCOMPARE(windows.size(), 1);
        const qint64 pid = run({"getwindowpid", windows[0]}).toLongLong();
        QVERIFY(pid > 0);
        ::kill(static_cast<pid_t>(pid), SIGTERM);
    }
};

int main(int argc, char *argv[])
{
    XvfbDisplay xvfb;
    if (!xvfb.startForQt())
        return 1;
    QApplication app(argc, argv);
    TestCompanionWindows test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_companion_windows.moc"
