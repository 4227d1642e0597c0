// Draws the program's icon, a diploma sheet with a seal, and the icon of a
// .dyp document, a page with a folded corner and the same seal, each as one
// SVG and as PNGs in the sizes of the hicolor theme, from one list of shapes.
//   icon-gen OUTDIR SIZE...   writes OUTDIR/NAME.svg and OUTDIR/NAME-SIZE.png
//                             for NAME dyplom and application-x-dyplom
#include "platform/AppIcon.h"

#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace {

using platform::IconCanvas;
using platform::IconShape;

QString colour(const QColor &c)
{
    return c.isValid() ? c.name() : QStringLiteral("none");
}

QString svg(const QVector<IconShape> &shapes)
{
    QString text;
    QTextStream out(&text);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << IconCanvas << "\" height=\"" << IconCanvas
        << "\" viewBox=\"0 0 " << IconCanvas << ' ' << IconCanvas << "\">\n";
    for (const IconShape &s : shapes) {
        const QString paint = QStringLiteral(" fill=\"%1\" stroke=\"%2\" stroke-width=\"%3\"")
                                  .arg(colour(s.fill), colour(s.stroke))
                                  .arg(s.width);
        switch (s.kind) {
        case IconShape::Rect:
            out << "  <rect x=\"" << s.points[0].x() << "\" y=\"" << s.points[0].y() << "\" width=\""
                << s.points[1].x() - s.points[0].x() << "\" height=\"" << s.points[1].y() - s.points[0].y()
                << "\" rx=\"" << s.radius << '"' << paint << "/>\n";
            break;
        case IconShape::Circle:
            out << "  <circle cx=\"" << s.points[0].x() << "\" cy=\"" << s.points[0].y() << "\" r=\"" << s.radius << '"'
                << paint << "/>\n";
            break;
        case IconShape::Lines:
        case IconShape::Polygon: {
            out << (s.kind == IconShape::Lines ? "  <polyline" : "  <polygon") << " points=\"";
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

bool writeIcon(const QString &dir, const QString &name, const QVector<IconShape> &shapes, char **sizes, int count)
{
    QFile file(dir + QLatin1Char('/') + name + QStringLiteral(".svg"));
    if (!file.open(QIODevice::WriteOnly) || file.write(svg(shapes).toUtf8()) < 0) {
        std::fprintf(stderr, "icon-gen: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const int size = QString::fromLocal8Bit(sizes[i]).toInt();
        const QString path = dir + QStringLiteral("/%1-%2.png").arg(name).arg(size);
        if (size < 8 || !platform::paintIcon(shapes, size).save(path)) {
            std::fprintf(stderr, "icon-gen: cannot write %s\n", qPrintable(path));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: icon-gen OUTDIR SIZE...\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const bool ok = writeIcon(dir, QStringLiteral("dyplom"), platform::programIconShapes(), argv + 2, argc - 2)
                    && writeIcon(dir, QStringLiteral("application-x-dyplom"), platform::documentIconShapes(), argv + 2,
                                 argc - 2);
    return ok ? 0 : 1;
}
