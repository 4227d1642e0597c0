#include "TextListFuzzEntry.h"

#include "batch/merge/Merger.h"
#include "batch/table/TextTable.h"

namespace {

bool tableSound(const batch::Table &t, qsizetype lines)
{
    if (t.origins.size() != t.rows.size())
        return false;
    int last = 0;
    for (int i = 0; i < t.rows.size(); ++i) {
        const int line = t.origins[i].line;
        if (line <= last || line > lines || t.rows[i].isEmpty() || t.rows[i].last().isEmpty()
            || t.rows[i].size() > t.columnCount)
            return false;
        last = line;
    }
    return true;
}

bool mergedSound(const batch::MergeResult &r, qsizetype lines)
{
    int last = 0;
    for (int i = 0; i < r.records.size(); ++i) {
        const batch::MergedRecord &m = r.records[i];
        if (m.number != i + 1 || m.origin.line <= last || m.origin.line > lines)
            return false;
        last = m.origin.line;
    }
    return true;
}

bool readAs(const QByteArray &bytes, const QString &name, const batch::ReadOptions &options, bool noHeader)
{
    // CR and LF together bound the count of lines (UTF-16 too: its breaks are two bytes).
    const qsizetype lines = bytes.count('\n') + bytes.count('\r') + 1;
    batch::Table table;
    try {
        table = batch::readTextTable(bytes, name, options);
    } catch (const batch::TableError &e) {
        return QString::fromUtf8(e.what()).startsWith(name + QLatin1Char(':'));
    }
    if (!tableSound(table, lines))
        return false;
    editor::DiplomaTexts texts;
    texts.recipient = QStringLiteral("{A} {Nazwisko}");
    texts.body[0] = QStringLiteral("{{klasa}} {Klasa}");
    editor::DiplomaTexts plain;
    plain.recipient = QStringLiteral("x");
    for (const editor::DiplomaTexts &t : {texts, plain}) {
        batch::MergeSettings s;
        s.noHeader = noHeader;
        s.listName = name;
        s.diplomaName = QStringLiteral("d.dyp");
        try {
            if (!mergedSound(batch::mergeList(table, t, s), lines))
                return false;
        } catch (const batch::TableError &e) {
            const QString what = QString::fromUtf8(e.what());
            if (!what.startsWith(name + QLatin1Char(':')) && !what.startsWith(QStringLiteral("d.dyp:")))
                return false;
        }
    }
    return true;
}

} // namespace

bool textListFuzzOne(const uint8_t *data, size_t size)
{
    if (size > 64 * 1024)
        return true;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    batch::ReadOptions forced;
    if (size > 0) {
        switch (data[0] % 6) {
        case 0: forced.encoding = QStringLiteral("utf-16le"); break;
        case 1: forced.encoding = QStringLiteral("windows-1251"); break;
        case 2: forced.separator = QLatin1Char(';'); break;
        default: break;
        }
    }
    return readAs(bytes, QStringLiteral("lista.csv"), {}, false) && readAs(bytes, QStringLiteral("lista.txt"), {}, false)
           && readAs(bytes, QStringLiteral("lista.csv"), {}, true)
           && readAs(bytes, QStringLiteral("lista.csv"), forced, false);
}
