#pragma once
#include <QByteArray>

#include <array>
#include <cstdint>

// Deterministic mutations for the fuzz smoke tests of the suite: bit flips,
// edge bytes and 16/32-bit edge values, cuts, repeats and removals. The
// libFuzzer targets explore much further; this keeps each entry honest in
// every ordinary test run.
class ByteMutator {
public:
    explicit ByteMutator(uint64_t seed) : s_(seed) {}
    uint32_t next()
    {
        s_ = s_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(s_ >> 33);
    }
    uint32_t below(uint32_t n) { return n ? next() % n : 0; }

    QByteArray mutate(QByteArray b)
    {
        const int steps = 1 + int(below(4));
        for (int i = 0; i < steps && !b.isEmpty(); ++i) {
            const int at = int(below(uint32_t(b.size())));
            switch (below(7)) {
            case 0: b[at] = char(b[at] ^ char(1 << below(8))); break;
            case 1: b[at] = char(std::array<uint8_t, 6>{0, 1, 0x7F, 0x80, 0xFE, 0xFF}[below(6)]); break;
            case 2: // a 16-bit field set to an edge value
                if (at + 1 < b.size()) {
                    static const uint16_t edge[] = {0, 1, 2, 3, 0x7FFF, 0x8000, 0xFFFF, 0x1000};
                    const uint16_t v = edge[below(8)];
                    b[at] = char(v & 0xFF);
                    b[at + 1] = char(v >> 8);
                }
                break;
            case 3: b.truncate(at); break;
            case 4: b.insert(at, b.mid(int(below(uint32_t(b.size()))), int(below(64)))); break;
            case 5: b.remove(at, int(below(16))); break;
            default: // a 32-bit size or count field
                if (at + 3 < b.size()) {
                    const uint32_t v = std::array<uint32_t, 5>{0, 2, 3, 0x7FFFFFFF, 0xFFFFFFFF}[below(5)];
                    for (int k = 0; k < 4; ++k)
                        b[at + k] = char((v >> (8 * k)) & 0xFF);
                }
            }
        }
        return b;
    }

private:
    uint64_t s_;
};
