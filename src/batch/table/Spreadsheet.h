#pragma once
#include "Table.h"

#include <QByteArray>

namespace batch {

// Whether the bytes are a spreadsheet this library reads (.xlsx, .ods: a zip
// container; .xls: an OLE2 compound file), judged by content, not by name.
bool isSpreadsheet(const QByteArray &firstBytes);

// Reads one sheet of a spreadsheet file. Throws TableError naming fileName.
Table readSpreadsheet(const QByteArray &bytes, const QString &fileName, const ReadOptions &options,
                      const ReadLimits &limits = {});

} // namespace batch
