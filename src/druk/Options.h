#pragma once
#include <QRectF>
#include "CeremonyOptions.h"
#include "batch/compose/SheetLayout.h"
#include "batch/output/PrintCorrection.h"
#include "platform/ToolArguments.h"
#include <QString>
#include <QStringList>
#include <optional>

namespace druk {

// Bad command line (exit status 2); what() says what is wrong.
using UsageError = platform::UsageError;

// Options of a class list (--separator, --kodowanie, --arkusz, --wiersze,
// --dopasuj, --wysrodkuj, --sprawdz, --numer-od, --data).
struct ListOptions {
    QChar separator;     // null: detected
    QString encoding;    // canonical name; empty: detected
    QString sheet;       // empty: the first sheet
    QString rows;        // --wiersze as typed; empty: every record
    bool shrink = false; // --dopasuj
    bool centre = false; // --wysrodkuj
    bool check = false;  // --sprawdz: read and report, write nothing
    int firstNumber = 1; // --numer-od: {Nr} of the first diploma
    bool firstNumberGiven = false;
    QString date; // --data: {Data}; empty: today
};

// The paper and how diplomas share it (--papier, --poziomo, --na-arkuszu,
// --od-pozycji).
struct SheetOptions {
    batch::SheetLayout layout;
    int start = 1; // --od-pozycji
    bool startGiven = false;
};

struct Options {
    bool help = false;
    QString diploma;        // the .dyp file
    QString output;         // -o: one PDF
    bool toPrinter = false; // -P
    QString printerName;    // empty: the default printer
    int printerDpi = 600;   // --rozdzielczosc
    bool printerDpiGiven = false;
    QRectF printableMm;            // --obszar; empty: the whole sheet
    int templateLeft = 0;          // --margin-wz-l, as the spin edit margin_wz_l
    int templateTop = 0;           // --margin-wz-g
    QString list;                  // --lista
    bool noHeader = false;         // --bez-naglowka: the CSV's first row is data
    QString separateDir;           // --osobno
    bool overwrite = false;        // --nadpisz
    QString pngDir;                // --png
    int pngDpi = 150;              // --dpi
    QString catalogue;             // --katalog
    QString templatesDir;          // --wzory; empty: found as the editor finds them
    bool noTextBackground = false; // --bez-tla
    bool strict = false;           // --scisle: a damaged template, a text off the sheet or over the border is an error
    ListOptions lists;             // how the list is read and fitted
    CeremonyOptions ceremony;      // kinds of diploma, the register, the handout list

    // Pre-printed paper and printer calibration.
    bool textOnly = false;                                  // --bez-wzoru: the texts only, no template
    bool calibrationSheet = false;                          // --kalibracja
    std::optional<batch::PrintCorrection> correction;       // --przesuniecie: this run's, in place of the stored one
    QString calibrationQueue;                               // --kalibracja-ustaw or --kalibracja-usun
    std::optional<batch::PrintCorrection> storedCorrection; // --kalibracja-ustaw's value
    bool removeCalibration = false;                         // --kalibracja-usun

    SheetOptions sheets; // paper sizes, several per sheet
};

// Reads the arguments (without the program name). Throws UsageError.
Options parseOptions(const QStringList &arguments);

// The --help text, Polish then English.
QString helpText();

} // namespace druk
