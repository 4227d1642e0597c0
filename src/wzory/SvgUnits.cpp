#include "SvgUnits.h"

#include <QRegularExpression>

namespace wzory {

namespace {

// Each number with an absolute unit in a value (one length or a list).
QString convertLengths(QStringView value)
{
    static const QRegularExpression length(
        QStringLiteral("([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)\\s*(in|cm|mm|pt|pc|px)(?![A-Za-z])"));
    QString out;
    qsizetype last = 0;
    for (auto it = length.globalMatch(value); it.hasNext();) {
        const auto m = it.next();
        out += value.mid(last, m.capturedStart() - last);
        out += QString::number(m.captured(1).toDouble() * pxPerUnit(m.capturedView(2)), 'g', 10);
        last = m.capturedEnd();
    }
    out += value.mid(last);
    return out;
}

const QString kLengthProperties = QStringLiteral(
    "stroke-width|stroke-dashoffset|stroke-dasharray|font-size|letter-spacing|word-spacing");

QString convertStyle(QStringView style)
{
    static const QRegularExpression declaration(QStringLiteral("(^|;)(\\s*(?:") + kLengthProperties
                                                + QStringLiteral(")\\s*:)([^;]*)"));
    QString out;
    qsizetype last = 0;
    for (auto it = declaration.globalMatch(style); it.hasNext();) {
        const auto m = it.next();
        out += style.mid(last, m.capturedStart(3) - last);
        out += convertLengths(m.capturedView(3));
        last = m.capturedEnd(3);
    }
    out += style.mid(last);
    return out;
}

QString convertTag(QStringView tag)
{
    static const QRegularExpression attribute(
        QStringLiteral("(\\s(?:x|y|width|height|rx|ry|cx|cy|r|fr|x1|y1|x2|y2|fx|fy|dx|dy|style|") + kLengthProperties
        + QStringLiteral(")\\s*=\\s*)(\"([^\"]*)\"|'([^']*)')"));
    QString out;
    qsizetype last = 0;
    for (auto it = attribute.globalMatch(tag); it.hasNext();) {
        const auto m = it.next();
        const bool doubleQuoted = m.capturedStart(3) >= 0;
        const QStringView value = doubleQuoted ? m.capturedView(3) : m.capturedView(4);
        const qsizetype valueStart = doubleQuoted ? m.capturedStart(3) : m.capturedStart(4);
        out += tag.mid(last, valueStart - last);
        out += m.captured(1).trimmed() == QLatin1String("style=") ? convertStyle(value) : convertLengths(value);
        last = valueStart + value.size();
    }
    out += tag.mid(last);
    return out;
}

} // namespace

double pxPerUnit(QStringView unit)
{
    if (unit.isEmpty() || unit == QLatin1String("px"))
        return 1;
    if (unit == QLatin1String("in"))
        return 96;
    if (unit == QLatin1String("cm"))
        return 96 / 2.54;
    if (unit == QLatin1String("mm"))
        return 96 / 25.4;
    if (unit == QLatin1String("pt"))
        return 96.0 / 72;
    if (unit == QLatin1String("pc"))
        return 16;
    return 0;
}

QString withUserUnits(const QString &text, qsizetype from)
{
    static const QRegularExpression tag(QStringLiteral("<[A-Za-z][^<>]*>"));
    QString out = text.left(from);
    qsizetype last = from;
    for (auto it = tag.globalMatch(text, from); it.hasNext();) {
        const auto m = it.next();
        out += QStringView(text).mid(last, m.capturedStart() - last);
        out += convertTag(m.capturedView());
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

} // namespace wzory
