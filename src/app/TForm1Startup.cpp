// Start-up sequence, exit paths, help panel and "Nowy dyplom".
#include "TForm1.h"
#include "admin/VersionRecord.h"
#include "companions/ArchiverConfig.h"
#include "history/Thisto_f.h"
#include "editor/PreviewRules.h"
#include "editor/TemplateCatalogue.h"
#include "editor/TemplateView.h"
#include "platform/DataPath.h"
#include "platform/SpinEdit.h"
#include "platform/WidgetFactory.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {
const QString ExitQuestion = QStringLiteral("Koniec pracy ?");
const QString ExitCaption = QStringLiteral("Pytanie...");
} // namespace

void TForm1::FormCreate()
{
    // One guarded block: a failing step skips the rest, the window opens anyway.
    try {
        ProgramDir = platform::currentDirectory();
        companions::ZapiszKonfiguracjeArchiwizatora(ProgramDir);
        Thisto_f::PobierzDane(); // before the history window exists
        narzedzia_admini::createVersionFileIfMissing(ProgramDir);

        Label18->setText(QStringLiteral("Dla"));
        document_.recipient.top = 100;
        document_.recipient.left = 50;
        mag->setValue(document_.recipient.top);
        mal->setValue(document_.recipient.left);
        document_.templateNumber = 1;
        marginesl->setValue(80);
        marginesg->setValue(60);
        ml->setValue(50);
        mg->setValue(120);
        document_.heading.size = 18;
        document_.body.size = 18;
        document_.templateNumberText = QString::number(document_.templateNumber);
        Image1->setPicture(editor::loadTemplatePicture(
            platform::resolveDataPath(ProgramDir, QStringLiteral("\\Wzory\\BDR_0001") + QStringLiteral(".WMF"))));

        document_.body.fontName = QStringLiteral("Times New Roman");
        document_.body.size = 26;
        document_.heading.fontName = QStringLiteral("Times New Roman");
        document_.heading.size = 48;
        document_.recipient.fontName = QStringLiteral("Times New Roman");
        document_.recipient.size = 26;

        // The dialogs learn name and size only; colour and style stay theirs.
        auto prime = [](platform::FontChoice &dialog, const editor::TextBlockStyle &style) {
            dialog.face = style.fontName;
            dialog.size = style.size;
        };
        prime(fontDialogs_[1], document_.body);
        prime(fontDialogs_[0], document_.heading);
        prime(fontDialogs_[2], document_.recipient);
        editor::applyPreviewFont(Label8, document_.body);
        editor::applyPreviewFont(Label18, document_.recipient);
        for (QLabel *label : {Label9, Label10, Label11, Label12, Label13})
            editor::applyPreviewFont(label, document_.body);
        editor::applyPreviewFont(Label4, document_.heading);
    } catch (const std::exception &error) {
        platform::reportException(this, error);
    }
}

void TForm1::Wygaszaj()
{
    for (int alpha = 255; alpha >= 10; alpha -= 5)
        platform::services().setWindowOpacity(this, alpha);
}

bool TForm1::endWithFadeOut()
{
    Wygaszaj();
    try {
        Thisto_f::ZapiszUruchomienia();
    } catch (const std::exception &error) {
        // The process goes on: make the window usable again instead of
        // leaving it nearly invisible.
        platform::services().setWindowOpacity(this, 255);
        platform::reportException(this, error);
        return false;
    }
    platform::services().exitProcess(0);
    return true;
}

void TForm1::SpeedButton6Click()
{
    if (platform::services().ask(this, ExitQuestion, ExitCaption))
        endWithFadeOut();
}

bool TForm1::FormCloseQuery()
{
    if (!platform::services().ask(this, ExitQuestion, ExitCaption))
        return false;
    return endWithFadeOut();
}

void TForm1::Koniecpracy1Click()
{
    if (platform::services().ask(this, ExitQuestion, ExitCaption))
        platform::services().exitProcess(0);
}

void TForm1::SpeedButton5Click()
{
    Panel6->setGeometry(3, 16, 734, 473);
    Panel6->raise();
    Panel6->setVisible(true);
}

void TForm1::SpeedButton10Click()
{
    Panel6->setVisible(false);
}

void TForm1::SpeedButton3Click()
{
    naglowek->clear();
    dla->clear();
    for (QLineEdit *edit : Edit)
        edit->clear();
}
