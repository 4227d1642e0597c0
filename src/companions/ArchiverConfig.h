#pragma once
#include <QByteArray>
#include <QChar>
#include <QString>
#include <array>

namespace companions {

// What the archiver reads at its own start: the editor's folders as 52
// short strings of capacity 200. Slots not named below stay empty.
struct ArchiverConfigRecord {
    static constexpr int SlotCount = 52;
    static constexpr int SlotCapacity = 200;
    static constexpr int SlotSize = SlotCapacity + 1;
    static constexpr int Size = SlotCount * SlotSize; // 10452

    static constexpr int ProgramFolderSlot = 0; // ProgramDir and a separator
    static constexpr int AdminiMaskSlot = 1;
    static constexpr int DyplomyMaskSlot = 2;
    static constexpr int NotatkiMaskSlot = 3;
    static constexpr int TerminarzMaskSlot = 4;
    static constexpr int WzoryMaskSlot = 5;
    static constexpr int ProgramDirSlot = 51; // ProgramDir alone

    std::array<QString, SlotCount> texts;
};

inline const QString ArchiverConfigFileName = QStringLiteral("archiwizator_config.dat");

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
