#pragma once
#include <QString>
#include <QStringList>

// The editor's command line: at most one diploma file (a double click on a
// .dyp), read once the start-up sequence is done. Everything else is ignored.
struct StartArguments {
    QString diplomaFile; // absolute path; empty when none is to be read
    QStringList notes;   // one line for stderr per argument left unused
};

// arguments come without the program name; relative names are taken from
// currentDir, the directory the editor was started in.
StartArguments readStartArguments(const QStringList &arguments, const QString &currentDir);

class TForm1;

// Reads the named diploma into the editor as the first thing the message
// loop does, so that an error is reported as the read command's are.
void openAfterStart(TForm1 &form, const StartArguments &start);
