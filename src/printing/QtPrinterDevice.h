#pragma once
#include "printing/PrinterDevice.h"

#include <QColor>
#include <QFont>
#include <QPainter>

class QPrinter;

namespace printing {

// The printer device on a QPrinter (a CUPS queue or a PDF file). Device
// units are the printer's pixels with the origin at the top-left corner of
// the printable area.
class QtPrinterDevice : public PrinterDevice {
public:
    explicit QtPrinterDevice(QPrinter &printer);
    ~QtPrinterDevice() override;

    std::int32_t logPixelsX() override;
    std::int32_t logPixelsY() override;
    std::int32_t horzRes() override;
    std::int32_t vertRes() override;

    void beginJob(const QString &documentName) override;
    void endJob() override;
    void abortJob() override;

    void stretchDraw(const DeviceRect &rect, const wmf::Metafile &picture) override;

    void setFontColour(editor::ColourValue colour) override;
    void setFontName(const QString &name) override;
    void setFontStyle(std::uint8_t style) override;
    void setFontSize(std::int32_t points) override;

    void textOut(std::int32_t x, std::int32_t y, const QString &text) override;

    // Open job, for tests and callers that print several pages.
    QPainter &painter() { return painter_; }
    bool jobOpen() const { return painter_.isActive(); }

private:
    QPrinter &printer_;
    QPainter painter_;
    QFont font_;
    QColor colour_ = Qt::black;
};

} // namespace printing
