#pragma once
#include "ArchiverConfigLayout.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <array>

namespace companions {

// What the archiver reads at its own start, slot by slot; slots the
// layout does not name stay empty.
struct ArchiverConfigRecord : ArchiverConfigLayout {
    std::array<QString, SlotCount> texts;
};

// The record for `programDir`; every "\" of the fixed suffixes becomes
// `separator`, the native one unless a test asks for another.
ArchiverConfigRecord buildArchiverConfig(const QString &programDir, QChar separator);
ArchiverConfigRecord buildArchiverConfig(const QString &programDir);

// The 10452 bytes on disk: Windows-1250, each slot cut to 200 bytes, zero
// bytes after every text.
QByteArray encodeArchiverConfig(const ArchiverConfigRecord &record);

// Start-up step: rewrites archiwizator_config.dat in the current directory
// (name matched without regard to case) from `programDir`, through a
// temporary file and a rename. Raises platform::IoError on failure.
void ZapiszKonfiguracjeArchiwizatora(const QString &programDir);

} // namespace companions
