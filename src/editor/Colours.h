#pragma once
#include "TextBlockStyle.h"

#include <QColor>
#include <QPalette>

namespace editor {

// A colour value as drawn: plain 0x00BBGGRR, or a system colour (top byte
// 0xFF) resolved through the palette.
QColor toQColor(ColourValue value, const QPalette &palette);
// The plain colour value of a QColor.
ColourValue fromQColor(const QColor &colour);

} // namespace editor
