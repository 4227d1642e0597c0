#include "RecordSeeds.h"

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

// Writes <fuzz folder>/corpus-diploma, corpus-history and corpus-lists.
int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: record-make-seeds <fuzz folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const bool ok = writeAll(root + QStringLiteral("/corpus-diploma"), "seed", recordseeds::diplomaSeeds())
                    && writeAll(root + QStringLiteral("/corpus-history"), "seed", recordseeds::historySeeds())
                    && writeAll(root + QStringLiteral("/corpus-lists"), "seed", recordseeds::nameListSeeds());
    return ok ? 0 : 1;
}
