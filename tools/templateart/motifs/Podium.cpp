#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// Three steps of a podium, a star over each, the highest in the middle.
void drawPodium(Art &a, const Scheme &s)
{
    const QColor edge = mix(s.main, Qt::black, 0.3);
    a.pen(edge, 0.35);
    const struct {
        double l, r, top, star;
        QColor fill;
    } steps[] = {{-7, 7, -2, 6.5, s.accent},
                 {-21, -7, 5, 4.5, mix(s.light, s.main, 0.25)},
                 {7, 21, 9, 3.8, mix(s.accent, s.main, 0.35)}};
    for (const auto &st : steps) {
        a.brush(st.fill);
        a.rect(st.l, st.top, st.r, 18);
        a.brush(mix(st.fill, Qt::white, 0.45));
        a.rect(st.l, st.top, st.r, st.top + 2);
        a.brush(st.fill);
        a.shape(star({(st.l + st.r) / 2, st.top - st.star - 3}, st.star, st.star * 0.42, 5));
    }
    a.pen(edge, 0.6);
    a.line({{-24, 18}, {24, 18}});
    a.noPen();
    a.brush(Qt::white);
    for (int k = 0; k < 3; ++k) // the places, as dots: one, two, three
        for (int d = 0; d <= k; ++d) {
            const double cx = k == 0 ? 0 : (k == 1 ? -14 : 14);
            a.disc({cx + (d - k / 2.0) * 3.2, 12}, 0.9);
        }
}

} // namespace templateart
