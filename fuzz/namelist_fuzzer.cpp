// libFuzzer target for dyplom-druk's list and CSV reader.
//   build-fuzz/fuzz/namelist_fuzzer fuzz/corpus-lists -max_total_time=60
#include "NameListFuzzEntry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!nameListFuzzOne(data, size))
        std::abort(); // an input read back differently, or refused the wrong way
    return 0;
}
