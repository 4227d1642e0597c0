#pragma once
#include "Occasions.h"

#include <QByteArray>

namespace templateart {

// How many templates the catalogue holds.
int templateCount();

// Template number n (1-based) as a placeable A4 portrait metafile. The same
// number gives the same bytes on every run.
QByteArray makeTemplate(int n);

// What template n is for and its suggested layout.
DesignInfo designInfo(int n);

} // namespace templateart
