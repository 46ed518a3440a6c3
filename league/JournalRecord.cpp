// The write-back journal's bytes.
#include "league/JournalRecord.h"

#include "league/ByteOrder.h"

#include <cstring>

namespace tolvik {
namespace {

constexpr char kMagic[4] = {'B', 'R', 'V', 'J'};
constexpr char kEnd[4] = {'D', 'O', 'N', 'E'};
constexpr std::uint32_t kVersion = 2;
constexpr std::size_t kTrailer = 8 + 4; // hash and end mark

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    const std::size_t at = out.size();
    out.resize(at + 4);
    writeU32le(out.data() + at, v);
}

void PutU64(std::vector<std::uint8_t>& out, std::uint64_t v) {
    PutU32(out, static_cast<std::uint32_t>(v));
    PutU32(out, static_cast<std::uint32_t>(v >> 32));
}

void PutText(std::vector<std::uint8_t>& out, const std::string& text) {
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

bool U64(ByteReader& in, std::uint64_t& v) {
    std::uint32_t lo = 0, hi = 0;
    if (!in.readU32le(lo) || !in.readU32le(hi))
        return false;
    v = lo | (static_cast<std::uint64_t>(hi) << 32);
    return true;
}

bool Text(ByteReader& in, std::string& text) {
    std::uint32_t n = 0;
    if (!in.readU32le(n) || in.Remaining() < n)
        return false;
    text.resize(n);
    return in.readBytes(text.data(), n);
}

} // namespace

std::vector<std::uint8_t> EncodeJournal(const JournalRecord& record) {
    std::vector<std::uint8_t> out(kMagic, kMagic + 4);
    PutU32(out, kVersion);
    PutText(out, record.leagueFile);
    PutU32(out, static_cast<std::uint32_t>(record.entries.size()));
    for (const JournalEntry& e : record.entries) {
        PutText(out, e.name);
        PutText(out, e.linkedTo);
        PutText(out, e.tempName);
        PutU64(out, e.size);
        PutU64(out, e.hash);
    }
    JournalHash hash;
    hash.Add(out.data(), out.size());
    PutU64(out, hash.value);
    out.insert(out.end(), kEnd, kEnd + 4);
    return out;
}

JournalDecoding DecodeJournal(const std::vector<std::uint8_t>& bytes, JournalRecord& record) {
    if (bytes.size() < 8 + kTrailer || std::memcmp(bytes.data(), kMagic, 4) != 0 ||
        std::memcmp(bytes.data() + bytes.size() - 4, kEnd, 4) != 0)
        return JournalDecoding::CutShort;
    const std::size_t body = bytes.size() - kTrailer;
    JournalHash hash;
    hash.Add(bytes.data(), body);
    const std::uint64_t stored = readU32le(bytes.data() + body) |
                                 (static_cast<std::uint64_t>(readU32le(bytes.data() + body + 4)) << 32);
    if (stored != hash.value)
        return JournalDecoding::CutShort;

    ByteReader in(bytes.data(), body);
    in.Seek(4);
    std::uint32_t version = 0, count = 0;
    if (!in.readU32le(version) || version != kVersion || !Text(in, record.leagueFile) ||
        !in.readU32le(count) || count > kMaxJournalEntries)
        return JournalDecoding::NotOurs;
    record.entries.assign(count, JournalEntry{});
    for (JournalEntry& e : record.entries)
        if (!Text(in, e.name) || !Text(in, e.linkedTo) || !Text(in, e.tempName) || !U64(in, e.size) ||
            !U64(in, e.hash))
            return JournalDecoding::NotOurs;
    return in.Remaining() == 0 ? JournalDecoding::Complete : JournalDecoding::NotOurs;
}

} // namespace tolvik
