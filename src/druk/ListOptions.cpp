#include "ListOptions.h"

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
        "                           kod 1, gdy coś wymaga uwagi\n");
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
        "                           anything needs attention\n");
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
        "Encoding: UTF-8 (with or without BOM), UTF-16 with BOM; when not UTF-8: Windows-1251 if more\n"
        "words consist only of bytes above 127 (Cyrillic) than hold ASCII letters, else Windows-1250.\n"
        "A UTF-8 file with a few lines in another encoding: those lines as Windows-1250, each with a\n"
        "warning. Every message goes to standard error.\n");
}

} // namespace druk
