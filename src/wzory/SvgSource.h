#pragma once
#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace wzory {

// An SVG design made ready for the renderers, which must not look anything up
// themselves: linked images are embedded from the design's own folder (and
// only from there), and a drawing sized in absolute units gets the viewBox
// that makes its user units 96 per inch.
struct SvgSource {
    QByteArray text;
    QSizeF size;          // the drawing's user units; empty when it states none
    QStringList warnings; // what was left out, each naming the design file
};

// Inflates a compressed SVG (.svgz), stopping as soon as it grows beyond
// limit. Throws ImportError naming path.
QByteArray inflateSvg(const QByteArray &gzip, const QString &path, qint64 limit);

// Throws ImportError naming path for an image it refuses (too large,
// truncated) or an encoding it cannot read.
SvgSource prepareSvg(const QByteArray &bytes, const QString &path);

// A length of the root element ("210mm", "8.5in", "600") in px at 96 per
// inch; negative when it is not an absolute length.
double svgLength(const QString &text);

} // namespace wzory
