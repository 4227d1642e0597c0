#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

namespace wmfseeds {

// Small metafiles that between them use every record the player knows,
// as seeds for fuzzing and as inputs of the robustness tests.
std::vector<QByteArray> seedMetafiles();

// The costly inputs of HostileMetafiles.h (at most 64 kB each), named as
// files of the corpus: hostile_<what they are>.wmf.
struct NamedMetafile {
    QString name;
    QByteArray bytes;
};
std::vector<NamedMetafile> hostileMetafiles();

// A plain (not placeable) metafile: header, the given records, EOF.
QByteArray plainMetafile(const QByteArray &records, uint16_t objects = 4);

// One raw record.
QByteArray rawRecord(uint16_t function, const QByteArray &params, int32_t wordsOverride = -1);

} // namespace wmfseeds
