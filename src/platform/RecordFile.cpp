#include "RecordFile.h"
#include "IoError.h"

#include <QFileInfo>
#include <QRandomGenerator>

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

// ENOENT means "Invalid filename" when the folder itself is missing.
[[noreturn]] void raiseOpenError(int err, const QString &path)
{
    if (err == ENOENT && !QFileInfo(QFileInfo(path).absolutePath()).isDir())
        throw IoError(IoCode::InvalidFilename);
    IoError::raiseFromErrno(err);
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { if (fd_ >= 0) ::close(fd_); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return fd_; }
    int release() { int fd = fd_; fd_ = -1; return fd; }
private:
    int fd_;
};

void writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            IoError::raiseFromErrno(errno);
        }
        p += n;
        left -= n;
    }
}

} // namespace

void writeRecordFile(const QString &path, const QByteArray &record)
{
    const QByteArray target = nativePath(path);
    struct stat st {};
    mode_t mode = 0666;
    bool keepMode = false;
    if (::stat(target.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode) || ::access(target.constData(), W_OK) != 0)
            throw IoError(IoCode::AccessDenied);
        mode = st.st_mode & 07777;
        keepMode = true;
    }

    const QString dir = QFileInfo(path).absolutePath();
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = nativePath(dir + QStringLiteral("/.%1.%2.tmp")
                              .arg(QFileInfo(path).fileName())
                              .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            raiseOpenError(errno, path);
    }
    if (fd < 0)
        throw IoError(IoCode::AccessDenied);

    Fd file(fd);
    try {
        writeAll(file.get(), record);
        if (keepMode)
            ::fchmod(file.get(), mode);
        if (::close(file.release()) != 0)
            IoError::raiseFromErrno(errno);
        if (::rename(temp.constData(), target.constData()) != 0)
            IoError::raiseFromErrno(errno);
    } catch (...) {
        ::unlink(temp.constData());
        throw;
    }
}

QByteArray readFirstRecord(const QString &path, int size)
{
    Fd file(::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        raiseOpenError(errno, path);
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
