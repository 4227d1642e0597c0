#pragma once
// Designs of our own making for the fidelity test, the fuzz seeds and the
// benchmark: PDF pages of several sizes and SVG files using the features
// real designs use. All of them are written here (no outside files).
#include "FileBytes.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QSizeF>
#include <QString>
#include <functional>
#include <vector>

namespace fidelity {

struct Design {
    QString name;
    QSizeF size; // PDF: points; SVG: its viewBox
    bool alsoCover = false;
    qint64 maxBytes = 0; // not 0: all vector, at most this large
};

// A certificate page: a border, a title, a disc and a gradient band.
inline void drawCertificate(QPdfWriter &pdf)
{
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(300);
    QPainter p(&pdf);
    const QRect all(0, 0, pdf.width(), pdf.height());
    p.fillRect(all, QColor(0xFB, 0xF6, 0xE8));
    p.setPen(QPen(QColor(0x7A, 0x1E, 0x2C), 40));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(60, 60, -60, -60));
    QLinearGradient band(0, 0, all.width(), 0);
    band.setColorAt(0, QColor(0xC0, 0x10, 0x10));
    band.setColorAt(1, QColor(0x5A, 0x2D, 0x0C));
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(QRect(200, 200, all.width() - 400, all.height() / 8));
    p.setBrush(QColor(0xC9, 0xA2, 0x27));
    p.drawEllipse(all.center(), all.width() / 8, all.width() / 8);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(all.width() / 14);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(0, all.height() * 3 / 4, all.width(), all.height() / 8), Qt::AlignCenter, QStringLiteral("Dyplom"));
}

inline bool writePdf(const QString &path, const QPageSize &size, QPageLayout::Orientation orientation)
{
    QPdfWriter pdf(path);
    pdf.setPageSize(size);
    pdf.setPageOrientation(orientation);
    drawCertificate(pdf);
    return true;
}

// Linear and radial gradients on a Letter page, as a drawing program's PDF
// export (cairo, through rsvg-convert) writes them: shadings, not images.
inline const QByteArray kGradientLetterSvg =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="8.5in" height="11in" viewBox="0 0 816 1056">
<defs><linearGradient id="g" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="#c00000"/><stop offset="1" stop-color="#5a2d0c"/></linearGradient>
<radialGradient id="r" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="#ffd700"/><stop offset="1" stop-color="#8b4513"/></radialGradient></defs>
<rect x="20" y="20" width="776" height="1016" fill="none" stroke="#1f3a68" stroke-width="12"/>
<rect x="100" y="100" width="616" height="300" fill="url(#g)"/>
<circle cx="408" cy="700" r="200" fill="url(#r)"/>
</svg>)svg";

// A certificate with a gold-gradient frame and a seal, as clip-art
// certificates are drawn.
inline const QByteArray kGoldFrameSvg =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="210mm" height="297mm" viewBox="0 0 210 297">
<defs>
<linearGradient id="gold" x1="0" y1="0" x2="1" y2="1">
<stop offset="0" stop-color="#8a6d1c"/><stop offset="0.25" stop-color="#f5dc84"/><stop offset="0.5" stop-color="#b08d2e"/>
<stop offset="0.75" stop-color="#f8e6a0"/><stop offset="1" stop-color="#7a5c12"/></linearGradient>
<radialGradient id="seal" cx="0.4" cy="0.4" r="0.6"><stop offset="0" stop-color="#ffe9a8"/><stop offset="1" stop-color="#a0761a"/></radialGradient>
</defs>
<rect width="210" height="297" fill="#fdf8ea"/>
<rect x="8" y="8" width="194" height="281" fill="none" stroke="url(#gold)" stroke-width="7"/>
<rect x="16" y="16" width="178" height="265" fill="none" stroke="#7a5c12" stroke-width="0.6"/>
<circle cx="105" cy="230" r="22" fill="url(#seal)" stroke="#7a5c12" stroke-width="1"/>
<rect x="40" y="60" width="130" height="3" fill="#1f3a68"/>
</svg>)svg";

