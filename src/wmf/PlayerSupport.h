#pragma once

// Helpers shared by the Player source files; not part of the library's interface.
namespace wmf {
namespace {

enum { BsSolid = 0, BsNull = 1, BsHatched = 2, BsPattern = 3, BsDibPattern = 5, BsDibPatternPt = 6 };

} // namespace
} // namespace wmf
