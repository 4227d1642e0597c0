#include "ToolArguments.h"

namespace platform {

int integerArgument(const QString &option, const QString &value, int min, int max)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < min || n > max)
        throw UsageError(
            QStringLiteral("%1: „%2” nie jest liczbą całkowitą od %3 do %4").arg(option, value).arg(min).arg(max));
    return n;
}

bool ArgumentCursor::next()
{
    if (++index_ >= arguments_.size())
        return false;
    name_ = arguments_[index_];
    hasInline_ = name_.startsWith(QLatin1String("--")) && name_.contains(QLatin1Char('='));
    inlineValue_.clear();
    if (hasInline_) {
        inlineValue_ = name_.section(QLatin1Char('='), 1);
        name_ = name_.section(QLatin1Char('='), 0, 0);
    }
    return true;
}

QString ArgumentCursor::value()
{
    if (hasInline_)
        return inlineValue_;
    if (index_ + 1 >= arguments_.size())
        throw UsageError(QStringLiteral("%1: brak wartości").arg(name_));
    return takeFollowing();
}

QString ArgumentCursor::following() const
{
    return index_ + 1 < arguments_.size() ? arguments_[index_ + 1] : QString();
}

} // namespace platform
