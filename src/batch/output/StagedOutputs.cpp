#include "StagedOutputs.h"

#include "ErrorTexts.h"
#include "Failure.h"
#include "Leftovers.h"
#include "OutputSafety.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace batch {

namespace {

constexpr qsizetype BufferBytes = 64 * 1024;

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

// Two names of one file (links resolved, hard links included).
bool sameFile(const QString &a, const QString &b)
{
    struct stat sa, sb;
    return ::stat(nativePath(a).constData(), &sa) == 0 && ::stat(nativePath(b).constData(), &sb) == 0
           && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Puts from at to unless a file of that name is there by now: atomically
// where the file system can, else by a hard link, which fails likewise.
int renameWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    if (::link(from.constData(), to.constData()) != 0)
        return errno;
    ::unlink(from.constData());
    return 0;
}

bool sameInode(const QString &path, dev_t dev, ino_t ino)
{
    struct stat st;
    return ::stat(nativePath(path).constData(), &st) == 0 && st.st_dev == dev && st.st_ino == ino;
}

// The file at path is still the one seen then. Without the file held open
// a new file may get a freed inode's number: its size and time tell it.
bool stillThere(const QString &path, const struct stat &then, bool held)
{
    struct stat now;
    return ::stat(nativePath(path).constData(), &now) == 0 && now.st_dev == then.st_dev && now.st_ino == then.st_ino
           && (held
               || (now.st_size == then.st_size && now.st_mtim.tv_sec == then.st_mtim.tv_sec
                   && now.st_mtim.tv_nsec == then.st_mtim.tv_nsec));
}

// The temporary files not yet renamed or removed, and the scratch folders
// that hold some of them. Changed only with the interrupting signals
// blocked, so that their handler reads them whole.
std::vector<std::string> &pendingFiles()
{
    static std::vector<std::string> files;
    return files;
}

std::vector<std::string> &pendingFolders()
{
    static std::vector<std::string> folders;
    return folders;
}

constexpr int InterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};

class InterruptsBlocked {
public:
    InterruptsBlocked()
    {
        sigset_t set;
        sigemptyset(&set);
        for (const int sig : InterruptSignals)
            sigaddset(&set, sig);
        sigprocmask(SIG_BLOCK, &set, &previous_);
    }
    ~InterruptsBlocked() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }

private:
    sigset_t previous_;
};

void setPending(const QString &temporary, bool pending, std::vector<std::string> &files = pendingFiles())
{
    const std::string path = QFile::encodeName(temporary).toStdString();
    InterruptsBlocked blocked;
    if (pending)
        files.push_back(path);
    else
        files.erase(std::remove(files.begin(), files.end(), path), files.end());
}

void removePendingAndDie(int sig)
{
    for (const std::string &path : pendingFiles())
        ::unlink(path.c_str()); // async-signal-safe, as is the rest
    for (const std::string &path : pendingFolders())
        ::rmdir(path.c_str()); // emptied by the unlinks above
    std::signal(sig, SIG_DFL);
    ::raise(sig);
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

OutputFile::OutputFile(const QString &path, const QString &target, const QString &temporary, int fd, WriteCall write)
    : path_(path), target_(target), temporary_(temporary), fd_(fd), write_(std::move(write))
{
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

OutputFile::~OutputFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (replacedFd_ >= 0)
        ::close(replacedFd_);
}

qint64 OutputFile::writeData(const char *data, qint64 size)
{
    if (fd_ < 0)
        return -1;
    // After a failed write the rest is dropped but taken: the PDF and PNG
    // writers would otherwise print their own English complaints, and
    // finish() reports the failure anyway.
    if (error_ == 0) {
        buffer_.append(data, size);
        if (buffer_.size() >= BufferBytes)
            flushBuffer();
    }
    return size;
}

bool OutputFile::flushBuffer()
{
    qsizetype done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = write_(fd_, buffer_.constData() + done, size_t(buffer_.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A write that takes nothing without an error is a full disk.
            error_ = n == 0 ? ENOSPC : errno;
            buffer_.clear();
            return false;
        }
        done += n;
        onDisk_ += n;
    }
    buffer_.clear();
    return true;
}

void OutputFile::fail(int err)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    QIODevice::close();
    throw Failure(path_, systemErrorText(err));
}

