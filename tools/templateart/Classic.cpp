#include "Classic.h"

#include "Emblems.h"
#include "Frames.h"
#include "Geometry.h"
#include "Ornaments.h"
#include "SuggestedLayout.h"

namespace templateart {

namespace {

struct Recipe {
    int scheme;
    Band band;
    int rules; // 1, 2 or 3 rules inside the band
    Corner corner;
    Emblem emblem;
    bool tint;
    bool watermark; // a pale rosette in the middle
};

const Recipe kRecipes[] = {
    {0, Band::Guilloche, 2, Corner::Rosette, Emblem::Seal, false, false},
    {1, Band::None, 3, Corner::Scroll, Emblem::Laurel, true, false},
    {2, Band::Meander, 1, Corner::None, Emblem::Wreath, false, false},
    {5, Band::None, 2, Corner::DecoSteps, Emblem::Crest, true, false},
    {3, Band::Guilloche, 1, Corner::Diamond, Emblem::None, false, true},
    {4, Band::Vine, 2, Corner::None, Emblem::Banner, false, false},
    {6, Band::Pearls, 3, Corner::Star, Emblem::Wreath, false, false},
    {7, Band::Meander, 2, Corner::Sprig, Emblem::None, true, false},
    {8, Band::Stripes, 1, Corner::Star, Emblem::Seal, false, false},
    {0, Band::Waves, 2, Corner::Rosette, Emblem::Laurel, false, false},
    {2, Band::Vine, 1, Corner::Sprig, Emblem::Seal, true, false},
    {4, Band::None, 2, Corner::Fan, Emblem::Crest, false, false},
    {1, Band::Guilloche, 3, Corner::None, Emblem::Banner, false, true},
    {5, Band::Chevrons, 2, Corner::Fan, Emblem::None, false, false},
    {10, Band::Stripes, 2, Corner::Star, Emblem::Medal, false, false}, // 15: a design of its own, no twin of 5
    {6, Band::Waves, 1, Corner::Scroll, Emblem::Seal, true, false},
    {9, Band::Chevrons, 3, Corner::Quatrefoil, Emblem::Banner, true, false}, // 17: a design of its own, no twin of 7
    {8, Band::None, 3, Corner::DecoSteps, Emblem::Banner, false, false},
    {0, Band::Vine, 2, Corner::Star, Emblem::Crest, false, false},
    {2, Band::Chevrons, 1, Corner::Rosette, Emblem::None, true, false},
    {4, Band::Guilloche, 2, Corner::Sprig, Emblem::Wreath, false, false},
    {1, Band::Meander, 3, Corner::Fan, Emblem::Seal, false, false},
    {3, Band::Stripes, 2, Corner::Scroll, Emblem::Banner, false, false},
    {5, Band::Waves, 3, Corner::Diamond, Emblem::Laurel, false, true},
    {6, Band::None, 1, Corner::Rosette, Emblem::Seal, true, true},
    {7, Band::Guilloche, 1, Corner::DecoSteps, Emblem::Crest, false, false},
    {9, Band::Rope, 2, Corner::Quarter, Emblem::Sun, false, false},
    {10, Band::Checker, 1, Corner::Bloom, Emblem::Trophy, false, false},
    {1, Band::Lattice, 2, Corner::Quatrefoil, Emblem::Medal, false, false},
    {3, Band::Scallops, 1, Corner::None, Emblem::Stars, true, false},
    {5, Band::Dentil, 2, Corner::Quarter, Emblem::Laurel, false, false},
    {4, Band::Rope, 1, Corner::Bloom, Emblem::Medal, true, false},
    {0, Band::Checker, 2, Corner::Quatrefoil, Emblem::Sun, false, false},
    {7, Band::Lattice, 1, Corner::Sprig, Emblem::Trophy, false, false},
    {8, Band::Dentil, 1, Corner::Rosette, Emblem::Stars, false, false},
    {6, Band::Scallops, 2, Corner::Quatrefoil, Emblem::Wreath, false, false},
    {2, Band::Rope, 3, Corner::Diamond, Emblem::Stars, false, true},
    {9, Band::Scallops, 1, Corner::Bloom, Emblem::Sun, true, false},
    {10, Band::Lattice, 3, Corner::Quarter, Emblem::Seal, false, false},
    {1, Band::Checker, 1, Corner::None, Emblem::Trophy, true, false},
    {3, Band::Dentil, 2, Corner::Bloom, Emblem::Crest, false, false},
    {4, Band::None, 2, Corner::Quarter, Emblem::Medal, false, true},
};

} // namespace

int classicCount()
{
    return int(sizeof kRecipes / sizeof kRecipes[0]);
}

QByteArray classicTemplate(int n)
{
    const Recipe &r = kRecipes[(n - 1) % classicCount()];
    const Scheme &s = kSchemes[r.scheme];
    Art a;
    const double inner = r.band == Band::None ? kOuter : kOuter + kBand + 2.5;
    if (r.tint) {
        a.noPen();
        a.brush(s.tint);
        a.rect(inner, inner, pageW() - inner, pageH() - inner);
    }
    if (r.watermark) {
        a.noBrush();
        a.pen(mix(s.light, Qt::white, 0.45), 0.15);
        a.line(rosette({pageW() / 2, pageH() / 2}, 13, 5, 9, 4.2, 1400));
    }
    drawBand(a, s, r.band);
    drawRules(a, s, r.rules, inner);
    drawCorners(a, s, r.corner, inner + (r.rules - 1) * 2.2 + 2);
    drawEmblem(a, s, r.emblem);
    return a.finish();
}

DesignInfo classicDesignInfo(int n)
{
    const Recipe &r = kRecipes[(n - 1) % classicCount()];
    // The emblems stand above 60 mm or below 230 mm.
    return suggestedLayout(Occasion::General, QStringLiteral("Klasyczny %1").arg(n), QRectF(40, 60, 130, 170),
                           kSchemes[r.scheme]);
}

} // namespace templateart
