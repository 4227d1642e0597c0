#pragma once
// The designs by occasion, numbered after the classic ones.
#include "Occasions.h"

#include <QByteArray>

namespace templateart {

int occasionDesignCount();
QByteArray occasionTemplate(int i); // 1-based within the occasion designs
DesignInfo occasionDesignInfo(int i);

} // namespace templateart
