// Writes record files for the record-file tests in a process of its own, so
// that a test can run it as an ordinary user or in a mount namespace with a
// small full file system. Prints one line per write: "<name> ok" or
// "<name> <code> <text>".
//   record_probe write <path> <text> [limit]  writeRecordFile, under a file-size limit if given
//   record_probe diploma <target> <programDir> the save command, overwrite confirmed
//   record_probe history <programDir>          PobierzDane, then ZapiszUruchomienia
//   record_probe fullfs <mountpoint>           every writer on a full tmpfs (needs
//                                              root in a private mount namespace)
#include "ScriptedPlatform.h"
#include "companions/ArchiverConfig.h"
#include "diplomafile/DiplomaCommands.h"
#include "history/RunHistory.h"
#include "platform/IoError.h"
#include "platform/ProcessSetup.h"
#include "platform/RecordFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

template <typename Fn>
void report(const char *name, Fn &&fn)
{
    try {
        fn();
        out() << name << " ok" << Qt::endl;
    } catch (const platform::IoError &e) {
        out() << name << ' ' << e.code() << ' ' << e.what() << Qt::endl;
    }
}

diplomafile::DiplomaContent someDiploma()
{
    diplomafile::DiplomaContent content;
    content.heading.fontName = QStringLiteral("Arial");
    content.heading.size = 40;
    content.texts.heading = QStringLiteral("Nowy dyplom");
    content.templateNumber = 7;
    return content;
}

void saveDiploma(const QString &target, const QString &programDir)
{
    ScriptedPlatform platform;
    platform.saveAnswers.push_back(target);
    platform.answers.push_back(true);
    QString lastName;
    diplomafile::Zapiszdyplom(nullptr, lastName, programDir, [] { return someDiploma(); });
}

void saveHistory(const QString &programDir)
{
    ScriptedPlatform platform;
    QDir::setCurrent(programDir);
    modul_hist::PobierzDane();
    modul_hist::ZapiszUruchomienia();
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

// Fills the file system with 4 kB files; returns how many were written.
int fill(const QString &dir)
{
    const QByteArray page(4096, 'f');
    int n = 0;
    for (;; ++n) {
        const QByteArray name = QFile::encodeName(dir + QStringLiteral("/fill%1").arg(n));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return n;
        const bool whole = ::write(fd, page.constData(), size_t(page.size())) == page.size();
        ::close(fd);
        if (!whole) {
            ::unlink(name.constData());
            return n;
        }
    }
}

QString state(const QString &path, const QByteArray &before)
{
    QFile f(path);
    const bool same = f.open(QIODevice::ReadOnly) && f.readAll() == before;
    QStringList temps =
        QDir(QFileInfo(path).absolutePath()).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden);
    return QStringLiteral("%1 temps=%2").arg(same ? QStringLiteral("intact") : QStringLiteral("changed")).arg(temps.size());
}

int fullFileSystem(const QString &mountPoint)
{
    if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
        out() << "nomount " << strerror(errno) << Qt::endl;
        return 4;
    }
    const QDir dir(mountPoint);
    dir.mkpath(QStringLiteral("Admini"));
    dir.mkpath(QStringLiteral("Dyplomy"));
    dir.mkpath(QStringLiteral("Fill"));
    const QString diploma = dir.filePath(QStringLiteral("Dyplomy/stary.dyp"));
    const QString history = dir.filePath(QStringLiteral("Admini/historia.dat"));
    const QString config = dir.filePath(QStringLiteral("archiwizator_config.dat"));
    const QByteArray oldDiploma(1064, '\x11');
    QByteArray oldHistory(79, '\0');
    oldHistory[32] = 1;
    oldHistory[33] = '5';
    const QByteArray oldConfig(10452, '\x22');
    if (!writeRaw(diploma, oldDiploma) || !writeRaw(history, oldHistory) || !writeRaw(config, oldConfig))
        return 5;
    const int pages = fill(dir.filePath(QStringLiteral("Fill")));
    out() << "filled " << pages << Qt::endl;

    report("diploma", [&] { saveDiploma(diploma, mountPoint); });
    out() << "diploma-file " << state(diploma, oldDiploma) << Qt::endl;
    report("history", [&] { saveHistory(mountPoint); });
    out() << "history-file " << state(history, oldHistory) << Qt::endl;
    report("archiver", [&] { companions::ZapiszKonfiguracjeArchiwizatora(mountPoint); });
    out() << "archiver-file " << state(config, oldConfig) << Qt::endl;

    // One free page: the 10452-byte write stops short after 4096 bytes.
    QFile::remove(dir.filePath(QStringLiteral("Fill/fill0")));
    report("short", [&] { platform::writeRecordFile(config, QByteArray(10452, '\x33')); });
    out() << "short-file " << state(config, oldConfig) << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    if (mode == QLatin1String("write") && (args.size() == 4 || args.size() == 5)) {
        if (args.size() == 5) {
            platform::ignoreFileSizeSignal();
            const rlim_t bytes = args[4].toULongLong();
            const struct rlimit limit {
                bytes, bytes
            };
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return 2;
        }
        report("write", [&] { platform::writeRecordFile(args[2], args[3].toUtf8()); });
    } else if (mode == QLatin1String("diploma") && args.size() == 4) {
        report("diploma", [&] { saveDiploma(args[2], args[3]); });
    } else if (mode == QLatin1String("history") && args.size() == 3) {
        report("history", [&] { saveHistory(args[2]); });
    } else if (mode == QLatin1String("fullfs") && args.size() == 3) {
        return fullFileSystem(args[2]);
    } else {
        return 2;
    }
    return 0;
}
