// The class window driven as a user drives it, on an X server of the
// test's own: dialogs answered through the seam, work run inline.
#include "FileBytes.h"
#include "InkMeasure.h"
#include "PdfTools.h"
#include "RunAsUser.h"
#include "ScriptedPlatform.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"
#include "XvfbDisplay.h"

#include "diplomafile/DiplomaRecord.h"
#include "batch/output/CalibrationStore.h"
#include "batch/output/CupsJob.h"
#include "batch/compose/PageImage.h"
#include "batch/fit/FreeArea.h"
#include "klasa/ClassWindow.h"
#include "klasa/KindsDialog.h"
#include "platform/Cp1250.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>
#include <QPrinter>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>

namespace {

// Work held until the test runs it, in the order it likes.
class HeldRunner : public klasa::TaskRunner {
public:
    void run(std::function<void()> work, std::function<void()> done) override { held.append({work, done}); }
    void toGui(std::function<void()> f) override { f(); }
    void finish(int i)
    {
        held[i].first();
        held[i].second();
    }
    QList<QPair<std::function<void()>, std::function<void()>>> held;
};

QStringList pageTexts(const QString &pdf)
{
    QStringList pages = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    for (QString &p : pages)
        p = p.simplified();
    return pages;
}

void writeDiploma(const QString &path, const QString &heading, const QString &body3)
{
    diplomafile::DiplomaContent c;
    startupdiploma::setStyles(c);
    c.templateNumber = 2;
    c.texts.heading = heading;
    c.texts.body[2] = body3;
    c.texts.recipient = QStringLiteral("Imię z dyplomu");
    writeBytes(path, diplomafile::buildDiplomaRecord(c));
}

} // namespace

class TestKlasaWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are not installed");
        dir_ = std::make_unique<TempProgramDir>();
        const QDir shipped(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory"));
        for (const QString &f : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(f), dir_->file(QStringLiteral("Wzory/") + f));
        qputenv("XDG_CONFIG_HOME", dir_->file(QStringLiteral("config")).toUtf8());
        qputenv("XDG_CACHE_HOME", dir_->file(QStringLiteral("cache")).toUtf8());
        QSettings().clear();
        writeDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp")), QStringLiteral("Dyplom"),
                     QStringLiteral("klasa {Klasa}"));
        // "Ocena" is no header the reader knows: its column gets a combo.
        QByteArray csv = "Imię;Nazwisko;Klasa;Ocena\n";
        for (int i = 1; i <= 6; ++i)
            csv += QStringLiteral("Uczeń%1;Nowak%1;3a;wzorowe %1\n").arg(i).toUtf8();
        writeBytes(dir_->file(QStringLiteral("klasa-3a.csv")), csv);
        platform_ = std::make_unique<ScriptedPlatform>();
        window_ = std::make_unique<klasa::ClassWindow>(dir_->path(), &runner_);
        window_->designImport().program = qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/dyplom-wzory");
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup()
    {
        window_.reset();
        platform_.reset();
        dir_.reset();
    }

    // Open, choose a column's meaning, untick a row, page 3 as dyplom-druk
    // draws it, and the saved PDF's pages.
    void classFromListToPdf()
    {
        platform_->openAnswers.push_back(dir_->file(QStringLiteral("Dyplomy/d.dyp")));
        window_->openDiplomaDialog();
        QCOMPARE(platform_->fileDialogs.last().initialFolder, dir_->file(QStringLiteral("Dyplomy")));
        QVERIFY(
            window_->findChild<QLabel *>(QStringLiteral("diplomaLabel"))->text().contains(QStringLiteral("wzór nr 2")));
        QVERIFY(window_->findChild<QLabel *>(QStringLiteral("diplomaLabel"))->text().contains(QStringLiteral("{Klasa}")));

        platform_->openAnswers.push_back(dir_->file(QStringLiteral("klasa-3a.csv")));
        window_->openListDialog();
        QCOMPARE(window_->windowTitle(), QStringLiteral("klasa-3a.csv")); // the program's name is Qt's to add
        QCOMPARE(window_->listModel().rowCount(), 6);
        QCOMPARE(window_->listModel().columnCount(), 4);
        for (int c = 0; c < 3; ++c)
            QVERIFY2(!window_->columnCombo(c), "known headers need no choice");
        QComboBox *ocena = window_->columnCombo(3);
        QVERIFY(ocena);
        QCOMPARE(ocena->currentText(), QStringLiteral("pole {Ocena}"));
        // Ocena becomes the sixth body line.
        ocena->setCurrentIndex(ocena->findText(QStringLiteral("treść 6")));
        emit ocena->activated(ocena->currentIndex());
        // Row 2 unticked: five pages.
        QVERIFY(window_->listModel().setData(window_->listModel().index(1, 0), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(window_->session().pages().size(), 5);
        QCOMPARE(window_->findChild<QLabel *>(QStringLiteral("countsLabel"))->text(),
                 QStringLiteral("Wczytano 6 wierszy, 5 stron, pominięto 1"));
        // A cell fixed in the table reaches its page.
        window_->listModel().setData(window_->listModel().index(2, 1), QStringLiteral("Kowalska"), Qt::EditRole);

        QTest::keyClick(window_.get(), Qt::Key_PageDown);
        QTest::keyClick(window_.get(), Qt::Key_PageDown);
        QCOMPARE(window_->currentPage(), 2);
        QTest::keyClick(window_.get(), Qt::Key_PageDown);
        QTest::keyClick(window_.get(), Qt::Key_PageUp);
        QCOMPARE(window_->currentPage(), 2);

        // The same page from dyplom-druk --png, with the same fixes as a list file.
        platform_->saveAnswers.push_back(dir_->file(QStringLiteral("poprawiona.csv")));
        window_->saveListCsv();
        const QString png = dir_->file(QStringLiteral("png"));
        QProcess druk;
        druk.setWorkingDirectory(dir_->path());
        druk.start(qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/dyplom-druk"),
                   {QStringLiteral("Dyplomy/d.dyp"), QStringLiteral("--lista"), QStringLiteral("poprawiona.csv"),
                    QStringLiteral("--png"), png, QStringLiteral("--dpi"),
                    QString::number(klasa::ClassWindow::PreviewDpi)});
        QVERIFY(druk.waitForFinished(120000));
        QVERIFY2(druk.exitCode() == 0, druk.readAllStandardError().constData());
        const QImage expected(png + QStringLiteral("/strona-003.png"));
        QVERIFY(!expected.isNull());
        const QImage shown = window_->previewImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), expected.size());
        // The same code draws both, at the same resolution, so no pixel may
        // differ: a tolerance would hide a second drawing path.
        QCOMPARE(shown, expected.convertToFormat(QImage::Format_RGB32));

        // Saved as one PDF: the ticked rows, the fix, the chosen column.
        const QString pdf = dir_->file(QStringLiteral("Dyplomy/klasa-3a.pdf"));
        platform_->saveAnswers.push_back(pdf);
        window_->savePdf();
        QVERIFY(platform_->fileDialogs.last().overwritePrompt);
        const QStringList pages = pageTexts(pdf);
        QCOMPARE(pages.size(), 5);
        QVERIFY2(pages[0].contains(QStringLiteral("Uczeń1 Nowak1")) && pages[0].contains(QStringLiteral("klasa 3a"))
                     && pages[0].contains(QStringLiteral("wzorowe 1")),
                 qPrintable(pages[0]));
        QVERIFY2(pages[1].contains(QStringLiteral("Uczeń3 Kowalska")), qPrintable(pages[1]));
        QCOMPARE(window_->findChild<QLabel *>(QStringLiteral("result"))->text(),
                 QStringLiteral("Zapisano 5 dyplomów w klasa-3a.pdf"));
        window_->findChild<QPushButton *>(QStringLiteral("openFolder"))->click();
        QCOMPARE(platform_->opened, QStringList{QUrl::fromLocalFile(dir_->file(QStringLiteral("Dyplomy"))).toString()});
        // Without a program that opens folders the window says so, naming the folder.
        platform_->shellOpenSucceeds = false;
        window_->findChild<QPushButton *>(QStringLiteral("openFolder"))->click();
        QVERIFY2(
            window_->findChild<QLabel *>(QStringLiteral("result"))
                ->text()
                .startsWith(QStringLiteral("Nie można otworzyć folderu %1:").arg(dir_->file(QStringLiteral("Dyplomy")))),
            qPrintable(window_->findChild<QLabel *>(QStringLiteral("result"))->text()));
    }

    // Cancelled at page 3 of a long list: the earlier file stays byte for
    // byte and no temporary file is left.
    void cancelledSaveKeepsTheEarlierFile()
    {
        QByteArray csv = "dla\n";
        for (int i = 1; i <= 40; ++i)
            csv += QStringLiteral("Osoba %1\n").arg(i).toUtf8();
        writeBytes(dir_->file(QStringLiteral("dluga.csv")), csv);
        // {Klasa} without a column would refuse the save before it starts.
        writeDiploma(dir_->file(QStringLiteral("Dyplomy/bez.dyp")), QStringLiteral("Dyplom"),
                     QStringLiteral("za wyniki"));
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("dluga.csv"))));
        QVERIFY(window_->session().blocked());
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/bez.dyp"))));
        QVERIFY(!window_->session().blocked());
        const QString pdf = dir_->file(QStringLiteral("wynik.pdf"));
        writeBytes(pdf, "%PDF-1.4 earlier file\n");
        connect(window_.get(), &klasa::ClassWindow::progressed, this, [this](int done) {
            if (done == 3)
                window_->findChild<QPushButton *>(QStringLiteral("cancel"))->click();
        });
        platform_->saveAnswers.push_back(pdf);
        window_->savePdf();
        QCOMPARE(readBytes(pdf), QByteArray("%PDF-1.4 earlier file\n"));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("dluga.csv")} << QStringLiteral(
                                                                "klasa-3a.csv") << QStringLiteral("wynik.pdf"));
        QCOMPARE(window_->findChild<QLabel *>(QStringLiteral("result"))->text(),
                 QStringLiteral("Anulowano: nic nie zostało zapisane."));
        QVERIFY(platform_->errors().isEmpty());
    }

    // A column copied from a spreadsheet becomes the pages.
    void pastedColumnGivesPages()
    {
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        writeDiploma(dir_->file(QStringLiteral("Dyplomy/bez.dyp")), QStringLiteral("Dyplom"),
                     QStringLiteral("za wyniki"));
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/bez.dyp"))));
        QApplication::clipboard()->setText(QStringLiteral("Anna Nowak\nJan Kowalski\nŁucja Żak\n"));
        QVERIFY(window_->pasteFromClipboard());
        QCOMPARE(window_->session().pages().size(), 3);
        QCOMPARE(window_->session().pages()[2].input.texts.recipient, QStringLiteral("Łucja Żak"));
        QVERIFY(!window_->previewImage().isNull());
        QCOMPARE(window_->windowTitle(), QStringLiteral("schowek"));
    }

    // Every catalogue template is in the gallery, and a design added there
    // joins the catalogue and is selected.
    void galleryShowsTheCatalogueAndAnAddedDesign()
    {
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        auto *gallery = window_->findChild<QListWidget *>(QStringLiteral("gallery"));
        QCOMPARE(gallery->count(), QDir(dir_->file(QStringLiteral("Wzory"))).entryList(QDir::Files).size());
        for (int i = 0; i < gallery->count(); ++i)
            QVERIFY2(!gallery->item(i)->icon().isNull(), qPrintable(gallery->item(i)->text()));
        const QString svg = qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/tests/wzory/probe.svg");
        platform_->openAnswers.push_back(svg);
        const int before = gallery->count();
        window_->addOwnTemplate();
        QVERIFY(window_->designImport().running());
        QTRY_VERIFY_WITH_TIMEOUT(!window_->designImport().running(), 60000);
        QVERIFY2(platform_->errors().isEmpty(), qPrintable(platform_->errors().join('\n')));
        QCOMPARE(gallery->count(), before + 1);
        QCOMPARE(gallery->currentItem()->text(), QStringLiteral("nr %1").arg(before + 1));
        QCOMPARE(window_->session().templateNumber(), before + 1);
        QVERIFY(!gallery->currentItem()->icon().isNull());
        // Picked in the gallery, then the diploma's own again: pages and gallery follow.
        gallery->setCurrentRow(0);
        QCOMPARE(window_->session().templateNumber(), 1);
        QVERIFY(
            window_->findChild<QLabel *>(QStringLiteral("diplomaLabel"))->text().contains(QStringLiteral("(dyplom: nr 2)")));
        for (QPushButton *b : window_->findChildren<QPushButton *>())
            if (b->text() == QStringLiteral("Wzór d&yplomu"))
                b->click();
        QCOMPARE(window_->session().templateNumber(), 2);
        QCOMPARE(gallery->currentItem()->text(), QStringLiteral("nr 2"));
    }

    // With the table of designs: a section per occasion in its order, the
    // designs it lacks last; the arrows pass the titles by; the filter and
    // the search narrow the gallery and leave the chosen template alone.
    void galleryByOccasion()
    {
        QVERIFY(QFile::copy(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/wzory-uklady.json"),
                            dir_->file(QStringLiteral("wzory-uklady.json"))));
        QVERIFY(QFile::copy(dir_->file(QStringLiteral("Wzory/BDR_0001.wmf")),
                            dir_->file(QStringLiteral("Wzory/BDR_0500.wmf"))));
        window_ = std::make_unique<klasa::ClassWindow>(dir_->path(), &runner_);
        window_->show();
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        auto *gallery = window_->findChild<QListWidget *>(QStringLiteral("gallery"));
        QStringList titles;
        for (int i = 0; i < gallery->count(); ++i)
            if (gallery->item(i)->flags() == Qt::NoItemFlags)
                titles << gallery->item(i)->text();
        QCOMPARE(titles, QStringList({QStringLiteral("Ogólne"), QStringLiteral("Pasowanie na ucznia"),
                                      QStringLiteral("Przedszkole"), QStringLiteral("Konkurs plastyczny"),
                                      QStringLiteral("Sport"), QStringLiteral("Czytelnik Roku"),
                                      QStringLiteral("Konkursy przedmiotowe"), QStringLiteral("Muzyka"),
                                      QStringLiteral("Zakończenie roku szkolnego"), QStringLiteral("Podziękowania"),
                                      QStringLiteral("Inne wzory")}));
        QCOMPARE(gallery->item(gallery->count() - 1)->text(), QStringLiteral("nr 500"));
        QCOMPARE(gallery->currentItem()->text(), QStringLiteral("nr 2\nKlasyczny 2"));

        gallery->setFocus();
        QTest::keyClick(gallery, Qt::Key_End);
        QCOMPARE(window_->session().templateNumber(), 500);
        QTest::keyClick(gallery, Qt::Key_Left);             // past "Inne wzory"
        QCOMPARE(window_->session().templateNumber(), 109); // the last of "Podziękowania"
        for (int i = 0; i < gallery->count(); ++i)
            if (gallery->item(i)->data(Qt::UserRole).toInt() == 42)
                gallery->setCurrentRow(i);
        QTest::keyClick(gallery, Qt::Key_Right); // past "Pasowanie na ucznia"
        QCOMPARE(window_->session().templateNumber(), 43);

        auto *filter = window_->findChild<QComboBox *>(QStringLiteral("occasionFilter"));
        QCOMPARE(filter->itemText(0), QStringLiteral("Wszystkie"));
        QCOMPARE(filter->count(), titles.size() + 1);
        QCOMPARE(filter->itemText(filter->count() - 1), QStringLiteral("Inne wzory"));
        filter->setCurrentIndex(filter->findText(QStringLiteral("Sport")));
        QCOMPARE(gallery->item(0)->text(), QStringLiteral("Sport"));
        for (int i = 1; i < gallery->count(); ++i)
            QVERIFY2(gallery->item(i)->text().contains(QStringLiteral("Sport")), qPrintable(gallery->item(i)->text()));
        QVERIFY(gallery->count() >= 6);
        QCOMPARE(window_->session().templateNumber(), 43);
        QCOMPARE(gallery->currentItem(), nullptr);

        auto *search = window_->findChild<QLineEdit *>(QStringLiteral("gallerySearch"));
        filter->setCurrentIndex(0);
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        gallery->setFocus();
        QTest::keyClick(gallery, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(search->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("BIRET"));
        QStringList found;
        for (int i = 0; i < gallery->count(); ++i)
            found << gallery->item(i)->text();
        QCOMPARE(found,
                 QStringList({QStringLiteral("Zakończenie roku szkolnego"), QStringLiteral("nr 85\nKoniec roku – biret"),
                              QStringLiteral("nr 103\nKoniec roku – szarfa i biret")}));
        QCOMPARE(window_->session().templateNumber(), 43);
        // The filter's occasion stays when the table is read again.
        filter->setCurrentIndex(filter->findText(QStringLiteral("Muzyka")));
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QCOMPARE(filter->currentText(), QStringLiteral("Muzyka"));
    }

    // From a design to a page: the new diploma is in Dyplomy, named after
    // the design, opened; the page drawn holds the suggested texts inside
    // the design's free area, and the saved PDF carries the suggested font.
    void newDiplomaFromADesign()
    {
        QVERIFY(QFile::copy(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/wzory-uklady.json"),
                            dir_->file(QStringLiteral("wzory-uklady.json"))));
        window_ = std::make_unique<klasa::ClassWindow>(dir_->path(), &runner_);
        window_->show();
        QVERIFY(window_->newDiplomaFromDesign().isEmpty()); // nothing chosen yet
        QCOMPARE(platform_->errors().size(), 1);
        QString error;
        const QMap<int, uklady::DesignInfo> table = uklady::layoutTableFor(dir_->file(QStringLiteral("Wzory")), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        auto *gallery = window_->findChild<QListWidget *>(QStringLiteral("gallery"));
        for (const int number : {61, 107, 68, 50}) {
            for (int i = 0; i < gallery->count(); ++i)
                if (gallery->item(i)->data(Qt::UserRole).toInt() == number)
                    gallery->setCurrentRow(i);
            const uklady::DesignInfo &design = table[number];
            const QString path = window_->newDiplomaFromDesign();
            QVERIFY2(platform_->errors().size() == 1, qPrintable(platform_->errors().join('\n')));
            QCOMPARE(path, dir_->file(QStringLiteral("Dyplomy/") + design.title + QStringLiteral(".dyp")));
            QCOMPARE(window_->session().diplomaPath(), path);
            QCOMPARE(window_->session().templateNumber(), number);
            QCOMPARE(window_->session().pages().size(), 1);

            // The texts' ink: the page less the design alone.
            printing::PrintInput input = window_->session().pages()[0].input;
            // A landscape design turns the paper, and its texts lie in its landscape free area.
            QCOMPARE(window_->findChild<QCheckBox *>(QStringLiteral("landscape"))->isChecked(), design.landscape);
            constexpr int Dpi = 50;
            batch::SheetLayout paper;
            paper.landscape = design.landscape;
            const printing::SheetGeometry sheet = design.landscape ? batch::drawingGeometry(paper, Dpi)
                                                                   : printing::SheetGeometry::a4(Dpi);
            const QImage page = batch::pageImage(input, sheet, Dpi).convertToFormat(QImage::Format_RGB32);
            input.texts = editor::DiplomaTexts();
            const QImage bare = batch::pageImage(input, sheet, Dpi).convertToFormat(QImage::Format_RGB32);
            QRect ink;
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (page.pixel(x, y) != bare.pixel(x, y))
                        ink |= QRect(x, y, 1, 1);
            const batch::FreeArea free = batch::findFreeArea(input.picture);
            QVERIFY(free.found);
            const QRectF freePx(free.rect.x() * page.width(), free.rect.y() * page.height(),
                                free.rect.width() * page.width(), free.rect.height() * page.height());
            const QString where = QStringLiteral("nr %1: ink %2,%3 %4x%5, free %6,%7 %8x%9")
                                      .arg(number)
                                      .arg(ink.x())
                                      .arg(ink.y())
                                      .arg(ink.width())
                                      .arg(ink.height())
                                      .arg(freePx.x())
                                      .arg(freePx.y())
                                      .arg(freePx.width())
                                      .arg(freePx.height());
            QVERIFY2(!ink.isEmpty() && freePx.adjusted(-1, -1, 1, 1).contains(QRectF(ink)), qPrintable(where));
            // Heading above name above body, each inked.
            const QStringList shown =
                window_->findChild<QPlainTextEdit *>(QStringLiteral("diplomaTexts"))->toPlainText().split('\n');
            for (const uklady::SuggestedText &t : design.texts)
                if (t.role != QLatin1String("lead") && t.role != QLatin1String("body"))
                    QVERIFY2(shown.join(' ').contains(t.text),
                             qPrintable(shown.join('|') + QStringLiteral(" / ") + t.text));
        }
        // The second diploma of a design is a file of its own.
        const QString again = window_->newDiplomaFromDesign();
        QCOMPARE(QFileInfo(again).fileName(), table[50].title + QStringLiteral(" (2).dyp"));

        // The suggested name font is what the PDF embeds.
        const QString pdf = dir_->file(QStringLiteral("nowy.pdf"));
        platform_->saveAnswers.push_back(pdf);
        window_->savePdf();
        QVERIFY(QFileInfo::exists(pdf));
        const QString fonts = runTool(QStringLiteral("pdffonts"), {pdf}).toLower();
        for (const uklady::SuggestedText &t : table[50].texts) {
            const QString family = uklady::firstInstalledFont(t.fonts).toLower().remove(QLatin1Char(' '));
            QVERIFY2(fonts.contains(family), qPrintable(family + QStringLiteral(" not in\n") + fonts));
        }
    }

    // "Edytuj w edytorze" starts "dyplom PLIK.dyp" as found beside the
    // program or in PATH; no diploma, no editor, or a failed start is said.
    void editInTheEditor()
    {
        QVERIFY(!window_->editInEditor());
        QVERIFY(platform_->errors().last().contains(QStringLiteral("Najpierw")));
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(QDir().mkpath(dir_->file(QStringLiteral("bin"))));
        const QString editor = dir_->file(QStringLiteral("bin/dyplom"));
        writeBytes(editor, "#!/bin/sh\n");
        QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        window_->editorSearch = {dir_->file(QStringLiteral("pusty")), QString(), {dir_->file(QStringLiteral("bin"))}};
        QVERIFY(window_->editInEditor());
        QCOMPARE(platform_->started.size(), 1);
        QCOMPARE(platform_->started.last().program, editor);
        QCOMPARE(platform_->started.last().arguments, QStringList{dir_->file(QStringLiteral("Dyplomy/d.dyp"))});
        platform_->startSucceeds = false;
        QVERIFY(!window_->editInEditor());
        QVERIFY(platform_->errors().last().contains(QStringLiteral("Nie można uruchomić")));
        window_->editorSearch = {dir_->file(QStringLiteral("pusty")), QString(), {}};
        QVERIFY(!window_->editInEditor());
        QVERIFY2(platform_->errors().last().contains(QStringLiteral("Nie znaleziono edytora")),
                 qPrintable(platform_->errors().last()));
        QCOMPARE(platform_->started.size(), 2);
    }

    // A design is converted by dyplom-wzory in a process of its own: one that
    // needs more than that process's limits (here no CPU time at all) is
    // refused with the reason, and the window, its list and the catalogue
    // stay as they were.
    void aDesignOverItsLimitsLeavesTheWindowAlone()
    {
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        auto *gallery = window_->findChild<QListWidget *>(QStringLiteral("gallery"));
        const int before = gallery->count();
        const QString svg = qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/tests/wzory/probe.svg");
        platform_->openAnswers.push_back(svg);
        qputenv("DYPLOM_WZORY_CPU_S", "0");
        window_->addOwnTemplate();
        qunsetenv("DYPLOM_WZORY_CPU_S");
        QTRY_VERIFY_WITH_TIMEOUT(!window_->designImport().running(), 60000);
        QCOMPARE(platform_->errors().size(), 1);
        QVERIFY2(platform_->errors().first().startsWith(svg + QStringLiteral(": przerwano")),
                 qPrintable(platform_->errors().first()));
        QVERIFY2(platform_->errors().first().contains(QStringLiteral("limit czasu")),
                 qPrintable(platform_->errors().first()));
        QCOMPARE(gallery->count(), before);
        QCOMPARE(QDir(dir_->file(QStringLiteral("Wzory"))).entryList(QDir::Files).size(), before);
        QCOMPARE(window_->session().pages().size(), 6);
        // The button works again, and a program that cannot start is named.
        window_->designImport().program = dir_->file(QStringLiteral("nie-ma/dyplom-wzory"));
        platform_->openAnswers.push_back(svg);
        window_->addOwnTemplate();
        QTRY_COMPARE_WITH_TIMEOUT(platform_->errors().size(), 2, 10000);
        QVERIFY2(platform_->errors().last().contains(QStringLiteral("dyplom-wzory")),
                 qPrintable(platform_->errors().last()));
        QVERIFY(!window_->designImport().running());
    }

    // A damaged diploma and a refused list are named with their reason and
    // change nothing.
    void badInputChangesNothing()
    {
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        writeBytes(dir_->file(QStringLiteral("zly.dyp")), QByteArray(100, 'x'));
        QVERIFY(!window_->loadDiploma(dir_->file(QStringLiteral("zly.dyp"))));
        QVERIFY(platform_->errors().last().startsWith(dir_->file(QStringLiteral("zly.dyp"))
                                                      + QStringLiteral(": uszkodzony")));
        writeBytes(dir_->file(QStringLiteral("zla.csv")), QByteArray("a;b\n") + QByteArray(10, '\0'));
        const bool listRead = window_->loadList(dir_->file(QStringLiteral("nie-ma.csv")));
        QVERIFY(!listRead);
        QVERIFY(platform_->errors().last().contains(QStringLiteral("nie-ma.csv")));
        // A folder that cannot be: the file below a file.
        const QString nowhere = dir_->file(QStringLiteral("klasa-3a.csv/wynik.pdf"));
        platform_->saveAnswers.push_back(nowhere);
        window_->savePdf();
        QVERIFY2(platform_->errors().last().startsWith(nowhere + QStringLiteral(": ")),
                 qPrintable(platform_->errors().last()));
        QCOMPARE(window_->findChild<QLabel *>(QStringLiteral("result"))->text(), QStringLiteral("Nie zapisano."));
        QCOMPARE(window_->session().diplomaPath(), dir_->file(QStringLiteral("Dyplomy/d.dyp")));
        QCOMPARE(window_->session().pages().size(), 6);
        QCOMPARE(window_->windowTitle(), QStringLiteral("klasa-3a.csv")); // the program's name is Qt's to add
    }

    // A problem line leads to its page; a diploma changed on disk is read
    // again; column meanings and options come back for the same layout.
    void problemsFileChangesAndRememberedChoices()
    {
        writeBytes(dir_->file(QStringLiteral("dup.csv")),
                   "Imię;Nazwisko;Klasa;Ocena\nAnna;Nowak;3a;x\nJan;Kos;3a;y\nAnna;Nowak;3a;z\n");
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("dup.csv"))));
        auto *problems = window_->findChild<QListWidget *>(QStringLiteral("problems"));
        QListWidgetItem *duplicate = nullptr;
        for (int i = 0; i < problems->count(); ++i)
            if (problems->item(i)->text().contains(QStringLiteral("powtórzone")))
                duplicate = problems->item(i);
        QVERIFY(duplicate);
        QVERIFY2(duplicate->text().startsWith(QStringLiteral("str. 1: ")), qPrintable(duplicate->text()));
        window_->showPage(2);
        emit problems->itemActivated(duplicate);
        QCOMPARE(window_->currentPage(), 0);

        window_->chooseColumn(3, {klasa::ColumnChoice::Ignored, 0, {}});
        window_->findChild<QCheckBox *>(QStringLiteral("shrink"))->setChecked(true);
        window_->findChild<QCheckBox *>(QStringLiteral("textBackground"))->setChecked(false);
        QVERIFY(!window_->session().pages()[0].input.textBackground);

        writeDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp")), QStringLiteral("Nowy nagłówek"),
                     QStringLiteral("klasa {Klasa}"));
        QTRY_VERIFY(window_->findChild<QPlainTextEdit *>(QStringLiteral("diplomaTexts"))
                        ->toPlainText()
                        .contains(QStringLiteral("Nowy nagłówek")));
        QCOMPARE(window_->session().pages()[0].input.texts.heading, QStringLiteral("Nowy nagłówek"));

        window_.reset();
        window_ = std::make_unique<klasa::ClassWindow>(dir_->path(), &runner_);
        QVERIFY(window_->findChild<QCheckBox *>(QStringLiteral("shrink"))->isChecked());
        QVERIFY(!window_->findChild<QCheckBox *>(QStringLiteral("textBackground"))->isChecked());
        platform_->openAnswers.push_back(dir_->file(QStringLiteral("Dyplomy/d.dyp")));
        window_->openDiplomaDialog();
        QCOMPARE(platform_->fileDialogs.last().initialFolder, dir_->file(QStringLiteral("Dyplomy")));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv")))); // the same header
        QCOMPARE(window_->columnCombo(3)->currentText(), QStringLiteral("pomiń"));
    }

    // One question for the files a folder would have replaced; the print
    // dialog's printer, range and copies reach the queue as PDF jobs.
    void separateFilesAndPrintJob()
    {
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        const QString folder = dir_->file(QStringLiteral("osobno"));
        QDir().mkpath(folder);
        writeBytes(folder + QStringLiteral("/Uczeń1 Nowak1.pdf"), "earlier 1");
        writeBytes(folder + QStringLiteral("/Uczeń2 Nowak2.pdf"), "earlier 2");
        platform_->saveAnswers.push_back(folder);
        platform_->answers.push_back(false);
        window_->saveSeparate();
        QCOMPARE(platform_->texts(QStringLiteral("ask")).size(), 1);
        QVERIFY2(platform_->texts(QStringLiteral("ask")).last().contains(QStringLiteral("są już 2 pliki")),
                 qPrintable(platform_->texts(QStringLiteral("ask")).last()));
        QCOMPARE(readBytes(folder + QStringLiteral("/Uczeń1 Nowak1.pdf")), QByteArray("earlier 1"));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2);
        platform_->saveAnswers.push_back(folder);
        platform_->answers.push_back(true);
        window_->saveSeparate();
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 6);
        QCOMPARE(pageTexts(folder + QStringLiteral("/Uczeń1 Nowak1.pdf")).size(), 1);
        QCOMPARE(window_->findChild<QLabel *>(QStringLiteral("result"))->text(),
                 QStringLiteral("Zapisano 6 dyplomów w folderze osobno"));

        QStringList jobs;
        window_->printSubmit = [&](const QString &printer, const QString &pdf, const QString &title) {
            jobs.append(QStringLiteral("%1 %2 %3").arg(printer, title).arg(pageTexts(pdf).size()));
        };
        platform_->printAnswers.push_back(true);
        QString queue; // the system's first queue when sala-12 is unknown
        platform_->preparePrinter = [&](QPrinter &printer) {
            printer.setPrinterName(QStringLiteral("sala-12"));
            queue = printer.printerName();
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 4);
            printer.setCopyCount(2);
        };
        window_->printPages();
        if (queue.isEmpty())
            QSKIP("no print system to name a queue in");
        QCOMPARE(jobs, QStringList{queue + QStringLiteral(" d.dyp 6")}); // one job, the copies in it
    }

    // The folder of separate files: a missing one is made on Tak only; one
    // that cannot be written, or a file in it that cannot be replaced, is
    // said before the replace question and nothing is written; files named
    // surname first as the register sorts, after a restart too; a folder
    // that nothing can open is said.
    void separateFilesFolderAndNames()
    {
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        const QString folder = dir_->file(QStringLiteral("nowy/osobno"));
        platform_->saveAnswers.push_back(folder);
        platform_->answers.push_back(false);
        window_->saveSeparate();
        QCOMPARE(platform_->texts(QStringLiteral("ask")),
                 QStringList{QStringLiteral("Folder %1 nie istnieje. Utworzyć go?").arg(folder)});
        QVERIFY(!QFileInfo::exists(dir_->file(QStringLiteral("nowy"))));

        auto *order = window_->findChild<QComboBox *>(QStringLiteral("nameOrder"));
        QCOMPARE(order->currentText(), QStringLiteral("Imię Nazwisko.pdf"));
        order->setCurrentIndex(1);
        emit order->activated(1);
        platform_->saveAnswers.push_back(folder);
        platform_->answers.push_back(true);
        window_->saveSeparate();
        const QString first = folder + QStringLiteral("/Nowak1 Uczeń1.pdf");
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 6);
        QCOMPARE(pageTexts(first).size(), 1);

        const QByteArray before = readBytes(first);
        const int asked = int(platform_->texts(QStringLiteral("ask")).size());
        for (const auto &[path, mode, error] :
             {std::tuple{first, 0444, QStringLiteral("/Nowak1 Uczeń1.pdf: brak dostępu do pliku")},
              std::tuple{folder, 0555, QStringLiteral(": folder tylko do odczytu")}}) {
            QVERIFY(letOthersIn(path, mode));
            platform_->saveAnswers.push_back(folder);
            platform_->answers.push_back(true);
            window_->saveSeparate();
            QVERIFY(letOthersIn(path, path == first ? 0644 : 0755));
            QVERIFY2(platform_->errors().last().startsWith(folder + error), qPrintable(platform_->errors().last()));
            QCOMPARE(platform_->texts(QStringLiteral("ask")).size(), asked);
            QCOMPARE(readBytes(first), before);
            QCOMPARE(window_->findChild<QLabel *>(QStringLiteral("result"))->text(), QString());
            QCOMPARE(window_->session().rowCount(), 6);
        }

        window_.reset();
        window_ = std::make_unique<klasa::ClassWindow>(dir_->path(), &runner_);
        QCOMPARE(window_->findChild<QComboBox *>(QStringLiteral("nameOrder"))->currentIndex(), 1);
        writeDiploma(dir_->file(QStringLiteral("Dyplomy/bez.dyp")), QStringLiteral("Dyplom"),
                     QStringLiteral("za wyniki"));
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/bez.dyp"))));
        QApplication::clipboard()->setText(QStringLiteral("Anna Maria Nowak\nJan Kowalski\n"));
        QVERIFY(window_->pasteFromClipboard());
        const QString pasted = dir_->file(QStringLiteral("wklejone"));
        QDir().mkpath(pasted);
        platform_->saveAnswers.push_back(pasted);
        window_->saveSeparate();
        QCOMPARE(QDir(pasted).entryList(QDir::Files),
                 (QStringList{QStringLiteral("Kowalski Jan.pdf"), QStringLiteral("Nowak Anna Maria.pdf")}));
    }

    // Pre-printed paper: the PDF and the print job lose the template, the
    // preview keeps it as a guide; the tick belongs to the diploma, after a
    // restart too.
    void preprintedPaperLeavesTheTemplateToThePaper()
    {
        const QString diploma = dir_->file(QStringLiteral("Dyplomy/d.dyp"));
        QVERIFY(window_->loadDiploma(diploma));
        const QImage preview = window_->previewImage();
        auto *textOnly = window_->findChild<QCheckBox *>(QStringLiteral("textOnly"));
        QVERIFY(!textOnly->isChecked());
        const QString full = dir_->file(QStringLiteral("pelny.pdf")), bare = dir_->file(QStringLiteral("teksty.pdf"));
        platform_->saveAnswers.push_back(full);
        window_->savePdf();
        textOnly->click();
        QCOMPARE(window_->previewImage(), preview);
        platform_->saveAnswers.push_back(bare);
        window_->savePdf();
        QCOMPARE(pageTexts(bare), pageTexts(full));
        const QRect page(0, 0, 10000, 10000);
        const double fullInk = inkShare(renderPage(full, 1, 30), page);
        QVERIFY2(inkShare(renderPage(bare, 1, 30), page) < fullInk / 3, qPrintable(QString::number(fullInk)));

        QString job;
        window_->printSubmit = [&](const QString &, const QString &pdf, const QString &) {
            job = dir_->file(QStringLiteral("zadanie.pdf"));
            QFile::copy(pdf, job);
        };
        platform_->printAnswers.push_back(true);
        platform_->preparePrinter = [](QPrinter &printer) {
            printer.setPrinterName(QStringLiteral("sala-12"));
            printer.setOutputFormat(QPrinter::NativeFormat);
        };
        window_->printPages();
        if (!job.isEmpty()) // a print system to name a queue in
            QVERIFY(inkShare(renderPage(job, 1, 30), page) < fullInk / 3);

        window_ = std::make_unique<klasa::ClassWindow>(dir_->path(), &runner_);
        QVERIFY(window_->loadDiploma(diploma));
        textOnly = window_->findChild<QCheckBox *>(QStringLiteral("textOnly"));
        QVERIFY(textOnly->isChecked());
        const QString other = dir_->file(QStringLiteral("Dyplomy/inny.dyp"));
        writeDiploma(other, QStringLiteral("Inny"), QString());
        QVERIFY(window_->loadDiploma(other));
        QVERIFY(!textOnly->isChecked());
    }

    // Paper and diplomas per sheet reach the saved PDF and are remembered;
    // a layout no sheet holds is refused with its reason, nothing written.
    void paperChoicesReachThePlan()
    {
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        auto *paper = window_->findChild<QComboBox *>(QStringLiteral("paper"));
        auto *perSheet = window_->findChild<QComboBox *>(QStringLiteral("perSheet"));
        paper->setCurrentText(QStringLiteral("A5"));
        perSheet->setCurrentText(QStringLiteral("2"));
        const QString sheets = dir_->file(QStringLiteral("arkusze.pdf"));
        platform_->saveAnswers.push_back(sheets);
        window_->savePdf();
        const QString info = runTool(QStringLiteral("pdfinfo"), {sheets});
        QVERIFY2(info.contains(QStringLiteral("595.276 x 841.89 pts (A4)"))
                     && info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))),
                 qPrintable(info)); // six pupils, two to a sheet

        window_ = std::make_unique<klasa::ClassWindow>(dir_->path(), &runner_);
        QCOMPARE(window_->findChild<QComboBox *>(QStringLiteral("paper"))->currentText(), QStringLiteral("A5"));
        perSheet = window_->findChild<QComboBox *>(QStringLiteral("perSheet"));
        QCOMPARE(perSheet->currentText(), QStringLiteral("2"));
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        window_->findChild<QComboBox *>(QStringLiteral("paper"))->setCurrentText(QStringLiteral("Letter"));
        const QString refused = dir_->file(QStringLiteral("letter.pdf"));
        platform_->saveAnswers.push_back(refused);
        window_->savePdf();
        QVERIFY2(platform_->errors().value(0).contains(QStringLiteral("dyplomy Letter nie mieszczą się po 2")),
                 qPrintable(platform_->errors().join('\n')));
        QVERIFY(!QFile::exists(refused));
    }

    // "Kalibracja drukarki…": the stored shift shown, saved, printed through
    // on the calibration sheet and on a print job (never on a PDF file), and
    // reset.
    void calibrationDialogStoresTheShiftOfAQueue()
    {
        const CupsPdfQueue queue = setUpCupsPdfQueue(QStringLiteral("DyplomPDF"));
        if (!queue.skipReason.isEmpty())
            QSKIP(qPrintable(queue.skipReason));
        batch::CalibrationStore().remove(QStringLiteral("DyplomPDF"));
        QStringList sent;
        window_->printSubmit = [&](const QString &, const QString &pdf, const QString &) {
            sent.append(dir_->file(QStringLiteral("zadanie-%1.pdf").arg(sent.size())));
            QFile::copy(pdf, sent.last());
        };
        // The diploma as a file and on the queue before any calibration.
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        window_->findChild<QCheckBox *>(QStringLiteral("textOnly"))->click();
        const auto toFileAndQueue = [&](const QString &file) {
            platform_->saveAnswers.push_back(file);
            window_->savePdf();
            platform_->printAnswers.push_back(true);
            platform_->preparePrinter = [](QPrinter &printer) {
                printer.setPrinterName(QStringLiteral("DyplomPDF"));
                printer.setOutputFormat(QPrinter::NativeFormat);
            };
            window_->printPages();
        };
        toFileAndQueue(dir_->file(QStringLiteral("przed.pdf")));

        QStringList shown;
        platform_->dialogDriver = [&](QDialog &dialog) {
            dialog.findChild<QComboBox *>(QStringLiteral("queue"))->setCurrentText(QStringLiteral("DyplomPDF"));
            const auto *stored = dialog.findChild<QLabel *>(QStringLiteral("stored"));
            shown.append(stored->text());
            dialog.findChild<QDoubleSpinBox *>(QStringLiteral("x"))->setValue(1.5);
            dialog.findChild<QDoubleSpinBox *>(QStringLiteral("y"))->setValue(-2);
            dialog.findChild<QPushButton *>(QStringLiteral("save"))->click();
            shown.append(stored->text());
            dialog.findChild<QPushButton *>(QStringLiteral("printSheet"))->click();
            return int(QDialog::Rejected);
        };
        QAction *item = nullptr;
        for (QAction *a : window_->menuBar()->findChildren<QAction *>())
            if (a->text() == QStringLiteral("&Kalibracja drukarki…"))
                item = a;
        QVERIFY(item);
        item->trigger();
        QCOMPARE(shown, (QStringList{QStringLiteral("brak (wydruki na tej drukarce nie są przesuwane)"),
                                     QStringLiteral("X 1,5 mm, Y -2 mm")}));
        QVERIFY(platform_->errors().isEmpty());
        QCOMPARE(batch::CalibrationStore().find(QStringLiteral("DyplomPDF"))->yMm, -2.0);
        QCOMPARE(sent.size(), 2);
        const QPointF cross = crossCentreMm(renderPage(sent[1], 1, 200), 200, QRectF(70, 115, 70, 70));
        QVERIFY2(QLineF(cross, QPointF(103.5, 150.5)).length() < 0.3,
                 qPrintable(QStringLiteral("%1 %2").arg(cross.x()).arg(cross.y())));

        // The job moves as the sheet did; the file does not.
        toFileAndQueue(dir_->file(QStringLiteral("po.pdf")));
        QCOMPARE(sent.size(), 3);
        const QRectF whole(0, 0, 210, 297);
        const auto inkAt = [&](const QString &pdf) { return inkBoundsMm(renderPage(pdf, 1, 200), 200, whole).topLeft(); };
        const QPointF moved = inkAt(sent[2]) - inkAt(sent[0]);
        QVERIFY2(QLineF(moved, QPointF(-1.5, 2)).length() < 0.3,
                 qPrintable(QStringLiteral("%1 %2").arg(moved.x()).arg(moved.y())));
        QCOMPARE(inkAt(dir_->file(QStringLiteral("po.pdf"))), inkAt(dir_->file(QStringLiteral("przed.pdf"))));

        platform_->dialogDriver = [&](QDialog &dialog) {
            dialog.findChild<QComboBox *>(QStringLiteral("queue"))->setCurrentText(QStringLiteral("DyplomPDF"));
            dialog.findChild<QPushButton *>(QStringLiteral("reset"))->click();
            shown.append(dialog.findChild<QLabel *>(QStringLiteral("stored"))->text());
            return int(QDialog::Rejected);
        };
        item->trigger();
        QCOMPARE(shown.last(), QStringLiteral("brak (wydruki na tej drukarce nie są przesuwane)"));
        QVERIFY(!batch::CalibrationStore().find(QStringLiteral("DyplomPDF")));
    }

    // Pages 2–3 and 2 copies on a real cups-pdf queue: one job of 4 pages,
    // collated; a sheet other than A4 is refused with the reason, nothing sent.
    void printDialogChoicesReachTheQueue()
    {
        const CupsPdfQueue queue = setUpCupsPdfQueue(QStringLiteral("DyplomPDF"));
        if (!queue.skipReason.isEmpty())
            QSKIP(qPrintable(queue.skipReason));
        QCOMPARE(queue.status, 0);
        const QDir out(queue.outDir);
        const QStringList before = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        QStringList jobs;
        window_->printSubmit = [&](const QString &printer, const QString &pdf, const QString &title) {
            jobs.append(printer);
            batch::sendToPrinter(printer, pdf, title);
        };
        QPageSize::PageSizeId paper = QPageSize::A5;
        platform_->preparePrinter = [&](QPrinter &printer) {
            printer.setPrinterName(QStringLiteral("DyplomPDF"));
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPageSize(QPageSize(paper));
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 3);
            printer.setCopyCount(2);
            printer.setCollateCopies(true);
        };
        platform_->printAnswers.push_back(true);
        window_->printPages();
        QVERIFY(jobs.isEmpty());
        QVERIFY2(platform_->errors().value(0).contains(QStringLiteral("papier A5")),
                 qPrintable(platform_->errors().join('\n')));

        paper = QPageSize::A4;
        platform_->printAnswers.push_back(true);
        window_->printPages();
        QCOMPARE(jobs, QStringList{QStringLiteral("DyplomPDF")});
        QCOMPARE(window_->findChild<QLabel *>(QStringLiteral("result"))->text(),
                 QStringLiteral("Wysłano 2 dyplomy (2 egzemplarze) do drukarki DyplomPDF"));
        const QString produced = awaitNewPdf(out, before);
        QVERIFY2(!produced.isEmpty(), "cups-pdf wrote no PDF");
        const QStringList pages = pageTexts(produced);
        QCOMPARE(pages.size(), 4); // cups-pdf's text is not searchable: the order is pagesToPrint's test
    }

    // Pages asked for one after another: the last request is the one shown,
    // whichever drawing ends first.
    void newestPreviewWins()
    {
        HeldRunner held;
        window_ = std::make_unique<klasa::ClassWindow>(dir_->path(), &held);
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        // The pages are made on the runner too.
        for (int i = 0; i < held.held.size(); ++i)
            held.finish(i);
        const int before = int(held.held.size());
        window_->showPage(1);
        window_->showPage(4);
        QCOMPARE(held.held.size(), before + 2);
        held.finish(before + 1);
        const QImage newest = window_->previewImage();
        QVERIFY(!newest.isNull());
        held.finish(before); // the older one ends late and is dropped
        QCOMPARE(window_->previewImage(), newest);
        QCOMPARE(newest, batch::pageImage(window_->session().pages()[4].input, printing::SheetGeometry::a4(600),
                                          klasa::ClassWindow::PreviewDpi));
        window_.reset(); // before the runner
    }

    // Each dialog starts in the folder last used for its kind of file, also
    // after a restart; before any, in the diplomas' folder.
    void foldersAreOfferedAfterARestart()
    {
        const QString lists = dir_->file(QStringLiteral("rejestr"));
        const QString out = dir_->file(QStringLiteral("wydruki"));
        QDir().mkpath(lists);
        QDir().mkpath(out);
        QVERIFY(QFile::copy(dir_->file(QStringLiteral("klasa-3a.csv")), lists + QStringLiteral("/klasa-3a.csv")));
        window_->openListDialog();
        QCOMPARE(platform_->fileDialogs.last().initialFolder, dir_->file(QStringLiteral("Dyplomy")));
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        platform_->openAnswers.push_back(lists + QStringLiteral("/klasa-3a.csv"));
        window_->openListDialog();
        QCOMPARE(window_->listModel().rowCount(), 6);
        platform_->saveAnswers.push_back(out + QStringLiteral("/k.pdf"));
        window_->savePdf();
        QVERIFY(QFileInfo::exists(out + QStringLiteral("/k.pdf")));

        window_.reset();
        window_ = std::make_unique<klasa::ClassWindow>(dir_->path(), &runner_);
        window_->openListDialog();
        QCOMPARE(platform_->fileDialogs.last().initialFolder, lists);
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        window_->savePdf();
        QCOMPARE(platform_->fileDialogs.last().initialFolder, out);
        window_->openDiplomaDialog();
        QCOMPARE(platform_->fileDialogs.last().initialFolder, dir_->file(QStringLiteral("Dyplomy")));
    }

    // A new list starts at page 1; a row clicked shows its page and a
    // problem leads to its row; the same shrinking on many pages is one line;
    // counts take the verb their number asks for; "Nie" clears an old status.
    void listPagesAndProblemsFollowEachOther()
    {
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        window_->showPage(4);
        auto *table = window_->findChild<QTableView *>(QStringLiteral("listTable"));
        table->selectionModel()->setCurrentIndex(window_->listModel().index(2, 0), QItemSelectionModel::ClearAndSelect);
        QCOMPARE(window_->currentPage(), 2);
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        QCOMPARE(window_->currentPage(), 0);

        QByteArray csv = "Imię;Nazwisko;Klasa\n";
        for (int i = 0; i < 5; ++i)
            csv += "Aleksandra;Wierzchowska-Brzęczyszczykiewiczówna;3a\n";
        writeBytes(dir_->file(QStringLiteral("dlugie.csv")), csv);
        window_->findChild<QCheckBox *>(QStringLiteral("shrink"))->setChecked(true);
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("dlugie.csv"))));
        const QStringList shrunk = problemTexts().filter(QStringLiteral("zmniejszono: "));
        QCOMPARE(shrunk.size(), 1);
        QVERIFY2(shrunk.first().endsWith(QStringLiteral("pt (w 5 rekordach)")), qPrintable(shrunk.first()));
        // "powtórzone" names rows 2…6: it leads to the first, page 1, row 1.
        auto *problems = window_->findChild<QListWidget *>(QStringLiteral("problems"));
        QListWidgetItem *repeated = nullptr;
        for (int i = 0; i < problems->count(); ++i)
            if (problems->item(i)->text().contains(QStringLiteral("powtórzone")))
                repeated = problems->item(i);
        QVERIFY(repeated);
        window_->showPage(3);
        table->clearSelection();
        emit problems->itemActivated(repeated);
        QCOMPARE(window_->currentPage(), 0);
        QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 0);

        // A repeated header and an empty name make no page: not ticked.
        writeBytes(dir_->file(QStringLiteral("pominiete.csv")),
                   "Imię;Nazwisko;Klasa\nAnna;Nowak;3a\nImię;Nazwisko;Klasa\n;;3a\nJan;Kowalski;3a\n");
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("pominiete.csv"))));
        QList<bool> ticks;
        for (int r = 0; r < window_->listModel().rowCount(); ++r)
            ticks.append(window_->listModel().index(r, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked);
        QCOMPARE(ticks, (QList<bool>{true, false, false, true}));

        // Twelve unknown columns: their combos scroll, the window keeps its width.
        const int width = window_->width();
        writeBytes(dir_->file(QStringLiteral("szeroka.csv")),
                   "dla;Pierwsza kolumna;Druga kolumna;Trzecia kolumna;Czwarta kolumna;Piąta kolumna;Szósta kolumna;"
                   "Siódma kolumna;Ósma kolumna;Dziewiąta kolumna;Dziesiąta kolumna;Jedenasta kolumna;Dwunasta\n"
                   "Anna Nowak;1;2;3;4;5;6;7;8;9;10;11;12\n");
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("szeroka.csv"))));
        QVERIFY(window_->columnCombo(12));
        QCoreApplication::processEvents();
        QCOMPARE(window_->width(), width);

        const QString folder = dir_->file(QStringLiteral("osobno"));
        QDir().mkpath(folder);
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        platform_->saveAnswers.push_back(folder);
        window_->saveSeparate();
        QVERIFY(window_->findChild<QLabel *>(QStringLiteral("result"))->text().startsWith(QStringLiteral("Zapisano")));
        platform_->saveAnswers.push_back(folder);
        platform_->answers.push_back(false);
        window_->saveSeparate();
        QVERIFY2(platform_->texts(QStringLiteral("ask")).last().contains(QStringLiteral("jest już 6 plików")),
                 qPrintable(platform_->texts(QStringLiteral("ask")).last()));
        QCOMPARE(window_->findChild<QLabel *>(QStringLiteral("result"))->text(), QString());
    }

    // A list is read on a worker behind a busy sign; the window shows it
    // when the reading ends, and a list that cannot be read is named then.
    void listIsReadOffTheGuiThread()
    {
        HeldRunner held;
        window_ = std::make_unique<klasa::ClassWindow>(dir_->path(), &held);
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        QVERIFY(window_->readingList());
        QVERIFY(QApplication::overrideCursor());
        QVERIFY(window_->findChild<QLabel *>(QStringLiteral("countsLabel"))
                    ->text()
                    .startsWith(QStringLiteral("Wczytywanie listy")));
        QCOMPARE(window_->listModel().rowCount(), 0);
        held.finish(int(held.held.size()) - 1);
        QVERIFY(!window_->readingList());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(window_->listModel().rowCount(), 6);

        QVERIFY(window_->loadList(dir_->file(QStringLiteral("nie-ma.csv"))));
        QVERIFY(platform_->errors().isEmpty());
        held.finish(int(held.held.size()) - 1);
        QCOMPARE(platform_->errors().size(), 1);
        QVERIFY(platform_->errors().first().contains(QStringLiteral("nie-ma.csv")));
        QCOMPARE(window_->listModel().rowCount(), 6);
        QVERIFY(!QApplication::overrideCursor());
        window_.reset(); // before the runner
    }

    // Every control has its own Alt key: two of one letter would make the
    // second unreachable by keyboard.
    void acceleratorsAreUnique()
    {
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        const auto letterOf = [](const QString &text) {
            for (int i = 0; i + 1 < text.size(); ++i)
                if (text[i] == QLatin1Char('&'))
                    return text[i + 1] == QLatin1Char('&') ? QChar() : text[i + 1].toLower();
            return QChar();
        };
        QHash<QChar, QString> taken;
        QStringList clashes;
        const auto add = [&](const QString &text) {
            const QChar c = letterOf(text);
            if (c.isNull())
                return;
            if (taken.contains(c))
                clashes.append(taken[c] + QStringLiteral(" / ") + text);
            taken.insert(c, text);
        };
        for (QAction *menu : window_->menuBar()->actions())
            add(menu->text());
        for (QAbstractButton *b : window_->findChildren<QAbstractButton *>())
            add(b->text());
        for (QLabel *l : window_->findChildren<QLabel *>())
            if (l->buddy() && !qobject_cast<QComboBox *>(l->buddy()))
                add(l->text());
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QStringLiteral("; "))));
        QVERIFY(taken.size() >= 15);
    }

    // The program's own pools: the preview, the gallery and a save arrive
    // on the GUI thread while the window goes on answering.
    void threadsOfTheProgram()
    {
        window_ = std::make_unique<klasa::ClassWindow>(dir_->path());
        window_->show();
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        // Generous waits: the machine's cores are shared. The list is read
        // on a worker: until its pages come, the diploma alone is page 1.
        QTRY_VERIFY_WITH_TIMEOUT(
            !window_->readingList() && !window_->building() && window_->session().pages().size() == 6, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!window_->previewImage().isNull(), 30000);
        window_->showPage(3);
        QTRY_COMPARE_WITH_TIMEOUT(window_->previewImage(),
                                  batch::pageImage(window_->session().pages()[3].input,
                                                   printing::SheetGeometry::a4(600), klasa::ClassWindow::PreviewDpi),
                                  30000);
        auto *gallery = window_->findChild<QListWidget *>(QStringLiteral("gallery"));
        QTRY_VERIFY_WITH_TIMEOUT(!gallery->item(gallery->count() - 1)->icon().isNull(), 30000);
        const QString pdf = dir_->file(QStringLiteral("watki.pdf"));
        platform_->saveAnswers.push_back(pdf);
        window_->savePdf();
        QVERIFY(window_->busy());
        QTRY_VERIFY_WITH_TIMEOUT(!window_->busy(), 60000);
        QCOMPARE(window_->findChild<QLabel *>(QStringLiteral("result"))->text(),
                 QStringLiteral("Zapisano 6 dyplomów w watki.pdf"));
        QCOMPARE(pageTexts(pdf).size(), 6);
    }

    // A contest from one list: the dialog's table gives places their own
    // diploma and everyone else the open one, numbered and dated, in one
    // PDF; a rule whose diploma cannot be read changes nothing.
    void kindsOfDiplomaInOnePdf()
    {
        const QString place = dir_->file(QStringLiteral("Dyplomy/miejsce.dyp"));
        writeDiploma(place, QStringLiteral("Miejsce {Miejsce}"), QStringLiteral("Nr {Nr}, {Data}"));
        writeDiploma(dir_->file(QStringLiteral("Dyplomy/udzial.dyp")), QStringLiteral("Za udział"),
                     QStringLiteral("Nr {Nr}"));
        writeBytes(dir_->file(QStringLiteral("konkurs.csv")),
                   "Imię;Nazwisko;Miejsce\nAnna;Nowak;1\nJan;Kos;\nOla;Lis;2\n");
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/udzial.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("konkurs.csv"))));

        klasa::KindsDialog dialog(window_->session().effectiveTable().rows.value(0), window_->session().ceremony(),
                                  dir_->file(QStringLiteral("Dyplomy")));
        auto *column = dialog.findChild<QComboBox *>(QStringLiteral("kindColumn"));
        column->setCurrentIndex(column->findText(QStringLiteral("Miejsce")));
        platform_->openAnswers.push_back(place);
        dialog.chooseDiploma();
        QCOMPARE(platform_->fileDialogs.last().initialFolder, dir_->file(QStringLiteral("Dyplomy")));
        dialog.findChild<QTableWidget *>(QStringLiteral("kindRules"))->item(0, 0)->setText(QStringLiteral("1,2"));
        dialog.findChild<QSpinBox *>(QStringLiteral("firstNumber"))->setValue(14);
        dialog.findChild<QLineEdit *>(QStringLiteral("diplomaDate"))->setText(QStringLiteral("2026-06-19"));
        QVERIFY(window_->setCeremony(dialog.ceremony()));

        const QString pdf = dir_->file(QStringLiteral("konkurs.pdf"));
        platform_->saveAnswers.push_back(pdf);
        window_->savePdf();
        const QStringList pages = pageTexts(pdf);
        QCOMPARE(pages.size(), 3);
        QVERIFY2(pages[0].contains(QStringLiteral("Miejsce 1"))
                     && pages[0].contains(QStringLiteral("Nr 14, 19 czerwca 2026")),
                 qPrintable(pages[0]));
        QVERIFY2(pages[1].contains(QStringLiteral("Za udział")) && pages[1].contains(QStringLiteral("Nr 15")),
                 qPrintable(pages[1]));
        QVERIFY2(pages[2].contains(QStringLiteral("Miejsce 2")) && pages[2].contains(QStringLiteral("Ola Lis")),
                 qPrintable(pages[2]));

        klasa::Ceremony broken = window_->session().ceremony();
        broken.rules.append({QStringLiteral("wyróżnienie"), dir_->file(QStringLiteral("Dyplomy/brak.dyp"))});
        QVERIFY(!window_->setCeremony(broken));
        QVERIFY(platform_->errors().last().contains(QStringLiteral("brak.dyp")));
        QCOMPARE(window_->session().ceremony().rules.size(), 1);
    }

    // A register's title above its header is skipped and said; a list
    // without a header gets its columns' meanings from the combos, and
    // skipping a column is no error about the command line.
    void titleRowAndColumnMeanings()
    {
        writeDiploma(dir_->file(QStringLiteral("Dyplomy/bez.dyp")), QStringLiteral("Dyplom"),
                     QStringLiteral("za wyniki"));
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/bez.dyp"))));
        writeBytes(dir_->file(QStringLiteral("eksport.csv")),
                   platform::toCp1250(QStringLiteral("Lista uczniów klasy 3b;;\nLp.;Nazwisko;Imię\n"
                                                     "1;Żółkiewska;Łucja\n2;Nowak;Jan\n")));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("eksport.csv"))));
        auto *header = window_->findChild<QSpinBox *>(QStringLiteral("headerRow"));
        QCOMPARE(header->value(), 2);
        QCOMPARE(window_->session().pages().size(), 2);
        QCOMPARE(window_->session().pages()[0].input.texts.recipient, QStringLiteral("Łucja Żółkiewska"));
        QCOMPARE(window_->session().pages()[1].input.texts.recipient, QStringLiteral("Jan Nowak"));
        QVERIFY2(problemTexts().join('\n').contains(QStringLiteral(
                     "eksport.csv: wiersz 1 nad nagłówkiem (wiersz 2) pominięty: „Lista uczniów klasy 3b”")),
                 qPrintable(problemTexts().join('\n')));
        header->setValue(0); // the user says: no header
        QCOMPARE(window_->session().rowCount(), 4);

        writeBytes(dir_->file(QStringLiteral("sami.csv")), "Żółkiewska;Łucja;3b\nNowak;Jan;3b\n");
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("sami.csv"))));
        QCOMPARE(header->value(), 0);
        QVERIFY(window_->columnCombo(0));
        QVERIFY(window_->columnCombo(0)->findText(QStringLiteral("imię")) >= 0);
        QVERIFY(window_->columnCombo(0)->findText(QStringLiteral("nazwisko")) >= 0);
        window_->chooseColumn(0, {klasa::ColumnChoice::Ignored, 0, {}});
        for (const QString &p : problemTexts())
            QVERIFY2(!p.contains(QStringLiteral("--")) && !p.contains(QStringLiteral("nagłówkiem")), qPrintable(p));
        QVERIFY(!window_->session().blocked());
        window_->chooseColumn(0, {klasa::ColumnChoice::Surname, 0, {}});
        window_->chooseColumn(1, {klasa::ColumnChoice::FirstName, 0, {}});
        window_->chooseColumn(2, {klasa::ColumnChoice::Ignored, 0, {}});
        QCOMPARE(window_->session().pages().size(), 2);
        QCOMPARE(window_->session().pages()[0].input.texts.recipient, QStringLiteral("Łucja Żółkiewska"));
        QVERIFY2(problemTexts().isEmpty(), qPrintable(problemTexts().join('\n')));
    }

    // A fixed cell is not lost without a question: quitting, opening or
    // pasting another list asks; cancel keeps everything, save writes the
    // CSV first, and a saved list asks no more.
    void editedListAsksBeforeItGoes()
    {
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("Dyplomy/d.dyp"))));
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        QVERIFY(window_->close()); // nothing edited: no question
        QVERIFY(platform_->texts(QStringLiteral("choose")).isEmpty());
        window_->show();
        window_->listModel().setData(window_->listModel().index(0, 1), QStringLiteral("Kowalska"), Qt::EditRole);

        QAction *quit = nullptr;
        for (QAction *a : window_->findChildren<QAction *>())
            if (a->shortcut() == QKeySequence(QStringLiteral("Ctrl+Q")))
                quit = a;
        QVERIFY(quit);
        quit->trigger(); // no answer: the box closed
        QVERIFY(window_->isVisible());
        QCOMPARE(platform_->texts(QStringLiteral("choose")).size(), 1);
        QVERIFY2(platform_->texts(QStringLiteral("choose")).last().startsWith(QStringLiteral("Zapisać zmiany w liście?")),
                 qPrintable(platform_->texts(QStringLiteral("choose")).last()));
        platform_->choices.push_back(2); // Anuluj
        QVERIFY(!window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));
        QApplication::clipboard()->setText(QStringLiteral("Anna Nowak\n"));
        QVERIFY(!window_->pasteFromClipboard());
        QCOMPARE(window_->session().cell(0, 1), QStringLiteral("Kowalska"));
        QCOMPARE(platform_->texts(QStringLiteral("choose")).size(), 3);

        const QString saved = dir_->file(QStringLiteral("poprawki.csv"));
        platform_->choices.push_back(0); // Zapisz jako CSV…
        platform_->saveAnswers.push_back(saved);
        QVERIFY(window_->close());
        QVERIFY(readBytes(saved).contains("Uczeń1;Kowalska;3a"));
        QCOMPARE(window_->findChild<QLabel *>(QStringLiteral("result"))->text(),
                 QStringLiteral("Zapisano listę w poprawki.csv (UTF-8, średniki)")); // whatever the list was
        window_->show();
        QVERIFY(window_->close()); // saved: no more questions
        QCOMPARE(platform_->texts(QStringLiteral("choose")).size(), 4);

        window_->show();
        window_->listModel().setData(window_->listModel().index(1, 1), QStringLiteral("Zięba"), Qt::EditRole);
        platform_->choices.push_back(1); // Nie zapisuj
        QVERIFY(window_->pasteFromClipboard());
        QCOMPARE(window_->session().rowCount(), 1);
        QVERIFY(window_->close());
    }

    // Random bytes as a diploma, "Dopasuj" ticked, on the program's own
    // pools: the window answers at once and names what is wrong instead of
    // fitting a size of millions of points.
    void damagedDiplomaLeavesTheWindowAnswering()
    {
        QByteArray bytes(diplomafile::RecordLayout::Size, '\0');
        QRandomGenerator random(34);
        for (char &b : bytes)
            b = char(random.bounded(256));
        writeBytes(dir_->file(QStringLiteral("losowy.dyp")), bytes);
        window_ = std::make_unique<klasa::ClassWindow>(dir_->path());
        window_->show();
        window_->findChild<QCheckBox *>(QStringLiteral("shrink"))->setChecked(true);
        QVERIFY(window_->loadList(dir_->file(QStringLiteral("klasa-3a.csv"))));

        QElapsedTimer clock;
        qint64 answeredAfter = -1;
        clock.start();
        QTimer::singleShot(0, window_.get(), [&] { answeredAfter = clock.elapsed(); });
        QVERIFY(window_->loadDiploma(dir_->file(QStringLiteral("losowy.dyp"))));
        QTRY_VERIFY_WITH_TIMEOUT(answeredAfter >= 0, 10000);
        QVERIFY2(answeredAfter < 200, qPrintable(QString::number(answeredAfter)));

        auto *problems = window_->findChild<QListWidget *>(QStringLiteral("problems"));
        const auto listed = [&](const QString &part) {
            for (int i = 0; i < problems->count(); ++i)
                if (problems->item(i)->text().contains(part))
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(!window_->building(), 10000);
        QVERIFY(listed(QStringLiteral("nie mieści się na arkuszu")));
        QVERIFY(listed(QStringLiteral("nie istnieje (numery wzorów: 1–9999)")));
        QVERIFY(window_->session().pages().isEmpty());
        QVERIFY(!window_->findChild<QPushButton *>(QStringLiteral("savePdf"))->isEnabled());
    }

private:
    QStringList problemTexts() const
    {
        QStringList out;
        auto *problems = window_->findChild<QListWidget *>(QStringLiteral("problems"));
        for (int i = 0; i < problems->count(); ++i)
            out.append(problems->item(i)->text());
        return out;
    }

    klasa::InlineRunner runner_;
    std::unique_ptr<TempProgramDir> dir_;
    std::unique_ptr<ScriptedPlatform> platform_;
    std::unique_ptr<klasa::ClassWindow> window_;
};

int main(int argc, char **argv)
{
    XvfbDisplay xvfb;
    if (!xvfb.startForQt())
        return 1;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("dyplom"));
    QCoreApplication::setApplicationName(QStringLiteral("dyplom-klasa-test"));
    TestKlasaWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_klasa_window.moc"
