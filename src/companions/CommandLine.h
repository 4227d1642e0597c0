#pragma once
#include <QString>
#include <QStringList>

namespace companions {

// Splits a command line the way Windows programs receive it: blanks (space,
// tab) separate outside double quotes; quotes group and are dropped. In the
// program name a backslash is an ordinary character; in the arguments 2n
// backslashes before a quote give n and the quote groups, 2n+1 give n and a
// literal quote, and "" inside a quoted part is a literal quote.
QStringList splitWindowsCommandLine(const QString &commandLine);

} // namespace companions
