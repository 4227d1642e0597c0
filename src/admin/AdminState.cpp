#include "AdminState.h"

namespace narzedzia_admini {

QString &workingDirectory()
{
    static QString text;
    return text;
}

} // namespace narzedzia_admini
