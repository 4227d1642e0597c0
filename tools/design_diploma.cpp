// The diploma "Nowy dyplom z wzoru…" makes, written without the window (for
// the README's pictures):
//   dyplom-z-wzoru WZORY NUMER FOLDER   prints the path of the new .dyp
#include "klasa/DesignDiploma.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv); // the fonts are measured
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fputs("Użycie: dyplom-z-wzoru WZORY NUMER FOLDER\n", stderr);
        return 2;
    }
    QString error;
    const QMap<int, uklady::DesignInfo> table = uklady::layoutTableFor(args[1], &error);
    const int number = args[2].toInt();
    if (!table.contains(number)) {
        std::fprintf(
            stderr, "%s\n",
            qPrintable(error.isEmpty() ? QStringLiteral("Wzór nr %1 nie ma układu w tabeli.").arg(args[2]) : error));
        return 1;
    }
    try {
        const QString path = klasa::writeNewDiploma(args[3], table[number].title,
                                                    klasa::diplomaFromDesign(number, table[number]));
        std::printf("%s\n", qPrintable(path));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
