#include "SizeLimits.h"

#include "TextFit.h"

#include <algorithm>

namespace batch {

int largestSize(const printing::SheetGeometry &geometry)
{
    if (geometry.dpi <= 0)
        return 1;
    return std::max(1, int(qint64(geometry.printable.height()) * 72 / geometry.dpi));
}

QStringList sizeProblems(const printing::PrintInput &input, const printing::SheetGeometry &geometry)
{
    const int largest = largestSize(geometry);
    QStringList out;
    const editor::TextBlockStyle *styles[] = {&input.heading, &input.body, &input.recipient};
    for (int block = 0; block < 3; ++block) {
        const std::int32_t size = styles[block]->size;
        if (size >= 1 && size <= largest)
            continue;
        out.append(QStringLiteral("%1: rozmiar %2 pt nie mieści się na arkuszu (najwyżej %3 pt)")
                       .arg(blockName(block))
                       .arg(size)
                       .arg(largest));
    }
    return out;
}

} // namespace batch
