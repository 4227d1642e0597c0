#include "SeedMetafiles.h"

#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wmf-make-seeds <folder>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    int n = 0;
    for (const QByteArray &b : wmfseeds::seedMetafiles()) {
        QFile f(dir + QStringLiteral("/seed_%1.wmf").arg(++n));
        if (!f.open(QIODevice::WriteOnly) || f.write(b) != b.size())
            return 1;
    }
    return 0;
}
