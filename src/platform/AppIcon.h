#pragma once
#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPointF>
#include <QVector>

// The program's icon (a diploma sheet with a seal) and the icon of a .dyp
// document, as lists of shapes: the window icon is painted from them at run
// time, and the packaging's icon-gen writes the same shapes as SVG and PNGs.
namespace platform {

constexpr double IconCanvas = 256; // the drawings' own units

struct IconShape {
    enum Kind { Rect, Circle, Lines, Polygon } kind;
    QVector<QPointF> points; // Rect: top-left and bottom-right; Circle: centre
    double radius = 0;       // corner radius of a Rect, radius of a Circle
    QColor fill;             // invalid: not filled
    QColor stroke;           // invalid: no outline
    double width = 0;
};

QVector<IconShape> programIconShapes();
QVector<IconShape> documentIconShapes();

// The shapes painted on a transparent square of size pixels.
QImage paintIcon(const QVector<IconShape> &shapes, int size);

// The program's icon in the hicolor sizes, for QGuiApplication::setWindowIcon:
// the window manager's icon property then carries it on every window.
QIcon programIcon();

} // namespace platform
