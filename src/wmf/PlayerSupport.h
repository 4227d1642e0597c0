#pragma once
#include <QPainter>

// Helpers shared by the Player source files; not part of the library's interface.
namespace wmf {
namespace {

enum { BsSolid = 0, BsNull = 1, BsHatched = 2, BsPattern = 3, BsDibPattern = 5, BsDibPatternPt = 6 };

// Paths with few edges never reach the antialiasing limit inside the target.
constexpr int kFewElements = 64;

// Turns antialiasing off for the life of the guard when asked to.
class NoAntialiasing {
public:
    NoAntialiasing(QPainter &p, bool off) : p_(p), off_(off && p.testRenderHint(QPainter::Antialiasing))
    {
        if (off_)
            p_.setRenderHint(QPainter::Antialiasing, false);
    }
    ~NoAntialiasing()
    {
        if (off_)
            p_.setRenderHint(QPainter::Antialiasing, true);
    }

private:
    QPainter &p_;
    bool off_;
};

} // namespace
} // namespace wmf
