#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace platform {

// Fields of fixed-size records: little-endian int32 and short strings (one
// length byte, then `capacity` bytes of Windows-1250 text).

void putInt32(QByteArray &record, int offset, std::int32_t value);
std::int32_t getInt32(const QByteArray &record, int offset);

// Writes the text cut to the capacity; the bytes after it are zeroed.
void putShortString(QByteArray &record, int offset, int capacity, const QString &text);
// Like putShortString but leaves the bytes after the text as they are.
void putShortStringKeepingTail(QByteArray &record, int offset, int capacity, const QString &text);
// A length byte above the capacity is cut to the capacity.
QString getShortString(const QByteArray &record, int offset, int capacity);

} // namespace platform
