#include "Register.h"

#include "Failure.h"
#include "OdsFile.h"

#include "batch/Texts.h"
#include "batch/merge/ColumnRoles.h"
#include "batch/table/ReadTable.h"
#include "platform/Cp1250.h"

#include <QFileInfo>
#include <algorithm>

namespace batch {

namespace {

bool isOds(const QString &path)
{
    return path.endsWith(QLatin1String(".ods"), Qt::CaseInsensitive);
}

QStringList cellsOf(const IssuedDiploma &d)
{
    return {QString::number(d.number), d.date, d.name, d.group, d.kind, d.file};
}

QString compared(const QString &text)
{
    return text.simplified().toCaseFolded();
}

// A CSV line: a cell holding the separator, a quote or a line break quoted.
QString csvLine(const QStringList &cells, QChar separator)
{
    QStringList out;
    for (const QString &cell : cells) {
        const QString flat = QString(cell).replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (flat.contains(separator) || flat.contains(QLatin1Char('"')) || flat.contains(QLatin1Char('\r')))
            out.append(QLatin1Char('"') + QString(flat).replace(QLatin1String("\""), QLatin1String("\"\""))
                       + QLatin1Char('"'));
        else
            out.append(flat);
    }
    return out.join(separator) + QLatin1Char('\n');
}

} // namespace

QStringList DiplomaRegister::header()
{
    return {QStringLiteral("Nr"),    QStringLiteral("Data"),   QStringLiteral("Imię i nazwisko"),
            QStringLiteral("Klasa"), QStringLiteral("Rodzaj"), QStringLiteral("Plik")};
}

DiplomaRegister DiplomaRegister::read(const QString &path)
{
    DiplomaRegister reg;
    reg.path_ = path;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return reg; // the first run makes it
    if (info.isDir())
        throw Failure(path, QStringLiteral("rejestr dyplomów to folder, nie plik"));
    if (info.isFile() && info.size() == 0)
        return reg;
    Table table;
    try {
        table = readTable(path, ReadOptions{}, ReadLimits{});
    } catch (const platform::UserError &e) {
        throw platform::UserError(QStringLiteral("rejestr dyplomów %1").arg(e.message()));
    }
    if (!isOds(path)
        && (table.encoding.startsWith(QLatin1String("UTF-16")) || table.encoding == QLatin1String("Windows-1251")))
        throw Failure(path, QStringLiteral("rejestr w kodowaniu %1: zapisz go jako CSV UTF-8").arg(table.encoding));
    if (table.rows.isEmpty())
        return reg;
    const QStringList expected = header();
    const QStringList first = table.rows.first();
    bool isRegister = first.size() >= expected.size();
    for (int c = 0; isRegister && c < expected.size(); ++c)
        isRegister = columnKey(first[c]) == columnKey(expected[c]);
    if (!isRegister)
        throw Failure(path, QStringLiteral("to nie jest rejestr dyplomów: pierwszy wiersz to „%1”, a powinien być "
                                           "„%2” (podaj inny plik --rejestr)")
                                .arg(quoted(first.join(QLatin1Char(';')), 80), expected.join(QLatin1Char(';'))));
    for (int r = 1; r < table.rows.size(); ++r) {
        const QStringList &cells = table.rows[r];
        IssuedDiploma d;
        bool ok = false;
        d.number = cells.value(0).trimmed().toInt(&ok);
        if (!ok || d.number < 0)
            throw Failure(path, QStringLiteral("wiersz %1: Nr „%2” nie jest liczbą: rejestru nie da się uzupełnić")
                                    .arg(table.origins.value(r).line)
                                    .arg(quoted(cells.value(0), 30)));
        d.date = cells.value(1);
        d.name = cells.value(2);
        d.group = cells.value(3);
        d.kind = cells.value(4);
        d.file = cells.value(5);
        reg.lines_.append(d);
    }
    if (isOds(path)) {
        reg.rows_ = table.rows;
        return reg;
    }
    reg.cp1250_ = table.encoding == QLatin1String("Windows-1250");
    if (!table.separator.isNull())
        reg.separator_ = table.separator;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(path, QStringLiteral("nie można odczytać rejestru dyplomów (%1)").arg(file.errorString()));
    reg.bytes_ = file.readAll();
    return reg;
}

QByteArray DiplomaRegister::fileOf(const QString &path, const QList<IssuedDiploma> &lines)
{
    DiplomaRegister fresh;
    fresh.path_ = path;
    return fresh.withLines(lines);
}

int DiplomaRegister::highest() const
{
    int most = 0;
    for (const IssuedDiploma &d : lines_)
        most = std::max(most, d.number);
    return most;
}

int DiplomaRegister::numberOf(const QString &name, const QString &group, const QString &kind) const
{
    int any = 0, sameKind = 0;
    for (const IssuedDiploma &d : lines_) {
        if (compared(d.name) != compared(name) || compared(d.group) != compared(group))
            continue;
        any = d.number;
        if (compared(d.kind) == compared(kind))
            sameKind = d.number;
    }
    return sameKind > 0 ? sameKind : any;
}

QByteArray DiplomaRegister::withLines(const QList<IssuedDiploma> &added) const
{
    if (isOds(path_)) {
        QList<QStringList> rows = rows_.isEmpty() ? QList<QStringList>{header()} : rows_;
        for (const IssuedDiploma &d : added)
            rows.append(cellsOf(d));
        return odsFile(QStringLiteral("Rejestr"), rows, {0});
    }
    QString text;
    if (bytes_.isEmpty())
        text = csvLine(header(), separator_);
    else if (!bytes_.endsWith('\n') && !bytes_.endsWith('\r'))
        text = QStringLiteral("\n");
    for (const IssuedDiploma &d : added)
        text += csvLine(cellsOf(d), separator_);
    if (bytes_.isEmpty())
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8(); // a BOM: spreadsheets then read it as UTF-8
    return bytes_ + (cp1250_ ? platform::toCp1250(text) : text.toUtf8());
}

} // namespace batch
