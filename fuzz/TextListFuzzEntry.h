#pragma once
#include <cstddef>
#include <cstdint>

// Reads one input as a class list, as a .csv and as a plain list (the
// first byte picks a forced encoding or separator), and merges it into a
// diploma with fields. A list that cannot be used must be refused with a
// TableError naming the file; every row and record must name a line of the
// input, in order, and no row may end in an empty cell. False when that
// check fails.
bool textListFuzzOne(const uint8_t *data, size_t size);
