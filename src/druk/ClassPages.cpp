#include "ClassPages.h"

namespace druk {

batch::ClassListSettings classListSettings(const Options &options, const QString &templatePath, int templateNumber)
{
    batch::ClassListSettings s;
    s.listPath = options.list;
    s.diplomaName = options.diploma;
    s.read.separator = options.lists.separator;
    s.read.encoding = options.lists.encoding;
    s.read.sheet = options.lists.sheet;
    s.noHeader = options.noHeader;
    if (!options.lists.rows.isEmpty())
        s.rows = batch::RowSelection::parse(options.lists.rows);
    s.firstNumber = options.lists.firstNumber;
    s.date = options.lists.date;
    s.fit.shrink = options.lists.shrink;
    s.fit.centre = options.lists.centre;
    s.geometry = options.sheets.layout.isPlain() ? printing::SheetGeometry::a4(options.printerDpi, options.printableMm)
                                                 : batch::drawingGeometry(options.sheets.layout, options.printerDpi);
    s.describeTemplate(templatePath, templateNumber);
    s.kinds = options.ceremony.kinds;
    s.groupByKind = options.ceremony.group;
    return s;
}

QStringList runWarnings(const batch::ClassSummary &summary)
{
    QStringList lines;
    for (const QString &w : summary.warnings)
        lines.append(QStringLiteral("uwaga: ") + w);
    for (const QString &s : summary.shrunk)
        lines.append(QStringLiteral("zmniejszono: ") + s);
    for (const QString &s : summary.overBorder + summary.belowFloor + summary.offSheet)
        lines.append(QStringLiteral("uwaga: ") + s);
    for (const QString &s : summary.missingGlyphs)
        lines.append(QStringLiteral("uwaga: ") + s);
    if (!summary.noFreeArea.isEmpty())
        lines.append(summary.noFreeArea);
    return lines;
}

} // namespace druk
