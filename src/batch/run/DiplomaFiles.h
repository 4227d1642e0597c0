#pragma once
#include "diplomafile/DiplomaRecord.h"
#include "printing/PrintDiploma.h"
#include "wmf/Metafile.h"

#include <QString>

namespace batch {

// The files a run starts from, read with Polish errors that name the file:
// each throws Failure.

// A .dyp's record; whatever follows it, however large, is not read.
diplomafile::DiplomaContent readDiplomaFile(const QString &path);

// A template through the editor's own loader and its size limit; what
// says which template it is when the file is missing ("wzór nr 3").
wmf::Metafile readTemplateFile(const QString &path, const QString &what);

// What the print command draws of content on picture, before any list.
printing::PrintInput printInputOf(const diplomafile::DiplomaContent &content, const wmf::Metafile &picture);

} // namespace batch
