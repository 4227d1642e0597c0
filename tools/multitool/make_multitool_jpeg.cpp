// Draws the administrator window's decorative picture: a pocket multi-tool
// with its blades fanned out, 150 x 117, on white, saved as a baseline JPEG.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <cstdio>

namespace {

QPainterPath blade(double length, double width, bool pointed)
{
    QPainterPath path;
    path.moveTo(0, -width / 2);
    if (pointed) {
        path.lineTo(length * 0.78, -width / 2);
        path.quadTo(length * 0.95, -width / 2, length, width / 2);
    } else {
        path.lineTo(length, -width / 2);
        path.lineTo(length, width / 2);
    }
    path.lineTo(0, width / 2);
    path.closeSubpath();
    return path;
}

void drawTool(QPainter &p, const QPointF &pivot, double angle, const QPainterPath &shape)
{
    QTransform t;
    t.translate(pivot.x(), pivot.y());
    t.rotate(angle);
    const QPainterPath placed = t.map(shape);
    QLinearGradient steel(placed.boundingRect().topLeft(), placed.boundingRect().bottomRight());
    steel.setColorAt(0.0, QColor(0xF2, 0xF4, 0xF6));
    steel.setColorAt(0.5, QColor(0xB8, 0xBE, 0xC6));
    steel.setColorAt(1.0, QColor(0x8A, 0x92, 0x9C));
    p.setPen(QPen(QColor(0x55, 0x5B, 0x63), 1.0));
    p.setBrush(steel);
    p.drawPath(placed);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const char *out = argc > 1 ? argv[1] : "multitool.jpg";

    QImage image(150, 117, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QPointF left(38, 78);
    const QPointF right(118, 78);

    // Blades and tools fanned out from both pivots.
    drawTool(p, left, -138, blade(46, 11, true)); // large blade
    drawTool(p, left, -100, blade(36, 8, true));  // small blade
    QPainterPath saw = blade(44, 9, false);
    for (int i = 0; i < 10; ++i) { // saw teeth
        saw.moveTo(4 + i * 4, -4.5);
        saw.lineTo(6 + i * 4, -7.5);
        saw.lineTo(8 + i * 4, -4.5);
    }
    drawTool(p, right, -38, saw);
    drawTool(p, right, -72, blade(36, 6, false)); // screwdriver
    QPainterPath opener = blade(30, 8, false);
    opener.addEllipse(QPointF(24, 0), 3, 3);
    drawTool(p, right, -100, opener); // can opener
    QPainterPath corkscrew;
    for (int i = 0; i < 6; ++i)
        corkscrew.addEllipse(QPointF(6 + i * 5, 0), 3, 4.5);
    drawTool(p, left, -58, corkscrew);

    // The handle: red scales with a steel liner and two rivets.
    QPainterPath handle;
    handle.addRoundedRect(QRectF(24, 68, 108, 22), 11, 11);
    QLinearGradient red(0, 68, 0, 90);
    red.setColorAt(0.0, QColor(0xE8, 0x3A, 0x30));
    red.setColorAt(0.55, QColor(0xC4, 0x1E, 0x1A));
    red.setColorAt(1.0, QColor(0x8E, 0x10, 0x0E));
    p.setPen(QPen(QColor(0x6A, 0x0C, 0x0A), 1.2));
    p.setBrush(red);
    p.drawPath(handle);
    p.setPen(QPen(QColor(0xF0, 0xA0, 0x98), 1.0));
    p.drawLine(QPointF(34, 71.5), QPointF(122, 71.5));
    p.setPen(QPen(QColor(0x50, 0x50, 0x58), 1.0));
    p.setBrush(QColor(0xD8, 0xDC, 0xE0));
    p.drawEllipse(left, 3.2, 3.2);
    p.drawEllipse(right, 3.2, 3.2);
    // The key ring at the end.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x80, 0x86, 0x8E), 2.0));
    p.drawEllipse(QPointF(136, 94), 7, 7);
    p.end();

    if (!image.save(QString::fromLocal8Bit(out), "JPG", 90)) {
        std::fprintf(stderr, "cannot write %s\n", out);
        return 1;
    }
    return 0;
}
