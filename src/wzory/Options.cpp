#include "Options.h"

#include "Store.h"

namespace wzory {

Options parseOptions(const QStringList &arguments)
{
    Options o;
    QStringList positional;
    bool fitGiven = false, pageGiven = false, numberGiven = false, widthGiven = false;
    platform::ArgumentCursor args(arguments);
    while (args.next()) {
        const QString &arg = args.name();
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help") || arg == QLatin1String("--pomoc")) {
            return Options{};
        } else if (arg == QLatin1String("--numer")) {
            o.number = args.integerValue(1, kMaxTemplateNumber);
            numberGiven = true;
        } else if (arg == QLatin1String("--dopasuj") || arg == QLatin1String("--wypelnij")) {
            const Fit fit = arg == QLatin1String("--dopasuj") ? Fit::Contain : Fit::Cover;
            if (fitGiven && fit != o.fit)
                throw UsageError(QStringLiteral("--dopasuj i --wypelnij wykluczają się"));
            o.fit = fit;
            fitGiven = true;
        } else if (arg == QLatin1String("--strona")) {
            o.page = args.integerValue(1, 100000);
            pageGiven = true;
        } else if (arg == QLatin1String("--nadpisz")) {
            o.overwrite = true;
        } else if (arg == QLatin1String("--obroc")) {
            o.rotate = true;
        } else if (arg == QLatin1String("--scisle")) {
            o.strict = true;
        } else if (arg == QLatin1String("--dla-wszystkich")) {
            o.forEveryone = true;
        } else if (arg == QLatin1String("--szerokosc")) {
            o.width = args.integerValue(16, 10000);
            widthGiven = true;
        } else if (args.isOption()) {
            throw UsageError(QStringLiteral("nieznana opcja %1").arg(args.argument()));
        } else {
            positional << args.argument();
        }
    }
    if (positional.isEmpty())
        throw UsageError(QStringLiteral("brak polecenia: dodaj, lista albo podglad"));
    const QString command = positional.takeFirst();
    const auto onlyFor = [&](bool given, const char *option, const char *forCommand) {
        if (given)
            throw UsageError(
                QStringLiteral("%1 dotyczy tylko polecenia %2").arg(QLatin1String(option), QLatin1String(forCommand)));
    };
    if (command == QLatin1String("dodaj")) {
        o.command = Command::Add;
        if (positional.size() != 1)
            throw UsageError(positional.isEmpty() ? QStringLiteral("dodaj: brak pliku z projektem")
                                                  : QStringLiteral("dodaj: nadmiarowy argument „%1”").arg(positional[1]));
        o.design = positional[0];
        onlyFor(widthGiven, "--szerokosc", "podglad");
    } else if (command == QLatin1String("lista")) {
        o.command = Command::List;
        if (!positional.isEmpty())
            throw UsageError(QStringLiteral("lista: nadmiarowy argument „%1”").arg(positional[0]));
        onlyFor(numberGiven, "--numer", "dodaj");
        onlyFor(fitGiven || pageGiven || o.overwrite, "--dopasuj, --wypelnij, --strona i --nadpisz", "dodaj");
        onlyFor(widthGiven, "--szerokosc", "podglad");
    } else if (command == QLatin1String("usun")) {
        o.command = Command::Remove;
        if (positional.size() != 1)
            throw UsageError(QStringLiteral("usun: podaj numer wzoru"));
        o.number = platform::integerArgument(QStringLiteral("usun"), positional[0], 1, kMaxTemplateNumber);
        onlyFor(numberGiven, "--numer", "dodaj");
        onlyFor(widthGiven, "--szerokosc", "podglad");
    } else if (command == QLatin1String("podglad")) {
        o.command = Command::Preview;
        if (positional.size() != 2)
            throw UsageError(QStringLiteral("podglad: podaj numer wzoru i plik PNG"));
        o.number = platform::integerArgument(QStringLiteral("podglad"), positional[0], 1, kMaxTemplateNumber);
        o.png = positional[1];
        onlyFor(numberGiven, "--numer", "dodaj");
        onlyFor(fitGiven || pageGiven || o.overwrite, "--dopasuj, --wypelnij, --strona i --nadpisz", "dodaj");
    } else {
        throw UsageError(QStringLiteral("nieznane polecenie „%1” (dodaj, lista, podglad, usun)").arg(command));
    }
    if (o.command != Command::Add)
        onlyFor(fitGiven || pageGiven || o.overwrite || o.rotate || o.strict || o.forEveryone,
                "--dopasuj, --wypelnij, --strona, --nadpisz, --obroc, --scisle i --dla-wszystkich", "dodaj");
    return o;
}

