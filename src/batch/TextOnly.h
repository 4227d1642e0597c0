#pragma once
#include "batch/Page.h"

#include <QList>

namespace batch {

// The pages with nothing of their template: for paper that comes with the
// design already printed on it. Texts, their places and cells stay.
inline QList<Page> withoutTemplate(QList<Page> pages)
{
    for (Page &page : pages)
        page.input.picture = wmf::Metafile();
    return pages;
}

} // namespace batch
