#include "wmf/MetafilePaintDevice.h"

#include "wmf/MetafilePaintEngine.h"

#include <climits>
#include <cmath>

namespace wmf {

MetafilePaintDevice::MetafilePaintDevice() : MetafilePaintDevice(Settings{}) {}

MetafilePaintDevice::MetafilePaintDevice(const Settings &settings)
    : settings_(settings), engine_(std::make_unique<MetafilePaintEngine>(settings))
{}

MetafilePaintDevice::~MetafilePaintDevice() = default;

QPaintEngine *MetafilePaintDevice::paintEngine() const
{
    return engine_.get();
}

QByteArray MetafilePaintDevice::finish() const
{
    return engine_->finish();
}

void MetafilePaintDevice::setPlacement(const QTransform &transform, const QRectF &clip)
{
    engine_->setPlacement(transform, clip);
}

MetafileStats MetafilePaintDevice::stats() const
{
    return engine_->stats();
}

int MetafilePaintDevice::metric(PaintDeviceMetric m) const
{
    switch (m) {
    case PdmWidth: return engine_->pixelSize().width();
    case PdmHeight: return engine_->pixelSize().height();
    case PdmWidthMM: return int(std::lround(settings_.sizeMm.width()));
    case PdmHeightMM: return int(std::lround(settings_.sizeMm.height()));
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return settings_.pixelDpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    default: return QPaintDevice::metric(m);
    }
}

} // namespace wmf