void OutputFile::finish()
{
    if (fd_ < 0) {
        if (error_ != 0)
            throw Failure(path_, systemErrorText(error_));
        return;
    }
    if (error_ != 0 || !flushBuffer())
        fail(error_);
    // Space a file system only finds missing when the data goes to disk.
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS)
        fail(error_ = errno);
    struct stat st;
    if (::fstat(fd_, &st) != 0)
        fail(error_ = errno);
    // Standard output may be a pipe, or a file written from elsewhere.
    if (!streamed_ && st.st_size != onDisk_)
        fail(error_ = ENOSPC);
    dev_ = st.st_dev;
    ino_ = st.st_ino;
    const int fd = fd_;
    fd_ = -1;
    QIODevice::close();
    if (::close(fd) != 0 && errno != EINTR)
        throw Failure(path_, systemErrorText(error_ = errno));
}

StagedOutputs::StagedOutputs(WriteCall write)
    : write_(write ? std::move(write)
                   : WriteCall([](int fd, const void *data, size_t size) { return ::write(fd, data, size); }))
{}

StagedOutputs::~StagedOutputs()
{
    for (const auto &file : files_) {
        const QString temporary = file->temporaryPath();
        if (!temporary.isEmpty()) {
            QFile::remove(temporary);
            setPending(temporary, false);
        }
    }
}

void StagedOutputs::removeTemporaryFilesOnInterrupt()
{
    for (const int sig : InterruptSignals) {
        struct sigaction now {
        }, before{};
        sigaction(sig, nullptr, &before);
        if (before.sa_handler == SIG_IGN) // e.g. under nohup
            continue;
        now.sa_handler = removePendingAndDie;
        sigemptyset(&now.sa_mask);
        for (const int other : InterruptSignals)
            sigaddset(&now.sa_mask, other);
        sigaction(sig, &now, nullptr);
    }
}

void StagedOutputs::protect(const QString &input, const QString &what)
{
    if (!input.isEmpty())
        inputs_.push_back({input, what});
}

OutputFile &StagedOutputs::stage(const QString &path)
{
    return stageChecked(path, false);
}

OutputFile &StagedOutputs::stage(const QString &path, Replacing)
{
    return stageChecked(path, true);
}

OutputFile &StagedOutputs::stageChecked(const QString &path, bool anyContent)
{
    if (path == QLatin1String("-")) {
        for (const auto &file : files_)
            if (file->streamed_)
                throw Failure(path, QStringLiteral("standardowe wyjście podane dwa razy"));
        if (::isatty(STDOUT_FILENO))
            throw Failure(path, QStringLiteral("standardowe wyjście to terminal: przekieruj je do pliku (> plik.pdf) "
                                               "albo programu (| lp)"));
        const int fd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
        if (fd < 0)
            throw Failure(path, QStringLiteral("brak standardowego wyjścia (%1)").arg(systemErrorText(errno)));
        files_.push_back(std::unique_ptr<OutputFile>(new OutputFile(path, path, QString(), fd, write_)));
        files_.back()->streamed_ = true;
        return *files_.back();
    }
    for (const Protected &input : inputs_)
        if (sameFile(path, input.path))
            throw Failure(path,
                          QStringLiteral("to %1 „%2”: nie zostanie zastąpiony wydrukiem").arg(input.what, input.path));
    const OutputPlace place = followLinks(path);
    const QString &target = place.target;
    if (QFileInfo(target).isDir())
        throw Failure(path, systemErrorText(EISDIR));
    if (target.endsWith(QLatin1String(".dyp"), Qt::CaseInsensitive))
        throw Failure(path,
                      QStringLiteral("pliki .dyp to dyplomy: wydruk nie zostanie w nim zapisany, podaj inną nazwę"));
    for (const auto &file : files_)
        if (file->target_ == target || sameFile(file->target_, target))
            throw Failure(path, QStringLiteral("ten sam plik wyjściowy podany dwa razy"));
    checkReplaceable(path, place, signatureFor(target), overwrite_ || anyContent);

    const QFileInfo info(target);
    removeLeftovers(info.path());
    QByteArray pattern = nativePath(info.dir().filePath(QLatin1Char('.') + temporaryPrefix() + QStringLiteral("XXXXXX")));
    int fd;
    {
        InterruptsBlocked blocked; // the file and its registration together
        fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd >= 0)
            pendingFiles().push_back(pattern.toStdString());
    }
    if (fd < 0)
        throw Failure(path, QStringLiteral("nie można utworzyć pliku (%1)").arg(systemErrorText(errno)));
    // The replaced file's permissions, or what the user's umask gives.
    struct stat old;
    const bool replaces = ::stat(nativePath(target).constData(), &old) == 0;
    const mode_t mode = replaces ? (old.st_mode & 07777) : newFileMode();
    (void)::fchmod(fd, mode);
    files_.push_back(std::unique_ptr<OutputFile>(new OutputFile(path, target, QFile::decodeName(pattern), fd, write_)));
    OutputFile &file = *files_.back();
    file.replaces_ = replaces;
    if (replaces) {
        file.replaced_ = old;
        // A few held, not one per picture of a long list: descriptors are few.
        if (held_ < 64 && (file.replacedFd_ = ::open(nativePath(target).constData(), O_PATH | O_CLOEXEC)) >= 0)
            ++held_;
    }
    return file;
}

