#include "GallerySections.h"

#include <algorithm>

namespace klasa {

QString otherDesignsTitle()
{
    return QStringLiteral("Inne wzory");
}

QString searchFolded(const QString &text)
{
    QString out;
    const QString decomposed = text.toLower().normalized(QString::NormalizationForm_D);
    for (QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        out += c == QChar(0x0142) ? QLatin1Char('l') : c; // ł has no decomposition
    }
    return out;
}

QList<GallerySection> occasionsOf(const QMap<int, uklady::DesignInfo> &table)
{
    QList<GallerySection> out;
    for (const uklady::DesignInfo &d : table) {
        const uklady::OccasionName name = uklady::occasionName(d.occasion);
        const QString key = QLatin1String(name.key);
        if (std::none_of(out.cbegin(), out.cend(), [&](const GallerySection &s) { return s.key == key; }))
            out.append({key, name.title, {}});
    }
    return out;
}

QList<GallerySection> gallerySections(const QList<platform::TemplateFile> &files,
                                      const QMap<int, uklady::DesignInfo> &table, const QString &occasionKey,
                                      const QString &search)
{
    QList<GallerySection> sections = occasionsOf(table);
    if (!table.isEmpty())
        sections.append({OtherKey, otherDesignsTitle(), {}});
    else
        sections.append({OtherKey, QString(), {}});
    const QString wanted = searchFolded(search.trimmed());
    for (const platform::TemplateFile &f : files) {
        const auto known = table.constFind(f.number);
        const QString key = known == table.cend() ? OtherKey : QLatin1String(uklady::occasionName(known->occasion).key);
        const QString title = known == table.cend() ? QString() : known->title;
        if (!occasionKey.isEmpty() && key != occasionKey)
            continue;
        if (!wanted.isEmpty() && !searchFolded(title).contains(wanted) && QString::number(f.number) != wanted)
            continue;
        for (GallerySection &s : sections)
            if (s.key == key)
                s.entries.append({f.number, f.path, title});
    }
    sections.removeIf([](const GallerySection &s) { return s.entries.isEmpty(); });
    return sections;
}

} // namespace klasa
