#include "companions/ArchiverConfig.h"
#include "platform/IoError.h"
#include "platform/RecordBytes.h"

#include "FileBytes.h"
#include "TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using companions::ArchiverConfigRecord;

namespace {

constexpr int SlotSize = ArchiverConfigRecord::SlotSize;

int slotLength(const QByteArray &bytes, int slot)
{
    return static_cast<unsigned char>(bytes.at(slot * SlotSize));
}

QByteArray slotText(const QByteArray &bytes, int slot)
{
    return bytes.mid(slot * SlotSize + 1, slotLength(bytes, slot));
}

// Everything after a slot's text is zero, up to the next slot.
bool tailIsZero(const QByteArray &bytes, int slot)
{
    const int from = slot * SlotSize + 1 + slotLength(bytes, slot);
    for (int i = from; i < (slot + 1) * SlotSize; ++i)
        if (bytes.at(i) != '\0')
            return false;
    return true;
}

} // namespace

class TestArchiverConfig : public QObject {
    Q_OBJECT
private slots:
    void windowsStyleFolder()
    {
        // The classic example: C:\Edytor with "\" as the separator.
        const QByteArray b = encodeArchiverConfig(
            companions::buildArchiverConfig(QStringLiteral("C:\\Edytor"), QLatin1Char('\\')));
        QCOMPARE(b.size(), 10452);
        QCOMPARE(slotLength(b, 0), 10);
        QCOMPARE(slotText(b, 0), QByteArray("C:\\Edytor\\"));
        QCOMPARE(slotLength(b, 2), 21);
        QCOMPARE(slotText(b, 2), QByteArray("C:\\Edytor\\Dyplomy\\*.*"));
        QCOMPARE(slotLength(b, 51), 9);
        QCOMPARE(slotText(b, 51), QByteArray("C:\\Edytor"));
    }

    void nativeFolder()
    {
        const QString dir = QStringLiteral("/srv/Edytor");
        const QByteArray b = encodeArchiverConfig(companions::buildArchiverConfig(dir));
        const QChar s = QDir::separator();
        const QStringList expected = {dir + s,
                                      dir + s + "Admini" + s + "*.*",
                                      dir + s + "Dyplomy" + s + "*.*",
                                      dir + s + "Notatki" + s + "*.*",
                                      dir + s + "Terminarz" + s + "*.*",
                                      dir + s + "Wzory" + s + "*.*"};
        for (int slot = 0; slot < 6; ++slot) {
            QCOMPARE(QString::fromLatin1(slotText(b, slot)), QDir::toNativeSeparators(expected[slot]));
            QVERIFY(tailIsZero(b, slot));
        }
        QCOMPARE(slotText(b, 51), QDir::toNativeSeparators(dir).toLatin1());
        QVERIFY(!slotText(b, 51).endsWith(s.toLatin1()));
        QVERIFY(tailIsZero(b, 51));
        for (int i = 6 * SlotSize; i < 51 * SlotSize; ++i)
            QVERIFY2(b.at(i) == '\0', qPrintable(QStringLiteral("byte %1").arg(i)));
    }

    void filesystemRoot()
    {
        const QByteArray b = encodeArchiverConfig(companions::buildArchiverConfig(QStringLiteral("/"), QLatin1Char('/')));
        QCOMPARE(slotText(b, 0), QByteArray("//"));
        QCOMPARE(slotText(b, 1), QByteArray("//Admini/*.*"));
        QCOMPARE(slotText(b, 4), QByteArray("//Terminarz/*.*"));
        QCOMPARE(slotText(b, 5), QByteArray("//Wzory/*.*"));
        QCOMPARE(slotText(b, 51), QByteArray("/"));

        const QByteArray w = encodeArchiverConfig(
            companions::buildArchiverConfig(QStringLiteral("C:\\"), QLatin1Char('\\')));
        QCOMPARE(slotText(w, 0), QByteArray("C:\\\\"));
        QCOMPARE(slotText(w, 2), QByteArray("C:\\\\Dyplomy\\*.*"));
    }

