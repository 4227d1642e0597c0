#include "Frames.h"

#include "Geometry.h"

namespace templateart {

void drawRules(Art &a, const Scheme &s, int count, double inset)
{
    for (int i = 0; i < count; ++i) {
        const double d = inset + i * 2.2;
        const bool heavy = count >= 2 && i == 0;
        a.pen(i == 1 && count == 3 ? s.accent : s.main, heavy ? 0.9 : 0.3);
        a.line({{d, d}, {pageW() - d, d}, {pageW() - d, pageH() - d}, {d, pageH() - d}, {d, d}});
    }
}

void drawBand(Art &a, const Scheme &s, Band band)
{
    const double in = kOuter, out = kOuter + kBand;
    const double mid = (in + out) / 2;
    a.noBrush();
    // Edge rules of the band.
    if (band != Band::None) {
        a.pen(s.main, 0.7);
        a.line({{in, in}, {pageW() - in, in}, {pageW() - in, pageH() - in}, {in, pageH() - in}, {in, in}});
        a.pen(s.main, 0.35);
        a.line({{out, out}, {pageW() - out, out}, {pageW() - out, pageH() - out}, {out, pageH() - out}, {out, out}});
    }
    switch (band) {
    case Band::None: break;
    case Band::Guilloche: {
        const Track tr = roundedTrack(mid, 9);
        const int waves = int(std::lround(tr.length / 11.0));
        a.pen(s.accent, 0.22);
        for (int j = 0; j < 5; ++j)
            a.line(trackWave(tr, 3.9, waves, 2 * kPi * j / 5));
        a.pen(s.main, 0.15);
        for (int j = 0; j < 3; ++j)
            a.line(trackWave(tr, 2.0, waves * 2, 2 * kPi * j / 3 + kPi / 4));
        break;
    }
    case Band::Waves: {
        const Track tr = roundedTrack(mid, 3);
        const int waves = int(std::lround(tr.length / 14.0));
        a.pen(s.main, 0.5);
        a.line(trackWave(tr, 3.8, waves, 0));
        a.line(trackWave(tr, 3.8, waves, kPi));
        a.pen(s.accent, 0.3);
        a.line(trackWave(tr, 2.0, waves, kPi / 2));
        a.line(trackWave(tr, 2.0, waves, 3 * kPi / 2));
        break;
    }
    case Band::Vine: {
        const Track tr = roundedTrack(mid, 6, 0.5);
        const int waves = int(std::lround(tr.length / 22.0));
        a.pen(s.main, 0.45);
        const Path stem = trackWave(tr, 2.6, waves, 0);
        a.line(stem);
        a.pen(s.main, 0.15);
        a.brush(s.accent);
        const double period = tr.length / waves;
        for (int k = 0; k < waves * 2; ++k) {
            const double at = period * (k + 0.5) / 2;
            size_t i = size_t(at / tr.length * double(tr.pts.size() - 1));
            const QPointF p = stem[i];
            const QPointF tng = stem[(i + 2) % stem.size()] - stem[(i + stem.size() - 2) % stem.size()];
            const double ang = std::atan2(tng.y(), tng.x()) * 180 / kPi;
            const double side = (k & 1) ? 50 : -50;
            a.shape(leaf(p, ang + side, 4.2, 1.8));
        }
        a.brush(s.main);
        for (int k = 0; k < waves; ++k) {
            const size_t i = size_t((period * k) / tr.length * double(tr.pts.size() - 1));
            a.ellipse(tr.pts[i], 0.7, 0.7);
        }
        break;
    }
    case Band::Pearls: {
        const Track tr = roundedTrack(mid, 5, 0.5);
        const int n = int(std::lround(tr.length / 4.5));
        a.pen(s.main, 0.15);
        for (int k = 0; k < n; ++k) {
            const size_t i = size_t(double(k) / n * double(tr.pts.size() - 1));
            a.brush(k % 2 ? s.light : s.accent);
            a.ellipse(tr.pts[i], k % 2 ? 1.0 : 1.7, k % 2 ? 1.0 : 1.7);
        }
        a.noBrush();
        break;
    }
    case Band::Stripes: {
        // Diagonal ribbons between the two edge rules, as on a sash.
        a.noPen();
        a.brush(s.main);
        std::vector<Path> ps;
        const double w = 3.0, gap = 6.0;
        const auto side = [&](QPointF from, QPointF to, QPointF inward) {
            const QPointF d = to - from;
            const double len = std::hypot(d.x(), d.y());
            const QPointF u = d / len;
            for (double x = 0; x + w + kBand < len; x += gap)
                ps.push_back({from + u * x, from + u * (x + w), from + u * (x + w + kBand * 0.6) + inward * kBand,
                              from + u * (x + kBand * 0.6) + inward * kBand});
        };
        side({in + kBand, in}, {pageW() - in - kBand, in}, {0, 1});
        side({in + kBand, pageH() - out}, {pageW() - in - kBand, pageH() - out}, {0, 1});
        side({in, in + kBand}, {in, pageH() - in - kBand}, {1, 0});
        side({pageW() - out, in + kBand}, {pageW() - out, pageH() - in - kBand}, {1, 0});
        for (const Path &p : ps) // one polygon each: some players join the parts of a poly-polygon
            a.shape(p);
        a.brush(s.accent);
        a.pen(s.main, 0.3);
        for (QPointF c : {QPointF(in, in), QPointF(pageW() - out, in), QPointF(in, pageH() - out),
                          QPointF(pageW() - out, pageH() - out)})
            a.rect(c.x(), c.y(), c.x() + kBand, c.y() + kBand);
        a.noBrush();
        break;
    }
    case Band::Meander: {
        const double c = (kBand - 4) / 4; // cell
        const double h0 = in + 2;
        a.pen(s.main, 0.55);
        // Top and bottom sides run left to right, the others top to bottom.
        const auto run = [&](QPointF origin, QPointF along, QPointF across, double len) {
            const int periods = int(len / (5 * c));
            const double start = (len - periods * 5 * c) / 2;
            Path p;
            static const double key[][2] = {{0, 0}, {0, 4}, {4, 4}, {4, 1}, {2, 1}, {2, 2},
                                            {3, 2}, {3, 3}, {1, 3}, {1, 0}, {5, 0}};
            for (int k = 0; k < periods; ++k)
                for (const auto &q : key) {
                    if (k > 0 && &q == &key[0])
                        continue;
                    p.push_back(origin + along * (start + (k * 5 + q[0]) * c) + across * (4 - q[1]) * c);
                }
            a.line(p);
        };
        const double len = pageW() - 2 * (in + kBand);
        const double lenV = pageH() - 2 * (in + kBand);
        run({in + kBand, h0}, {1, 0}, {0, 1}, len);
        run({pageW() - in - kBand, pageH() - h0}, {-1, 0}, {0, -1}, len);
        run({pageW() - h0, in + kBand}, {0, 1}, {-1, 0}, lenV);
        run({h0, pageH() - in - kBand}, {0, -1}, {1, 0}, lenV);
        a.brush(s.accent);
        a.pen(s.main, 0.35);
        for (QPointF q : {QPointF(in, in), QPointF(pageW() - out, in), QPointF(in, pageH() - out),
                          QPointF(pageW() - out, pageH() - out)}) {
            a.rect(q.x() + 2, q.y() + 2, q.x() + kBand - 2, q.y() + kBand - 2);
            a.rect(q.x() + 4, q.y() + 4, q.x() + kBand - 4, q.y() + kBand - 4);
        }
        a.noBrush();
        break;
    }
    case Band::Rope: {
        // A twisted cord: slanted strands laid along the band.
        const Track tr = roundedTrack(mid, 6, 0.5);
        const int n = int(std::lround(tr.length / 2.6));
        a.pen(s.main, 0.15);
        a.brush(s.accent);
        for (int k = 0; k < n; ++k) {
            const size_t i = size_t(double(k) / n * double(tr.pts.size() - 1));
            const QPointF nrm = tr.normals[i];
            const double ang = std::atan2(nrm.y(), nrm.x()) * 180 / kPi + 90 + 38;
            const QPointF dir = rot({1, 0}, ang);
            a.shape(leaf(tr.pts[i] - dir * 3.4, ang, 6.8, 2.6));
        }
        a.noBrush();
        a.pen(s.main, 0.25);
        a.line(trackWave(tr, 0, 0, 0, 3.1));
        a.line(trackWave(tr, 0, 0, 0, -3.1));
        break;
    }
    case Band::Scallops: {
        // Half discs standing on the inner rule, dots along the outer one.
        a.pen(s.main, 0.3);
        const double r = 4.2, step = 9.0;
        const auto side = [&](QPointF from, QPointF u, double len, double a0, QPointF outward) {
            const int count = int(len / step);
            const double start = (len - (count - 1) * step) / 2;
            for (int k = 0; k < count; ++k) {
                const QPointF c = from + u * (start + k * step);
                a.brush(s.light);
                a.shape(arcPath(c, r, a0, a0 + 180, false));
                a.brush(s.accent);
                a.disc(c + outward * (kBand - 2.6), 0.9);
                a.disc(c + outward * 1.6, 0.8);
            }
        };
        const double lenH = pageW() - 2 * out, lenV = pageH() - 2 * out;
        side({out, out}, {1, 0}, lenH, 0, {0, -1});
        side({out, pageH() - out}, {1, 0}, lenH, 180, {0, 1});
        side({out, out}, {0, 1}, lenV, 90, {-1, 0});
        side({pageW() - out, out}, {0, 1}, lenV, 270, {1, 0});
        a.noBrush();
        break;
    }
    case Band::Checker: {
        // Two rows of squares, alternating, like a flag's border.
        a.noPen();
        a.brush(s.main);
        const double q = 3.0;
        const auto side = [&](QPointF from, QPointF u, QPointF v, double len) {
            const int count = int(len / q);
            const double start = (len - count * q) / 2;
            for (int k = 0; k < count; ++k) {
                const QPointF b = from + u * (start + k * q) + v * ((kBand - 2 * q) / 2 + (k % 2) * q);
                a.shape({b, b + u * q, b + u * q + v * q, b + v * q});
            }
        };
        side({out, in}, {1, 0}, {0, 1}, pageW() - 2 * out);
        side({out, pageH() - out}, {1, 0}, {0, 1}, pageW() - 2 * out);
        side({in, out}, {0, 1}, {1, 0}, pageH() - 2 * out);
        side({pageW() - out, out}, {0, 1}, {1, 0}, pageH() - 2 * out);
        a.pen(s.main, 0.3);
        for (QPointF c : {QPointF(in, in), QPointF(pageW() - out, in), QPointF(in, pageH() - out),
                          QPointF(pageW() - out, pageH() - out)}) {
            a.brush(s.accent);
            a.rect(c.x() + 1.5, c.y() + 1.5, c.x() + kBand - 1.5, c.y() + kBand - 1.5);
            a.brush(s.main);
            a.disc(c + QPointF(kBand / 2, kBand / 2), 2);
        }
        a.noBrush();
        break;
    }
    case Band::Lattice: {
        // Two zigzags out of phase: a row of diamonds with a dot in each.
        const double step = 7.0, lo = 1.8, hi = kBand - 1.8;
        const auto side = [&](QPointF from, QPointF u, QPointF v, double len) {
            const int count = int(len / step);
            const double start = (len - count * step) / 2;
            Path z1, z2;
            for (int k = 0; k <= count * 2; ++k) {
                const QPointF b = from + u * (start + k * step / 2);
                z1.push_back(b + v * ((k % 2) ? hi : lo));
                z2.push_back(b + v * ((k % 2) ? lo : hi));
            }
            a.noBrush();
            a.pen(s.main, 0.35);
            a.line(z1);
            a.line(z2);
            a.pen(s.main, 0.1);
            a.brush(s.accent);
            for (int k = 0; k < count; ++k) {
                const QPointF c = from + u * (start + (k + 0.5) * step) + v * (kBand / 2);
                a.shape({c - u * 1.4, c - v * 1.4, c + u * 1.4, c + v * 1.4});
            }
        };
        side({out, in}, {1, 0}, {0, 1}, pageW() - 2 * out);
        side({out, pageH() - out}, {1, 0}, {0, 1}, pageW() - 2 * out);
        side({in, out}, {0, 1}, {1, 0}, pageH() - 2 * out);
        side({pageW() - out, out}, {0, 1}, {1, 0}, pageH() - 2 * out);
        a.pen(s.main, 0.3);
        a.brush(s.accent);
        for (QPointF c : {QPointF(in, in), QPointF(pageW() - out, in), QPointF(in, pageH() - out),
                          QPointF(pageW() - out, pageH() - out)})
            a.disc(c + QPointF(kBand / 2, kBand / 2), kBand / 2 - 1.5);
        a.noBrush();
        break;
    }
    case Band::Dentil: {
        // Blocks under a heavy rule, as on a classical cornice.
        a.pen(s.main, 1.2);
        a.line({{in + 3, in + 3},
                {pageW() - in - 3, in + 3},
                {pageW() - in - 3, pageH() - in - 3},
                {in + 3, pageH() - in - 3},
                {in + 3, in + 3}});
        a.noPen();
        a.brush(s.main);
        const double w = 2.6, step = 5.0, depth = 4.2, top = 5.2;
        const auto side = [&](QPointF from, QPointF u, QPointF v, double len) {
            const int count = int(len / step);
            const double start = (len - count * step + step - w) / 2;
            for (int k = 0; k < count; ++k) {
                const QPointF b = from + u * (start + k * step) + v * top;
                a.shape({b, b + u * w, b + u * w + v * depth, b + v * depth});
            }
        };
        side({out, in}, {1, 0}, {0, 1}, pageW() - 2 * out);
        side({out, pageH() - in}, {1, 0}, {0, -1}, pageW() - 2 * out);
        side({in, out}, {0, 1}, {1, 0}, pageH() - 2 * out);
        side({pageW() - in, out}, {0, 1}, {-1, 0}, pageH() - 2 * out);
        a.pen(s.main, 0.3);
        for (QPointF c : {QPointF(in, in), QPointF(pageW() - out, in), QPointF(in, pageH() - out),
                          QPointF(pageW() - out, pageH() - out)}) {
            a.brush(s.accent);
            a.rect(c.x() + 3.6, c.y() + 3.6, c.x() + kBand - 3.6, c.y() + kBand - 3.6);
        }
        a.noBrush();
        break;
    }
    case Band::Chevrons: {
        a.noPen();
        a.brush(s.accent);
        std::vector<Path> ps;
        const double step = 7;
        const auto side = [&](QPointF from, QPointF u, QPointF v, double len) {
            const int n = int(len / step);
            const double start = (len - n * step) / 2;
            for (int k = 0; k < n; ++k) {
                const QPointF b = from + u * (start + k * step);
                ps.push_back({b + v * 2, b + u * (step / 2) + v * (kBand / 2 - 1), b + v * (kBand - 2),
                              b + u * 2.2 + v * (kBand - 2), b + u * (step / 2 + 2.2) + v * (kBand / 2 - 1),
                              b + u * 2.2 + v * 2});
            }
        };
        side({in + kBand, in}, {1, 0}, {0, 1}, pageW() - 2 * (in + kBand));
        side({in + kBand, pageH() - out}, {1, 0}, {0, 1}, pageW() - 2 * (in + kBand));
        side({in, in + kBand}, {0, 1}, {1, 0}, pageH() - 2 * (in + kBand));
        side({pageW() - out, in + kBand}, {0, 1}, {1, 0}, pageH() - 2 * (in + kBand));
        for (const Path &p : ps) // one polygon each: some players join the parts of a poly-polygon
            a.shape(p);
        a.brush(s.main);
        for (QPointF q : {QPointF(in, in), QPointF(pageW() - out, in), QPointF(in, pageH() - out),
                          QPointF(pageW() - out, pageH() - out)})
            a.shape(star(q + QPointF(kBand / 2, kBand / 2), kBand / 2 - 1, kBand / 5, 4, 0));
        a.noBrush();
        break;
    }
    }
}

} // namespace templateart
