#pragma once
#include <QByteArray>

#include <sys/types.h>

// The steps of writing a record file, on plain file descriptors and native
// paths. Failures raise platform::IoError.
namespace platform::recordwrite {

// Closes the descriptor it owns.
class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd();
    UniqueFd(const UniqueFd &) = delete;
    UniqueFd &operator=(const UniqueFd &) = delete;
    int get() const { return fd_; }
    // Closes now and raises the close's error (the last chance to learn of a failed write).
    void closeChecked();

private:
    int fd_;
};

// An open that failed: ENOENT is "Invalid filename" when the folder itself is missing.
[[noreturn]] void raiseOpenError(int err, const QByteArray &path);

// The path a write lands on: symbolic links followed to their final target,
// which may not exist yet (a dangling link names the file to create).
QByteArray followLinks(const QByteArray &path);

// Writes all of `data` at `offset`, retrying short counts; a short count
// that cannot be completed raises the error of the failing write.
void writeFully(int fd, const char *data, size_t size, off_t offset);

// Flushes to the disk, where a delayed allocation may still fail.
void flushToDisk(int fd);

// Replaces the file through a temporary file beside it and a rename.
// Returns false, touching nothing, when the folder does not allow the
// temporary file; other failures raise after removing the temporary file.
bool replaceByRename(const QByteArray &target, const QByteArray &record, bool exists, mode_t mode, uid_t owner,
                     gid_t group);

// Overwrites the existing file in place and cuts it to the record. On a
// failure the earlier content is written back as far as the disk allows.
void overwriteInPlace(const QByteArray &target, const QByteArray &record);

} // namespace platform::recordwrite
