#pragma once
#include "batch/ClassList.h"
#include "diplomafile/DiplomaRecord.h"
#include "batch/Page.h"
#include "batch/run/BatchRun.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace klasa {

// What the user says a list column is, where its header did not say.
struct ColumnChoice {
    enum Use { Header, Recipient, Heading, Body, Field, Ignored, FirstName, Surname };
    Use use = Field;
    int body = 0;  // Body: the line, 0 … 5
    QString field; // Field: the name used as {name}
    bool operator==(const ColumnChoice &o) const { return use == o.use && body == o.body && field == o.field; }
};

// A ceremony's settings: kinds of diploma by a list column ("wartość →
// dyplom"), each rule's values (comma separated; empty: the empty cell)
// getting its diploma and every other value the open one; the pages kind
// by kind or in list order; the first {Nr} and the {Data}.
struct KindRule {
    QString values;
    QString diploma; // a .dyp
};
struct Ceremony {
    QString column; // empty: one diploma for every row
    QList<KindRule> rules;
    bool groupByKind = false;
    int firstNumber = 1;
    QString date; // empty: today; "RRRR-MM-DD" or any text
};

// One line of the problem list and the page it is about (-1: none).
struct Problem {
    QString text;
    int page = -1;
    bool error = false; // nothing can be written until it is fixed
};

// The class window's state without widgets: the diploma, its template, the
// list as read with the user's fixes (column meanings, unticked rows,
// edited cells) and the pages made of them by the batch library, as
// dyplom-druk makes them.
class ClassSession {
public:
    // Reads a .dyp; on failure (Failure naming the file) nothing changes.
    void openDiploma(const QString &path);
    bool hasDiploma() const { return !diplomaPath_.isEmpty(); }
    const QString &diplomaPath() const { return diplomaPath_; }
    const diplomafile::DiplomaContent &diploma() const { return content_; }
    // The fields {…} the diploma's texts hold, in order of appearance.
    QStringList diplomaFields() const;

    // The template folder (Wzory); the diploma's own template is found there.
    void setTemplatesFolder(const QString &folder) { templatesFolder_ = folder; }
    const QString &templatesFolder() const { return templatesFolder_; }
    // Another template than the diploma's own (0: the diploma's).
    void chooseTemplate(int number);
    int templateNumber() const;
    bool ownTemplate() const { return chosenTemplate_ == 0; }

    // A list read from a file (batch::readTable); throws batch::TableError,
    // leaving the session as it was.
    void openList(const QString &path);
    // Lines of text, cells separated by tabs (a column copied from a spreadsheet).
    void pasteList(const QString &text);
    void setTable(const batch::Table &table, const QString &name);
    bool hasList() const { return !listName_.isEmpty(); }
    const QString &listName() const { return listName_; }

    // The list as shown: one column per list column, rows below the header.
    int columnCount() const { return table_.columnCount; }
    int rowCount() const { return int(rows_.size()); }
    bool hasHeaderRow() const { return hasHeader_; }
    // The row of the list (from 0) that is the header, -1 for none; found
    // when the list is read (a register's title may stand above it), the
    // rows above it are then skipped. Setting it starts the choices again.
    int headerRow() const { return headerRow_; }
    void setHeaderRow(int row);
    // The rows a header may be chosen from.
    int headerCandidates() const;
    QString columnTitle(int column) const;
    // A header the batch library knows (dla, Imię, Klasa…) needs no choice.
    bool columnRecognised(int column) const;
    ColumnChoice columnChoice(int column) const { return choices_.value(column); }
    void setColumnChoice(int column, const ColumnChoice &choice);
    QString cell(int row, int column) const { return rows_.value(row).value(column); }
    void setCell(int row, int column, const QString &text);
    // A cell was changed since the list was read or last saved.
    bool listEdited() const { return edited_; }
    void markListSaved() { edited_ = false; }
    bool rowTicked(int row) const { return ticked_.value(row, true); }
    void setRowTicked(int row, bool ticked);
    // Ticked and, once pages are made, giving one (a repeated header or an
    // empty name gives none).
    bool rowMakesPage(int row) const;
    int rowLine(int row) const { return origins_.value(row).line; }
    // Identifies a list layout (its header or its column count) for remembered choices.
    QString layoutKey() const;
    // The list with the fixes as CSV (UTF-8, ";"), header first.
    QByteArray csv() const;

