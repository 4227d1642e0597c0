#include "FileNames.h"

#include <QSet>
#include <QTextBoundaryFinder>

namespace batch {

namespace {

// Windows refuses names ending in a dot or a space.
QString withoutTrailingDotsAndSpaces(QString text)
{
    while (!text.isEmpty() && (text.endsWith(QLatin1Char('.')) || text.endsWith(QLatin1Char(' '))))
        text.chop(1);
    return text;
}

} // namespace

QString cutToUtf8Bytes(const QString &text, int maxBytes)
{
    if (text.toUtf8().size() <= maxBytes)
        return text;
    // Whole characters only: a cut never splits a surrogate pair nor a
    // letter from its accents.
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype kept = 0;
    int bytes = 0;
    for (qsizetype end = graphemes.toNextBoundary(); end > kept; end = graphemes.toNextBoundary()) {
        const int size = int(QStringView(text).mid(kept, end - kept).toUtf8().size());
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        kept = end;
    }
    return text.left(kept);
}

QString safeFileStem(const QString &text)
{
    QString out;
    const QString trimmed = text.trimmed();
    for (const QChar c : trimmed) {
        if (c.unicode() < 32 || c.unicode() == 127 || QStringLiteral("/\\:*?\"<>|").contains(c))
            out += QLatin1Char('_');
        else
            out += c;
    }
    out = withoutTrailingDotsAndSpaces(cutToUtf8Bytes(out, MaxFileNameBytes));
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
    const auto fitted = [&](const QString &stem, const QString &ending) {
        const int room = MaxFileNameBytes - int(ending.toUtf8().size());
        const QString cut = withoutTrailingDotsAndSpaces(cutToUtf8Bytes(stem, room));
        return (cut.isEmpty() ? QStringLiteral("dyplom") : cut) + ending;
    };
    for (const QString &stem : stems) {
        QString name = fitted(stem, extension);
        for (int n = 2; taken.contains(name.toLower()); ++n)
            name = fitted(stem, QStringLiteral(" (%1)%2").arg(n).arg(extension));
        taken.insert(name.toLower());
        names.append(name);
    }
    return names;
}

QString lastWordFirst(const QString &name)
{
    QStringList words = name.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() > 1)
        words.prepend(words.takeLast());
    return words.join(QLatin1Char(' '));
}

} // namespace batch
