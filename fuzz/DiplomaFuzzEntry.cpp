#include "DiplomaFuzzEntry.h"

#include "diplomafile/DiplomaRecord.h"
#include "platform/IoError.h"

bool diplomaFuzzOne(const uint8_t *data, size_t size)
{
    if (size > 64 * 1024)
        return true;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    diplomafile::DiplomaContent read;
    try {
        read = diplomafile::parseDiplomaRecord(bytes);
    } catch (const platform::IoError &e) {
        return e.code() == platform::IoCode::ReadBeyondEnd && size < size_t(diplomafile::RecordLayout::Size);
    }
    if (size < size_t(diplomafile::RecordLayout::Size))
        return false; // a short file must be refused
    const QByteArray saved = diplomafile::buildDiplomaRecord(read);
    return saved.size() == diplomafile::RecordLayout::Size && diplomafile::parseDiplomaRecord(saved) == read;
}
