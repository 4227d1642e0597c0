#include "Merger.h"

#include "FieldText.h"
#include "HeaderRow.h"

#include "batch/Texts.h"
#include "batch/agree/PupilSex.h"

#include <QRegularExpression>
#include <stdexcept>

namespace batch {

QString &textAt(editor::DiplomaTexts &texts, int index)
{
    return index == 0 ? texts.heading : index == 7 ? texts.recipient : texts.body[index - 1];
}

const QString &textAt(const editor::DiplomaTexts &texts, int index)
{
    return index == 0 ? texts.heading : index == 7 ? texts.recipient : texts.body[index - 1];
}

QString textName(int index)
{
    return index == 0   ? QStringLiteral("nagłówek")
           : index == 7 ? QStringLiteral("dla")
                        : QStringLiteral("treść %1").arg(index);
}

QString surnameToEnd(const QString &name)
{
    QStringList words = name.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 2)
        return name.simplified();
    QString surname = words.takeFirst();
    if (surname.endsWith(QLatin1Char(',')))
        surname.chop(1);
    words.append(surname);
    return words.join(QLatin1Char(' '));
}

namespace {

// More copies of one diploma than a school prints is a slip in the list.
constexpr int MaxCopies = 100;

// The text index a whole-line role replaces; -1 for the others.
int textOfRole(const ColumnRole &r)
{
    switch (r.role) {
    case Role::Recipient: return 7;
    case Role::Heading: return 0;
    case Role::Body: return 1 + r.body;
    default: return -1;
    }
}

QStringList keysOf(const QStringList &cells)
{
    QStringList keys;
    for (const QString &c : cells)
        keys.append(columnKey(c));
    return keys;
}

class Merge {
public:
    Merge(const Table &table, const editor::DiplomaTexts &diploma, const MergeSettings &settings)
        : table_(table), diploma_(diploma), settings_(settings)
    {}

    MergeResult run()
    {
        try {
            date_ = diplomaDate(settings_.date, settings_.today);
        } catch (const std::invalid_argument &e) {
            throw TableError(QString::fromUtf8(e.what()));
        }
        parseTexts();
        decideHeader();
        bindFields();
        for (int r = result_.hasHeader ? 1 : 0; r < table_.rows.size(); ++r)
            mergeRow(r);
        return std::move(result_);
    }

private:
    [[noreturn]] void failAt(int row, const QString &what) const
    {
        const RowOrigin &o = table_.origins.value(row);
        const QString where = o.sheet.isEmpty() ? QStringLiteral("wiersz %1").arg(o.line)
                                                : QStringLiteral("arkusz %1, wiersz %2").arg(o.sheet).arg(o.line);
        throw TableError(QStringLiteral("%1: %2: %3").arg(settings_.listName, where, what));
    }
    QString whereOf(int row) const
    {
        const RowOrigin &o = table_.origins.value(row);
        return o.sheet.isEmpty()
                   ? QStringLiteral("%1: wiersz %2").arg(settings_.listName).arg(o.line)
                   : QStringLiteral("%1: arkusz %2, wiersz %3").arg(settings_.listName, o.sheet).arg(o.line);
    }

    void parseTexts()
    {
        for (int t = 0; t < TextCount; ++t) {
            try {
                texts_[t] = FieldText(textAt(diploma_, t));
            } catch (const FieldSyntaxError &e) {
                const QString what = e.kind() == FieldSyntaxError::Unclosed
                                         ? QStringLiteral("nawias „{” bez zamykającego „}” (znak %1); sam nawias "
                                                          "zapisuje się jako „{{”")
                                         : QStringLiteral("więcej niż dwie odmiany w nawiasie (znak %1); pisze się "
                                                          "{dla chłopca|dla dziewczynki}, np. {zajął|zajęła}");
                throw TableError(QStringLiteral("%1: tekst „%2” (%3): %4")
                                     .arg(settings_.diplomaName, quoted(textAt(diploma_, t)), textName(t),
                                          what.arg(e.position() + 1)));
            }
            anyField_ = anyField_ || texts_[t].hasListFields();
            agrees_ = agrees_ || texts_[t].hasChoices() || texts_[t].hasNameCases();
        }
    }

