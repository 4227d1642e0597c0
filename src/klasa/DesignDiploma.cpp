#include "DesignDiploma.h"

#include "editor/Colours.h"
#include "editor/PreviewRules.h"

#include <QDir>
#include <algorithm>
#include <QFile>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <cmath>
#include <stdexcept>

namespace klasa {

namespace {

constexpr double MmPerPt = 25.4 / 72;
constexpr int BodyLines = 6;

// Width and height in mm of text in family at size points, as the page
// draws it (a cell as high as the font's line).
struct Measure {
    QFont font;
    double scale; // mm per pixel of the font
    Measure(const QString &family, double sizePt)
    {
        font.setFamily(family);
        font.setPixelSize(1000);
        scale = sizePt * MmPerPt / 1000;
    }
    double width(const QString &text) const { return QFontMetricsF(font).horizontalAdvance(text) * scale; }
    double height() const { return QFontMetricsF(font).height() * scale; }
};

std::int32_t leftUnits(double mm, const QSizeF &page)
{
    return std::int32_t(std::lround(mm / page.width() * 200));
}

std::int32_t topUnits(double mm, const QSizeF &page)
{
    return std::int32_t(std::lround(mm / page.height() * 280));
}

editor::TextBlockStyle styleOf(const uklady::SuggestedText &t, const QString &family)
{
    editor::TextBlockStyle s;
    s.fontName = family;
    s.size = std::max<std::int32_t>(1, std::int32_t(std::lround(t.sizePt)));
    s.colour = t.colour.isValid() ? editor::fromQColor(t.colour) : 0;
    return s;
}

// One line centred in its box.
editor::TextBlockStyle placedLine(const uklady::SuggestedText &t, const QSizeF &page)
{
    const QString family = uklady::firstInstalledFont(t.fonts);
    editor::TextBlockStyle s = styleOf(t, family);
    const Measure m(family, s.size);
    s.left = leftUnits(t.boxMm.x() + std::max(0.0, (t.boxMm.width() - m.width(t.text)) / 2), page);
    s.top = topUnits(t.boxMm.y() + std::max(0.0, (t.boxMm.height() - m.height()) / 2), page);
    return s;
}

QStringList wrapped(const QString &text, const Measure &m, double widthMm)
{
    QStringList lines;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!lines.isEmpty() && m.width(lines.last() + QLatin1Char(' ') + word) <= widthMm)
            lines.last() += QLatin1Char(' ') + word;
        else
            lines << word;
    }
    // What does not fit in the lines a diploma has goes on its last one.
    while (lines.size() > BodyLines)
        lines[BodyLines - 1] += QLatin1Char(' ') + lines.takeAt(BodyLines);
    return lines;
}

} // namespace

QSizeF pageMmOf(const uklady::DesignInfo &design)
{
    return design.landscape ? QSizeF(PageHeightMm, PageWidthMm) : QSizeF(PageWidthMm, PageHeightMm);
}

diplomafile::DiplomaContent diplomaFromDesign(int number, const uklady::DesignInfo &design)
{
    const QSizeF page = pageMmOf(design);
    diplomafile::DiplomaContent c;
    c.templateNumber = number;
    for (const uklady::SuggestedText &t : design.texts) {
        if (t.role == QLatin1String("heading")) {
            c.heading = placedLine(t, page);
            c.texts.heading = t.text;
        } else if (t.role == QLatin1String("name")) {
            c.recipient = placedLine(t, page);
            c.texts.recipient = t.text;
        } else if (t.role == QLatin1String("body")) {
            const QString family = uklady::firstInstalledFont(t.fonts);
            c.body = styleOf(t, family);
            const Measure m(family, c.body.size);
            const QStringList lines = wrapped(t.text, m, t.boxMm.width());
            double widest = 0;
            for (int k = 0; k < lines.size(); ++k) {
                c.texts.body[k] = lines[k];
                widest = std::max(widest, m.width(lines[k]));
            }
            const double stepMm = editor::bodyLineStep(c.body.size) * page.height() / 280;
            const double heightMm = (lines.size() - 1) * stepMm + m.height();
            c.body.left = leftUnits(t.boxMm.x() + std::max(0.0, (t.boxMm.width() - widest) / 2), page);
            c.body.top = topUnits(t.boxMm.y() + std::max(0.0, (t.boxMm.height() - heightMm) / 2), page);
        }
    }
    return c;
}

QString freeDiplomaPath(const QString &folder, const QString &title)
{
    static const QRegularExpression unfit(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    QString base = QString(title).remove(unfit).simplified();
    while (base.startsWith(QLatin1Char('.')))
        base.remove(0, 1);
    if (base.isEmpty())
        base = QStringLiteral("Dyplom");
    const QDir dir(folder);
    QString path = dir.filePath(base + QStringLiteral(".dyp"));
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = dir.filePath(QStringLiteral("%1 (%2).dyp").arg(base).arg(n));
    return path;
}

QString writeNewDiploma(const QString &folder, const QString &title, const diplomafile::DiplomaContent &content)
{
    if (!QDir().mkpath(folder))
        throw std::runtime_error(QStringLiteral("Nie można utworzyć folderu %1.").arg(folder).toStdString());
    const QByteArray bytes = diplomafile::buildDiplomaRecord(content);
    // NewOnly: a file of that name made meanwhile is never written over.
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString path = freeDiplomaPath(folder, title);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path))
                continue;
            throw std::runtime_error(
                QStringLiteral("Nie można zapisać %1: %2").arg(path, file.errorString()).toStdString());
        }
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            const QString error = file.errorString();
            file.remove();
            throw std::runtime_error(QStringLiteral("Nie można zapisać %1: %2").arg(path, error).toStdString());
        }
        return path;
    }
    throw std::runtime_error(
        QStringLiteral("Nie można znaleźć wolnej nazwy dla %1 w %2.").arg(title, folder).toStdString());
}

} // namespace klasa
