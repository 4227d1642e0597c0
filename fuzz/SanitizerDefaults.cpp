// Built into every fuzz target. AddressSanitizer keeps freed memory in a
// quarantine of 256 MB by default to catch use after free; in a run of
// millions of inputs that quarantine alone took the fuzzers' resident size
// past 500 MB within a minute. 32 MB still catches a use right after free.
// ASAN_OPTIONS given on the command line win over this.
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=32";
}
