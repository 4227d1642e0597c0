#pragma once
#include "RunHistoryRecord.h"

#include <QString>
#include <cstdint>

// Unit modul_hist: counting the runs. Everything here works without the
// history window; failures raise platform::IoError.
namespace modul_hist {

// The unit's state, one instance alive for the whole run.
struct RunHistoryState {
    RunHistoryRecord image;   // the record as last read (or as last written)
    QString workingDirectory; // current directory at the latest operation
    QString currentDate;      // this run, set by PobierzDane
    QString currentTime;
    std::int32_t currentNumber = 0;
    QString currentNumberText;
    QString shortLocation; // built by the window
};
RunHistoryState &state();

// Reads the current directory into the state and returns the history file's
// path below it, matched without regard to case.
QString historyPath();

// Creates the file with a zero record when it is missing, then reads its
// first record into the image (zeroed first).
void loadRecordImage();

// Loads the history and prepares this run: today's date, the time now and
// the stored number plus one. Writes nothing but a missing file.
void PobierzDane();

// Stores this run's date, time and number over the image as last read.
void ZapiszUruchomienia();

// The number at the start of a stored count text: leading blanks skipped,
// an optional sign, then digits up to the first that cannot continue it
// (a non-digit, or one that would leave 32 bits). "12ab" 12, "abc" 0, "" 0.
std::int32_t leadingInteger(const QString &text);

// The location as the window shows it: whole up to 30 characters, else its
// last 30.
QString shortenedLocation(const QString &location);
constexpr int LocationWidth = 30;

} // namespace modul_hist
