#pragma once
#include <QColor>

namespace templateart {

// Main colour for rules and motifs, accent for highlights, light for
// fills and tint for a ground under the texts.
struct Scheme {
    QColor main, accent, light, tint;
};

extern const Scheme kSchemes[11];

} // namespace templateart
