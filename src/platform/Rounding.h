#pragma once
#include <cmath>
#include <cstdint>

namespace platform {

// Nearest integer with ties to even, on a value formed in extended
// precision (49.5 -> 50, 48.5 -> 48).
inline std::int32_t Round(long double value)
{
    return static_cast<std::int32_t>(std::nearbyintl(value));
}

// Toward zero.
inline std::int32_t Trunc(long double value)
{
    return static_cast<std::int32_t>(std::truncl(value));
}

} // namespace platform
