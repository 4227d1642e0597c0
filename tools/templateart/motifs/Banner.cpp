#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A ribbon across the top, with folded ends.
void classicBanner(Art &a, const Scheme &s, double cx)
{
    const double y = 40, h = 11;
    a.pen(s.main, 0.3);
    a.brush(mix(s.main, Qt::black, 0.25));
    for (int side : {-1, 1}) {
        const double x0 = cx + side * 62, x1 = cx + side * 80;
        a.shape({{x0, y + 3}, {x1, y + 3}, {x1 - side * 5, y + 3 + h / 2}, {x1, y + 3 + h}, {x0, y + 3 + h}});
    }
    a.brush(s.main);
    Path top, bottom;
    for (int i = 0; i <= 40; ++i) {
        const double x = cx - 66 + 132.0 * i / 40;
        const double bow = 3 * std::cos((x - cx) / 66 * kPi / 2);
        top.push_back({x, y - bow});
        bottom.push_back({x, y + h - bow});
    }
    Path band = top;
    band.insert(band.end(), bottom.rbegin(), bottom.rend());
    a.shape(band);
    a.pen(s.accent, 0.35);
    a.noBrush();
    Path t2, b2;
    for (size_t i = 0; i < top.size(); ++i) {
        t2.push_back(top[i] + QPointF(0, 1.3));
        b2.push_back(bottom[i] - QPointF(0, 1.3));
    }
    a.line(t2);
    a.line(b2);
    a.pen(s.main, 0.3);
    a.brush(s.accent);
    a.shape(star({cx, 262}, 6, 2.4, 5));
}

} // namespace templateart
