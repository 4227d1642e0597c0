#include "AppFixture.h"
#include "editor/TemplateCatalogue.h"
#include "editor/TemplateView.h"

#include <QtTest>

namespace {
QRectF frameOf(TForm1 &form)
{
    return form.Image1->picture().frame();
}
} // namespace

class TestTemplates : public QObject {
    Q_OBJECT
private slots:
    void numberTexts()
    {
        QCOMPARE(editor::templateNumberText(1), QStringLiteral("0001"));
        QCOMPARE(editor::templateNumberText(12), QStringLiteral("0012"));
        QCOMPARE(editor::templateNumberText(345), QStringLiteral("0345"));
        QCOMPARE(editor::templateNumberText(2222), QStringLiteral("2222"));
        QCOMPARE(editor::templateNumberText(12345), QStringLiteral("12345"));
    }

    void onlyTemplatesOneAndTwo()
    {
        AppFixture app({1, 2});
        TForm1 &form = app.form();
        form.SpeedButton2Click();
        QCOMPARE(form.Panel3->text(), QStringLiteral("0002"));
        QCOMPARE(form.document().templateNumber, 2);
        QCOMPARE(form.document().templateNumberText, QStringLiteral("0002"));
        form.SpeedButton2Click();
        QCOMPARE(form.Panel3->text(), QStringLiteral("0002"));
        QCOMPARE(form.document().templateNumber, 2);
        form.SpeedButton1Click();
        QCOMPARE(form.Panel3->text(), QStringLiteral("0001"));
        form.SpeedButton1Click();
        QCOMPARE(form.Panel3->text(), QStringLiteral("0001"));
        QCOMPARE(form.document().templateNumber, 1);
        QVERIFY(app.platform.errors().isEmpty());
    }

    void firstMissingKeepsSecond()
    {
        AppFixture app({1, 2});
        TForm1 &form = app.form();
        form.SpeedButton2Click();
        QFile::remove(app.dir.file(QStringLiteral("Wzory/BDR_0001.wmf")));
        form.SpeedButton1Click();
        QCOMPARE(form.Panel3->text(), QStringLiteral("0002"));
        QCOMPARE(form.document().templateNumber, 2);
    }

    void neverSkipsAMissingNumber()
    {
        AppFixture app({1, 2, 3, 4, 5, 7});
        TForm1 &form = app.form();
        for (int i = 0; i < 6; ++i)
            form.SpeedButton2Click();
        QCOMPARE(form.Panel3->text(), QStringLiteral("0005"));
    }

    void longNumbersAndCase()
    {
        AppFixture app({1});
        writeFile(app.dir.file(QStringLiteral("Wzory/bdr_0013.WMF")), templateBytes(Qt::blue));
        writeFile(app.dir.file(QStringLiteral("Wzory/BDR_12346.wmf")), templateBytes(Qt::green));
        TForm1 &form = app.form();
        form.document().templateNumber = 12;
        form.SpeedButton2Click();
        QCOMPARE(form.Panel3->text(), QStringLiteral("0013"));
        QCOMPARE(form.document().templateNumber, 13);
        form.document().templateNumber = 12345;
        form.SpeedButton2Click();
        QCOMPARE(form.Panel3->text(), QStringLiteral("12346"));
        QCOMPARE(editor::templateFilePath(app.dir.path(), QStringLiteral("0012")),
                 app.dir.file(QStringLiteral("Wzory/BDR_0012.wmf")));
    }

    void damagedTemplateKeepsOldPicture()
    {
        AppFixture app({1});
        writeFile(app.dir.file(QStringLiteral("Wzory/BDR_0002.wmf")), QByteArray(300, 'x'));
        TForm1 &form = app.form();
        const QRectF before = frameOf(form);
        const void *pictureBefore = &form.Image1->picture();
        bool raised = false;
        try {
            form.SpeedButton2Click();
        } catch (const std::exception &) {
            raised = true;
        }
        QVERIFY(raised);
        QCOMPARE(form.Panel3->text(), QStringLiteral("0002"));
        QCOMPARE(form.document().templateNumber, 2);
        QVERIFY(!form.Image1->picture().isEmpty());
        QCOMPARE(frameOf(form), before);
        Q_UNUSED(pictureBefore);
    }

    void topOfTheRangeStays()
    {
        AppFixture app({1});
        TForm1 &form = app.form();
        form.document().templateNumber = std::numeric_limits<std::int32_t>::max();
        form.SpeedButton2Click();
        QCOMPARE(form.document().templateNumber, std::numeric_limits<std::int32_t>::max());
    }
};

QTEST_MAIN(TestTemplates)
#include "tst_templates.moc"
