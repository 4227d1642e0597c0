#include "ClassSession.h"

#include "batch/Texts.h"
#include "batch/fit/SizeLimits.h"
#include "batch/merge/BuiltinFields.h"
#include "batch/merge/ColumnRoles.h"
#include "batch/merge/FieldText.h"
#include "batch/merge/HeaderRow.h"
#include "batch/table/ReadTable.h"
#include "batch/table/TextTable.h"
#include "batch/output/Failure.h"
#include "batch/output/FileNames.h"
#include "batch/run/DiplomaFiles.h"
#include "editor/TemplateCatalogue.h"
#include "wzory/Store.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

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
    case ColumnChoice::FirstName: return QStringLiteral("Imię");
    case ColumnChoice::Surname: return QStringLiteral("Nazwisko");
    case ColumnChoice::Ignored: break;
    }
    return {};
}

} // namespace

void ClassSession::openDiploma(const QString &path)
{
    const diplomafile::DiplomaContent content = batch::readDiplomaFile(path);
    batch::DiplomaKinds kinds = kindsOf(ceremony_, path); // the open diploma is every other value's
    content_ = content;
    diplomaPath_ = path;
    kinds_ = std::move(kinds);
    loadTemplate();
}

batch::DiplomaKinds ClassSession::kindsOf(const Ceremony &ceremony, const QString &fallback)
{
    if (ceremony.column.trimmed().isEmpty())
        return {};
    QStringList pairs;
    for (const KindRule &rule : ceremony.rules)
        pairs.append(rule.values + QLatin1Char('=') + rule.diploma);
    return batch::DiplomaKinds::parse(ceremony.column.trimmed(), pairs, fallback);
}

void ClassSession::setCeremony(const Ceremony &ceremony)
{
    batch::diplomaDate(ceremony.date, QDate::currentDate()); // a day that does not exist is refused
    batch::DiplomaKinds kinds = kindsOf(ceremony, diplomaPath_);
    // Every rule's diploma, the open one's too (another diploma opened later
    // makes it a kind like the others); the open one alone is the default.
    QStringList ruled;
    for (const KindRule &rule : ceremony.rules)
        ruled.append(rule.diploma.trimmed());
    QList<KindFile> files;
    for (const QString &path : kinds.files()) {
        if (!ruled.contains(path))
            continue;
        KindFile kind{path, batch::readDiplomaFile(path), {}, {}, {}, {}};
        const int number = kind.content.templateNumber;
        kind.templatePath = editor::templateFileIn(templatesFolder_, number);
        kind.picture = batch::readTemplateFile(
            kind.templatePath, QStringLiteral("wzór nr %1 z pliku %2").arg(number).arg(QFileInfo(path).fileName()));
        batch::ClassListSettings described;
        described.describeTemplate(kind.templatePath, number);
        kind.templateKey = described.templateKey;
        kind.templateName = described.templateName;
        files.append(std::move(kind));
    }
    ceremony_ = ceremony;
    kinds_ = std::move(kinds);
    kindFiles_ = std::move(files);
}

bool ClassSession::mixedTemplates() const
{
    if (!hasKinds())
        return false;
    for (const KindFile &kind : kindFiles_)
        if (kind.path != diplomaPath_ && kind.templatePath != templatePath())
            return true;
    return false;
}

QList<batch::KindDiploma> ClassSession::kindDiplomas(const printing::PrintInput &base) const
{
    QList<batch::KindDiploma> out;
    for (const QString &path : kinds_.files()) {
        const QString name = QFileInfo(path).fileName();
        if (path == diplomaPath_) { // drawn as the window shows it, on the template chosen
            batch::ClassListSettings described;
            described.describeTemplate(templatePath(), templateNumber());
            out.append({base, name, described.templateKey, described.templateName});
            continue;
        }
        const auto kind = std::find_if(kindFiles_.cbegin(), kindFiles_.cend(),
                                       [&](const KindFile &k) { return k.path == path; });
        printing::PrintInput input = batch::printInputOf(kind->content, kind->picture);
        input.textBackground = base.textBackground;
        out.append({input, name, kind->templateKey, kind->templateName});
    }
    return out;
}

