#include "ZipFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSet>

#include "platform/SystemErrorText.h"

#include <cerrno>
#include <zip.h>

namespace backup {
namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString errorOf(zip_error_t *error)
{
    return zipErrorText(zip_error_code_zip(error),
                        zip_error_system_type(error) == ZIP_ET_SYS ? zip_error_code_system(error) : 0);
}

// A ZIP whose directory at the end is gone still starts with a file header.
bool startsLikeZip(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(4) == QByteArray("PK\x03\x04", 4);
}

} // namespace

QString zipErrorText(int zipError, int systemError)
{
    QString text;
    switch (zipError) {
    case ZIP_ER_NOZIP: text = QStringLiteral("to nie jest archiwum ZIP"); break;
    case ZIP_ER_CRC: text = QStringLiteral("błędna suma kontrolna CRC"); break;
    case ZIP_ER_INCONS: text = QStringLiteral("niespójna budowa archiwum"); break;
    case ZIP_ER_EOF: text = QStringLiteral("archiwum urywa się przed końcem"); break;
    case ZIP_ER_COMPRESSED_DATA:
    case ZIP_ER_ZLIB: text = QStringLiteral("uszkodzone skompresowane dane"); break;
    case ZIP_ER_EXISTS: text = QStringLiteral("plik już istnieje"); break;
    case ZIP_ER_NOENT: text = QStringLiteral("nie ma takiego pliku"); break;
    case ZIP_ER_OPEN: text = QStringLiteral("nie można otworzyć pliku"); break;
    case ZIP_ER_READ: text = QStringLiteral("błąd odczytu"); break;
    case ZIP_ER_WRITE: text = QStringLiteral("błąd zapisu"); break;
    case ZIP_ER_SEEK: text = QStringLiteral("błąd przesuwania w pliku"); break;
    case ZIP_ER_TMPOPEN: text = QStringLiteral("nie można utworzyć pliku tymczasowego"); break;
    case ZIP_ER_RENAME: text = QStringLiteral("nie można zmienić nazwy pliku"); break;
    case ZIP_ER_CLOSE: text = QStringLiteral("nie można zamknąć pliku"); break;
    case ZIP_ER_MEMORY: text = QStringLiteral("za mało pamięci"); break;
    case ZIP_ER_RDONLY: text = QStringLiteral("archiwum tylko do odczytu"); break;
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_ENCRNOTSUPP: text = QStringLiteral("nieobsługiwana metoda kompresji lub szyfrowania"); break;
    case ZIP_ER_CANCELLED: text = QStringLiteral("przerwano"); break;
    default: text = QStringLiteral("błąd archiwum nr %1").arg(zipError); break;
    }
    if (systemError > 0 && zipError != ZIP_ER_ZLIB)
        text += QStringLiteral(": ") + platform::systemErrorText(systemError);
    return text;
}

QString archiveErrorText(zip *archive)
{
    return errorOf(zip_get_error(archive));
}

ZipReader::ZipReader(const QString &path) : path_(path)
{
    int code = 0;
    archive_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive_) {
        if (code == ZIP_ER_NOZIP && !startsLikeZip(path))
            throw BackupError(QStringLiteral("Plik %1 nie jest archiwum ZIP.").arg(shown(path)));
        if (code == ZIP_ER_OPEN || code == ZIP_ER_READ || code == ZIP_ER_NOENT)
            throw BackupError(
                QStringLiteral("Nie można odczytać pliku %1 (%2).").arg(shown(path), zipErrorText(code, errno)));
        throw BackupError(QStringLiteral("Archiwum %1 jest uszkodzone (%2).").arg(shown(path), zipErrorText(code)));
    }
}

ZipReader::~ZipReader()
{
    if (archive_)
        zip_discard(archive_);
}

qint64 ZipReader::entryCount() const
{
    return zip_get_num_entries(archive_, 0);
}

QStringList ZipReader::names() const
{
    QStringList list;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive_, 0); ++i) {
        const char *name = zip_get_name(archive_, i, ZIP_FL_ENC_GUESS);
        list << (name ? QString::fromUtf8(name) : QString());
    }
    return list;
}

