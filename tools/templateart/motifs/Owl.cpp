#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A wise owl on a branch, optionally under a graduate's cap.
void drawOwl(Art &a, const Scheme &s, bool cap)
{
    const QColor brown(0x8A, 0x5A, 0x34), dark(0x3B, 0x2A, 0x20);
    a.pen(dark, 0.7);
    a.noBrush();
    a.line({{-20, 17}, {20, 15}});
    a.pen(QColor(0x3E, 0x6B, 0x2E), 0.15);
    a.brush(QColor(0x5E, 0x8C, 0x3A));
    a.shape(leaf({14, 15.3}, -30, 7, 3));
    a.shape(leaf({-15, 16.8}, 200, 6, 2.6));
    a.pen(dark, 0.3);
    a.brush(brown);
    a.shape({{-9, -11}, {-11, -19}, {-4, -13}});
    a.shape({{9, -11}, {11, -19}, {4, -13}});
    a.shape(ellipsePath({0, 2}, 11, 14));
    a.brush(QColor(0xE8, 0xCF, 0xA8));
    a.shape(ellipsePath({0, 6}, 7, 9));
    a.pen(mix(brown, Qt::white, 0.3), 0.25);
    a.noBrush();
    for (int k = 0; k < 3; ++k)
        for (int j = -1; j <= 1; ++j)
            a.line(arcPath({j * 3.0 - (k % 2) * 1.5, 3.0 + k * 3}, 1.3, 200, 340, false));
    a.pen(dark, 0.3);
    for (int side : {-1, 1}) {
        a.brush(s.accent);
        a.disc({side * 4.8, -5}, 4.6);
        a.brush(Qt::white);
        a.disc({side * 4.8, -5}, 3.5);
        a.brush(dark);
        a.disc({side * 4.4, -4.6}, 1.7);
        a.noPen();
        a.brush(Qt::white);
        a.disc({side * 4.0, -5.2}, 0.5);
        a.pen(dark, 0.3);
    }
    a.brush(QColor(0xE0, 0x9A, 0x2B));
    a.shape({{-1.5, -2}, {1.5, -2}, {0, 1.5}});
    for (int side : {-1, 1}) // feet
        a.shape({{side * 3.0 - 2, 15.5}, {side * 3.0 + 2, 15.5}, {side * 3.0, 13.5}});
    if (cap) {
        a.brush(s.main);
        a.shape({{-7, -13}, {7, -13}, {7, -10.5}, {-7, -10.5}});
        a.shape({{-14, -14.5}, {0, -19.5}, {14, -14.5}, {0, -10}});
        a.noBrush();
        a.pen(s.accent, 0.5);
        a.line({{0, -14.7}, {11, -13.2}, {11, -7}});
        a.pen(s.accent, 0.2);
        a.brush(s.accent);
        a.shape({{10.2, -7.5}, {11.8, -7.5}, {12.5, -4.5}, {9.5, -4.5}});
    }
}

} // namespace templateart
