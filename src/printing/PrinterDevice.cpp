#include "printing/PrinterDevice.h"

#include "platform/Rounding.h"

namespace printing {

std::int32_t characterHeight(std::int32_t points, std::int32_t logPixelsY)
{
    const long double height = static_cast<long double>(points) * logPixelsY / 72.0L;
    if (height >= 2147483647.0L)
        return 2147483647;
    if (height <= -2147483648.0L)
        return -2147483647 - 1;
    return platform::Round(height);
}

} // namespace printing
