#include "WmfFuzzEntry.h"

#include "wmf/Metafile.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>

int wmfFuzzOne(const uint8_t *data, size_t size)
{
    if (size > 1024 * 1024)
        return 0;
    try {
        const wmf::Metafile mf =
            wmf::Metafile::fromBytes(QByteArray(reinterpret_cast<const char *>(data), int(size)));
        mf.frame();
        QImage small(47, 61, QImage::Format_RGB32);
        small.fill(Qt::white);
        QPainter p(&small);
        mf.draw(p, QRectF(0, 0, 47, 61));
        mf.draw(p, QRectF(40, 50, -30, -40)); // mirrored target
    } catch (const wmf::MetafileError &) {
    }
    return 0;
}
