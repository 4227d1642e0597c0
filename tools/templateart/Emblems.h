#pragma once
// The emblem of a classic design, at its fixed place at the head or foot.
#include "Art.h"
#include "Palette.h"

namespace templateart {

enum class Emblem { None, Seal, Laurel, Wreath, Banner, Crest, Sun, Stars, Trophy, Medal };

void drawEmblem(Art &a, const Scheme &s, Emblem e);

} // namespace templateart
