#include "CeremonyOptions.h"

#include <stdexcept>

namespace druk {

using platform::UsageError;

bool parseCeremonyOption(platform::ArgumentCursor &args, CeremonyOptions &ceremony)
{
    const QString &arg = args.name();
    if (arg == QLatin1String("--rodzaj")) {
        if (!ceremony.kindColumn.isEmpty())
            throw UsageError(QStringLiteral("--rodzaj podane dwa razy (jedna kolumna decyduje o rodzaju)"));
        ceremony.kindColumn = args.value();
        if (ceremony.kindColumn.trimmed().isEmpty())
            throw UsageError(QStringLiteral("--rodzaj: pusta nazwa kolumny"));
        // The pairs follow the column: "1,2,3=miejsce.dyp" "=udzial.dyp" …
        for (QString next = args.following(); next.contains(QLatin1Char('=')) && !next.startsWith(QLatin1Char('-'));
             next = args.following())
            ceremony.kindPairs.append(args.takeFollowing());
    } else if (arg == QLatin1String("--rodzaj-domyslny")) {
        ceremony.kindDefault = args.value();
    } else if (arg == QLatin1String("--grupuj")) {
        ceremony.group = true;
    } else if (arg == QLatin1String("--rejestr")) {
        ceremony.registerFile = args.value();
        if (!ceremony.registerFile.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
            && !ceremony.registerFile.endsWith(QLatin1String(".ods"), Qt::CaseInsensitive))
            throw UsageError(QStringLiteral("--rejestr %1: rejestr to plik .csv albo .ods").arg(ceremony.registerFile));
    } else if (arg == QLatin1String("--lista-odbioru")) {
        ceremony.handout = args.value();
    } else {
        return false;
    }
    return true;
}

void checkCeremonyOptions(CeremonyOptions &ceremony, QString &diploma, bool hasList)
{
    const auto needsList = [&](bool given, const char *option) {
        if (given && !hasList)
            throw UsageError(QStringLiteral("%1 dotyczy listy: brak --lista").arg(QLatin1String(option)));
    };
    needsList(!ceremony.kindColumn.isEmpty(), "--rodzaj");
    needsList(!ceremony.registerFile.isEmpty(), "--rejestr");
    needsList(!ceremony.handout.isEmpty(), "--lista-odbioru");
    if (ceremony.kindColumn.isEmpty()) {
        if (!ceremony.kindDefault.isEmpty())
            throw UsageError(QStringLiteral("--rodzaj-domyslny potrzebuje --rodzaj KOLUMNA"));
        if (ceremony.group)
            throw UsageError(QStringLiteral("--grupuj potrzebuje --rodzaj KOLUMNA"));
        return;
    }
    if (!diploma.isEmpty() && !ceremony.kindDefault.isEmpty())
        throw UsageError(QStringLiteral("dyplom „%1” i --rodzaj-domyslny %2: podaj jeden dyplom domyślny")
                             .arg(diploma, ceremony.kindDefault));
    try {
        ceremony.kinds = batch::DiplomaKinds::parse(ceremony.kindColumn, ceremony.kindPairs,
                                                    diploma.isEmpty() ? ceremony.kindDefault : diploma);
    } catch (const std::invalid_argument &e) {
        throw UsageError(QString::fromUtf8(e.what()));
    }
    diploma = ceremony.kinds.files().first();
}

QString ceremonyHelpPolish()
{
    return QStringLiteral(
        "  --rodzaj KOLUMNA WARTOŚĆ=PLIK.dyp [WARTOŚĆ=PLIK.dyp …]\n"
        "                           rodzaj dyplomu z kolumny listy: rekord dostaje dyplom, którego\n"
        "                           wartość ma w tej kolumnie (bez względu na wielkość liter i spacje\n"
        "                           wokół); kilka wartości po przecinku („1,2,3=miejsce.dyp”), „=PLIK.dyp”\n"
        "                           to pusta komórka. Wszystko w jednym PDF-ie (albo zadaniu wydruku)\n"
        "                           w kolejności listy; DYPLOM.dyp podany osobno to dyplom pozostałych\n"
        "                           wartości. Wartość bez dyplomu to błąd z numerem wiersza\n"
        "  --rodzaj-domyslny PLIK.dyp  dyplom każdej innej wartości (zamiast DYPLOM.dyp)\n"
        "  --grupuj                 strony rodzaj po rodzaju (w kolejności --rodzaj); {Nr} jak na liście\n"
        "  --rejestr PLIK.csv|PLIK.ods  rejestr wydanych dyplomów (Nr, Data, Imię i nazwisko, Klasa,\n"
        "                           Rodzaj, Plik): każdy wydruk dopisuje swoje wiersze, --sprawdz nie;\n"
        "                           bez --numer-od numery idą dalej od najwyższego w rejestrze; z --wiersze\n"
        "                           dodruk dostaje numery, które rejestr już dał (imię i nazwisko, klasa)\n"
        "  --lista-odbioru PLIK.pdf  lista odbioru dyplomów (Nr, Imię i nazwisko, Rodzaj, Podpis), A4,\n"
        "                           w kolejności listy\n");
}

QString ceremonyHelpEnglish()
{
    return QStringLiteral(
        "  --rodzaj COLUMN VALUE=FILE.dyp [VALUE=FILE.dyp ...]\n"
        "                           the kind of diploma by a list column: a record gets the diploma of\n"
        "                           its value in that column (letter case and surrounding spaces do not\n"
        "                           matter); several values with commas (\"1,2,3=miejsce.dyp\"),\n"
        "                           \"=FILE.dyp\" an empty cell. One PDF (or print job) in list order;\n"
        "                           a DIPLOMA.dyp given alone is the diploma of every other value. A\n"
        "                           value without a diploma is an error naming the line\n"
        "  --rodzaj-domyslny FILE.dyp  the diploma of every other value (in place of DIPLOMA.dyp)\n"
        "  --grupuj                 pages kind by kind (in --rodzaj's order); {Nr} as in the list\n"
        "  --rejestr FILE.csv|FILE.ods  the register of issued diplomas (Nr, Data, Imię i nazwisko,\n"
        "                           Klasa, Rodzaj, Plik): every run that prints adds its lines, --sprawdz\n"
        "                           does not; without --numer-od numbers go on from the register's\n"
        "                           highest; with --wiersze a reprint gets the numbers the register gave\n"
        "                           (name and class)\n"
        "  --lista-odbioru FILE.pdf  the handout list (Nr, name, kind, signature), A4, in list order\n");
}

} // namespace druk
