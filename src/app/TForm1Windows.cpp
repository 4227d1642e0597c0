// Menu commands that open the secondary windows or start companion programs.
#include "TForm1.h"
#include "admin/Tnarzedzia_f.h"
#include "companions/Companions.h"
#include "companions/Wizyt.h"
#include "history/Thisto_f.h"

void TForm1::Wizytwka1Click()
{
    if (form3_)
        form3_->Pokaz();
}

void TForm1::Historiauruchomie1Click()
{
    if (histo_f_)
        histo_f_->openFromMenu();
}

void TForm1::Narzdziaadministratora1Click()
{
    if (narzedzia_f_)
        narzedzia_f_->openFromMenu();
}

void TForm1::Mojenotatki1Click()
{
    companions::Mojenotatki();
}

void TForm1::erminarz1Click()
{
    companions::Terminarz();
}

void TForm1::Archiwizacjanainnychnonikach1Click()
{
    companions::OchronaDanych();
}