    void decideHeader()
    {
        const QStringList first = table_.rows.value(0);
        QStringList fieldNames;
        for (const FieldText &t : texts_)
            fieldNames += t.fieldNames();
        const QStringList fieldKeys = keysOf(fieldNames);
        bool known = false;
        for (const QString &cell : first)
            known = known || isKnownHeader(cell) || (cell.size() > 0 && fieldKeys.contains(columnKey(cell)));
        result_.hasHeader = (settings_.headerGiven || (!settings_.noHeader && known)) && !table_.rows.isEmpty();
        const int columns = table_.columnCount;
        if (result_.hasHeader) {
            header_ = first;
            headerKeys_ = keysOf(first);
            result_.columns = first;
            QList<int> seen(TextCount, -1);
            for (int c = 0; c < first.size(); ++c) {
                ColumnRole r = roleOfHeader(first[c]);
                const int text = textOfRole(r);
                if (text >= 0) {
                    if (seen[text] >= 0)
                        failAt(0, QStringLiteral("kolumna „%1” powtórzona").arg(quoted(first[c])));
                    seen[text] = c;
                }
                roles_.append(r);
            }
            return;
        }
        for (int c = 0; c < columns; ++c)
            result_.columns.append(columnLetter(c));
        if (!settings_.noHeader && first.size() >= 2) {
            QStringList cells;
            for (const QString &cell : first)
                cells.append(QStringLiteral("„%1”").arg(quoted(cell, 30)));
            failAt(0, QStringLiteral("pierwszy wiersz (%1) nie jest nagłówkiem: znane nagłówki to dla, naglowek, "
                                     "tresc1 … tresc6, Imię, Nazwisko, Imię i nazwisko, Nazwisko i imię, Uczeń, "
                                     "Klasa, a pola dyplomu to %2; lista bez nagłówka wymaga --bez-naglowka")
                          .arg(cells.join(QStringLiteral(", ")),
                               fieldNames.isEmpty()
                                   ? QStringLiteral("(brak)")
                                   : QStringLiteral("{%1}").arg(fieldNames.join(QStringLiteral("}, {")))));
        }
        // Without a header: a plain list is one name a line; several columns
        // follow dla, naglowek, tresc1 … unless the diploma has fields, which
        // then name the columns by letter (A stays the name).
        const int usable = anyField_ ? columns : std::min(columns, int(wholeLineColumns().size()));
        for (int c = 0; c < usable; ++c) {
            if (!anyField_)
                roles_.append(roleOfHeader(wholeLineColumns()[c]));
            else if (anyField_ && c == 0)
                roles_.append(ColumnRole{Role::Recipient, 0});
            else
                roles_.append(ColumnRole{});
        }
    }

    void bindFields()
    {
        for (int t = 0; t < TextCount; ++t) {
            const QList<FieldText::Unbound> unknown = texts_[t].bind(headerKeys_, table_.columnCount);
            if (unknown.isEmpty())
                continue;
            if (!unknown.first().why.isEmpty())
                throw TableError(QStringLiteral("%1: pole {%2} w tekście „%3” (%4): %5")
                                     .arg(settings_.diplomaName, quoted(unknown.first().field, 40),
                                          quoted(textAt(diploma_, t)), textName(t), unknown.first().why));
            QStringList names = result_.hasHeader ? header_ : QStringList();
            throw TableError(QStringLiteral("%1: pole {%2} w tekście „%3” (%4) nie odpowiada żadnej kolumnie listy %5 "
                                            "(kolumny: %6; można też pisać litery {A} … {%7})")
                                 .arg(settings_.diplomaName, quoted(unknown.first().field, 40),
                                      quoted(textAt(diploma_, t)), textName(t), settings_.listName,
                                      names.isEmpty() ? QStringLiteral("bez nagłówka") : names.join(QStringLiteral(", ")),
                                      columnLetter(std::max(0, table_.columnCount - 1))));
        }
    }

    // report: a turned name is listed (it is the recipient line).
    QString nameFrom(const QStringList &cells, int row, bool report, bool *hadNameColumn)
    {
        int fullName = -1, surnameFirst = -1, first = -1, surname = -1, recipient = -1;
        for (int c = 0; c < roles_.size(); ++c) {
            switch (roles_[c].role) {
            case Role::Recipient: recipient = c; break;
            case Role::FullName:
                if (fullName < 0)
                    fullName = c;
                break;
            case Role::SurnameFirst:
                if (surnameFirst < 0)
                    surnameFirst = c;
                break;
            case Role::FirstName:
                if (first < 0)
                    first = c;
                break;
            case Role::Surname:
                if (surname < 0)
                    surname = c;
                break;
            default: break;
            }
        }
        *hadNameColumn = true;
        if (recipient >= 0)
            return cells.value(recipient);
        if (fullName >= 0)
            return cells.value(fullName).simplified();
        if (surnameFirst >= 0) {
            const QString written = cells.value(surnameFirst).simplified();
            QString turned = surnameToEnd(written);
            if (report && turned != written)
                result_.turnedNames.append(
                    QStringLiteral("%1: „%2” → „%3”").arg(whereOf(row), quoted(written), quoted(turned)));
            return turned;
        }
        if (first >= 0 || surname >= 0)
            return QStringLiteral("%1 %2").arg(cells.value(first), cells.value(surname)).simplified();
        *hadNameColumn = false;
        return {};
    }

