#include "Manifest.h"
#include "BackupError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace backup {
namespace {

constexpr int FormatVersion = 1;

[[noreturn]] void badList(const QString &archiveName, const QString &why)
{
    throw BackupError(
        QStringLiteral("Spis kopii w archiwum %1 jest uszkodzony (%2): nic nie zostało zmienione.").arg(archiveName, why));
}

} // namespace

qint64 Manifest::totalBytes() const
{
    qint64 sum = 0;
    for (const ManifestEntry &e : entries)
        sum += e.size;
    return sum;
}

bool isSafeEntryName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    const QStringList parts = name.split(QLatin1Char('/'));
    static const QStringList folders{QStringLiteral("Admini"), QStringLiteral("Dyplomy"), QStringLiteral("Notatki"),
                                     QStringLiteral("Terminarz"), QStringLiteral("Wzory")};
    if (parts.size() < 2 || !folders.contains(parts.first(), Qt::CaseInsensitive))
        return false;
    for (const QString &p : parts) {
        if (p.isEmpty() || p == QLatin1String(".") || p == QLatin1String(".."))
            return false;
    }
    return true;
}

QByteArray encodeManifest(const Manifest &manifest)
{
    QJsonArray files;
    for (const ManifestEntry &e : manifest.entries) {
        files.append(QJsonObject{{QStringLiteral("nazwa"), e.name},
                                 {QStringLiteral("rozmiar"), static_cast<double>(e.size)},
                                 {QStringLiteral("sha256"), QString::fromLatin1(e.sha256)},
                                 {QStringLiteral("zmieniony"), e.modified.toUTC().toString(Qt::ISODate)}});
    }
    const QJsonObject root{{QStringLiteral("format"), FormatVersion},
                           {QStringLiteral("utworzona"), manifest.created.toString(Qt::ISODate)},
                           {QStringLiteral("folderProgramu"), manifest.programDir},
                           {QStringLiteral("pliki"), files}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Manifest decodeManifest(const QByteArray &bytes, const QString &archiveName)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        badList(archiveName, QStringLiteral("błąd składni w bajcie %1").arg(error.offset));
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toInt() != FormatVersion)
        badList(archiveName, QStringLiteral("nieznana wersja"));
    Manifest m;
    m.created = QDateTime::fromString(root.value(QStringLiteral("utworzona")).toString(), Qt::ISODate);
    m.programDir = root.value(QStringLiteral("folderProgramu")).toString();
    if (!m.created.isValid())
        badList(archiveName, QStringLiteral("brak daty"));
    const QJsonValue files = root.value(QStringLiteral("pliki"));
    if (!files.isArray())
        badList(archiveName, QStringLiteral("brak listy plików"));
    QSet<QString> seen;
    const QJsonArray list = files.toArray();
    for (const auto &v : list) {
        const QJsonObject o = v.toObject();
        ManifestEntry e;
        e.name = o.value(QStringLiteral("nazwa")).toString();
        const double size = o.value(QStringLiteral("rozmiar")).toDouble(-1);
        e.sha256 = o.value(QStringLiteral("sha256")).toString().toLatin1();
        e.modified = QDateTime::fromString(o.value(QStringLiteral("zmieniony")).toString(), Qt::ISODate);
        if (!isSafeEntryName(e.name))
            badList(archiveName, QStringLiteral("niedozwolona nazwa „%1”").arg(e.name));
        if (e.name.compare(ManifestName, Qt::CaseInsensitive) == 0 || seen.contains(e.name.toLower()))
            badList(archiveName, QStringLiteral("powtórzona nazwa „%1”").arg(e.name));
        if (size < 0 || size > 9e15 || e.sha256.size() != 64)
            badList(archiveName, QStringLiteral("zły opis pliku „%1”").arg(e.name));
        seen.insert(e.name.toLower());
        e.size = static_cast<qint64>(size);
        m.entries.append(e);
    }
    return m;
}

} // namespace backup
