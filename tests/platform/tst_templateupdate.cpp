// A per-user catalogue across package upgrades and school designs: what
// follows the package, what never moves, and what the folder records.
#include "platform/TemplateUpdate.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace platform;

namespace {

void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString name(int n)
{
    return QStringLiteral("/Wzory/BDR_%1.wmf").arg(n, 4, 10, QLatin1Char('0'));
}

QByteArray werDat(const QByteArray &code)
{
    QByteArray bytes(11, '\0');
    bytes[0] = char(code.size());
    bytes.replace(1, code.size(), code);
    return bytes;
}

// A shipped folder whose manifest lists every version given to ship().
struct Package {
    QString dir;
    void ship(int n, const QByteArray &bytes, const QByteArray &code)
    {
        put(dir + name(n), bytes);
        QFile m(dir + '/' + ShippedManifest);
        QVERIFY(m.open(QIODevice::Append));
        m.write(QStringLiteral("%1 ").arg(n, 4, 10, QLatin1Char('0')).toLatin1()
                + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + ' ' + code + '\n');
    }
    void version(const QByteArray &code) { put(dir + "/Admini/wer.dat", werDat(code)); }
    void withdraw(int n) { QVERIFY(QFile::remove(dir + name(n))); }
};

struct Machine {
    QTemporaryDir root;
    Package shipped{root.filePath("usr/share/dyplom")};
    QString school = root.filePath("usr/local/share/dyplom");
    QString user = root.filePath("home/.local/share/dyplom");
    QStringList update() { return updateTemplates(user, shipped.dir, school); }
    QByteArray at(int n) const { return bytesOf(user + name(n)); }
    int count() const { return QDir(user + "/Wzory").entryList(QDir::Files).size(); }
};

// A table of designs: number to title.
QByteArray layoutTable(const QMap<int, QString> &titles)
{
    QJsonArray designs;
    for (auto it = titles.cbegin(); it != titles.cend(); ++it)
        designs.append(QJsonObject{{"number", it.key()}, {"file", "BDR_x.wmf"}, {"title", it.value()}});
    return QJsonDocument(QJsonObject{{"format", 1}, {"designs", designs}}).toJson();
}

// The user's table: number to title, and each entry's file name agrees.
QMap<int, QString> titlesIn(const QByteArray &json)
{
    QMap<int, QString> out;
    const QJsonArray designs = QJsonDocument::fromJson(json).object().value("designs").toArray();
    for (const auto &v : designs) {
        const int n = v.toObject().value("number").toInt();
        out.insert(n, v.toObject().value("title").toString());
        if (v.toObject().value("file").toString() != QStringLiteral("BDR_%1.wmf").arg(n, 4, 10, QLatin1Char('0')))
            out.insert(-n, "wrong file name");
    }
    return out;
}

} // namespace

class TestTemplateUpdate : public QObject {
    Q_OBJECT
private slots:
    // Version N to N+1: the unchanged template follows, the user's change
    // and own design stay, a new template whose number the user took goes
    // to the lowest free number and is later updated there, a withdrawn one
    // stays, and wer.dat follows the version.
    void upgradeKeepsWhatTheUserMade()
    {
        Machine m;
        for (int n : {1, 2, 3})
            m.shipped.ship(n, "v1 of " + QByteArray::number(n), "20306");
        m.shipped.version("20306");
        QVERIFY(m.update().isEmpty());
        QCOMPARE(m.at(2), QByteArray("v1 of 2"));
        QCOMPARE(bytesOf(m.user + "/Admini/wer.dat"), werDat("20306"));

        put(m.user + name(2), "changed by the teacher");
        put(m.user + name(4), "own design");
        put(m.user + name(6), "own design far away");
        put(m.user + "/Admini/wer.dat", werDat("20306")); // the start-up sequence's own copy

        m.shipped.ship(1, "v2 of 1", "20307");
        m.shipped.ship(2, "v2 of 2", "20307");
        m.shipped.ship(4, "new in v2", "20307");
        m.shipped.withdraw(3);
        m.shipped.version("20307");
        QVERIFY(m.update().isEmpty());
        QCOMPARE(m.at(1), QByteArray("v2 of 1"));
        QCOMPARE(m.at(2), QByteArray("changed by the teacher"));
        QCOMPARE(m.at(3), QByteArray("v1 of 3"));
        QCOMPARE(m.at(4), QByteArray("own design"));
        QCOMPARE(m.at(5), QByteArray("new in v2")); // the lowest free number
        QCOMPARE(m.at(6), QByteArray("own design far away"));
        QCOMPARE(m.count(), 6);
        QCOMPARE(bytesOf(m.user + "/Admini/wer.dat"), werDat("20307"));

        // The next version updates the relocated one in place.
        m.shipped.ship(4, "v3 of 4", "20308");
        m.shipped.version("20308");
        QVERIFY(m.update().isEmpty());
        QCOMPARE(m.at(4), QByteArray("own design"));
        QCOMPARE(m.at(5), QByteArray("v3 of 4"));
        QCOMPARE(m.count(), 6);

        // Same version again: wer.dat as the user's programs left it.
        put(m.user + "/Admini/wer.dat", werDat("12345"));
        QVERIFY(m.update().isEmpty());
        QCOMPARE(bytesOf(m.user + "/Admini/wer.dat"), werDat("12345"));
        const QMap<int, TemplateOrigin> origins = templateOrigins(m.user, m.shipped.dir);
        QCOMPARE(origins.value(1), TemplateOrigin::Shipped);
        QCOMPARE(origins.value(4), TemplateOrigin::Own);
        QCOMPARE(origins.value(5), TemplateOrigin::Shipped);
        QCOMPARE(origins.value(6), TemplateOrigin::Own);
    }

