#include "AppFixture.h"
#include "platform/SpinEdit.h"

#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

class TestCommands : public QObject {
    Q_OBJECT
private slots:
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
