#pragma once
#include "TextBlockStyle.h"

#include <QtGlobal>

class QLabel;

namespace editor {

// The preview shows fonts at a third of their size.
std::int32_t previewFontSize(std::int32_t size);
// Distance between body lines, in preview units and in printed millimetres.
std::int32_t bodyLineStep(std::int32_t bodySize);

// Gives a preview label the block's font: name, colour, style, then a third
// of the size.
void applyPreviewFont(QLabel *label, const TextBlockStyle &style);

} // namespace editor
