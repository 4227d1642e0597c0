#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// An open book with lines of text and a ribbon marker.
void drawOpenBook(Art &a, const Scheme &s)
{
    const QColor edge = mix(s.main, Qt::black, 0.2);
    a.pen(edge, 0.3);
    a.brush(s.main);
    Path cover = curve({0, -6}, {-11, -12}, {-22, -9});
    cover.push_back({-22, 13});
    const Path coverFoot = curve({-22, 13}, {-11, 10}, {0, 17});
    cover.insert(cover.end(), coverFoot.begin(), coverFoot.end());
    a.shape(cover);
    a.shape(mirrored(cover));
    a.brush(s.accent);
    a.shape({{2, 14}, {5, 14}, {5, 22}, {3.5, 20.5}, {2, 22}});
    for (int side : {-1, 1}) {
        Path page = curve({0, -8}, {side * 10.0, -14}, {side * 20.0, -11});
        page.push_back({side * 20.0, 11});
        const Path foot = curve({side * 20.0, 11}, {side * 10.0, 8}, {0, 14});
        page.insert(page.end(), foot.begin(), foot.end());
        a.pen(edge, 0.3);
        a.brush(QColor(0xFF, 0xFE, 0xF8));
        a.shape(page);
        a.pen(mix(s.main, Qt::white, 0.55), 0.25);
        for (int k = 0; k < 7; ++k) {
            const double y = -7 + k * 2.6;
            a.line(curve({side * 3.0, y + 0.2}, {side * 10.0, y - 4.5}, {side * 17.0, y - 2.6}, 10));
        }
    }
    a.pen(edge, 0.4);
    a.line({{0, -8}, {0, 14}});
}

// Three books lying in a stack and one leaning on it.
void drawBookStack(Art &a, const Scheme &s)
{
    const QColor edge = mix(s.main, Qt::black, 0.3);
    const QColor fills[] = {s.main, s.accent, mix(s.main, s.accent, 0.5)};
    const double rows[][2] = {{-20, 8}, {-16, 6}, {-18, 4}}; // left, right
    for (int k = 0; k < 3; ++k) {
        const double l = rows[k][0], r = rows[k][1], b = 18 - k * 7, top = b - 6.5;
        a.pen(edge, 0.3);
        a.brush(QColor(0xFF, 0xFE, 0xF8));
        a.rect(l + 1, top + 0.8, r + 1.2, b - 0.8);
        a.brush(fills[k]);
        a.shape(
            {{l, top}, {r, top}, {r, top + 1.2}, {l + 1.5, top + 1.2}, {l + 1.5, b - 1.2}, {r, b - 1.2}, {r, b}, {l, b}});
        a.noPen();
        a.brush(mix(fills[k], Qt::white, 0.5));
        a.rect(l + 3, top + 2.4, l + 4.2, b - 2.4);
        a.rect(r - 5, top + 2.4, r - 3.8, b - 2.4);
        a.noBrush();
        a.pen(mix(s.main, Qt::white, 0.6), 0.15);
        for (int j = 1; j < 3; ++j)
            a.line({{l + 6, top + 1.2 + j * 1.4}, {r + 1, top + 1.2 + j * 1.4}});
    }
    a.pen(edge, 0.3);
    a.brush(mix(s.accent, s.main, 0.25));
    a.shape({{11, 18}, {17.5, 18}, {21, -9}, {14.6, -9.8}});
    a.brush(s.light);
    a.shape({{12.6, 11}, {16.0, 11.3}, {16.8, 5}, {13.4, 4.7}});
    a.pen(edge, 0.6);
    a.line({{-23, 18.2}, {23, 18.2}});
}

} // namespace templateart
