// libFuzzer target for dyplom-wzory's SVG and PDF import.
//   build-fuzz/fuzz/design_fuzzer fuzz/corpus-designs -timeout=20 -rss_limit_mb=2048 -max_total_time=600
#include "DesignFuzzEntry.h"

#include <QGuiApplication>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "design_fuzzer";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
    if (!designFuzzOne(data, size))
        std::abort(); // a template the editor would refuse
    return 0;
}
