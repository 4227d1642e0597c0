// libFuzzer target for the .ods reader of class lists.
//   build-fuzz/fuzz/ods_fuzzer fuzz/corpus-ods -max_total_time=60
#include "SheetFuzzEntry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!odsFuzzOne(data, size))
        std::abort(); // an unsound table, or a refusal that does not name the file
    return 0;
}
