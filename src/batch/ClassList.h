#pragma once
#include "fit/FreeArea.h"
#include "fit/TextFit.h"
#include "merge/DiplomaKinds.h"
#include "merge/Merger.h"
#include "merge/RowSelection.h"
#include "table/Table.h"

#include "printing/PrintDiploma.h"
#include "printing/SheetDevice.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace batch {

// One diploma of a run whose kinds a column decides, and what names it.
struct KindDiploma {
    printing::PrintInput base;
    QString diplomaName; // the .dyp, for messages
    QString templateKey; // as ClassListSettings'
    QString templateName;
};

// Everything that decides the pages of a class list, from the command line
// or the class window.
struct ClassListSettings {
    QString listPath;    // empty: the diploma alone
    QString diplomaName; // for messages
    ReadOptions read;
    ReadLimits limits;
    bool noHeader = false;
    bool headerGiven = false; // the table's first row is its header (the class window's)
    RowSelection rows;
    int firstNumber = 1; // {Nr} of the first diploma (--numer-od)
    QString date;        // {Data} (--data); empty: today
    FitSettings fit;
    printing::SheetGeometry geometry = printing::SheetGeometry::a4(600);
    QString templateKey;  // caches the template's free area
    QString templateName; // for the note about a template without a free area
    // Kinds of diploma: the column and its values (empty: base for every
    // record), the diplomas of kinds.files() in that order, and whether the
    // pages go kind by kind (in the order of files()) rather than in list
    // order. {Nr} follows the list either way.
    DiplomaKinds kinds;
    QList<KindDiploma> kindDiplomas;
    bool groupByKind = false;
    // The {Nr} an earlier run gave this pupil (name, class, kind), 0 for
    // none: a reprint keeps it (the register).
    std::function<int(const QString &name, const QString &group, const QString &kind)> earlierNumber;

    // templateKey and templateName for the template file at path, number templateNumber.
    void describeTemplate(const QString &path, int templateNumber);
};

// One page and where it comes from.
struct ClassPage {
    printing::PrintInput input;
    int number = 0; // record number from 1; 0 without a list
    int line = 0;   // line (or sheet row) of the list; 0 without a list
    int kind = 0;   // index of its diploma in ClassListSettings::kindDiplomas
    int serial = 0; // its {Nr}
    QString name;   // the pupil
    QString group;  // the "Klasa" cell
    int copies = 1; // the list's "Liczba"
};

// The figures of a run, for --sprawdz and the line that ends every run.
struct ClassSummary {
    bool hasList = false;
    int rowsRead = 0; // rows of the list below the header, empty rows included
    int records = 0;  // diplomas the list gives
    int pages = 0;    // pages made (records chosen)
    int emptyRows = 0;
    int repeatedHeaders = 0;
    int rowsAboveHeader = 0;
    int rowsWithoutName = 0;
    int fieldsFilled = 0;
    bool headerRow = false;
    QString encoding;
    QChar separator;
    QString sheet; // spreadsheets: the sheet read
    QStringList columns;
    QStringList warnings; // reading and merging, each naming its line
    QStringList turnedNames;
    QStringList shrunk;        // one line per block and sizes, with the records it happened in
    QStringList overBorder;    // one line per distinct text
    QStringList offSheet;      // one line per distinct text
    QStringList belowFloor;    // shrunk to the floor and still too wide
    QStringList missingGlyphs; // one line per character
    QStringList duplicates;    // one line per name
    QStringList unsure;        // the pupil's sex or a form of a name guessed, naming the line (in warnings too)
    QString noFreeArea;        // the note, when the template has none
    QStringList kinds;         // pages per kind of diploma: "miejsce.dyp: 3"
    int overBorderRecords = 0;
    int offSheetRecords = 0;

    int skipped() const { return emptyRows + repeatedHeaders + rowsWithoutName + rowsAboveHeader; }
    // Whether a teacher should look before printing (--sprawdz exits 1).
    bool needsAttention() const;
    // The first text off the sheet or over the border (--scisle refuses with it); empty when none.
    QString firstFitProblem() const;
    // What --scisle refuses: the first fit problem, else the first guess; empty when none.
    QString strictProblem() const;
};

struct ClassList {
    QList<ClassPage> pages;
    ClassSummary summary;
};

// Reads the list (when settings name one), merges it into the diploma,
// keeps the chosen records and fits their texts to the template. base holds
// the diploma's texts, styles and template. Throws TableError: the list
// cannot be read or used, a field has no column, --wiersze asks for a record
// the list does not have, or the list gives no record.
ClassList buildClassList(const printing::PrintInput &base, const ClassListSettings &settings);
// The same, handing each page to take as it is made (a long list is then
// held once, by the caller); gives the summary.
ClassSummary buildClassList(const printing::PrintInput &base, const ClassListSettings &settings,
                            const std::function<void(ClassPage &&)> &take);

// The same for a table already read (the class window's, with its fixes);
// settings.listPath only names it in messages. Without table, as above.
ClassSummary buildClassList(const printing::PrintInput &base, const ClassListSettings &settings, const Table *table,
                            const std::function<void(ClassPage &&)> &take);

// The summary --sprawdz prints, line by line (Polish).
QStringList checkReport(const ClassSummary &summary);
// "przeczytano 31 wierszy: 28 stron, pominięto 3".
QString shortSummary(const ClassSummary &summary);

} // namespace batch
