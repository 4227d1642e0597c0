#pragma once
#include "wmf/Metafile.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>

namespace wmftest {

inline QImage render(const wmf::Metafile &mf, int w, int h, QColor background = Qt::white)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(background);
    QPainter p(&img);
    mf.draw(p, QRectF(0, 0, w, h));
    return img;
}

inline bool isInk(QRgb c)
{
    return qRed(c) < 235 || qGreen(c) < 235 || qBlue(c) < 235;
}

// Share of pixels that are not white (near-white counts as background).
inline double inkShare(const QImage &img)
{
    qint64 ink = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ink += isInk(img.pixel(x, y));
    return double(ink) / (double(img.width()) * img.height());
}

// Renders so that the logical extent of what is drawn fills the image.
inline QImage renderDrawnExtent(const wmf::Metafile &mf, int w, int h)
{
    const QRectF f = mf.frame(), e = mf.drawnExtent();
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    if (e.width() <= 0 || e.height() <= 0)
        return img;
    const double sx = w / e.width(), sy = h / e.height();
    QPainter p(&img);
    mf.draw(p, QRectF((f.left() - e.left()) * sx, (f.top() - e.top()) * sy, f.width() * sx, f.height() * sy));
    return img;
}

// Renders so that what is drawn fills the image: a first pass finds the
// inked box, the second stretches the picture so that box fills w x h.
inline QImage renderExtent(const wmf::Metafile &mf, int w, int h)
{
    const int probeW = 1200, probeH = 1200;
    const QImage probe = render(mf, probeW, probeH);
    int l = probeW, t = probeH, r = -1, b = -1;
    for (int y = 0; y < probeH; ++y)
        for (int x = 0; x < probeW; ++x)
            if (isInk(probe.pixel(x, y))) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    if (r < l || b < t)
        return img;
    const double sx = double(w) / (r - l + 1), sy = double(h) / (b - t + 1);
    QPainter p(&img);
    mf.draw(p, QRectF(-l * sx, -t * sy, probeW * sx, probeH * sy));
    return img;
}

// Mean over a grid of cells of |ink share of a - ink share of b|.
inline double cellDifference(const QImage &a, const QImage &b, int grid = 8)
{
    double sum = 0;
    for (int gy = 0; gy < grid; ++gy)
        for (int gx = 0; gx < grid; ++gx) {
            const int x0 = a.width() * gx / grid, x1 = a.width() * (gx + 1) / grid;
            const int y0 = a.height() * gy / grid, y1 = a.height() * (gy + 1) / grid;
            qint64 ia = 0, ib = 0, n = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) {
                    ia += isInk(a.pixel(x, y));
                    ib += isInk(b.pixel(x, y));
                    ++n;
                }
            if (n)
                sum += std::abs(double(ia - ib)) / double(n);
        }
    return sum / (grid * grid);
}

// libwmf's renderer as an independent oracle: the PNG it draws of file,
// fitted into maxW x maxH, or a null image when the tool is missing or fails.
inline QImage oracleRender(const QString &file, int maxW, int maxH, const QTemporaryDir &tmp)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("wmf2gd"));
    if (tool.isEmpty())
        return {};
    const QString out = tmp.filePath(QStringLiteral("oracle.png"));
    QFile::remove(out);
    QProcess p;
    p.start(tool, {QStringLiteral("-t"), QStringLiteral("png"), QStringLiteral("--maxwidth=%1").arg(maxW),
                   QStringLiteral("--maxheight=%1").arg(maxH), QStringLiteral("-o"), out, file});
    if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    QImage img(out);
    return img.isNull() ? img : img.convertToFormat(QImage::Format_RGB32);
}

// The real-world corpus beside the checkout; DYPLOM_WMF_CORPUS points
// elsewhere (the plain-clone check points it at a folder that is not there).
inline QString corpusDir()
{
    const QString over = qEnvironmentVariable("DYPLOM_WMF_CORPUS");
    return over.isEmpty() ? qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/../shared/wmf-corpus") : over;
}

// The corpus files, or a one-line reason why there are none.
inline QStringList corpusFiles(QString *whyNone)
{
    const QDir dir(corpusDir());
    QStringList files;
    for (const QString &name : dir.entryList({QStringLiteral("*.wmf")}, QDir::Files, QDir::Name))
        files.append(dir.filePath(name));
    if (files.isEmpty())
        *whyNone = dir.exists() ? QStringLiteral("the metafile corpus %1 holds no *.wmf").arg(dir.path())
                                : QStringLiteral("the metafile corpus %1 is not here").arg(dir.path());
    return files;
}

inline bool haveOracle()
{
    return !QStandardPaths::findExecutable(QStringLiteral("wmf2gd")).isEmpty();
}

} // namespace wmftest
