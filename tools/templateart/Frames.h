#pragma once
// The border bands running round the page and the rules inside them.
#include "Art.h"
#include "Palette.h"

namespace templateart {

enum class Band {
    None,
    Guilloche,
    Meander,
    Vine,
    Pearls,
    Stripes,
    Waves,
    Chevrons,
    Rope,
    Scallops,
    Checker,
    Lattice,
    Dentil
};

constexpr double kOuter = 10; // band outer edge from the paper edge
constexpr double kBand = 12;  // band width

void drawRules(Art &a, const Scheme &s, int count, double inset);
void drawBand(Art &a, const Scheme &s, Band band);

} // namespace templateart
