#pragma once
#include <QString>

namespace narzedzia_admini {

// The unit's one piece of state for the run: the current directory as read
// by the latest opening of the administrator window. The update check forms
// its paths from it.
QString &workingDirectory();

} // namespace narzedzia_admini
