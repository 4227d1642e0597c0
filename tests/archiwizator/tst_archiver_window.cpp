#include "BackupFixture.h"
#include "ScriptedPlatform.h"

#include "admin/Tnarzedzia_f.h"
#include "archiwizator/ArchiverWindow.h"
#include "archiwizator/CreateBackup.h"
#include "archiwizator/Destinations.h"
#include "platform/QtPlatform.h"

#include <QMessageBox>

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <cstdio>
#include <sys/mount.h>
#include <unistd.h>

namespace {
QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}
} // namespace

class TestArchiverWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(settingsHome_.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(settingsHome_.path()));
        QCoreApplication::setOrganizationName(QStringLiteral("dyplom-test"));
        QCoreApplication::setApplicationName(QStringLiteral("archiwizator"));
    }
    void init() { QSettings().clear(); }

    void showsTheFoldersOfTheConfiguration()
    {
        ScriptedPlatform seam;
        BackupFixture fixture(3);
        ArchiverWindow window(fixture.dir.path());
        QCOMPARE(window.windowTitle(), QStringLiteral("Ochrona danych"));
        QVERIFY(window.configProblem->isHidden());
        QCOMPARE(window.folders->topLevelItemCount(), 5);
        const QTreeWidgetItem *dyplomy = window.folders->topLevelItem(1);
        QCOMPARE(dyplomy->text(0), QStringLiteral("Dyplomy"));
        QCOMPARE(dyplomy->text(1), QStringLiteral("5")); // three, the empty one and one in a subfolder
        QCOMPARE(dyplomy->text(2), QStringLiteral("4,2 kB"));
        QVERIFY(window.copyButton->isEnabled());
    }

    void aMissingOrDamagedConfigurationIsExplained()
    {
        ScriptedPlatform seam;
        BackupFixture fixture(1);
        writeBytes(fixture.dir.file(companions::ArchiverConfigFileName), "zepsuty");
        ArchiverWindow damaged(fixture.dir.path());
        QVERIFY(damaged.configProblem->text().contains("jest uszkodzony"));
        QVERIFY(!damaged.copyButton->isEnabled());
        QVERIFY(QFile::remove(fixture.dir.file(companions::ArchiverConfigFileName)));
        ArchiverWindow missing(fixture.dir.path());
        QVERIFY(missing.configProblem->text().startsWith("Brak pliku archiwizator_config.dat"));
        QVERIFY(!missing.createCopy(fixture.dir.path()));
    }

    void copyAndRestoreAreRecordedAndTheAdministratorClearsThem()
    {
        ScriptedPlatform seam;
        BackupFixture fixture(4);
        QTemporaryDir stick;
        ArchiverWindow window(fixture.dir.path());
        QCOMPARE(window.history->count(), 1); // the "nothing yet" line
        const int files = fixture.protectedTree().size();

        seam.saveAnswers = {stick.path() + "/cokolwiek.zip"};
        window.chooseOtherFolder();
        QCOMPARE(window.destinations->currentItem()->data(Qt::UserRole).toString(), stick.path());
        QVERIFY(window.createCopy(window.destinations->currentItem()->data(Qt::UserRole).toString()));
        QCOMPARE(seam.texts("inform").size(), 1);
        QVERIFY(seam.texts("inform")[0].startsWith("Kopia gotowa."));
        const QString archive = stick.path() + "/kopia-dyplomy-2026-12-07-0905.zip";
        QVERIFY(QFile::exists(archive));
        QVERIFY(window.status->text().startsWith("Kopia gotowa"));
        QCOMPARE(window.history->count(), 1);
        QVERIFY(window.history->item(0)->text().contains(QStringLiteral("kopia: %1 plik").arg(files)));

        writeBytes(fixture.dir.file("Dyplomy/dyplom_0.dyp"), "zmieniony");
        QVERIFY(QFile::remove(fixture.dir.file("Dyplomy/dyplom_1.dyp")));
        seam.openAnswers = {archive};
        window.chooseArchive();
        QVERIFY(window.archiveLabel->text().contains("utworzona 2026-12-07 09:05"));
        QCOMPARE(window.archiveContents->count(), files);
        seam.clock = seam.clock.addSecs(120);
        seam.answers = {true, false}; // restore: yes; replace the changed diploma: no
        QVERIFY(window.restoreChosen());
        QCOMPARE(readBytes(fixture.dir.file("Dyplomy/dyplom_0.dyp")), QByteArray("zmieniony"));
        QVERIFY(QFile::exists(fixture.dir.file("Dyplomy/dyplom_1.dyp")));
        QVERIFY(seam.texts("ask")[1].contains("Dyplomy/dyplom_0.dyp"));
        QVERIFY(seam.texts("inform").last().contains("Zachowano obecne wersje 1 pliku:\nDyplomy/dyplom_0.dyp"));
        QCOMPARE(window.history->count(), 2);
        QVERIFY(window.history->item(0)->text().contains("przywrócenie: 1 plik przywrócono, 1 plik zachowano"));

        // "wykasowanie rejestru archiwizacji" in the administrator window.
        Tnarzedzia_f admin;
        admin.op4->click();
        seam.answers = {true};
        admin.SpeedButton2Click();
        for (const char *name : {"data_ar.dat", "data_adr.dat", "data_or.dat", "data_odr.dat"})
            QVERIFY2(!QFile::exists(fixture.dir.file(QStringLiteral("Admini/") + name)), name);
        ArchiverWindow reopened(fixture.dir.path());
        QCOMPARE(reopened.history->count(), 1);
        QCOMPARE(reopened.history->item(0)->text(), QStringLiteral("Nie wykonano jeszcze żadnej kopii."));
    }

    void enterKeepsNewerFilesAndTheReportNamesReplacedAndKept()
    {
        BackupFixture fixture(3);
        QTemporaryDir stick;
        backup::SourceConfig config = backup::readConfig(fixture.dir.path());
        const QString archive =
            backup::createBackup(config, stick.path(), QDateTime(QDate(2026, 12, 1), QTime(8, 0))).archivePath;
        writeBytes(fixture.dir.file("Dyplomy/dyplom_0.dyp"), "poprawiony po kopii"); // newer than the copy
        writeBytes(fixture.dir.file("Notatki/zebranie.txt"), "nowa notatka");

        // The real message boxes: Yes to restoring, then Enter on every other box.
        platform::QtPlatform real;
        platform::installServices(&real);
        QStringList seen;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen << box->text();
            if (box->text().startsWith(QStringLiteral("Przywrócić kopię")))
                box->button(QMessageBox::Yes)->click();
            else
                QTest::keyClick(box, Qt::Key_Return);
        });
        answer.start(20);
        {
            ArchiverWindow window(fixture.dir.path());
            QVERIFY(window.openArchive(archive));
            QVERIFY(window.restoreChosen());
        }
        answer.stop();
        platform::installServices(nullptr);
        QCOMPARE(readBytes(fixture.dir.file("Dyplomy/dyplom_0.dyp")), QByteArray("poprawiony po kopii"));
        QCOMPARE(readBytes(fixture.dir.file("Notatki/zebranie.txt")), QByteArray("nowa notatka"));
        QVERIFY2(seen.size() == 4
                     && seen.last().contains("Zachowano obecne wersje 2 plików:\nDyplomy/dyplom_0.dyp\n"
                                             "Notatki/zebranie.txt"),
                 qPrintable(seen.join("\n---\n")));

        // Yes to replacing: the report names what was replaced.
        ScriptedPlatform seam;
        seam.answers = {true, true, true};
        ArchiverWindow window(fixture.dir.path());
        QVERIFY(window.openArchive(archive));
        QVERIFY(window.restoreChosen());
        QCOMPARE(seam.messages[1].defaultNo, true);
        QVERIFY2(seam.texts("inform").last().contains(
                     "Zastąpiono wersjami z kopii 2 plików:\nDyplomy/dyplom_0.dyp\nNotatki/zebranie.txt"),
                 qPrintable(seam.texts("inform").last()));
        QVERIFY(!seam.texts("inform").last().contains("Zachowano"));
        QCOMPARE(readBytes(fixture.dir.file("Notatki/zebranie.txt")), QByteArray("Zebranie rady: środa\n"));
    }

    void aRestoreNeverTakesTheRegisterFromTheArchive()
    {
        ScriptedPlatform seam;
        BackupFixture fixture(2);
        QTemporaryDir stick;
        ArchiverWindow window(fixture.dir.path());
        QVERIFY(window.createCopy(stick.path()));
        const QByteArray forged = QByteArray("2099-01-01 00:00:00").leftJustified(20, '\0') + QByteArray(12, '\1');
        const QString archive = listedZip(stick.path(), {{"Admini/data_ar.dat", forged},
                                                         {"ADMINI/Data_Adr.DAT", QByteArray(512, '\0')},
                                                         {"Admini/data_or.dat", forged},
                                                         {"Wzory/Archiwizator_Config.dat", "obce ustawienia"},
                                                         {"Dyplomy/nowy.dyp", "z kopii"}});
        QMap<QString, QByteArray> expected = fixture.protectedTree();
        const QMap<QString, QByteArray> stickBefore = fileTree(stick.path());
        expected.insert("Dyplomy/nowy.dyp", "z kopii");
        seam.answers = {true};
        QVERIFY(window.openArchive(archive));
        QVERIFY(window.restoreChosen());
        QMap<QString, QByteArray> after = fixture.protectedTree();
        QCOMPARE(after.take("Admini/data_or.dat").size(), 32); // the restore itself, recorded afterwards
        QCOMPARE(after.take("Admini/data_odr.dat").size(), 512);
        QCOMPARE(after, expected);
        QCOMPARE(fileTree(stick.path()), stickBefore);
        QCOMPARE(window.history->count(), 2);
        QVERIFY(window.history->item(0)->text().contains("przywrócenie: 1 plik przywrócono"));
        QVERIFY(window.history->item(1)->text().startsWith("2026-12-07 09:05  kopia:"));
        const QString report = seam.texts("inform").last();
        QVERIFY2(report.contains("Pominięto") && report.contains("Admini/data_ar.dat")
                     && report.contains("Wzory/Archiwizator_Config.dat"),
                 qPrintable(report));
    }

    void namesACopyCannotHoldAreNeverLeftOutInSilence()
    {
        ScriptedPlatform seam;
        BackupFixture fixture(2);
        QTemporaryDir stick;
        // Windows-1250 bytes, as copied from an old Windows disk.
        const QByteArray raw = QFile::encodeName(fixture.dir.file("Dyplomy/klasa 3b"))
                               + "/\xb3ukasz_\xbf\xf3\xb3\xe6.dyp";
        FILE *f = std::fopen(raw.constData(), "wb");
        QVERIFY(f);
        std::fputs("dyplom", f);
        std::fclose(f);
        QVERIFY(QFile::link(fixture.dir.file("Dyplomy/dyplom_0.dyp"), fixture.dir.file("Dyplomy/skrot.dyp")));
        ArchiverWindow window(fixture.dir.path());
        QVERIFY(!window.createCopy(stick.path()));
        QVERIFY2(seam.errors().size() == 1 && seam.errors()[0].contains("Dyplomy/klasa 3b/łukasz_żółć.dyp")
                     && seam.errors()[0].contains("Kopia nie powstała"),
                 qPrintable(seam.errors().join("|")));
        QCOMPARE(entriesOf(stick.path()), QStringList());
        QCOMPARE(window.history->item(0)->text(), QStringLiteral("Nie wykonano jeszcze żadnej kopii."));

        QVERIFY(std::remove(raw.constData()) == 0);
        QVERIFY(window.createCopy(stick.path()));
        QVERIFY2(seam.texts("inform").last().contains("Pominięto skróty (dowiązania), kopia ich nie obejmuje:\n"
                                                      "Dyplomy/skrot.dyp"),
                 qPrintable(seam.texts("inform").last()));
    }

    void aStickUnmountedAfterTheOfferGetsNoCopy()
    {
        if (::geteuid() != 0)
            QSKIP("mounting a tmpfs needs root (CI runs as root)");
        ScriptedPlatform seam;
        BackupFixture fixture(2);
        QTemporaryDir stick;
        const QByteArray mountPoint = QFile::encodeName(stick.path());
        QVERIFY(::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=4m") == 0);
        ArchiverWindow window(fixture.dir.path());
        seam.saveAnswers = {stick.path() + "/kopia.zip"};
        window.chooseOtherFolder();
        QCOMPARE(window.destinations->currentItem()->data(Qt::UserRole).toString(), stick.path());
        const QMap<QString, QByteArray> before = fixture.protectedTree();
        // Pulled out while the files are being read, before anything is written.
        QTimer::singleShot(0, &window, [&] { ::umount(mountPoint.constData()); });
        QVERIFY(!window.createCopy(stick.path()));
        ::umount(mountPoint.constData());
        QVERIFY2(seam.errors().size() == 1 && seam.errors()[0].contains("został odłączony"),
                 qPrintable(seam.errors().join("|")));
        QCOMPARE(entriesOf(stick.path()), QStringList()); // nothing on the internal disk
        QCOMPARE(window.history->item(0)->text(), QStringLiteral("Nie wykonano jeszcze żadnej kopii."));
        QCOMPARE(fixture.protectedTree(), before);

        // "Odśwież" takes the folder as it is now.
        window.refreshButton->click();
        QVERIFY(window.createCopy(stick.path()));
        QCOMPARE(entriesOf(stick.path()).size(), 1);
    }

    void aDestinationInsideAProtectedFolderIsRefusedAndTheLastOneIsRemembered()
    {
        ScriptedPlatform seam;
        BackupFixture fixture(2);
        QTemporaryDir stick;
        const QMap<QString, QByteArray> before = fixture.protectedTree();
        {
            ArchiverWindow window(fixture.dir.path());
            const QString inside = fixture.dir.file("Dyplomy/klasa 3b");
            seam.saveAnswers = {inside + "/kopia.zip"};
            window.chooseOtherFolder();
            QCOMPARE(QDir::cleanPath(QDir::current().absoluteFilePath(seam.fileDialogs.last().initialFolder)),
                     QDir::homePath());
            QVERIFY(!window.createCopy(inside));
            QVERIFY2(seam.errors().size() == 1 && seam.errors()[0].contains("należy do chronionego folderu Dyplomy"),
                     qPrintable(seam.errors().join("|")));
            QCOMPARE(fixture.protectedTree(), before);
            QVERIFY(window.createCopy(stick.path()));
        }
        ArchiverWindow reopened(fixture.dir.path());
        QCOMPARE(reopened.destinations->currentItem()->data(Qt::UserRole).toString(), stick.path());
        seam.saveAnswers = {std::nullopt};
        reopened.chooseOtherFolder();
        QCOMPARE(QDir::cleanPath(QDir::current().absoluteFilePath(seam.fileDialogs.last().initialFolder)), stick.path());
    }

    void aVeryLongFileNameNeverWidensTheWindow()
    {
        ScriptedPlatform seam;
        BackupFixture fixture(1);
        QTemporaryDir elsewhere;
        const QString folder = elsewhere.path() + '/' + QString(80, 'k');
        QVERIFY(QDir().mkpath(folder));
        const QString archive = folder + '/' + QString(240, 'a') + ".zip";
        writeBytes(archive, noise(100, 1));
        ArchiverWindow window(fixture.dir.path());
        const int width = window.sizeHint().width();
        QVERIFY(!window.openArchive(archive));
        window.status->setText(seam.errors().last());
        QVERIFY(window.archiveLabel->text().contains(QString(240, 'a')));
        QVERIFY2(window.sizeHint().width() <= width && window.minimumSizeHint().width() < 700,
                 qPrintable(QString::number(window.minimumSizeHint().width())));
    }

    void theProtectedFoldersFollowACopyAndARestore()
    {
        ScriptedPlatform seam;
        BackupFixture fixture(3);
        QTemporaryDir stick;
        ArchiverWindow window(fixture.dir.path());
        const auto diplomas = [&] { return window.folders->topLevelItem(1)->text(1); };
        QCOMPARE(diplomas(), QStringLiteral("5"));
        writeBytes(fixture.dir.file("Dyplomy/nowy.dyp"), "nowy");
        QVERIFY(window.createCopy(stick.path()));
        QCOMPARE(diplomas(), QStringLiteral("6"));
        const QString archive = QDir(stick.path()).absoluteFilePath(entriesOf(stick.path()).first());
        QVERIFY(QFile::remove(fixture.dir.file("Dyplomy/dyplom_0.dyp")));
        QVERIFY(QFile::remove(fixture.dir.file("Dyplomy/nowy.dyp")));
        QVERIFY(window.openArchive(archive));
        seam.answers = {true};
        QVERIFY(window.restoreChosen());
        QCOMPARE(diplomas(), QStringLiteral("6"));
        QCOMPARE(window.folders->topLevelItem(1)->text(2), backup::sizeText(4 * 1064 + 4));
    }

    void aForeignArchiveIsRefusedBeforeRestoring()
    {
        ScriptedPlatform seam;
        BackupFixture fixture(1);
        QTemporaryDir elsewhere;
        writeBytes(elsewhere.path() + "/zdjecia.zip", noise(4000, 3));
        ArchiverWindow window(fixture.dir.path());
        QVERIFY(!window.openArchive(elsewhere.path() + "/zdjecia.zip"));
        QVERIFY(!window.restoreButton->isEnabled());
        QVERIFY(!window.restoreChosen());
        QCOMPARE(seam.errors().size(), 1);
        QVERIFY(seam.errors()[0].contains("zdjecia.zip"));
    }

    void cancelStopsTheCopy()
    {
        ScriptedPlatform seam;
        BackupFixture fixture(2);
        QTemporaryDir stick;
        ArchiverWindow window(fixture.dir.path());
        // The first progress step processes events: a click on "Anuluj" then lands.
        QTimer::singleShot(0, window.cancelButton, [&] { window.cancelButton->click(); });
        QVERIFY(!window.createCopy(stick.path()));
        QCOMPARE(QDir(stick.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        QVERIFY(window.status->text().startsWith("Kopię przerwano"));
        QVERIFY(seam.errors().isEmpty());
        QVERIFY(window.copyButton->isEnabled() && !window.cancelButton->isEnabled());

        // Closing the window while copying cancels instead of pulling the window away.
        window.show();
        QTimer::singleShot(0, &window, [&] { QVERIFY(!window.close()); });
        QVERIFY(!window.createCopy(stick.path()));
        QVERIFY(window.status->text().startsWith("Kopię przerwano"));
        QVERIFY(window.close());
    }

private:
    QTemporaryDir settingsHome_;
};

QTEST_MAIN(TestArchiverWindow)
#include "tst_archiver_window.moc"
