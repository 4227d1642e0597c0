#include "TemplateArt.h"

#include "Classic.h"
#include "OccasionDesigns.h"

namespace templateart {

int templateCount()
{
    return classicCount() + occasionDesignCount();
}

QByteArray makeTemplate(int n)
{
    return n <= classicCount() ? classicTemplate(n) : occasionTemplate(n - classicCount());
}

DesignInfo designInfo(int n)
{
    return n <= classicCount() ? classicDesignInfo(n) : occasionDesignInfo(n - classicCount());
}

} // namespace templateart
