#pragma once
#include "FileBytes.h"
#include "ProgramRun.h"
#include "TempProgramDir.h"
#include "archiwizator/Manifest.h"
#include "companions/ArchiverConfig.h"

#include <QCryptographicHash>
#include <QTemporaryDir>

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>

// Every file below `root` with its bytes, by path relative to it.
inline QMap<QString, QByteArray> fileTree(const QString &root)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        tree.insert(QDir(root).relativeFilePath(path), readBytes(path));
    }
    return tree;
}

inline QByteArray noise(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(random.bounded(256));
    return bytes;
}

// A ProgramDir as the editor leaves it: the archiver configuration written
// by the editor's own code, diplomas, the shipped templates, records, a
// note and a task.
struct BackupFixture {
    explicit BackupFixture(int diplomas = 12)
        : dir({QStringLiteral("Admini"), QStringLiteral("Dyplomy/klasa 3b"), QStringLiteral("Notatki"),
               QStringLiteral("Terminarz"), QStringLiteral("Wzory")})
    {
        companions::ZapiszKonfiguracjeArchiwizatora(dir.path());
        for (int i = 0; i < diplomas; ++i)
            writeBytes(dir.file(QStringLiteral("Dyplomy/dyplom_%1.dyp").arg(i)), noise(1064, i));
        writeBytes(dir.file(QStringLiteral("Dyplomy/klasa 3b/Żaneta Łęcka.dyp")), noise(1064, 99));
        const QString shipped = qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory");
        for (const QString &name : QDir(shipped).entryList({QStringLiteral("*.wmf")}, QDir::Files))
            QFile::copy(shipped + QLatin1Char('/') + name, dir.file(QStringLiteral("Wzory/") + name));
        writeBytes(dir.file(QStringLiteral("Admini/historia.dat")), noise(79, 7));
        writeBytes(dir.file(QStringLiteral("Admini/wer.dat")), "20306");
        writeBytes(dir.file(QStringLiteral("Notatki/zebranie.txt")), "Zebranie rady: środa\n");
        writeBytes(dir.file(QStringLiteral("Terminarz/a.ics")), "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
        writeBytes(dir.file(QStringLiteral("Dyplomy/pusty.dyp")), QByteArray());
    }

    // The protected folders only (the configuration file lies beside them).
    QMap<QString, QByteArray> protectedTree() const
    {
        QMap<QString, QByteArray> tree = fileTree(dir.path());
        tree.remove(companions::ArchiverConfigFileName);
        return tree;
    }

    TempProgramDir dir;
};

// A ZIP made by Info-ZIP's zip from the files given (name -> bytes).
inline QString foreignZip(const QString &folder, const QMap<QString, QByteArray> &files)
{
    QTemporaryDir source;
    QStringList names;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QDir(source.path()).mkpath(QFileInfo(it.key()).path());
        writeBytes(source.path() + QLatin1Char('/') + it.key(), it.value());
        names << it.key();
    }
    const QString zip = folder + QStringLiteral("/obce.zip");
    QProcess p;
    p.setWorkingDirectory(source.path());
    p.start(QStringLiteral("zip"), QStringList{QStringLiteral("-q"), zip} + names);
    p.waitForFinished();
    return zip;
}

// A ZIP (written by Python's zipfile) of the entries in the order given,
// with a list naming exactly them, their true sizes and checksums: it passes
// every check a copy of ours passes. // `modes` gives an entry Unix file-type and permission bits (a link, a FIFO).
inline QString listedZip(const QString &folder, const QList<QPair<QString, QByteArray>> &files,
                         const QMap<QString, uint> &modes = {})
{
    backup::Manifest manifest;
    manifest.created = QDateTime(QDate(2026, 12, 1), QTime(8, 0));
    for (const auto &[name, bytes] : files)
        manifest.entries.append({name, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(),
                                 QDateTime(QDate(2026, 11, 30), QTime(8, 0), Qt::UTC)});
    const QString zip = folder + QStringLiteral("/spreparowane.zip");
    QStringList args{QStringLiteral("-c"),
                     QStringLiteral("import sys, zipfile\n"
                                    "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
                                    "    for i in range(2, len(sys.argv), 3):\n"
                                    "        info = zipfile.ZipInfo(sys.argv[i], (2026, 11, 30, 8, 0, 0))\n"
                                    "        info.external_attr = int(sys.argv[i + 2]) << 16\n"
                                    "        info.create_system = 3\n"
                                    "        z.writestr(info, bytes.fromhex(sys.argv[i + 1]), zipfile.ZIP_DEFLATED)\n"),
                     zip,
                     backup::ManifestName,
                     QString::fromLatin1(backup::encodeManifest(manifest).toHex()),
                     QString::number(0100644)};
    for (const auto &[name, bytes] : files)
        args << name << QString::fromLatin1(bytes.toHex()) << QString::number(modes.value(name, 0100644));
    QProcess p;
    p.start(QStringLiteral("python3"), args);
    p.waitForFinished(60000);
    return zip;
}

// Anything below `root` that is neither a plain folder nor a plain file.
inline QStringList oddEntries(const QString &root)
{
    QStringList odd;
    QDirIterator it(root, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.isSymLink() || !(info.isDir() || info.isFile()))
            odd << QDir(root).relativeFilePath(info.filePath());
    }
    return odd;
}
