#pragma once
// The table of every design's occasion and suggested layout, as JSON (read
// back by uklady::readLayoutTable).
#include "Occasions.h"

#include <QByteArray>

namespace templateart {

QByteArray layoutTable();

} // namespace templateart
