#pragma once
// A new diploma laid out as a design suggests: its heading, name and body in
// the suggested fonts, sizes, colours and places.
#include "diplomafile/DiplomaRecord.h"
#include "editor/uklady/DesignTable.h"

#include <QSizeF>
#include <QString>

namespace klasa {

// The A4 page a diploma's positions are fractions of.
constexpr double PageWidthMm = 210, PageHeightMm = 297;

// That page turned as the design is drawn (a landscape design is printed on
// landscape paper), in mm.
QSizeF pageMmOf(const uklady::DesignInfo &design);

// The diploma on design number: each text centred in its box, the body
// wrapped to its box's width in up to six lines. A font not installed gives
// way to the next of its list, the last being one every system has. The
// lead ("dla") has no block of its own in a diploma and stays out.
diplomafile::DiplomaContent diplomaFromDesign(int number, const uklady::DesignInfo &design);

// A file in folder named after title (characters a file name cannot hold
// left out), with " (2)", " (3)" … when the name is taken.
QString freeDiplomaPath(const QString &folder, const QString &title);

// Writes content as a new file of folder named after title (never over
// another) and returns its path; a Polish message as std::runtime_error.
QString writeNewDiploma(const QString &folder, const QString &title, const diplomafile::DiplomaContent &content);

} // namespace klasa
