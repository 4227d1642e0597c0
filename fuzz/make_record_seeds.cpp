#include "RecordSeeds.h"

#include "SeedFolder.h"

#include <cstdio>

// Writes <fuzz folder>/corpus-diploma, corpus-history and corpus-lists.
int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: record-make-seeds <fuzz folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const bool ok = writeSeedFolder(root + QStringLiteral("/corpus-diploma"), "seed", recordseeds::diplomaSeeds())
                    && writeSeedFolder(root + QStringLiteral("/corpus-history"), "seed", recordseeds::historySeeds())
                    && writeSeedFolder(root + QStringLiteral("/corpus-lists"), "seed", recordseeds::nameListSeeds());
    return ok ? 0 : 1;
}
