#pragma once
#include <QString>
#include <exception>

namespace batch {

// Every system and library error dyplom-druk reports, in Polish: the run's
// messages never mix in the platform's or the toolkit's English texts.

// An errno value, e.g. ENOSPC: "brak miejsca na dysku".
QString systemErrorText(int err);

// A platform::IoError code (errno values pass through systemErrorText).
QString ioErrorText(int ioCode);

// Why path cannot be opened for reading, asked of the system again.
QString openFailureText(const QString &path);

// The metafile reader's messages ("not a metafile", "damaged metafile: ...").
QString metafileErrorText(const char *what);

// Any exception that reaches the top of a run.
QString exceptionText(const std::exception &e);

// A text from a list or a diploma quoted in a message: control characters
// escaped (no raw ESC reaches the terminal), at most maxChars characters.
QString quotedForMessage(const QString &text, int maxChars = 60);

} // namespace batch