void StagedOutputs::undo(const std::vector<OutputFile *> &placed)
{
    for (OutputFile *file : placed) // new names only: a replaced file is gone either way
        if (!file->replaces_ && sameInode(file->target_, file->dev_, file->ino_))
            ::unlink(nativePath(file->target_).constData());
}

void StagedOutputs::commitAll()
{
    for (const auto &file : files_)
        file->finish();
    // Nothing is put in place before every output is whole. A file that
    // another program put at an output's name meanwhile is not replaced
    // unless --nadpisz says so: new names first, each only if still free,
    // so that a lost race is known before any earlier file is replaced.
    if (!overwrite_)
        for (const auto &file : files_)
            if (!file->streamed_ && file->replaces_ && !stillThere(file->target_, file->replaced_, file->replacedFd_ >= 0))
                throw Failure(file->path(), QStringLiteral("plik został zmieniony przez inny program w trakcie pracy: "
                                                           "nie został zastąpiony, nic nie zostało zapisane"));
    std::vector<OutputFile *> placed;
    const auto put = [&](OutputFile &file) {
        const QByteArray from = nativePath(file.temporary_), to = nativePath(file.target_);
        int err = 0;
        if (!file.replaces_ && !overwrite_)
            err = renameWithoutReplacing(from, to);
        else if (::rename(from.constData(), to.constData()) != 0)
            err = errno;
        if (err != 0) {
            undo(placed);
            if (err == EEXIST)
                throw Failure(file.path(), QStringLiteral("plik powstał w trakcie pracy (inne wywołanie?): nie został "
                                                          "zastąpiony, nic nie zostało zapisane"));
            throw Failure(file.path(), QStringLiteral("nie można zapisać pliku (%1)").arg(systemErrorText(err)));
        }
        setPending(file.temporary_, false);
        file.temporary_.clear();
        placed.push_back(&file);
    };
    for (const auto &file : files_)
        if (!file->streamed_ && !file->replaces_)
            put(*file);
    for (const auto &file : files_)
        if (!file->streamed_ && file->replaces_)
            put(*file);
}

ScratchFolder::ScratchFolder()
{
    // A TMPDIR that is no folder would put the folder in the current one.
    QString base = QDir::tempPath();
    if (base.isEmpty() || !QFileInfo(base).isDir())
        base = QStringLiteral("/tmp");
    removeLeftovers(base);
    QByteArray pattern = nativePath(QDir(base).filePath(temporaryPrefix() + QStringLiteral("XXXXXX")));
    bool made;
    {
        InterruptsBlocked blocked; // the folder and its registration together
        made = ::mkdtemp(pattern.data()) != nullptr;
        if (made)
            pendingFolders().push_back(pattern.toStdString());
    }
    if (!made)
        throw Failure(base, QStringLiteral("nie można utworzyć katalogu tymczasowego (%1)").arg(systemErrorText(errno)));
    path_ = QFile::decodeName(pattern);
}

ScratchFolder::~ScratchFolder()
{
    for (const QString &name : QStringList(files_))
        remove(name);
    QDir().rmdir(path_);
    setPending(path_, false, pendingFolders());
}

std::unique_ptr<OutputFile> ScratchFolder::create(const QString &name)
{
    const QString path = QDir(path_).filePath(name);
    const QByteArray native = nativePath(path);
    int fd;
    {
        InterruptsBlocked blocked;
        fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd >= 0 && !files_.contains(name)) {
            pendingFiles().push_back(native.toStdString());
            files_.append(name);
        }
    }
    if (fd < 0)
        throw Failure(path, QStringLiteral("nie można utworzyć pliku (%1)").arg(systemErrorText(errno)));
    return std::unique_ptr<OutputFile>(new OutputFile(
        path, path, path, fd, [](int f, const void *data, size_t size) { return ::write(f, data, size); }));
}

void ScratchFolder::remove(const QString &name)
{
    if (!files_.removeOne(name))
        return;
    const QString path = QDir(path_).filePath(name);
    QFile::remove(path);
    setPending(path, false);
}

} // namespace batch
