#pragma once
#include <QByteArray>
#include <vector>

// Seed inputs of the record fuzz targets, built by the programs' own
// writers; make-record-seeds writes them to the committed corpora.
namespace recordseeds {

std::vector<QByteArray> diplomaSeeds();  // 1064-byte diploma files, and a short one
std::vector<QByteArray> historySeeds();  // 79-byte run-history files
std::vector<QByteArray> nameListSeeds(); // plain and CSV lists of dyplom-druk

} // namespace recordseeds
