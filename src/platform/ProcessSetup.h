#pragma once

namespace platform {

// A write past the file-size limit (ulimit -f) then fails with an I/O error
// ("Disk full") that the program reports, instead of the default SIGXFSZ
// killing the process halfway through a save. Call at the start of main().
void ignoreFileSizeSignal();

} // namespace platform
