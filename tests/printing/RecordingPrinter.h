#pragma once
#include "printing/PrinterDevice.h"

#include <QStringList>
#include <functional>

// A printer device that records every call as one line of text, so that
// whole print runs can be compared with the expected sequence.
class RecordingPrinter : public printing::PrinterDevice {
public:
    RecordingPrinter(std::int32_t dpiX, std::int32_t dpiY, std::int32_t width, std::int32_t height)
        : dpiX_(dpiX), dpiY_(dpiY), width_(width), height_(height)
    {}

    QStringList calls;
    // Failure injection: called with the line about to be recorded; may throw.
    std::function<void(const QString &)> onCall;

    std::int32_t logPixelsX() override { return dpiX_; }
    std::int32_t logPixelsY() override { return dpiY_; }
    std::int32_t horzRes() override { return width_; }
    std::int32_t vertRes() override { return height_; }

    void beginJob(const QString &documentName) override;
    void endJob() override;
    void abortJob() override;
    void stretchDraw(const printing::DeviceRect &rect, const wmf::Metafile &picture) override;
    void setFontColour(editor::ColourValue colour) override;
    void setFontName(const QString &name) override;
    void setFontStyle(std::uint8_t style) override;
    void setFontSize(std::int32_t points) override;
    void textOut(std::int32_t x, std::int32_t y, const QString &text) override;

    bool jobOpen = false;
    // Only the text lines, as "x y text".
    QStringList texts() const;

private:
    void record(const QString &line);

    std::int32_t dpiX_, dpiY_, width_, height_;
};
