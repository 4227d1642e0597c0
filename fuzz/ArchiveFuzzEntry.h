#pragma once
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <vector>

// Reads one input as the archiver reads a copy: a ZIP (starting "PK") is
// inspected and, when its list of contents is accepted, restored into an
// empty ProgramDir of a sandbox; anything else is decoded as that list.
// Refusals must be BackupErrors; an accepted list names only safe paths,
// and a restore writes nothing outside the ProgramDir's five folders and
// leaves no hidden folder behind. False when a check fails.
bool archiveFuzzOne(const uint8_t *data, size_t size);

// Copies as ours are made (stored, so that mutations reach the list) and
// lists of contents alone.
std::vector<QByteArray> archiveSeeds();
