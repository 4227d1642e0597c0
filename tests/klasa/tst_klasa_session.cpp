// The class window's models without a window: what the column choices,
// unticked rows and fixed cells give the batch library, the fixed list as
// CSV, problems that find their page, and the class run's outputs.
#include "FileBytes.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"

#include "batch/table/TextTable.h"
#include "diplomafile/DiplomaRecord.h"
#include "batch/run/BatchRun.h"
#include "batch/output/Failure.h"
#include "batch/compose/PageImage.h"
#include "klasa/ClassSession.h"
#include "klasa/ListTableModel.h"
#include "klasa/PrintChoices.h"
#include "wmf/Metafile.h"
#include "wmf/MetafilePaintDevice.h"

#include <QPainter>
#include <QPrinter>
#include <thread>
#include <vector>
#include <QProcess>

#include <QAbstractItemModelTester>
#include <QtTest>

using klasa::ColumnChoice;
Q_DECLARE_METATYPE(ColumnChoice)

class TestKlasaSession : public QObject {
    Q_OBJECT
private slots:
    // The print dialog's range and copies as the pages of one job.
    void printChoicesMakeOneJob_data()
    {
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("collate");
        QTest::addColumn<QString>("expected"); // records, from 1
        QTest::newRow("all") << int(QPrinter::AllPages) << 1 << true << QStringLiteral("12345");
        QTest::newRow("2-3, 2 collated") << int(QPrinter::PageRange) << 2 << true << QStringLiteral("2323");
        QTest::newRow("2-3, 2 uncollated") << int(QPrinter::PageRange) << 2 << false << QStringLiteral("2233");
        QTest::newRow("page shown, 3") << int(QPrinter::CurrentPage) << 3 << true << QStringLiteral("444");
    }
    void printChoicesMakeOneJob()
    {
        QFETCH(int, range);
        QFETCH(int, copies);
        QFETCH(bool, collate);
        QFETCH(QString, expected);
        QList<batch::Page> pages;
        for (int i = 0; i < 5; ++i)
            pages.append(batch::Page{{}, i + 2, i});
        QPrinter printer;
        printer.setPrintRange(QPrinter::PrintRange(range));
        printer.setFromTo(2, 3);
        printer.setCopyCount(copies);
        printer.setCollateCopies(collate);
        QString got;
        for (const batch::Page &p : klasa::pagesToPrint(printer, pages, 3))
            got += QString::number(p.record + 1);
        QCOMPARE(got, expected);
        QVERIFY(klasa::unsupportedPrintChoice(printer).isEmpty());
        printer.setPageSize(QPageSize(QPageSize::A5));
        QVERIFY(klasa::unsupportedPrintChoice(printer).contains(QStringLiteral("papier A5")));
    }

    void init()
    {
        dir_ = std::make_unique<TempProgramDir>(QStringList{QStringLiteral("Wzory")});
        QFile::copy(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory/BDR_0001.wmf"),
                    dir_->file(QStringLiteral("Wzory/BDR_0001.wmf")));
        diplomafile::DiplomaContent c;
        startupdiploma::setStyles(c);
        c.templateNumber = 1;
        c.texts.heading = QStringLiteral("Dyplom");
        c.texts.recipient = QStringLiteral("z dyplomu");
        writeBytes(dir_->file(QStringLiteral("d.dyp")), diplomafile::buildDiplomaRecord(c));
        session_ = std::make_unique<klasa::ClassSession>();
        session_->setTemplatesFolder(dir_->file(QStringLiteral("Wzory")));
        session_->openDiploma(dir_->file(QStringLiteral("d.dyp")));
    }
    void cleanup()
    {
        session_.reset();
        dir_.reset();
    }

