#include "Options.h"
#include "ListOptions.h"
#include "SheetOptions.h"

#include <QRegularExpression>

namespace druk {

namespace {

// "SZERxWYS" or "SZERxWYS+LEWY+GÓRNY" in millimetres.
QRectF areaArgument(const QString &value)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d+(?:[.,]\d+)?)\s*[xX×]\s*(\d+(?:[.,]\d+)?)(?:\+(\d+(?:[.,]\d+)?)\+(\d+(?:[.,]\d+)?))?\s*$)"));
    const auto m = re.match(value);
    const auto number = [&](int i) { return m.captured(i).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(); };
    if (!m.hasMatch())
        throw UsageError(QStringLiteral("--obszar: „%1” nie ma postaci SZERxWYS[+LEWY+GÓRNY] (milimetry)").arg(value));
    const QRectF area(m.captured(3).isEmpty() ? 0 : number(3), m.captured(4).isEmpty() ? 0 : number(4), number(1),
                      number(2));
    if (area.width() < 1 || area.height() < 1 || area.right() > 210.0001 || area.bottom() > 297.0001)
        throw UsageError(QStringLiteral("--obszar: „%1” nie mieści się na arkuszu A4 (210 × 297 mm)").arg(value));
    return area;
}

batch::PrintCorrection correctionArgument(const QString &option, const QString &value)
{
    QString error;
    const std::optional<batch::PrintCorrection> c = batch::parseCorrection(value, &error);
    if (!c)
        throw UsageError(QStringLiteral("%1: %2").arg(option, error));
    return *c;
}

} // namespace

