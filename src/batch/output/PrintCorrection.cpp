#include "PrintCorrection.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace batch {

namespace {

QString millimetres(double value)
{
    return QLocale(QLocale::Polish).toString(value, 'g', 4);
}

} // namespace

std::optional<PrintCorrection> parseCorrection(const QString &text, QString *error)
{
    const bool semicolons = text.contains(QLatin1Char(';'));
    const QStringList parts = text.split(semicolons ? QLatin1Char(';') : QLatin1Char(','));
    const auto fail = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("„%1”: %2").arg(text, why);
        return std::nullopt;
    };
    if (parts.size() != 2 && parts.size() != 4)
        return fail(QStringLiteral("podaj X,Y w milimetrach (np. 1.5,-2) albo X,Y,SKALA_X,SKALA_Y (skala w %)"));
    double values[4] = {0, 0, 0, 0};
    for (int i = 0; i < parts.size(); ++i) {
        QString number = parts[i].trimmed();
        if (semicolons)
            number.replace(QLatin1Char(','), QLatin1Char('.'));
        number.replace(QChar(0x2212), QLatin1Char('-')); // a typographic minus
        bool ok = false;
        values[i] = number.toDouble(&ok);
        if (!ok || !std::isfinite(values[i]))
            return fail(QStringLiteral("„%1” nie jest liczbą").arg(parts[i].trimmed()));
    }
    const PrintCorrection c{values[0], values[1], values[2], values[3]};
    const QString range = correctionRangeError(c);
    if (!range.isEmpty())
        return fail(range);
    return c;
}

QString correctionRangeError(const PrintCorrection &c)
{
    if (std::abs(c.xMm) > MaxShiftMm || std::abs(c.yMm) > MaxShiftMm)
        return QStringLiteral("przesunięcie poza zakresem ±%1 mm").arg(MaxShiftMm);
    if (std::abs(c.scaleXPercent) > MaxScalePercent || std::abs(c.scaleYPercent) > MaxScalePercent)
        return QStringLiteral("błąd skali poza zakresem ±%1%").arg(MaxScalePercent);
    return QString();
}

QString describeCorrection(const PrintCorrection &c)
{
    QString text = QStringLiteral("X %1 mm, Y %2 mm").arg(millimetres(c.xMm), millimetres(c.yMm));
    if (c.scaleXPercent != 0 || c.scaleYPercent != 0)
        text += QStringLiteral(", skala X %1%, Y %2%").arg(millimetres(c.scaleXPercent), millimetres(c.scaleYPercent));
    return text;
}

} // namespace batch