    void choicesDecideWhatEachColumnFills_data()
    {
        QTest::addColumn<ColumnChoice>("choice");
        QTest::addColumn<QString>("recipient");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("body2");
        QTest::newRow("field only") << ColumnChoice{ColumnChoice::Field, 0, {}} << "Anna"
                                    << "Dyplom"
                                    << "";
        QTest::newRow("heading") << ColumnChoice{ColumnChoice::Heading, 0, {}} << "Anna"
                                 << "celujący"
                                 << "";
        QTest::newRow("body line 2") << ColumnChoice{ColumnChoice::Body, 1, {}} << "Anna"
                                     << "Dyplom"
                                     << "celujący";
        QTest::newRow("ignored") << ColumnChoice{ColumnChoice::Ignored, 0, {}} << "Anna"
                                 << "Dyplom"
                                 << "";
    }
    void choicesDecideWhatEachColumnFills()
    {
        QFETCH(ColumnChoice, choice);
        session_->pasteList(QStringLiteral("Anna\tcelujący\nJan\tdobry\n"));
        QVERIFY(!session_->hasHeaderRow());
        QCOMPARE(session_->columnChoice(0).use, ColumnChoice::Recipient);
        session_->setColumnChoice(1, choice);
        session_->rebuild();
        QVERIFY2(!session_->blocked(), qPrintable(session_->problems().value(0).text));
        QCOMPARE(session_->pages().size(), 2);
        const auto &t = session_->pages()[0].input.texts;
        QFETCH(QString, recipient);
        QFETCH(QString, heading);
        QFETCH(QString, body2);
        QCOMPARE(t.recipient, recipient);
        QCOMPARE(t.heading, heading);
        QCOMPARE(t.body[1], body2);
    }

