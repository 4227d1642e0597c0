#pragma once
#include "Table.h"

#include <QByteArray>

namespace batch {

// One sheet of a legacy Excel workbook (.xls, BIFF in an OLE2 compound file):
// the first, or the one named in options.sheet. libfreexl reads it in a child
// process with bounded memory and time: it allocates a cell for every cell a
// sheet declares (a 5 kB file can ask for 268 MB per sheet), and a damaged
// file that crashes it must not take the program along.
Table readXls(const QByteArray &bytes, const QString &fileName, const ReadOptions &options, const ReadLimits &limits);

// The same, in this process and without those bounds (for the fuzz target,
// whose coverage and sanitizers must see libfreexl).
Table readXlsHere(const QByteArray &bytes, const QString &fileName, const ReadOptions &options, const ReadLimits &limits);

} // namespace batch
