#include "RunHistoryRecord.h"

#include "platform/RecordBytes.h"

#include <algorithm>

namespace modul_hist {
namespace {

constexpr int FieldSize = 1 + ShortString15::Capacity;

QByteArray bytesOf(const ShortString15 &field)
{
    return QByteArray(reinterpret_cast<const char *>(field.raw.data()), FieldSize);
}

void copyInto(ShortString15 &field, const QByteArray &bytes, int offset)
{
    std::copy_n(reinterpret_cast<const std::uint8_t *>(bytes.constData()) + offset, FieldSize, field.raw.begin());
}

} // namespace

QByteArray encodeRunHistory(const RunHistoryRecord &record)
{
    QByteArray out;
    out.reserve(RunHistoryRecord::Size);
    out += bytesOf(record.runDate);
    out += bytesOf(record.runTime);
    out += bytesOf(record.runCount);
    out += QByteArray(reinterpret_cast<const char *>(record.reserved.data()), RunHistoryRecord::ReservedSize);
    return out;
}

RunHistoryRecord decodeRunHistory(const QByteArray &bytes)
{
    Q_ASSERT(bytes.size() >= RunHistoryRecord::Size);
    RunHistoryRecord record;
    copyInto(record.runDate, bytes, 0);
    copyInto(record.runTime, bytes, FieldSize);
    copyInto(record.runCount, bytes, 2 * FieldSize);
    std::copy_n(reinterpret_cast<const std::uint8_t *>(bytes.constData()) + 3 * FieldSize,
                RunHistoryRecord::ReservedSize, record.reserved.begin());
    return record;
}

QString textOf(const ShortString15 &field)
{
    return platform::getShortString(bytesOf(field), 0, ShortString15::Capacity);
}

void assignKeepingTail(ShortString15 &field, const QString &text)
{
    QByteArray bytes = bytesOf(field);
    platform::putShortStringKeepingTail(bytes, 0, ShortString15::Capacity, text);
    copyInto(field, bytes, 0);
}

} // namespace modul_hist
