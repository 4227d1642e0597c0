#pragma once
#include <QString>
#include <QStringList>

namespace batch {

// The longest file name the file systems take, in bytes of UTF-8.
constexpr int MaxFileNameBytes = 255;

// text cut to at most maxBytes of UTF-8 between whole characters (an
// emoji or a letter with its accents is never cut in half).
QString cutToUtf8Bytes(const QString &text, int maxBytes);

// A file name made from a recipient: path separators, characters that
// Windows refuses and control characters become "_", leading and trailing
// dots and spaces go, reserved device names get a "_" in front, the length
// stays within MaxFileNameBytes; an empty result is "dyplom".
QString safeFileStem(const QString &text);

// File names stem + extension for a batch, the second and later uses of a
// stem (letter case ignored) numbered " (2)", " (3)" ...; each name, suffix
// and extension included, at most MaxFileNameBytes long.
QStringList uniqueFileNames(const QStringList &stems, const QString &extension);

// "Jan Maria Kowalski" as a register sorts it, "Kowalski Jan Maria": the
// last word first; one word stays as it is.
QString lastWordFirst(const QString &name);

} // namespace batch
