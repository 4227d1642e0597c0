#include "DesignTable.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace uklady {

namespace {

QRectF rectOf(const QJsonValue &v)
{
    const QJsonObject o = v.toObject();
    return QRectF(o.value(QStringLiteral("x")).toDouble(), o.value(QStringLiteral("y")).toDouble(),
                  o.value(QStringLiteral("width")).toDouble(), o.value(QStringLiteral("height")).toDouble());
}

} // namespace

Occasion occasionOf(const QString &key)
{
    for (int i = 0; i <= int(Occasion::Thanks); ++i)
        if (QLatin1String(occasionName(Occasion(i)).key) == key)
            return Occasion(i);
    return Occasion::General;
}

QMap<int, DesignInfo> readLayoutTable(const QByteArray &json, QString *error)
{
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    if (doc.isNull() || !doc.isObject() || doc.object().value(QStringLiteral("format")).toInt() != 1) {
        if (error)
            *error = QStringLiteral("Tabela układów wzorów jest uszkodzona lub w nieznanym formacie.");
        return {};
    }
    QMap<int, DesignInfo> out;
    const QJsonArray designs = doc.object().value(QStringLiteral("designs")).toArray();
    for (const auto &v : designs) {
        const QJsonObject o = v.toObject();
        DesignInfo d;
        d.occasion = occasionOf(o.value(QStringLiteral("occasion")).toString());
        d.title = o.value(QStringLiteral("title")).toString();
        // Tables made by hand may leave it out: portrait, as every design was.
        const QJsonValue orientationValue = o.value(QStringLiteral("orientation"));
        const QString orientation = orientationValue.isUndefined() ? QStringLiteral("pionowa")
                                                                   : orientationValue.toString();
        if (orientation != QLatin1String("pionowa") && orientation != QLatin1String("pozioma")) {
            if (error)
                *error = QStringLiteral("Tabela układów wzorów: wzór %1 ma nieznaną orientację „%2” "
                                        "(dozwolone: pionowa, pozioma).")
                             .arg(o.value(QStringLiteral("number")).toInt())
                             .arg(orientation);
            return {};
        }
        d.landscape = orientation == QLatin1String("pozioma");
        d.freeMm = rectOf(o.value(QStringLiteral("freeMm")));
        const QJsonArray texts = o.value(QStringLiteral("texts")).toArray();
        for (const auto &tv : texts) {
            const QJsonObject t = tv.toObject();
            SuggestedText st;
            st.role = t.value(QStringLiteral("role")).toString();
            st.text = t.value(QStringLiteral("text")).toString();
            const QJsonArray fonts = t.value(QStringLiteral("fonts")).toArray();
            for (const auto &f : fonts)
                st.fonts << f.toString();
            st.sizePt = t.value(QStringLiteral("sizePt")).toDouble();
            st.colour = QColor(t.value(QStringLiteral("colour")).toString());
            st.boxMm = rectOf(t.value(QStringLiteral("boxMm")));
            d.texts.push_back(st);
        }
        const int number = o.value(QStringLiteral("number")).toInt();
        if (number > 0)
            out.insert(number, d);
    }
    return out;
}

QMap<int, DesignInfo> layoutTableFor(const QString &templatesFolder, QString *error)
{
    QFile file(QFileInfo(templatesFolder).absolutePath() + QLatin1Char('/') + QLatin1String(LayoutTableName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString problem;
    QMap<int, DesignInfo> table = readLayoutTable(file.readAll(), &problem);
    if (error && !problem.isEmpty())
        *error = QStringLiteral("%1: %2").arg(file.fileName(), problem);
    return table;
}

QString firstInstalledFont(const QStringList &fonts)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString &f : fonts)
        if (installed.contains(f, Qt::CaseInsensitive))
            return f;
    return fonts.isEmpty() ? QString() : fonts.last();
}

} // namespace uklady
