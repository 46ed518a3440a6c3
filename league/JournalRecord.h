#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Inside the file layer only: the bytes of the write-back journal "~saltmp.jnl".
//
// Layout, little-endian: "BRVJ", version 2 (32-bit), the league file's name, the entry
// count (32-bit, at most 4); per entry the league file's name in the folder, the real path
// of its file when a link leads out of the folder's own ("" otherwise), the temporary
// file's name, the new size and its hash (64-bit each); then the hash of all bytes before it
// and "DONE". Texts are a 32-bit length and the bytes. A journal without a matching hash and
// end mark was cut short and is not trusted. The hash is FNV-1a started from 1469598103934665603
// (not FNV's own offset basis, one digit longer): the first release's journals hash so, and
// are known by it.
namespace tolvik {

struct JournalEntry {
    std::string name;     // the league file's name in the folder
    std::string linkedTo; // the real path of its file when that lies elsewhere; "" otherwise
    std::string tempName; // the temporary file's name, beside the real file
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
};

struct JournalRecord {
    std::string leagueFile; // the .lge's name in the folder
    std::vector<JournalEntry> entries;
};

// FNV-1a over the bytes added, from the journal's own starting value.
struct JournalHash {
    std::uint64_t value = 1469598103934665603ull;
    void Add(const std::uint8_t* bytes, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            value ^= bytes[i];
            value *= 1099511628211ull;
        }
    }
};

enum class JournalDecoding {
    Complete, // a whole journal of this layout
    CutShort, // no matching hash and end mark: it was never written whole
    NotOurs,  // whole, but not of this layout (another version, entries that do not fit)
};

constexpr std::size_t kMaxJournalEntries = 4; // the league file and its three companions

std::vector<std::uint8_t> EncodeJournal(const JournalRecord& record);
JournalDecoding DecodeJournal(const std::vector<std::uint8_t>& bytes, JournalRecord& record);

} // namespace tolvik
