#include "league/Encryption.h"

#include <cstring>

namespace {

// Replaces each byte by its table entry. Eight bytes are taken and stored as one word,
// so the stores cannot alias the table loads; this is what makes a large player file cheap.
void Substitute(const std::uint8_t* table, std::uint8_t* bytes, int count) {
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t in;
        std::memcpy(&in, bytes + i, 8);
        std::uint64_t out = 0;
        for (int k = 0; k < 64; k += 8)
            out |= static_cast<std::uint64_t>(table[(in >> k) & 0xFF]) << k;
        std::memcpy(bytes + i, &out, 8);
    }
    for (; i < count; ++i)
        bytes[i] = table[bytes[i]];
}

} // namespace

Encryption::Encryption() {
    for (int i = 0; i < 256; ++i)
        table_[i] = static_cast<std::uint8_t>(255 - i);
    BuildInverse();
}

void Encryption::Init(const std::uint8_t a, const std::uint8_t b) {
    a_ = a;
    b_ = b;
    // Unfilled entries hold the filler a - 1. Every value placed before the last one
    // differs from it, so "holds the filler" means "still free"; the last value placed
    // is the filler itself.
    const std::uint8_t filler = static_cast<std::uint8_t>(a - 1);
    for (auto& entry : table_)
        entry = filler;
    std::uint8_t value = a;
    int pos = 0;
    for (int n = 0; n < 256; ++n) {
        table_[pos] = value++;
        pos += b;
        if (pos >= 256)
            pos -= 256;
        // At most 256 probes: a free entry (or, after the last value, the filler) always exists.
        for (int probes = 0; probes < 256 && table_[pos] != filler; ++probes) {
            if (++pos == 256)
                pos = 0;
        }
    }
    BuildInverse();
}

void Encryption::GetInit(std::uint8_t& a, std::uint8_t& b) const {
    a = a_;
    b = b_;
}

void Encryption::Encrypt(std::uint8_t* bytes, short count) const {
    Substitute(encode3_, bytes, count);
}

void Encryption::Decrypt(std::uint8_t* bytes, short count) const {
    Substitute(decode3_, bytes, count);
}

void Encryption::BuildInverse() {
    for (int i = 0; i < 256; ++i)
        inverse_[table_[i]] = static_cast<std::uint8_t>(i);
    // The cipher applies the table three times; keep the composed tables so that a
    // byte costs one lookup when a whole player file is read.
    for (int i = 0; i < 256; ++i) {
        encode3_[i] = table_[table_[table_[i]]];
        decode3_[i] = inverse_[inverse_[inverse_[i]]];
    }
}
