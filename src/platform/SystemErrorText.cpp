#include "SystemErrorText.h"
#include "IoError.h"

#include <cerrno>

namespace platform {

QString systemErrorText(int err)
{
    switch (err) {
    case ENOENT: return QStringLiteral("nie ma takiego pliku ani katalogu");
    case EACCES:
    case EPERM: return QStringLiteral("brak dostępu");
    case EROFS: return QStringLiteral("system plików tylko do odczytu");
    case ENOSPC:
    case EDQUOT: return QStringLiteral("brak miejsca na dysku");
    case EFBIG: return QStringLiteral("plik przekroczył dozwolony rozmiar (limit rozmiaru pliku, ulimit -f)");
    case EISDIR: return QStringLiteral("to jest katalog, nie plik");
    case ENOTDIR: return QStringLiteral("część ścieżki nie jest katalogiem");
    case ENAMETOOLONG: return QStringLiteral("za długa nazwa pliku");
    case EMFILE:
    case ENFILE: return QStringLiteral("za dużo otwartych plików");
    case EEXIST: return QStringLiteral("plik już istnieje");
    case ETXTBSY:
    case EBUSY: return QStringLiteral("plik jest w użyciu");
    case ELOOP: return QStringLiteral("za dużo dowiązań symbolicznych");
    case EIO: return QStringLiteral("błąd wejścia/wyjścia");
    case EPIPE: return QStringLiteral("program czytający wyjście zakończył pracę");
    case ENOMEM: return QStringLiteral("za mało pamięci");
    case EXDEV: return QStringLiteral("plik tymczasowy jest na innym systemie plików");
    default: return QStringLiteral("błąd systemu nr %1").arg(err);
    }
}

QString ioErrorText(int ioCode)
{
    switch (ioCode) {
    case IoCode::FileNotFound: return QStringLiteral("nie ma takiego pliku");
    case IoCode::InvalidFilename: return QStringLiteral("nieprawidłowa nazwa pliku");
    case IoCode::TooManyOpenFiles: return QStringLiteral("za dużo otwartych plików");
    case IoCode::AccessDenied: return QStringLiteral("brak dostępu do pliku");
    case IoCode::ReadBeyondEnd: return QStringLiteral("plik jest za krótki");
    case IoCode::DiskFull: return QStringLiteral("brak miejsca na dysku");
    case IoCode::InvalidNumericInput: return QStringLiteral("nieprawidłowa liczba w pliku");
    default: return systemErrorText(ioCode);
    }
}

} // namespace platform
