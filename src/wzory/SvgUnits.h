#pragma once
#include <QString>
#include <QStringView>

namespace wzory {

// px per unit at 96 per inch for in, cm, mm, pt, pc and px (or none); 0 for
// any other unit (em, %: relative, left as they are).
double pxPerUnit(QStringView unit);

// The document with every length in absolute units (in, cm, mm, pt, pc, px)
// in the drawing's geometry and strokes, in attributes and style attributes,
// written as plain user units: in SVG a millimetre is 96 / 25.4 user units
// whatever the viewBox, but Qt's renderer takes "8mm" as 8 or ignores it.
// Tags before `from` (the root element) are left alone.
QString withUserUnits(const QString &text, qsizetype from);

} // namespace wzory
