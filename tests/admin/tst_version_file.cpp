// The installed-version file and the reading of the version information.
#include "admin/UpdateCheck.h"
#include "admin/VersionRecord.h"
#include "platform/IoError.h"

#include "FileBytes.h"
#include "ScriptedPlatform.h"
#include "TempProgramDir.h"

#include <QFile>
#include <QtTest>

using namespace narzedzia_admini;

namespace {} // namespace

class TestVersionFile : public QObject {
    Q_OBJECT
private slots:
    void createdWhenMissing()
    {
        TempProgramDir dir;
        createVersionFileIfMissing(dir.path());
        QCOMPARE(readBytesOrMissing(dir.file("Admini/wer.dat")), QByteArray("\x05"
                                                                            "20306\0\0\0\0\0",
                                                                            11));
        QCOMPARE(readInstalledVersion(dir.path()), QStringLiteral("20306"));
    }

    void anExistingFileIsNotTouched()
    {
        TempProgramDir dir{QStringList{QStringLiteral("ADMINI")}};
        const QByteArray earlier("\x05"
                                 "20105XXXXXtrailing");
        writeBytes(dir.file("ADMINI/WER.DAT"), earlier);
        const QDateTime modified = QFileInfo(dir.file("ADMINI/WER.DAT")).lastModified();
        createVersionFileIfMissing(dir.path());
        QCOMPARE(readBytesOrMissing(dir.file("ADMINI/WER.DAT")), earlier);
        QCOMPARE(QFileInfo(dir.file("ADMINI/WER.DAT")).lastModified(), modified);
        QCOMPARE(QDir(dir.file("ADMINI")).entryList(QDir::Files), QStringList{QStringLiteral("WER.DAT")});
        QCOMPARE(readInstalledVersion(dir.path()), QStringLiteral("20105"));
    }

    void missingFolderIsAnError()
    {
        TempProgramDir dir{QStringList{}};
        QVERIFY_THROWS_EXCEPTION(platform::IoError, createVersionFileIfMissing(dir.path()));
    }

    void shortInstalledFileIsAReadError()
    {
        TempProgramDir dir;
        writeBytes(dir.file("Admini/wer.dat"), "\x05"
                                               "203");
        try {
            readInstalledVersion(dir.path());
            QFAIL("no error");
        } catch (const platform::IoError &error) {
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Read beyond end of file"));
        }
    }

    void versionInfoLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("description");
        QTest::newRow("CR LF") << QByteArray("20307\r\nd\r\n3.07\r\n") << "20307"
                               << "d"
                               << "3.07";
        QTest::newRow("LF") << QByteArray("20307\nk\n3.07") << "20307"
                            << "k"
                            << "3.07";
        QTest::newRow("CR") << QByteArray("20307\rk\r3.07\r") << "20307"
                            << "k"
                            << "3.07";
        QTest::newRow("empty line in between") << QByteArray("20307\r\n\r\nopis") << "20307"
                                               << ""
                                               << "opis";
        QTest::newRow("one line") << QByteArray("20307") << "20307"
                                  << ""
                                  << "";
        QTest::newRow("empty") << QByteArray() << ""
                               << ""
                               << "";
        QTest::newRow("trailing blanks kept") << QByteArray("20306 \nk \n2.4  \n") << "20306 "
                                              << "k "
                                              << "2.4  ";
        QTest::newRow("more lines ignored") << QByteArray("1\n2\n3\n4\n5\n") << "1"
                                            << "2"
                                            << "3";
        QTest::newRow("Windows-1250") << QByteArray("20307\nd\nWersja 3.07 \x96 \xb9\xea\xb3\x9c\x9f\xbf") << "20307"
                                      << "d" << QStringLiteral("Wersja 3.07 – ąęłśźż");
    }
    void versionInfoLines()
    {
        QFETCH(QByteArray, content);
        const VersionInfo info = parseVersionInfo(content);
        QTEST(info.publishedCode, "code");
        QTEST(info.kind, "kind");
        QTEST(info.description, "description");
    }

    void outcomeWhenCodesAreEqualAndTheKindIsUnknown()
    {
        QCOMPARE(updateOutcome(QStringLiteral("20306"), VersionInfo{QStringLiteral("20306"), QStringLiteral("x"), {}}),
                 std::nullopt);
        QCOMPARE(updateOutcome(QStringLiteral("20306"), VersionInfo{QStringLiteral("20307"), QStringLiteral("x"), "d"}),
                 std::optional<QString>(paidUpdateMessage(QStringLiteral("d"))));
    }

    void longDescriptionsAreKeptWhole()
    {
        const QString description(5000, QLatin1Char('x'));
        const QByteArray content = "20306\nd\n" + description.toLatin1();
        const VersionInfo info = parseVersionInfo(content);
        QCOMPARE(info.description, description);
        QVERIFY(freeUpdateMessage(info.description).endsWith(description));
    }
};

QTEST_GUILESS_MAIN(TestVersionFile)
#include "tst_version_file.moc"
