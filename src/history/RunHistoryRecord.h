#pragma once
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace modul_hist {

// A short string of capacity 15 exactly as it lies in the file: the length
// byte and all fifteen character bytes, those after the text included, so
// that a save can give them back unchanged.
struct ShortString15 {
    static constexpr int Capacity = 15;
    std::array<std::uint8_t, 1 + Capacity> raw{};
};

// The run-history file's only record, 79 bytes: date, time and number of the
// last counted run, then 31 reserved bytes that nothing changes.
struct RunHistoryRecord {
    static constexpr int Size = 79;
    static constexpr int ReservedSize = 31;
    ShortString15 runDate;
    ShortString15 runTime;
    ShortString15 runCount;
    std::array<std::uint8_t, ReservedSize> reserved{};
};

QByteArray encodeRunHistory(const RunHistoryRecord &record);
// `bytes` holds at least RunHistoryRecord::Size bytes; only those are used.
RunHistoryRecord decodeRunHistory(const QByteArray &bytes);

QString textOf(const ShortString15 &field);
// Stores the text cut to 15 characters; the bytes after it keep their values.
void assignKeepingTail(ShortString15 &field, const QString &text);

} // namespace modul_hist
