#pragma once
#include "Options.h"

#include "batch/run/BatchRun.h"

namespace druk {

// What the options ask a run to write, in the order it is written: the
// catalogue, -o, --osobno, --png, then -P. title is the diploma's heading,
// templatesFolder the folder of the catalogue. -P is found among the
// system's printers here, before anything is written. Throws Failure.
batch::BatchPlan planFor(const Options &options, const QString &title, const QString &templatesFolder,
                         const QList<batch::InputFile> &inputs);

} // namespace druk
