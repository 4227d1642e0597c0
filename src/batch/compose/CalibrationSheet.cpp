#include "CalibrationSheet.h"

#include "CorrectedPdf.h"
#include "PageTargets.h"
#include "PdfComposer.h"
#include "batch/output/Failure.h"
#include "batch/output/StagedOutputs.h"

#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPen>

namespace batch {

namespace {

constexpr double SheetWidthMm = 210, SheetHeightMm = 297;

// Draws in millimetres.
class MmPainter {
public:
    MmPainter(QPainter &p, double dotsPerMm) : p_(p), k_(dotsPerMm) {}
    void line(double x1, double y1, double x2, double y2) { p_.drawLine(QLineF(x1 * k_, y1 * k_, x2 * k_, y2 * k_)); }
    void text(double x, double y, double w, double h, int flags, const QString &s)
    {
        p_.drawText(QRectF(x * k_, y * k_, w * k_, h * k_), flags, s);
    }
    void pen(double widthMm) { p_.setPen(QPen(Qt::black, widthMm * k_, Qt::SolidLine, Qt::FlatCap)); }
    void font(double points, bool bold = false)
    {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSizeF(points);
        f.setBold(bold);
        p_.setFont(f);
    }
    void circle(double x, double y, double r) { p_.drawEllipse(QPointF(x * k_, y * k_), r * k_, r * k_); }

private:
    QPainter &p_;
    double k_;
};

// Ticks from an edge inwards: 3 mm each millimetre, 5 mm each fifth, 8 mm
// and a number each tenth.
void rulers(MmPainter &m)
{
    m.pen(0.12);
    m.font(6);
    const auto tick = [](int mm) { return mm % 10 == 0 ? 8.0 : mm % 5 == 0 ? 5.0 : 3.0; };
    for (int x = 1; x < SheetWidthMm; ++x) {
        m.line(x, 0, x, tick(x));
        m.line(x, SheetHeightMm, x, SheetHeightMm - tick(x));
        if (x % 10 == 0) {
            m.text(x - 5, 8.5, 10, 3, Qt::AlignHCenter | Qt::AlignTop, QString::number(x));
            m.text(x - 5, SheetHeightMm - 11.5, 10, 3, Qt::AlignHCenter | Qt::AlignBottom, QString::number(x));
        }
    }
    for (int y = 1; y < SheetHeightMm; ++y) {
        m.line(0, y, tick(y), y);
        m.line(SheetWidthMm, y, SheetWidthMm - tick(y), y);
        if (y % 10 == 0 && y > 15 && y < SheetHeightMm - 15) { // the corners' numbers are the other rulers'
            m.text(8.5, y - 1.5, 10, 3, Qt::AlignLeft | Qt::AlignVCenter, QString::number(y));
            m.text(SheetWidthMm - 18.5, y - 1.5, 10, 3, Qt::AlignRight | Qt::AlignVCenter, QString::number(y));
        }
    }
}

} // namespace

void drawCalibrationSheet(QPainter &painter, double dotsPerMm, const PrintCorrection &applied)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    MmPainter m(painter, dotsPerMm);
    rulers(m);

    m.pen(0.2);
    m.line(CrossXMm - 20, CrossYMm, CrossXMm + 20, CrossYMm);
    m.line(CrossXMm, CrossYMm - 20, CrossXMm, CrossYMm + 20);
    m.circle(CrossXMm, CrossYMm, 5);
    m.font(9, true);
    m.text(CrossXMm + 3, CrossYMm + 3, 90, 5, Qt::AlignLeft | Qt::AlignTop,
           QStringLiteral("%1 mm od lewej, %2 mm od góry")
               .arg(QString::number(CrossXMm), QString::number(CrossYMm).replace(QLatin1Char('.'), QLatin1Char(','))));

    m.font(14, true);
    m.text(25, 25, 160, 8, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Kalibracja drukarki"));
    m.font(9);
    m.text(25, 36, 160, 70, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
           QStringLiteral("1. Wydrukuj arkusz na zwykłym papierze A4 w rozmiarze rzeczywistym (bez dopasowania do strony).\n"
                          "2. Zmierz linijką odległość środka krzyżyka od lewej krawędzi kartki (powinno być 105 mm) "
                          "i od górnej (powinno być 148,5 mm).\n"
                          "3. Przesunięcie to odległość zmierzona minus podana, w prawo i w dół na plus: "
                          "np. 106,5 mm od lewej daje X = 1,5, a 147 mm od góry daje Y = −1,5.\n"
                          "4. Wpisz X i Y w oknie „Kalibracja drukarki…” programu Dyplomy dla klasy "
                          "albo w terminalu:\n    dyplom-druk --kalibracja-ustaw KOLEJKA X,Y\n"
                          "5. Nieobowiązkowo: zmierz odcinek od kreski 10 do 200 górnej linijki (190 mm) i od 10 do 280 "
                          "lewej (270 mm); błąd skali w % = (zmierzone − wzorcowe) / wzorcowe × 100."));
    if (!applied.isNone()) {
        m.font(9, true);
        m.text(25, 200, 160, 30, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Ten arkusz wydrukowano z zapamiętanym przesunięciem drukarki (%1): krzyżyk powinien "
                              "leżeć dokładnie w podanym miejscu. Żeby zmierzyć drukarkę od nowa, usuń kalibrację "
                              "i wydrukuj arkusz jeszcze raz.")
                   .arg(describeCorrection(applied)));
    }
    painter.restore();
}

void writeCalibrationSheet(OutputFile &output, const PrintCorrection &correction)
{
    ScratchFolder scratch;
    const std::unique_ptr<OutputFile> drawn = scratch.create(QStringLiteral("arkusz.pdf"));
    const printing::SheetGeometry geometry = printing::SheetGeometry::a4(600);
    {
        PdfTarget target(*drawn, geometry, QStringLiteral("Kalibracja drukarki"));
        drawCalibrationSheet(target.startPage(), geometry.dpi / 25.4, correction);
        target.finish();
    }
    try {
        writeCorrectedPdf(drawn->path(), correction, output);
    } catch (const PdfComposeError &e) {
        throw Failure(output.path(), QStringLiteral("nie można zapisać pliku PDF (%1)").arg(QString::fromUtf8(e.what())));
    }
    output.finish();
}

} // namespace batch
