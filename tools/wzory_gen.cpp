// Writes the template catalogue: wzory-gen <folder> gives
// <folder>/BDR_0001.wmf ... one file per template, the same bytes every run,
// and adds the hash of every template version not yet listed to the manifest
// of shipped versions beside the folder (<folder>/../wzory-wydane.sha256), so
// that an upgrade recognises every version a user may have received. The
// table of occasions and suggested layouts goes beside it too.
#include "LayoutTable.h"
#include "TemplateArt.h"
#include "platform/TemplateUpdate.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wzory-gen <output folder>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const QString manifestPath = QFileInfo(dir).absolutePath() + QLatin1Char('/') + platform::ShippedManifest;
    QFile manifest(manifestPath);
    QSet<QByteArray> listed;
    if (manifest.open(QIODevice::ReadOnly)) {
        while (!manifest.atEnd()) {
            const QList<QByteArray> parts = manifest.readLine().simplified().split(' ');
            if (parts.size() >= 2)
                listed.insert(parts[0] + ' ' + parts[1]);
        }
        manifest.close();
    }
    QByteArray added;
    if (listed.isEmpty())
        added = "# Every template version ever shipped: number, SHA-256, version code. Kept by wzory-gen; never remove a line.\n";
    for (int n = 1; n <= templateart::templateCount(); ++n) {
        const QString number = QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
        const QString name = dir + QStringLiteral("/BDR_") + number + QStringLiteral(".wmf");
        QFile f(name);
        const QByteArray bytes = templateart::makeTemplate(n);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
        const QByteArray key = number.toLatin1() + ' '
                               + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
        if (!listed.contains(key))
            added += key + ' ' + platform::buildVersionCode().toLatin1() + '\n';
    }
    const QString tablePath = QFileInfo(dir).absolutePath() + QLatin1Char('/')
                              + QLatin1String(templateart::LayoutTableName);
    QFile table(tablePath);
    const QByteArray tableBytes = templateart::layoutTable();
    if (!table.open(QIODevice::WriteOnly | QIODevice::Truncate) || table.write(tableBytes) != tableBytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(tablePath));
        return 1;
    }
    if (!added.isEmpty()
        && (!manifest.open(QIODevice::WriteOnly | QIODevice::Append) || manifest.write(added) != added.size())) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(manifestPath));
        return 1;
    }
    return 0;
}
