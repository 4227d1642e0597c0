#include "FreeArea.h"

#include "wmf/Metafile.h"

#include <QHash>
#include <QImage>
#include <QMutex>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace batch {

namespace {

constexpr int SheetW = 210;
constexpr int SheetH = 297;
constexpr int Cell = 3;
constexpr int InkDifference = 48;

QRgb background(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = SheetH / 3; y < 2 * SheetH / 3; ++y)
        for (int x = SheetW / 4; x < 3 * SheetW / 4; ++x)
            ++counts[image.pixel(x, y) & 0xF0F0F0u];
    QRgb best = 0xFFFFFF;
    int bestCount = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > bestCount) {
            best = it.key();
            bestCount = it.value();
        }
    // The most frequent colour itself, not its rounded bucket.
    for (int y = SheetH / 3; y < 2 * SheetH / 3; ++y)
        for (int x = SheetW / 4; x < 3 * SheetW / 4; ++x)
            if ((image.pixel(x, y) & 0xF0F0F0u) == best)
                return image.pixel(x, y);
    return best;
}

bool differs(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) > InkDifference || std::abs(qGreen(a) - qGreen(b)) > InkDifference
           || std::abs(qBlue(a) - qBlue(b)) > InkDifference;
}

} // namespace

FreeArea findFreeArea(const wmf::Metafile &picture)
{
    QImage image(SheetW, SheetH, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!picture.isEmpty()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        try {
            picture.draw(painter, QRectF(0, 0, SheetW, SheetH));
        } catch (...) {
            // What was drawn before the damage still counts as ink.
        }
    }
    const QRgb paper = background(image);

    const int cols = SheetW / Cell;
    const int rows = SheetH / Cell;
    std::vector<char> ink(size_t(cols) * rows, 0);
    for (int y = 0; y < rows * Cell; ++y)
        for (int x = 0; x < cols * Cell; ++x)
            if (differs(image.pixel(x, y), paper))
                ink[size_t(y / Cell) * cols + x / Cell] = 1;
    const auto inked = [&](int c, int r) { return ink[size_t(r) * cols + c] != 0; };

    const int cc = cols / 2;
    const int cr = rows / 2;
    FreeArea area;
    if (inked(cc, cr))
        return area;
    // Free cells to the left and right of the centre column, row by row.
    std::vector<int> left(rows), right(rows);
    for (int r = 0; r < rows; ++r) {
        if (inked(cc, r)) {
            left[r] = right[r] = -1;
            continue;
        }
        int l = cc;
        while (l > 0 && !inked(l - 1, r))
            --l;
        int rr = cc;
        while (rr + 1 < cols && !inked(rr + 1, r))
            ++rr;
        left[r] = l;
        right[r] = rr;
    }
    long best = 0;
    QRect bestRect;
    for (int top = cr; top >= 0 && left[top] >= 0; --top) {
        int l = 0, r = cols - 1;
        for (int k = top; k < cr; ++k) {
            l = std::max(l, left[k]);
            r = std::min(r, right[k]);
        }
        for (int bottom = cr; bottom < rows && left[bottom] >= 0; ++bottom) {
            l = std::max(l, left[bottom]);
            r = std::min(r, right[bottom]);
            const long cells = long(r - l + 1) * (bottom - top + 1);
            if (cells > best) {
                best = cells;
                bestRect = QRect(l, top, r - l + 1, bottom - top + 1);
            }
        }
    }
    const QRectF rect(qreal(bestRect.left()) * Cell / SheetW, qreal(bestRect.top()) * Cell / SheetH,
                      qreal(bestRect.width()) * Cell / SheetW, qreal(bestRect.height()) * Cell / SheetH);
    if (rect.width() < 0.4 || rect.height() < 0.1)
        return area;
    area.found = true;
    area.rect = rect;
    return area;
}

FreeArea cachedFreeArea(const QString &key, const wmf::Metafile &picture)
{
    static QMutex mutex;
    static QHash<QString, FreeArea> cache;
    {
        QMutexLocker lock(&mutex);
        const auto found = cache.constFind(key);
        if (found != cache.constEnd())
            return *found;
    }
    const FreeArea area = findFreeArea(picture);
    QMutexLocker lock(&mutex);
    cache.insert(key, area);
    return area;
}

} // namespace batch
