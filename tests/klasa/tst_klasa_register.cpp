// The class window's register dialog: the file's lines as read, and their
// export in the other format.
#include "FileBytes.h"

#include "klasa/RegisterDialog.h"
#include "platform/UserError.h"

#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestKlasaRegister : public QObject {
    Q_OBJECT
private slots:
    void showsAndExportsTheLines();
};

void TestKlasaRegister::showsAndExportsTheLines()
{
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("rejestr.csv"));
    writeBytes(csv, QStringLiteral("Nr;Data;Imię i nazwisko;Klasa;Rodzaj;Plik\n"
                                   "1;19 czerwca 2026;Anna Nowak;3a;miejsce;k.pdf\n"
                                   "2;19 czerwca 2026;Jan Lis;3b;udzial;k.pdf\n")
                        .toUtf8());
    const batch::DiplomaRegister issued = batch::DiplomaRegister::read(csv);
    klasa::RegisterDialog dialog(issued);
    const auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("registerLines"));
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(1, 2)->text(), QStringLiteral("Jan Lis"));
    QCOMPARE(table->item(0, 4)->text(), QStringLiteral("miejsce"));

    const QString ods = dir.filePath(QStringLiteral("eksport.ods"));
    dialog.exportTo(ods);
    const batch::DiplomaRegister exported = batch::DiplomaRegister::read(ods);
    QCOMPARE(exported.lines().size(), 2);
    QCOMPARE(exported.lines().last().name, QStringLiteral("Jan Lis"));
    QCOMPARE(exported.highest(), 2);
    // The register itself is never the export's target.
    QVERIFY_THROWS_EXCEPTION(platform::UserError, dialog.exportTo(csv));
}

QTEST_MAIN(TestKlasaRegister)
#include "tst_klasa_register.moc"
