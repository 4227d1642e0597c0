#include "VersionRecord.h"

#include "platform/DataPath.h"
#include "platform/RecordBytes.h"
#include "platform/RecordFile.h"

namespace narzedzia_admini {

QByteArray encodeVersion(const VersionRecord &record)
{
    QByteArray bytes(VersionRecord::Size, '\0');
    platform::putShortString(bytes, 0, VersionRecord::Capacity, record.versionCode);
    return bytes;
}

VersionRecord decodeVersion(const QByteArray &bytes)
{
    return VersionRecord{platform::getShortString(bytes, 0, VersionRecord::Capacity)};
}

QString versionFilePath(const QString &baseDirectory)
{
    return platform::resolveDataPath(baseDirectory, QStringLiteral("\\Admini\\wer.dat"));
}

void createVersionFileIfMissing(const QString &programDir)
{
    const QString path = versionFilePath(programDir);
    if (platform::fileExists(path))
        return;
    platform::writeRecordFile(path, encodeVersion(VersionRecord{InstalledVersionCode}));
}

QString readInstalledVersion(const QString &baseDirectory)
{
    return decodeVersion(platform::readFirstRecord(versionFilePath(baseDirectory), VersionRecord::Size)).versionCode;
}

} // namespace narzedzia_admini
