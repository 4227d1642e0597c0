#include "SeedMetafiles.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

bool save(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

// Writes the small seed files of fuzz/corpus and the costly ones
// (hostile_*.wmf, all of them 64 kB at most).
int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wmf-make-seeds <folder>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    int n = 0;
    for (const QByteArray &b : wmfseeds::seedMetafiles())
        if (!save(dir + QStringLiteral("/seed_%1.wmf").arg(++n), b))
            return 1;
    for (const wmfseeds::NamedMetafile &m : wmfseeds::hostileMetafiles())
        if (!save(dir + QLatin1Char('/') + m.name, m.bytes))
            return 1;
    return 0;
}
