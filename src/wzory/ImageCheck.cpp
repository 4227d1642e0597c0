#include "ImageCheck.h"

#include "Import.h"
#include "ImportError.h"

#include <QBuffer>
#include <QImageReader>

namespace wzory {

namespace {

// Whether the bytes end as the format requires: a JPEG with its end
// marker, a PNG with its last chunk, a GIF with its trailer.
bool complete(const QByteArray &bytes, const QByteArray &format)
{
    QByteArray tail = bytes.right(64);
    while (!tail.isEmpty() && (tail.back() == '\0' || tail.back() == '\n' || tail.back() == '\r' || tail.back() == ' '))
        tail.chop(1);
    if (format == "jpeg" || format == "jpg")
        return tail.endsWith("\xFF\xD9");
    if (format == "png")
        return tail.contains("IEND");
    if (format == "gif")
        return tail.endsWith(';');
    return true;
}

} // namespace

QByteArray imageFormat(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader::imageFormat(&buffer);
}

QImage decodeImage(const QByteArray &bytes, const QString &name)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kRasterAllocationMb);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    const QSize size = reader.size();
    if (format.isEmpty() || !size.isValid() || size.isEmpty())
        throw ImportError(QStringLiteral("%1: nie można odczytać obrazu (%2)").arg(name, reader.errorString()));
    if (qint64(size.width()) * size.height() > kMaxRasterPixels)
        throw ImportError(QStringLiteral("%1: obraz ma %2 × %3 pikseli, najwyżej %4 milionów")
                              .arg(name)
                              .arg(size.width())
                              .arg(size.height())
                              .arg(kMaxRasterPixels / 1000000));
    if (!complete(bytes, format))
        throw ImportError(QStringLiteral("%1: obraz jest niepełny albo uszkodzony (plik się urywa)").arg(name));
    QImage image = reader.read();
    if (image.isNull())
        throw ImportError(QStringLiteral("%1: nie można odczytać obrazu (%2)").arg(name, reader.errorString()));
    return image;
}

} // namespace wzory
