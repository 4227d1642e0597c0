#pragma once
#include <QList>
#include <QString>

namespace batch {

// Records chosen by number, as "5,12-14": single numbers and ranges from 1,
// separated by commas (spaces allowed).
class RowSelection {
public:
    RowSelection() = default; // every record

    // Throws std::invalid_argument with a Polish message for bad text.
    static RowSelection parse(const QString &text);

    bool isAll() const { return ranges_.isEmpty(); }
    bool contains(int number) const;
    // The largest number asked for; 0 for every record.
    int highest() const;
    QString text() const { return text_; }

private:
    QList<QPair<int, int>> ranges_;
    QString text_;
};

} // namespace batch
