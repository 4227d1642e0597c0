#include "BackupFixture.h"
#include "RunAsUser.h"

#include "archiwizator/BackupRegister.h"
#include "archiwizator/CreateBackup.h"
#include "archiwizator/Destinations.h"
#include "archiwizator/Restore.h"
#include "archiwizator/SourceFolders.h"
#include "archiwizator/ZipFile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QDateTime When(QDate(2026, 12, 8), QTime(9, 30));

backup::BackupResult makeCopy(const QString &programDir, const QString &to, const backup::ProgressFn &progress = {})
{
    backup::SourceConfig config = backup::readConfig(programDir);
    return backup::createBackup(config, to, When, progress);
}

template <typename Fn>
QString failureOf(Fn &&fn)
{
    try {
        fn();
    } catch (const backup::BackupError &e) {
        return e.message();
    }
    return QString();
}

// The system's and libzip's English words that once leaked into messages.
bool hasEnglish(const QString &message)
{
    static const QStringList words{"error",   "Error",  "archive", "file",      "denied",
                                   "Invalid", "exists", "Not a",   "Read-only", "No such"};
    return std::any_of(words.cbegin(), words.cend(), [&](const QString &w) { return message.contains(w); });
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void configurationProblemsAreNamed_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("patch");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sound") << 0 << QByteArray() << 10452 << QString();
        QTest::newRow("cut short") << 0 << QByteArray() << 5000 << QStringLiteral("ma 5000 bajtów");
        QTest::newRow("length byte too big") << 201 * 2 << QByteArray("\xff") << 10452 << QStringLiteral("za długa");
        QTest::newRow("no ProgramDir") << 201 * 51 << QByteArray("\x00", 1) << 10452
                                       << QStringLiteral("brak folderu programu");
        QTest::newRow("mask elsewhere") << 201 * 3 + 1 << QByteArray("X") << 10452
                                        << QStringLiteral("pozycja 3 nie wskazuje");
    }
    void configurationProblemsAreNamed()
    {
        QFETCH(int, offset);
        QFETCH(QByteArray, patch);
        QFETCH(int, size);
        QFETCH(QString, expected);
        QByteArray record = companions::encodeArchiverConfig(companions::buildArchiverConfig(QStringLiteral("/szkola")));
        record.replace(offset, patch.size(), patch);
        record.resize(size);
        const QString failure = failureOf([&] {
            const backup::SourceConfig c = backup::decodeConfig(record);
            QCOMPARE(c.programDir, QStringLiteral("/szkola"));
            QStringList names;
            for (const auto &f : c.folders)
                names << f.name;
            QCOMPARE(names, (QStringList{"Admini", "Dyplomy", "Notatki", "Terminarz", "Wzory"}));
        });
        if (expected.isEmpty())
            QCOMPARE(failure, QString());
        else
            QVERIFY2(failure.contains(expected) && failure.contains("archiwizator_config.dat"), qPrintable(failure));
    }

    void aMaskClimbingOutIsRefused()
    {
        companions::ArchiverConfigRecord r = companions::buildArchiverConfig(QStringLiteral("/szkola"), '/');
        r.texts[2] = QStringLiteral("/szkola/../*.*");
        QVERIFY(failureOf([&] { backup::decodeConfig(companions::encodeArchiverConfig(r)); }).contains("pozycja 2"));
        QVERIFY(failureOf([] {
                    backup::readConfig(QStringLiteral("/nonexistent-dyplom"));
                }).startsWith("Brak pliku archiwizator_config.dat"));
    }

    void copyRestoresByteForByte()
    {
        BackupFixture fixture;
        writeBytes(fixture.dir.file("Admini/data_ar.dat"), "earlier register"); // not part of a copy
        QTemporaryDir stick;
        const backup::BackupResult made = makeCopy(fixture.dir.path(), stick.path());
        QCOMPARE(entriesOf(stick.path()), QStringList{"kopia-dyplomy-2026-12-08-0930.zip"});
        QMap<QString, QByteArray> expected = fixture.protectedTree();
        expected.remove("Admini/data_ar.dat");
        QCOMPARE(made.files, expected.size());

        // Info-ZIP agrees the archive is sound and lists exactly our files.
        const ProgramResult tested = runProgram("unzip", {"-t", made.archivePath});
        QVERIFY2(tested.status == 0 && tested.out.contains("No errors detected"), qPrintable(tested.out));
        QStringList listed = runProgram("unzip", {"-Z1", made.archivePath}).out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(listed.takeFirst(), backup::ManifestName);
        listed.sort();
        QCOMPARE(listed, expected.keys());

        // Into an emptied ProgramDir.
        const QDateTime templateTime = QFileInfo(fixture.dir.file("Wzory/BDR_0001.wmf")).lastModified();
        for (const char *folder : {"Admini", "Dyplomy", "Notatki", "Terminarz", "Wzory"})
            QVERIFY(QDir(fixture.dir.file(QString::fromUtf8(folder))).removeRecursively());
        const backup::RestoreResult restored = backup::restoreBackup(
            made.archivePath, fixture.dir.path(), [](const backup::ConflictGroup &) {
                QTest::qFail("nothing conflicts in an empty ProgramDir", __FILE__, __LINE__);
                return false;
            });
        QCOMPARE(restored.restored, expected.size());
        QCOMPARE(fixture.protectedTree(), expected);
        QCOMPARE(QFileInfo(fixture.dir.file("Wzory/BDR_0001.wmf")).lastModified().toSecsSinceEpoch(),
                 templateTime.toSecsSinceEpoch());
        QVERIFY(!entriesOf(fixture.dir.path()).join(' ').contains(".przywracanie"));

        // A second restore finds everything in place.
        const backup::RestoreResult again = backup::restoreBackup(made.archivePath, fixture.dir.path(), {});
        QCOMPARE(again.restored, 0);
        QCOMPARE(again.unchanged, expected.size());
    }

    void aDiplomaFolderThatIsALinkIsCopiedAndRestoredThroughIt()
    {
        // The per-user ProgramDir's Dyplomy links to ~/Dyplomy.
        BackupFixture fixture(2);
        QTemporaryDir home;
        QVERIFY(QDir(fixture.dir.file("Dyplomy")).removeRecursively());
        writeBytes(home.path() + "/olimpiada.dyp", noise(1064, 42));
        QVERIFY(QFile::link(home.path(), fixture.dir.file("Dyplomy")));
        QVERIFY(QFile::link(home.path() + "/olimpiada.dyp", home.path() + "/skrot.dyp")); // a link inside: skipped
        QTemporaryDir stick;
        const backup::BackupResult made = makeCopy(fixture.dir.path(), stick.path());
        const backup::ArchiveSummary summary = backup::inspectArchive(made.archivePath);
        QStringList names;
        for (const backup::ManifestEntry &e : summary.manifest.entries)
            names << e.name;
        QVERIFY(names.contains("Dyplomy/olimpiada.dyp"));
        QVERIFY(!names.contains("Dyplomy/skrot.dyp"));

        QVERIFY(QFile::remove(home.path() + "/olimpiada.dyp"));
        const backup::RestoreResult r = backup::restoreBackup(made.archivePath, fixture.dir.path(), {});
        QCOMPARE(r.restored, 1);
        QVERIFY(QFileInfo(fixture.dir.file("Dyplomy")).isSymLink());
        QCOMPARE(readBytes(home.path() + "/olimpiada.dyp"), noise(1064, 42));
    }

    void changedFilesAreKeptUnlessTheirGroupIsConfirmed_data()
    {
        QTest::addColumn<bool>("replaceNewer");
        QTest::addColumn<bool>("replaceChanged");
        QTest::newRow("keep both") << false << false;
        QTest::newRow("replace the newer ones only") << true << false;
        QTest::newRow("replace both") << true << true;
    }
    void changedFilesAreKeptUnlessTheirGroupIsConfirmed()
    {
        QFETCH(bool, replaceNewer);
        QFETCH(bool, replaceChanged);
        BackupFixture fixture;
        QTemporaryDir stick;
        const backup::BackupResult made = makeCopy(fixture.dir.path(), stick.path());
        const QMap<QString, QByteArray> original = fixture.protectedTree();

        writeBytes(fixture.dir.file("Dyplomy/dyplom_1.dyp"), "poprawiony"); // newer than the copy
        writeBytes(fixture.dir.file("Notatki/zebranie.txt"), "stara wersja");
        QFile old(fixture.dir.file("Notatki/zebranie.txt"));
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(old.setFileTime(QDateTime(QDate(2020, 1, 1), QTime(8, 0)), QFileDevice::FileModificationTime));
        old.close();
        QVERIFY(QFile::remove(fixture.dir.file("Dyplomy/dyplom_2.dyp")));

        QStringList asked;
        bool listed = true;
        const backup::RestoreResult r = backup::restoreBackup(
            made.archivePath, fixture.dir.path(), [&](const backup::ConflictGroup &g) {
                asked << g.folder + ':' + g.files.join(',');
                listed = listed && g.question().contains(g.files.first());
                return g.kind == backup::ConflictGroup::NewerHere ? replaceNewer : replaceChanged;
            });
        QCOMPARE(asked, (QStringList{"Dyplomy:Dyplomy/dyplom_1.dyp", "Notatki:Notatki/zebranie.txt"}));
        QVERIFY(listed);
        QCOMPARE(readBytes(fixture.dir.file("Dyplomy/dyplom_2.dyp")), original["Dyplomy/dyplom_2.dyp"]);
        QCOMPARE(readBytes(fixture.dir.file("Dyplomy/dyplom_1.dyp")),
                 replaceNewer ? original["Dyplomy/dyplom_1.dyp"] : QByteArray("poprawiony"));
        QCOMPARE(readBytes(fixture.dir.file("Notatki/zebranie.txt")),
                 replaceChanged ? original["Notatki/zebranie.txt"] : QByteArray("stara wersja"));
        QCOMPARE(r.kept, int(!replaceNewer) + int(!replaceChanged));
        QCOMPARE(r.restored, 1 + int(replaceNewer) + int(replaceChanged));
    }

    void badArchivesChangeNothing_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a byte flipped in a template") << "flip"
                                                      << "Wzory/BDR_0001.wmf";
        QTest::newRow("cut short") << "truncate"
                                   << "uszkodzone (to nie jest archiwum ZIP)";
        QTest::newRow("not a ZIP") << "text"
                                   << "nie jest archiwum ZIP";
        QTest::newRow("a foreign ZIP") << "foreign"
                                       << "nie jest kopią";
        QTest::newRow("a list naming ../") << "climb"
                                           << "niedozwolona nazwa";
        QTest::newRow("a file not on the list") << "extra"
                                                << "spoza spisu";
        QTest::newRow("a list naming another folder") << "elsewhere"
                                                      << "niedozwolona nazwa „.config/autostart/x”";
    }
    void badArchivesChangeNothing()
    {
        QFETCH(QString, damage);
        QFETCH(QString, expected);
        BackupFixture fixture;
        QTemporaryDir stick;
        QString archive = makeCopy(fixture.dir.path(), stick.path()).archivePath;
        QByteArray bytes = readBytes(archive);
        if (damage == "flip") {
            // Inside BDR_0001's compressed data: libzip's CRC or our checksum catches it.
            const QByteArray name("Wzory/BDR_0001.wmf");
            int header = bytes.indexOf("PK\x03\x04");
            while (header >= 0 && bytes.mid(header + 30, name.size()) != name)
                header = bytes.indexOf("PK\x03\x04", header + 1);
            QVERIFY(header >= 0);
            const int extra = static_cast<uchar>(bytes[header + 28]) | static_cast<uchar>(bytes[header + 29]) << 8;
            const int at = header + 30 + name.size() + extra + 100;
            bytes[at] = static_cast<char>(bytes[at] ^ 0x55);
            writeBytes(archive, bytes);
        } else if (damage == "truncate") {
            writeBytes(archive, bytes.left(bytes.size() - 30));
        } else if (damage == "text") {
            writeBytes(archive, "to tylko tekst");
        } else if (damage == "foreign") {
            archive = foreignZip(stick.path(), {{"Dyplomy/dyplom_0.dyp", "obcy"}, {"inne.txt", "x"}});
        } else if (damage == "climb" || damage == "extra" || damage == "elsewhere") {
            const QByteArray name = damage == "climb" ? "Dyplomy/../../poza.txt" : ".config/autostart/x";
            const QByteArray list = damage == "extra"
                                        ? QByteArray("{\"format\":1,\"utworzona\":\"2026-12-08T09:30:00\",\"pliki\":[]}")
                                        : "{\"format\":1,\"utworzona\":\"2026-12-08T09:30:00\",\"pliki\":[{\"nazwa\":\""
                                              + name + "\",\"rozmiar\":1,\"sha256\":\"" + QByteArray(64, 'a') + "\"}]}";
            archive = foreignZip(stick.path(), {{backup::ManifestName, list}, {"Dyplomy/dyplom_0.dyp", "obcy"}});
        }
        writeBytes(fixture.dir.file("Dyplomy/dyplom_0.dyp"), "zmieniony po kopii");
        const QMap<QString, QByteArray> before = fileTree(fixture.dir.path());
        int asked = 0;
        const QString failure = failureOf([&] {
            backup::restoreBackup(archive, fixture.dir.path(),
                                  [&](const backup::ConflictGroup &) { return ++asked, true; });
        });
        QVERIFY2(failure.contains(expected), qPrintable(failure));
        QVERIFY2(failure.contains(QFileInfo(archive).fileName()), qPrintable(failure));
        QVERIFY2(!hasEnglish(failure), qPrintable(failure));
        QCOMPARE(asked, 0);
        QCOMPARE(fileTree(fixture.dir.path()), before);
        QCOMPARE(entriesOf(fixture.dir.path()).filter(".przywracanie"), QStringList());
    }

    void aSizeTheListDoesNotGiveIsRefusedBeforeItFillsTheDisk_data()
    {
        QTest::addColumn<bool>("directoryAgrees");
        QTest::newRow("directory declares the true size") << false;
        QTest::newRow("directory under-reports like the list") << true;
    }
    void aSizeTheListDoesNotGiveIsRefusedBeforeItFillsTheDisk()
    {
        QFETCH(bool, directoryAgrees);
        BackupFixture fixture(1);
        QTemporaryDir stick;
        const QByteArray small("0123456789");
        QString archive = listedZip(stick.path(), {{"Dyplomy/bomba.dyp", small}});
        // Swap in 40 MB of zeros under the same name and list.
        const QByteArray huge(40 * 1024 * 1024, '\0');
        QTemporaryDir source;
        QVERIFY(QDir(source.path()).mkpath("Dyplomy"));
        writeBytes(source.path() + "/Dyplomy/bomba.dyp", huge);
        QProcess zip;
        zip.setWorkingDirectory(source.path());
        zip.start("zip", {"-q", archive, "Dyplomy/bomba.dyp"});
        QVERIFY(zip.waitForFinished() && zip.exitCode() == 0);
        if (directoryAgrees) {
            // The uncompressed size in the local header (offset 22) and the directory (24).
            QByteArray bytes = readBytes(archive);
            const QByteArray name("Dyplomy/bomba.dyp");
            for (const auto &[signature, offset] : {std::pair{QByteArray("PK\x03\x04"), 22}, {"PK\x01\x02", 24}}) {
                int at = bytes.indexOf(signature);
                while (at >= 0 && bytes.indexOf(name, at) != at + (offset == 22 ? 30 : 46))
                    at = bytes.indexOf(signature, at + 1);
                QVERIFY(at >= 0);
                const char size[4] = {static_cast<char>(small.size()), 0, 0, 0};
                bytes.replace(at + offset, 4, QByteArray(size, 4));
            }
            writeBytes(archive, bytes);
        }
        const QMap<QString, QByteArray> before = fileTree(fixture.dir.path());
        // Writing more than 1 MB anywhere would fail with another message.
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        rlimit tight{limit};
        tight.rlim_cur = 1024 * 1024;
        const sighandler_t previous = ::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &tight);
        const QString failure = failureOf([&] { backup::restoreBackup(archive, fixture.dir.path(), {}); });
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, previous);
        QVERIFY2(failure.contains(directoryAgrees ? "jest większy, niż podaje spis" : "ma inny rozmiar, niż podaje spis")
                     && failure.contains("Dyplomy/bomba.dyp"),
                 qPrintable(failure));
        QCOMPARE(fileTree(fixture.dir.path()), before);
        QCOMPARE(entriesOf(fixture.dir.path()).filter(".przywracanie"), QStringList());
    }

    void aTreeThatCannotBePlacedChangesNothing_data()
    {
        QTest::addColumn<QString>("here");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a file then a folder of its name") << ""
                                                          << "i zarazem folder o tej nazwie (Dyplomy/lnk";
        QTest::newRow("a file here on the way") << "file"
                                                << "Dyplomy/lnk w folderze programu nie jest";
        QTest::newRow("a link here on the way") << "link"
                                                << "Dyplomy/lnk w folderze programu nie jest";
    }
    void aTreeThatCannotBePlacedChangesNothing()
    {
        QFETCH(QString, here);
        QFETCH(QString, expected);
        BackupFixture fixture(1);
        QTemporaryDir stick;
        QTemporaryDir outside;
        writeBytes(outside.path() + "/through.txt", "poza folderem programu");
        QList<QPair<QString, QByteArray>> entries{{"Dyplomy/a.dyp", "pierwszy"}};
        if (here.isEmpty())
            entries << QPair<QString, QByteArray>{"Dyplomy/lnk", outside.path().toUtf8()};
        entries << QPair<QString, QByteArray>{"Dyplomy/lnk/through.txt", "z archiwum"};
        const QString archive = listedZip(stick.path(), entries);
        if (here == "file")
            writeBytes(fixture.dir.file("Dyplomy/lnk"), "zwykły plik");
        else if (here == "link")
            QVERIFY(QFile::link(outside.path(), fixture.dir.file("Dyplomy/lnk")));
        const QMap<QString, QByteArray> before = fileTree(fixture.dir.path());
        const QString failure = failureOf([&] { backup::restoreBackup(archive, fixture.dir.path(), {}); });
        QVERIFY2(failure.contains(expected) && failure.contains("nie zostało zmienione"), qPrintable(failure));
        QCOMPARE(fileTree(fixture.dir.path()), before);
        QCOMPARE(readBytes(outside.path() + "/through.txt"), QByteArray("poza folderem programu"));
        QCOMPARE(entriesOf(outside.path()), QStringList{"through.txt"});
    }

    void aLinkHereIsNotWrittenThrough()
    {
        BackupFixture fixture(1);
        QTemporaryDir stick;
        QTemporaryDir outside;
        writeBytes(outside.path() + "/cudzy.txt", "nie ruszać");
        QVERIFY(QFile::link(outside.path() + "/cudzy.txt", fixture.dir.file("Dyplomy/skrot.dyp")));
        const QString archive = listedZip(stick.path(), {{"Dyplomy/skrot.dyp", "z archiwum"}});
        const backup::RestoreResult r = backup::restoreBackup(archive, fixture.dir.path(),
                                                              [](const backup::ConflictGroup &) { return true; });
        QCOMPARE(r.keptFiles, QStringList{"Dyplomy/skrot.dyp"});
        QCOMPARE(readBytes(outside.path() + "/cudzy.txt"), QByteArray("nie ruszać"));
        QVERIFY(QFileInfo(fixture.dir.file("Dyplomy/skrot.dyp")).isSymLink());
    }

    // Entries another program could put in an archive: after each, nothing
    // outside the ProgramDir changed, nothing inside is lost and no link,
    // FIFO or device appeared.
    void hostileEntriesNeverReachOutside_data()
    {
        QTest::addColumn<QStringList>("names"); // "@" stands for the folder outside
        QTest::addColumn<QList<uint>>("modes");
        QTest::addColumn<QString>("expected"); // empty: restored as plain files
        const uint file = 0100644, link = 0120777;
        QTest::newRow("absolute path") << QStringList{"@/poza.txt"} << QList<uint>{file} << "niedozwolona nazwa";
        QTest::newRow("../ in the entry")
            << QStringList{"Dyplomy/../../poza.txt"} << QList<uint>{file} << "niedozwolona nazwa";
        QTest::newRow("backslashes") << QStringList{"Dyplomy\\..\\..\\poza.txt"} << QList<uint>{file}
                                     << "niedozwolona nazwa";
        QTest::newRow("names differing only by case")
            << QStringList{"Dyplomy/Ala.dyp", "Dyplomy/ala.dyp"} << QList<uint>{file, file} << "powtórzona nazwa";
        QTest::newRow("a folder another program added")
            << QStringList{"Dyplomy/a.dyp", "Moje dokumenty/b.txt"} << QList<uint>{file, file} << "niedozwolona nazwa";
        QTest::newRow("a link entry") << QStringList{"Dyplomy/lnk"} << QList<uint>{link} << QString();
        QTest::newRow("a link entry, then a file written through it")
            << QStringList{"Dyplomy/lnk", "Dyplomy/lnk/poza.txt"} << QList<uint>{link, file} << "zarazem folder";
        QTest::newRow("a FIFO entry") << QStringList{"Dyplomy/fifo"} << QList<uint>{0010644} << QString();
        QTest::newRow("a device entry") << QStringList{"Dyplomy/dysk", "Notatki/tty"} << QList<uint>{0060660, 0020620}
                                        << QString();
    }
    void hostileEntriesNeverReachOutside()
    {
        QFETCH(QStringList, names);
        QFETCH(QList<uint>, modes);
        QFETCH(QString, expected);
        BackupFixture fixture(2);
        QTemporaryDir stick;
        QTemporaryDir outside;
        writeBytes(outside.path() + "/poza.txt", "poza folderem programu");
        QList<QPair<QString, QByteArray>> entries;
        QMap<QString, uint> modeOf;
        for (int i = 0; i < names.size(); ++i) {
            const QString name = QString(names[i]).replace('@', outside.path());
            // A link entry holds its target, as Info-ZIP stores it.
            entries << QPair<QString, QByteArray>{name, modes[i] == 0120777 ? outside.path().toUtf8() : "z archiwum"};
            modeOf[name] = modes[i];
        }
        const QString archive = listedZip(stick.path(), entries, modeOf);
        const QMap<QString, QByteArray> outsideBefore = fileTree(outside.path());
        const QMap<QString, QByteArray> before = fileTree(fixture.dir.path());
        const QString failure = failureOf([&] { backup::restoreBackup(archive, fixture.dir.path(), {}); });
        if (expected.isEmpty())
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
        else
            QVERIFY2(failure.contains(expected) && failure.contains("nic nie zostało zmienione", Qt::CaseInsensitive),
                     qPrintable(failure));
        QCOMPARE(fileTree(outside.path()), outsideBefore);
        QCOMPARE(oddEntries(fixture.dir.path()), QStringList());
        QMap<QString, QByteArray> after = fileTree(fixture.dir.path());
        if (!expected.isEmpty())
            QCOMPARE(after, before);
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(after.value(it.key()), it.value());
        for (const auto &[name, bytes] : entries) {
            if (expected.isEmpty())
                QCOMPARE(after.value(name), bytes);
        }
        QCOMPARE(entriesOf(fixture.dir.path()).filter(".przywracanie"), QStringList());
    }

    // A link inside the data folders (to /etc/shadow, to a folder outside) is
    // left out and named; so is a file this user cannot read; the rest is copied.
    void backingUpNamesWhatItLeavesOut()
    {
        BackupFixture fixture(2);
        QVERIFY(QFile::link("/etc/shadow", fixture.dir.file("Dyplomy/shadow.dyp")));
        QVERIFY(QFile::link("/etc", fixture.dir.file("Notatki/etc")));
        writeBytes(fixture.dir.file("Dyplomy/tajny.dyp"), "bez prawa odczytu");
        QVERIFY(letOthersIn(fixture.dir.file("Dyplomy/tajny.dyp"), 0));
        const bool root = ::geteuid() == 0; // root reads it all the same
        QMap<QString, QByteArray> expected = fileTree(fixture.dir.path());
        expected.remove(companions::ArchiverConfigFileName);
        for (const char *name : {"Dyplomy/shadow.dyp", "Notatki/etc"})
            expected.remove(name);
        if (!root)
            expected.remove("Dyplomy/tajny.dyp");
        QTemporaryDir stick;
        const backup::BackupResult made = makeCopy(fixture.dir.path(), stick.path());
        QCOMPARE(made.skippedLinks, (QStringList{"Dyplomy/shadow.dyp", "Notatki/etc"}));
        QCOMPARE(made.unreadableFiles, root ? QStringList() : QStringList{"Dyplomy/tajny.dyp"});
        QCOMPARE(made.files, expected.size());

        for (const char *folder : {"Dyplomy", "Notatki", "Wzory"})
            QVERIFY(QDir(fixture.dir.file(QString::fromUtf8(folder))).removeRecursively());
        backup::restoreBackup(made.archivePath, fixture.dir.path(), {});
        QMap<QString, QByteArray> restored = fixture.protectedTree();
        QCOMPARE(restored, expected);
    }

    void cancellingLeavesNothingBehind()
    {
        BackupFixture fixture;
        QTemporaryDir stick;
        for (const int phase : {0, 1, 2}) {
            const QString failure = failureOf([&] {
                makeCopy(fixture.dir.path(), stick.path(),
                         [&](qint64 done, qint64 total) { return done * 3 < total * (phase + 0.5); });
            });
            QCOMPARE(failure, backup::Cancelled().message());
            QCOMPARE(entriesOf(stick.path()), QStringList());
        }
        const QString archive = makeCopy(fixture.dir.path(), stick.path()).archivePath;
        writeBytes(fixture.dir.file("Dyplomy/dyplom_3.dyp"), "zmieniony");
        QVERIFY(QFile::remove(fixture.dir.file("Dyplomy/dyplom_4.dyp")));
        const QMap<QString, QByteArray> before = fileTree(fixture.dir.path());
        QCOMPARE(failureOf([&] {
                     backup::restoreBackup(
                         archive, fixture.dir.path(), [](const auto &) { return true; },
                         [](qint64 done, qint64 total) { return done * 2 < total; });
                 }),
                 backup::Cancelled().message());
        QCOMPARE(fileTree(fixture.dir.path()), before);
    }

    void aFullMediumLeavesNoArchive()
    {
        if (::geteuid() != 0)
            QSKIP("mounting a small tmpfs needs root (CI runs as root)");
        BackupFixture fixture;
        // Incompressible, so the archive cannot fit in 256 kB.
        writeBytes(fixture.dir.file("Dyplomy/skan.dyp"), noise(1024 * 1024, 5));
        QTemporaryDir stick;
        if (::mount("tmpfs", QFile::encodeName(stick.path()).constData(), "tmpfs", 0, "size=256k") != 0)
            QSKIP("tmpfs cannot be mounted here");
        const QString failure = failureOf([&] { makeCopy(fixture.dir.path(), stick.path()); });
        const QStringList left = entriesOf(stick.path());
        ::umount(QFile::encodeName(stick.path()).constData());
        QVERIFY2(failure.startsWith("Brak miejsca na nośniku") && failure.contains(stick.path()), qPrintable(failure));
        QCOMPARE(left, QStringList());
    }

    void writeFailuresLeaveNoArchive_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file-size limit") << "limit"
                                         << "Brak miejsca na nośniku";
        QTest::newRow("stick pulled out while writing") << "removed"
                                                        << "Sprawdź, czy nośnik jest podłączony";
    }
    void writeFailuresLeaveNoArchive()
    {
        QFETCH(QString, failure);
        QFETCH(QString, expected);
        BackupFixture fixture;
        writeBytes(fixture.dir.file("Dyplomy/skan.dyp"), noise(512 * 1024, 5));
        QTemporaryDir mount;
        const QString stick = mount.path() + "/PENDRIVE";
        QVERIFY(QDir().mkpath(stick));
        rlimit before{};
        ::getrlimit(RLIMIT_FSIZE, &before);
        const sighandler_t previous = ::signal(SIGXFSZ, SIG_IGN);
        QString message;
        if (failure == "limit") {
            rlimit small = before;
            small.rlim_cur = 64 * 1024;
            ::setrlimit(RLIMIT_FSIZE, &small);
            message = failureOf([&] { makeCopy(fixture.dir.path(), stick); });
            ::setrlimit(RLIMIT_FSIZE, &before);
        } else {
            message = failureOf([&] {
                makeCopy(fixture.dir.path(), stick, [&](qint64 done, qint64 total) {
                    if (done * 3 > total * 1.5) // halfway through writing
                        QDir(stick).removeRecursively();
                    return true;
                });
            });
        }
        ::signal(SIGXFSZ, previous);
        QVERIFY2(message.contains(expected) && message.contains(stick), qPrintable(message));
        QCOMPARE(QFileInfo(stick).isDir() ? entriesOf(stick) : QStringList(), QStringList());
    }

    void aReadOnlyMediumIsNamedInPolish()
    {
        if (::geteuid() != 0)
            QSKIP("mounting a tmpfs needs root (CI runs as root)");
        BackupFixture fixture(1);
        QTemporaryDir stick;
        const QByteArray at = QFile::encodeName(stick.path());
        QVERIFY(::mount("tmpfs", at.constData(), "tmpfs", MS_RDONLY, "size=1m") == 0);
        const QString failure = failureOf([&] { makeCopy(fixture.dir.path(), stick.path()); });
        const QStringList left = entriesOf(stick.path());
        ::umount(at.constData());
        QVERIFY2(failure.contains("system plików tylko do odczytu") && !hasEnglish(failure), qPrintable(failure));
        QCOMPARE(left, QStringList());
    }

    void aMissingDestinationIsNamed()
    {
        BackupFixture fixture(1);
        const QString failure = failureOf([&] { makeCopy(fixture.dir.path(), "/nonexistent-dyplom/usb"); });
        QVERIFY2(failure.contains("/nonexistent-dyplom/usb") && failure.contains("nie istnieje"), qPrintable(failure));
    }

    void registerRecordsBothOperations()
    {
        BackupFixture fixture(1);
        QCOMPARE(backup::readRegister(fixture.dir.path()).size(), 0);
        backup::RegisterEntry made{backup::RegisterEntry::Backup,
                                   When,
                                   40,
                                   5'000'000'000ULL,
                                   0,
                                   0,
                                   "/media/usb/kopia-dyplomy-2026-12-08-0930.zip"};
        backup::RegisterEntry back{backup::RegisterEntry::Restore, When.addSecs(60), 3, 0, 2, 35,
                                   QString(300, QChar(0x0105))}; // 600 bytes of UTF-8: cut between characters
        backup::appendToRegister(fixture.dir.path(), back);
        backup::appendToRegister(fixture.dir.path(), made);
        QCOMPARE(readBytes(fixture.dir.file("Admini/data_ar.dat")).size(), 32);
        QCOMPARE(readBytes(fixture.dir.file("Admini/data_adr.dat")).size(), 512);
        QCOMPARE(readBytes(fixture.dir.file("Admini/data_or.dat")).size(), 32);
        QCOMPARE(readBytes(fixture.dir.file("Admini/data_odr.dat")).size(), 512);
        const QList<backup::RegisterEntry> read = backup::readRegister(fixture.dir.path());
        QCOMPARE(read.size(), 2);
        QCOMPARE(read[0].kind, backup::RegisterEntry::Backup);
        QCOMPARE(read[0].bytes, 5'000'000'000ULL);
        QCOMPARE(read[0].archive, made.archive);
        QCOMPARE(read[1].when, back.when);
        QCOMPARE((QList<quint32>{read[1].files, read[1].kept, read[1].unchanged}), (QList<quint32>{3, 2, 35}));
        QCOMPARE(read[1].archive, QString(255, QChar(0x0105)));

        // A path file left longer by an earlier failed append is brought back in step.
        QFile paths(fixture.dir.file("Admini/data_adr.dat"));
        QVERIFY(paths.open(QIODevice::Append));
        paths.write(backup::encodePathRecord("/sierota.zip"));
        paths.close();
        made.archive = "/druga.zip";
        backup::appendToRegister(fixture.dir.path(), made);
        const QList<backup::RegisterEntry> after = backup::readRegister(fixture.dir.path());
        QCOMPARE(after.size(), 3);
        QCOMPARE(after[1].archive, QStringLiteral("/druga.zip"));
        // A cut-off record at the end is passed over.
        QVERIFY(QFile::resize(fixture.dir.file("Admini/data_or.dat"), 40));
        QCOMPARE(backup::readRegister(fixture.dir.path()).size(), 3);
    }

    void removableMediaAreRecognised_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("removable");
        QTest::newRow("desktop mount") << "/media/ala/PENDRIVE"
                                       << "/dev/sdz1" << true;
        QTest::newRow("udisks mount") << "/run/media/ala/KARTA"
                                      << "/dev/mmcblk9p1" << true;
        QTest::newRow("removable flag") << "/mnt/x"
                                        << "/dev/sdb1" << true;
        QTest::newRow("card by flag") << "/mnt/y"
                                      << "/dev/mmcblk0p2" << true;
        QTest::newRow("fixed disk") << "/"
                                    << "/dev/sda2" << false;
        QTest::newRow("no device") << "/tmp"
                                   << "tmpfs" << false;
    }
    void removableMediaAreRecognised()
    {
        QFETCH(QString, root);
        QFETCH(QString, device);
        QFETCH(bool, removable);
        QTemporaryDir sys;
        for (const auto &[disk, flag] : {std::pair{"sdb", "1\n"}, {"sda", "0\n"}, {"mmcblk0", "1\n"}}) {
            QVERIFY(QDir(sys.path()).mkpath(QStringLiteral("class/block/") + disk));
            writeBytes(sys.path() + "/class/block/" + disk + "/removable", flag);
        }
        QCOMPARE(backup::looksRemovable(root, device, sys.path()), removable);
    }

    // Copies and restores once more as an ordinary user owning the ProgramDir.
    void anOrdinaryUserCopiesAndRestores()
    {
        if (::geteuid() != 0)
            return; // this run is the ordinary user's already
        QTemporaryDir work;
        QVERIFY(letOthersIn(work.path(), 0777));
        const HelperRun run = runAsOrdinaryUser(QCoreApplication::applicationFilePath(),
                                                {"copyRestoresByteForByte",
                                                 "changedFilesAreKeptUnlessTheirGroupIsConfirmed",
                                                 "aTreeThatCannotBePlacedChangesNothing", "aLinkHereIsNotWrittenThrough",
                                                 "aSizeTheListDoesNotGiveIsRefusedBeforeItFillsTheDisk",
                                                 "hostileEntriesNeverReachOutside", "backingUpNamesWhatItLeavesOut"},
                                                work.path());
        QVERIFY2(run.started && run.exitCode == 0 && run.output.contains(" 0 failed"),
                 qPrintable(run.output + run.errors));
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
