// The three font buttons.
#include "TForm1.h"
#include "editor/PreviewRules.h"
#include "platform/WidgetFactory.h"

#include <QLabel>

void TForm1::SpeedButton7Click()
{
    chooseBlockFont(1, document_.heading, {Label4});
}

void TForm1::SpeedButton8Click()
{
    chooseBlockFont(3, document_.recipient, {Label18});
}

void TForm1::SpeedButton9Click()
{
    chooseBlockFont(2, document_.body, bodyLabels());
}

void TForm1::chooseBlockFont(int dialog, editor::TextBlockStyle &style,
                             const std::vector<widgets::SelfSizingLabel *> &labels)
{
    platform::FontChoice &kept = fontDialogs_[dialog - 1];
    const std::optional<platform::FontChoice> choice = platform::services().chooseFont(this, kept);
    if (!choice)
        return;
    kept = *choice;
    style.fontName = choice->face;
    style.size = choice->size;
    style.colour = choice->colour;
    style.style = choice->style & editor::FontStyle::Mask;
    applyBlockFont(style, labels);
}

void TForm1::applyBlockFont(const editor::TextBlockStyle &style, const std::vector<widgets::SelfSizingLabel *> &labels)
{
    for (QLabel *label : labels)
        editor::applyPreviewFont(label, style);
}
