#pragma once
#include "PdfFacts.h"
#include "ProgramRun.h"

#include <QImage>
#include <QPointF>
#include <QProcess>
#include <QRectF>

// Where things landed on a rendered page, in millimetres from its top-left
// corner.

// dyplom-druk with args; the settings (calibrations) under configHome.
inline ProgramResult runDrukIn(const QString &configHome, const QStringList &args)
{
    QProcessEnvironment env = environmentWithoutRuntimeDir();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    return runProgram(builtProgram(QStringLiteral("dyplom-druk")), args, env);
}

inline bool isInk(QRgb pixel)
{
    return qGray(pixel) < 160;
}

// The bounding box of the ink inside areaMm (empty when none).
inline QRectF inkBoundsMm(const QImage &image, int dpi, const QRectF &areaMm)
{
    const double k = dpi / 25.4;
    const QRect area = QRect(int(areaMm.left() * k), int(areaMm.top() * k), int(areaMm.width() * k),
                             int(areaMm.height() * k))
                           .intersected(image.rect());
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isInk(image.pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {};
    return QRectF(left / k, top / k, (right + 1 - left) / k, (bottom + 1 - top) / k);
}

// The centre of a cross of long thin lines inside areaMm: the rows and
// columns mostly inked along their length, averaged.
inline QPointF crossCentreMm(const QImage &image, int dpi, const QRectF &areaMm, double minLineMm = 25)
{
    const double k = dpi / 25.4;
    const QRect area = QRect(int(areaMm.left() * k), int(areaMm.top() * k), int(areaMm.width() * k),
                             int(areaMm.height() * k))
                           .intersected(image.rect());
    const int minRun = int(minLineMm * k);
    double sx = 0, nx = 0, sy = 0, ny = 0;
    for (int x = area.left(); x <= area.right(); ++x) {
        int ink = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            ink += isInk(image.pixel(x, y)) ? 1 : 0;
        if (ink >= minRun) {
            sx += (x + 0.5) * ink;
            nx += ink;
        }
    }
    for (int y = area.top(); y <= area.bottom(); ++y) {
        int ink = 0;
        for (int x = area.left(); x <= area.right(); ++x)
            ink += isInk(image.pixel(x, y)) ? 1 : 0;
        if (ink >= minRun) {
            sy += (y + 0.5) * ink;
            ny += ink;
        }
    }
    if (nx == 0 || ny == 0)
        return {-1, -1};
    return {sx / nx / k, sy / ny / k};
}
