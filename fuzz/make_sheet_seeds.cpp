#include "SheetSamples.h"

#include <QDir>
#include <QFile>
#include <cstdio>

// Writes <fuzz folder>/corpus-xlsx and corpus-ods: whole files, and sheet XML
// alone (the fuzz entries pack it into a file). corpus-xls holds files written
// by python3-xlwt (tests/spreadsheets/sheetwriter.py), an independent writer,
// as are corpus-xlsx/openpyxl_* and corpus-ods/odfpy_*.
int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: sheet-make-seeds <fuzz folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QByteArray xmlXlsx = "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" s=\"1\"><v>45464.5</v></c>"
                               "<c r=\"C1\" t=\"inlineStr\"><is><t>x</t></is></c></row><row><c t=\"b\"><v>0</v></c>"
                               "<c s=\"2\"><v>0.125</v></c></row>";
    const QByteArray xmlOds = "<table:table table:name=\"A\"><table:table-row table:number-rows-repeated=\"2\">"
                              "<table:table-cell office:value-type=\"float\" office:value=\"4.5\" "
                              "table:number-columns-repeated=\"3\"/></table:table-row></table:table>";
    const struct {
        const char *folder;
        std::vector<QByteArray> seeds;
    } sets[] = {{"corpus-xlsx", sheetsamples::xlsxSeeds()}, {"corpus-ods", sheetsamples::odsSeeds()}};
    for (const auto &set : sets) {
        const QString dir = root + QLatin1Char('/') + QLatin1String(set.folder);
        QDir().mkpath(dir);
        std::vector<QByteArray> seeds = set.seeds;
        seeds.push_back(QByteArray(set.folder) == "corpus-xlsx" ? xmlXlsx : xmlOds);
        int n = 0;
        for (const QByteArray &b : seeds) {
            QFile f(dir + QStringLiteral("/seed_%1").arg(++n));
            if (!f.open(QIODevice::WriteOnly) || f.write(b) != b.size())
                return 1;
        }
    }
    return 0;
}
