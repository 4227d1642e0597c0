// libFuzzer target for the archiver's reading of a copy (ZIP and its list).
//   build-fuzz/fuzz/archive_fuzzer fuzz/corpus-archive -timeout=10 -max_total_time=60
#include "ArchiveFuzzEntry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!archiveFuzzOne(data, size))
        std::abort(); // an unsafe name accepted, or a restore that wrote outside its folders
    return 0;
}
