#include "RunHistory.h"

#include "platform/DataPath.h"
#include "platform/LocaleText.h"
#include "platform/Platform.h"
#include "platform/RecordFile.h"

#include <limits>

namespace modul_hist {

RunHistoryState &state()
{
    static RunHistoryState instance;
    return instance;
}

QString historyPath()
{
    state().workingDirectory = platform::currentDirectory();
    return platform::resolveDataPath(state().workingDirectory, QStringLiteral("/Admini/historia.dat"));
}

void loadRecordImage()
{
    const QString path = historyPath();
    if (!platform::fileExists(path))
        platform::writeRecordFile(path, QByteArray(RunHistoryRecord::Size, '\0'));
    state().image = RunHistoryRecord{};
    state().image = decodeRunHistory(platform::readFirstRecord(path, RunHistoryRecord::Size));
}

std::int32_t leadingInteger(const QString &text)
{
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    int i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        const std::int64_t next = value * 10 + (text[i].unicode() - '0');
        if (next > limit + (negative ? 1 : 0))
            break;
        value = next;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

void PobierzDane()
{
    loadRecordImage();
    RunHistoryState &s = state();
    const QDateTime now = platform::services().now();
    s.currentDate = platform::dateText(now.date());
    s.currentTime = platform::longTimeText(now.time());
    const std::int32_t stored = leadingInteger(textOf(s.image.runCount));
    // A counter at its top stays there rather than turning negative.
    s.currentNumber = stored == std::numeric_limits<std::int32_t>::max() ? stored : stored + 1;
    s.currentNumberText = QString::number(s.currentNumber);
}

void ZapiszUruchomienia()
{
    const QString path = historyPath();
    RunHistoryState &s = state();
    assignKeepingTail(s.image.runTime, s.currentTime);
    assignKeepingTail(s.image.runDate, s.currentDate);
    assignKeepingTail(s.image.runCount, s.currentNumberText);
    platform::writeRecordFile(path, encodeRunHistory(s.image));
}

QString shortenedLocation(const QString &location)
{
    if (location.size() <= LocationWidth)
        return location;
    return location.right(LocationWidth);
}

} // namespace modul_hist
