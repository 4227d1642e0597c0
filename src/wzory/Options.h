#pragma once
#include "Placement.h"
#include "platform/ToolArguments.h"

#include <QString>
#include <QStringList>

namespace wzory {

// Bad command line (exit status 2); what() says what is wrong.
using UsageError = platform::UsageError;

enum class Command { Help, Add, List, Preview, Remove };

struct Options {
    Command command = Command::Help;
    QString design; // dodaj: the SVG, PNG, JPEG or PDF
    int number = 0; // dodaj --numer, podglad N, usun N; 0: the next free number
    Fit fit = Fit::Contain;
    int page = 1; // --strona
    bool overwrite = false;
    bool rotate = false;      // --obroc
    bool strict = false;      // --scisle: warnings are errors
    bool forEveryone = false; // dodaj --dla-wszystkich: the school's folder
    QString png;              // podglad: the picture to write
    int width = 827;          // podglad --szerokosc (A4 at 100 dpi)
};

// Reads the arguments (without the program name). Throws UsageError.
Options parseOptions(const QStringList &arguments);

// The --help text, Polish then English.
QString helpText();

} // namespace wzory
