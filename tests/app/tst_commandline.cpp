// The editor's command line: a .dyp given at start is read as the read
// command reads it, errors included; other arguments are only noted.
#include "AppFixture.h"
#include "StartArguments.h"
#include "diplomafile/DiplomaRecord.h"
#include "editor/TemplateView.h"
#include "platform/ErrorReportingApplication.h"
#include "platform/SpinEdit.h"

#include <QLineEdit>
#include <QtTest>

namespace {

diplomafile::DiplomaContent sample(int templateNumber)
{
    diplomafile::DiplomaContent c;
    c.templateNumber = templateNumber;
    c.heading = editor::TextBlockStyle{QStringLiteral("Arial"), 40, 0x000000FF, 1, 70, 30};
    c.body = editor::TextBlockStyle{QStringLiteral("Times New Roman"), 20, 0, 2, 40, 110};
    c.recipient = editor::TextBlockStyle{QStringLiteral("Courier New"), 30, 0x00FF0000, 0, 45, 95};
    c.texts.heading = QStringLiteral("DYPLOM UZNANIA");
    c.texts.recipient = QStringLiteral("Małgorzata Żółkiewska");
    c.texts.body[0] = QStringLiteral("za wzorowe wyniki w nauce");
    c.texts.body[5] = QStringLiteral("Łódź");
    return c;
}

struct Shown {
    QStringList texts;
    QList<int> margins;
    QString panel3;
    int pictureWidth;
    QStringList fonts;
    bool operator==(const Shown &o) const
    {
        return texts == o.texts && margins == o.margins && panel3 == o.panel3 && pictureWidth == o.pictureWidth
               && fonts == o.fonts;
    }
};

Shown shown(TForm1 &form)
{
    Shown s;
    s.texts << form.naglowek->text() << form.dla->text();
    for (QLineEdit *edit : form.Edit)
        s.texts << edit->text();
    for (platform::SpinEdit *spin : {form.ml, form.mg, form.marginesl, form.marginesg, form.mal, form.mag})
        s.margins << spin->value();
    s.panel3 = form.Panel3->text();
    s.pictureWidth = int(form.Image1->picture().frame().width());
    for (QLabel *label : {form.Label4, form.Label8, form.Label18})
        s.fonts << label->font().toString();
    for (int n = 1; n <= 3; ++n)
        s.fonts << form.fontDialog(n).face + QString::number(form.fontDialog(n).size);
    return s;
}

void runMessageLoop()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void argumentsAreSortedOut()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("a.dyp")), QByteArray(1064, 0));
        writeFile(dir.filePath(QStringLiteral("B.DYP")), QByteArray(1064, 0));

        QVERIFY(readStartArguments({}, dir.path()).diplomaFile.isEmpty());
        QVERIFY(readStartArguments({}, dir.path()).notes.isEmpty());

        StartArguments s = readStartArguments({QStringLiteral("a.dyp")}, dir.path());
        QCOMPARE(s.diplomaFile, dir.filePath(QStringLiteral("a.dyp"))); // taken from where it was started
        QVERIFY(s.notes.isEmpty());
        QCOMPARE(readStartArguments({dir.filePath(QStringLiteral("B.DYP"))}, QStringLiteral("/")).diplomaFile,
                 dir.filePath(QStringLiteral("B.DYP")));

        s = readStartArguments(
            {QStringLiteral("--help"), QStringLiteral("a.dyp"), QStringLiteral("lista.txt"), QStringLiteral("B.DYP")},
            dir.path());
        QCOMPARE(s.diplomaFile, dir.filePath(QStringLiteral("a.dyp")));
        QCOMPARE(s.notes.size(), 3);
        QVERIFY(s.notes[0].contains(QStringLiteral("„--help”")));
        QVERIFY(s.notes[1].contains(QStringLiteral("„lista.txt”")));
        QVERIFY(s.notes[2].contains(QStringLiteral("„B.DYP”")));
        for (const QString &note : s.notes)
            QVERIFY2(note.startsWith(QStringLiteral("dyplom: ")), qPrintable(note));

        s = readStartArguments({QStringLiteral("brak.dyp")}, dir.path());
        QVERIFY(s.diplomaFile.isEmpty());
        QCOMPARE(s.notes, QStringList{QStringLiteral("dyplom: nie ma pliku „brak.dyp”")});
    }

    void startFileIsReadAsTheReadCommandReadsIt()
    {
        AppFixture viaCommand({1, 2, 3});
        const QString path = viaCommand.dir.file(QStringLiteral("Dyplomy/d.dyp"));
        writeFile(path, diplomafile::buildDiplomaRecord(sample(3)));
        viaCommand.platform.openAnswers.push_back(path);
        viaCommand.form().Czytajdyplom1Click();
        const Shown expected = shown(viaCommand.form());
        viaCommand.window.reset();

        AppFixture app({1, 2, 3});
        TForm1 &form = app.form();
        const Shown before = shown(form);
        openAfterStart(form, StartArguments{path, {}});
        QCOMPARE(shown(form), before); // not before the message loop runs
        runMessageLoop();
        QCOMPARE(shown(form), expected);
        QCOMPARE(form.naglowek->text(), QStringLiteral("DYPLOM UZNANIA"));
        QCOMPARE(form.Panel3->text(), QStringLiteral("0003"));
        QVERIFY(app.platform.errors().isEmpty());
        QVERIFY(app.platform.fileDialogs.isEmpty()); // no dialog
        QCOMPARE(QDir::currentPath(), app.dir.path());
    }

    void shortFileIsReportedAndChangesNothing()
    {
        AppFixture app;
        TForm1 &form = app.form();
        const QString path = app.dir.file(QStringLiteral("krotki.dyp"));
        writeFile(path, diplomafile::buildDiplomaRecord(sample(2)).left(1063));
        const Shown before = shown(form);
        openAfterStart(form, StartArguments{path, {}});
        runMessageLoop();
        QCOMPARE(app.platform.errors(), QStringList{QStringLiteral("Read beyond end of file")});
        QCOMPARE(shown(form), before);
    }

    void fileGoneBeforeTheLoopChangesNothing()
    {
        AppFixture app;
        TForm1 &form = app.form();
        const Shown before = shown(form);
        openAfterStart(form, StartArguments{app.dir.file(QStringLiteral("skasowany.dyp")), {}});
        runMessageLoop();
        QVERIFY(app.platform.errors().isEmpty());
        QCOMPARE(shown(form), before);
    }
};

// The application object of the editor, whose handler reports errors that
// escape the message loop.
int main(int argc, char **argv)
{
    platform::ErrorReportingApplication app(argc, argv);
    TestCommandLine test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_commandline.moc"
