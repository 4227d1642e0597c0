#include "BuiltinFields.h"

#include "ColumnRoles.h"

#include <QRegularExpression>
#include <stdexcept>

namespace batch {

BuiltinField builtinFieldOf(const QString &name)
{
    const QString key = columnKey(name);
    if (key == QLatin1String("nr"))
        return BuiltinField::Number;
    if (key == QLatin1String("lp"))
        return BuiltinField::Position;
    if (key == QLatin1String("data"))
        return BuiltinField::Date;
    if (key == QLatin1String("rok"))
        return BuiltinField::Year;
    if (key == QLatin1String("imie i nazwisko") || key == QLatin1String("imie nazwisko"))
        return BuiltinField::Name;
    return BuiltinField::None;
}

QString longPolishDate(const QDate &date)
{
    static const char16_t *const months[] = {u"stycznia", u"lutego",       u"marca",     u"kwietnia",
                                             u"maja",     u"czerwca",      u"lipca",     u"sierpnia",
                                             u"września", u"października", u"listopada", u"grudnia"};
    return QStringLiteral("%1 %2 %3").arg(date.day()).arg(QString::fromUtf16(months[date.month() - 1])).arg(date.year());
}

DiplomaDate diplomaDate(const QString &given, const QDate &today)
{
    const QString text = given.trimmed();
    if (text.isEmpty())
        return {longPolishDate(today), today.year()};
    static const QRegularExpression iso(QStringLiteral(R"(^(\d{4})-(\d{1,2})-(\d{1,2})$)"));
    const auto m = iso.match(text);
    if (!m.hasMatch())
        return {text, today.year()};
    const QDate day(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!day.isValid())
        throw std::invalid_argument(
            QStringLiteral("--data: „%1”: nie ma takiego dnia (RRRR-MM-DD, np. 2026-06-19)").arg(text).toStdString());
    return {longPolishDate(day), day.year()};
}

QString BuiltinValues::value(BuiltinField field) const
{
    switch (field) {
    case BuiltinField::Number: return QString::number(number);
    case BuiltinField::Position: return QString::number(position);
    case BuiltinField::Date: return date.text;
    case BuiltinField::Year: return QString::number(date.year);
    case BuiltinField::Name: return name;
    case BuiltinField::None: break;
    }
    return {};
}

} // namespace batch
