#pragma once
#include <cstddef>
#include <cstdint>

// Parses one input as a metafile and, when it parses, plays it onto a small
// image and onto a large one. Never throws.
int wmfFuzzOne(const uint8_t *data, size_t size);
