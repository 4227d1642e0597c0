#pragma once
#include <cstddef>
#include <cstdint>

// Read one input as a spreadsheet: either a whole file, or (for xlsx and ods,
// when it is not a zip) the XML of the sheet packed into a sound file, so
// mutations reach the XML reader rather than the zip's checksums. The input
// must give a sound table or a TableError naming the file; false when not.
// The libFuzzer build reads .xls in process, the smoke test as the program
// does (in a bounded child process).
bool xlsxFuzzOne(const uint8_t *data, size_t size);
bool odsFuzzOne(const uint8_t *data, size_t size);
bool xlsFuzzOne(const uint8_t *data, size_t size);
