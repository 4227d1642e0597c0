#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace batch {

// Which diploma a record gets by the value of one list column: "1", "2"
// and "3" the place diploma, "wyróżnienie" another, every other value
// (or none) a default. Values match trimmed and without regard to letter
// case; the empty value is the empty cell.
class DiplomaKinds {
public:
    DiplomaKinds() = default; // one diploma for every record

    // pairs: "WARTOŚĆ=PLIK.dyp", several values separated by commas
    // ("1,2,3=miejsce.dyp"), "=PLIK.dyp" the empty cell. fallback: the
    // diploma of every other value; empty: none. Throws
    // std::invalid_argument with a Polish message naming the pair.
    static DiplomaKinds parse(const QString &column, const QStringList &pairs, const QString &fallback);

    bool isEmpty() const { return column_.isEmpty(); }
    const QString &column() const { return column_; }
    // The diplomas, each once, in the order first given (the default last
    // unless given before).
    const QStringList &files() const { return files_; }
    // The index in files() of the diploma for a cell; -1 when no diploma has
    // that value and there is no default.
    int kindOf(const QString &cell) const;
    // The kind's name in the register and the handout list: its file's name
    // without the folder and ".dyp".
    QString nameOf(int kind) const;

private:
    int fileIndex(const QString &file);

    QString column_;
    QStringList files_;
    QList<QPair<QString, int>> values_; // value as compared → diploma
    int fallback_ = -1;
};

} // namespace batch
