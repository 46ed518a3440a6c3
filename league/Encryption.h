#pragma once

#include "league/TolvikExport.h"

#include <cstdint>

// The byte substitution that enciphers the records of the player file.
class TOLVIK_EXPORT Encryption {
  public:
    // The table with entry i = 255 - i.
    Encryption();

    // Rebuilds the whole table from the start value a and the step b.
    void Init(const std::uint8_t a, const std::uint8_t b);
    // Reports the two key bytes of the last Init (255 and 0 before any).
    void GetInit(std::uint8_t& a, std::uint8_t& b) const;
    // Replaces each byte x by table[table[table[x]]].
    void Encrypt(std::uint8_t* bytes, short count) const;
    // The inverse of Encrypt.
    void Decrypt(std::uint8_t* bytes, short count) const;
    // Decrypt of one byte, inline for readers that need a field or two of many records.
    std::uint8_t DecryptByte(std::uint8_t byte) const { return decode3_[byte]; }

    std::uint8_t Entry(int i) const { return table_[i & 0xFF]; }

  private:
    void BuildInverse();

    std::uint8_t table_[256];
    std::uint8_t inverse_[256];
    std::uint8_t encode3_[256]; // table applied three times
    std::uint8_t decode3_[256]; // inverse applied three times
    std::uint8_t a_ = 255;
    std::uint8_t b_ = 0;
};
