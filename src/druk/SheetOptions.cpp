#include "SheetOptions.h"

namespace druk {

bool parseSheetOption(platform::ArgumentCursor &args, SheetOptions &sheets)
{
    const QString &arg = args.name();
    if (arg == QLatin1String("--papier")) {
        const QString typed = args.value();
        sheets.layout.paper = batch::paperName(typed);
        if (sheets.layout.paper.isEmpty())
            throw UsageError(QStringLiteral("--papier: nieznany papier „%1” (znane: %2)")
                                 .arg(typed, batch::paperNames().join(QStringLiteral(", "))));
    } else if (arg == QLatin1String("--poziomo")) {
        sheets.layout.landscape = true;
    } else if (arg == QLatin1String("--na-arkuszu")) {
        const QString typed = args.value();
        const int n = platform::integerArgument(arg, typed, 1, 4);
        if (n == 3)
            throw UsageError(QStringLiteral("--na-arkuszu: „%1”: podaj 1, 2 albo 4").arg(typed));
        sheets.layout.perSheet = n;
    } else if (arg == QLatin1String("--od-pozycji")) {
        sheets.start = args.integerValue(1, 4);
        sheets.startGiven = true;
    } else {
        return false;
    }
    return true;
}

void checkSheetOptions(const Options &o)
{
    const batch::SheetLayout &layout = o.sheets.layout;
    const QString error = batch::layoutError(layout);
    if (!error.isEmpty())
        throw UsageError(QStringLiteral("--na-arkuszu %1: %2").arg(layout.perSheet).arg(error));
    if (o.sheets.startGiven && layout.perSheet == 1)
        throw UsageError(QStringLiteral("--od-pozycji dotyczy kilku dyplomów na arkuszu: brak --na-arkuszu 2 albo 4"));
    if (o.sheets.start > layout.perSheet)
        throw UsageError(QStringLiteral("--od-pozycji %1: na arkuszu są tylko %2 pozycje (1 … %2)")
                             .arg(o.sheets.start)
                             .arg(layout.perSheet));
    if (layout.isPlain())
        return;
    if (!o.pngDir.isEmpty())
        throw UsageError(QStringLiteral("--png rysuje strony A4: bez --papier, --poziomo i --na-arkuszu"));
    if (!o.printableMm.isEmpty())
        throw UsageError(QStringLiteral("--obszar dotyczy arkusza A4: bez --papier, --poziomo i --na-arkuszu"));
}

QString sheetOptionsHelpPolish()
{
    return QStringLiteral(
        "  --papier A4|A5|A6|Letter papier dyplomu (domyślnie A4); wzór i teksty są rozciągane do niego\n"
        "  --poziomo                dyplom w poziomie\n"
        "  --na-arkuszu 1|2|4       dyplomów na jednym arkuszu: 2 × A5 albo 4 × A6 na A4, 2 × A6 na A5,\n"
        "                           obrócone, jeśli trzeba, z cienkimi znacznikami cięcia na marginesie\n"
        "  --od-pozycji N           pierwszy dyplom na pozycji N częściowo zużytego arkusza (-o i -P;\n"
        "                           pozycje liczone wierszami od lewej górnej)\n");
}

QString sheetOptionsHelpEnglish()
{
    return QStringLiteral(
        "  --papier A4|A5|A6|Letter the diploma's paper (default A4); template and texts are stretched to it\n"
        "  --poziomo                the diploma lies across (landscape)\n"
        "  --na-arkuszu 1|2|4       diplomas per sheet: 2 x A5 or 4 x A6 on A4, 2 x A6 on A5, turned as\n"
        "                           needed, with thin cut marks in the margin\n"
        "  --od-pozycji N           the first diploma at position N of a partly used sheet (-o and -P;\n"
        "                           positions row by row from the top left)\n");
}

} // namespace druk
