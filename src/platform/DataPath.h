#pragma once
#include <QString>

namespace platform {

// Joins base and one of the system's fixed relative paths ("\Wzory\BDR_0001.WMF",
// "Admini\historia.dat"), accepting "\" and "/". Each component is matched
// without regard to letter case against what exists; a component with no
// match is kept as spelled, so the path can be created.
QString resolveDataPath(const QString &base, const QString &relative);

// The process's current directory, without a trailing separator (except
// for the root).
QString currentDirectory();

} // namespace platform
