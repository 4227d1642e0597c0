#pragma once
#include <cstdint>
#include <cstring>

namespace wmf {

// Little-endian reads from a bounded span. Reading past the end never
// touches memory outside the span: it yields zero and marks the reader bad,
// so a caller checks ok() once after a group of reads.
class ByteReader {
public:
    ByteReader() = default;
    ByteReader(const unsigned char *data, uint32_t size) : data_(data), size_(size) {}

    uint32_t size() const { return size_; }
    uint32_t pos() const { return pos_; }
    uint32_t remaining() const { return pos_ <= size_ ? size_ - pos_ : 0; }
    bool ok() const { return ok_; }
    bool has(uint32_t n) const { return n <= remaining(); }
    const unsigned char *here() const { return data_ + pos_; }

    void seek(uint32_t p)
    {
        if (p > size_) {
            ok_ = false;
            pos_ = size_;
        } else
            pos_ = p;
    }
    void skip(uint32_t n)
    {
        if (!has(n)) {
            ok_ = false;
            pos_ = size_;
        } else
            pos_ += n;
    }
    uint8_t u8()
    {
        if (!has(1)) {
            ok_ = false;
            return 0;
        }
        return data_[pos_++];
    }
    uint16_t u16()
    {
        if (!has(2)) {
            ok_ = false;
            pos_ = size_;
            return 0;
        }
        const uint16_t v = uint16_t(data_[pos_] | data_[pos_ + 1] << 8);
        pos_ += 2;
        return v;
    }
    int16_t s16() { return int16_t(u16()); }
    uint32_t u32()
    {
        const uint32_t lo = u16();
        const uint32_t hi = u16();
        return lo | hi << 16;
    }
    int32_t s32() { return int32_t(u32()); }

    // A sub-reader over the next n bytes (or what is left, marked bad).
    ByteReader sub(uint32_t n)
    {
        if (!has(n)) {
            ok_ = false;
            n = remaining();
        }
        ByteReader r(data_ + pos_, n);
        pos_ += n;
        return r;
    }

private:
    const unsigned char *data_ = nullptr;
    uint32_t size_ = 0;
    uint32_t pos_ = 0;
    bool ok_ = true;
};

} // namespace wmf
