// libFuzzer target for the task list's iCalendar reader.
//   build-fuzz/fuzz/ics_fuzzer fuzz/corpus-ics -timeout=10 -max_total_time=60
#include "IcsFuzzEntry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!icsFuzzOne(data, size))
        std::abort(); // a calendar not written back as read, or an edit that lost a line
    return 0;
}
