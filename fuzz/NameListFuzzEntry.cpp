#include "NameListFuzzEntry.h"

#include "druk/NameList.h"

namespace {

bool linesInOrder(const QList<druk::ListRecord> &records, qsizetype inputLines)
{
    int last = 0;
    for (const druk::ListRecord &r : records) {
        if (r.line <= last || r.line > inputLines)
            return false;
        last = r.line;
    }
    return true;
}

template <typename Parse>
bool check(Parse parse, const QByteArray &bytes)
{
    // Any of CR, LF and CRLF may end a line: CR and LF together bound the count.
    const qsizetype lines = bytes.count('\n') + bytes.count('\r') + 1;
    try {
        return linesInOrder(parse(bytes), lines);
    } catch (const druk::ListError &e) {
        return e.line() >= 0 && e.line() <= lines;
    }
}

} // namespace

bool nameListFuzzOne(const uint8_t *data, size_t size)
{
    if (size > 64 * 1024)
        return true;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto csv = [](druk::CsvHeader header) {
        return [header](const QByteArray &b) { return druk::parseCsv(b, header); };
    };
    return check(druk::parseNameLines, bytes) && check(csv(druk::CsvHeader::Auto), bytes)
        && check(csv(druk::CsvHeader::None), bytes);
}
