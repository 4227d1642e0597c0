#pragma once
#include "batch/merge/DiplomaKinds.h"
#include "platform/ToolArguments.h"

#include <QString>
#include <QStringList>

namespace druk {

// Options of a whole ceremony from one list: kinds of diploma by a column
// (--rodzaj, --rodzaj-domyslny, --grupuj), the register of issued
// diplomas (--rejestr) and the handout list (--lista-odbioru).
struct CeremonyOptions {
    QString kindColumn;        // --rodzaj KOLUMNA
    QStringList kindPairs;     // the WARTOŚĆ=PLIK.dyp following it
    QString kindDefault;       // --rodzaj-domyslny
    bool group = false;        // --grupuj
    QString registerFile;      // --rejestr
    QString handout;           // --lista-odbioru
    batch::DiplomaKinds kinds; // made of the three above once every argument is read
};

// Takes the current argument when it is one of these options; false when
// it is not. Throws UsageError for a bad value.
bool parseCeremonyOption(platform::ArgumentCursor &args, CeremonyOptions &ceremony);

// Once every argument is read: makes the kinds, with diploma (the .dyp
// given alone) as their default, and then sets diploma to the first kind's
// file; refuses these options without a list. Throws UsageError.
void checkCeremonyOptions(CeremonyOptions &ceremony, QString &diploma, bool hasList);

// The --help lines of these options (Polish, then English).
QString ceremonyHelpPolish();
QString ceremonyHelpEnglish();

} // namespace druk