QString helpText()
{
    return QStringLiteral(
        "Użycie: dyplom-wzory dodaj PLIK [--numer N] [--dopasuj|--wypelnij] [--strona K] [--nadpisz]\n"
        "                                 [--obroc] [--scisle] [--dla-wszystkich]\n"
        "        dyplom-wzory lista\n"
        "        dyplom-wzory usun N\n"
        "        dyplom-wzory podglad N PLIK.png [--szerokosc PX]\n"
        "Katalog wzorów dyplomów w folderze Wzory bieżącego katalogu, a gdy go tu nie ma, w folderze\n"
        "użytkownika (~/.local/share/dyplom/Wzory), tym, który pokazuje edytor.\n"
        "\n"
        "  dodaj PLIK       zamienia projekt SVG, PNG, JPEG albo stronę PDF we wzór A4 (pionowo)\n"
        "                   i zapisuje go jako następny wolny Wzory/BDR_NNNN.wmf\n"
        "  --numer N        zapisuje jako wzór numer N (1 … 9999)\n"
        "  --dopasuj        cały projekt na arkuszu, wyśrodkowany (domyślnie)\n"
        "  --wypelnij       projekt pokrywa cały arkusz, nadmiar jest obcinany\n"
        "  --strona K       strona pliku PDF (domyślnie 1)\n"
        "  --nadpisz        pozwala zastąpić istniejący wzór\n"
        "  --obroc          obraca projekt o 90° (poziomy projekt wypełnia pionowy arkusz)\n"
        "  --scisle         ostrzeżenia (pominięte obrazy, różnice rysunku) są błędami\n"
        "  usun N           usuwa własny wzór N, jeśli ma najwyższy numer (wzorów z programu\n"
        "                   nie usuwa; środkowy zastąp: dodaj PLIK --numer N --nadpisz)\n"
        "  --dla-wszystkich wzór całej szkoły w /usr/local/share/dyplom/Wzory (przez sudo): każdy\n"
        "                   użytkownik dostaje go przy następnym uruchomieniu programu\n"
        "  lista            numer, rozmiar, pochodzenie (dołączony, szkoła, własny) i zawartość\n"
        "  podglad N PLIK.png\n"
        "                   rysuje wzór N do pliku PNG (--szerokosc, domyślnie 827 pikseli)\n"
        "  -h, --help       ta pomoc\n"
        "Kod wyjścia: 0 sukces, 1 błąd (komunikat podaje plik), 2 złe wywołanie.\n"
        "\n"
        "Usage: dyplom-wzory dodaj FILE [--numer N] [--dopasuj|--wypelnij] [--strona K] [--nadpisz]\n"
        "                                [--obroc] [--scisle] [--dla-wszystkich]\n"
        "       dyplom-wzory lista\n"
        "       dyplom-wzory usun N\n"
        "       dyplom-wzory podglad N FILE.png [--szerokosc PX]\n"
        "The diploma template catalogue in the folder Wzory of the current directory, or, when there\n"
        "is none, in the user's folder (~/.local/share/dyplom/Wzory), the one the editor shows.\n"
        "\n"
        "  dodaj FILE       turns an SVG, PNG, JPEG or a PDF page into an A4 portrait template\n"
        "                   stored as the next free Wzory/BDR_NNNN.wmf (\"add\")\n"
        "  --numer N        stores it as template number N (1 … 9999)\n"
        "  --dopasuj        the whole design on the sheet, centred (default, \"fit\")\n"
        "  --wypelnij       the design covers the sheet, the overhang is cut off (\"fill\")\n"
        "  --strona K       page of a PDF file (default 1)\n"
        "  --nadpisz        allows replacing an existing template (\"overwrite\")\n"
        "  --obroc          turns the design by 90° (a landscape design fills the sheet; \"turn\")\n"
        "  --scisle         warnings (images left out, drawing differences) are errors (\"strict\")\n"
        "  usun N           removes own template N if it has the highest number (never a shipped\n"
        "                   one; replace one in the middle: dodaj FILE --numer N --nadpisz; \"remove\")\n"
        "  --dla-wszystkich a design for the whole school in /usr/local/share/dyplom/Wzory (with sudo):\n"
        "                   every user gets it at the next start of a program (\"for everyone\")\n"
        "  lista            number, size, origin (shipped, school, own) and content (\"list\")\n"
        "  podglad N FILE.png\n"
        "                   draws template N into a PNG (--szerokosc, default 827 pixels; \"preview\")\n"
        "  -h, --help       this help\n"
        "Exit status: 0 success, 1 failure (the message names the file), 2 bad usage.\n");
}

} // namespace wzory
