#pragma once
#include <QColor>

namespace templateart {

// Main colour for rules and motifs, accent for highlights, light for
// fills and tint for a ground under the texts.
struct Scheme {
    QColor main, accent, light, tint;
};

// The first eleven are the classic designs' (their order never changes), the
// rest brighter ones for the occasions.
extern const Scheme kSchemes[16];

// Five crayon colours for children's designs: red, orange, yellow, green, blue.
QColor kidColour(int i);

} // namespace templateart
