#pragma once
#include "wmf/Metafile.h"

#include <QString>
#include <cstdint>

namespace editor {

// "0001", "0012", "12345": at least four characters, "0" in front.
QString templateNumberText(std::int32_t number);

// ProgramDir + "\Wzory\BDR_" + number text + ".wmf", matched without
// regard to letter case.
QString templateFilePath(const QString &programDir, const QString &numberText);

// Template number's file in a templates folder itself (a Wzory folder chosen
// elsewhere), matched the same way.
QString templateFileIn(const QString &templatesFolder, std::int32_t number);

// Reads and parses a template file. A missing or unreadable file raises
// platform::IoError; one that is not a metafile raises wmf::MetafileError.
wmf::Metafile loadTemplatePicture(const QString &path);

} // namespace editor