// Four nested frames stroked with one diagonal gold gradient, every length
// in millimetres and no viewBox, as a drawing program exports an A4 page.
inline QByteArray goldFramesInMmSvg()
{
    QByteArray svg = R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="210mm" height="297mm">
<defs><linearGradient id="gold" x1="0%" y1="0%" x2="100%" y2="100%"><stop offset="0" stop-color="#8a6d1d"/>
<stop offset="0.5" stop-color="#f5e08a"/><stop offset="1" stop-color="#8a6d1d"/></linearGradient></defs>
)svg";
    for (int i = 0; i < 4; ++i) {
        const QByteArray inset = QByteArray::number(8 + 6 * i);
        svg += "<rect x=\"" + inset + "mm\" y=\"" + inset + "mm\" width=\"" + QByteArray::number(210 - 2 * (8 + 6 * i))
               + "mm\" height=\"" + QByteArray::number(297 - 2 * (8 + 6 * i))
               + "mm\" fill=\"none\" stroke=\"url(#gold)\" stroke-width=\"2.5mm\"/>\n";
    }
    return svg + "</svg>\n";
}

// Radial gradients on strokes (a ring, a rounded frame) and gradients on
// text, filled and outlined.
inline const QByteArray kGradientStrokesAndTextSvg =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="210mm" height="297mm" viewBox="0 0 210 297">
<defs><linearGradient id="gold" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#8a6d1d"/>
<stop offset="0.5" stop-color="#f5e08a"/><stop offset="1" stop-color="#8a6d1d"/></linearGradient>
<radialGradient id="ring" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="#f5e08a"/><stop offset="1" stop-color="#7a1e2c"/></radialGradient></defs>
<circle cx="105" cy="200" r="40" fill="none" stroke="url(#ring)" stroke-width="6"/>
<rect x="20" y="250" width="170" height="30" rx="6" fill="none" style="stroke:url(#ring);stroke-width:1mm"/>
<text x="105" y="80" text-anchor="middle" font-family="DejaVu Serif" font-size="22" font-weight="bold" fill="url(#gold)">DYPLOM</text>
<text x="105" y="120" text-anchor="middle" font-family="DejaVu Sans" font-size="12" fill="url(#ring)" stroke="url(#gold)" stroke-width="0.3">uznania dla ucznia</text>
</svg>)svg";