    // A template the user deleted comes back (the catalogue stays gap-free);
    // a fresh folder gets everything at its own number.
    void missingTemplatesComeBack()
    {
        Machine m;
        for (int n : {1, 2, 3})
            m.shipped.ship(n, "t" + QByteArray::number(n), "20306");
        QVERIFY(m.update().isEmpty());
        QVERIFY(QFile::remove(m.user + name(2)));
        QVERIFY(m.update().isEmpty());
        QCOMPARE(m.at(2), QByteArray("t2"));
        QCOMPARE(m.count(), 3);
        QCOMPARE(bytesOf(m.user + "/Admini/wer.dat"), werDat(buildVersionCode().toLatin1())); // none shipped
    }

    // School designs: at their own number unless the teacher had one there;
    // updated in place when the school replaces them; a teacher's change stays.
    void schoolDesignsJoinEveryCatalogue()
    {
        Machine m;
        m.shipped.ship(1, "shipped 1", "20306");
        put(m.school + name(2), "school crest");
        put(m.school + name(3), "school sports day");

        Machine other; // a teacher with an own design at 2 first
        other.shipped.ship(1, "shipped 1", "20306");
        put(other.user + name(2), "own");
        put(other.school + name(2), "school crest");
        QVERIFY(m.update().isEmpty());
        QVERIFY(other.update().isEmpty());
        QCOMPARE(m.at(2), QByteArray("school crest"));
        QCOMPARE(other.at(2), QByteArray("own"));
        QCOMPARE(other.at(3), QByteArray("school crest"));
        QCOMPARE(templateOrigins(m.user, m.shipped.dir).value(2), TemplateOrigin::School);

        put(m.school + name(2), "school crest, new colours");
        put(m.user + name(3), "sports day, my version");
        put(m.school + name(3), "school sports day 2027");
        // A later package shipping the school's number: the school keeps it.
        m.shipped.ship(2, "shipped 2", "20307");
        QVERIFY(m.update().isEmpty());
        QCOMPARE(m.at(2), QByteArray("school crest, new colours"));
        QCOMPARE(m.at(3), QByteArray("sports day, my version"));
        QCOMPARE(m.at(4), QByteArray("shipped 2"));

        Machine fresh; // a new teacher after both: the same numbers
        fresh.shipped.ship(1, "shipped 1", "20306");
        fresh.shipped.ship(2, "shipped 2", "20307");
        put(fresh.school + name(2), "school crest");
        QVERIFY(fresh.update().isEmpty());
        QCOMPARE(fresh.at(2), QByteArray("school crest"));
        QCOMPARE(fresh.at(3), QByteArray("shipped 2"));
    }

    // A folder from before the record: shipped versions are recognised by
    // their hash, a change of a template the user was given stays in place,
    // an own design at a number shipped only later keeps its number.
    void folderWithoutRecordIsRecognised()
    {
        Machine m;
        m.shipped.ship(1, "old 1", "20306");
        m.shipped.ship(1, "new 1", "20307");
        m.shipped.ship(2, "old 2", "20306");
        m.shipped.ship(2, "new 2", "20307");
        m.shipped.ship(3, "new 3", "20307");
        m.shipped.version("20307");
        put(m.user + name(1), "old 1");
        put(m.user + name(2), "edited 2");
        put(m.user + name(3), "own 3");
        put(m.user + "/Admini/wer.dat", werDat("20306"));
        QVERIFY(m.update().isEmpty());
        QCOMPARE(m.at(1), QByteArray("new 1"));
        QCOMPARE(m.at(2), QByteArray("edited 2"));
        QCOMPARE(m.at(3), QByteArray("own 3"));
        QCOMPARE(m.at(4), QByteArray("new 3"));
        QCOMPARE(m.count(), 4);
        QCOMPARE(bytesOf(m.user + "/Admini/wer.dat"), werDat("20307"));
        QVERIFY(QFileInfo::exists(m.user + '/' + UserRecord));
    }

