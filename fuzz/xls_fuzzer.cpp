// libFuzzer target for the .xls reader of class lists.
//   build-fuzz/fuzz/xls_fuzzer fuzz/corpus-xls -max_total_time=60
#include "SheetFuzzEntry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!xlsFuzzOne(data, size))
        std::abort(); // an unsound table, or a refusal that does not name the file
    return 0;
}
