#pragma once
#include "Options.h"

#include <QString>
#include <QTextStream>

namespace batch {
class StagedOutputs;
}

namespace druk {

// The CUPS queue -P names (empty: the default one). Throws Failure naming
// it when there is no such queue.
QString printerQueue(const QString &name);

// --kalibracja, --kalibracja-ustaw and --kalibracja-usun: false when
// options ask for none of them, else done (the sheet staged in outputs or
// sent, the setting stored) with a line for err. Throws Failure.
bool runCalibration(const Options &options, batch::StagedOutputs &outputs, QTextStream &err);

} // namespace druk
