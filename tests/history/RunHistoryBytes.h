#pragma once
#include "history/RunHistoryRecord.h"
#include "platform/RecordBytes.h"

#include <QByteArray>
#include <QString>

// The bytes of a run-history file holding date, time and count as written,
// everything else zero.
inline QByteArray runHistoryBytes(const QString &date, const QString &time, const QString &count)
{
    QByteArray bytes(modul_hist::RunHistoryRecord::Size, '\0');
    platform::putShortString(bytes, 0, 15, date);
    platform::putShortString(bytes, 16, 15, time);
    platform::putShortString(bytes, 32, 15, count);
    return bytes;
}
