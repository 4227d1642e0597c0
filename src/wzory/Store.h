#pragma once
#include "platform/TemplateFiles.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace wzory {

constexpr int kMaxTemplateNumber = 9999;

using StoredTemplate = platform::TemplateFile;

// The folder Wzory below dir, matched without regard to letter case.
QString templateFolder(const QString &dir);

// The templates BDR_NNNN.wmf of a folder (letter case ignored), by number.
QList<StoredTemplate> storedTemplates(const QString &folder);

// The lowest number with no template; throws ImportError when all are taken.
int nextFreeNumber(const QString &folder);

// Stores bytes as template number n, creating the folder when missing. The
// file appears whole or not at all (written beside it, then linked or
// renamed into place); an existing template is replaced only with overwrite.
// Returns the path. Throws ImportError.
QString storeTemplate(const QString &folder, int number, const QByteArray &bytes, bool overwrite);

} // namespace wzory