bool ZipReader::contains(const QString &name) const
{
    return zip_name_locate(archive_, name.toUtf8().constData(), ZIP_FL_ENC_GUESS) >= 0;
}

qint64 ZipReader::declaredSize(const QString &name) const
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(archive_, name.toUtf8().constData(), ZIP_FL_ENC_GUESS, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
        return -1;
    return static_cast<qint64>(st.size);
}

void ZipReader::stream(const QString &name, const std::function<void(const char *, qint64)> &piece) const
{
    const auto damaged = [&](const QString &why) {
        return BackupError(QStringLiteral("Plik %1 w archiwum %2 jest uszkodzony (%3).").arg(name, shown(path_), why));
    };
    const zip_int64_t index = zip_name_locate(archive_, name.toUtf8().constData(), ZIP_FL_ENC_GUESS);
    if (index < 0)
        throw BackupError(QStringLiteral("W archiwum %1 brak pliku %2.").arg(shown(path_), name));
    zip_file_t *file = zip_fopen_index(archive_, index, 0);
    if (!file)
        throw damaged(errorOf(zip_get_error(archive_)));
    char buffer[64 * 1024];
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            const QString why = errorOf(zip_file_get_error(file));
            zip_fclose(file);
            throw damaged(why);
        }
        if (n == 0)
            break;
        try {
            piece(buffer, n);
        } catch (...) {
            zip_fclose(file);
            throw;
        }
    }
    const int closed = zip_fclose(file);
    if (closed != 0)
        throw damaged(zipErrorText(closed));
}

QByteArray ZipReader::read(const QString &name, qint64 limit) const
{
    QByteArray bytes;
    stream(name, [&](const char *data, qint64 size) {
        if (bytes.size() + size > limit)
            throw BackupError(QStringLiteral("Plik %1 w archiwum %2 jest za duży.").arg(name, shown(path_)));
        bytes.append(data, size);
    });
    return bytes;
}

Manifest ZipReader::manifest() const
{
    if (!contains(ManifestName))
        throw BackupError(QStringLiteral("Archiwum %1 nie jest kopią utworzoną przez Ochronę danych (brak spisu %2): "
                                         "nic nie zostało zmienione.")
                              .arg(shown(path_), ManifestName));
    return decodeManifest(read(ManifestName, 64 * 1024 * 1024), shown(path_));
}

void checkDeclaredSizes(const ZipReader &reader, const Manifest &manifest)
{
    for (const ManifestEntry &e : manifest.entries) {
        if (reader.declaredSize(e.name) != e.size)
            throw BackupError(QStringLiteral("Plik %1 w archiwum %2 ma inny rozmiar, niż podaje spis kopii (archiwum "
                                             "uszkodzone lub podrobione): nic nie zostało zmienione.")
                                  .arg(e.name, shown(reader.path())));
    }
}

void verifyArchive(const ZipReader &reader, const Manifest &manifest, const ProgressFn &progress)
{
    QSet<QString> listed{ManifestName};
    for (const ManifestEntry &e : manifest.entries)
        listed.insert(e.name);
    for (const QString &name : reader.names()) {
        if (!listed.contains(name))
            throw BackupError(
                QStringLiteral("Archiwum %1 zawiera plik %2 spoza spisu kopii.").arg(shown(reader.path()), name));
    }
    const qint64 total = manifest.totalBytes();
    qint64 done = 0;
    for (const ManifestEntry &e : manifest.entries) {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        qint64 size = 0;
        reader.stream(e.name, [&](const char *data, qint64 n) {
            hash.addData(QByteArrayView(data, n));
            size += n;
            done += n;
            if (progress && !progress(done, total))
                throw Cancelled();
        });
        if (size != e.size || hash.result().toHex() != e.sha256)
            throw BackupError(QStringLiteral("Plik %1 w archiwum %2 różni się od oryginału (rozmiar lub suma kontrolna).")
                                  .arg(e.name, shown(reader.path())));
    }
}

} // namespace backup
