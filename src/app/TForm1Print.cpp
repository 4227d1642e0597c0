// "Drukuj dyplom".
#include "TForm1.h"
#include "editor/TemplateView.h"
#include "platform/SpinEdit.h"
#include "printing/PrintCommand.h"

void TForm1::SpeedButton4Click()
{
    // Read after the dialog: the tick may have moved margins while it was open.
    printing::SpeedButton4Click(this, [this] {
        printing::PrintInput input;
        input.texts = texts();
        input.heading = document_.heading;
        input.body = document_.body;
        input.recipient = document_.recipient;
        input.picture = Image1->picture();
        input.templateLeft = margin_wz_l->value();
        input.templateTop = margin_wz_g->value();
        return input;
    });
}
