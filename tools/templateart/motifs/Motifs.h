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

// The occasion motifs, each drawn round (0, 0) in a 40 mm square.
void drawMedalLaurel(Art &a, const Scheme &s);
void drawCup(Art &a, const Scheme &s);
void drawPodium(Art &a, const Scheme &s);
void drawOpenBook(Art &a, const Scheme &s);
void drawBookStack(Art &a, const Scheme &s);
void drawOwl(Art &a, const Scheme &s, bool cap);
void drawMortarboard(Art &a, const Scheme &s);
void drawPaints(Art &a, const Scheme &s);
void drawCrayons(Art &a, const Scheme &s);
void drawKidSun(Art &a, const Scheme &s);
void drawLadybird(Art &a, const Scheme &s);
void drawButterfly(Art &a, const Scheme &s);
void drawQuill(Art &a, const Scheme &s);
void drawSchoolEmblem(Art &a, const Scheme &s);
void drawCrossedPencils(Art &a, const Scheme &s);
void drawTulips(Art &a, const Scheme &s);
void drawDaisy(Art &a, const Scheme &s);
void drawHeart(Art &a, const Scheme &s);
void drawApple(Art &a, const Scheme &s);
void drawNotes(Art &a, const Scheme &s);
void drawLyre(Art &a, const Scheme &s);
void drawAtom(Art &a, const Scheme &s);
void drawMicroscope(Art &a, const Scheme &s);
void drawGlobe(Art &a, const Scheme &s);
void drawFlask(Art &a, const Scheme &s);

enum class Motif {
    None,
    MedalLaurel,
    Cup,
    Podium,
    OpenBook,
    BookStack,
    Owl,
    OwlCap,
    Mortarboard,
    Paints,
    Crayons,
    KidSun,
    Ladybird,
    Butterfly,
    Quill,
    SchoolEmblem,
    CrossedPencils,
    Tulips,
    Daisy,
    Heart,
    Apple,
    Notes,
    Lyre,
    Atom,
    Microscope,
    Globe,
    Flask
};

// Draws a motif centred on c, size mm across.
void drawMotif(Art &a, const Scheme &s, Motif m, QPointF c, double size);

} // namespace templateart
