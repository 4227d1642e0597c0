#pragma once
#include <cstddef>
#include <cstdint>

// Parses one input as a metafile and, when it parses, plays it at the sizes
// the programs use: the editor's 189 x 281 preview and, mirrored, a
// thumbnail; when the preview took under 2 ms of CPU, also the preview
// mirrored and a page at 60 dpi. Never throws.
int wmfFuzzOne(const uint8_t *data, size_t size);
