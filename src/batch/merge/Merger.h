#pragma once
#include "ColumnRoles.h"
#include "RowSelection.h"

#include "batch/table/Table.h"
#include "editor/DiplomaDocument.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QStringList>
#include <array>

namespace batch {

// The eight texts of a diploma by number: 0 heading, 1 … 6 body lines, 7 recipient.
constexpr int TextCount = 8;
QString &textAt(editor::DiplomaTexts &texts, int index);
const QString &textAt(const editor::DiplomaTexts &texts, int index);
// The text's name in messages: "nagłówek", "treść 3", "dla".
QString textName(int index);

// One diploma of a class list: the texts it prints and where it came from.
struct MergedRecord {
    int number = 0; // from 1, as --sprawdz lists them and --wiersze takes them
    RowOrigin origin;
    editor::DiplomaTexts texts;
    std::array<bool, TextCount> filled{}; // the text comes from the list
    int fields = 0;                       // fields filled in
    QStringList unsure;                   // the pupil's sex or a form of the name guessed, naming the line
    QString name;                         // the pupil, as {Imię i nazwisko} gives it
    int serial = 0;                       // its {Nr}
    QStringList cells;                    // the row as read
    int copies = 1;                       // the "Liczba" column: diplomas printed of this record
};

// What merging found, besides the records.
struct MergeResult {
    QList<MergedRecord> records;
    bool hasHeader = false;
    QStringList columns;     // header cells, or the column letters without a header
    int repeatedHeaders = 0; // header rows inside the list, skipped
    int rowsAboveHeader = 0; // a register's title and the like above the header, skipped
    int rowsWithoutName = 0; // rows whose name cells are empty, skipped
    int fieldsFilled = 0;    // over all records
    QStringList turnedNames; // "wiersz 3: „Kowalska Anna” → „Anna Kowalska”"
    QStringList warnings;    // each naming the file and line
};

struct MergeSettings {
    bool noHeader = false;    // --bez-naglowka: the first row is data
    bool headerGiven = false; // the first row is the header whatever it holds (the class window's)
    QString listName;         // for messages
    QString diplomaName;
    int firstNumber = 1; // {Nr} of the first diploma made (--numer-od)
    QString date;        // {Data}: empty today, RRRR-MM-DD or a text (--data)
    QDate today = QDate::currentDate();
    RowSelection chosen;     // the records made: {Nr} counts these
    QHash<int, int> numbers; // record → the {Nr} an earlier run gave it (a reprint); the others count on
};

// Gives each row of the table the texts of its diploma. With a header, the
// known headers (ColumnRoles) replace whole texts and every column is a
// field; the recipient comes from dla, else a full-name column, else
// "Imię Nazwisko". A text holding a field is filled in instead of replaced.
// Alternatives and names in other cases agree with the pupil: the "Płeć"
// column, else the first name (sexOfFirstName) decides.
// Throws TableError: a field no column answers or a brace left open (naming
// the diploma and the text), a "Płeć" that is neither K nor M, a first row of several cells that is no
// header, a row wider than the header. A header found below the first row
// (within HeaderSearchRows) is taken, the rows above it skipped with a warning.
MergeResult mergeList(const Table &table, const editor::DiplomaTexts &diploma, const MergeSettings &settings);

// "Kowalska Anna Maria" → "Anna Maria Kowalska" (a comma after the
// surname is dropped); a single word stays.
QString surnameToEnd(const QString &name);

} // namespace batch