Options parseOptions(const QStringList &arguments)
{
    Options o;
    const auto isValueless = [](const QString &s) { return s.isEmpty() || s.startsWith(QLatin1Char('-')); };
    platform::ArgumentCursor args(arguments);
    while (args.next()) {
        const QString &arg = args.name();

        if (arg == QLatin1String("-h") || arg == QLatin1String("--help") || arg == QLatin1String("--pomoc")) {
            o.help = true;
        } else if (arg == QLatin1String("-o") || arg == QLatin1String("--wyjscie")) {
            o.output = args.value();
        } else if (arg == QLatin1String("-P") || arg == QLatin1String("--drukarka")) {
            o.toPrinter = true;
            // -P alone is the default printer; a following .dyp is the diploma.
            const QString next = args.following();
            if (args.hasInlineValue())
                o.printerName = args.value();
            else if (!isValueless(next) && !next.endsWith(QLatin1String(".dyp"), Qt::CaseInsensitive))
                o.printerName = args.takeFollowing();
        } else if (arg.startsWith(QLatin1String("-P")) && arg.size() > 2 && !arg.startsWith(QLatin1String("--"))) {
            o.toPrinter = true;
            o.printerName = arg.mid(2);
        } else if (arg == QLatin1String("-r") || arg == QLatin1String("--rozdzielczosc")) {
            o.printerDpi = args.integerValue(13, 9600);
            o.printerDpiGiven = true;
        } else if (arg == QLatin1String("--obszar")) {
            o.printableMm = areaArgument(args.value());
        } else if (arg == QLatin1String("--margin-wz-l")) {
            o.templateLeft = args.integerValue(-100000, 100000);
        } else if (arg == QLatin1String("--margin-wz-g")) {
            o.templateTop = args.integerValue(-100000, 100000);
        } else if (arg == QLatin1String("--lista")) {
            o.list = args.value();
        } else if (arg == QLatin1String("--bez-naglowka")) {
            o.noHeader = true;
        } else if (arg == QLatin1String("--osobno")) {
            o.separateDir = args.value();
        } else if (arg == QLatin1String("--nadpisz")) {
            o.overwrite = true;
        } else if (arg == QLatin1String("--png")) {
            o.pngDir = args.value();
        } else if (arg == QLatin1String("--dpi")) {
            o.pngDpi = args.integerValue(10, 1200);
        } else if (arg == QLatin1String("--katalog")) {
            o.catalogue = args.value();
        } else if (arg == QLatin1String("--wzory")) {
            o.templatesDir = args.value();
        } else if (arg == QLatin1String("--bez-tla")) {
            o.noTextBackground = true;
        } else if (arg == QLatin1String("--bez-wzoru")) {
            o.textOnly = true;
        } else if (arg == QLatin1String("--kalibracja")) {
            o.calibrationSheet = true;
        } else if (arg == QLatin1String("--przesuniecie")) {
            o.correction = correctionArgument(arg, args.value());
        } else if (arg == QLatin1String("--kalibracja-ustaw")) {
            o.calibrationQueue = args.value();
            if (args.following().isEmpty())
                throw UsageError(QStringLiteral("--kalibracja-ustaw %1: brak przesunięcia X,Y").arg(o.calibrationQueue));
            o.storedCorrection = correctionArgument(arg, args.takeFollowing());
        } else if (arg == QLatin1String("--kalibracja-usun")) {
            o.calibrationQueue = args.value();
            o.removeCalibration = true;
        } else if (arg == QLatin1String("--scisle")) {
            o.strict = true;
        } else if (parseListOption(args, o.lists)) {
        } else if (parseCeremonyOption(args, o.ceremony)) {
        } else if (parseSheetOption(args, o.sheets)) {
        } else if (args.isOption()) {
            throw UsageError(QStringLiteral("nieznana opcja %1").arg(args.argument()));
        } else if (o.diploma.isEmpty()) {
            o.diploma = arg;
        } else {
            throw UsageError(QStringLiteral("nadmiarowy argument „%1” (plik dyplomu to już „%2”)").arg(arg, o.diploma));
        }
    }
    if (o.help)
        return o;
    if (o.correction && !o.toPrinter)
        throw UsageError(QStringLiteral("--przesuniecie dotyczy tylko drukarki (-P): pliki nie są przesuwane"));
    if (o.storedCorrection && o.removeCalibration)
        throw UsageError(QStringLiteral("--kalibracja-ustaw i --kalibracja-usun wykluczają się"));
    if (!o.calibrationQueue.isEmpty()) {
        if (!o.diploma.isEmpty() || o.calibrationSheet || o.toPrinter || !o.output.isEmpty())
            throw UsageError(QStringLiteral("--kalibracja-ustaw i --kalibracja-usun działają same, bez innych wyjść"));
        return o;
    }
    if (o.calibrationSheet) {
        if (!o.diploma.isEmpty() || !o.list.isEmpty() || !o.separateDir.isEmpty() || !o.pngDir.isEmpty()
            || !o.catalogue.isEmpty())
            throw UsageError(QStringLiteral("--kalibracja drukuje sam arkusz: bez dyplomu, listy, --osobno, --png"));
        if (o.output.isEmpty() == !o.toPrinter)
            throw UsageError(QStringLiteral("--kalibracja: podaj -o ARKUSZ.pdf albo -P [DRUKARKA]"));
        return o;
    }
    checkCeremonyOptions(o.ceremony, o.diploma, !o.list.isEmpty());
    const bool anyOutput = !o.output.isEmpty() || o.toPrinter || !o.separateDir.isEmpty() || !o.pngDir.isEmpty();
    if (o.diploma.isEmpty() && o.catalogue.isEmpty())
        throw UsageError(QStringLiteral("brak pliku dyplomu (.dyp)"));
    if (!o.diploma.isEmpty() && !anyOutput && !o.lists.check)
        throw UsageError(QStringLiteral("brak wyjścia: podaj -o PLIK.pdf, -P, --osobno KATALOG lub --png KATALOG"));
    if (o.diploma.isEmpty() && anyOutput)
        throw UsageError(QStringLiteral("-o, -P, --osobno i --png potrzebują pliku dyplomu (.dyp)"));
    if (!o.list.isEmpty() && o.diploma.isEmpty())
        throw UsageError(QStringLiteral("--lista potrzebuje pliku dyplomu (.dyp)"));
    if (o.noHeader && o.list.isEmpty())
        throw UsageError(QStringLiteral("--bez-naglowka dotyczy listy CSV: brak --lista"));
    checkListOptions(o.lists, !o.list.isEmpty());
    checkSheetOptions(o);
    return o;
}

