#pragma once
#include "Table.h"

#include <QByteArray>

namespace batch {

// One sheet of a legacy Excel workbook (.xls, BIFF in an OLE2 compound file):
// the first, or the one named in options.sheet.
Table readXls(const QByteArray &bytes, const QString &fileName, const ReadOptions &options, const ReadLimits &limits);

} // namespace batch
