#include "DiplomaCommands.h"
#include "CurrentDirectoryGuard.h"

#include "platform/RecordFile.h"

namespace diplomafile {
namespace {

platform::FileDialogSettings diplomaDialogSettings(const QString &title, const QString &lastName)
{
    platform::FileDialogSettings settings;
    settings.title = title;
    settings.filter = QStringLiteral("Pliki dyplomów (*.dyp)");
    settings.defaultExtension = QStringLiteral("*.dyp");
    settings.initialFolder = QStringLiteral("Dyplomy");
    settings.fileName = lastName;
    return settings;
}

} // namespace

platform::FileDialogSettings saveDialogSettings(const QString &lastName)
{
    platform::FileDialogSettings settings = diplomaDialogSettings(QStringLiteral("Zapisz jako"), lastName);
    settings.overwritePrompt = true;
    return settings;
}

platform::FileDialogSettings openDialogSettings(const QString &lastName)
{
    return diplomaDialogSettings(QStringLiteral("Otwórz"), lastName);
}

void Zapiszdyplom(QWidget *parent, QString &lastName, const QString &programDir,
                  const std::function<DiplomaContent()> &gather)
{
    CurrentDirectoryGuard restore(programDir);
    const std::optional<QString> chosen = platform::services().saveFileName(parent, saveDialogSettings(lastName));
    if (!chosen)
        return;
    lastName = *chosen;
    if (chosen->isEmpty())
        return;
    if (platform::entryExists(*chosen) && !platform::services().ask(parent, OverwriteQuestion, QuestionCaption))
        return;
    platform::writeRecordFile(*chosen, buildDiplomaRecord(gather()));
}

std::optional<DiplomaContent> Czytajdyplom(QWidget *parent, QString &lastName, const QString &programDir)
{
    CurrentDirectoryGuard restore(programDir);
    const std::optional<QString> chosen = platform::services().openFileName(parent, openDialogSettings(lastName));
    if (!chosen)
        return std::nullopt;
    lastName = *chosen;
    return readDiplomaFile(*chosen);
}

std::optional<DiplomaContent> readDiplomaFile(const QString &path)
{
    if (path.isEmpty() || !platform::entryExists(path))
        return std::nullopt;
    return parseDiplomaRecord(platform::readFirstRecord(path, RecordLayout::Size));
}

} // namespace diplomafile
