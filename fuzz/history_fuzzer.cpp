// libFuzzer target for the run-history record reader (Admini/historia.dat).
//   build-fuzz/fuzz/history_fuzzer fuzz/corpus-history -max_total_time=60
#include "HistoryFuzzEntry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!historyFuzzOne(data, size))
        std::abort(); // an input read back differently, or refused the wrong way
    return 0;
}
