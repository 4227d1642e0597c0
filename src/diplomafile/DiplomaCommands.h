#pragma once
#include "DiplomaRecord.h"

#include "platform/Platform.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace diplomafile {

// The question asked before a diploma file is overwritten.
inline const QString OverwriteQuestion = QStringLiteral("Plik o podanej nazwie już istnieje.Kontynuować zapis ?");
inline const QString QuestionCaption = QStringLiteral("Pytanie");

// Settings of SaveDialog2 / OpenDialog2, offering the dialog's last name.
platform::FileDialogSettings saveDialogSettings(const QString &lastName);
platform::FileDialogSettings openDialogSettings(const QString &lastName);

// "&Zapisz dyplom": asks for a name (remembered in lastName), asks again
// before replacing an existing entry, then writes the record built from
// gather(), called only once the name is settled. The old file stays whole
// when the write fails. I/O errors propagate as platform::IoError.
void Zapiszdyplom(QWidget *parent, QString &lastName, const QString &programDir,
                  const std::function<DiplomaContent()> &gather);

// "&Czytaj dyplom": asks for a name (remembered in lastName) and reads the
// first 1064 bytes of that file. nullopt when cancelled, empty or missing;
// a short file raises platform::IoError ("Read beyond end of file") before
// anything is returned, so the caller changes nothing.
std::optional<DiplomaContent> Czytajdyplom(QWidget *parent, QString &lastName, const QString &programDir);

// The read command after its dialog, for a name chosen elsewhere (the
// editor's command line): nullopt for an empty or missing name, the same
// platform::IoError for a short file.
std::optional<DiplomaContent> readDiplomaFile(const QString &path);

} // namespace diplomafile
