#pragma once
#include <QByteArray>

namespace templateart {

// How many templates the catalogue holds.
int templateCount();

// Template number n (1-based) as a placeable A4 portrait metafile. The same
// number gives the same bytes on every run.
QByteArray makeTemplate(int n);

} // namespace templateart
