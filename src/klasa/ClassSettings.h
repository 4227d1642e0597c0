#pragma once
#include "ClassSession.h"

#include "batch/compose/SheetLayout.h"

#include <QList>
#include <QString>

// What the class window remembers between runs (the program's QSettings):
// each key and its default are written once, in ClassSettings.cpp.
namespace klasa::settings {

// The folders dialogs start in, by the kind of file they pick.
enum class Folder { Diploma, List, Output, Design };

ClassSession::Options options();
void setOptions(const ClassSession::Options &options);

// Separate files named "Nazwisko Imię" rather than "Imię Nazwisko".
bool surnameFirst();
void setSurnameFirst(bool on);

// Pre-printed paper for this diploma: the outputs leave its template out.
bool textOnly(const QString &diplomaPath);
void setTextOnly(const QString &diplomaPath, bool on);

// The diplomas' paper, landscape and how many share a sheet.
batch::SheetLayout sheetLayout();
void setSheetLayout(const batch::SheetLayout &layout);

// The folder last used for kind; empty when none was or it is gone.
QString folder(Folder kind);
void setFolder(Folder kind, const QString &folder);

// The meanings chosen for a list layout (ClassSession::layoutKey), one
// per column; empty when none were.
QList<ColumnChoice> columnChoices(const QString &layout);
void setColumnChoices(const QString &layout, const QList<ColumnChoice> &choices);

} // namespace klasa::settings
