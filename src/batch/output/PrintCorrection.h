#pragma once
#include <QString>
#include <optional>

namespace batch {

// How a printer misplaces what it prints, as measured on the calibration
// sheet: where its cross landed minus where it belongs (right and down
// positive), and how much longer (+) or shorter (-) it prints along each
// axis. Prints to that printer are moved and stretched the opposite way.
struct PrintCorrection {
    double xMm = 0;
    double yMm = 0;
    double scaleXPercent = 0;
    double scaleYPercent = 0;

    bool isNone() const { return xMm == 0 && yMm == 0 && scaleXPercent == 0 && scaleYPercent == 0; }
};

inline constexpr double MaxShiftMm = 50;
inline constexpr double MaxScalePercent = 10;
// The cross of the calibration sheet, millimetres from the top-left corner
// of an A4 sheet: the fixed point of the scale correction.
inline constexpr double CrossXMm = 105;
inline constexpr double CrossYMm = 148.5;

// "X,Y" or "X,Y,SX,SY" in millimetres and per cent, decimals with a dot;
// with ';' between the numbers a decimal comma is allowed too ("1,5;-2").
// nullopt with *error saying what is wrong (out of range, not a number).
std::optional<PrintCorrection> parseCorrection(const QString &text, QString *error);

// Empty when every value lies in range, else the Polish reason.
QString correctionRangeError(const PrintCorrection &correction);

// "X 1,5 mm, Y −2 mm" (and the scale when there is one), in Polish.
QString describeCorrection(const PrintCorrection &correction);

} // namespace batch
