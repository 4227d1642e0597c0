#include "LayoutTable.h"

#include "TemplateArt.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace templateart {

namespace {

double tenth(double v)
{
    return std::round(v * 10) / 10;
}

QJsonObject rectJson(const QRectF &r)
{
    return {{QStringLiteral("x"), tenth(r.x())},
            {QStringLiteral("y"), tenth(r.y())},
            {QStringLiteral("width"), tenth(r.width())},
            {QStringLiteral("height"), tenth(r.height())}};
}

QRectF rectOf(const QJsonValue &v)
{
    const QJsonObject o = v.toObject();
    return QRectF(o.value(QStringLiteral("x")).toDouble(), o.value(QStringLiteral("y")).toDouble(),
                  o.value(QStringLiteral("width")).toDouble(), o.value(QStringLiteral("height")).toDouble());
}

Occasion occasionOf(const QString &key)
{
    for (int i = 0; i <= int(Occasion::Thanks); ++i)
        if (QLatin1String(occasionName(Occasion(i)).key) == key)
            return Occasion(i);
    return Occasion::General;
}

} // namespace

QByteArray layoutTable()
{
    QJsonArray designs;
    for (int n = 1; n <= templateCount(); ++n) {
        const DesignInfo d = designInfo(n);
        QJsonArray texts;
        for (const SuggestedText &t : d.texts)
            texts.append(QJsonObject{{QStringLiteral("role"), t.role},
                                     {QStringLiteral("text"), t.text},
                                     {QStringLiteral("fonts"), QJsonArray::fromStringList(t.fonts)},
                                     {QStringLiteral("sizePt"), t.sizePt},
                                     {QStringLiteral("colour"), t.colour.name()},
                                     {QStringLiteral("boxMm"), rectJson(t.boxMm)}});
        const OccasionName name = occasionName(d.occasion);
        designs.append(QJsonObject{
            {QStringLiteral("number"), n},
            {QStringLiteral("file"), QStringLiteral("BDR_%1.wmf").arg(n, 4, 10, QLatin1Char('0'))},
            {QStringLiteral("occasion"), QLatin1String(name.key)},
            {QStringLiteral("occasionTitle"), name.title},
            {QStringLiteral("title"), d.title},
            {QStringLiteral("orientation"), QStringLiteral("pionowa")},
            {QStringLiteral("freeMm"), rectJson(d.freeMm)},
            {QStringLiteral("marginsMm"), QJsonObject{{QStringLiteral("left"), tenth(d.freeMm.left())},
                                                      {QStringLiteral("top"), tenth(d.freeMm.top())},
                                                      {QStringLiteral("right"), tenth(210 - d.freeMm.right())},
                                                      {QStringLiteral("bottom"), tenth(297 - d.freeMm.bottom())}}},
            {QStringLiteral("texts"), texts}});
    }
    // One design a line: small, and a change shows as the lines of its designs.
    QByteArray out = "{\"format\": 1, \"designs\": [\n";
    for (qsizetype i = 0; i < designs.size(); ++i)
        out += QJsonDocument(designs.at(i).toObject()).toJson(QJsonDocument::Compact)
               + (i + 1 < designs.size() ? ",\n" : "\n");
    return out + "]}\n";
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
        out.insert(o.value(QStringLiteral("number")).toInt(), d);
    }
    return out;
}

} // namespace templateart