    // Letter case of the user's files is kept; a damaged record line is
    // skipped, not a reason to move anything.
    void oddFoldersAreHandled()
    {
        Machine m;
        m.shipped.ship(1, "one", "20306");
        m.shipped.ship(1, "one v2", "20307");
        put(m.user + "/wzory/bdr_0001.wmf", "my one");
        put(m.user + '/' + UserRecord, "wersja\ndolaczony 0001\nszkola x y z\ndolaczony 0001 0001 -\n");
        QVERIFY(m.update().isEmpty());
        QCOMPARE(QDir(m.user).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList({"Admini", "wzory"}));
        QCOMPARE(bytesOf(m.user + "/wzory/bdr_0001.wmf"), QByteArray("my one")); // "-": the user's change
        QCOMPARE(QDir(m.user + "/wzory").entryList(QDir::Files), QStringList{"bdr_0001.wmf"});
        QCOMPARE(everShippedNumbers(m.shipped.dir), QList<int>{1});
    }

    // The table of designs names each design by the user's number: a new
    // design the user's own file pushed to another number is described
    // there, and the own file is not; a table the user changed is kept
    // aside before it is replaced, one the program wrote or shipped is not;
    // a damaged shipped table leaves the user's as it was.
    void layoutTableFollowsTheUsersNumbers()
    {
        Machine m;
        const QString table = m.user + '/' + LayoutTable;
        m.shipped.ship(1, "sport", "20306");
        m.shipped.ship(2, "music", "20306");
        put(m.shipped.dir + '/' + LayoutTable, layoutTable({{1, "Sport"}, {2, "Muzyka"}}));
        // An old folder: the table copied as it was shipped, no record.
        put(table, layoutTable({{1, "Sport"}, {2, "Muzyka"}}));
        put(m.user + name(1), "sport");
        put(m.user + name(2), "music");
        QVERIFY(m.update().isEmpty());
        QCOMPARE(titlesIn(bytesOf(table)), (QMap<int, QString>{{1, "Sport"}, {2, "Muzyka"}}));
        QVERIFY(!QFile::exists(m.user + "/wzory-uklady-kopia.json"));

        put(m.user + name(3), "own design");
        m.shipped.ship(3, "kindergarten", "20307");
        put(m.shipped.dir + '/' + LayoutTable, layoutTable({{1, "Sport"}, {2, "Muzyka"}, {3, "Przedszkole"}}));
        QVERIFY(m.update().isEmpty());
        QCOMPARE(m.at(4), QByteArray("kindergarten"));
        QCOMPARE(titlesIn(bytesOf(table)), (QMap<int, QString>{{1, "Sport"}, {2, "Muzyka"}, {4, "Przedszkole"}}));
        QVERIFY(!QFile::exists(m.user + "/wzory-uklady-kopia.json"));

        // Changed by hand, twice: each version is kept.
        for (const QByteArray &edit : {QByteArray("{\"format\": 1, \"designs\": []}"), QByteArray("mine")}) {
            put(table, edit);
            QVERIFY(m.update().isEmpty());
            QCOMPARE(titlesIn(bytesOf(table)).value(4), QStringLiteral("Przedszkole"));
        }
        QCOMPARE(bytesOf(m.user + "/wzory-uklady-kopia.json"), QByteArray("{\"format\": 1, \"designs\": []}"));
        QCOMPARE(bytesOf(m.user + "/wzory-uklady-kopia-2.json"), QByteArray("mine"));

        const QByteArray before = bytesOf(table);
        put(m.shipped.dir + '/' + LayoutTable, "{ uszkodzona");
        const QStringList problems = m.update();
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems.first().startsWith(QStringLiteral("uszkodzona tabela układów")), qPrintable(problems.first()));
        QCOMPARE(bytesOf(table), before);
    }
};

QTEST_GUILESS_MAIN(TestTemplateUpdate)
#include "tst_templateupdate.moc"
