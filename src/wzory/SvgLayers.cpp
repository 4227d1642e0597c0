#include "SvgLayers.h"

#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

namespace wzory {

namespace {

// Elements that draw nothing by themselves at the top level.
bool definitionOnly(QStringView name)
{
    static const QSet<QString> names = {
        QStringLiteral("defs"),           QStringLiteral("style"),    QStringLiteral("title"),
        QStringLiteral("desc"),           QStringLiteral("metadata"), QStringLiteral("script"),
        QStringLiteral("clipPath"),       QStringLiteral("mask"),     QStringLiteral("marker"),
        QStringLiteral("pattern"),        QStringLiteral("filter"),   QStringLiteral("linearGradient"),
        QStringLiteral("radialGradient"), QStringLiteral("symbol"),   QStringLiteral("namedview"),
    };
    return names.contains(name.toString());
}

QString urlId(QStringView value)
{
    static const QRegularExpression url(QStringLiteral("url\\(\\s*['\"]?#([^)'\"\\s]+)"));
    const auto m = url.match(value);
    return m.hasMatch() ? m.captured(1) : QString();
}

// A property from an attribute or from the style attribute.
QString property(const QXmlStreamAttributes &a, const QString &name)
{
    if (a.hasAttribute(name))
        return a.value(name).toString();
    const QStringView style = a.value(QLatin1String("style"));
    if (!style.contains(name))
        return QString();
    for (QStringView declaration : style.split(QLatin1Char(';'))) {
        const qsizetype colon = declaration.indexOf(QLatin1Char(':'));
        if (colon > 0 && declaration.left(colon).trimmed() == name)
            return declaration.mid(colon + 1).trimmed().toString();
    }
    return QString();
}

} // namespace

SvgLayers svgLayers(const QByteArray &svg)
{
    SvgLayers doc;
    doc.text = QString::fromUtf8(svg);

    // First the ids of what Qt cannot paint with, wherever they are defined.
    QSet<QString> patterns, transformedGradients;
    bool styleSheet = false;
    {
        QXmlStreamReader xml(doc.text);
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement) {
                const QString id = xml.attributes().value(QLatin1String("id")).toString();
                if (xml.name() == QLatin1String("pattern"))
                    patterns << id;
                else if (xml.name() == QLatin1String("radialGradient")
                         && xml.attributes().hasAttribute(QLatin1String("gradientTransform")))
                    transformedGradients << id;
                else if (xml.name() == QLatin1String("style"))
                    styleSheet = true;
            }
    }

    QXmlStreamReader xml(doc.text);
    int depth = 0;
    SvgLayer *current = nullptr;
    const auto need = [&](const QString &feature) {
        if (current && !current->features.contains(feature))
            current->features << feature;
        if (!doc.features.contains(feature))
            doc.features << feature;
    };
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            const qsizetype tagEnd = qsizetype(xml.characterOffset());
            if (depth == 2 && !definitionOnly(xml.name())) {
                SvgLayer layer;
                layer.start = doc.text.lastIndexOf(QLatin1Char('<'), tagEnd - 1);
                doc.layers.push_back(layer);
                current = &doc.layers.back();
            }
            if (!current || depth < 2)
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (!property(a, QStringLiteral("clip-path")).isEmpty()
                && property(a, QStringLiteral("clip-path")) != QLatin1String("none"))
                need(QStringLiteral("przycinanie (clip-path)"));
            if (!property(a, QStringLiteral("mask")).isEmpty()
                && property(a, QStringLiteral("mask")) != QLatin1String("none"))
                need(QStringLiteral("maska (mask)"));
            if (!property(a, QStringLiteral("filter")).isEmpty()
                && property(a, QStringLiteral("filter")) != QLatin1String("none"))
                need(QStringLiteral("filtr (filter)"));
            for (const char *m : {"marker", "marker-start", "marker-mid", "marker-end"})
                if (!urlId(property(a, QLatin1String(m))).isEmpty())
                    need(QStringLiteral("znaczniki linii (marker)"));
            const QString blend = property(a, QStringLiteral("mix-blend-mode"));
            if (!blend.isEmpty() && blend != QLatin1String("normal"))
                need(QStringLiteral("tryb mieszania (mix-blend-mode)"));
            for (const char *paint : {"fill", "stroke"}) {
                const QString id = urlId(property(a, QLatin1String(paint)));
                if (patterns.contains(id))
                    need(QStringLiteral("deseń (pattern)"));
                if (transformedGradients.contains(id))
                    need(QStringLiteral("przekształcony gradient (gradientTransform)"));
            }
            if (xml.name() == QLatin1String("tspan")
                && (a.hasAttribute(QLatin1String("x")) || a.hasAttribute(QLatin1String("y"))
                    || a.hasAttribute(QLatin1String("dy"))))
                need(QStringLiteral("tekst w wierszach (tspan x/y)"));
            if (styleSheet && (a.hasAttribute(QLatin1String("class")) || depth == 2))
                need(QStringLiteral("arkusz stylów CSS"));
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 2 && current) {
                current->end = qsizetype(xml.characterOffset());
                current = nullptr;
            }
            --depth;
        }
    }
    if (xml.hasError())
        doc.layers.clear();
    return doc;
}

QByteArray svgWithOnly(const SvgLayers &doc, const std::vector<size_t> &keep)
{
    QString out;
    qsizetype last = 0;
    for (size_t i = 0; i < doc.layers.size(); ++i) {
        if (std::find(keep.begin(), keep.end(), i) != keep.end())
            continue;
        const SvgLayer &l = doc.layers[i];
        out += QStringView(doc.text).mid(last, l.start - last);
        out += QStringLiteral("<g display=\"none\">");
        out += QStringView(doc.text).mid(l.start, l.end - l.start);
        out += QStringLiteral("</g>");
        last = l.end;
    }
    out += QStringView(doc.text).mid(last);
    return out.toUtf8();
}

} // namespace wzory
