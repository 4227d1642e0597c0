#include "CalibrationStore.h"

#include "Failure.h"

#include <QSettings>
#include <QUrl>

#include <memory>

namespace batch {

namespace {

std::unique_ptr<QSettings> settings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("dyplom"),
                                       QStringLiteral("drukarki"));
}

// A queue's name may hold characters the settings file treats as structure.
QString groupOf(const QString &queue, const QString &paper)
{
    return QStringLiteral("kalibracja/%1/%2")
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(queue)), QString::fromLatin1(QUrl::toPercentEncoding(paper)));
}

void written(QSettings &s)
{
    s.sync();
    if (s.status() != QSettings::NoError)
        throw Failure(s.fileName(), QStringLiteral("nie można zapisać ustawień"));
}

} // namespace

std::optional<PrintCorrection> CalibrationStore::find(const QString &queue, const QString &paper) const
{
    const std::unique_ptr<QSettings> settingsFile = settings();
    QSettings &s = *settingsFile;
    s.beginGroup(groupOf(queue, paper));
    if (!s.contains(QStringLiteral("x")))
        return std::nullopt;
    PrintCorrection c{s.value(QStringLiteral("x")).toDouble(), s.value(QStringLiteral("y")).toDouble(),
                      s.value(QStringLiteral("skalaX"), 0.0).toDouble(),
                      s.value(QStringLiteral("skalaY"), 0.0).toDouble()};
    // A hand-edited file is not trusted further than the command line is.
    if (!correctionRangeError(c).isEmpty())
        return std::nullopt;
    return c;
}

void CalibrationStore::store(const QString &queue, const PrintCorrection &c, const QString &paper)
{
    const QString range = correctionRangeError(c);
    if (!range.isEmpty())
        throw Failure(queue, range);
    const std::unique_ptr<QSettings> settingsFile = settings();
    QSettings &s = *settingsFile;
    s.beginGroup(groupOf(queue, paper));
    s.setValue(QStringLiteral("x"), c.xMm);
    s.setValue(QStringLiteral("y"), c.yMm);
    s.setValue(QStringLiteral("skalaX"), c.scaleXPercent);
    s.setValue(QStringLiteral("skalaY"), c.scaleYPercent);
    s.endGroup();
    written(s);
}

bool CalibrationStore::remove(const QString &queue, const QString &paper)
{
    const std::unique_ptr<QSettings> settingsFile = settings();
    QSettings &s = *settingsFile;
    const QString group = groupOf(queue, paper);
    if (!s.contains(group + QStringLiteral("/x")))
        return false;
    s.remove(group);
    written(s);
    return true;
}

PrintCorrection CalibrationStore::forPrint(const QString &queue, const std::optional<PrintCorrection> &given,
                                           const QString &paper) const
{
    if (given)
        return *given;
    return find(queue, paper).value_or(PrintCorrection{});
}

} // namespace batch
