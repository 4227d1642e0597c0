#include "RecordBytes.h"
#include "Cp1250.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace platform {

void putInt32(QByteArray &record, int offset, std::int32_t value)
{
    Q_ASSERT(offset >= 0 && offset + 4 <= record.size());
    qToLittleEndian<std::int32_t>(value, record.data() + offset);
}

std::int32_t getInt32(const QByteArray &record, int offset)
{
    Q_ASSERT(offset >= 0 && offset + 4 <= record.size());
    return qFromLittleEndian<std::int32_t>(record.constData() + offset);
}

void putShortStringKeepingTail(QByteArray &record, int offset, int capacity, const QString &text)
{
    Q_ASSERT(offset >= 0 && offset + 1 + capacity <= record.size() && capacity <= 255);
    const QByteArray bytes = toCp1250(text).left(capacity);
    record[offset] = static_cast<char>(bytes.size());
    std::memcpy(record.data() + offset + 1, bytes.constData(), bytes.size());
}

void putShortString(QByteArray &record, int offset, int capacity, const QString &text)
{
    std::memset(record.data() + offset + 1, 0, capacity);
    putShortStringKeepingTail(record, offset, capacity, text);
}

QString getShortString(const QByteArray &record, int offset, int capacity)
{
    Q_ASSERT(offset >= 0 && offset + 1 + capacity <= record.size());
    const int length = std::min<int>(static_cast<unsigned char>(record.at(offset)), capacity);
    return fromCp1250(record.mid(offset + 1, length));
}

} // namespace platform
