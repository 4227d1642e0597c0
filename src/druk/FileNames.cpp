#include "FileNames.h"

#include <QSet>

namespace druk {

QString safeFileStem(const QString &text)
{
    QString out;
    for (const QChar c : text.trimmed()) {
        if (c.unicode() < 32 || c.unicode() == 127 || QStringLiteral("/\\:*?\"<>|").contains(c))
            out += QLatin1Char('_');
        else
            out += c;
    }
    out = out.left(100);
    while (!out.isEmpty() && (out.endsWith(QLatin1Char('.')) || out.endsWith(QLatin1Char(' '))))
        out.chop(1);
    while (!out.isEmpty() && (out.startsWith(QLatin1Char('.')) || out.startsWith(QLatin1Char(' '))))
        out.remove(0, 1);
    if (out.isEmpty())
        return QStringLiteral("dyplom");
    static const QStringList reserved{QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                      QStringLiteral("NUL")};
    const QString base = out.section(QLatin1Char('.'), 0, 0).toUpper();
    if (reserved.contains(base)
        || ((base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))) && base.size() == 4
            && base[3].isDigit()))
        out.prepend(QLatin1Char('_'));
    return out;
}

QStringList uniqueFileNames(const QStringList &stems, const QString &extension)
{
    QSet<QString> taken;
    QStringList names;
    for (const QString &stem : stems) {
        QString name = stem + extension;
        for (int n = 2; taken.contains(name.toLower()); ++n)
            name = QStringLiteral("%1 (%2)%3").arg(stem).arg(n).arg(extension);
        taken.insert(name.toLower());
        names.append(name);
    }
    return names;
}

} // namespace druk