QString helpText()
{
    return QStringLiteral("Użycie: dyplom-druk DYPLOM.dyp [-o WYJŚCIE.pdf] [-P [DRUKARKA]] [opcje]\n"
                          "        dyplom-druk --lista LISTA --rodzaj KOLUMNA WARTOŚĆ=PLIK.dyp … [DYPLOM.dyp] [-o …]\n"
                          "        dyplom-druk --katalog KATALOG.pdf\n"
                          "        dyplom-druk --kalibracja (-o ARKUSZ.pdf | -P [DRUKARKA])\n"
                          "        dyplom-druk --kalibracja-ustaw DRUKARKA X,Y[,SKALA_X,SKALA_Y]\n"
                          "        dyplom-druk --kalibracja-usun DRUKARKA\n"
                          "Drukuje dyplom tak, jak polecenie „Drukuj dyplom” edytora, bez okna dialogowego.\n"
                          "Wzór jest szukany w folderze Wzory bieżącego katalogu, a gdy go tam nie ma,\n"
                          "we wzorach użytkownika (~/.local/share/dyplom/Wzory) albo zainstalowanych\n"
                          "z programem (/usr/share/dyplom/Wzory). Brak wzoru to błąd: nic nie zostaje\n"
                          "zapisane.\n"
                          "\n"
                          "  -o, --wyjscie PLIK.pdf   dyplom (albo wszystkie strony listy) do jednego pliku PDF;\n"
                          "                           -o - : PDF na standardowe wyjście (| lp, > plik.pdf)\n"
                          "  -P [DRUKARKA]            do drukarki CUPS o tej nazwie; samo -P: drukarka domyślna\n"
                          "  -r, --rozdzielczosc DPI  rozdzielczość drukarki dla PDF i PNG (domyślnie 600)\n"
                          "  --obszar SZERxWYS[+LEWY+GÓRNY]\n"
                          "                           obszar wydruku w mm na arkuszu A4 (domyślnie cały arkusz)\n"
                          "  --margin-wz-l N          przesunięcie wzoru w poziomie (jak „Margines lewy”)\n"
                          "  --margin-wz-g N          przesunięcie wzoru w pionie (jak „Margines górny”)\n"
                          "  --lista PLIK             jedna strona na rekord listy: lista nazwisk (.txt), CSV, plik\n"
                          "                           z tabulatorami, arkusz .xlsx, .ods lub .xls (zob. LISTY niżej)\n"
                          "  --bez-naglowka           pierwszy wiersz listy to dane, nie nagłówek\n")
           + listOptionsHelpPolish() + ceremonyHelpPolish()
           + QStringLiteral("  --osobno KATALOG         osobny PDF dla każdej osoby, nazwany jej nazwiskiem\n"
                            "  --nadpisz                pozwala zastąpić istniejące pliki w --osobno, plik innego rodzaju\n"
                            "                           (-o, który nie jest PDF-em, obraz, który nie jest PNG),\n"
                            "                           dowiązanie do nieistniejącego pliku i plik, który powstał\n"
                            "                           w trakcie pracy\n"
                            "  --png KATALOG            strony jako obrazy PNG (strona-001.png …)\n"
                            "  --dpi N                  rozdzielczość obrazów PNG (domyślnie 150)\n"
                            "  --bez-tla                teksty bez białego tła, wzór widać pod nimi\n"
                            "  --bez-wzoru              same teksty, bez wzoru: do papieru z nadrukiem dyplomu\n")
           + sheetOptionsHelpPolish()
           + QStringLiteral(
               "  --kalibracja             arkusz kalibracji A4 (krzyżyk, linijki, instrukcja) do -o albo -P\n"
               "  --kalibracja-ustaw DRUKARKA X,Y[,SX,SY]\n"
               "                           zapamiętuje przesunięcie drukarki zmierzone na arkuszu: X, Y w mm\n"
               "                           (w prawo i w dół na plus, ±50), SX, SY błąd skali w % (±10);\n"
               "                           każdy wydruk -P na tę drukarkę jest przesuwany odwrotnie; osobno\n"
               "                           dla każdego arkusza (A4, albo ten, który dają --papier i --na-arkuszu)\n"
               "  --kalibracja-usun DRUKARKA  usuwa zapamiętane przesunięcie drukarki\n"
               "  --przesuniecie X,Y[,SX,SY]  przesunięcie drukarki na ten jeden wydruk -P (zamiast\n"
               "                           zapamiętanego); 0,0: bez przesunięcia. Pliki PDF i PNG nigdy\n"
               "                           nie są przesuwane. Z ';' między liczbami wolno pisać przecinek\n"
               "                           dziesiętny: \"1,5;-2\"\n"
               "  --katalog PLIK.pdf       katalog wszystkich wzorów z numerami, 9 na stronie\n"
               "  --wzory KATALOG          folder ze wzorami BDR_nnnn.wmf\n"
               "  --scisle                 uszkodzony wzór, tekst poza arkuszem albo poza wolnym polem wzoru,\n"
               "                           zgadnięta płeć ucznia lub niepewna odmiana nazwiska to błąd (kod 1,\n"
               "                           nic nie jest zapisane); bez tej opcji: ostrzeżenie\n"
               "  -h, --help               ta pomoc\n"
               "Pliki powstają w całości albo wcale: nieudane wywołanie niczego nie zmienia. Wyjście nie może\n"
               "być plikiem wejściowym ani plikiem .dyp, urządzeniem, kolejką FIFO ani plikiem tylko do\n"
               "odczytu; dowiązanie symboliczne innego użytkownika w katalogu wspólnym (jak /tmp) nie jest\n"
               "używane. Pliki tymczasowe (.dyplom-druk-HOST-ID_STARTU-PID-…) powstają obok wyjścia i w $TMPDIR;\n"
               "kolejne wywołanie usuwa te, które zostawił przerwany proces tego komputera (tylko gdy\n"
               "już nie działa).\n"
               "Kod wyjścia: 0 sukces, 1 błąd (komunikat podaje plik), 2 złe wywołanie.\n")
           + listHelpPolish()
           + QStringLiteral("\n"
                            "Usage: dyplom-druk DIPLOMA.dyp [-o OUT.pdf] [-P [PRINTER]] [options]\n"
                            "       dyplom-druk --lista LIST --rodzaj COLUMN VALUE=FILE.dyp ... [DIPLOMA.dyp] [-o ...]\n"
                            "       dyplom-druk --katalog CATALOGUE.pdf\n"
                            "       dyplom-druk --kalibracja (-o SHEET.pdf | -P [PRINTER])\n"
                            "       dyplom-druk --kalibracja-ustaw PRINTER X,Y[,SCALE_X,SCALE_Y]\n"
                            "       dyplom-druk --kalibracja-usun PRINTER\n"
                            "Prints a diploma as the editor's print command does, without a dialog.\n"
                            "The template is looked up in the folder Wzory of the current directory, else in\n"
                            "the user's templates (~/.local/share/dyplom/Wzory) or the installed ones\n"
                            "(/usr/share/dyplom/Wzory). A missing template is a failure: nothing is\n"
                            "written.\n"
                            "\n"
                            "  -o, --wyjscie FILE.pdf   the diploma (or every page of a list) into one PDF;\n"
                            "                           -o - : the PDF to standard output (| lp, > file.pdf)\n"
                            "  -P [PRINTER]             to the CUPS printer of that name; -P alone: default printer\n"
                            "  -r, --rozdzielczosc DPI  printer resolution for PDF and PNG (default 600)\n"
                            "  --obszar WxH[+LEFT+TOP]  printable area in mm on an A4 sheet (default: whole sheet)\n"
                            "  --margin-wz-l N          template shift across (the editor's \"Margines lewy\")\n"
                            "  --margin-wz-g N          template shift down (the editor's \"Margines górny\")\n"
                            "  --lista FILE             one page per record of a list: names (.txt), CSV, a tab-separated\n"
                            "                           file, an .xlsx, .ods or .xls spreadsheet (see LISTS below)\n"
                            "  --bez-naglowka           the list's first row is data, not a header\n")
           + listOptionsHelpEnglish() + ceremonyHelpEnglish()
           + QStringLiteral("  --osobno DIR             one PDF per person, named after the person\n"
                            "  --nadpisz                allow replacing existing files in --osobno, a file of another\n"
                            "                           kind (an -o file that is not a PDF, a picture that is not a\n"
                            "                           PNG), a dangling link and a file that appeared meanwhile\n"
                            "  --png DIR                pages as PNG pictures (strona-001.png ...)\n"
                            "  --dpi N                  resolution of the PNG pictures (default 150)\n"
                            "  --bez-tla                texts without their white cells, the template shows beneath\n"
                            "  --bez-wzoru              the texts only, no template: for pre-printed diploma paper\n")
           + sheetOptionsHelpEnglish()
           + QStringLiteral(
               "  --kalibracja             an A4 calibration sheet (cross, rulers, instructions) to -o or -P\n"
               "  --kalibracja-ustaw PRINTER X,Y[,SX,SY]\n"
               "                           stores the printer's shift measured on the sheet: X, Y in mm\n"
               "                           (right and down positive, ±50), SX, SY its scale error in %\n"
               "                           (±10); every -P print to that printer is moved back; one per sheet\n"
               "                           (A4, or the one --papier and --na-arkuszu give)\n"
               "  --kalibracja-usun PRINTER  forgets the printer's stored shift\n"
               "  --przesuniecie X,Y[,SX,SY]  the printer's shift for this one -P run (in place of the\n"
               "                           stored one); 0,0: none. PDF and PNG files are never shifted.\n"
               "                           With ';' between the numbers a decimal comma is allowed\n"
               "  --katalog FILE.pdf       catalogue of all templates with their numbers, 9 per page\n"
               "  --wzory DIR              the folder of the templates BDR_nnnn.wmf\n"
               "  --scisle                 strict: a damaged template, a text off the sheet or over the\n"
               "                           template's border, a pupil's sex guessed or a name's form\n"
               "                           unsure is an error (exit 1, nothing written); without it:\n"
               "                           a warning\n"
               "  -h, --help               this help\n"
               "Files are written whole or not at all: a failed run changes nothing. An output may not\n"
               "be an input file, a .dyp file, a device, a FIFO nor a read-only file; another user's\n"
               "symbolic link in a shared folder (such as /tmp) is not followed. Temporary files\n"
               "(.dyplom-druk-HOST-BOOTID-PID-...) are made beside the output and in $TMPDIR; a later\n"
               "run removes those a stopped process of this host left (only once it no longer runs).\n"
               "Exit status: 0 success, 1 failure (the message names the file), 2 bad usage.\n")
           + listHelpEnglish();
}

} // namespace druk
