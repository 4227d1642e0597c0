#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace batch {

// A diploma text parsed once into literal pieces and fields: "{Klasa}" is
// the cell of the column headed Klasa (letter case and Polish letters do
// not matter), "{B}" the second column; "{{" is a literal "{" and "}}" a
// literal "}", and a "}" alone stays as it is.
class FieldText {
public:
    // Throws FieldSyntaxError for a "{" without its "}".
    explicit FieldText(const QString &text = QString());

    bool hasFields() const { return fields_ > 0; }
    int fieldCount() const { return fields_; }
    // The names inside the braces, in order.
    QStringList fieldNames() const;

    // Binds each field to a column: header keys (columnKey) first, then
    // column letters. Returns the names no column answers.
    QStringList bind(const QStringList &headerKeys, int columnCount);

    // The text of one row (fields must be bound); a missing cell is empty.
    QString expand(const QStringList &cells) const;

private:
    struct Piece {
        QString text; // literal, or the field's name
        bool field = false;
        int column = -1; // bound column
    };
    QList<Piece> pieces_;
    int fields_ = 0;
};

class FieldSyntaxError : public std::exception {
public:
    explicit FieldSyntaxError(int position) : position_(position) {}
    int position() const { return position_; }
    const char *what() const noexcept override { return "unclosed field"; }

private:
    int position_;
};

} // namespace batch
