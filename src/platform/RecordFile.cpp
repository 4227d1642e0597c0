#include "RecordFile.h"
#include "IoError.h"
#include "RecordFileWrite.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

// Write permission as the file's own bits say: a file without any write bit
// is read-only for every user, root included.
bool writable(const QByteArray &path, const struct stat &st)
{
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.constData(), W_OK) == 0;
}

} // namespace

void writeRecordFile(const QString &path, const QByteArray &record)
{
    using namespace recordwrite;
    const QByteArray target = followLinks(nativePath(path));
    struct stat st {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (exists && (!S_ISREG(st.st_mode) || !writable(target, st)))
        throw IoError(IoCode::AccessDenied);
    if (!replaceByRename(target, record, exists, st.st_mode & 07777, st.st_uid, st.st_gid))
        overwriteInPlace(target, record); // the folder refuses new files, the file takes writes
}

QByteArray readFirstRecord(const QString &path, int size)
{
    const QByteArray native = nativePath(path);
    recordwrite::UniqueFd file(::open(native.constData(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        recordwrite::raiseOpenError(errno, native);
    QByteArray record(size, '\0');
    qsizetype got = 0;
    while (got < size) {
        ssize_t n = ::read(file.get(), record.data() + got, static_cast<size_t>(size - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            IoError::raiseFromErrno(errno);
        }
        if (n == 0)
            throw IoError(IoCode::ReadBeyondEnd);
        got += n;
    }
    return record;
}

bool fileExists(const QString &path)
{
    struct stat st {};
    return ::stat(nativePath(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool entryExists(const QString &path)
{
    struct stat st {};
    return ::lstat(nativePath(path).constData(), &st) == 0;
}

} // namespace platform
