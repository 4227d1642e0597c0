#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A cup on a stepped base, at the foot of the sheet.
void classicTrophy(Art &a, const Scheme &s, double cx)
{
    const double top = 234, rim = 14;
    Path bowl;
    for (int i = 0; i <= 30; ++i)
        bowl.push_back(bezier({cx - rim, top}, {cx - rim, top + 22}, {cx - 2.2, top + 20}, i / 30.0));
    for (int i = 30; i >= 0; --i)
        bowl.push_back(bezier({cx + rim, top}, {cx + rim, top + 22}, {cx + 2.2, top + 20}, i / 30.0));
    a.pen(s.main, 0.6);
    a.noBrush();
    for (int side : {-1, 1}) {
        Path handle;
        for (int i = 0; i <= 30; ++i)
            handle.push_back(bezier({cx + side * (rim - 1), top + 3}, {cx + side * (rim + 10), top + 3},
                                    {cx + side * (rim - 4), top + 14}, i / 30.0));
        a.line(handle);
    }
    a.pen(s.main, 0.35);
    a.brush(s.accent);
    a.shape(bowl);
    a.rect(cx - 1.8, top + 18, cx + 1.8, top + 26);
    a.brush(s.main);
    a.rect(cx - 7, top + 26, cx + 7, top + 29);
    a.rect(cx - 10, top + 29, cx + 10, top + 33);
    a.brush(s.tint);
    a.shape(star({cx, top + 8}, 4.5, 1.8, 5));
    a.pen(s.main, 0.4);
    a.line({{cx - 50, top + 33}, {cx - 14, top + 33}});
    a.line({{cx + 14, top + 33}, {cx + 50, top + 33}});
}

} // namespace templateart
