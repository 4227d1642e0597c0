#include "IoError.h"

#include <cerrno>

namespace platform {

IoError::IoError(int code) : std::runtime_error(textFor(code).toStdString()), code_(code) {}

QString IoError::textFor(int code)
{
    switch (code) {
    case IoCode::FileNotFound: return QStringLiteral("File not found");
    case IoCode::InvalidFilename: return QStringLiteral("Invalid filename");
    case IoCode::TooManyOpenFiles: return QStringLiteral("Too many open files");
    case IoCode::AccessDenied: return QStringLiteral("File access denied");
    case IoCode::ReadBeyondEnd: return QStringLiteral("Read beyond end of file");
    case IoCode::DiskFull: return QStringLiteral("Disk full");
    case IoCode::InvalidNumericInput: return QStringLiteral("Invalid numeric input");
    default: return QStringLiteral("I/O error %1").arg(code);
    }
}

int IoError::codeForErrno(int err)
{
    switch (err) {
    case ENOENT: return IoCode::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return IoCode::InvalidFilename;
    case EMFILE:
    case ENFILE: return IoCode::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
    case ETXTBSY: return IoCode::AccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return IoCode::DiskFull;
    default: return err;
    }
}

void IoError::raiseFromErrno(int err)
{
    throw IoError(codeForErrno(err));
}

} // namespace platform
