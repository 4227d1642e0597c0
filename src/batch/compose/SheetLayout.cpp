#include "SheetLayout.h"

namespace batch {

namespace {

struct Paper {
    const char *name;
    double width, height; // mm, upright
};

const Paper papers[] = {
    {"A4", 210, 297},
    {"A5", 148, 210},
    {"A6", 105, 148},
    {"Letter", 215.9, 279.4},
};

const Paper *paperOf(const QString &name)
{
    for (const Paper &p : papers)
        if (name.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

// The paper two (or four) diplomas of paper share; empty when none is offered.
QString sharedSheet(const QString &paper, int perSheet)
{
    if (perSheet == 2 && paper == QLatin1String("A5"))
        return QStringLiteral("A4");
    if (perSheet == 2 && paper == QLatin1String("A6"))
        return QStringLiteral("A5");
    if (perSheet == 4 && paper == QLatin1String("A6"))
        return QStringLiteral("A4");
    return {};
}

// Columns and rows of the upright sheet.
QSize grid(int perSheet)
{
    return perSheet == 4 ? QSize(2, 2) : QSize(1, perSheet);
}

} // namespace

const QStringList &paperNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (const Paper &p : papers)
            n.append(QLatin1String(p.name));
        return n;
    }();
    return names;
}

QString paperName(const QString &typed)
{
    const Paper *p = paperOf(typed.trimmed());
    return p ? QLatin1String(p->name) : QString();
}

QSizeF paperSizeMm(const QString &name)
{
    const Paper *p = paperOf(name);
    return p ? QSizeF(p->width, p->height) : QSizeF();
}

QSizeF SheetLayout::diplomaMm() const
{
    const QSizeF upright = paperSizeMm(paper);
    return landscape ? upright.transposed() : upright;
}

QString SheetLayout::sheetPaper() const
{
    return perSheet == 1 ? paperName(paper) : sharedSheet(paperName(paper), perSheet);
}

QSizeF SheetLayout::sheetMm() const
{
    return perSheet == 1 ? diplomaMm() : paperSizeMm(sheetPaper());
}

QList<SheetPosition> SheetLayout::positions() const
{
    const QSizeF sheet = sheetMm();
    const QSize g = grid(perSheet);
    const QSizeF part(sheet.width() / g.width(), sheet.height() / g.height());
    const QSizeF diploma = diplomaMm();
    const bool turned = perSheet > 1 && (diploma.width() > diploma.height()) != (part.width() > part.height());
    const QSizeF placed = turned ? diploma.transposed() : diploma;
    QList<SheetPosition> out;
    for (int row = 0; row < g.height(); ++row)
        for (int column = 0; column < g.width(); ++column) {
            const QPointF centre((column + 0.5) * part.width(), (row + 0.5) * part.height());
            out.append({QRectF(centre - QPointF(placed.width() / 2, placed.height() / 2), placed), turned});
        }
    return out;
}

QList<QLineF> SheetLayout::cutMarks() const
{
    QList<QLineF> marks;
    if (perSheet == 1)
        return marks;
    const QSizeF sheet = sheetMm();
    const QSize g = grid(perSheet);
    for (int row = 1; row < g.height(); ++row) {
        const double y = sheet.height() * row / g.height();
        marks.append(QLineF(0, y, CutMarkMm, y));
        marks.append(QLineF(sheet.width() - CutMarkMm, y, sheet.width(), y));
    }
    for (int column = 1; column < g.width(); ++column) {
        const double x = sheet.width() * column / g.width();
        marks.append(QLineF(x, 0, x, CutMarkMm));
        marks.append(QLineF(x, sheet.height() - CutMarkMm, x, sheet.height()));
    }
    return marks;
}

QString layoutError(const SheetLayout &layout)
{
    const QString paper = paperName(layout.paper);
    if (paper.isEmpty())
        return QStringLiteral("nieznany papier „%1” (znane: %2)").arg(layout.paper, paperNames().join(QStringLiteral(", ")));
    if (layout.perSheet != 1 && layout.perSheet != 2 && layout.perSheet != 4)
        return QStringLiteral("po %1 na arkuszu: można po 1, 2 albo 4").arg(layout.perSheet);
    if (layout.perSheet > 1 && sharedSheet(paper, layout.perSheet).isEmpty())
        return QStringLiteral("dyplomy %1 nie mieszczą się po %2 na arkuszu A4 ani A5 (po 2: A5 na A4 albo A6 na "
                              "A5, po 4: A6 na A4)")
            .arg(paper)
            .arg(layout.perSheet);
    return {};
}

printing::SheetGeometry drawingGeometry(const SheetLayout &layout, int dpi)
{
    printing::SheetGeometry g = printing::SheetGeometry::a4(dpi);
    if (layout.landscape) {
        g.sheet.transpose();
        g.printable = QRect(QPoint(0, 0), g.sheet);
    }
    return g;
}

QList<Placement> placements(int diplomas, int perSheet, int start)
{
    QList<Placement> out;
    for (int i = 0; i < diplomas; ++i) {
        const int at = start - 1 + i;
        out.append({at / perSheet, at % perSheet});
    }
    return out;
}

} // namespace batch
