#pragma once
#include "wmf/Metafile.h"

#include <QByteArray>
#include <QRectF>
#include <cstdint>
#include <vector>

namespace wmf {

// One record: its function and where its parameters lie in the file.
struct RecordRef {
    uint16_t function = 0;
    uint32_t offset = 0; // of the first parameter byte
    uint32_t length = 0; // parameter bytes
};

struct ParsedMetafile {
    QByteArray bytes;
    bool placeable = false;
    int unitsPerInch = 0; // placeable only
    uint16_t objectCount = 0; // object table size from the header
    QRectF frame;
    // The window the frame came from, as the file gives it (extents may be
    // negative); the player starts from it.
    QPointF windowOrg;
    QSizeF windowExt;
    std::vector<RecordRef> records;
    bool truncated = false; // damage stopped the record list early
};

// Limits that keep hostile input bounded.
constexpr int kMaxFileBytes = Metafile::MaxFileBytes;
constexpr size_t kMaxRecords = 1000000;
constexpr int kMaxObjects = 65536;
constexpr int kMaxSaveDepth = 1024;
constexpr int64_t kMaxBitmapPixels = 16LL * 1024 * 1024;

// Splits bytes into records; throws MetafileError. Does not compute the
// frame of a plain metafile without a window (the player does that).
ParsedMetafile parseRecords(const QByteArray &bytes);

} // namespace wmf
