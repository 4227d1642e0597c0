#pragma once
#include "printing/PainterDevice.h"

#include <QPainter>

class QPrinter;

namespace printing {

// The printer device on a QPrinter (a CUPS queue or a PDF file). Device
// units are the printer's pixels with the origin at the top-left corner of
// the printable area. With pagesPerJob, every job after the first becomes
// a new page of one document, ended by finish().
class QtPrinterDevice : public PainterDevice {
public:
    explicit QtPrinterDevice(QPrinter &printer, bool pagesPerJob = false);
    ~QtPrinterDevice() override;

    std::int32_t logPixelsX() override;
    std::int32_t logPixelsY() override;
    std::int32_t horzRes() override;
    std::int32_t vertRes() override;

    void beginJob(const QString &documentName) override;
    void endJob() override;
    void abortJob() override;

    // Ends the document of a device with pagesPerJob.
    void finish();

    bool jobOpen() const { return painter_.isActive(); }

protected:
    QPainter *jobPainter() override { return painter_.isActive() ? &painter_ : nullptr; }

private:
    QPrinter &printer_;
    QPainter painter_;
    bool pagesPerJob_;
    QFont firstFont_;
    int pages_ = 0;
};

} // namespace printing
