#include "RecordFileWrite.h"
#include "IoError.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::recordwrite {
namespace {

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

bool isFolder(const QByteArray &path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Reads what the file holds now, to put it back if the overwrite fails;
// false when it cannot be read.
bool readWhole(int fd, QByteArray &out)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size > 64 * 1024 * 1024)
        return false;
    out = QByteArray(qsizetype(st.st_size), '\0');
    qsizetype got = 0;
    while (got < out.size()) {
        const ssize_t n = ::pread(fd, out.data() + got, size_t(out.size() - got), off_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        got += n;
    }
    return true;
}

} // namespace

UniqueFd::~UniqueFd()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void UniqueFd::closeChecked()
{
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR)
        IoError::raiseFromErrno(errno);
}

void raiseOpenError(int err, const QByteArray &path)
{
    if (err == ENOENT && !isFolder(folderOf(path)))
        throw IoError(IoCode::InvalidFilename);
    IoError::raiseFromErrno(err);
}

QByteArray followLinks(const QByteArray &path)
{
    QByteArray current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        QByteArray link(4096, '\0');
        const ssize_t n = ::readlink(current.constData(), link.data(), size_t(link.size()));
        if (n <= 0 || n >= link.size())
            return current;
        link.truncate(n);
        current = link.startsWith('/') ? link : folderOf(current) + '/' + link;
    }
    IoError::raiseFromErrno(ELOOP);
}

void writeFully(int fd, const char *data, size_t size, off_t offset)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, data + done, size - done, offset + off_t(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            IoError::raiseFromErrno(errno);
        }
        if (n == 0)
            throw IoError(IoCode::DiskFull);
        done += size_t(n);
    }
}

void flushToDisk(int fd)
{
    while (::fsync(fd) != 0) {
        if (errno == EINTR)
            continue;
        if (errno == EINVAL || errno == EROFS) // a file system that keeps nothing to flush
            return;
        IoError::raiseFromErrno(errno);
    }
}

bool replaceByRename(const QByteArray &target, const QByteArray &record, bool exists, mode_t mode, uid_t owner,
                     gid_t group)
{
    const QByteArray folder = folderOf(target);
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + "/." + nameOf(target) + '.'
               + QByteArray::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, '0') + ".tmp";
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno == EEXIST)
            continue;
        if (exists && (errno == EACCES || errno == EPERM))
            return false;
        raiseOpenError(errno, target);
    }
    if (fd < 0)
        throw IoError(IoCode::AccessDenied);

    UniqueFd file(fd);
    try {
        writeFully(file.get(), record.constData(), size_t(record.size()), 0);
        struct stat st {};
        if (::fstat(file.get(), &st) != 0 || st.st_size != record.size())
            throw IoError(IoCode::DiskFull);
        if (exists) {
            // Root replacing someone's file gives it back to its owner (where
            // the file system keeps owners at all).
            if (::geteuid() == 0 && ::fchown(file.get(), owner, group) != 0) {
                // Not fatal: the new file then belongs to root, as a new one would.
            }
            ::fchmod(file.get(), mode);
        }
        flushToDisk(file.get());
        file.closeChecked();
        if (::rename(temp.constData(), target.constData()) != 0)
            IoError::raiseFromErrno(errno);
    } catch (...) {
        ::unlink(temp.constData());
        throw;
    }
    return true;
}

void overwriteInPlace(const QByteArray &target, const QByteArray &record)
{
    int fd = ::open(target.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && errno == EACCES)
        fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC); // writable, not readable
    if (fd < 0)
        raiseOpenError(errno, target);
    UniqueFd file(fd);
    QByteArray earlier;
    const bool canRestore = readWhole(file.get(), earlier);
    try {
        writeFully(file.get(), record.constData(), size_t(record.size()), 0);
        if (::ftruncate(file.get(), off_t(record.size())) != 0)
            IoError::raiseFromErrno(errno);
        flushToDisk(file.get());
        file.closeChecked();
    } catch (const IoError &) {
        if (canRestore && file.get() >= 0) {
            try {
                writeFully(file.get(), earlier.constData(), size_t(earlier.size()), 0);
            } catch (const IoError &) {}
            if (::ftruncate(file.get(), off_t(earlier.size())) == 0)
                ::fsync(file.get());
        }
        throw;
    }
}

} // namespace platform::recordwrite
