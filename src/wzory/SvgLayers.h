#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace wzory {

// A top-level drawing element of an SVG document (a child of the root that
// draws something), with what of it Qt's SVG renderer cannot draw.
struct SvgLayer {
    qsizetype start = 0, end = 0; // characters of the document text
    QStringList features;         // Polish names, empty: Qt draws it faithfully
};

struct SvgLayers {
    QString text; // the document as characters
    std::vector<SvgLayer> layers;
    QStringList features; // every feature used anywhere, once each
};

// Finds the top-level drawing elements and the features each one uses that
// need the reference renderer (librsvg): clip paths, masks, markers,
// patterns, filters, blend modes, gradient transforms, text lines placed
// one by one, CSS style sheets.
SvgLayers svgLayers(const QByteArray &svg);

// The document with every top-level drawing element but those from `keep`
// hidden (kept in place, so that references to them still resolve).
QByteArray svgWithOnly(const SvgLayers &doc, const std::vector<size_t> &keep);

} // namespace wzory