// A gradient background with four gradient frames.
inline QByteArray fourFramesSvg()
{
    QByteArray svg = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 210 297"><defs>
<linearGradient id="bg" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#fffaf0"/><stop offset="1" stop-color="#f0e0c0"/></linearGradient>)svg";
    const char *colours[] = {"#7a1e2c", "#1f3a68", "#1e5631", "#8a6d1c"};
    for (int i = 0; i < 4; ++i)
        svg += QByteArray("<linearGradient id=\"f") + QByteArray::number(i)
               + "\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"0\">"
                 "<stop offset=\"0\" stop-color=\""
               + colours[i]
               + "\"/><stop offset=\"0.5\" stop-color=\"#f5dc84\"/>"
                 "<stop offset=\"1\" stop-color=\""
               + colours[i] + "\"/></linearGradient>";
    svg += R"svg(</defs><rect width="210" height="297" fill="url(#bg)"/>)svg";
    for (int i = 0; i < 4; ++i) {
        const int inset = 6 + 7 * i;
        svg += "<rect x=\"" + QByteArray::number(inset) + "\" y=\"" + QByteArray::number(inset) + "\" width=\""
               + QByteArray::number(210 - 2 * inset) + "\" height=\"" + QByteArray::number(297 - 2 * inset)
               + "\" fill=\"none\" stroke=\"url(#f" + QByteArray::number(i) + ")\" stroke-width=\"4\"/>";
    }
    return svg + "</svg>";
}

// Features Qt's SVG renderer does not draw, one design each, as drawing
// programs write them (our own files, written here).
struct FeatureSvg {
    const char *name;
    const char *body; // inside <svg viewBox="0 0 200 200">
};

inline const std::vector<FeatureSvg> &featureSvgs()
{
    static const std::vector<FeatureSvg> all = {
        {"przyciecie.svg", R"svg(<defs><clipPath id="c"><circle cx="100" cy="100" r="70"/></clipPath></defs>
<rect x="10" y="10" width="180" height="180" fill="#1f3a68"/>
<g clip-path="url(#c)"><rect x="0" y="0" width="200" height="100" fill="#c9a227"/><rect x="0" y="100" width="200" height="100" fill="#7a1e2c"/></g>)svg"},
        {"maska.svg",
         R"svg(<defs><linearGradient id="fade" x1="0" x2="1"><stop offset="0" stop-color="#fff"/><stop offset="1" stop-color="#000"/></linearGradient>
<mask id="m"><rect width="200" height="200" fill="url(#fade)"/></mask></defs>
<rect x="20" y="20" width="160" height="160" fill="#1e5631" mask="url(#m)"/>)svg"},
        {"znaczniki.svg", R"svg(<defs><marker id="dot" viewBox="0 0 10 10" refX="5" refY="5" markerWidth="6" markerHeight="6">
<circle cx="5" cy="5" r="4" fill="#7a1e2c"/></marker></defs>
<polyline points="20,180 60,40 100,160 140,30 180,170" fill="none" stroke="#1f3a68" stroke-width="3"
 marker-start="url(#dot)" marker-mid="url(#dot)" marker-end="url(#dot)"/>)svg"},
        {"desen.svg", R"svg(<defs><pattern id="p" width="20" height="20" patternUnits="userSpaceOnUse">
<rect width="20" height="20" fill="#fdf8ea"/><circle cx="10" cy="10" r="5" fill="#c9a227"/></pattern></defs>
<rect x="10" y="10" width="180" height="180" fill="url(#p)" stroke="#7a5c12" stroke-width="4"/>)svg"},
        {"filtr.svg",
         R"svg(<defs><filter id="blur" x="-20%" y="-20%" width="140%" height="140%"><feGaussianBlur stdDeviation="6"/></filter></defs>
<circle cx="100" cy="100" r="60" fill="#1f3a68" filter="url(#blur)"/><circle cx="100" cy="100" r="30" fill="#c9a227"/>)svg"},
        {"gradient-obrocony.svg",
         R"svg(<defs><radialGradient id="g" cx="0.5" cy="0.5" r="0.5" gradientTransform="translate(0.5 0.5) scale(1 0.4) rotate(30) translate(-0.5 -0.5)">
<stop offset="0" stop-color="#ffe9a8"/><stop offset="1" stop-color="#7a1e2c"/></radialGradient></defs>
<rect x="10" y="10" width="180" height="180" fill="url(#g)"/>)svg"},
        {"wiersze.svg", R"svg(<rect x="5" y="5" width="190" height="190" fill="none" stroke="#1f3a68" stroke-width="2"/>
<text font-family="DejaVu Sans" font-size="16" fill="#000"><tspan x="20" y="60">Szkoła Podstawowa nr 1</tspan>
<tspan x="20" y="90">ul. Długa 5</tspan><tspan x="20" y="120">00-001 Warszawa</tspan></text>)svg"},
        {"mieszanie.svg", R"svg(<rect x="20" y="20" width="120" height="120" fill="#c9a227"/>
<circle cx="130" cy="130" r="60" fill="#1f3a68" style="mix-blend-mode:multiply"/>)svg"},
        {"style-css.svg",
         R"svg(<style>.rama { fill: none; stroke: #7a1e2c; stroke-width: 8 } rect.tlo { fill: #fdf8ea }</style>
<rect class="tlo" width="200" height="200"/><rect class="rama" x="20" y="20" width="160" height="160"/>)svg"},
        {"obraz-obok.svg", R"svg(<rect x="10" y="10" width="180" height="180" fill="#fdf8ea"/>
<image x="50" y="50" width="100" height="100" xlink:href="logo.png"/>)svg"},
    };
    return all;
}

inline QByteArray featureSvg(const FeatureSvg &f)
{
    return QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                      "width=\"200\" height=\"200\" viewBox=\"0 0 200 200\">\n")
           + f.body + "\n</svg>\n";
}

