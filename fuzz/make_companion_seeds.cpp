// Writes <fuzz folder>/corpus-archive and corpus-ics from the entries' seeds.
#include "ArchiveFuzzEntry.h"
#include "IcsFuzzEntry.h"

#include "SeedFolder.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: companion-make-seeds <fuzz folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    if (!writeSeedFolder(root + QStringLiteral("/corpus-archive"), "seed", archiveSeeds())
        || !writeSeedFolder(root + QStringLiteral("/corpus-ics"), "seed", icsSeeds())) {
        std::fprintf(stderr, "companion-make-seeds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
