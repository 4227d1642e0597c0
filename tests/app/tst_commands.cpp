#include "AppFixture.h"
#include "editor/TemplateView.h"
#include "platform/SpinEdit.h"

#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include "platform/IoError.h"

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void typeStartupTexts(TForm1 &form)
{
    form.naglowek->setText(QStringLiteral("DYPLOM UZNANIA"));
    form.dla->setText(QStringLiteral("Małgorzata Żółkiewska"));
    form.Edit[0]->setText(QStringLiteral("za wzorowe wyniki w nauce"));
    form.Edit[1]->setText(QStringLiteral("i wzorowe zachowanie"));
    form.Edit[3]->setText(QStringLiteral("Łódź, 20 czerwca"));
}

// Saves the editor's diploma to Dyplomy/name and gives back the path.
QString saveAs(AppFixture &app, const QString &name)
{
    const QString path = app.dir.file(QStringLiteral("Dyplomy/") + name);
    app.platform.saveAnswers.push_back(path);
    app.form().Zapiszdyplom1Click();
    return path;
}

void readFrom(AppFixture &app, const QString &path)
{
    app.platform.openAnswers.push_back(path);
    app.form().Czytajdyplom1Click();
}
} // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void savedStartupDiplomaMatchesTheTable()
    {
        AppFixture app;
        TForm1 &form = app.form();
        typeStartupTexts(form);
        app.tick();
        const QString saved = saveAs(app, QStringLiteral("start.dyp"));

        QTemporaryDir work;
        const QString fixture = work.filePath(QStringLiteral("oracle.dyp"));
        QProcess python;
        python.start(QStringLiteral("python3"), {qEnvironmentVariable("DYPLOM_SOURCE_DIR")
                                                     + QStringLiteral("/tests/common/startup_diploma_oracle.py"),
                                                 fixture});
        QVERIFY(python.waitForFinished(30000));
        QCOMPARE(python.exitCode(), 0);
        QCOMPARE(readAll(saved), readAll(fixture));
    }

    void readingBringsEverythingBack()
    {
        AppFixture app({1, 2, 3});
        TForm1 &form = app.form();
        typeStartupTexts(form);
        form.SpeedButton2Click();
        form.SpeedButton2Click();
        app.platform.fontAnswers.push_back(platform::FontChoice{QStringLiteral("Arial"), 36, 3, 0x00FF0000});
        form.SpeedButton9Click();
        form.marginesl->setValue(11);
        form.mag->setValue(-7);
        app.tick();
        const editor::DiplomaDocument saved = form.document();
        const QString path = saveAs(app, QStringLiteral("pelny.dyp"));

        // Change everything, then read it back.
        form.SpeedButton3Click();
        form.SpeedButton1Click();
        form.marginesl->setValue(99);
        form.mag->setValue(99);
        app.platform.fontAnswers.push_back(platform::FontChoice{QStringLiteral("Courier"), 8, 0, 0});
        form.SpeedButton9Click();
        app.tick();
        readFrom(app, path);
        QVERIFY(app.platform.errors().isEmpty());
        QCOMPARE(form.naglowek->text(), QStringLiteral("DYPLOM UZNANIA"));
        QCOMPARE(form.dla->text(), QStringLiteral("Małgorzata Żółkiewska"));
        QCOMPARE(form.Edit[3]->text(), QStringLiteral("Łódź, 20 czerwca"));
        QCOMPARE(form.Panel3->text(), QStringLiteral("0003"));
        QCOMPARE(form.document().templateNumberText, QStringLiteral("0003"));
        QCOMPARE(form.marginesl->value(), 11);
        QCOMPARE(form.mag->value(), -7);
        QCOMPARE(form.document().body, saved.body);
        QCOMPARE(form.document().heading, saved.heading);
        QCOMPARE(form.document().recipient, saved.recipient);
        QCOMPARE(form.fontDialog(2).face, QStringLiteral("Arial"));
        QCOMPARE(form.fontDialog(2).size, 36);
        QCOMPARE(form.fontDialog(1).colour, 0u); // the stored colour, no longer the system one
        QCOMPARE(form.Label13->font().pointSize(), 12);
        QVERIFY(form.Label13->font().bold() && form.Label13->font().italic());
        QCOMPARE(form.Label4->font().pointSize(), 16);
        QCOMPARE(QDir::currentPath(), app.dir.path());
        // The preview follows at the next tick.
        app.tick();
        QCOMPARE(form.Label4->pos(), QPoint(11, 60));
    }

    void headingCutTo30()
    {
        AppFixture app;
        TForm1 &form = app.form();
        form.naglowek->setText(QStringLiteral("Dyplom za zajęcie pierwszego miejsca"));
        app.tick();
        const QString path = saveAs(app, QStringLiteral("dlugi.dyp"));
        form.naglowek->clear();
        readFrom(app, path);
        QCOMPARE(form.naglowek->text(), QStringLiteral("Dyplom za zajęcie pierwszego m"));
    }

    void missingTemplateKeepsThePicture()
    {
        AppFixture app({1, 2});
        TForm1 &form = app.form();
        form.SpeedButton2Click();
        app.tick();
        const QString path = saveAs(app, QStringLiteral("dwa.dyp"));
        form.SpeedButton1Click();
        const QRectF shown = form.Image1->picture().frame();
        QFile::remove(app.dir.file(QStringLiteral("Wzory/BDR_0002.wmf")));
        readFrom(app, path);
        QCOMPARE(form.Panel3->text(), QStringLiteral("0002"));
        QCOMPARE(form.document().templateNumber, 2);
        QCOMPARE(form.Image1->picture().frame(), shown);
        QVERIFY(app.platform.errors().isEmpty());
    }

    void shortFileChangesNothing()
    {
        AppFixture app;
        TForm1 &form = app.form();
        form.naglowek->setText(QStringLiteral("zostaje"));
        app.tick();
        const QString path = saveAs(app, QStringLiteral("krotki.dyp"));
        QFile file(path);
        QVERIFY(file.resize(1063));
        form.ml->setValue(5);
        app.tick();
        const editor::DiplomaDocument before = form.document();
        form.naglowek->setText(QStringLiteral("inny"));
        bool raised = false;
        try {
            readFrom(app, path);
        } catch (const platform::IoError &error) {
            raised = true;
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Read beyond end of file"));
        }
        QVERIFY(raised);
        QCOMPARE(form.naglowek->text(), QStringLiteral("inny"));
        QCOMPARE(form.ml->value(), 5);
        QCOMPARE(form.document().body, before.body);
        QCOMPARE(QDir::currentPath(), app.dir.path());
    }

    void damagedTemplateStopsAfterTheNumber()
    {
        AppFixture app({1, 2});
        TForm1 &form = app.form();
        form.SpeedButton2Click();
        form.naglowek->setText(QStringLiteral("z pliku"));
        form.mg->setValue(33);
        app.tick();
        const QString path = saveAs(app, QStringLiteral("zly.dyp"));
        form.SpeedButton1Click();
        form.naglowek->clear();
        form.mg->setValue(120);
        app.tick();
        writeFile(app.dir.file(QStringLiteral("Wzory/BDR_0002.wmf")), QByteArray(200, 'z'));
        QVERIFY_THROWS_EXCEPTION(std::exception, readFrom(app, path));
        QCOMPARE(form.naglowek->text(), QStringLiteral("z pliku"));
        QCOMPARE(form.Panel3->text(), QStringLiteral("0002"));
        QCOMPARE(form.mg->value(), 120); // margins not taken over
    }

    void readingFromElsewhereComesBackToProgramDir()
    {
        AppFixture app;
        TForm1 &form = app.form();
        form.dla->setText(QStringLiteral("Ola"));
        app.tick();
        QTemporaryDir elsewhere;
        const QString path = elsewhere.filePath(QStringLiteral("gdzies.dyp"));
        app.platform.saveAnswers.push_back(path);
        form.Zapiszdyplom1Click();
        QVERIFY(QFile::exists(path));
        QDir::setCurrent(elsewhere.path());
        form.dla->clear();
        readFrom(app, path);
        QCOMPARE(form.dla->text(), QStringLiteral("Ola"));
        QCOMPARE(QDir::currentPath(), app.dir.path());
    }

    void printCancelledPrintsNothing()
    {
        AppFixture app;
        app.platform.printAnswers = {false};
        bool gathered = false;
        app.platform.preparePrinter = [&](QPrinter &) { gathered = true; };
        app.form().SpeedButton4Click();
        QVERIFY(!gathered);
        QVERIFY(app.platform.errors().isEmpty());
    }

    void printPutsTheEditorsTextsOnThePage()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        AppFixture app;
        TForm1 &form = app.form();
        const QString pdf = app.dir.file(QStringLiteral("wydruk.pdf"));
        app.platform.printAnswers = {true};
        app.platform.preparePrinter = [&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setResolution(600);
        };
        form.naglowek->setText(QStringLiteral("Dyplom uznania"));
        form.dla->setText(QStringLiteral("Zofia Żak"));
        form.Edit[2]->setText(QStringLiteral("za wzorowe wyniki"));
        app.tick();
        form.SpeedButton4Click();
        QVERIFY2(app.platform.errors().isEmpty(), qPrintable(app.platform.errors().join(QLatin1Char(';'))));
        QVERIFY(QFile::exists(pdf));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(out.contains(QStringLiteral("Dyplom uznania")), qPrintable(out));
        QVERIFY(out.contains(QStringLiteral("Zofia Żak")));
        QVERIFY(out.contains(QStringLiteral("za wzorowe wyniki")));
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