// The logo the linked-image design shows, beside it.
inline QByteArray logoPng()
{
    QImage logo(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            logo.setPixel(x, y, (x / 16 + y / 16) % 2 ? qRgb(0x1f, 0x3a, 0x68) : qRgb(0xc9, 0xa2, 0x27));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    logo.save(&buffer, "PNG");
    return bytes;
}

inline bool convertWithRsvg(const QByteArray &svg, const QString &out, const char *format)
{
    const QString source = out + QStringLiteral(".zrodlo.svg");
    writeBytes(source, svg);
    QProcess p;
    p.start(QStringLiteral("rsvg-convert"),
            {QStringLiteral("-f"), QLatin1String(format), QStringLiteral("-o"), out, source});
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

inline const std::vector<Design> &designs()
{
    static const std::vector<Design> all = [] {
        std::vector<Design> d = {
            {QStringLiteral("a4.pdf"), QSizeF(595.28, 841.89), true},
            {QStringLiteral("letter.pdf"), QSizeF(612, 792), true},
            {QStringLiteral("a4-poziomo.pdf"), QSizeF(841.89, 595.28), true},
            {QStringLiteral("gradienty-letter.pdf"), QSizeF(612, 792), false},
            {QStringLiteral("zlota-rama.svg"), QSizeF(210, 297), false},
            {QStringLiteral("cztery-ramy.svg"), QSizeF(210, 297), false},
            {QStringLiteral("ramy-gradient-mm.svg"), QSizeF(793.7007874, 1122.519685), false, 128 * 1024},
            {QStringLiteral("gradient-obrys-tekst.svg"), QSizeF(210, 297), false, 1024 * 1024},
        };
        for (const FeatureSvg &f : featureSvgs())
            d.push_back({QString::fromLatin1(f.name), QSizeF(200, 200), false});
        return d;
    }();
    return all;
}

// Writes the named design into folder; its path, empty if it cannot be made.
inline QString write(const QString &name, const QString &folder)
{
    const QString path = folder + QLatin1Char('/') + name;
    if (name == QLatin1String("a4.pdf"))
        return writePdf(path, QPageSize(QPageSize::A4), QPageLayout::Portrait) ? path : QString();
    if (name == QLatin1String("letter.pdf"))
        return writePdf(path, QPageSize(QPageSize::Letter), QPageLayout::Portrait) ? path : QString();
    if (name == QLatin1String("a4-poziomo.pdf"))
        return writePdf(path, QPageSize(QPageSize::A4), QPageLayout::Landscape) ? path : QString();
    if (name == QLatin1String("gradienty-letter.pdf"))
        return convertWithRsvg(kGradientLetterSvg, path, "pdf") ? path : QString();
    if (name == QLatin1String("zlota-rama.svg"))
        return writeBytes(path, kGoldFrameSvg), path;
    if (name == QLatin1String("cztery-ramy.svg"))
        return writeBytes(path, fourFramesSvg()), path;
    if (name == QLatin1String("ramy-gradient-mm.svg"))
        return writeBytes(path, goldFramesInMmSvg()), path;
    if (name == QLatin1String("gradient-obrys-tekst.svg"))
        return writeBytes(path, kGradientStrokesAndTextSvg), path;
    for (const FeatureSvg &f : featureSvgs())
        if (name == QLatin1String(f.name)) {
            writeBytes(folder + QStringLiteral("/logo.png"), logoPng());
            writeBytes(path, featureSvg(f));
            return path;
        }
    return {};
}

inline QSizeF designSize(const QString &path)
{
    for (const Design &d : designs())
        if (path.endsWith(QLatin1Char('/') + d.name))
            return d.size;
    return {};
}

} // namespace fidelity
