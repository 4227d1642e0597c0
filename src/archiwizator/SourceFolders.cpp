#include "SourceFolders.h"
#include "BackupError.h"

#include "companions/ArchiverConfigLayout.h"
#include "platform/Cp1250.h"
#include "platform/DataPath.h"
#include "platform/RecordBytes.h"
#include "platform/SystemErrorText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace backup {
namespace {

using Layout = companions::ArchiverConfigLayout;
const QString &ConfigName = companions::ArchiverConfigFileName;
const QString RestoreLeftoverPrefix = QStringLiteral(".przywracanie-");

[[noreturn]] void damaged(const QString &why)
{
    throw BackupError(QStringLiteral("Plik %1 jest uszkodzony: %2.").arg(ConfigName, why));
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

QString folderOfMask(const QString &mask, const QString &programDir, int slot)
{
    const QString suffix = QStringLiteral("*.*");
    if (!mask.startsWith(programDir) || !mask.endsWith(suffix))
        damaged(QStringLiteral("pozycja %1 nie wskazuje folderu programu").arg(slot));
    QString middle = mask.mid(programDir.size(), mask.size() - programDir.size() - suffix.size());
    if (middle.size() < 3 || !isSeparator(middle.front()) || !isSeparator(middle.back()))
        damaged(QStringLiteral("pozycja %1 nie wskazuje folderu programu").arg(slot));
    middle = middle.mid(1, middle.size() - 2);
    if (middle.isEmpty() || std::any_of(middle.begin(), middle.end(), isSeparator) || middle == QLatin1String("..")
        || middle == QLatin1String("."))
        damaged(QStringLiteral("pozycja %1 nie wskazuje folderu programu").arg(slot));
    return middle;
}

} // namespace

SourceConfig decodeConfig(const QByteArray &record)
{
    if (record.size() != Layout::SlotCount * Layout::SlotSize)
        damaged(QStringLiteral("ma %1 bajtów zamiast %2").arg(record.size()).arg(Layout::SlotCount * Layout::SlotSize));
    for (int slot = 0; slot < Layout::SlotCount; ++slot) {
        if (static_cast<unsigned char>(record[slot * Layout::SlotSize]) > Layout::SlotCapacity)
            damaged(QStringLiteral("pozycja %1 jest za długa").arg(slot));
    }
    SourceConfig config;
    config.programDir = platform::getShortString(record, Layout::ProgramDirSlot * Layout::SlotSize, Layout::SlotCapacity);
    if (config.programDir.isEmpty())
        damaged(QStringLiteral("brak folderu programu"));
    for (int slot = Layout::FirstMaskSlot; slot <= Layout::LastMaskSlot; ++slot) {
        const QString mask = platform::getShortString(record, slot * Layout::SlotSize, Layout::SlotCapacity);
        if (mask.isEmpty())
            continue;
        SourceFolder folder;
        folder.name = folderOfMask(mask, config.programDir, slot);
        config.folders.append(folder);
    }
    if (config.folders.isEmpty())
        damaged(QStringLiteral("nie wskazuje żadnego folderu"));
    const QString dir = QDir::fromNativeSeparators(config.programDir);
    for (SourceFolder &folder : config.folders) {
        folder.path = platform::resolveDataPath(dir, folder.name);
        folder.name = QFileInfo(folder.path).fileName();
        folder.exists = QFileInfo(folder.path).isDir();
    }
    return config;
}

SourceConfig readConfig(const QString &folder)
{
    const QString path = platform::resolveDataPath(folder, ConfigName);
    QFile file(path);
    if (!file.exists())
        throw BackupError(QStringLiteral("Brak pliku %1 w folderze %2. Uruchom archiwizację z menu Edytora dyplomów.")
                              .arg(ConfigName, QDir::toNativeSeparators(folder)));
    if (!file.open(QIODevice::ReadOnly))
        throw BackupError(QStringLiteral("Nie można odczytać pliku %1: %2.").arg(path, platform::systemErrorText(errno)));
    return decodeConfig(file.readAll());
}

bool isRegisterFile(const QString &archiveName)
{
    static const QStringList registers{QStringLiteral("data_ar.dat"), QStringLiteral("data_adr.dat"),
                                       QStringLiteral("data_or.dat"), QStringLiteral("data_odr.dat")};
    const QStringList parts = archiveName.split(QLatin1Char('/'));
    if (parts.last().compare(ConfigName, Qt::CaseInsensitive) == 0)
        return true;
    return parts.size() == 2 && parts[0].compare(QLatin1String("Admini"), Qt::CaseInsensitive) == 0
           && registers.contains(parts[1], Qt::CaseInsensitive);
}

namespace {

bool isUtf8(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

// Walks one folder by the bytes of its names, so that a name that is not
// UTF-8 is seen rather than lost in decoding.
void walk(const QByteArray &path, const QString &name, SourceFolder &folder, SourceConfig &config,
          QList<SourceFile> &found)
{
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return;
    QList<QByteArray> children;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray child(entry->d_name);
        if (child != "." && child != "..")
            children << child;
    }
    ::closedir(dir);
    for (const QByteArray &child : children) {
        const QByteArray childPath = path + '/' + child;
        struct stat st {};
        if (::lstat(childPath.constData(), &st) != 0)
            continue;
        const bool decodable = isUtf8(child);
        const QString childName = name + QLatin1Char('/')
                                  + (decodable ? QString::fromUtf8(child) : platform::fromCp1250(child));
        if (child.startsWith(RestoreLeftoverPrefix.toLatin1()))
            continue;
        if (!decodable) {
            config.undecodableNames << childName;
        } else if (S_ISLNK(st.st_mode)) {
            config.skippedLinks << childName;
        } else if (S_ISDIR(st.st_mode)) {
            walk(childPath, childName, folder, config, found);
        } else if (S_ISREG(st.st_mode) && !isRegisterFile(childName) && ::access(childPath.constData(), R_OK) != 0) {
            config.unreadableFiles << childName;
        } else if (S_ISREG(st.st_mode) && !isRegisterFile(childName)) {
            found.append({childName, QFile::decodeName(childPath), static_cast<qint64>(st.st_size)});
            folder.files += 1;
            folder.bytes += st.st_size;
        }
    }
}

} // namespace

QList<SourceFile> collectFiles(SourceConfig &config)
{
    QList<SourceFile> files;
    config.skippedLinks.clear();
    config.undecodableNames.clear();
    config.unreadableFiles.clear();
    for (SourceFolder &folder : config.folders) {
        folder.files = 0;
        folder.bytes = 0;
        folder.exists = QFileInfo(folder.path).isDir();
        if (!folder.exists)
            continue;
        QList<SourceFile> found;
        walk(QFile::encodeName(QFileInfo(folder.path).canonicalFilePath()), folder.name, folder, config, found);
        std::sort(found.begin(), found.end(), [](const SourceFile &a, const SourceFile &b) { return a.name < b.name; });
        files += found;
    }
    config.skippedLinks.sort();
    config.undecodableNames.sort();
    config.unreadableFiles.sort();
    return files;
}

} // namespace backup
