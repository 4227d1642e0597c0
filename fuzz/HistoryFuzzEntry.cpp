#include "HistoryFuzzEntry.h"

#include "history/RunHistory.h"
#include "history/RunHistoryRecord.h"

bool historyFuzzOne(const uint8_t *data, size_t size)
{
    using modul_hist::RunHistoryRecord;
    if (size < size_t(RunHistoryRecord::Size) || size > 4096)
        return true; // a shorter file never reaches the decoder
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    RunHistoryRecord record = modul_hist::decodeRunHistory(bytes);
    modul_hist::leadingInteger(modul_hist::textOf(record.runCount));
    modul_hist::textOf(record.runDate);
    modul_hist::textOf(record.runTime);
    if (modul_hist::encodeRunHistory(record) != bytes.left(RunHistoryRecord::Size))
        return false;
    // A save of the next run changes the three texts and nothing else.
    modul_hist::assignKeepingTail(record.runCount, QStringLiteral("1234567890123456789"));
    const QByteArray saved = modul_hist::encodeRunHistory(record);
    return saved.size() == RunHistoryRecord::Size && saved.left(32) == bytes.left(32)
           && saved.mid(48) == bytes.mid(48, RunHistoryRecord::Size - 48)
           && modul_hist::textOf(modul_hist::decodeRunHistory(saved).runCount) == QStringLiteral("123456789012345");
}