    void mergeRow(int r)
    {
        const QStringList &cells = table_.rows[r];
        if (result_.hasHeader && keysOf(cells) == headerKeys_) {
            ++result_.repeatedHeaders;
            result_.warnings.append(
                QStringLiteral("%1: powtórzony nagłówek (połączone listy?), pominięty").arg(whereOf(r)));
            return;
        }
        if (cells.size() > roles_.size())
            failAt(r, result_.hasHeader ? QStringLiteral("%1, a nagłówek ma %2")
                                              .arg(plural(cells.size(), QStringLiteral("komórka"),
                                                          QStringLiteral("komórki"), QStringLiteral("komórek")),
                                                   plural(roles_.size(), QStringLiteral("kolumnę"),
                                                          QStringLiteral("kolumny"), QStringLiteral("kolumn")))
                                        : QStringLiteral("%1, najwyżej 8 (dla, naglowek, tresc1 … tresc6) "
                                                         "albo pola {A}, {B} … w dyplomie")
                                              .arg(plural(cells.size(), QStringLiteral("komórka"),
                                                          QStringLiteral("komórki"), QStringLiteral("komórek"))));
        MergedRecord record;
        record.origin = table_.origins.value(r);
        record.texts = diploma_;
        const int number = int(result_.records.size()) + 1;
        bool hadNameColumn = false;
        RowValues row;
        row.cells = cells;
        row.builtins.position = number;
        row.builtins.number = settings_.numbers.value(number, settings_.firstNumber + made_);
        row.builtins.date = date_;
        row.builtins.name = nameFrom(cells, r, !texts_[7].hasFields(), &hadNameColumn);
        if (!hadNameColumn && texts_[7].varies())
            row.builtins.name = texts_[7].expand(row).simplified();
        const SexGuess sex = sexOf(row, r);
        row.sex = sex.sex;
        QList<UnsureForm> forms;
        for (int t = 0; t < TextCount; ++t) {
            if (texts_[t].varies()) {
                textAt(record.texts, t) = texts_[t].expand(row, &forms);
                record.filled[t] = true;
                record.fields += texts_[t].fieldCount();
            }
        }
        for (int c = 0; c < roles_.size(); ++c) {
            const int t = textOfRole(roles_[c]);
            if (t >= 0 && t != 7 && !texts_[t].varies()) {
                textAt(record.texts, t) = cells.value(c);
                record.filled[t] = true;
            }
        }
        if (!texts_[7].hasFields() && hadNameColumn) {
            if (row.builtins.name.trimmed().isEmpty()) {
                ++result_.rowsWithoutName;
                result_.warnings.append(QStringLiteral("%1: brak imienia i nazwiska, wiersz pominięty").arg(whereOf(r)));
                return;
            }
            record.texts.recipient = row.builtins.name;
            record.filled[7] = true;
        }
        if (texts_[7].hasFields() && (record.texts.recipient.trimmed().isEmpty() || texts_[7].onlyBlankFields(row))) {
            ++result_.rowsWithoutName;
            result_.warnings.append(QStringLiteral("%1: puste pola tekstu „dla”, wiersz pominięty").arg(whereOf(r)));
            return;
        }
        const QString pupil = quoted(row.builtins.name.isEmpty() ? record.texts.recipient : row.builtins.name);
        if (agrees_ && !sex.sure)
            record.unsure.append(
                QStringLiteral("%1: %2: płeć z imienia niepewna, przyjęto %3 (rozstrzyga kolumna "
                               "„Płeć”: K lub M)")
                    .arg(whereOf(r), pupil, sex.sex == Sex::Male ? QStringLiteral("męską") : QStringLiteral("żeńską")));
        for (const UnsureForm &f : std::as_const(forms)) {
            QStringList words;
            for (const QString &w : f.form.unsure)
                words.append(QStringLiteral("„%1”").arg(quoted(w, 30)));
            const QString base = f.field.section(QLatin1Char('@'), 0, -2).trimmed();
            record.unsure.append(QStringLiteral("%1: {%2}: „%3” → „%4” (%5): niepewne %6; rozstrzyga kolumna „%7 (%8)”")
                                     .arg(whereOf(r), quoted(f.field, 40), quoted(f.value), quoted(f.form.text),
                                          caseName(f.nameCase), words.join(QStringLiteral(", ")), base,
                                          f.nameCase == NameCase::Genitive ? QStringLiteral("D") : QStringLiteral("C")));
        }
        record.copies = copiesOf(cells, r);
        record.number = number;
        record.serial = row.builtins.number;
        record.name = row.builtins.name.isEmpty() ? record.texts.recipient : row.builtins.name;
        record.cells = cells;
        if (settings_.chosen.contains(number) && !settings_.numbers.contains(number))
            ++made_;
        result_.fieldsFilled += record.fields;
        result_.records.append(record);
    }

