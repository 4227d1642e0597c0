#pragma once
// Theme illustrations, one file each.
#include "Art.h"
#include "Palette.h"

namespace templateart {

// One laurel branch along a quadratic curve.
void laurelBranch(Art &a, const Scheme &s, QPointF base, QPointF ctrl, QPointF tip, int leaves, double size);
void seal(Art &a, const Scheme &s, QPointF c, double r);

// The classic emblems, centred on x = cx at their place on the page.
void classicBanner(Art &a, const Scheme &s, double cx);
void classicSun(Art &a, const Scheme &s, double cx);
void classicStars(Art &a, const Scheme &s, double cx);
void classicTrophy(Art &a, const Scheme &s, double cx);
void classicMedal(Art &a, const Scheme &s, double cx);
void classicCrest(Art &a, const Scheme &s, double cx);

} // namespace templateart
