#include "HandoutList.h"

#include "PageTargets.h"

#include "batch/output/Register.h"

#include <QFontMetricsF>
#include <algorithm>

namespace batch {

void writeHandoutList(OutputFile &file, const QList<IssuedDiploma> &lines, const QString &title)
{
    constexpr int Dpi = 300;
    const auto mm = [](qreal v) { return v * Dpi / 25.4; };
    const printing::SheetGeometry sheet = printing::SheetGeometry::a4(Dpi);
    const QString heading = title.trimmed().isEmpty()
                                ? QStringLiteral("Lista odbioru dyplomów")
                                : QStringLiteral("Lista odbioru dyplomów: %1").arg(title.simplified());
    PdfTarget target(file, sheet, heading);

    const qreal margin = mm(15), titleHeight = mm(14), rowHeight = mm(9), footer = mm(10);
    const qreal width = sheet.sheet.width() - 2 * margin;
    // Nr, the name, the kind, the signature.
    const qreal columns[] = {mm(20), mm(75), mm(40), width - mm(135)};
    const int perPage = std::max(1, int((sheet.sheet.height() - 2 * margin - titleHeight - footer) / rowHeight)
                                        - 1); // less the header
    const int pageCount = std::max(1, int((lines.size() + perPage - 1) / perPage));

    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(int(mm(3.5)));
    QFont bold = font;
    bold.setBold(true);
    QFont titleFont = bold;
    titleFont.setPixelSize(int(mm(5)));

    const auto row = [&](QPainter &p, qreal y, const QStringList &cells) {
        qreal x = margin;
        for (int c = 0; c < 4; ++c) {
            p.drawRect(QRectF(x, y, columns[c], rowHeight));
            const QRectF inside(x + mm(2), y, columns[c] - mm(4), rowHeight);
            p.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter,
                       QFontMetricsF(p.font()).elidedText(cells.value(c), Qt::ElideRight, inside.width()));
            x += columns[c];
        }
    };
    for (int page = 0; page < pageCount; ++page) {
        QPainter &p = target.startPage();
        p.setPen(QPen(Qt::black, mm(0.25)));
        p.setBrush(Qt::NoBrush);
        p.setFont(titleFont);
        p.drawText(QRectF(margin, margin, width, titleHeight), Qt::AlignLeft | Qt::AlignTop, heading);
        qreal y = margin + titleHeight;
        p.setFont(bold);
        row(p, y,
            {QStringLiteral("Nr"), QStringLiteral("Imię i nazwisko"), QStringLiteral("Rodzaj"), QStringLiteral("Podpis")});
        p.setFont(font);
        const int first = page * perPage;
        for (int i = first; i < std::min(int(lines.size()), first + perPage); ++i) {
            y += rowHeight;
            row(p, y, {QString::number(lines[i].number), lines[i].name, lines[i].kind, QString()});
        }
        p.drawText(QRectF(margin, sheet.sheet.height() - margin - footer, width, footer),
                   Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("strona %1 z %2").arg(page + 1).arg(pageCount));
        target.endPage();
    }
    target.finish();
}

} // namespace batch
