#pragma once
#include "editor/PreviewRules.h" // bodyLineStep: the preview and the page share it
#include "printing/PrinterDevice.h"

#include <cstdint>

// Where the print command puts things on the page.
namespace printing {

// The largest 210:297 rectangle inside a printable area of pw x ph dots, at
// its top-left corner, moved by the template shift (dots). Widths and
// heights are worked out in single precision. Throws PrintError when the
// shifted rectangle leaves the range of device coordinates.
DeviceRect templateRectangle(std::int32_t pw, std::int32_t ph, std::int64_t shiftLeft, std::int64_t shiftTop);

// A block's left margin (preview units, 200 across the page) in millimetres.
std::int32_t blockX(std::int32_t pageWidthMm, std::int32_t left);
// A block's top margin (preview units, 280 down the page) in millimetres.
std::int32_t blockY(std::int32_t pageHeightMm, std::int32_t top);

// One step of the template position spin edits in device units.
constexpr std::int64_t TemplateShiftUnit = 12;

} // namespace printing
