#pragma once
#include <QString>

namespace platform {

// System errors in Polish, for messages that must not mix in English.

// An errno value, e.g. ENOSPC: "brak miejsca na dysku".
QString systemErrorText(int err);

// A platform::IoError code (errno values pass through systemErrorText).
QString ioErrorText(int ioCode);

} // namespace platform
