#pragma once
#include <cstddef>
#include <cstdint>

// Reads one input as a diploma file (its first 1064 bytes) and checks that
// what was read survives a save and a second read unchanged. False when
// that check fails; a short input is refused as the editor refuses it.
bool diplomaFuzzOne(const uint8_t *data, size_t size);
