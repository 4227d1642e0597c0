#pragma once
#include "wmf/Metafile.h"

#include <QByteArray>
#include <QPaintDevice>
#include <QSizeF>
#include <QTransform>
#include <memory>

namespace wmf {

class MetafilePaintEngine;

// What a conversion wrote, for reports and tests.
struct MetafileStats {
    int vectorRecords = 0; // polygons, polylines
    int bitmapRecords = 0; // DIBs: images, and what a metafile cannot draw
    qint64 bitmapPixels = 0;
};

// A sheet of paper as a QPaintDevice: whatever a QPainter draws on it becomes
// a placeable metafile. Solid fills and strokes stay vector (curves flattened
// to a fraction of a 600 dpi dot, text as outlines); gradients, patterns,
// transparency and rotated images become bitmaps of the area they touch, at
// the device's pixel resolution. Opaque upright images keep their own pixels
// up to imageDpi.
class MetafilePaintDevice : public QPaintDevice {
public:
    struct Settings {
        QSizeF sizeMm{210.0, 297.0};
        int unitsPerInch = 1440;
        int pixelDpi = 200; // device pixels, and bitmaps of what has no vector form
        int imageDpi = 300; // the most an embedded image keeps
        qint64 maxBytes = Metafile::MaxFileBytes;
    };

    MetafilePaintDevice();
    explicit MetafilePaintDevice(const Settings &settings);
    ~MetafilePaintDevice() override;

    QPaintEngine *paintEngine() const override;

    // The metafile, once every painter on the device has ended. Throws
    // MetafileError when the drawing would exceed maxBytes.
    QByteArray finish() const;
    MetafileStats stats() const;
    const Settings &settings() const { return settings_; }

    // Maps whatever painters draw afterwards, after their own transform, and
    // cuts it to a rectangle of the sheet (device pixels). For drawing code
    // that sets absolute transforms of its own, as PDF renderers do.
    void setPlacement(const QTransform &transform, const QRectF &clip);

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    Settings settings_;
    std::unique_ptr<MetafilePaintEngine> engine_;
};

} // namespace wmf
