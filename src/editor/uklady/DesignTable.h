#pragma once
// Reading the table of every design's occasion and suggested layout.
#include "Occasions.h"

#include <QByteArray>
#include <QMap>

namespace uklady {

// The name of the table beside the templates folder (not BDR_*.wmf, so the
// template listers pass it by).
inline const char *const LayoutTableName = "wzory-uklady.json";

// The occasion of a table's "occasion" key; General for an unknown one.
Occasion occasionOf(const QString &key);

// Number to design; an empty map and a Polish message in *error when the
// table is unreadable.
QMap<int, DesignInfo> readLayoutTable(const QByteArray &json, QString *error);

// The table beside templatesFolder; empty without *error when there is none.
QMap<int, DesignInfo> layoutTableFor(const QString &templatesFolder, QString *error);

// The first of the fonts that is installed, else the last (a font every
// system has).
QString firstInstalledFont(const QStringList &fonts);

} // namespace uklady
