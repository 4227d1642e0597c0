#include "printing/Drukarka.h"

#include "platform/Rounding.h"

#include <limits>

namespace printing {

namespace {

// Per thread: the class window draws a preview while it saves, each print
// command on a thread of its own.
thread_local PrinterGrid grid;
thread_local PrinterDevice *selected = nullptr;

std::int32_t clampToInt32(std::int64_t value)
{
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

} // namespace

const PrinterGrid &printerGrid()
{
    return grid;
}

std::int32_t dotsPerMillimetre(std::int32_t dpi)
{
    return platform::Round(static_cast<long double>(dpi) / 25.0L);
}

PrinterSelection::PrinterSelection(PrinterDevice &device) : previous_(selected)
{
    selected = &device;
}

PrinterSelection::~PrinterSelection()
{
    selected = previous_;
}

PrinterDevice &currentPrinter()
{
    if (!selected)
        throw PrintError(QStringLiteral("Nie wybrano drukarki."));
    return *selected;
}

void UstawDrukarke()
{
    PrinterDevice &printer = currentPrinter();
    grid.horizontalResolution_ = printer.logPixelsX();
    grid.verticalResolution_ = printer.logPixelsY();
    grid.printableHeight_ = printer.vertRes();
    grid.printableWidth_ = printer.horzRes();
    grid.horizontalDotsPerMm_ = dotsPerMillimetre(grid.horizontalResolution_);
    grid.verticalDotsPerMm_ = dotsPerMillimetre(grid.verticalResolution_);

    // Below 13 dpi an axis has no whole dot per millimetre; the page size
    // would be a division by zero.
    if (grid.horizontalDotsPerMm_ <= 0 || grid.verticalDotsPerMm_ <= 0)
        throw PrintError(QStringLiteral("Drukarka podaje rozdzielczość %1 × %2 dpi; do wydruku potrzeba co "
                                        "najmniej 13 punktów na cal w każdym kierunku.")
                             .arg(grid.horizontalResolution_)
                             .arg(grid.verticalResolution_));

    grid.pageHeightMm = platform::Round(static_cast<long double>(grid.printableHeight_) / grid.verticalDotsPerMm_);
    grid.pageWidthMm = platform::Round(static_cast<long double>(grid.printableWidth_) / grid.horizontalDotsPerMm_);
}

void DrukujTekst(std::int32_t x, std::int32_t y, const QString &text)
{
    // Points far beyond the page are kept far beyond it rather than
    // wrapped around onto the sheet.
    const std::int32_t dx = clampToInt32(std::int64_t(x) * grid.horizontalDotsPerMm_);
    const std::int32_t dy = clampToInt32(std::int64_t(y) * grid.verticalDotsPerMm_);
    currentPrinter().textOut(dx, dy, text);
}

} // namespace printing