    struct Options {
        bool shrink = false;        // as --dopasuj
        bool centre = false;        // as --wysrodkuj
        bool textBackground = true; // the print look; false as --bez-tla
        batch::SheetLayout sheets;  // the paper: texts are fitted to its diploma's shape
    };
    const Options &options() const { return options_; }
    void setOptions(const Options &options);

    // The table the batch library reads: a header from the column choices,
    // the ticked rows with their fixes.
    batch::Table effectiveTable() const;

    // Reads every rule's diploma and its template and checks the date; on
    // failure (an exception naming the file, the rule or the date) nothing
    // changes.
    void setCeremony(const Ceremony &ceremony);
    const Ceremony &ceremony() const { return ceremony_; }
    bool hasKinds() const { return !kinds_.isEmpty(); }
    // Kinds of diploma on different templates: each page is drawn whole.
    bool mixedTemplates() const;

    // The pages of the current state, made without changing it (on a
    // worker, from a copy of the session), and their taking over.
    struct Built {
        QList<batch::Page> pages;
        batch::ClassSummary summary;
        QList<Problem> problems;
    };
    Built build() const;
    void apply(Built &&built);
    // Makes the pages again from the current state.
    void rebuild() { apply(build()); }
    const QList<batch::Page> &pages() const { return pages_; }
    const batch::ClassSummary &summary() const { return summary_; }
    const QList<Problem> &problems() const { return problems_; }
    bool blocked() const; // an error: nothing to write
    // "30 wierszy, 28 stron, pominięto 2"
    QString countsLine() const;
    // The pages' file names before ".pdf": the recipients, or with
    // surnameFirst as a register sorts them (from the list's Imię and
    // Nazwisko columns where it has them, else the last word first).
    QStringList fileStems(bool surnameFirst) const;
    // The runs of the window's outputs, every file read protected: one PDF
    // (titled by the heading), one per page in folder (named surname first
    // or not), or a print job of one copy (the dialog's copies are pages of it).
    batch::BatchPlan pdfPlan(const QString &path, bool overwrite) const;
    batch::BatchPlan separatePlan(const QString &folder, bool surnameFirst) const;
    batch::BatchPlan printPlan(const QString &printer, const printing::SheetGeometry &geometry) const;
    // The files a run reads, which no output may replace.
    QList<batch::InputFile> inputs() const;
    QString templatePath() const;

private:
    // A rule's diploma and its template as read when the kinds were set.
    struct KindFile {
        QString path;
        diplomafile::DiplomaContent content;
        wmf::Metafile picture;
        QString templatePath;
        QString templateKey, templateName; // as ClassListSettings::describeTemplate gives them
    };
    static batch::DiplomaKinds kindsOf(const Ceremony &ceremony, const QString &fallback);
    QList<batch::KindDiploma> kindDiplomas(const printing::PrintInput &base) const;
    void loadTemplate();
    void resetChoices();
    void splitAtHeader();

    QString diplomaPath_;
    diplomafile::DiplomaContent content_;
    QString templatesFolder_;
    int chosenTemplate_ = 0;
    wmf::Metafile picture_;
    QString pictureError_;

    QString listName_;
    batch::Table table_;
    bool hasHeader_ = false;
    int headerRow_ = -1;
    QStringList header_;
    QList<QStringList> rows_;
    QList<batch::RowOrigin> origins_;
    QHash<int, bool> ticked_;
    bool edited_ = false;
    QList<ColumnChoice> choices_;

    Ceremony ceremony_;
    batch::DiplomaKinds kinds_;
    QList<KindFile> kindFiles_;

    Options options_;
    QList<batch::Page> pages_;
    QSet<int> pageLines_;
    batch::ClassSummary summary_;
    QList<Problem> problems_;
};

// Problem lines of a summary, each with the page it names (by record or by
// line of the list) when that page is among pages.
QList<Problem> problemsOf(const batch::ClassSummary &summary, const QList<batch::Page> &pages);

} // namespace klasa