    void longProgramDir()
    {
        // 186 characters still fit "/Terminarz/*.*" (14) in 200 bytes.
        const QString fits = QLatin1Char('/') + QString(185, QLatin1Char('a'));
        QByteArray b = encodeArchiverConfig(companions::buildArchiverConfig(fits, QLatin1Char('/')));
        QCOMPARE(slotLength(b, 4), 200);
        QVERIFY(slotText(b, 4).endsWith("/Terminarz/*.*"));

        const QString tooLong = QLatin1Char('/') + QString(189, QLatin1Char('a'));
        b = encodeArchiverConfig(companions::buildArchiverConfig(tooLong, QLatin1Char('/')));
        QCOMPARE(b.size(), 10452);
        QCOMPARE(slotLength(b, 4), 200);
        QCOMPARE(slotText(b, 4), (tooLong + "/Terminarz/*.*").left(200).toLatin1());
        QVERIFY(slotText(b, 4).endsWith("/Terminarz"));
        QCOMPARE(slotLength(b, 5), 200); // "/Wzory/*.*" loses its end too
        QCOMPARE(slotLength(b, 0), 191);
        QCOMPARE(slotLength(b, 51), 190);
        // The cut never spills into the next slot.
        QCOMPARE(slotLength(b, 6), 0);
        QCOMPARE(b.at(6 * SlotSize - 1), slotText(b, 5).at(199));

        const QString huge = QLatin1Char('/') + QString(250, QLatin1Char('b'));
        b = encodeArchiverConfig(companions::buildArchiverConfig(huge, QLatin1Char('/')));
        QCOMPARE(slotLength(b, 51), 200);
        QCOMPARE(slotLength(b, 0), 200);
    }

    void polishLetters()
    {
        const QString dir = QStringLiteral("/dane/Zażółć gęślą jaźń");
        const QByteArray b = encodeArchiverConfig(companions::buildArchiverConfig(dir, QLatin1Char('/')));
        QCOMPARE(slotLength(b, 51), int(dir.size()));
        QCOMPARE(slotText(b, 51), QByteArray("/dane/Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1"));
        QCOMPARE(slotLength(b, 1), int(dir.size()) + 11); // "/Admini/*.*"
        // No mapping in the code page: "?", still one byte.
        const QByteArray q = encodeArchiverConfig(
            companions::buildArchiverConfig(QStringLiteral("/x日"), QLatin1Char('/')));
        QCOMPARE(slotText(q, 51), QByteArray("/x?"));
    }

    void writtenAtEveryStart()
    {
        TempProgramDir dir;
        const QString file = dir.file(QStringLiteral("archiwizator_config.dat"));
        companions::ZapiszKonfiguracjeArchiwizatora(dir.path());
        QByteArray first = readBytes(file);
        QCOMPARE(first.size(), 10452);
        QCOMPARE(first, encodeArchiverConfig(companions::buildArchiverConfig(dir.path())));

        // An older, longer file is replaced, not overwritten in place.
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(30000, 'x'));
        }
        companions::ZapiszKonfiguracjeArchiwizatora(dir.path());
        QCOMPARE(readBytes(file), first);
        companions::ZapiszKonfiguracjeArchiwizatora(dir.path());
        QCOMPARE(readBytes(file).size(), 10452);
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"archiwizator_config.dat"});
    }

    void writtenInCurrentDirectoryCaseInsensitively()
    {
        TempProgramDir dir;
        const QString upper = dir.file(QStringLiteral("ARCHIWIZATOR_CONFIG.DAT"));
        {
            QFile f(upper);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        companions::ZapiszKonfiguracjeArchiwizatora(QStringLiteral("/gdzie/indziej"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"ARCHIWIZATOR_CONFIG.DAT"});
        const QByteArray b = readBytes(upper);
        QCOMPARE(b.size(), 10452);
        QCOMPARE(slotText(b, 51), QByteArray("/gdzie/indziej"));
    }

    void realFolderWithPolishLetters()
    {
        TempProgramDir dir;
        const QString name = QStringLiteral("Dyplomy śródroczne");
        QVERIFY(QDir(dir.path()).mkdir(name));
        const QString programDir = dir.file(name);
        QVERIFY(QDir::setCurrent(programDir));
        companions::ZapiszKonfiguracjeArchiwizatora(programDir);
        const QByteArray b = readBytes(programDir + QStringLiteral("/archiwizator_config.dat"));
        QCOMPARE(b.size(), 10452);
        QCOMPARE(slotLength(b, 51), int(programDir.size()));
        QVERIFY(slotText(b, 51).endsWith("Dyplomy \x9Cr\xF3"
                                         "droczne"));
        QCOMPARE(platform::getShortString(b, 51 * SlotSize, 200), programDir);
    }

    void folderInTheWayIsAccessDenied()
    {
        TempProgramDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("archiwizator_config.dat")));
        try {
            companions::ZapiszKonfiguracjeArchiwizatora(dir.path());
            QFAIL("no error raised");
        } catch (const platform::IoError &e) {
            QCOMPARE(e.code(), platform::IoCode::AccessDenied);
        }
        QVERIFY(QFileInfo(dir.file(QStringLiteral("archiwizator_config.dat"))).isDir());
    }
};

QTEST_GUILESS_MAIN(TestArchiverConfig)
#include "tst_archiverconfig.moc"
