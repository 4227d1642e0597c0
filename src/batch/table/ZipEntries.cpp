#include "ZipEntries.h"

#include "CellText.h"
#include "Table.h"

#include <zip.h>

namespace batch {

namespace {

constexpr qint64 kPiece = 64 * 1024;
// A spreadsheet's directory lists a few dozen entries; a huge one only costs memory.
constexpr quint32 kMaxDirectoryBytes = 4 * 1024 * 1024;

quint32 le(const char *p, int n)
{
    quint32 v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | quint8(p[i]);
    return v;
}

// The size the end record gives the central directory, 0 when there is no
// end record (libzip then says what is wrong).
quint32 directoryBytes(const QByteArray &bytes)
{
    const qsizetype from = qMax<qsizetype>(0, bytes.size() - (22 + 0xFFFF));
    const qsizetype at = bytes.lastIndexOf(QByteArrayLiteral("PK\x05\x06"));
    if (at < from || at + 22 > bytes.size())
        return 0;
    return le(bytes.constData() + at + 12, 4);
}

QString zipMessage(zip_error_t *error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

} // namespace

ZipEntries::ZipEntries(const QByteArray &bytes, const QString &fileName, qint64 maxInflatedBytes)
    : bytes_(bytes), fileName_(fileName), budget_(maxInflatedBytes)
{
    const quint32 dir = directoryBytes(bytes_);
    if (dir != 0xFFFFFFFF && dir > kMaxDirectoryBytes)
        fail(QStringLiteral("archiwum ZIP ma zbyt wiele elementów jak na arkusz"));
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes_.constData(), zip_uint64_t(bytes_.size()), 0, &error);
    if (source)
        archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive_) {
        if (source)
            zip_source_free(source);
        const QString why = zipMessage(&error);
        zip_error_fini(&error);
        fail(QStringLiteral("uszkodzone archiwum ZIP (%1)").arg(why));
    }
    zip_error_fini(&error);
}

ZipEntries::~ZipEntries()
{
    if (archive_)
        zip_discard(archive_);
}

void ZipEntries::fail(const QString &what) const
{
    throw TableError(QStringLiteral("%1: %2").arg(fileName_, what));
}

bool ZipEntries::contains(const QString &name) const
{
    return zip_name_locate(archive_, name.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

std::unique_ptr<ZipEntries::Stream> ZipEntries::open(const QString &name)
{
    const zip_int64_t index = zip_name_locate(archive_, name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        fail(QStringLiteral("w archiwum brak części %1").arg(name));
    zip_file_t *file = zip_fopen_index(archive_, zip_uint64_t(index), 0);
    if (!file) {
        zip_error_t *error = zip_get_error(archive_);
        if (zip_error_code_zip(error) == ZIP_ER_NOPASSWD || zip_error_code_zip(error) == ZIP_ER_WRONGPASSWD)
            fail(QStringLiteral("część %1 jest zaszyfrowana; zapisz arkusz bez hasła").arg(name));
        fail(QStringLiteral("nie można otworzyć części %1 archiwum ZIP (%2)").arg(name, zipMessage(error)));
    }
    return std::unique_ptr<Stream>(new Stream(*this, file, name));
}

QByteArray ZipEntries::readAll(const QString &name, qint64 maxBytes)
{
    const std::unique_ptr<Stream> stream = open(name);
    QByteArray all;
    for (QByteArray piece = stream->next(); !piece.isEmpty(); piece = stream->next()) {
        if (all.size() + piece.size() > maxBytes)
            fail(QStringLiteral("część %1 jest podejrzanie duża (ponad %2 kB)").arg(name).arg(maxBytes / 1024));
        all += piece;
    }
    return all;
}

ZipEntries::Stream::Stream(ZipEntries &owner, zip_file *file, const QString &name)
    : owner_(owner), file_(file), name_(name)
{}

ZipEntries::Stream::~Stream()
{
    zip_fclose(file_);
}

QByteArray ZipEntries::Stream::next()
{
    if (end_)
        return {};
    // Never ask for more than the budget allows (plus one byte, to notice going over).
    const qint64 want = qMin(kPiece, owner_.budget_ - owner_.inflated_ + 1);
    QByteArray piece(qsizetype(qMax<qint64>(want, 1)), Qt::Uninitialized);
    const zip_int64_t n = zip_fread(file_, piece.data(), zip_uint64_t(piece.size()));
    if (n < 0)
        owner_.fail(
            QStringLiteral("uszkodzona część %1 archiwum ZIP (%2)").arg(name_, zipMessage(zip_file_get_error(file_))));
    owner_.inflated_ += n;
    if (owner_.inflated_ > owner_.budget_)
        owner_.fail(QStringLiteral("po rozpakowaniu arkusz przekracza %1 — to wygląda na bombę ZIP; plik odrzucono")
                        .arg(owner_.budget_ >= 1024 * 1024
                                 ? QStringLiteral("%1 MB").arg(owner_.budget_ / (1024 * 1024))
                                 : celltext::counted(owner_.budget_, "bajt", "bajty", "bajtów")));
    if (n == 0)
        end_ = true;
    piece.truncate(qsizetype(n));
    return piece;
}

} // namespace batch
