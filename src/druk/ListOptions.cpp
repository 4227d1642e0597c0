#include "ListOptions.h"

#include "batch/merge/BuiltinFields.h"
#include "batch/merge/RowSelection.h"
#include "batch/table/TextDecoding.h"

#include <stdexcept>

namespace druk {

namespace {

QChar separatorArgument(const QString &value)
{
    const QString v = value.trimmed().toLower();
    if (value == QLatin1String("\t") || v == QLatin1String("tab") || v == QLatin1String("tabulator")
        || v == QLatin1String("\\t"))
        return QLatin1Char('\t');
    if (value == QLatin1String(";") || v == QLatin1String("srednik") || v == QStringLiteral("średnik"))
        return QLatin1Char(';');
    if (value == QLatin1String(",") || v == QLatin1String("przecinek"))
        return QLatin1Char(',');
    if (value == QLatin1String("|"))
        return QLatin1Char('|');
    throw UsageError(QStringLiteral("--separator: „%1”: podaj „;”, „,”, „|” albo tab").arg(value));
}

} // namespace

bool parseListOption(platform::ArgumentCursor &args, ListOptions &lists)
{
    const QString &arg = args.name();
    if (arg == QLatin1String("--separator")) {
        lists.separator = separatorArgument(args.value());
    } else if (arg == QLatin1String("--kodowanie")) {
        const QString typed = args.value();
        lists.encoding = batch::encodingName(typed);
        if (lists.encoding.isEmpty())
            throw UsageError(
                QStringLiteral("--kodowanie: nieznane kodowanie „%1” (znane: %2)").arg(typed, batch::knownEncodings()));
    } else if (arg == QLatin1String("--arkusz")) {
        lists.sheet = args.value();
    } else if (arg == QLatin1String("--wiersze")) {
        lists.rows = args.value();
        try {
            batch::RowSelection::parse(lists.rows);
        } catch (const std::invalid_argument &e) {
            throw UsageError(QString::fromUtf8(e.what()));
        }
    } else if (arg == QLatin1String("--dopasuj")) {
        lists.shrink = true;
    } else if (arg == QLatin1String("--wysrodkuj")) {
        lists.centre = true;
    } else if (arg == QLatin1String("--sprawdz")) {
        lists.check = true;
    } else if (arg == QLatin1String("--numer-od")) {
        lists.firstNumber = args.integerValue(0, 999999999);
        lists.firstNumberGiven = true;
    } else if (arg == QLatin1String("--data")) {
        lists.date = args.value();
        if (lists.date.trimmed().isEmpty())
            throw UsageError(QStringLiteral("--data: pusta wartość (RRRR-MM-DD albo tekst, np. „koniec czerwca 2026”)"));
        try {
            batch::diplomaDate(lists.date, QDate::currentDate());
        } catch (const std::invalid_argument &e) {
            throw UsageError(QString::fromUtf8(e.what()));
        }
    } else {
        return false;
    }
    return true;
}

void checkListOptions(const ListOptions &lists, bool hasList)
{
    if (hasList)
        return;
    if (!lists.separator.isNull())
        throw UsageError(QStringLiteral("--separator dotyczy listy: brak --lista"));
    if (!lists.encoding.isEmpty())
        throw UsageError(QStringLiteral("--kodowanie dotyczy listy: brak --lista"));
    if (!lists.sheet.isEmpty())
        throw UsageError(QStringLiteral("--arkusz dotyczy listy: brak --lista"));
    if (!lists.rows.isEmpty())
        throw UsageError(QStringLiteral("--wiersze dotyczy listy: brak --lista"));
    if (lists.firstNumber != 1)
        throw UsageError(QStringLiteral("--numer-od dotyczy listy: brak --lista"));
    if (!lists.date.isEmpty())
        throw UsageError(QStringLiteral("--data dotyczy listy: brak --lista"));
}

QString listOptionsHelpPolish()
{
    return QStringLiteral(
        "  --separator ZNAK         separator komórek listy: „;”, „,”, „|” albo tab (domyślnie wykrywany\n"
        "                           w plikach .csv, w innych plikach tylko tabulator)\n"
        "  --kodowanie NAZWA        kodowanie listy: utf-8, utf-16le, utf-16be, windows-1250, windows-1251\n"
        "  --arkusz NAZWA           arkusz pliku .xlsx lub .ods (domyślnie pierwszy)\n"
        "  --wiersze 5,12-14        tylko te rekordy listy (numerowane jak w --sprawdz)\n"
        "  --dopasuj                tekst za szeroki dla wolnego pola wzoru: mniejsza czcionka tego\n"
        "                           bloku w tym rekordzie, najwyżej do 60% wielkości\n"
        "  --wysrodkuj              teksty z listy wyśrodkowane w poziomie na wolnym polu wzoru\n"
        "  --sprawdz                czyta wszystko, niczego nie zapisuje, podaje podsumowanie;\n"
        "                           kod 1, gdy coś wymaga uwagi\n"
        "  --numer-od N             {Nr} pierwszego dyplomu (domyślnie 1)\n"
        "  --data RRRR-MM-DD|TEKST  {Data} dyplomów (domyślnie dziś, np. „19 czerwca 2026”)\n");
}

QString listOptionsHelpEnglish()
{
    return QStringLiteral(
        "  --separator CHAR         list cell separator: \";\", \",\", \"|\" or tab (default: detected\n"
        "                           in .csv files, only tab in other files)\n"
        "  --kodowanie NAME         list encoding: utf-8, utf-16le, utf-16be, windows-1250, windows-1251\n"
        "  --arkusz NAME            sheet of an .xlsx or .ods file (default: the first)\n"
        "  --wiersze 5,12-14        only these records of the list (numbered as --sprawdz lists them)\n"
        "  --dopasuj                a text too wide for the template's free area: a smaller font for\n"
        "                           that block in that record, down to 60% of its size\n"
        "  --wysrodkuj              texts from the list centred across the template's free area\n"
        "  --sprawdz                read everything, write nothing, print a summary; exit 1 when\n"
        "                           anything needs attention\n"
        "  --numer-od N             {Nr} of the first diploma (default 1)\n"
        "  --data YYYY-MM-DD|TEXT   {Data} of the diplomas (default today, as \"19 czerwca 2026\")\n");
}

QString listHelpPolish()
{
    return QStringLiteral(
        "\n"
        "LISTY\n"
        "Lista nazwisk: jedna osoba w wierszu. CSV (.csv): komórki rozdziela przecinek, średnik albo\n"
        "tabulator (wykrywany); w innych plikach tekstowych tylko tabulator, więc „Kowalski, Jan” to\n"
        "jedno nazwisko. Cudzysłowy jak w RFC 4180; złamanie wiersza w komórce drukuje się jako spacja.\n"
        "Arkusze .xlsx i .ods (pierwszy arkusz albo --arkusz) oraz .xls są czytane wprost.\n"
        "Nagłówek: dla, naglowek, tresc1 … tresc6 zastępują cały tekst; Imię i Nazwisko dają „Imię\n"
        "Nazwisko”; „Imię i nazwisko” i „Uczeń” to gotowe nazwisko; w „Nazwisko i imię” pierwsze słowo\n"
        "idzie na koniec. Każda kolumna jest też polem. Wiersze z samych separatorów i powtórzony\n"
        "nagłówek (połączone listy) są pomijane i liczone w podsumowaniu.\n"
        "Pola: każdy z ośmiu tekstów dyplomu może zawierać {Kolumna} (wielkość liter i polskie znaki\n"
        "bez znaczenia) albo literę kolumny {A}, {B} …; „{{” to sam nawias. Przykład: dla = „{Imię}\n"
        "{Nazwisko}”, treść 1 = „za zajęcie {Miejsce} miejsca w konkursie {Konkurs}”. Pole bez takiej\n"
        "kolumny to błąd przed zapisaniem czegokolwiek. Bez --lista teksty drukują się tak, jak wpisane.\n"
        "Pola stałe (kolumna o tej samej nazwie ma pierwszeństwo): {Nr} kolejny numer dyplomu od\n"
        "--numer-od (liczą się tylko drukowane rekordy), {Lp} numer rekordu na liście, {Data} (dziś\n"
        "albo --data), {Rok} (rok z --data RRRR-MM-DD, inaczej bieżący), {Imię i nazwisko} osoba tak,\n"
        "jak w tekście „dla”. Wzór numeru wpisuje się w tekst dyplomu: „Nr {Nr}/{Rok}/3b”.\n"
        "Zgoda z uczniem: {zajął|zajęła} daje pierwszy tekst chłopcu, drugi dziewczynce. Decyduje\n"
        "kolumna „Płeć” (K/M, kobieta/mężczyzna, dziewczynka/chłopiec; inna wartość to błąd z numerem\n"
        "wiersza), a bez niej imię: na -a żeńskie (poza Kuba, Barnaba, Kosma, Bonawentura, Jarema,\n"
        "Zawisza, Dyzma …), inne męskie (poza Nel, Beatrycze, Noemi, Abigail, Miriam, Ruth, Karmen,\n"
        "Dagmar …); imiona obu płci (Sasza, Nikita, Andrea …) i na inne samogłoski są niepewne.\n"
        "Odmiana: {Imię i nazwisko@D} w dopełniaczu („dla Jana Kowalskiego”, „dla Anny Nowak”),\n"
        "@C w celowniku („Janowi Kowalskiemu”); dotyczy każdego pola z imieniem lub nazwiskiem.\n"
        "Kolumna „Imię i nazwisko (D)” (albo „(C)”, dla innego pola „Pole (D)”) podana przez szkołę\n"
        "zawsze wygrywa. Niepewne płcie i formy są wymienione w ostrzeżeniach i w --sprawdz.\n"
        "Kodowanie: UTF-8 (z BOM lub bez), UTF-16 z BOM; gdy to nie UTF-8: Windows-1251, jeśli\n"
        "więcej słów składa się z samych bajtów powyżej 127 (cyrylica) niż ze słów z literami ASCII,\n"
        "inaczej Windows-1250. Plik w UTF-8 z kilkoma wierszami w innym kodowaniu: te wiersze jako\n"
        "Windows-1250, każdy z ostrzeżeniem. Wszystkie komunikaty idą na standardowe wyjście błędów.\n");
}

QString listHelpEnglish()
{
    return QStringLiteral(
        "\n"
        "LISTS\n"
        "A list of names: one person a line. CSV (.csv): cells separated by comma, semicolon or tab\n"
        "(detected); in other text files only by tab, so \"Kowalski, Jan\" stays one name. RFC 4180\n"
        "quoting; a line break inside a cell prints as a space. .xlsx and .ods (the first sheet or\n"
        "--arkusz) and .xls are read directly.\n"
        "Headers: dla, naglowek, tresc1 ... tresc6 replace the whole text; Imię and Nazwisko give\n"
        "\"Imię Nazwisko\"; \"Imię i nazwisko\" and \"Uczeń\" are the name as written; in \"Nazwisko i\n"
        "imię\" the first word moves to the end. Every column is also a field. Rows of separators\n"
        "only and a repeated header (joined lists) are skipped and counted in the summary.\n"
        "Fields: any of the diploma's eight texts may hold {Column} (letter case and Polish letters\n"
        "do not matter) or a column letter {A}, {B} ...; \"{{\" is a literal brace. Example: recipient\n"
        "\"{Imię} {Nazwisko}\", body line 1 \"za zajęcie {Miejsce} miejsca w konkursie {Konkurs}\". A\n"
        "field without such a column is an error before anything is written. Without --lista the\n"
        "texts print as typed.\n"
        "Built-in fields (a column of the same name wins): {Nr} the running number of the diploma from\n"
        "--numer-od (only records printed count), {Lp} the record's number in the list, {Data} (today\n"
        "or --data), {Rok} (the year of --data YYYY-MM-DD, else this year), {Imię i nazwisko} the\n"
        "person as in the recipient line. A number pattern is written in the text: \"Nr {Nr}/{Rok}/3b\".\n"
        "Agreement: {zajął|zajęła} gives the first text to a boy, the second to a girl. A column\n"
        "\"Płeć\" decides (K/M, kobieta/mężczyzna, dziewczynka/chłopiec; any other value is an error\n"
        "naming the line), else the first name: on -a female (but Kuba, Barnaba, Kosma, Bonawentura,\n"
        "Jarema, Zawisza, Dyzma ...), others male (but Nel, Beatrycze, Noemi, Abigail, Miriam, Ruth,\n"
        "Karmen, Dagmar ...); names given to both (Sasza, Nikita, Andrea ...) and on other vowels are\n"
        "unsure. Cases: {Imię i nazwisko@D} in the genitive (\"dla Jana Kowalskiego\"), @C in the\n"
        "dative (\"Janowi Kowalskiemu\"), for any field holding a name. A column \"Imię i nazwisko (D)\"\n"
        "(or \"(C)\"; \"Field (D)\" for another field) given by the school always wins. Unsure sexes and\n"
        "forms are listed in the warnings and by --sprawdz.\n"
        "Encoding: UTF-8 (with or without BOM), UTF-16 with BOM; when not UTF-8: Windows-1251 if more\n"
        "words consist only of bytes above 127 (Cyrillic) than hold ASCII letters, else Windows-1250.\n"
        "A UTF-8 file with a few lines in another encoding: those lines as Windows-1250, each with a\n"
        "warning. Every message goes to standard error.\n");
}

} // namespace druk
