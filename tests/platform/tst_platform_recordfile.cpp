// Record files in the cases where writing through a temporary file and a
// rename is not enough: read-only bits under root, symbolic links, a folder
// that refuses new files, a full disk.
#include "FileBytes.h"
#include "RunAsUser.h"
#include "TempProgramDir.h"
#include "platform/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

mode_t modeOf(const QString &path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

bool chmodTo(const QString &path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

class TestRecordFile : public QObject {
    Q_OBJECT
private slots:
    void fileWithoutWriteBitsIsReadOnlyForEveryone()
    {
        TempProgramDir dir;
        const QString path = dir.file(QStringLiteral("Admini/historia.dat"));
        writeBytes(path, QByteArray(79, '\x05'));
        for (const mode_t mode : {mode_t(0444), mode_t(0400), mode_t(0)}) {
            QVERIFY(chmodTo(path, mode));
            QCOMPARE(ioErrorCodeOf([&] { writeRecordFile(path, QByteArray(79, '\x06')); }), 5);
            QVERIFY(chmodTo(path, 0600));
            QCOMPARE(readBytes(path), QByteArray(79, '\x05'));
            QCOMPARE(entriesOf(dir.file(QStringLiteral("Admini"))), QStringList{QStringLiteral("historia.dat")});
        }
        // One write bit is enough for the owner the bits allow.
        QVERIFY(chmodTo(path, 0640));
        writeRecordFile(path, QByteArray(79, '\x07'));
        QCOMPARE(readBytes(path), QByteArray(79, '\x07'));
        QCOMPARE(modeOf(path), mode_t(0640)); // the replacement keeps the mode
    }

    void symbolicLinkIsKeptAndItsTargetWritten()
    {
        TempProgramDir dir;
        QTemporaryDir elsewhere;
        const QString target = QDir(elsewhere.path()).filePath(QStringLiteral("prawdziwy.dyp"));
        writeBytes(target, QByteArray(1064, '\x11'));
        const QString absoluteLink = dir.file(QStringLiteral("Dyplomy/link.dyp"));
        QVERIFY(QFile::link(target, absoluteLink));
        writeRecordFile(absoluteLink, QByteArray(1064, '\x22'));
        QVERIFY(QFileInfo(absoluteLink).isSymLink());
        QCOMPARE(QFileInfo(absoluteLink).symLinkTarget(), target);
        QCOMPARE(readBytes(target), QByteArray(1064, '\x22'));
        QCOMPARE(entriesOf(elsewhere.path()), QStringList{QStringLiteral("prawdziwy.dyp")});

        // A relative link, through a second link, in another folder.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Dyplomy/stare")));
        writeBytes(dir.file(QStringLiteral("Dyplomy/stare/a.dyp")), QByteArray(1064, '\x33'));
        QCOMPARE(::symlink("stare/a.dyp", QFile::encodeName(dir.file(QStringLiteral("Dyplomy/b.dyp"))).constData()), 0);
        QCOMPARE(::symlink("Dyplomy/b.dyp", QFile::encodeName(dir.file(QStringLiteral("c.dyp"))).constData()), 0);
        writeRecordFile(dir.file(QStringLiteral("c.dyp")), QByteArray(1064, '\x44'));
        QVERIFY(QFileInfo(dir.file(QStringLiteral("c.dyp"))).isSymLink());
        QVERIFY(QFileInfo(dir.file(QStringLiteral("Dyplomy/b.dyp"))).isSymLink());
        QCOMPARE(readBytes(dir.file(QStringLiteral("Dyplomy/stare/a.dyp"))), QByteArray(1064, '\x44'));

        // A dangling link names the file to create.
        QCOMPARE(::symlink("nowy.dyp", QFile::encodeName(dir.file(QStringLiteral("Dyplomy/d.dyp"))).constData()), 0);
        writeRecordFile(dir.file(QStringLiteral("Dyplomy/d.dyp")), QByteArray("abc"));
        QVERIFY(QFileInfo(dir.file(QStringLiteral("Dyplomy/d.dyp"))).isSymLink());
        QCOMPARE(readBytes(dir.file(QStringLiteral("Dyplomy/nowy.dyp"))), QByteArray("abc"));

        // A link to a read-only file is refused like the file itself.
        QVERIFY(chmodTo(target, 0444));
        QCOMPARE(ioErrorCodeOf([&] { writeRecordFile(absoluteLink, QByteArray(1064, '\x55')); }), 5);
        QCOMPARE(readBytes(target), QByteArray(1064, '\x22'));
        QVERIFY(QFileInfo(absoluteLink).isSymLink());

        // A loop of links is an invalid name, not a hang.
        QCOMPARE(::symlink("petla2", QFile::encodeName(dir.file(QStringLiteral("petla1"))).constData()), 0);
        QCOMPARE(::symlink("petla1", QFile::encodeName(dir.file(QStringLiteral("petla2"))).constData()), 0);
        QCOMPARE(ioErrorCodeOf([&] { writeRecordFile(dir.file(QStringLiteral("petla1")), "x"); }), 3);
        QCOMPARE(ioErrorCodeOf([&] { readFirstRecord(dir.file(QStringLiteral("petla1")), 1); }), 3);
    }

    void rootReplacingAFileKeepsItsOwner()
    {
        if (::geteuid() != 0)
            return; // only root can hand a file to another owner
        TempProgramDir dir;
        const QString path = dir.file(QStringLiteral("Dyplomy/cudzy.dyp"));
        writeBytes(path, QByteArray(1064, '\x11'));
        QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        writeRecordFile(path, QByteArray(1064, '\x22'));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(st.st_uid, uid_t(65534));
        QCOMPARE(st.st_gid, gid_t(65534));
    }

    // File 666 in a folder 555, written by an ordinary user: no temporary
    // file is possible, so the file is written in place.
    void writableFileInReadOnlyFolderIsWrittenInPlace()
    {
        TempProgramDir dir;
        QVERIFY(letOthersIn(dir.path()));
        const QString folder = dir.file(QStringLiteral("Admini"));
        const QString path = folder + QStringLiteral("/historia.dat");
        writeBytes(path, QByteArray(79, '\x05') + QByteArray(21, '\x09')); // longer than a record
        QVERIFY(chmodTo(path, 0666));
        writeBytes(folder + QStringLiteral("/chroniony.dat"), QByteArray("stare"));
        QVERIFY(chmodTo(folder + QStringLiteral("/chroniony.dat"), 0644));
        QVERIFY(chmodTo(folder, 0555));

        const QString probe = QStringLiteral(RECORD_PROBE);
        HelperRun run = runAsOrdinaryUser(probe, {QStringLiteral("write"), path, QStringLiteral("nowy rekord")},
                                          dir.path());
        QVERIFY2(run.started, "setpriv (util-linux) is needed to run as an ordinary user");
        QCOMPARE(run.output, QStringLiteral("write ok"));
        QCOMPARE(readBytes(path), QByteArray("nowy rekord"));

        // Nothing to write in place: a new file, or a file the user may not write.
        run = runAsOrdinaryUser(
            probe, {QStringLiteral("write"), folder + QStringLiteral("/nowy.dat"), QStringLiteral("x")}, dir.path());
        QCOMPARE(run.output, QStringLiteral("write 5 File access denied"));
        if (::geteuid() == 0) { // as nobody the root-owned 644 file is not writable
            run = runAsOrdinaryUser(
                probe, {QStringLiteral("write"), folder + QStringLiteral("/chroniony.dat"), QStringLiteral("x")},
                dir.path());
            QCOMPARE(run.output, QStringLiteral("write 5 File access denied"));
            QCOMPARE(readBytes(folder + QStringLiteral("/chroniony.dat")), QByteArray("stare"));
        }
        // An in-place write that fails halfway (a file-size limit of 150 bytes
        // for a 200-byte record) puts the earlier 79 bytes back.
        writeBytes(path, QByteArray(79, '\x05'));
        run = runAsOrdinaryUser(
            probe, {QStringLiteral("write"), path, QString(200, QLatin1Char('n')), QStringLiteral("150")}, dir.path());
        QCOMPARE(run.output, QStringLiteral("write 101 Disk full"));
        QCOMPARE(readBytes(path), QByteArray(79, '\x05'));

        QVERIFY(chmodTo(folder, 0755));
        QCOMPARE(entriesOf(folder), (QStringList{QStringLiteral("chroniony.dat"), QStringLiteral("historia.dat")}));
    }

    // Every record writer of the editor on a tmpfs of 64 kB that is full: the
    // write is refused with "Disk full", the old file stays byte for byte and
    // no temporary file is left, a short write included.
    void fullDiskIsReportedAndKeepsTheOldFile()
    {
        if (::geteuid() != 0)
            QSKIP("mounting a small tmpfs needs administrator rights (a private mount namespace)");
        QTemporaryDir work;
        const QString mountPoint = QDir(work.path()).filePath(QStringLiteral("mala"));
        QVERIFY(QDir().mkpath(mountPoint));
        QProcess probe;
        probe.setProcessChannelMode(QProcess::MergedChannels);
        probe.start(QStringLiteral("unshare"),
                    {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                     QStringLiteral(RECORD_PROBE), QStringLiteral("fullfs"), mountPoint});
        QVERIFY(probe.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(probe.readAll());
        if (output.startsWith(QLatin1String("nomount"))
            || (probe.exitCode() != 0 && output.contains(QLatin1String("unshare"))))
            QSKIP(qPrintable(QStringLiteral("no private tmpfs here: ") + output.trimmed()));
        QVERIFY2(probe.exitCode() == 0, qPrintable(output));
        const QStringList expected{
            QStringLiteral("diploma 101 Disk full"),  QStringLiteral("diploma-file intact temps=0"),
            QStringLiteral("history 101 Disk full"),  QStringLiteral("history-file intact temps=0"),
            QStringLiteral("archiver 101 Disk full"), QStringLiteral("archiver-file intact temps=0"),
            QStringLiteral("short 101 Disk full"),    QStringLiteral("short-file intact temps=0"),
        };
        for (const QString &line : expected)
            QVERIFY2(output.contains(line + QLatin1Char('\n')),
                     qPrintable(line + QStringLiteral(" missing in:\n") + output));
        QVERIFY(QDir(mountPoint).isEmpty()); // the tmpfs went with the namespace
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_platform_recordfile.moc"
