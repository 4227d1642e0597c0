#pragma once
#include <cstddef>
#include <cstdint>

// Parses one input as a metafile and, when it parses, plays it at the sizes
// the programs use: a thumbnail, the editor's 189 x 281 preview (also
// mirrored) and, when the preview took under 2 ms of CPU, a page at 60 dpi.
// Never throws.
int wmfFuzzOne(const uint8_t *data, size_t size);
