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
        const double pageWidth = d.landscape ? 297 : 210, pageHeight = d.landscape ? 210 : 297;
        const OccasionName name = occasionName(d.occasion);
        designs.append(QJsonObject{
            {QStringLiteral("number"), n},
            {QStringLiteral("file"), QStringLiteral("BDR_%1.wmf").arg(n, 4, 10, QLatin1Char('0'))},
            {QStringLiteral("occasion"), QLatin1String(name.key)},
            {QStringLiteral("occasionTitle"), name.title},
            {QStringLiteral("title"), d.title},
            {QStringLiteral("orientation"), d.landscape ? QStringLiteral("pozioma") : QStringLiteral("pionowa")},
            {QStringLiteral("freeMm"), rectJson(d.freeMm)},
            {QStringLiteral("marginsMm"), QJsonObject{{QStringLiteral("left"), tenth(d.freeMm.left())},
                                                      {QStringLiteral("top"), tenth(d.freeMm.top())},
                                                      {QStringLiteral("right"), tenth(pageWidth - d.freeMm.right())},
                                                      {QStringLiteral("bottom"), tenth(pageHeight - d.freeMm.bottom())}}},
            {QStringLiteral("texts"), texts}});
    }
    // One design a line: small, and a change shows as the lines of its designs.
    QByteArray out = "{\"format\": 1, \"designs\": [\n";
    for (qsizetype i = 0; i < designs.size(); ++i)
        out += QJsonDocument(designs.at(i).toObject()).toJson(QJsonDocument::Compact)
               + (i + 1 < designs.size() ? ",\n" : "\n");
    return out + "]}\n";
}

} // namespace templateart
