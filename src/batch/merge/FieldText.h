#pragma once
#include "BuiltinFields.h"

#include "batch/agree/NameCases.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace batch {

// What one record puts into the fields of a text.
struct RowValues {
    QStringList cells;
    BuiltinValues builtins;
    Sex sex = Sex::Male;
};

// A form of a name the rules are not sure of.
struct UnsureForm {
    QString field; // as typed, "Imię i nazwisko@D"
    QString value;
    DeclinedName form;
    NameCase nameCase = NameCase::Genitive;
};

// A diploma text parsed once into literal pieces, fields and alternatives:
// "{Klasa}" is the cell of the column headed Klasa (letter case and Polish
// letters do not matter), "{B}" the second column, "{Nr}", "{Data}" and
// the other BuiltinField names the values of the record when no column
// has their name. "{Imię@D}" is the field in the genitive, "@C" in the
// dative, from a column "Imię (D)" / "Imię (C)" when the list has one.
// "{zajął|zajęła}" is the first text for a boy and the second for a girl.
// "{{" is a literal "{" and "}}" a literal "}", and a "}" alone stays.
class FieldText {
public:
    // Throws FieldSyntaxError for a "{" without its "}" and for more than
    // two alternatives.
    explicit FieldText(const QString &text = QString());

    bool hasFields() const { return fields_ > 0; }
    int fieldCount() const { return fields_; }
    // Fields or alternatives: the text differs from record to record.
    bool varies() const { return fields_ > 0 || choices_ > 0; }
    bool hasChoices() const { return choices_ > 0; }
    bool hasNameCases() const;
    // Fields that only a list column can answer (no built-in name).
    bool hasListFields() const;
    // The names inside the braces, in order, without @D / @C; alternatives are no fields.
    QStringList fieldNames() const;

    struct Unbound {
        QString field; // as typed
        QString why;   // empty: nothing answers the name
    };
    // Binds each field to a column of the header (header keys, columnKey),
    // else to a built-in field, else to a column letter. Returns the fields
    // that stay unbound.
    QList<Unbound> bind(const QStringList &headerKeys, int columnCount);

    // The text of one row (fields must be bound); a missing cell is empty.
    // Forms of names the rules are not sure of are added to unsure.
    QString expand(const RowValues &row, QList<UnsureForm> *unsure = nullptr) const;
    // Whether every field that names the pupil or a column is blank in row
    // (and there is one): {Nr}, {Lp}, {Data} and {Rok} do not count.
    bool onlyBlankFields(const RowValues &row) const;

private:
    enum class Kind { Literal, Field, Choice };
    struct Piece {
        Kind kind = Kind::Literal;
        QString text;    // literal, the field's name, the first alternative
        QString other;   // the field's modifier after "@", the second alternative
        QString typed;   // a field as typed
        int column = -1; // bound column
        BuiltinField builtin = BuiltinField::None;
        std::optional<NameCase> nameCase;
        int formColumn = -1; // the school's own form of the name
    };
    static Piece piece(Kind kind, const QString &text, const QString &other, const QString &typed);
    QString valueOf(const Piece &p, const RowValues &row) const;

    QList<Piece> pieces_;
    int fields_ = 0;
    int choices_ = 0;
};

class FieldSyntaxError : public std::exception {
public:
    enum Kind { Unclosed, ThreeAlternatives };
    FieldSyntaxError(int position, Kind kind) : position_(position), kind_(kind) {}
    int position() const { return position_; }
    Kind kind() const { return kind_; }
    const char *what() const noexcept override { return "field syntax"; }

private:
    int position_;
    Kind kind_;
};

} // namespace batch
