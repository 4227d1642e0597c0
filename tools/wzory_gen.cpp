// Writes the template catalogue: wzory-gen <folder> gives
// <folder>/BDR_0001.wmf ... one file per template, the same bytes every run.
#include "TemplateArt.h"

#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wzory-gen <output folder>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    for (int n = 1; n <= wzory::templateCount(); ++n) {
        const QString name = dir + QStringLiteral("/BDR_%1.wmf").arg(n, 4, 10, QLatin1Char('0'));
        QFile f(name);
        const QByteArray bytes = wzory::makeTemplate(n);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
