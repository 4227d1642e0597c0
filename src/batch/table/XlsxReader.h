#pragma once
#include "Table.h"

namespace batch {

class ZipEntries;

// One sheet of an Office Open XML workbook (.xlsx): the first visible one,
// or the one named in options.sheet.
Table readXlsx(ZipEntries &zip, const ReadOptions &options, const ReadLimits &limits);

} // namespace batch
