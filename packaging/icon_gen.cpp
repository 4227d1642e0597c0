// Draws the program's icon, a diploma sheet with a seal, as one SVG and as
// PNGs in the sizes of the hicolor theme, from one list of shapes.
//   icon-gen OUTDIR SIZE...   writes OUTDIR/dyplom.svg and OUTDIR/dyplom-SIZE.png
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>
#include <QVector>
#include <cstdio>

namespace {

constexpr double Canvas = 256; // the drawing's own units

struct Shape {
    enum Kind { Rect, Circle, Lines, Polygon } kind;
    QVector<QPointF> points; // Rect: top-left and bottom-right; Circle: centre
    double radius = 0;       // corner radius of a Rect, radius of a Circle
    QColor fill;             // invalid: not filled
    QColor stroke;           // invalid: no outline
    double width = 0;
};

QVector<Shape> icon()
{
    const QColor paper(0xff, 0xf6, 0xe0), paperEdge(0x8a, 0x6a, 0x2f), gold(0xc8, 0x9b, 0x2c);
    const QColor navy(0x1f, 0x3a, 0x7a), grey(0x8c, 0x8c, 0x8c), red(0xc8, 0x24, 0x2f), darkRed(0x8e, 0x15, 0x20);
    const QColor none;
    return {
        {Shape::Rect, {{40, 16}, {216, 240}}, 10, paper, paperEdge, 6},
        {Shape::Rect, {{58, 34}, {198, 222}}, 4, none, gold, 5},
        {Shape::Lines, {{84, 70}, {172, 70}}, 0, none, navy, 12},
        {Shape::Lines, {{80, 100}, {176, 100}}, 0, none, grey, 6},
        {Shape::Lines, {{80, 120}, {176, 120}}, 0, none, grey, 6},
        {Shape::Lines, {{80, 140}, {150, 140}}, 0, none, grey, 6},
        {Shape::Polygon, {{154, 196}, {138, 248}, {158, 238}, {172, 252}, {190, 200}}, 0, darkRed, none, 0},
        {Shape::Circle, {{170, 182}}, 32, red, darkRed, 4},
        {Shape::Circle, {{170, 182}}, 19, none, gold, 4},
    };
}

QString colour(const QColor &c)
{
    return c.isValid() ? c.name() : QStringLiteral("none");
}

QString svg(const QVector<Shape> &shapes)
{
    QString text;
    QTextStream out(&text);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Canvas << "\" height=\"" << Canvas
        << "\" viewBox=\"0 0 " << Canvas << ' ' << Canvas << "\">\n";
    for (const Shape &s : shapes) {
        const QString paint = QStringLiteral(" fill=\"%1\" stroke=\"%2\" stroke-width=\"%3\"")
                                  .arg(colour(s.fill), colour(s.stroke))
                                  .arg(s.width);
        switch (s.kind) {
        case Shape::Rect:
            out << "  <rect x=\"" << s.points[0].x() << "\" y=\"" << s.points[0].y() << "\" width=\""
                << s.points[1].x() - s.points[0].x() << "\" height=\"" << s.points[1].y() - s.points[0].y()
                << "\" rx=\"" << s.radius << '"' << paint << "/>\n";
            break;
        case Shape::Circle:
            out << "  <circle cx=\"" << s.points[0].x() << "\" cy=\"" << s.points[0].y() << "\" r=\"" << s.radius
                << '"' << paint << "/>\n";
            break;
        case Shape::Lines:
        case Shape::Polygon: {
            out << (s.kind == Shape::Lines ? "  <polyline" : "  <polygon") << " points=\"";
            for (int i = 0; i < s.points.size(); ++i)
                out << (i ? " " : "") << s.points[i].x() << ',' << s.points[i].y();
            out << '"' << paint << " stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
            break;
        }
        }
    }
    out << "</svg>\n";
    out.flush();
    return text;
}

QImage png(const QVector<Shape> &shapes, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / Canvas, size / Canvas);
    for (const Shape &s : shapes) {
        painter.setBrush(s.fill.isValid() ? QBrush(s.fill) : QBrush(Qt::NoBrush));
        painter.setPen(s.stroke.isValid() ? QPen(s.stroke, s.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                                          : QPen(Qt::NoPen));
        switch (s.kind) {
        case Shape::Rect: painter.drawRoundedRect(QRectF(s.points[0], s.points[1]), s.radius, s.radius); break;
        case Shape::Circle: painter.drawEllipse(s.points[0], s.radius, s.radius); break;
        case Shape::Lines: painter.drawPolyline(QPolygonF(s.points)); break;
        case Shape::Polygon: painter.drawPolygon(QPolygonF(s.points)); break;
        }
    }
    painter.end();
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: icon-gen OUTDIR SIZE...\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QVector<Shape> shapes = icon();
    QFile file(dir + QStringLiteral("/dyplom.svg"));
    if (!file.open(QIODevice::WriteOnly) || file.write(svg(shapes).toUtf8()) < 0) {
        std::fprintf(stderr, "icon-gen: cannot write %s\n", qPrintable(file.fileName()));
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        const QString path = dir + QStringLiteral("/dyplom-%1.png").arg(size);
        if (size < 8 || !png(shapes, size).save(path)) {
            std::fprintf(stderr, "icon-gen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
