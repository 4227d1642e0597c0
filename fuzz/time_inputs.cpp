// Times what the metafile fuzz target does with each input, at every size
// whatever the preview took: parse, then draw at 47 x 61, 189 x 281 and
// 496 x 702, each also mirrored. Prints the slowest inputs first; build it
// without sanitizers to see what the program would spend.
//   wmf-time-inputs [--over SECONDS] file-or-folder...
// Exit status 1 when an input takes longer than --over (default 2 s).
#include "wmf/Metafile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>
#include <vector>

namespace {

double drawAll(const QByteArray &bytes)
{
    const std::clock_t start = std::clock();
    try {
        const wmf::Metafile mf = wmf::Metafile::fromBytes(bytes);
        for (const QSize size : {QSize(47, 61), QSize(189, 281), QSize(496, 702)}) {
            QImage canvas(size, QImage::Format_RGB32);
            canvas.fill(Qt::white);
            QPainter p(&canvas);
            const QRectF whole(0, 0, size.width(), size.height());
            mf.draw(p, whole);
            mf.draw(p, QRectF(whole.right() - 5, whole.bottom() - 5, -whole.width() + 10, -whole.height() + 10));
        }
    } catch (const wmf::MetafileError &) {}
    return double(std::clock() - start) / CLOCKS_PER_SEC;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    double over = 2.0;
    QStringList paths;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--over" && i + 1 < argc)
            over = std::atof(argv[++i]);
        else
            paths << QString::fromLocal8Bit(argv[i]);
    }
    if (paths.isEmpty()) {
        std::fprintf(stderr, "usage: wmf-time-inputs [--over SECONDS] file-or-folder...\n");
        return 2;
    }
    QStringList files;
    for (const QString &p : paths) {
        if (QFileInfo(p).isDir()) {
            const QDir dir(p);
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
                files << dir.filePath(name);
        } else {
            files << p;
        }
    }
    std::vector<std::pair<double, QString>> times;
    double total = 0;
    for (const QString &path : files) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const double s = drawAll(f.readAll());
        total += s;
        times.emplace_back(s, path);
    }
    std::sort(times.begin(), times.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    std::printf("%zu inputs, %.1f s CPU in all\n", times.size(), total);
    for (size_t i = 0; i < times.size() && i < 10; ++i)
        std::printf("%8.1f ms  %s\n", times[i].first * 1000, qPrintable(times[i].second));
    return !times.empty() && times.front().first > over ? 1 : 0;
}
