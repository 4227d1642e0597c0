// Menu commands whose units have not joined yet: present, doing nothing.
#include "TForm1.h"

void TForm1::SpeedButton4Click() {}
void TForm1::Czytajdyplom1Click() {}
void TForm1::Zapiszdyplom1Click() {}
void TForm1::Mojenotatki1Click() {}
void TForm1::erminarz1Click() {}
void TForm1::Narzdziaadministratora1Click() {}
void TForm1::Archiwizacjanainnychnonikach1Click() {}
void TForm1::Wizytwka1Click() {}
void TForm1::Historiauruchomie1Click() {}
