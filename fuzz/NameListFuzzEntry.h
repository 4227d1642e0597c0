#pragma once
#include <cstddef>
#include <cstdint>

// Reads one input as dyplom-druk's plain list and as its CSV list. A list
// that cannot be used must be refused with a ListError; every record must
// name a line of the input, in order. False when that check fails.
bool nameListFuzzOne(const uint8_t *data, size_t size);
