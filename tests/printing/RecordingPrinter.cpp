#include "RecordingPrinter.h"

#include "wmf/Metafile.h"

void RecordingPrinter::record(const QString &line)
{
    if (onCall)
        onCall(line);
    calls.append(line);
}

void RecordingPrinter::beginJob(const QString &documentName)
{
    record(QStringLiteral("begin \"%1\"").arg(documentName));
    jobOpen = true;
}

void RecordingPrinter::endJob()
{
    record(QStringLiteral("end"));
    jobOpen = false;
}

void RecordingPrinter::abortJob()
{
    jobOpen = false;
    calls.append(QStringLiteral("abort"));
}

void RecordingPrinter::stretchDraw(const printing::DeviceRect &rect, const wmf::Metafile &picture)
{
    record(QStringLiteral("picture %1 %2 %3 %4%5")
               .arg(rect.left)
               .arg(rect.top)
               .arg(rect.right)
               .arg(rect.bottom)
               .arg(picture.isEmpty() ? QStringLiteral(" (empty)") : QString()));
}

void RecordingPrinter::setFontColour(editor::ColourValue colour)
{
    record(QStringLiteral("colour %1").arg(colour, 8, 16, QLatin1Char('0')));
}

void RecordingPrinter::setFontName(const QString &name)
{
    record(QStringLiteral("name %1").arg(name));
}

void RecordingPrinter::setFontStyle(std::uint8_t style)
{
    record(QStringLiteral("style %1").arg(style));
}

void RecordingPrinter::setFontSize(std::int32_t points)
{
    record(QStringLiteral("size %1 height %2").arg(points).arg(printing::characterHeight(points, dpiY_)));
}

void RecordingPrinter::textOut(std::int32_t x, std::int32_t y, const QString &text)
{
    record(QStringLiteral("text %1 %2 %3").arg(x).arg(y).arg(text));
}

QStringList RecordingPrinter::texts() const
{
    QStringList out;
    for (const QString &c : calls)
        if (c.startsWith(QLatin1String("text ")))
            out.append(c.mid(5));
    return out;
}