    // The "Liczba" column: an empty cell is one copy; no copy at all is
    // refused (the row would print nothing, which is surely a slip).
    int copiesOf(const QStringList &cells, int r) const
    {
        // "2", or "2.0" as a spreadsheet may give a number.
        static const QRegularExpression whole(QStringLiteral(R"(^(\d{1,3})(?:[.,]0+)?$)"));
        for (int c = 0; c < roles_.size(); ++c) {
            if (roles_[c].role != Role::Copies)
                continue;
            const QString cell = cells.value(c).trimmed();
            if (cell.isEmpty())
                return 1;
            const QString column = quoted(header_.value(c));
            const QRegularExpressionMatch m = whole.match(cell);
            const int n = m.hasMatch() ? m.captured(1).toInt() : -1;
            if (n < 0 || n > MaxCopies)
                failAt(r, QStringLiteral("kolumna „%1”: „%2” nie jest liczbą egzemplarzy (od 1 do %3)")
                              .arg(column, quoted(cell))
                              .arg(MaxCopies));
            if (n == 0)
                failAt(r, QStringLiteral("kolumna „%1”: „%2”: co najmniej jeden egzemplarz (wiersz bez dyplomu "
                                         "usuń z listy)")
                              .arg(column, quoted(cell)));
            return n;
        }
        return 1;
    }

    // The pupil's sex: the "Płeć" column, else the first name when the
    // diploma has wording that depends on it.
    SexGuess sexOf(const RowValues &row, int r) const
    {
        int sexColumn = -1, firstName = -1;
        for (int c = 0; c < roles_.size(); ++c) {
            if (roles_[c].role == Role::Sex && sexColumn < 0)
                sexColumn = c;
            if (roles_[c].role == Role::FirstName && firstName < 0)
                firstName = c;
        }
        if (sexColumn >= 0) {
            try {
                if (const std::optional<Sex> given = sexOfCell(row.cells.value(sexColumn)))
                    return {*given, true};
            } catch (const std::invalid_argument &e) {
                failAt(
                    r,
                    QStringLiteral("kolumna „%1”: %2").arg(quoted(header_.value(sexColumn)), QString::fromUtf8(e.what())));
            }
        }
        if (!agrees_)
            return {Sex::Male, true};
        const QString first = row.cells.value(firstName);
        return sexOfFirstName(first.trimmed().isEmpty() ? row.builtins.name : first);
    }

    const Table &table_;
    const editor::DiplomaTexts &diploma_;
    const MergeSettings &settings_;
    FieldText texts_[TextCount];
    bool anyField_ = false; // fields only a column answers
    bool agrees_ = false;   // alternatives or names in other cases
    DiplomaDate date_;
    int made_ = 0; // records chosen so far, without an earlier number
    QStringList header_;
    QStringList headerKeys_;
    QList<ColumnRole> roles_;
    MergeResult result_;
};

} // namespace

MergeResult mergeList(const Table &table, const editor::DiplomaTexts &diploma, const MergeSettings &settings)
{
    const int header = settings.noHeader || settings.headerGiven ? -1 : headerRowOf(table, fieldNamesOf(diploma));
    if (header <= 0)
        return Merge(table, diploma, settings).run();
    Table below = table;
    below.rows = table.rows.mid(header);
    below.origins = table.origins.mid(header);
    MergeResult result = Merge(below, diploma, settings).run();
    result.rowsAboveHeader = header;
    result.warnings.prepend(rowsAboveHeaderWarning(table, header, settings.listName));
    return result;
}

} // namespace batch
