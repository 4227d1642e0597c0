#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

namespace wzory {

// Decodes a picture (PNG, JPEG, GIF, BMP…) for a design, refusing before
// decoding what is too large, and afterwards what is truncated or damaged
// (decoders fill a missing end with grey and call it a success). Throws
// ImportError naming `name`.
QImage decodeImage(const QByteArray &bytes, const QString &name);

// The image format of the bytes ("png", "jpeg"…), empty when none is known.
QByteArray imageFormat(const QByteArray &bytes);

} // namespace wzory
