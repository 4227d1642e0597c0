#pragma once
#include <QByteArray>
#include <vector>

namespace wmfseeds {

// Small metafiles that between them use every record the player knows,
// as seeds for fuzzing and as inputs of the robustness tests.
std::vector<QByteArray> seedMetafiles();

// Costly inputs of at most 64 kB, named: a 16,000-point self-crossing
// polygon, many mid-sized polygons, and bitmaps of 4096 x 4096 pixels
// stored in a few bytes of RLE and stretched over the whole page.
struct NamedMetafile {
    const char *name;
    QByteArray bytes;
};
std::vector<NamedMetafile> hostileMetafiles();

// A plain (not placeable) metafile: header, the given records, EOF.
QByteArray plainMetafile(const QByteArray &records, uint16_t objects = 4);

// One raw record.
QByteArray rawRecord(uint16_t function, const QByteArray &params, int32_t wordsOverride = -1);

} // namespace wmfseeds
