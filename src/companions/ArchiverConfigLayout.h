#pragma once
#include <QString>

namespace companions {

// archiwizator_config.dat, which the editor writes at its start and the
// archiver reads: the editor's folders as 52 short strings of capacity 200.
// Header-only: the archiver needs the layout, not the editor's writer.
struct ArchiverConfigLayout {
    static constexpr int SlotCount = 52;
    static constexpr int SlotCapacity = 200;
    static constexpr int SlotSize = SlotCapacity + 1;
    static constexpr int Size = SlotCount * SlotSize; // 10452

    static constexpr int ProgramFolderSlot = 0; // ProgramDir and a separator
    static constexpr int AdminiMaskSlot = 1;    // the masks "ProgramDir\Admini\*.*" …
    static constexpr int DyplomyMaskSlot = 2;
    static constexpr int NotatkiMaskSlot = 3;
    static constexpr int TerminarzMaskSlot = 4;
    static constexpr int WzoryMaskSlot = 5;
    static constexpr int FirstMaskSlot = AdminiMaskSlot;
    static constexpr int LastMaskSlot = WzoryMaskSlot;
    static constexpr int ProgramDirSlot = 51; // ProgramDir alone
};

inline const QString ArchiverConfigFileName = QStringLiteral("archiwizator_config.dat");

} // namespace companions
