#pragma once
// Ornaments repeated in the four corners inside the frame.
#include "Art.h"
#include "Palette.h"

namespace templateart {

enum class Corner { None, Rosette, Scroll, DecoSteps, Fan, Diamond, Star, Sprig, Quarter, Quatrefoil, Bloom };

// m: the inset of the corner point from the paper edge.
void drawCorners(Art &a, const Scheme &s, Corner corner, double m);

} // namespace templateart
