#pragma once
#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

namespace batch {

// One diploma issued: a line of the register.
struct IssuedDiploma {
    int number = 0; // its {Nr}
    QString date;   // its {Data}
    QString name;
    QString group; // the class
    QString kind;  // the diploma's name (its .dyp without ".dyp")
    QString file;  // where it went: the PDF, the folder, the printer
};

// The register of issued diplomas a school keeps: a CSV file (";", UTF-8)
// or, by the extension .ods, a spreadsheet; columns Nr, Data, Imię i
// nazwisko, Klasa, Rodzaj, Plik. A run only ever adds lines: an earlier
// line is written back as it was read.
class DiplomaRegister {
public:
    DiplomaRegister() = default;

    // Reads path; a name with nothing behind it is an empty register.
    // Throws UserError naming the file (and the line) when it cannot be
    // read, is no register, or holds a number that is none.
    static DiplomaRegister read(const QString &path);

    const QString &path() const { return path_; }
    const QList<IssuedDiploma> &lines() const { return lines_; }
    // The highest number given; 0 for none.
    int highest() const;
    // The number of this pupil's latest line (name and class; a line of the
    // same kind before any other), 0 for none. Letter case and spaces do
    // not matter.
    int numberOf(const QString &name, const QString &group, const QString &kind) const;
    // The file's new contents: everything read, then added.
    QByteArray withLines(const QList<IssuedDiploma> &added) const;

    // The header's cells, as written.
    static QStringList header();
    // A new register file of lines, CSV or .ods by path's extension (an export).
    static QByteArray fileOf(const QString &path, const QList<IssuedDiploma> &lines);

private:
    QString path_;
    QList<IssuedDiploma> lines_;
    QList<QStringList> rows_; // .ods: every row read, the header included
    QByteArray bytes_;        // CSV: the file as read
    QChar separator_ = QLatin1Char(';');
    bool cp1250_ = false; // a CSV saved again as Windows-1250
};

} // namespace batch
