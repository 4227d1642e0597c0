// "&Zapisz dyplom" and "&Czytaj dyplom".
#include "TForm1.h"
#include "diplomafile/DiplomaCommands.h"
#include "editor/PreviewRules.h"
#include "editor/TemplateCatalogue.h"
#include "editor/TemplateView.h"
#include "platform/RecordFile.h"
#include "platform/SpinEdit.h"
#include "platform/WidgetFactory.h"

#include <QLabel>
#include <QLineEdit>

void TForm1::Zapiszdyplom1Click()
{
    diplomafile::Zapiszdyplom(this, saveDialog2Name_, ProgramDir,
                              [this] { return diplomafile::contentOf(document_, texts()); });
}

namespace {

platform::FontChoice fontOf(const editor::TextBlockStyle &style)
{
    return platform::FontChoice{style.fontName, style.size, style.style, style.colour};
}

void takeFont(editor::TextBlockStyle &into, const editor::TextBlockStyle &from)
{
    into.fontName = from.fontName;
    into.size = from.size;
    into.colour = from.colour;
    into.style = from.style;
}

} // namespace

void TForm1::Czytajdyplom1Click()
{
    takeDiploma(diplomafile::Czytajdyplom(this, openDialog2Name_, ProgramDir));
}

void TForm1::openDiplomaFile(const QString &path)
{
    takeDiploma(diplomafile::readDiplomaFile(path));
}

void TForm1::takeDiploma(const std::optional<diplomafile::DiplomaContent> &read)
{
    if (!read)
        return;
    const diplomafile::DiplomaContent &c = *read;

    naglowek->setText(c.texts.heading);
    for (int k = 0; k < 6; ++k)
        Edit[k]->setText(c.texts.body[k]);
    dla->setText(c.texts.recipient);

    // A damaged template stops the reading here: texts and number are taken,
    // margins, fonts and picture are not.
    document_.templateNumber = c.templateNumber;
    document_.templateNumberText = editor::templateNumberText(c.templateNumber);
    showTemplateNumber();
    const QString path = editor::templateFilePath(ProgramDir, document_.templateNumberText);
    if (platform::fileExists(path))
        Image1->setPicture(editor::loadTemplatePicture(path));

    // Each margin goes into the document first, then into its spin edit.
    auto takeMargins = [](editor::TextBlockStyle &into, const editor::TextBlockStyle &from, platform::SpinEdit *left,
                          platform::SpinEdit *top) {
        into.left = from.left;
        left->setValue(into.left);
        into.top = from.top;
        top->setValue(into.top);
    };
    takeMargins(document_.body, c.body, ml, mg);
    takeMargins(document_.heading, c.heading, marginesl, marginesg);
    takeMargins(document_.recipient, c.recipient, mal, mag);

    fontDialogs_[1] = fontOf(c.body);
    fontDialogs_[0] = fontOf(c.heading);
    fontDialogs_[2] = fontOf(c.recipient);

    takeFont(document_.body, c.body);
    takeFont(document_.recipient, c.recipient);
    takeFont(document_.heading, c.heading);

    editor::applyPreviewFont(Label4, document_.heading);
    editor::applyPreviewFont(Label8, document_.body);
    editor::applyPreviewFont(Label18, document_.recipient);
    for (QLabel *label : {Label9, Label10, Label11, Label12, Label13})
        editor::applyPreviewFont(label, document_.body);
}
