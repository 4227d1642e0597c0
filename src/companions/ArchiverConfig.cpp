#include "ArchiverConfig.h"

#include "platform/DataPath.h"
#include "platform/RecordBytes.h"
#include "platform/RecordFile.h"

#include <QDir>

namespace companions {

ArchiverConfigRecord buildArchiverConfig(const QString &programDir, QChar separator)
{
    // The suffixes are joined as they are, without looking at what
    // ProgramDir ends with: the root gives two separators in a row.
    const auto withSuffix = [&](QString suffix) {
        suffix.replace(QLatin1Char('\\'), separator);
        return programDir + suffix;
    };
    ArchiverConfigRecord r;
    r.texts[ArchiverConfigRecord::ProgramFolderSlot] = withSuffix(QStringLiteral("\\"));
    r.texts[ArchiverConfigRecord::AdminiMaskSlot] = withSuffix(QStringLiteral("\\Admini\\*.*"));
    r.texts[ArchiverConfigRecord::DyplomyMaskSlot] = withSuffix(QStringLiteral("\\Dyplomy\\*.*"));
    r.texts[ArchiverConfigRecord::NotatkiMaskSlot] = withSuffix(QStringLiteral("\\Notatki\\*.*"));
    r.texts[ArchiverConfigRecord::TerminarzMaskSlot] = withSuffix(QStringLiteral("\\Terminarz\\*.*"));
    r.texts[ArchiverConfigRecord::WzoryMaskSlot] = withSuffix(QStringLiteral("\\Wzory\\*.*"));
    r.texts[ArchiverConfigRecord::ProgramDirSlot] = programDir;
    return r;
}

ArchiverConfigRecord buildArchiverConfig(const QString &programDir)
{
    // ProgramDir comes in Qt's form; the archiver on the same platform
    // wants the native one throughout (no change on Linux).
    return buildArchiverConfig(QDir::toNativeSeparators(programDir), QDir::separator());
}

QByteArray encodeArchiverConfig(const ArchiverConfigRecord &record)
{
    QByteArray bytes(ArchiverConfigRecord::Size, '\0');
    for (int slot = 0; slot < ArchiverConfigRecord::SlotCount; ++slot)
        platform::putShortString(bytes, slot * ArchiverConfigRecord::SlotSize, ArchiverConfigRecord::SlotCapacity,
                                 record.texts[slot]);
    return bytes;
}

void ZapiszKonfiguracjeArchiwizatora(const QString &programDir)
{
    const QString path = platform::resolveDataPath(platform::currentDirectory(), ArchiverConfigFileName);
    platform::writeRecordFile(path, encodeArchiverConfig(buildArchiverConfig(programDir)));
}

} // namespace companions
