#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// Little-endian reads and writes of fixed-width integers. Every file of the game
// is little-endian whatever the host is, so nothing is ever copied as a raw struct.
namespace tolvik {

inline std::uint16_t readU16le(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int16_t readS16le(const std::uint8_t* p) {
    return static_cast<std::int16_t>(readU16le(p));
}
inline std::uint32_t readU24le(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16);
}
inline std::uint32_t readU32le(const std::uint8_t* p) {
    return readU24le(p) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::int32_t readS32le(const std::uint8_t* p) {
    return static_cast<std::int32_t>(readU32le(p));
}
inline double readF64le(const std::uint8_t* p) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void writeU16le(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void writeS16le(std::uint8_t* p, std::int16_t v) {
    writeU16le(p, static_cast<std::uint16_t>(v));
}
inline void writeU24le(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
}
inline void writeU32le(std::uint8_t* p, std::uint32_t v) {
    writeU24le(p, v);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}
inline void writeS32le(std::uint8_t* p, std::int32_t v) {
    writeU32le(p, static_cast<std::uint32_t>(v));
}
inline void writeF64le(std::uint8_t* p, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// A bounded read cursor over bytes that actually arrived: a read past the end fails
// and leaves the output untouched, so callers keep their defaults.
class ByteReader {
  public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return size_ - pos_; }
    bool Seek(std::size_t pos) {
        if (pos > size_)
            return false;
        pos_ = pos;
        return true;
    }
    bool Skip(std::size_t n) { return Seek(pos_ + n) && n <= size_; }

    bool readU8(std::uint8_t& v) {
        return take(1, [&](const std::uint8_t* p) { v = p[0]; });
    }
    bool readS8(std::int8_t& v) {
        return take(1, [&](const std::uint8_t* p) { v = static_cast<std::int8_t>(p[0]); });
    }
    bool readU16le(std::uint16_t& v) {
        return take(2, [&](const std::uint8_t* p) { v = tolvik::readU16le(p); });
    }
    bool readS16le(std::int16_t& v) {
        return take(2, [&](const std::uint8_t* p) { v = tolvik::readS16le(p); });
    }
    bool readU24le(std::uint32_t& v) {
        return take(3, [&](const std::uint8_t* p) { v = tolvik::readU24le(p); });
    }
    bool readU32le(std::uint32_t& v) {
        return take(4, [&](const std::uint8_t* p) { v = tolvik::readU32le(p); });
    }
    bool readS32le(std::int32_t& v) {
        return take(4, [&](const std::uint8_t* p) { v = tolvik::readS32le(p); });
    }
    bool readF64le(double& v) {
        return take(8, [&](const std::uint8_t* p) { v = tolvik::readF64le(p); });
    }
    bool readBytes(void* out, std::size_t n) {
        return take(n, [&](const std::uint8_t* p) { std::memcpy(out, p, n); });
    }

  private:
    template <typename F> bool take(std::size_t n, F&& f) {
        if (n > size_ - pos_)
            return false;
        f(data_ + pos_);
        pos_ += n;
        return true;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Appends little-endian values to a byte vector.
class ByteWriter {
  public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void writeU8(std::uint8_t v) { out_.push_back(v); }
    void writeS8(std::int8_t v) { out_.push_back(static_cast<std::uint8_t>(v)); }
    void writeU16le(std::uint16_t v) { tolvik::writeU16le(grow(2), v); }
    void writeS16le(std::int16_t v) { tolvik::writeS16le(grow(2), v); }
    void writeU24le(std::uint32_t v) { tolvik::writeU24le(grow(3), v); }
    void writeU32le(std::uint32_t v) { tolvik::writeU32le(grow(4), v); }
    void writeS32le(std::int32_t v) { tolvik::writeS32le(grow(4), v); }
    void writeF64le(double v) { tolvik::writeF64le(grow(8), v); }
    void writeBytes(const void* data, std::size_t n) {
        if (n != 0)
            std::memcpy(grow(n), data, n);
    }

  private:
    std::uint8_t* grow(std::size_t n) {
        out_.resize(out_.size() + n);
        return out_.data() + out_.size() - n;
    }

    std::vector<std::uint8_t>& out_;
};

} // namespace tolvik
