#include "Catalogue.h"

#include "batch/output/ErrorTexts.h"
#include "batch/output/Failure.h"
#include "PageTargets.h"

#include "editor/TemplateCatalogue.h"
#include "editor/uklady/DesignTable.h"
#include "platform/TemplateFiles.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace batch {

using platform::TemplateFile;

namespace {

struct CataloguePage {
    QString section; // the occasion, empty without a layout table
    QList<TemplateFile> files;
};

// The occasion of each template number from the table of layouts beside the
// templates folder, as the class window's gallery groups them; empty when
// there is none.
QMap<int, QString> occasionTitles(const QString &folder, const std::function<void(const QString &)> &warn)
{
    QString error;
    const QMap<int, uklady::DesignInfo> table = uklady::layoutTableFor(folder, &error);
    if (!error.isEmpty())
        warn(QStringLiteral("%1/%2: uszkodzona tabela układów, katalog bez podziału na okazje")
                 .arg(QFileInfo(folder).absolutePath(), QLatin1String(uklady::LayoutTableName)));
    QMap<int, QString> out;
    for (auto it = table.cbegin(); it != table.cend(); ++it)
        out.insert(it.key(), uklady::occasionName(it.value().occasion).title);
    return out;
}

// Nine templates to a page; with a table, each occasion on pages of its own,
// in the order of its first template.
QList<CataloguePage> cataloguePages(const QList<TemplateFile> &files, const QMap<int, QString> &occasions, int perPage)
{
    QStringList order;
    QMap<QString, QList<TemplateFile>> bySection;
    for (const TemplateFile &f : files) {
        const QString section = occasions.isEmpty() ? QString() : occasions.value(f.number, QStringLiteral("Inne wzory"));
        if (!bySection.contains(section))
            order << section;
        bySection[section].append(f);
    }
    QList<CataloguePage> pages;
    for (const QString &section : order) {
        const QList<TemplateFile> &all = bySection[section];
        for (qsizetype i = 0; i < all.size(); i += perPage)
            pages.append({section, all.mid(i, perPage)});
    }
    return pages;
}

} // namespace

int writeCatalogue(const QString &folder, OutputFile &file, const std::function<void(const QString &)> &warn)
{
    const QList<TemplateFile> files = platform::templateFilesIn(folder);
    if (files.isEmpty())
        throw Failure(folder, QStringLiteral("brak wzorów BDR_NNNN.wmf"));

    constexpr int Dpi = 300;
    const auto mm = [](qreal v) { return v * Dpi / 25.4; };
    const printing::SheetGeometry sheet = printing::SheetGeometry::a4(Dpi);
    PdfTarget target(file, sheet, QStringLiteral("Katalog wzorów dyplomów"));

    constexpr int Columns = 3, Rows = 3, PerPage = Columns * Rows;
    const QList<CataloguePage> pages = cataloguePages(files, occasionTitles(folder, warn), PerPage);
    const int pageCount = int(pages.size());
    const qreal margin = mm(12), titleHeight = mm(12), captionHeight = mm(8), gap = mm(6);
    const qreal cellWidth = (sheet.sheet.width() - 2 * margin - (Columns - 1) * gap) / Columns;
    const qreal cellHeight = (sheet.sheet.height() - 2 * margin - titleHeight - (Rows - 1) * gap) / Rows;
    const qreal pictureHeight = std::min(cellHeight - captionHeight, cellWidth * 297.0 / 210.0);
    const qreal pictureWidth = pictureHeight * 210.0 / 297.0;

    QFont titleFont(QStringLiteral("Times New Roman"));
    titleFont.setPixelSize(int(mm(6)));
    QFont captionFont(QStringLiteral("Times New Roman"));
    captionFont.setPixelSize(int(mm(3.6)));

    for (int page = 0; page < pageCount; ++page) {
        QPainter &p = target.startPage();
        p.setFont(titleFont);
        p.setPen(Qt::black);
        p.drawText(QRectF(margin, margin, sheet.sheet.width() - 2 * margin, titleHeight), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("Katalog wzorów dyplomów — %1strona %2 z %3")
                       .arg(pages[page].section.isEmpty() ? QString() : pages[page].section + QStringLiteral(" — "))
                       .arg(page + 1)
                       .arg(pageCount));
        for (int i = 0; i < int(pages[page].files.size()); ++i) {
            const TemplateFile &entry = pages[page].files[i];
            const qreal x = margin + (i % Columns) * (cellWidth + gap) + (cellWidth - pictureWidth) / 2;
            const int row = i / Columns;
            const qreal y = margin + titleHeight + row * (cellHeight + gap);
            const QRectF box(x, y, pictureWidth, pictureHeight);
            QString caption = QStringLiteral("Wzór nr %1 (%2)").arg(entry.number).arg(QFileInfo(entry.path).fileName());
            try {
                const wmf::Metafile picture = editor::loadTemplatePicture(entry.path);
                p.save();
                p.setClipRect(box);
                picture.draw(p, box);
                p.restore();
            } catch (const std::exception &e) {
                warn(QStringLiteral("%1: uszkodzony wzór pominięty (%2)").arg(entry.path, exceptionText(e)));
                p.setPen(QPen(Qt::gray, mm(0.3)));
                p.drawLine(box.topLeft(), box.bottomRight());
                p.drawLine(box.topRight(), box.bottomLeft());
                caption += QStringLiteral(" — uszkodzony");
            }
            p.setPen(QPen(Qt::gray, mm(0.2)));
            p.setBrush(Qt::NoBrush);
            p.drawRect(box);
            p.setPen(Qt::black);
            p.setFont(captionFont);
            p.drawText(QRectF(x - gap / 2, y + pictureHeight, pictureWidth + gap, captionHeight),
                       Qt::AlignHCenter | Qt::AlignVCenter, caption);
        }
        target.endPage();
    }
    target.finish();
    return int(files.size());
}

} // namespace batch
