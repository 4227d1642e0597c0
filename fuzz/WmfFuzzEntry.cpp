#include "WmfFuzzEntry.h"

#include "wmf/Metafile.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <ctime>

namespace {

// CPU time of the preview below which every size is drawn.
constexpr double kAllSizesBelowSeconds = 0.002;

// The canvases live for the whole run: one allocation each, not one per input.
void drawOn(QImage &canvas, const wmf::Metafile &mf, bool mirrored = false)
{
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    const QRectF whole(0, 0, canvas.width(), canvas.height());
    if (mirrored)
        mf.draw(p, QRectF(whole.right() - 5, whole.bottom() - 5, -whole.width() + 10, -whole.height() + 10));
    else
        mf.draw(p, whole);
}

} // namespace

int wmfFuzzOne(const uint8_t *data, size_t size)
{
    if (size > 1024 * 1024)
        return 0;
    static QImage thumbnail(47, 61, QImage::Format_RGB32);
    static QImage preview(189, 281, QImage::Format_RGB32);
    static QImage page(496, 702, QImage::Format_RGB32); // A4 at 60 dpi
    try {
        const wmf::Metafile mf = wmf::Metafile::fromBytes(QByteArray(reinterpret_cast<const char *>(data), int(size)));
        mf.frame();
        const std::clock_t start = std::clock();
        drawOn(preview, mf);
        // The other sizes only for what the preview drew quickly: the page
        // costs a few times as much, and the slow inputs are the ones the
        // preview already shows; drawing all of them at every size kept the
        // fuzzer at a tenth of the inputs it could try. A slow one is still
        // drawn mirrored, on the thumbnail.
        const bool cheap = double(std::clock() - start) / CLOCKS_PER_SEC < kAllSizesBelowSeconds;
        drawOn(thumbnail, mf, true);
        if (cheap) {
            drawOn(preview, mf, true);
            drawOn(page, mf);
        }
    } catch (const wmf::MetafileError &) {}
    return 0;
}
