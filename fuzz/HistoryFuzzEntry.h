#pragma once
#include <cstddef>
#include <cstdint>

// Reads one input as the run-history record, as the start-up does (the
// stored number included), and checks that the record is written back
// byte for byte. False when that check fails.
bool historyFuzzOne(const uint8_t *data, size_t size);
