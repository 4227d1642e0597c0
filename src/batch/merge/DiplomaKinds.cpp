#include "DiplomaKinds.h"

#include <QFileInfo>
#include <stdexcept>

namespace batch {

namespace {

QString compared(const QString &value)
{
    return value.simplified().toCaseFolded();
}

[[noreturn]] void refuse(const QString &text)
{
    throw std::invalid_argument(text.toStdString());
}

} // namespace

int DiplomaKinds::fileIndex(const QString &file)
{
    const int found = int(files_.indexOf(file));
    if (found >= 0)
        return found;
    files_.append(file);
    return int(files_.size()) - 1;
}

DiplomaKinds DiplomaKinds::parse(const QString &column, const QStringList &pairs, const QString &fallback)
{
    DiplomaKinds k;
    k.column_ = column.trimmed();
    if (k.column_.isEmpty())
        refuse(QStringLiteral("--rodzaj: brak nazwy kolumny (np. --rodzaj Miejsce 1,2,3=miejsce.dyp)"));
    if (pairs.isEmpty() && fallback.isEmpty())
        refuse(QStringLiteral("--rodzaj %1: brak par WARTOŚĆ=PLIK.dyp").arg(k.column_));
    for (const QString &pair : pairs) {
        const qsizetype eq = pair.lastIndexOf(QLatin1Char('='));
        const QString file = eq < 0 ? QString() : pair.mid(eq + 1).trimmed();
        if (eq < 0 || file.isEmpty())
            refuse(QStringLiteral("--rodzaj: „%1” nie ma postaci WARTOŚĆ=PLIK.dyp").arg(pair));
        const int index = k.fileIndex(file);
        for (const QString &value : pair.left(eq).split(QLatin1Char(','))) {
            const QString key = compared(value);
            for (const auto &known : std::as_const(k.values_))
                if (known.first == key && known.second != index)
                    refuse(QStringLiteral("--rodzaj: wartość „%1” ma dwa dyplomy: %2 i %3")
                               .arg(value.trimmed(), k.files_[known.second], file));
            k.values_.append({key, index});
        }
    }
    if (!fallback.trimmed().isEmpty())
        k.fallback_ = k.fileIndex(fallback.trimmed());
    return k;
}

int DiplomaKinds::kindOf(const QString &cell) const
{
    if (isEmpty())
        return 0;
    const QString key = compared(cell);
    for (const auto &v : values_)
        if (v.first == key)
            return v.second;
    return fallback_;
}

QString DiplomaKinds::nameOf(int kind) const
{
    return QFileInfo(files_.value(kind)).completeBaseName();
}

} // namespace batch
