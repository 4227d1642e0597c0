// libFuzzer target for the .xlsx reader of class lists.
//   build-fuzz/fuzz/xlsx_fuzzer fuzz/corpus-xlsx -max_total_time=60
#include "SheetFuzzEntry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!xlsxFuzzOne(data, size))
        std::abort(); // an unsound table, or a refusal that does not name the file
    return 0;
}
