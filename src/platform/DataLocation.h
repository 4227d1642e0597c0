#pragma once
#include <QString>
#include <QStringList>

// Which folder is the ProgramDir and where the templates are, for a copy run
// from a prepared folder (scripts/run, the tests), from a build tree or
// installed from the package.
namespace platform {

// What the choice depends on, read once from the process so that tests can
// hand in their own values.
struct DataEnvironment {
    QString currentDir;    // the current directory
    QString home;          // the user's home folder
    QString xdgDataHome;   // $XDG_DATA_HOME as set (may be empty or relative)
    QString executableDir; // the folder of the running program
    QString schoolDir;     // the school's designs for every user, in <schoolDir>/Wzory
};

// Where `sudo dyplom-wzory dodaj --dla-wszystkich` puts the school's designs;
// the package neither ships nor touches it. $DYPLOM_SZKOLA names another.
extern const QString SchoolDataDir;

// The running process's values; needs the application object.
DataEnvironment processDataEnvironment();

// A folder holds the program's data when it has a template folder Wzory
// (any letter case) with at least one BDR_nnnn.wmf in it; a "Wzory" folder
// of the user's own documents does not make the home folder a ProgramDir.
bool holdsProgramData(const QString &dir);

// <XDG data home>/dyplom: $XDG_DATA_HOME when it is absolute, else
// <home>/.local/share.
QString userProgramDir(const DataEnvironment &env);

// The shipped skeleton: <executable>/../share/dyplom for an installed copy
// (<executable>/../../share/dyplom for the editor in <prefix>/libexec/dyplom),
// <executable>/data in a build tree (a link to the sources' data folder),
// else /usr/share/dyplom; the first that holds the program's data, or an
// empty text when none does.
QString shippedDataDir(const DataEnvironment &env);

// Brings dir up to date with the skeleton, holding the folder's lock so that
// programs started together do not race: creates what is missing, never
// replaces or removes a file of the user, and brings the templates up to
// date from the skeleton and the school's folder (TemplateUpdate.h). A
// missing Dyplomy becomes a link to <home>/Dyplomy, the folder the user
// sees, created when needed. Returns one line per problem; the rest is done
// all the same.
QStringList prepareUserProgramDir(const QString &dir, const QString &skeleton, const QString &home,
                                  const QString &school = QString());

struct ProgramDirChoice {
    QString dir;          // the ProgramDir
    QStringList problems; // what could not be prepared
};

// The editor's ProgramDir: the current directory when it holds the program's
// data, else the per-user folder brought up to date from the skeleton.
ProgramDirChoice chooseProgramDir(const DataEnvironment &env);

// dyplom-druk's template folder: the one named on the command line; else
// Wzory of the current directory when it holds the program's data, of the
// per-user ProgramDir when that does (brought up to date first; problems go
// to `problems` when given), or of the shipped skeleton; else ./Wzory, so
// that a failure names the usual place.
QString templatesFolder(const QString &named, const DataEnvironment &env, QStringList *problems = nullptr);

} // namespace platform
