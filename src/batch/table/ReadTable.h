#pragma once
#include "Table.h"

namespace batch {

// Reads a class list from a file, whatever its kind: a spreadsheet when its
// first bytes say so (isSpreadsheet), else a text list (readTextTable).
// Throws TableError naming path: a file that is missing or unreadable, too
// large, or wrong at a line or cell.
Table readTable(const QString &path, const ReadOptions &options, const ReadLimits &limits = {});

} // namespace batch