    // Separate files named surname first, as a register sorts them: from
    // the columns that say which word is which, else the last word first.
    void fileStemsSurnameFirst_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QStringList>("stems");
        QTest::newRow("Imię, Nazwisko of two words")
            << QByteArray("Imię;Nazwisko\nJan Maria;de Vries\nOla;\n")
            << QStringList{QStringLiteral("de Vries Jan Maria"), QStringLiteral("Ola")};
        QTest::newRow("Nazwisko i imię as written")
            << QByteArray("Nazwisko i imię\nKowalska Anna\n") << QStringList{QStringLiteral("Kowalska Anna")};
        QTest::newRow("dla: the last word first")
            << QByteArray("dla\nAnna  Maria Nowak\nJan\n")
            << QStringList{QStringLiteral("Nowak Anna Maria"), QStringLiteral("Jan")};
    }
    void fileStemsSurnameFirst()
    {
        QFETCH(QByteArray, list);
        QFETCH(QStringList, stems);
        writeBytes(dir_->file(QStringLiteral("l.csv")), list);
        session_->openList(dir_->file(QStringLiteral("l.csv")));
        session_->rebuild();
        QCOMPARE(session_->fileStems(true), stems);
        QStringList recipients;
        for (const batch::Page &p : session_->pages())
            recipients.append(p.input.texts.recipient);
        QCOMPARE(session_->fileStems(false), recipients);
    }

    // The list's model as views use it, under Qt's model tester: a list
    // with a title row, edits, ticks, new pages and another list.
    void listModelKeepsItsContract()
    {
        klasa::ListTableModel model(*session_);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy edited(&model, &klasa::ListTableModel::edited);
        writeBytes(dir_->file(QStringLiteral("l.csv")), "Lista klasy 3b;\nImię;Nazwisko\nAnna;Nowak\nJan;Kos\n");
        session_->openList(dir_->file(QStringLiteral("l.csv")));
        model.reload();
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), 2);
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Nazwisko"));
        QCOMPARE(model.headerData(0, Qt::Vertical, Qt::DisplayRole).toInt(), 3); // the file's line

        QVERIFY(model.setData(model.index(1, 1), QStringLiteral("Kowal"), Qt::EditRole));
        QCOMPARE(model.index(1, 1).data().toString(), QStringLiteral("Kowal"));
        QVERIFY(model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(model.index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        // Only the first column has a tick; other roles change nothing.
        QVERIFY(!model.flags(model.index(0, 1)).testFlag(Qt::ItemIsUserCheckable));
        QVERIFY(!model.setData(model.index(0, 1), Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(!model.setData(QModelIndex(), QStringLiteral("x"), Qt::EditRole));
        QVERIFY(!model.setData(model.index(0, 1), QStringLiteral("x"), Qt::ToolTipRole));
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("Nowak"));
        QCOMPARE(edited.size(), 2);

        session_->rebuild();
        model.pagesMade();
        QCOMPARE(session_->pages().size(), 1);
        QCOMPARE(session_->pages()[0].input.texts.recipient, QStringLiteral("Jan Kowal"));
        session_->pasteList(QStringLiteral("Ola Lis\n"));
        model.reload();
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.columnCount(), 1);
    }

    // Unticked rows and fixed cells reach the pages and the CSV; the CSV
    // reads back as the same list (quotes and separators inside cells).
    void fixesReachPagesAndCsv()
    {
        writeBytes(dir_->file(QStringLiteral("l.csv")), "Imię;Nazwisko;Uwagi\nAnna;Nowak;x\nJan;Kos;y\nOla;Lis;z\n");
        session_->openList(dir_->file(QStringLiteral("l.csv")));
        QVERIFY(session_->hasHeaderRow());
        QVERIFY(session_->columnRecognised(0) && session_->columnRecognised(1) && !session_->columnRecognised(2));
        session_->setRowTicked(1, false);
        session_->setCell(2, 1, QStringLiteral("Lis; \"Młodsza\""));
        session_->setColumnChoice(2, {ColumnChoice::Ignored, 0, {}});
        session_->rebuild();
        QCOMPARE(session_->pages().size(), 2);
        QCOMPARE(session_->pages()[1].input.texts.recipient, QStringLiteral("Ola Lis; \"Młodsza\""));
        QCOMPARE(session_->pages()[1].line, 4); // the line of the file, not of the shown table
        QCOMPARE(session_->countsLine(), QStringLiteral("Wczytano 3 wiersze, 2 strony, pominięto 1"));

        const batch::Table back = batch::readTextTable(session_->csv(), QStringLiteral("x.csv"), {});
        QCOMPARE(back.rows.size(), 3);
        QCOMPARE(back.rows[0], (QStringList{QStringLiteral("Imię"), QStringLiteral("Nazwisko")}));
        QCOMPARE(back.rows[2], (QStringList{QStringLiteral("Ola"), QStringLiteral("Lis; \"Młodsza\"")}));
        QCOMPARE(readBytes(dir_->file(QStringLiteral("l.csv"))),
                 QByteArray("Imię;Nazwisko;Uwagi\nAnna;Nowak;x\nJan;Kos;y\nOla;Lis;z\n")); // never written
    }

    // A field of the diploma with no column is an error that blocks output;
    // a duplicate name points at the page of its second line.
    void problemsNameTheirPage()
    {
        session_->pasteList(QStringLiteral("Anna Nowak\nJan Kos\nAnna Nowak\n"));
        session_->rebuild();
        QVERIFY(!session_->blocked());
        bool found = false;
        for (const klasa::Problem &p : session_->problems())
            if (p.text.contains(QStringLiteral("powtórzone"))) {
                found = true;
                QCOMPARE(p.page, 0);
            }
        QVERIFY(found);
        const QList<klasa::Problem> mapped = klasa::problemsOf(
            [] {
                batch::ClassSummary s;
                s.offSheet = QStringList{
                    QStringLiteral("rekord 3 (wiersz 4 listy): tekst „X” wychodzi poza obszar wydruku")};
                return s;
            }(),
            session_->pages());
        QCOMPARE(mapped.size(), 1);
        QCOMPARE(mapped[0].page, 2);
    }

    // Kinds of diploma by a column: a rule's values get its diploma, every
    // other value the open one, numbered and dated in list order or grouped
    // by kind; an unreadable diploma or a day that does not exist changes
    // nothing.
    void kindsOfDiplomaByAColumn()
    {
        QFile::copy(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory/BDR_0002.wmf"),
                    dir_->file(QStringLiteral("Wzory/BDR_0002.wmf")));
        diplomafile::DiplomaContent c;
        startupdiploma::setStyles(c);
        c.templateNumber = 2;
        c.texts.heading = QStringLiteral("Miejsce {Miejsce}");
        c.texts.body[0] = QStringLiteral("Nr {Nr}, {Data}");
        const QString place = dir_->file(QStringLiteral("miejsce.dyp"));
        writeBytes(place, diplomafile::buildDiplomaRecord(c));
        session_->pasteList(QStringLiteral("dla\tMiejsce\nAnna Nowak\t1\nJan Kos\t\nOla Lis\t2\n"));
        const auto headings = [&] {
            session_->rebuild();
            QStringList out;
            for (const batch::Page &p : session_->pages())
                out.append(p.input.texts.heading + QLatin1Char('|') + p.input.texts.body[0]);
            return out;
        };
        klasa::Ceremony ceremony{
            QStringLiteral("Miejsce"), {{QStringLiteral("1, 2"), place}}, false, 7, QStringLiteral("2026-06-19")};
        session_->setCeremony(ceremony);
        QCOMPARE(headings(), (QStringList{QStringLiteral("Miejsce 1|Nr 7, 19 czerwca 2026"), QStringLiteral("Dyplom|"),
                                          QStringLiteral("Miejsce 2|Nr 9, 19 czerwca 2026")}));
        QVERIFY(session_->mixedTemplates() && session_->pdfPlan(place + QStringLiteral(".pdf"), false).mixedTemplates);
        QStringList read;
        for (const batch::InputFile &in : session_->inputs())
            read.append(QFileInfo(in.path).fileName());
        QVERIFY2(read.contains(QStringLiteral("miejsce.dyp")) && read.contains(QStringLiteral("BDR_0002.wmf")),
                 qPrintable(read.join(' ')));
        QVERIFY(std::any_of(session_->problems().cbegin(), session_->problems().cend(), [](const klasa::Problem &p) {
            return p.text == QStringLiteral("rodzaje dyplomów: miejsce.dyp: 2, d.dyp: 1");
        }));

        ceremony.groupByKind = true;
        session_->setCeremony(ceremony);
        QCOMPARE(headings().join(';'),
                 QStringLiteral("Miejsce 1|Nr 7, 19 czerwca 2026;Miejsce 2|Nr 9, 19 czerwca 2026;Dyplom|"));

        klasa::Ceremony missing = ceremony;
        missing.rules.append({QStringLiteral("wyróżnienie"), dir_->file(QStringLiteral("brak.dyp"))});
        QVERIFY_THROWS_EXCEPTION(batch::Failure, session_->setCeremony(missing));
        klasa::Ceremony noDay = ceremony;
        noDay.date = QStringLiteral("2026-02-30");
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, session_->setCeremony(noDay));
        QVERIFY(session_->ceremony().groupByKind && session_->ceremony().rules.size() == 1);

        // A rule's diploma that was the open one stays its kind when another is opened.
        session_->setCeremony(
            {QStringLiteral("Miejsce"), {{QStringLiteral("1"), dir_->file(QStringLiteral("d.dyp"))}}, false, 1, {}});
        session_->openDiploma(place);
        const QStringList own = headings();
        QVERIFY2(own.size() == 3 && own[0] == QStringLiteral("Dyplom|") && own[1].startsWith(QStringLiteral("Miejsce")),
                 qPrintable(own.join(';')));

        session_->setCeremony({});
        QCOMPARE(headings().size(), 3);
        QVERIFY(!session_->hasKinds() && !session_->mixedTemplates());
    }

    // Outputs of a class run: one PDF per pupil refuses to replace without
    // leave and writes nothing then; a print job goes out once per copy as
    // a finished PDF; an empty class is refused.
    void batchRunOutputs()
    {
        session_->pasteList(QStringLiteral("Anna Nowak\nJan Kos\n"));
        session_->rebuild();
        const QList<batch::Page> pages = session_->pages();
        const QString folder = dir_->file(QStringLiteral("osobno"));
        QDir().mkpath(folder);
        writeBytes(folder + QStringLiteral("/Jan Kos.pdf"), "earlier");
        batch::BatchPlan plan;
        plan.outputs = {batch::PlannedOutput(batch::BatchOutput::PdfPerPage, folder)};
        QVERIFY_THROWS_EXCEPTION(batch::Failure, batch::runBatch(plan, pages, {}));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Jan Kos.pdf")});
        plan.overwrite = true;
        const batch::BatchResult r = batch::runBatch(plan, pages, {});
        QCOMPARE(r.files.size(), 2);
        QVERIFY(readBytes(folder + QStringLiteral("/Jan Kos.pdf")).startsWith("%PDF"));

        batch::PlannedOutput job(batch::BatchOutput::PrintJob, QString());
        job.printer = QStringLiteral("kolejka");
        job.copies = 2;
        plan.outputs = {job};
        QStringList jobs;
        batch::runBatch(plan, pages, {}, nullptr, [&](const QString &printer, const QString &pdf, const QString &) {
            jobs.append(printer + QLatin1Char(':') + QString::fromLatin1(readBytes(pdf).left(4)));
        });
        QCOMPARE(jobs, (QStringList{QStringLiteral("kolejka:%PDF"), QStringLiteral("kolejka:%PDF")}));

        std::atomic_bool cancel{true};
        const QString pdf = dir_->file(QStringLiteral("x.pdf"));
        plan.outputs = {batch::PlannedOutput(batch::BatchOutput::OnePdf, pdf)};
        QVERIFY_THROWS_EXCEPTION(batch::Cancelled, batch::runBatch(plan, pages, {}, &cancel));
        QVERIFY(!QFileInfo::exists(pdf));
        QVERIFY_THROWS_EXCEPTION(batch::Failure, batch::runBatch(plan, {}, {}));
    }

    // The window's plans from the session alone: every file read is kept
    // from a PDF's path, separate files take the chosen order of names, a
    // print job is named after the diploma.
    void sessionPlansRun()
    {
        session_->pasteList(QStringLiteral("Anna Nowak\nJan Kos\n"));
        session_->rebuild();
        const QList<batch::Page> pages = session_->pages();
        const QString diploma = dir_->file(QStringLiteral("d.dyp"));
        const QByteArray before = readBytes(diploma);
        QVERIFY_THROWS_EXCEPTION(batch::Failure, batch::runBatch(session_->pdfPlan(diploma, true), pages, {}));
        QCOMPARE(readBytes(diploma), before);
        const QString folder = dir_->file(QStringLiteral("osobno"));
        QCOMPARE(batch::runBatch(session_->separatePlan(folder, true), pages, {}).files,
                 (QStringList{folder + QStringLiteral("/Nowak Anna.pdf"), folder + QStringLiteral("/Kos Jan.pdf")}));
        QCOMPARE(session_->printPlan(QStringLiteral("kolejka"), printing::SheetGeometry::a4(300)).outputs.first().jobTitle,
                 QStringLiteral("d.dyp"));
    }

    // Several outputs of one plan are put in place together: when a later
    // one fails, the earlier ones are not written and the folders made for
    // them are gone; when all succeed, every file is there.
    void planOutputsAreAllOrNothing_data()
    {
        QTest::addColumn<QString>("failing"); // what makes the last output fail
        QTest::newRow("taken name") << QStringLiteral("taken");
        QTest::newRow("a diploma as output") << QStringLiteral("dyp");
        QTest::newRow("the same file twice") << QStringLiteral("twice");
        QTest::newRow("none") << QString();
    }
    void planOutputsAreAllOrNothing()
    {
        QFETCH(QString, failing);
        session_->pasteList(QStringLiteral("Anna Nowak\nJan Kos\n"));
        session_->rebuild();
        const QString pdf = dir_->file(QStringLiteral("klasa.pdf"));
        writeBytes(pdf, "earlier");
        const QString perPupil = dir_->file(QStringLiteral("nowy/osobno"));
        const QString pictures = dir_->file(QStringLiteral("obrazy"));
        QDir().mkpath(pictures);
        if (failing == QLatin1String("taken"))
            writeBytes(pictures + QStringLiteral("/strona-002.png"), "taken");
        batch::BatchPlan plan;
        plan.inputs = session_->inputs();
        plan.outputs = {batch::PlannedOutput(batch::BatchOutput::OnePdf, pdf),
                        batch::PlannedOutput(batch::BatchOutput::PdfPerPage, perPupil),
                        batch::PlannedOutput(batch::BatchOutput::Pictures, pictures)};
        plan.outputs.last().pictureDpi = 20;
        if (failing == QLatin1String("dyp"))
            plan.outputs.append(batch::PlannedOutput(batch::BatchOutput::OnePdf, dir_->file(QStringLiteral("d.dyp"))));
        if (failing == QLatin1String("twice"))
            plan.outputs.append(batch::PlannedOutput(batch::BatchOutput::OnePdf, pdf));
        plan.overwrite = true; // klasa.pdf may be replaced: only the failure keeps it

        if (failing == QLatin1String("taken")) {
            plan.overwrite = false;
            writeBytes(pdf, "%PDF-1.4 earlier"); // a PDF is replaced without leave
        }
        const QByteArray before = readBytes(pdf);
        if (failing.isEmpty()) {
            const batch::BatchResult r = batch::runBatch(plan, session_->pages(), {});
            QCOMPARE(r.files.size(), 5);
            for (const QString &file : r.files)
                QVERIFY2(QFileInfo(file).size() > 0, qPrintable(file));
            QVERIFY(readBytes(pdf).startsWith("%PDF"));
            return;
        }
        QVERIFY_THROWS_EXCEPTION(batch::Failure, batch::runBatch(plan, session_->pages(), {}));
        QCOMPARE(readBytes(pdf), before);
        QVERIFY(!QFileInfo::exists(dir_->file(QStringLiteral("nowy"))));
        QStringList left = QDir(pictures).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, failing == QLatin1String("taken") ? QStringList{QStringLiteral("strona-002.png")} : QStringList());
        QCOMPARE(QDir(dir_->path()).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden), QStringList());
    }

    // Without the white cells the template shows beneath the texts, in the
    // preview and in dyplom-druk --bez-tla alike; with them it does not.
    void textBackgroundFollowsTheOption()
    {
        wmf::MetafilePaintDevice device;
        {
            QPainter p(&device);
            p.fillRect(QRect(0, 0, device.width(), device.height()), QColor(40, 90, 160));
        }
        writeBytes(dir_->file(QStringLiteral("Wzory/BDR_0001.wmf")), device.finish());
        session_->openDiploma(dir_->file(QStringLiteral("d.dyp")));
        session_->rebuild();
        QVERIFY2(!session_->blocked(), qPrintable(session_->problems().value(0).text));
        const printing::PrintInput page = session_->pages().value(0).input;
        QVERIFY(page.textBackground);
        const auto whiteShare = [](const QImage &image) {
            int white = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    white += image.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
            return white;
        };
        const QImage opaque = batch::pageImage(page, printing::SheetGeometry::a4(600), 50);
        klasa::ClassSession::Options o;
        o.textBackground = false;
        session_->setOptions(o);
        session_->rebuild();
        const QImage clear = batch::pageImage(session_->pages().value(0).input, printing::SheetGeometry::a4(600), 50);
        QVERIFY2(whiteShare(opaque) > 200, "the text cells are white");
        QCOMPARE(whiteShare(clear), 0);

        QProcess druk;
        druk.setWorkingDirectory(dir_->path());
        druk.start(qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/dyplom-druk"),
                   {QStringLiteral("d.dyp"), QStringLiteral("--png"), QStringLiteral("png"), QStringLiteral("--dpi"),
                    QStringLiteral("50"), QStringLiteral("--bez-tla")});
        QVERIFY(druk.waitForFinished(120000));
        QVERIFY2(druk.exitCode() == 0, druk.readAllStandardError().constData());
        QCOMPARE(QImage(dir_->file(QStringLiteral("png/strona-001.png"))).convertToFormat(QImage::Format_RGB32), clear);
    }

    // Texts are fitted to the shape of the chosen paper, as dyplom-druk
    // fits them: a long name runs off a portrait sheet, not a landscape one.
    void textsFitThePapersShape()
    {
        diplomafile::DiplomaContent c;
        startupdiploma::setStyles(c);
        c.templateNumber = 1;
        c.texts.recipient = QStringLiteral("Anna Maria Konstancja Wiśniewska-Grabowska");
        c.recipient.size = 26;
        writeBytes(dir_->file(QStringLiteral("d.dyp")), diplomafile::buildDiplomaRecord(c));
        session_->openDiploma(dir_->file(QStringLiteral("d.dyp")));
        const auto offSheet = [&](bool landscape) {
            klasa::ClassSession::Options o;
            o.sheets.landscape = landscape;
            session_->setOptions(o);
            session_->rebuild();
            for (const auto &problem : session_->problems())
                if (problem.text.contains(QStringLiteral("wychodzi poza obszar wydruku")))
                    return true;
            return false;
        };
        QVERIFY(offSheet(false));
        QVERIFY(!offSheet(true));
    }

    // Pages drawn on several threads at once (a preview while a save runs)
    // are those drawn one by one.
    void pagesDrawnAtOnceOnThreads()
    {
        session_->pasteList(QStringLiteral("Anna Nowak\nJan Kos\nOla Lis\nEwa Bąk\n"));
        session_->rebuild();
        const QList<batch::Page> pages = session_->pages();
        // Two printer resolutions, so that a thread using another's grid shows.
        const printing::SheetGeometry sheets[2] = {printing::SheetGeometry::a4(300), printing::SheetGeometry::a4(600)};
        QList<QImage> alone;
        for (int i = 0; i < pages.size() * 2; ++i)
            alone.append(batch::pageImage(pages[i / 2].input, sheets[i % 2], 40));
        QList<QImage> together(alone.size() * 3);
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&, t] {
                for (int i = t; i < together.size(); i += 4)
                    together[i] = batch::pageImage(pages[(i % alone.size()) / 2].input, sheets[i % 2], 40);
            });
        for (std::thread &t : threads)
            t.join();
        QVERIFY(alone[0] != alone[1]);
        for (int i = 0; i < together.size(); ++i)
            QVERIFY2(together[i] == alone[i % alone.size()], qPrintable(QStringLiteral("drawing %1").arg(i)));
    }

private:
    std::unique_ptr<TempProgramDir> dir_;
    std::unique_ptr<klasa::ClassSession> session_;
};

QTEST_MAIN(TestKlasaSession)
#include "tst_klasa_session.moc"
