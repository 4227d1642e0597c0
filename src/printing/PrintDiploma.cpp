#include "printing/PrintDiploma.h"

#include "printing/Drukarka.h"
#include "printing/PrintLayout.h"

#include <exception>
#include <limits>

namespace printing {

namespace {

void setFont(PrinterDevice &device, const editor::TextBlockStyle &style)
{
    device.setFontColour(style.colour);
    device.setFontName(style.fontName);
    device.setFontStyle(style.style);
    device.setFontSize(style.size);
}

std::int32_t lineY(std::int32_t y, std::int32_t step, int index)
{
    const std::int64_t value = std::int64_t(y) + std::int64_t(index) * step;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

void printTexts(PrinterDevice &device, const PrintInput &input)
{
    const PrinterGrid &grid = printerGrid();

    setFont(device, input.heading);
    DrukujTekst(blockX(grid.pageWidthMm, input.heading.left), blockY(grid.pageHeightMm, input.heading.top),
                input.texts.heading);

    setFont(device, input.body);
    const std::int32_t x = blockX(grid.pageWidthMm, input.body.left);
    const std::int32_t y = blockY(grid.pageHeightMm, input.body.top);
    const std::int32_t step = editor::bodyLineStep(input.body.size);
    for (int k = 0; k < 6; ++k)
        DrukujTekst(input.bodyLeft[k] ? blockX(grid.pageWidthMm, *input.bodyLeft[k]) : x, lineY(y, step, k),
                    input.texts.body[k]);

    // The recipient comes last although it stands above the body.
    setFont(device, input.recipient);
    DrukujTekst(blockX(grid.pageWidthMm, input.recipient.left), blockY(grid.pageHeightMm, input.recipient.top),
                input.texts.recipient);
}

} // namespace

void printDiploma(PrinterDevice &device, const PrintInput &input)
{
    PrinterSelection selection(device);

    const std::int64_t shiftLeft = std::int64_t(input.templateLeft) * TemplateShiftUnit;
    const std::int64_t shiftTop = std::int64_t(input.templateTop) * TemplateShiftUnit;

    UstawDrukarke();
    device.beginJob(QString());
    device.setTextBackground(input.textBackground);

    // A broken template must not cost the sheet: the texts still print and
    // the failure is reported once the job has gone out.
    std::exception_ptr templateFailure;
    try {
        const DeviceRect rect = templateRectangle(device.horzRes(), device.vertRes(), shiftLeft, shiftTop);
        if (!input.picture.isEmpty())
            device.stretchDraw(rect, input.picture);
    } catch (...) {
        templateFailure = std::current_exception();
    }

    try {
        printTexts(device, input);
    } catch (...) {
        device.abortJob();
        throw;
    }
    device.endJob();

    if (templateFailure)
        std::rethrow_exception(templateFailure);
}

} // namespace printing
