#pragma once
#include "Placement.h"
#include "wmf/MetafilePaintDevice.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace wzory {

enum class DesignKind { Svg, Raster, Pdf };

struct ImportOptions {
    Fit fit = Fit::Contain;
    int page = 1;        // PDF page, 1-based
    bool rotate = false; // turned a quarter clockwise (--obroc)
};

struct ImportResult {
    QByteArray metafile; // placeable, A4 portrait
    DesignKind kind = DesignKind::Svg;
    wmf::MetafileStats stats;
    QStringList warnings; // each names the design file
};

// Limits on what is read at all; larger input is refused before decoding.
constexpr qint64 kMaxDesignBytes = 64 * 1024 * 1024;
constexpr qint64 kMaxSvgBytes = 16 * 1024 * 1024;
constexpr qint64 kMaxRasterPixels = 120'000'000; // an A4 page at 1200 dpi
constexpr int kRasterAllocationMb = 512;
constexpr qint64 kMaxPdfImagePixels = 36'000'000; // an A4 page at 600 dpi
constexpr int kMaxSvgElements = 200'000;

// The kind from the first bytes (not the name): PDF, PNG/JPEG/GIF/BMP…, SVG.
DesignKind detectKind(const QByteArray &head, const QString &fileName);

// Converts a design file into a template. Throws ImportError.
ImportResult importDesign(const QString &path, const ImportOptions &options = {});

} // namespace wzory
