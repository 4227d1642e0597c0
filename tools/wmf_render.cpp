// Renders a Windows Metafile to PNG with our player:
//   wmf-render in.wmf out.png [width height]
// Without a size, the picture is drawn at 96 pixels per inch of its frame.
#include "wmf/Metafile.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: wmf-render in.wmf out.png [width height]\n");
        return 2;
    }
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    try {
        const wmf::Metafile mf = wmf::Metafile::fromBytes(f.readAll());
        const QRectF frame = mf.frame();
        int w = 0, h = 0;
        if (argc >= 5) {
            w = std::atoi(argv[3]);
            h = std::atoi(argv[4]);
        } else {
            const double perInch = mf.unitsPerInch() > 0 ? mf.unitsPerInch() : 96.0;
            w = std::max(1, qRound(frame.width() * 96.0 / perInch));
            h = std::max(1, qRound(frame.height() * 96.0 / perInch));
        }
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        mf.draw(p, QRectF(0, 0, w, h));
        p.end();
        if (!img.save(QString::fromLocal8Bit(argv[2])))
            return 1;
    } catch (const wmf::MetafileError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
