#pragma once
#include <QDate>
#include <QString>
#include <QTime>

namespace platform {

// The locale's long time format: hours, minutes and seconds, no time zone.
QString longTimeText(const QTime &time);
// dd<sep>mm<sep>yyyy with the separator of the locale's short date format.
QString dateText(const QDate &date);
QChar dateSeparator();

} // namespace platform
