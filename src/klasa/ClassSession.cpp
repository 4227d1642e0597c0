#include "ClassSession.h"

#include "batch/Texts.h"
#include "batch/merge/FieldText.h"
#include "batch/table/ReadTable.h"
#include "batch/table/TextTable.h"
#include "druk/ClassPages.h"
#include "druk/ErrorTexts.h"
#include "druk/Failure.h"
#include "editor/TemplateCatalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace klasa {

namespace {

QString cellForCsv(const QString &cell)
{
    if (!cell.contains(QLatin1Char(';')) && !cell.contains(QLatin1Char('"')) && !cell.contains(QLatin1Char('\n'))
        && cell.trimmed() == cell)
        return cell;
    QString quoted = cell;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString headerOf(const ColumnChoice &c, const QString &original)
{
    switch (c.use) {
    case ColumnChoice::Header: return original;
    case ColumnChoice::Recipient: return QStringLiteral("dla");
    case ColumnChoice::Heading: return QStringLiteral("naglowek");
    case ColumnChoice::Body: return QStringLiteral("tresc%1").arg(c.body + 1);
    case ColumnChoice::Field: return c.field;
    case ColumnChoice::Ignored: break;
    }
    return {};
}

} // namespace

void ClassSession::openDiploma(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        throw druk::Failure(path, info.exists() ? QStringLiteral("to nie jest plik")
                                                : QStringLiteral("nie ma takiego pliku"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw druk::Failure(path, QStringLiteral("nie można odczytać (%1)").arg(druk::openFailureText(path)));
    const QByteArray bytes = file.read(diplomafile::RecordLayout::Size);
    if (bytes.size() < diplomafile::RecordLayout::Size)
        throw druk::Failure(path, QStringLiteral("uszkodzony plik dyplomu: %1 bajtów zamiast %2")
                                      .arg(bytes.size())
                                      .arg(diplomafile::RecordLayout::Size));
    diplomafile::DiplomaContent content;
    try {
        content = diplomafile::parseDiplomaRecord(bytes);
    } catch (const std::exception &e) {
        throw druk::Failure(path, QStringLiteral("uszkodzony plik dyplomu (%1)").arg(druk::exceptionText(e)));
    }
    content_ = content;
    diplomaPath_ = path;
    loadTemplate();
}

QStringList ClassSession::diplomaFields() const
{
    QStringList names;
    for (int t = 0; t < batch::TextCount; ++t) {
        try {
            for (const QString &n : batch::FieldText(batch::textAt(content_.texts, t)).fieldNames())
                if (!names.contains(n))
                    names.append(n);
        } catch (const batch::FieldSyntaxError &) {
            // rebuild() names the text.
        }
    }
    return names;
}

int ClassSession::templateNumber() const
{
    return chosenTemplate_ > 0 ? chosenTemplate_ : content_.templateNumber;
}

QString ClassSession::templatePath() const
{
    return editor::templateFileIn(templatesFolder_, templateNumber());
}

void ClassSession::chooseTemplate(int number)
{
    chosenTemplate_ = number == content_.templateNumber ? 0 : number;
    loadTemplate();
}

void ClassSession::loadTemplate()
{
    pictureError_.clear();
    picture_ = wmf::Metafile();
    if (!hasDiploma())
        return;
    const QString path = templatePath();
    try {
        if (!QFileInfo(path).isFile())
            throw druk::Failure(path, QStringLiteral("nie ma takiego pliku (wzór nr %1)").arg(templateNumber()));
        picture_ = editor::loadTemplatePicture(path);
    } catch (const druk::Failure &e) {
        pictureError_ = QString::fromUtf8(e.what());
    } catch (const std::exception &e) {
        pictureError_ = QStringLiteral("%1: uszkodzony wzór (%2)").arg(path, druk::exceptionText(e));
    }
}

void ClassSession::openList(const QString &path)
{
    setTable(batch::readTable(path, {}), path);
}

void ClassSession::pasteList(const QString &text)
{
    setTable(batch::readTextTable(text.toUtf8(), QStringLiteral("schowek"), {}), QStringLiteral("schowek"));
}

void ClassSession::setTable(const batch::Table &table, const QString &name)
{
    if (table.rows.isEmpty())
        throw batch::TableError(QStringLiteral("%1: lista nie zawiera żadnego wiersza").arg(name));
    table_ = table;
    listName_ = name;
    const QStringList first = table.rows.first();
    hasHeader_ = false;
    for (const QString &c : first)
        hasHeader_ = hasHeader_ || batch::isKnownHeader(c) || diplomaFields().contains(c.trimmed(), Qt::CaseInsensitive);
    header_ = hasHeader_ ? first : QStringList();
    rows_ = table.rows.mid(hasHeader_ ? 1 : 0);
    origins_ = table.origins.mid(hasHeader_ ? 1 : 0);
    table_.rows.clear(); // held once, in rows_
    ticked_.clear();
    resetChoices();
}

void ClassSession::resetChoices()
{
    choices_.clear();
    const QStringList fields = diplomaFields();
    for (int c = 0; c < table_.columnCount; ++c) {
        ColumnChoice choice;
        const QString title = header_.value(c).trimmed();
        if (hasHeader_ && (batch::isKnownHeader(title) || fields.contains(title, Qt::CaseInsensitive))) {
            choice.use = ColumnChoice::Header;
        } else if (!hasHeader_ && c == 0) {
            choice.use = ColumnChoice::Recipient;
        } else {
            choice.use = ColumnChoice::Field;
            choice.field = title.isEmpty() ? batch::columnLetter(c) : title;
        }
        choices_.append(choice);
    }
}

QString ClassSession::columnTitle(int column) const
{
    const QString h = header_.value(column);
    return h.isEmpty() ? batch::columnLetter(column) : h;
}

bool ClassSession::columnRecognised(int column) const
{
    return hasHeader_ && batch::isKnownHeader(header_.value(column));
}

void ClassSession::setColumnChoice(int column, const ColumnChoice &choice)
{
    if (column < 0 || column >= choices_.size())
        return;
    ColumnChoice c = choice;
    if (c.use == ColumnChoice::Field && c.field.isEmpty())
        c.field = hasHeader_ && !header_.value(column).isEmpty() ? header_.value(column) : batch::columnLetter(column);
    choices_[column] = c;
}

void ClassSession::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= rows_.size() || column < 0 || column >= table_.columnCount)
        return;
    QStringList &cells = rows_[row];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
}

void ClassSession::setRowTicked(int row, bool ticked)
{
    if (ticked)
        ticked_.remove(row);
    else
        ticked_.insert(row, false);
}

QString ClassSession::layoutKey() const
{
    if (!hasHeader_)
        return QStringLiteral("bez-naglowka-%1").arg(table_.columnCount);
    QStringList keys;
    for (const QString &h : header_)
        keys.append(batch::columnKey(h));
    return keys.join(QLatin1Char('|'));
}

QByteArray ClassSession::csv() const
{
    QStringList lines;
    const auto line = [](const QStringList &cells) {
        QStringList out;
        for (const QString &c : cells)
            out.append(cellForCsv(c));
        return out.join(QLatin1Char(';'));
    };
    const batch::Table t = effectiveTable();
    for (const QStringList &row : t.rows)
        lines.append(line(row));
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

void ClassSession::setOptions(const Options &options)
{
    options_ = options;
}

batch::Table ClassSession::effectiveTable() const
{
    batch::Table t;
    QList<int> kept;
    QStringList header;
    for (int c = 0; c < table_.columnCount; ++c) {
        const ColumnChoice choice = choices_.value(c);
        if (choice.use == ColumnChoice::Ignored)
            continue;
        kept.append(c);
        header.append(headerOf(choice, header_.value(c)));
    }
    t.columnCount = int(kept.size());
    t.rows.append(header);
    t.origins.append(hasHeader_ ? table_.origins.value(0) : batch::RowOrigin{});
    for (int r = 0; r < rows_.size(); ++r) {
        if (!rowTicked(r))
            continue;
        QStringList cells;
        for (const int c : kept)
            cells.append(rows_[r].value(c));
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        t.rows.append(cells);
        t.origins.append(origins_.value(r));
    }
    t.skippedEmptyRows = table_.skippedEmptyRows;
    t.warnings = table_.warnings;
    t.encoding = table_.encoding;
    t.separator = table_.separator;
    t.sheet = table_.sheet;
    return t;
}

QList<druk::InputFile> ClassSession::inputs() const
{
    QList<druk::InputFile> in;
    if (hasDiploma())
        in.append({diplomaPath_, QStringLiteral("plik dyplomu")});
    if (hasList() && QFileInfo(listName_).isFile())
        in.append({listName_, QStringLiteral("lista")});
    if (hasDiploma())
        in.append({templatePath(), QStringLiteral("wzór")});
    return in;
}

void ClassSession::rebuild()
{
    pages_.clear();
    summary_ = batch::ClassSummary();
    problems_.clear();
    if (!hasDiploma())
        return;
    if (!pictureError_.isEmpty())
        problems_.append({pictureError_, -1, true});

    printing::PrintInput base;
    base.texts = content_.texts;
    base.heading = content_.heading;
    base.body = content_.body;
    base.recipient = content_.recipient;
    base.picture = picture_;
    base.textBackground = options_.textBackground;

    batch::ClassListSettings settings;
    settings.listPath = listName_;
    settings.diplomaName = diplomaPath_;
    settings.fit.shrink = options_.shrink;
    settings.fit.centre = options_.centre;
    const QFileInfo info(templatePath());
    settings.templateKey =
        QStringLiteral("%1|%2|%3").arg(info.absoluteFilePath()).arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
    settings.templateName = QStringLiteral("wzór nr %1 (%2)").arg(templateNumber()).arg(templatePath());
    try {
        const batch::Table table = hasList() ? effectiveTable() : batch::Table();
        summary_ = batch::buildClassList(base, settings, hasList() ? &table : nullptr, [&](batch::ClassPage &&p) {
            pages_.append(druk::Page{std::move(p.input), p.line, p.number > 0 ? p.number - 1 : int(pages_.size())});
        });
    } catch (const batch::TableError &e) {
        pages_.clear();
        problems_.append({QString::fromUtf8(e.what()), -1, true});
        return;
    }
    problems_ += problemsOf(summary_, pages_);
}

bool ClassSession::blocked() const
{
    for (const Problem &p : problems_)
        if (p.error)
            return true;
    return pages_.isEmpty();
}

QString ClassSession::countsLine() const
{
    int unticked = 0;
    for (auto it = ticked_.cbegin(); it != ticked_.cend(); ++it)
        unticked += it.value() ? 0 : 1;
    const int read = int(rows_.size()) + table_.skippedEmptyRows;
    const int skipped = summary_.skipped() + unticked;
    return QStringLiteral("Wczytano %1, %2, pominięto %3")
        .arg(batch::plural(read, QStringLiteral("wiersz"), QStringLiteral("wiersze"), QStringLiteral("wierszy")),
             batch::plural(pages_.size(), QStringLiteral("strona"), QStringLiteral("strony"), QStringLiteral("stron")))
        .arg(skipped);
}

QList<Problem> problemsOf(const batch::ClassSummary &s, const QList<druk::Page> &pages)
{
    static const QRegularExpression record(QStringLiteral("rekord (\\d+)"));
    static const QRegularExpression line(QStringLiteral("wiersze? (\\d+)"));
    const auto pageOf = [&](const QString &text) {
        const QRegularExpressionMatch r = record.match(text);
        if (r.hasMatch()) {
            const int index = r.captured(1).toInt() - 1;
            for (int i = 0; i < pages.size(); ++i)
                if (pages[i].record == index)
                    return i;
        }
        const QRegularExpressionMatch l = line.match(text);
        if (l.hasMatch()) {
            const int wanted = l.captured(1).toInt();
            for (int i = 0; i < pages.size(); ++i)
                if (pages[i].line == wanted)
                    return i;
        }
        return -1;
    };
    QList<Problem> out;
    const auto add = [&](const QString &prefix, const QStringList &lines) {
        for (const QString &text : lines)
            out.append({prefix + text, pageOf(text), false});
    };
    add(QString(), s.warnings);
    add(QStringLiteral("poza arkuszem: "), s.offSheet);
    add(QStringLiteral("poza wolnym polem: "), s.overBorder + s.belowFloor);
    add(QStringLiteral("zmniejszono: "), s.shrunk);
    add(QString(), s.missingGlyphs);
    add(QStringLiteral("powtórzone: "), s.duplicates);
    if (!s.noFreeArea.isEmpty())
        out.append({s.noFreeArea, -1, false});
    return out;
}

} // namespace klasa
