// Writes <fuzz folder>/corpus-archive and corpus-ics from the entries' seeds.
#include "ArchiveFuzzEntry.h"
#include "IcsFuzzEntry.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

bool writeAll(const QString &dir, const char *stem, const std::vector<QByteArray> &seeds)
{
    QDir().mkpath(dir);
    int n = 0;
    for (const QByteArray &b : seeds) {
        QFile f(dir + QStringLiteral("/%1_%2").arg(QLatin1String(stem)).arg(++n));
        if (!f.open(QIODevice::WriteOnly) || f.write(b) != b.size())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: companion-make-seeds <fuzz folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    if (!writeAll(root + QStringLiteral("/corpus-archive"), "seed", archiveSeeds())
        || !writeAll(root + QStringLiteral("/corpus-ics"), "seed", icsSeeds())) {
        std::fprintf(stderr, "companion-make-seeds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
