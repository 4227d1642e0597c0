#pragma once
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <sys/stat.h>
#include <sys/types.h>
#include <vector>

namespace batch {

// The system call that writes; tests put one in that returns short counts.
using WriteCall = std::function<ssize_t(int fd, const void *data, size_t size)>;

// One output of a run, written to a temporary file in the folder of its
// final path. Every write is checked: a short count or an error (a full
// disk, a file-size limit) is kept and reported by finish(), never passed
// over as success. Only StagedOutputs puts the file in place.
class OutputFile : public QIODevice {
public:
    ~OutputFile() override;

    // The path the file will have once committed ("-": standard output).
    const QString &path() const { return path_; }
    const QString &temporaryPath() const { return temporary_; }

    // Ends the writing: everything on disk and the file closed, or a
    // Failure naming path() that says why (e.g. "brak miejsca na dysku").
    void finish();
    bool isFinished() const { return fd_ < 0; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    friend class StagedOutputs;
    friend class ScratchFolder;
    OutputFile(const QString &path, const QString &target, const QString &temporary, int fd, WriteCall write);
    bool flushBuffer();
    [[noreturn]] void fail(int err);

    QString path_;
    QString target_;          // path_ with its links resolved
    QString temporary_;       // empty once renamed into place, or when streamed
    bool streamed_ = false;   // standard output: nothing to put in place
    bool replaces_ = false;   // target_ existed when staged (as replacedDev_/replacedIno_)
    struct stat replaced_ {}; // what was there when staged
    int replacedFd_ = -1;     // held so that its inode number is not reused meanwhile
    dev_t dev_ = 0;           // the temporary file itself, to tell it from a rival's
    ino_t ino_ = 0;
    int fd_;
    WriteCall write_;
    QByteArray buffer_;
    qint64 onDisk_ = 0; // bytes the system accepted
    int error_ = 0;     // first errno; 0 while every write was whole
};

// The outputs of one run: each staged beside its final path, and all put
// in place by commitAll() only after every one of them was written whole.
// Whatever is not committed is removed: a failed run leaves the user's
// earlier files byte for byte as they were, and no temporary file behind.
class StagedOutputs {
public:
    explicit StagedOutputs(WriteCall write = {});
    ~StagedOutputs();
    StagedOutputs(const StagedOutputs &) = delete;
    StagedOutputs &operator=(const StagedOutputs &) = delete;

    // An input of the run that no output may replace (the diploma, the
    // list, the template); what says what it is, e.g. "plik dyplomu".
    void protect(const QString &input, const QString &what);

    // Whether an existing file of another kind (not a PDF, not a PNG) or a
    // dangling link may be replaced, and a file that appears while the run
    // works (--nadpisz). Off by default.
    void setOverwrite(bool overwrite) { overwrite_ = overwrite; }

    // A new output for path; "-" is standard output, written as it comes.
    // Throws Failure when path is an input of the run, a diploma (.dyp),
    // already an output of this run, an existing file that may not be
    // replaced (see checkReplaceable), a link another user planted in a
    // shared folder, or when the temporary file cannot be made.
    OutputFile &stage(const QString &path);
    // The same for a file the run read and checked itself (a register it
    // adds to): replaced whatever its first bytes are.
    enum Replacing { AnyContent };
    OutputFile &stage(const QString &path, Replacing);

    // Finishes every file, then puts each in place. Without overwrite a
    // file that appeared meanwhile at a new output's name is not replaced:
    // the run fails naming it and takes back what it had put in place.
    // Throws Failure.
    void commitAll();

    int count() const { return int(files_.size()); }

    // Makes SIGINT, SIGTERM and SIGHUP remove the temporary files of the
    // outputs in progress before the program ends by them. Once, at start.
    static void removeTemporaryFilesOnInterrupt();

private:
    struct Protected {
        QString path;
        QString what;
    };
    void undo(const std::vector<OutputFile *> &placed);
    OutputFile &stageChecked(const QString &path, bool anyContent);

    WriteCall write_;
    bool overwrite_ = false;
    int held_ = 0; // replaced files held open
    std::vector<Protected> inputs_;
    std::vector<std::unique_ptr<OutputFile>> files_;
};

// A folder of a run's own intermediate files (in the system's temporary
// folder), written with every write checked as outputs are. It goes with
// everything in it when the folder object does, and when an interrupting
// signal ends the run (see removeTemporaryFilesOnInterrupt).
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    // A new, empty file name in the folder (an earlier one of that name is
    // replaced). Throws Failure when it cannot be made.
    std::unique_ptr<OutputFile> create(const QString &name);
    // Removes the file name now rather than with the folder.
    void remove(const QString &name);
    const QString &path() const { return path_; }

private:
    QString path_;
    QStringList files_;
};

} // namespace batch