QStringList ClassSession::diplomaFields() const
{
    return batch::fieldNamesOf(content_.texts);
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
    if (templateNumber() < 1 || templateNumber() > wzory::kMaxTemplateNumber) {
        pictureError_ = QStringLiteral("%1: wzór nr %2 nie istnieje (numery wzorów: 1–%3); uszkodzony plik dyplomu?")
                            .arg(QFileInfo(diplomaPath_).fileName())
                            .arg(templateNumber())
                            .arg(wzory::kMaxTemplateNumber);
        return;
    }
    try {
        picture_ = batch::readTemplateFile(path, QStringLiteral("wzór nr %1").arg(templateNumber()));
    } catch (const batch::Failure &e) {
        pictureError_ = QString::fromUtf8(e.what());
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
    headerRow_ = batch::headerRowOf(table, diplomaFields());
    splitAtHeader();
}

void ClassSession::setHeaderRow(int row)
{
    headerRow_ = row >= 0 && row < headerCandidates() ? row : -1;
    splitAtHeader();
}

int ClassSession::headerCandidates() const
{
    return std::min(int(table_.rows.size()), batch::HeaderSearchRows);
}

void ClassSession::splitAtHeader()
{
    hasHeader_ = headerRow_ >= 0;
    header_ = hasHeader_ ? table_.rows.value(headerRow_) : QStringList();
    rows_ = table_.rows.mid(headerRow_ + 1);
    origins_ = table_.origins.mid(headerRow_ + 1);
    ticked_.clear();
    edited_ = false;
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
    if (cells.value(column) == text)
        return;
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
    edited_ = true;
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
    t.origins.append(hasHeader_ ? table_.origins.value(headerRow_) : batch::RowOrigin{});
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

QStringList ClassSession::fileStems(bool surnameFirst) const
{
    QStringList stems;
    for (const batch::Page &p : pages_)
        stems.append(surnameFirst ? batch::lastWordFirst(p.input.texts.recipient) : p.input.texts.recipient);
    if (!surnameFirst || !hasList())
        return stems;
    const batch::Table t = effectiveTable();
    int first = -1;
    int surname = -1;
    int reversed = -1; // "Nazwisko i imię": already in the register's order
    const QStringList header = t.rows.value(0);
    for (int c = 0; c < header.size(); ++c) {
        const batch::Role role = batch::roleOfHeader(header[c]).role;
        if (role == batch::Role::FirstName && first < 0)
            first = c;
        else if (role == batch::Role::Surname && surname < 0)
            surname = c;
        else if (role == batch::Role::SurnameFirst && reversed < 0)
            reversed = c;
    }
    if (first < 0 && surname < 0 && reversed < 0)
        return stems;
    QHash<int, int> rowOfLine;
    for (int r = 1; r < t.rows.size(); ++r)
        rowOfLine.insert(t.origins.value(r).line, r);
    for (int i = 0; i < pages_.size(); ++i) {
        const QStringList row = t.rows.value(rowOfLine.value(pages_[i].line, -1));
        const QString given = reversed >= 0 ? row.value(reversed).simplified()
                                            : QStringList{row.value(surname).simplified(), row.value(first).simplified()}
                                                  .join(QLatin1Char(' '))
                                                  .trimmed();
        if (!given.isEmpty())
            stems[i] = given;
    }
    return stems;
}

batch::BatchPlan ClassSession::pdfPlan(const QString &path, bool overwrite) const
{
    batch::BatchPlan plan;
    plan.outputs.append(batch::PlannedOutput{batch::BatchOutput::OnePdf, path});
    plan.overwrite = overwrite;
    plan.title = content_.texts.heading;
    plan.inputs = inputs();
    plan.mixedTemplates = mixedTemplates();
    return plan;
}

batch::BatchPlan ClassSession::separatePlan(const QString &folder, bool surnameFirst) const
{
    batch::BatchPlan plan;
    batch::PlannedOutput out(batch::BatchOutput::PdfPerPage, folder);
    out.stems = fileStems(surnameFirst);
    plan.outputs.append(out);
    plan.inputs = inputs();
    plan.mixedTemplates = mixedTemplates();
    return plan;
}

batch::BatchPlan ClassSession::printPlan(const QString &printer, const printing::SheetGeometry &geometry) const
{
    batch::PlannedOutput job(batch::BatchOutput::PrintJob, QString());
    job.printer = printer;
    job.copies = 1; // the dialog's copies are pages of the one job
    job.jobTitle = QFileInfo(diplomaPath_).fileName();
    job.geometry = geometry;
    batch::BatchPlan plan;
    plan.outputs.append(job);
    plan.title = content_.texts.heading;
    plan.mixedTemplates = mixedTemplates();
    return plan;
}

QList<batch::InputFile> ClassSession::inputs() const
{
    QList<batch::InputFile> in;
    if (hasDiploma())
        in.append({diplomaPath_, QStringLiteral("plik dyplomu")});
    if (hasList() && QFileInfo(listName_).isFile())
        in.append({listName_, QStringLiteral("lista")});
    if (hasDiploma())
        in.append({templatePath(), QStringLiteral("wzór")});
    for (const KindFile &kind : kindFiles_) {
        if (kind.path == diplomaPath_)
            continue;
        in.append({kind.path, QStringLiteral("plik dyplomu")});
        in.append({kind.templatePath, QStringLiteral("wzór")});
    }
    return in;
}

ClassSession::Built ClassSession::build() const
{
    Built out;
    if (!hasDiploma())
        return out;
    if (!pictureError_.isEmpty())
        out.problems.append({pictureError_, -1, true});

    printing::PrintInput base = batch::printInputOf(content_, picture_);
    base.textBackground = options_.textBackground;

    batch::ClassListSettings settings;
    if (!options_.sheets.isPlain() && batch::layoutError(options_.sheets).isEmpty())
        settings.geometry = batch::drawingGeometry(options_.sheets, settings.geometry.dpi);
    if (hasKinds()) {
        settings.kinds = kinds_;
        settings.kindDiplomas = kindDiplomas(base);
        settings.groupByKind = ceremony_.groupByKind;
    }
    settings.firstNumber = ceremony_.firstNumber;
    settings.date = ceremony_.date;
    // A damaged diploma's sizes are no work: they are said, and nothing is made.
    bool damaged = false;
    for (const batch::KindDiploma &kind :
         hasKinds() ? settings.kindDiplomas : QList<batch::KindDiploma>{{base, diplomaPath_, {}, {}}})
        for (const QString &text : batch::sizeProblems(kind.base, settings.geometry)) {
            out.problems.append({QStringLiteral("%1: %2").arg(QFileInfo(kind.diplomaName).fileName(), text), -1, true});
            damaged = true;
        }
    if (damaged)
        return out;
    settings.listPath = listName_;
    settings.diplomaName = diplomaPath_;
    settings.headerGiven = true; // the header row is the session's decision
    if (hasList() && headerRow_ > 0)
        out.problems.append({batch::rowsAboveHeaderWarning(table_, headerRow_, listName_), -1, false});
    settings.fit.shrink = options_.shrink;
    settings.fit.centre = options_.centre;
    settings.describeTemplate(templatePath(), templateNumber());
    try {
        const batch::Table table = hasList() ? effectiveTable() : batch::Table();
        out.summary = batch::buildClassList(base, settings, hasList() ? &table : nullptr, [&](batch::ClassPage &&p) {
            out.pages.append(batch::pageOf(std::move(p), int(out.pages.size())));
        });
    } catch (const batch::TableError &e) {
        out.pages.clear();
        out.problems.append({QString::fromUtf8(e.what()), -1, true});
        return out;
    }
    out.problems += problemsOf(out.summary, out.pages);
    if (!out.summary.kinds.isEmpty())
        out.problems.append(
            {QStringLiteral("rodzaje dyplomów: %1").arg(out.summary.kinds.join(QStringLiteral(", "))), -1, false});
    return out;
}

void ClassSession::apply(Built &&built)
{
    pages_ = std::move(built.pages);
    pageLines_.clear();
    for (const batch::Page &page : pages_)
        pageLines_.insert(page.line);
    summary_ = std::move(built.summary);
    problems_ = std::move(built.problems);
}

bool ClassSession::rowMakesPage(int row) const
{
    if (!rowTicked(row))
        return false;
    const int line = rowLine(row);
    return line <= 0 || pages_.isEmpty() || pageLines_.contains(line);
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
    const int above = std::max(0, headerRow_);
    const int read = int(rows_.size()) + table_.skippedEmptyRows + above;
    const int skipped = summary_.skipped() + unticked + above;
    return QStringLiteral("Wczytano %1, %2, pominięto %3")
        .arg(batch::plural(read, QStringLiteral("wiersz"), QStringLiteral("wiersze"), QStringLiteral("wierszy")),
             batch::plural(pages_.size(), QStringLiteral("strona"), QStringLiteral("strony"), QStringLiteral("stron")))
        .arg(skipped);
}

QList<Problem> problemsOf(const batch::ClassSummary &s, const QList<batch::Page> &pages)
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
