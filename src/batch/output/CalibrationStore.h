#pragma once
#include "PrintCorrection.h"

#include <QString>
#include <optional>

namespace batch {

// The paper a correction is measured on unless another sheet is named.
inline QString calibrationPaper()
{
    return QStringLiteral("A4");
}

// The corrections measured for each print queue and paper size, kept in
// the user's settings (~/.config/dyplom/drukarki.conf) that dyplom-druk
// and the class window share.
class CalibrationStore {
public:
    std::optional<PrintCorrection> find(const QString &queue, const QString &paper = calibrationPaper()) const;
    // Throws Failure naming the settings file when it cannot be written.
    void store(const QString &queue, const PrintCorrection &correction, const QString &paper = calibrationPaper());
    // Whether there was one to remove; throws as store.
    bool remove(const QString &queue, const QString &paper = calibrationPaper());

    // The correction of a print to queue on paper: the one given for this
    // run, else the stored one, else none.
    PrintCorrection forPrint(const QString &queue, const std::optional<PrintCorrection> &given,
                             const QString &paper = calibrationPaper()) const;
};

} // namespace batch
