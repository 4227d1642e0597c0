#pragma once
#include "TextBlockStyle.h"

namespace editor {

// The diploma being edited; its texts stay in the editor's edit controls.
struct DiplomaDocument {
    TextBlockStyle heading;
    TextBlockStyle body;
    std::int32_t templateNumber = 0;
    QString templateNumberText;
    TextBlockStyle recipient;
};

// The eight texts of a diploma, in the order heading, body lines, recipient.
struct DiplomaTexts {
    QString heading;
    QString body[6];
    QString recipient;

    bool operator==(const DiplomaTexts &o) const
    {
        for (int i = 0; i < 6; ++i)
            if (body[i] != o.body[i])
                return false;
        return heading == o.heading && recipient == o.recipient;
    }
};

} // namespace editor
