#pragma once
#include <QString>
#include <QStringList>

namespace druk {

// A file name made from a recipient: path separators, characters that
// Windows refuses and control characters become "_", leading and trailing
// dots and spaces go, reserved device names get a "_" in front, the length
// stays within 100 characters; an empty result is "dyplom".
QString safeFileStem(const QString &text);

// File names stem + extension for a batch, the second and later uses of a
// stem (letter case ignored) numbered " (2)", " (3)" ...
QStringList uniqueFileNames(const QStringList &stems, const QString &extension);

} // namespace druk
