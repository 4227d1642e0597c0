#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// An atom: three orbits round a nucleus.
void drawAtom(Art &a, const Scheme &s)
{
    a.noBrush();
    for (int k = 0; k < 3; ++k) {
        Path orbit = ellipsePath({0, 0}, 20, 7.5, k * 60.0, 72);
        orbit.push_back(orbit.front());
        a.pen(k == 1 ? s.accent : s.main, 0.7);
        a.line(orbit);
    }
    a.pen(mix(s.accent, Qt::black, 0.35), 0.3);
    a.brush(s.accent);
    a.disc({0, 0}, 4);
    a.brush(s.main);
    for (int k = 0; k < 3; ++k)
        a.disc(rot({20, 0}, k * 60.0 + (k == 1 ? 180 : 0)), 1.8);
}

} // namespace templateart
