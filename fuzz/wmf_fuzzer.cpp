// libFuzzer target for the metafile reader and player.
//   cmake -DDYPLOM_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ ...
//   LSAN_OPTIONS=suppressions=fuzz/lsan.supp build-fuzz/fuzz/wmf_fuzzer fuzz/corpus -max_total_time=60
#include "WmfFuzzEntry.h"

#include <QGuiApplication>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return wmfFuzzOne(data, size);
}
