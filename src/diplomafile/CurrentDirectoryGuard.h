#pragma once
#include <QDir>
#include <QString>

namespace diplomafile {

// Sets the current directory back to ProgramDir when a command ends, on
// every path including an I/O error: the file dialogs may have moved it,
// and the run history and the administrator tools work relative to it.
class CurrentDirectoryGuard {
public:
    explicit CurrentDirectoryGuard(QString programDir) : programDir_(std::move(programDir)) {}
    ~CurrentDirectoryGuard() { QDir::setCurrent(programDir_); }
    CurrentDirectoryGuard(const CurrentDirectoryGuard &) = delete;
    CurrentDirectoryGuard &operator=(const CurrentDirectoryGuard &) = delete;

private:
    QString programDir_;
};

} // namespace diplomafile
