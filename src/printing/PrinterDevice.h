#pragma once
#include "editor/TextBlockStyle.h"

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace wmf {
class Metafile;
}

namespace printing {

// A printing failure the user is told about (Polish text in what()).
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit PrintError(const QString &text) : std::runtime_error(text.toStdString()) {}
};

// A rectangle in device units; right and bottom are exclusive.
struct DeviceRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool operator==(const DeviceRect &o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The few things the print command asks of a printer. Device units are dots
// with the origin at the top-left corner of the printable area.
class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;

    virtual std::int32_t logPixelsX() = 0; // dots per inch across
    virtual std::int32_t logPixelsY() = 0; // dots per inch down
    virtual std::int32_t horzRes() = 0;    // printable width in dots
    virtual std::int32_t vertRes() = 0;    // printable height in dots

    // Starts a document and its only page; throws PrintError when the job
    // cannot be started.
    virtual void beginJob(const QString &documentName) = 0;
    // Ends the page and the document, which then goes to the printer.
    virtual void endJob() = 0;
    // Drops an open job after a failure, so that a later job can start.
    virtual void abortJob() = 0;

    // The whole picture scaled into rect, independently in width and height.
    virtual void stretchDraw(const DeviceRect &rect, const wmf::Metafile &picture) = 0;

    virtual void setFontColour(editor::ColourValue colour) = 0;
    virtual void setFontName(const QString &name) = 0;
    virtual void setFontStyle(std::uint8_t style) = 0;
    virtual void setFontSize(std::int32_t points) = 0;

    // One line with the top-left corner of its cell at (x, y); the cell is
    // painted opaque white, so the text hides what lies beneath it.
    virtual void textOut(std::int32_t x, std::int32_t y, const QString &text) = 0;
    // Whether text cells are painted white (the default) for the open job;
    // devices that cannot draw transparent text ignore it.
    virtual void setTextBackground(bool) {}
};

// Character height in dots of a font of the given size in points.
std::int32_t characterHeight(std::int32_t points, std::int32_t logPixelsY);

} // namespace printing
