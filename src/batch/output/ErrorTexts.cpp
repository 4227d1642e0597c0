#include "ErrorTexts.h"

#include "batch/Texts.h"
#include "platform/IoError.h"
#include "platform/SystemErrorText.h"
#include "wmf/Metafile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace batch {

QString systemErrorText(int err)
{
    return platform::systemErrorText(err);
}

QString ioErrorText(int ioCode)
{
    return platform::ioErrorText(ioCode);
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

} // namespace batch
