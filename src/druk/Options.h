#pragma once
#include <QRectF>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace druk {

// Bad command line (exit status 2); what() says what is wrong.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString &text) : std::runtime_error(text.toStdString()) {}
};

struct Options {
    bool help = false;
    QString diploma;          // the .dyp file
    QString output;           // -o: one PDF
    bool toPrinter = false;   // -P
    QString printerName;      // empty: the default printer
    int printerDpi = 600;     // --rozdzielczosc
    bool printerDpiGiven = false;
    QRectF printableMm;       // --obszar; empty: the whole sheet
    int templateLeft = 0;     // --margin-wz-l, as the spin edit margin_wz_l
    int templateTop = 0;      // --margin-wz-g
    QString list;             // --lista
    bool noHeader = false;    // --bez-naglowka: the CSV's first row is data
    QString separateDir;      // --osobno
    bool overwrite = false;   // --nadpisz
    QString pngDir;           // --png
    int pngDpi = 150;         // --dpi
    QString catalogue;        // --katalog
};

// Reads the arguments (without the program name). Throws UsageError.
Options parseOptions(const QStringList &arguments);

// The --help text, Polish then English.
QString helpText();

} // namespace druk
