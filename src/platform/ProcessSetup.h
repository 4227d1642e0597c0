#pragma once

namespace platform {

// A write past the file-size limit (ulimit -f) then fails with an I/O error
// ("Disk full") that the program reports, instead of the default SIGXFSZ
// killing the process halfway through a save. Call at the start of main().
void ignoreFileSizeSignal();

// For the command-line tools: they print only their own lines. The toolkit's
// warnings (e.g. "QStandardPaths: XDG_RUNTIME_DIR not set") are dropped,
// its critical and fatal errors go to stderr after "program: ".
void quietToolkitMessages(const char *program);

} // namespace platform
