// libFuzzer target for the class list reader (text lists) and the merge.
//   build-fuzz/fuzz/textlist_fuzzer fuzz/corpus-lists -max_total_time=60
#include "TextListFuzzEntry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!textListFuzzOne(data, size))
        std::abort(); // a row or record that names no line, or a refusal that names no file
    return 0;
}
