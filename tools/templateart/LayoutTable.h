#pragma once
// The table of every design's occasion and suggested layout, as JSON, and
// reading it back.
#include "Occasions.h"

#include <QByteArray>
#include <QMap>

namespace templateart {

// The name of the table beside the templates folder (not BDR_*.wmf, so the
// template listers pass it by).
inline const char *const LayoutTableName = "wzory-uklady.json";

QByteArray layoutTable();

// Number to design; an empty map and a Polish message in *error when the
// table is unreadable.
QMap<int, DesignInfo> readLayoutTable(const QByteArray &json, QString *error);

} // namespace templateart
