#include "TemplateArt.h"

#include "Classic.h"

namespace templateart {

int templateCount()
{
    return classicCount();
}

QByteArray makeTemplate(int n)
{
    return classicTemplate(n);
}

} // namespace templateart
