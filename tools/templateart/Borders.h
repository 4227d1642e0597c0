#pragma once
// The frames of the occasion designs: some light and playful for children,
// some formal, each leaving the middle of the page free for the texts.
#include "Art.h"
#include "Frames.h"
#include "Palette.h"

namespace templateart {

enum class Border {
    Rounded,  // a double rule with round corners
    Dots,     // a ring of coloured dots
    Rainbow,  // crayon-coloured stripes at the head and foot
    Swoosh,   // sweeping waves across two corners
    Brackets, // heavy corner brackets on a thin rule
    Bunting,  // pennants on a string at the head
    Keys,     // a keyboard along the foot
    Confetti, // scattered stars, dots and streamers
    Meadow,   // hills of grass along the foot
    Notched,  // a double rule with notched corners
    Sash,     // diagonal ribbons across two corners
    Garland,  // leafy swags with flowers at the head and foot
    Classic   // one of the classic bands with its rules
};

struct BorderStyle {
    Border border;
    Band band = Band::None; // for Classic
    int variant = 0;        // another look of the same border (Dots, Bunting, Meadow, Confetti, Brackets)
};

// How far from the paper edge the border reaches into the page.
double borderInset(const BorderStyle &b);
void drawBorder(Art &a, const Scheme &s, const BorderStyle &b);

} // namespace templateart
