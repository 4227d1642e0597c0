#pragma once
#include "printing/PrinterDevice.h"

#include <QString>
#include <cstdint>

// Unit drukarka: measures the selected printer once per print command and
// writes texts at positions given in whole millimetres of the printed page.
namespace printing {

// The millimetre grid of the selected printer. A "millimetre" is
// Round(dpi / 25) dots (divisor 25, not 25.4).
class PrinterGrid {
public:
    std::int32_t pageHeightMm = 0; // Round(printable height / vertical dots per mm)
    std::int32_t pageWidthMm = 0;  // Round(printable width / horizontal dots per mm)

    // Read-only views of the unit's own fields.
    std::int32_t horizontalResolution() const { return horizontalResolution_; }
    std::int32_t verticalResolution() const { return verticalResolution_; }
    std::int32_t printableHeight() const { return printableHeight_; }
    std::int32_t printableWidth() const { return printableWidth_; }
    std::int32_t horizontalDotsPerMm() const { return horizontalDotsPerMm_; }
    std::int32_t verticalDotsPerMm() const { return verticalDotsPerMm_; }

private:
    friend void UstawDrukarke();
    friend void DrukujTekst(std::int32_t x, std::int32_t y, const QString &text);

    std::int32_t horizontalResolution_ = 0; // LOGPIXELSX
    std::int32_t verticalResolution_ = 0;   // LOGPIXELSY
    std::int32_t printableHeight_ = 0;      // VERTRES
    std::int32_t printableWidth_ = 0;       // HORZRES
    std::int32_t horizontalDotsPerMm_ = 0;
    std::int32_t verticalDotsPerMm_ = 0;
};

// The unit's grid (one per thread), all zero until the first print command.
const PrinterGrid &printerGrid();

// Dots per millimetre for a resolution in dots per inch.
std::int32_t dotsPerMillimetre(std::int32_t dpi);

// The printer the unit works on while a print command runs (on this
// thread). Selecting a printer lasts for the lifetime of this object.
class PrinterSelection {
public:
    explicit PrinterSelection(PrinterDevice &device);
    ~PrinterSelection();
    PrinterSelection(const PrinterSelection &) = delete;
    PrinterSelection &operator=(const PrinterSelection &) = delete;

private:
    PrinterDevice *previous_;
};

// The selected printer; throws PrintError when none is selected.
PrinterDevice &currentPrinter();

// Fills every field of the grid from the selected printer. Throws
// PrintError for a printer below 13 dpi on an axis (no whole millimetre).
void UstawDrukarke();

// Writes text with the top-left corner of its cell at the device point
// (x * horizontal dots per mm, y * vertical dots per mm) in the current font.
void DrukujTekst(std::int32_t x, std::int32_t y, const QString &text);

} // namespace printing
