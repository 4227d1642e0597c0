// Menu commands whose units have not joined yet: present, doing nothing.
#include "TForm1.h"

void TForm1::Czytajdyplom1Click() {}
void TForm1::Zapiszdyplom1Click() {}
