// "Poprzedni wzór" and "Następny wzór".
#include "TForm1.h"
#include "editor/TemplateCatalogue.h"
#include "editor/TemplateView.h"
#include "platform/RecordFile.h"

#include <QLabel>
#include <limits>

void TForm1::SpeedButton1Click()
{
    stepTemplate(-1);
}

void TForm1::SpeedButton2Click()
{
    stepTemplate(+1);
}

void TForm1::stepTemplate(int direction)
{
    qint64 number = qint64(document_.templateNumber) + direction;
    if (number < 1)
        number = 1;
    const bool inRange = number <= std::numeric_limits<std::int32_t>::max();
    QString text = editor::templateNumberText(static_cast<std::int32_t>(inRange ? number : 0));
    const QString path = editor::templateFilePath(ProgramDir, text);
    const bool exists = inRange && platform::fileExists(path);
    if (!exists) {
        number -= direction;
        text = editor::templateNumberText(static_cast<std::int32_t>(number));
    }
    document_.templateNumber = static_cast<std::int32_t>(number);
    document_.templateNumberText = text;
    showTemplateNumber();
    if (exists)
        Image1->setPicture(editor::loadTemplatePicture(path));
}

void TForm1::showTemplateNumber()
{
    Panel3->setText(document_.templateNumberText);
}
