#pragma once
#include "printing/PrinterDevice.h"

#include <QColor>
#include <QFont>

class QPainter;
class QPaintDevice;

namespace printing {

// The drawing half of a printer device: template, fonts and text cells on
// a QPainter whose coordinates are the printer's dots, origin at the
// top-left corner of the printable area. Subclasses own the job.
class PainterDevice : public PrinterDevice {
public:
    void stretchDraw(const DeviceRect &rect, const wmf::Metafile &picture) override;

    void setFontColour(editor::ColourValue colour) override;
    void setFontName(const QString &name) override;
    void setFontStyle(std::uint8_t style) override;
    void setFontSize(std::int32_t points) override;

    void textOut(std::int32_t x, std::int32_t y, const QString &text) override;
    void setTextBackground(bool on) override { textBackground_ = on; }

    // Texts of the current job whose cell does not lie wholly inside the
    // printable area.
    const QStringList &textsOffThePage() const { return offThePage_; }

protected:
    // The painter of the open job; nullptr when no job is open.
    virtual QPainter *jobPainter() = 0;
    // Called by subclasses once a job's painter is ready.
    void startDrawing(QPainter &painter);

private:
    QFont font_;
    QColor colour_ = Qt::black;
    QStringList offThePage_;
    bool textBackground_ = true;
};

} // namespace printing
