#include "printing/PrintLayout.h"

#include "platform/Rounding.h"

#include <limits>

namespace printing {

namespace {

// Round for values that may lie outside 32 bits (absurd margins): such a
// block stays far off the page instead of wrapping onto it.
std::int32_t roundToInt32(long double value)
{
    if (value >= std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value <= std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return platform::Round(value);
}

bool fitsInt32(std::int64_t value)
{
    return value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

DeviceRect templateRectangle(std::int32_t pw, std::int32_t ph, std::int64_t shiftLeft, std::int64_t shiftTop)
{
    // Every store goes through float; products and quotients are formed in
    // long double first. The comparisons are exact.
    const float r = 210.0f / 297.0f;
    float w = 210.0f;
    float h = 297.0f;
    if (pw > 210 && ph > 297) {
        h = static_cast<float>(ph);
        w = static_cast<float>(static_cast<long double>(h) * r);
    }
    if (static_cast<long double>(pw) < static_cast<long double>(w)) {
        w = static_cast<float>(pw);
        h = static_cast<float>(static_cast<long double>(w) / r);
    }
    if (static_cast<long double>(ph) < static_cast<long double>(h)) {
        h = static_cast<float>(ph);
        w = static_cast<float>(static_cast<long double>(h) * r);
    }

    const std::int64_t right = shiftLeft + platform::Trunc(w);
    const std::int64_t bottom = shiftTop + platform::Trunc(h);
    if (!fitsInt32(shiftLeft) || !fitsInt32(shiftTop) || !fitsInt32(right) || !fitsInt32(bottom))
        throw PrintError(QStringLiteral("Położenie wzoru na kartce jest poza zakresem drukarki."));
    return {static_cast<std::int32_t>(shiftLeft), static_cast<std::int32_t>(shiftTop), static_cast<std::int32_t>(right),
            static_cast<std::int32_t>(bottom)};
}

std::int32_t blockX(std::int32_t pageWidthMm, std::int32_t left)
{
    return roundToInt32(static_cast<long double>(pageWidthMm) * (static_cast<long double>(left) / 200.0L));
}

std::int32_t blockY(std::int32_t pageHeightMm, std::int32_t top)
{
    return roundToInt32(static_cast<long double>(pageHeightMm) * (static_cast<long double>(top) / 280.0L));
}

} // namespace printing
