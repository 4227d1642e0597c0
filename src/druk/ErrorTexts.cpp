#include "ErrorTexts.h"

#include "batch/Texts.h"
#include "platform/IoError.h"
#include "wmf/Metafile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace druk {

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
    case platform::IoCode::FileNotFound: return QStringLiteral("nie ma takiego pliku");
    case platform::IoCode::InvalidFilename: return QStringLiteral("nieprawidłowa nazwa pliku");
    case platform::IoCode::TooManyOpenFiles: return QStringLiteral("za dużo otwartych plików");
    case platform::IoCode::AccessDenied: return QStringLiteral("brak dostępu do pliku");
    case platform::IoCode::ReadBeyondEnd: return QStringLiteral("plik jest za krótki");
    case platform::IoCode::DiskFull: return QStringLiteral("brak miejsca na dysku");
    case platform::IoCode::InvalidNumericInput: return QStringLiteral("nieprawidłowa liczba w pliku");
    default: return systemErrorText(ioCode);
    }
}

QString openFailureText(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return systemErrorText(errno);
    ::close(fd);
    return QStringLiteral("nie można odczytać pliku");
}

QString metafileErrorText(const char *what)
{
    const QString text = QString::fromUtf8(what);
    if (text == QLatin1String("not a metafile"))
        return QStringLiteral("to nie jest metaplik WMF");
    static const QLatin1String damaged("damaged metafile");
    if (!text.startsWith(damaged))
        return QStringLiteral("uszkodzony metaplik");
    QString detail = text.mid(damaged.size());
    if (detail.startsWith(QLatin1String(": ")))
        detail.remove(0, 2);
    if (detail == QLatin1String("the file is too large"))
        return QStringLiteral("uszkodzony metaplik: plik jest za duży");
    if (detail == QLatin1String("the records are cut short or broken"))
        return QStringLiteral("uszkodzony metaplik: rekordy są ucięte lub uszkodzone");
    // A detail the reader adds later stays out rather than in English.
    return QStringLiteral("uszkodzony metaplik");
}

QString exceptionText(const std::exception &e)
{
    if (const auto *io = dynamic_cast<const platform::IoError *>(&e))
        return ioErrorText(io->code());
    if (dynamic_cast<const wmf::MetafileError *>(&e))
        return metafileErrorText(e.what());
    if (dynamic_cast<const std::bad_alloc *>(&e))
        return QStringLiteral("za mało pamięci");
    return QString::fromUtf8(e.what());
}

QString quotedForMessage(const QString &text, int maxChars)
{
    return batch::quoted(text, maxChars);
}

} // namespace druk
