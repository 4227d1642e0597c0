#pragma once
#include <QString>
#include <QStringList>

namespace companions {

// The fixed command lines of the three companion programs.
inline const QString NotesCommandLine = QStringLiteral("notes.exe");
inline const QString SchedulerCommandLine = QStringLiteral("terminy.exe \"Moje zadania\"");
inline const QString ArchiverCommandLine = QStringLiteral("archiwizator.exe");

// Where a program named without a folder is looked for, in this order.
struct ProgramSearch {
    QString executableFolder; // the running program's folder
    QString currentFolder;
    QStringList path; // the PATH entries
};

// The running process's places; an empty `executableFolder` means the
// folder of the running program.
ProgramSearch processProgramSearch(const QString &executableFolder = QString());

// The absolute path of the executable file `name` names, or empty. A name
// with a folder is taken relative to the current folder only. In every
// folder the name as given comes first; a name without extension is tried
// with ".exe", and on Linux a "x.exe" is also found as "x", so native
// builds of the companions answer to the Windows names. Letter case of the
// file name does not matter.
QString findProgram(const QString &name, const ProgramSearch &search);

// Splits the command line, looks the program up and starts it detached
// through the platform seam. A program not found starts nothing and shows
// nothing. True when a start was handed to the platform and it succeeded.
bool startCompanion(const QString &commandLine, const ProgramSearch &search);
bool startCompanion(const QString &commandLine);

// The main window's menu commands "Moje notatki", "Terminarz" and
// "Ochrona danych".
void Mojenotatki();
void Terminarz();
void OchronaDanych();

} // namespace companions
