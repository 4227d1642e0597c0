#include "Emblems.h"

#include "Geometry.h"
#include "motifs/Motifs.h"

namespace templateart {

void drawEmblem(Art &a, const Scheme &s, Emblem e)
{
    const double cx = pageW() / 2;
    switch (e) {
    case Emblem::None: break;
    case Emblem::Seal: seal(a, s, {cx, 248}, 15); break;
    case Emblem::Laurel:
        laurelBranch(a, s, {cx - 3, 262}, {cx - 34, 262}, {cx - 46, 238}, 10, 7.5);
        laurelBranch(a, s, {cx + 3, 262}, {cx + 34, 262}, {cx + 46, 238}, 10, 7.5);
        a.pen(s.main, 0.3);
        a.brush(s.accent);
        a.ellipse({cx, 262}, 2.6, 2.6);
        break;
    case Emblem::Wreath:
        laurelBranch(a, s, {cx - 2, 270}, {cx - 30, 268}, {cx - 24, 236}, 9, 6.5);
        laurelBranch(a, s, {cx + 2, 270}, {cx + 30, 268}, {cx + 24, 236}, 9, 6.5);
        a.pen(s.main, 0.3);
        a.brush(s.accent);
        a.shape(star({cx, 250}, 9, 3.6, 5));
        break;
    case Emblem::Banner: classicBanner(a, s, cx); break;
    case Emblem::Sun: classicSun(a, s, cx); break;
    case Emblem::Stars: classicStars(a, s, cx); break;
    case Emblem::Trophy: classicTrophy(a, s, cx); break;
    case Emblem::Medal: classicMedal(a, s, cx); break;
    case Emblem::Crest: classicCrest(a, s, cx); break;
    }
}

} // namespace templateart
