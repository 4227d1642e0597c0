#pragma once
// The first designs of the catalogue: a band, rules, corner ornaments and an
// emblem on a light ground. Their bytes never change (users' copies are
// recognised by hash).
#include "Occasions.h"

#include <QByteArray>

namespace templateart {

int classicCount();
QByteArray classicTemplate(int n); // 1-based
DesignInfo classicDesignInfo(int n);

} // namespace templateart
