// libFuzzer target for the diploma record reader (.dyp files).
//   build-fuzz/fuzz/diploma_fuzzer fuzz/corpus-diploma -max_total_time=60
#include "DiplomaFuzzEntry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!diplomaFuzzOne(data, size))
        std::abort(); // an input read back differently, or refused the wrong way
    return 0;
}
