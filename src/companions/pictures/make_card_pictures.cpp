// Draws the business card's pictures: the 220 x 245 colour JPEG and the
// three 17 x 17 sixteen-colour button glyphs. Run once by hand; the output
// is committed next to this file:
//   cmake --build <build> --target make_card_pictures
//   QT_QPA_PLATFORM=offscreen <build>/src/companions/make_card_pictures src/companions/pictures
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>

namespace {

// The 16 colours of the standard palette; fuchsia is the glyphs'
// transparent colour (the bottom-left pixel).
const QVector<QRgb> Palette16 = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};
const QColor Clear(255, 0, 255);

QImage card()
{
    QImage img(220, 245, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 245);
    sky.setColorAt(0, QColor(46, 84, 150));
    sky.setColorAt(1, QColor(170, 205, 235));
    p.fillRect(img.rect(), sky);

    // A diploma sheet, tilted, with a double frame and lines of "text".
    p.save();
    p.translate(110, 118);
    p.rotate(-8);
    const QRectF sheet(-72, -92, 144, 184);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRect(sheet.translated(5, 6));
    p.setBrush(QColor(252, 246, 226));
    p.drawRect(sheet);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(150, 110, 40), 2.2));
    p.drawRect(sheet.adjusted(7, 7, -7, -7));
    p.setPen(QPen(QColor(150, 110, 40), 0.8));
    p.drawRect(sheet.adjusted(11, 11, -11, -11));
    for (int k = 0; k < 12; ++k) { // guilloche band along the top
        const qreal x = -52 + k * 9.5;
        p.drawEllipse(QPointF(x, -70), 7, 4);
    }
    p.setPen(QPen(QColor(40, 60, 120), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-38, -48), QPointF(38, -48));
    p.setPen(QPen(QColor(110, 110, 110), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 6; ++k) {
        const qreal w = (k % 2) ? 44 : 52;
        p.drawLine(QPointF(-w, -26 + k * 12), QPointF(w, -26 + k * 12));
    }
    p.restore();

    // A red seal with two ribbons at the lower right.
    const QPointF seal(158, 190);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 20, 30));
    QPainterPath ribbon;
    ribbon.moveTo(seal + QPointF(-8, 4));
    ribbon.lineTo(seal + QPointF(-22, 46));
    ribbon.lineTo(seal + QPointF(-12, 40));
    ribbon.lineTo(seal + QPointF(-6, 50));
    ribbon.lineTo(seal + QPointF(4, 6));
    ribbon.moveTo(seal + QPointF(8, 4));
    ribbon.lineTo(seal + QPointF(22, 46));
    ribbon.lineTo(seal + QPointF(12, 40));
    ribbon.lineTo(seal + QPointF(6, 50));
    ribbon.lineTo(seal + QPointF(-4, 6));
    p.drawPath(ribbon);
    QPainterPath star;
    for (int k = 0; k < 24; ++k) {
        const qreal a = k * M_PI / 12;
        const qreal r = (k % 2) ? 20 : 24;
        const QPointF pt = seal + QPointF(r * qCos(a), r * qSin(a));
        if (k == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    QRadialGradient wax(seal - QPointF(6, 6), 26);
    wax.setColorAt(0, QColor(235, 70, 60));
    wax.setColorAt(1, QColor(140, 15, 20));
    p.setBrush(wax);
    p.drawPath(star);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 210, 120), 1.5));
    p.drawEllipse(seal, 13, 13);

    // A quill across the upper left.
    QPainterPath quill;
    quill.moveTo(20, 120);
    quill.cubicTo(40, 60, 70, 25, 105, 12);
    quill.cubicTo(85, 40, 60, 80, 20, 120);
    QLinearGradient feather(20, 120, 105, 12);
    feather.setColorAt(0, QColor(250, 250, 250));
    feather.setColorAt(1, QColor(200, 170, 90));
    p.setPen(QPen(QColor(120, 90, 30), 1));
    p.setBrush(feather);
    p.drawPath(quill);
    p.setPen(QPen(QColor(90, 70, 30), 1.4));
    p.drawLine(QPointF(14, 128), QPointF(100, 18));
    p.end();
    return img;
}

QImage glyph(void (*draw)(QPainter &))
{
    QImage img(17, 17, QImage::Format_RGB32);
    img.fill(Clear);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    draw(p);
    p.end();
    return img.convertToFormat(QImage::Format_Indexed8, Palette16, Qt::ThresholdDither | Qt::AvoidDither);
}

void drawGlobe(QPainter &p)
{
    p.setPen(QColor(0, 0, 128));
    p.setBrush(QColor(0, 0, 255));
    p.drawEllipse(1, 1, 14, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    p.drawRect(4, 4, 4, 3);
    p.drawRect(5, 7, 3, 3);
    p.drawRect(10, 8, 3, 4);
    p.setPen(QColor(0, 255, 255));
    p.drawLine(2, 8, 14, 8);
    p.drawLine(8, 2, 8, 14);
    p.setPen(QColor(255, 255, 255));
    p.drawPoint(5, 3);
}

void drawEnvelope(QPainter &p)
{
    p.setPen(QColor(0, 0, 0));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(1, 4, 14, 9);
    p.drawLine(1, 4, 8, 10);
    p.drawLine(15, 4, 8, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawRect(11, 6, 3, 3);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(2, 14, 16, 14);
}

void drawClose(QPainter &p)
{
    p.setPen(QColor(128, 128, 128));
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(1, 1, 14, 14);
    p.setPen(QColor(0, 0, 128));
    p.setBrush(QColor(0, 0, 128));
    p.drawRect(2, 2, 12, 2);
    p.setPen(QPen(QColor(128, 0, 0), 2));
    p.drawLine(5, 7, 11, 13);
    p.drawLine(11, 7, 5, 13);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_card_pictures <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    bool ok = card().save(out + QStringLiteral("wizytowka.jpg"), "JPEG", 90);
    ok = glyph(drawGlobe).save(out + QStringLiteral("www.png"), "PNG") && ok;
    ok = glyph(drawEnvelope).save(out + QStringLiteral("poczta.png"), "PNG") && ok;
    ok = glyph(drawClose).save(out + QStringLiteral("zamknij.png"), "PNG") && ok;
    return ok ? 0 : 1;
}
