#pragma once
// Paths the frames, ornaments and motifs are built from, in millimetres.
#include "Art.h"

#include <QColor>

namespace templateart {

QPointF rot(QPointF p, double deg);

// Maps a path drawn for the top-left corner (x, y growing into the page) to
// each of the four corners of the rectangle inset by m.
std::vector<Path> fourCorners(const Path &p, double m);

// A rounded rectangle centre line sampled densely, with unit normals
// pointing outwards and arc length.
struct Track {
    Path pts, normals;
    std::vector<double> s;
    double length = 0;
};

Track roundedTrack(double inset, double radius, double step = 0.6);
// A wave running round the track: offset a*sin(2*pi*k*s/L + phase).
Path trackWave(const Track &tr, double amp, int waves, double phase, double shift = 0);
// Almond-shaped leaf from base p, pointing at angle deg, length len.
Path leaf(QPointF p, double deg, double len, double width);
QPointF bezier(QPointF a, QPointF c, QPointF b, double t);
Path star(QPointF c, double ro, double ri, int points, double turn = -90);
// Hypotrochoid rosette, the classic guilloche figure.
Path rosette(QPointF c, double R, double r, double d, double scale, int samples = 720);
// A circular arc as points, degrees counter-clockwise (y up).
Path arcPath(QPointF c, double r, double a0, double a1, bool withCentre);
QColor mix(QColor a, QColor b, double t);
// An ellipse as points, turned by deg.
Path ellipsePath(QPointF c, double rx, double ry, double deg = 0, int n = 48);
// A quadratic curve as n + 1 points.
Path curve(QPointF a, QPointF c, QPointF b, int n = 24);
// The mirror image across the vertical line x = 0.
Path mirrored(const Path &p);

} // namespace templateart
