#pragma once
#include "Table.h"

namespace batch {

class ZipEntries;

// One table of an OpenDocument spreadsheet (.ods): the first, or the one
// named in options.sheet.
Table readOds(ZipEntries &zip, const ReadOptions &options, const ReadLimits &limits);

} // namespace batch
