#include "AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace platform {

QVector<IconShape> programIconShapes()
{
    const QColor paper(0xff, 0xf6, 0xe0), paperEdge(0x8a, 0x6a, 0x2f), gold(0xc8, 0x9b, 0x2c);
    const QColor navy(0x1f, 0x3a, 0x7a), grey(0x8c, 0x8c, 0x8c), red(0xc8, 0x24, 0x2f), darkRed(0x8e, 0x15, 0x20);
    const QColor none;
    return {
        {IconShape::Rect, {{40, 16}, {216, 240}}, 10, paper, paperEdge, 6},
        {IconShape::Rect, {{58, 34}, {198, 222}}, 4, none, gold, 5},
        {IconShape::Lines, {{84, 70}, {172, 70}}, 0, none, navy, 12},
        {IconShape::Lines, {{80, 100}, {176, 100}}, 0, none, grey, 6},
        {IconShape::Lines, {{80, 120}, {176, 120}}, 0, none, grey, 6},
        {IconShape::Lines, {{80, 140}, {150, 140}}, 0, none, grey, 6},
        {IconShape::Polygon, {{154, 196}, {138, 248}, {158, 238}, {172, 252}, {190, 200}}, 0, darkRed, none, 0},
        {IconShape::Circle, {{170, 182}}, 32, red, darkRed, 4},
        {IconShape::Circle, {{170, 182}}, 19, none, gold, 4},
    };
}

// A saved diploma: a plain page, not the framed sheet of the program, so
// that file managers tell the program from its documents.
QVector<IconShape> documentIconShapes()
{
    const QColor page(0xff, 0xff, 0xff), edge(0x70, 0x70, 0x70), fold(0xdc, 0xdc, 0xdc);
    const QColor navy(0x1f, 0x3a, 0x7a), grey(0x9c, 0x9c, 0x9c), red(0xc8, 0x24, 0x2f), darkRed(0x8e, 0x15, 0x20);
    const QColor gold(0xc8, 0x9b, 0x2c), none;
    return {
        {IconShape::Polygon, {{52, 12}, {164, 12}, {212, 60}, {212, 244}, {52, 244}}, 0, page, edge, 6},
        {IconShape::Polygon, {{164, 12}, {164, 60}, {212, 60}}, 0, fold, edge, 6},
        {IconShape::Lines, {{84, 84}, {180, 84}}, 0, none, navy, 12},
        {IconShape::Lines, {{80, 116}, {184, 116}}, 0, none, grey, 6},
        {IconShape::Lines, {{80, 136}, {184, 136}}, 0, none, grey, 6},
        {IconShape::Lines, {{80, 156}, {140, 156}}, 0, none, grey, 6},
        {IconShape::Circle, {{164, 200}}, 26, red, darkRed, 4},
        {IconShape::Circle, {{164, 200}}, 15, none, gold, 4},
    };
}

QImage paintIcon(const QVector<IconShape> &shapes, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / IconCanvas, size / IconCanvas);
    for (const IconShape &s : shapes) {
        painter.setBrush(s.fill.isValid() ? QBrush(s.fill) : QBrush(Qt::NoBrush));
        painter.setPen(s.stroke.isValid() ? QPen(s.stroke, s.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                                          : QPen(Qt::NoPen));
        switch (s.kind) {
        case IconShape::Rect: painter.drawRoundedRect(QRectF(s.points[0], s.points[1]), s.radius, s.radius); break;
        case IconShape::Circle: painter.drawEllipse(s.points[0], s.radius, s.radius); break;
        case IconShape::Lines: painter.drawPolyline(QPolygonF(s.points)); break;
        case IconShape::Polygon: painter.drawPolygon(QPolygonF(s.points)); break;
        }
    }
    painter.end();
    return image;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(paintIcon(programIconShapes(), size)));
    return icon;
}

} // namespace platform
