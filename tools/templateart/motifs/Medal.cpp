#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A medal hanging from a ribbon at the head of the sheet.
void classicMedal(Art &a, const Scheme &s, double cx)
{
    a.pen(s.main, 0.25);
    a.brush(s.main);
    a.shape({{cx - 11, 26}, {cx - 4, 26}, {cx + 3, 44}, {cx - 4, 44}});
    a.brush(mix(s.main, s.accent, 0.5));
    a.shape({{cx + 4, 26}, {cx + 11, 26}, {cx + 4, 44}, {cx - 3, 44}});
    a.brush(s.accent);
    a.pen(mix(s.accent, Qt::black, 0.3), 0.3);
    a.disc({cx, 50}, 8.5);
    a.noBrush();
    a.pen(s.main, 0.3);
    a.disc({cx, 50}, 6.5);
    a.brush(s.main);
    a.noPen();
    a.shape(star({cx, 50}, 4.5, 1.8, 5));
}

} // namespace templateart
