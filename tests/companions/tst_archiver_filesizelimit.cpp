// The real editor started under a file-size limit (ulimit -f) smaller than
// the archiver configuration: the start-up write must fail with a reported
// I/O error rather than SIGXFSZ killing the program, and leave the old
// configuration whole with no temporary file behind.
#include "FileBytes.h"
#include "TempProgramDir.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

class TestArchiverFileSizeLimit : public QObject {
    Q_OBJECT
private slots:
    void editorSurvivesTheLimitAndKeepsTheOldConfiguration()
    {
        TempProgramDir dir;
        const QString config = dir.file(QStringLiteral("archiwizator_config.dat"));
        const QByteArray old(10452, '\x22');
        writeBytes(config, old);

        QProcess editor;
        editor.setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        editor.setProcessEnvironment(env);
        editor.setChildProcessModifier([] {
            // What a shell's ulimit -f gives: the default action, a 4 kB limit.
            std::signal(SIGXFSZ, SIG_DFL);
            const struct rlimit limit {
                4096, 4096
            };
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        editor.start(QStringLiteral(DYPLOM_PROGRAM), {});
        QVERIFY(editor.waitForStarted());
        // It reports "Disk full" in a message box and waits there.
        const bool ended = editor.waitForFinished(5000);
        if (!ended) {
            editor.kill();
            editor.waitForFinished();
        }
        QVERIFY2(!ended, editor.exitStatus() == QProcess::CrashExit ? "the editor was killed by a signal"
                                                                    : "the editor ended by itself");
        QCOMPARE(readBytes(config), old);
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden), QStringList());
        // The failed step skipped the rest of the start-up: the run was not counted.
        QVERIFY(!QFile::exists(dir.file(QStringLiteral("Admini/historia.dat"))));
    }
};

QTEST_GUILESS_MAIN(TestArchiverFileSizeLimit)
#include "tst_archiver_filesizelimit.moc"
