#include "MissingGlyphs.h"

#include <QFont>
#include <QGlyphRun>
#include <QTextLayout>

namespace batch {

namespace {

bool drawable(const QString &character, const QFont &font)
{
    QTextLayout layout(character, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty())
        return false;
    for (const QGlyphRun &run : runs)
        for (const quint32 glyph : run.glyphIndexes())
            if (glyph == 0)
                return false;
    return true;
}

} // namespace

QStringList MissingGlyphs::in(const QString &text, const editor::TextBlockStyle &style)
{
    QFont font(style.fontName);
    font.setBold(style.style & editor::FontStyle::Bold);
    font.setItalic(style.style & editor::FontStyle::Italic);
    font.setPixelSize(40);
    const QString fontKey = style.fontName + QChar(u'|') + QString::number(style.style & 3) + QChar(u'|');
    QStringList missing;
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        const char32_t code = character.toUcs4().value(0);
        const QChar::Category category = QChar::category(code);
        // Spaces, controls and combining marks have no glyph of their own to miss.
        if (QChar::isSpace(code) || category == QChar::Other_Control || category == QChar::Other_Format
            || category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing
            || category == QChar::Mark_SpacingCombining)
            continue;
        const QString key = fontKey + character;
        auto found = known_.find(key);
        if (found == known_.end())
            found = known_.insert(key, drawable(character, font));
        if (!*found && !missing.contains(character))
            missing.append(character);
    }
    return missing;
}

} // namespace batch
