#pragma once
// The gallery's designs by occasion, filtered and searched, without a window.
#include "platform/TemplateFiles.h"
#include "editor/uklady/DesignTable.h"

#include <QList>
#include <QMap>
#include <QString>

namespace klasa {

struct GalleryEntry {
    int number = 0;
    QString path;
    QString title; // empty for a design the table does not know
};

struct GallerySection {
    QString key;   // the occasion's key; empty for the designs the table lacks
    QString title; // shown above the section; empty without a table
    QList<GalleryEntry> entries;
};

// The title of the section of designs the table does not know.
QString otherDesignsTitle();

// The occasions of a table in its order (each once), for the filter.
QList<GallerySection> occasionsOf(const QMap<int, uklady::DesignInfo> &table);

// Sections in the table's order, the designs it lacks last ("Inne wzory");
// one untitled section without a table. occasionKey: only that section
// (empty: all; OtherKey: the designs the table lacks). search: the titles
// (and numbers) holding it, regardless of letter case and Polish letters.
inline const QString OtherKey = QStringLiteral("inne");
QList<GallerySection> gallerySections(const QList<platform::TemplateFile> &files,
                                      const QMap<int, uklady::DesignInfo> &table, const QString &occasionKey,
                                      const QString &search);

// Lower case without the Polish letters' marks ("Łąka" -> "laka").
QString searchFolded(const QString &text);

} // namespace klasa
