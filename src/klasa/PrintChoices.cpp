#include "PrintChoices.h"

#include <QPageRanges>
#include <cmath>
#include <QPrinter>

namespace klasa {

QList<batch::Page> pagesToPrint(const QPrinter &printer, const QList<batch::Page> &pages, int currentPage)
{
    QList<batch::Page> chosen;
    switch (printer.printRange()) {
    case QPrinter::CurrentPage:
        if (currentPage >= 0 && currentPage < pages.size())
            chosen.append(pages[currentPage]);
        break;
    case QPrinter::PageRange: {
        const QPageRanges ranges = printer.pageRanges();
        for (int i = 0; i < pages.size(); ++i)
            if (ranges.isEmpty() ? i + 1 >= printer.fromPage() && (printer.toPage() <= 0 || i + 1 <= printer.toPage())
                                 : ranges.contains(i + 1))
                chosen.append(pages[i]);
        break;
    }
    default: chosen = pages; break;
    }
    const int copies = std::max(1, printer.copyCount());
    if (copies == 1)
        return chosen;
    QList<batch::Page> out;
    out.reserve(chosen.size() * copies);
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            out += chosen;
    } else {
        for (const batch::Page &p : std::as_const(chosen))
            for (int c = 0; c < copies; ++c)
                out.append(p);
    }
    return out;
}

QString unsupportedPrintChoice(const QPrinter &printer, const batch::SheetLayout &sheets)
{
    if (printer.printRange() == QPrinter::Selection)
        return QStringLiteral("Nie można drukować zaznaczenia: wybierz wszystkie strony, zakres stron albo bieżącą "
                              "stronę.");
    const QPageLayout layout = printer.pageLayout();
    const QString paper = sheets.sheetPaper();
    const QSizeF wanted = batch::paperSizeMm(paper), chosen = layout.pageSize().size(QPageSize::Millimeter);
    if (std::abs(chosen.width() - wanted.width()) > 1 || std::abs(chosen.height() - wanted.height()) > 1)
        return QStringLiteral("Dyplomy drukuje się na arkuszu %1, a w drukarce wybrano papier %2: wzór i teksty "
                              "nie zmieściłyby się razem. Wybierz papier %1 we właściwościach drukarki.")
            .arg(paper, layout.pageSize().name());
    const bool across = sheets.sheetMm().width() > sheets.sheetMm().height();
    if ((layout.orientation() == QPageLayout::Landscape) != across)
        return across ? QStringLiteral("Dyplomy drukuje się w poziomie: wybierz orientację poziomą we właściwościach "
                                       "drukarki.")
                      : QStringLiteral("Dyplomy drukuje się w pionie: wybierz orientację pionową we właściwościach "
                                       "drukarki.");
    return {};
}

} // namespace klasa
