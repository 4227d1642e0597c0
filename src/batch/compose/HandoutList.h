#pragma once
#include <QList>
#include <QString>

namespace batch {

class OutputFile;
struct IssuedDiploma;

// The list a teacher hands the diplomas out by: A4 pages of a table with
// the columns Nr, Imię i nazwisko, Rodzaj and Podpis (left empty for the
// signature), a line per diploma in the order given, the title above and
// the page's number below. Written to file and finished. Throws Failure.
void writeHandoutList(OutputFile &file, const QList<IssuedDiploma> &lines, const QString &title);

} // namespace batch
