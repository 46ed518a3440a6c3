#include "contracts/KeptSalaryEdits.h"

#include "contracts/ContractList.h"
#include "league/ByteOrder.h"
#include "league/FileAccess.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace KeptSalaryEdits {
namespace {

constexpr std::uint8_t kTag[4] = {'B', 'R', 'V', 'E'};
static_assert(kEntrySize == 2 + 4 + 1 + 1, "an entry is the ID, the CGS, the round and the pick");

} // namespace

bool Write(const ContractList& list, const std::string& path, std::string& error) {
    std::vector<std::uint8_t> out;
    tolvik::ByteWriter w(out);
    w.writeBytes(kTag, sizeof kTag);
    w.writeU32le(static_cast<std::uint32_t>(list.Count() - ContractList::kFirstID));
    for (int id = ContractList::kFirstID; id < list.Count(); ++id) {
        const Contract c = list.GetContract(id);
        w.writeS16le(static_cast<std::int16_t>(id));
        w.writeU32le(c.cgs);
        w.writeU8(c.round);
        w.writeU8(c.pick);
    }
    tolvik::FileError why = tolvik::FileError::None;
    if (tolvik::WriteFileAtomically(path, out.data(), out.size(), &why))
        return true;
    error = tolvik::FileErrorText(why);
    return false;
}

bool Take(ContractList& list, const std::string& path, std::string& error) {
    // A league has at most 32,767 player IDs: anything longer is no such file.
    constexpr std::size_t kLargest = kHeaderSize + kEntrySize * 32768;
    std::vector<std::uint8_t> bytes;
    tolvik::FileError why = tolvik::FileError::None;
    if (!tolvik::ReadFileStart(path, bytes, kLargest + 1, &why)) {
        error = tolvik::FileErrorText(why);
        return false;
    }
    tolvik::ByteReader in(bytes.data(), bytes.size());
    std::uint8_t tag[4] = {};
    std::uint32_t count = 0;
    if (!in.readBytes(tag, sizeof tag) || !std::equal(tag, tag + 4, kTag) || !in.readU32le(count) ||
        bytes.size() != kHeaderSize + kEntrySize * std::size_t{count}) {
        error = "it is not a file of kept CGS edits";
        return false;
    }
    struct Entry {
        std::int16_t id = 0;
        std::uint32_t cgs = 0;
        std::uint8_t round = 0;
        std::uint8_t pick = 0;
    };
    std::vector<Entry> entries(count);
    for (Entry& e : entries) {
        in.readS16le(e.id);
        in.readU32le(e.cgs);
        in.readU8(e.round);
        in.readU8(e.pick);
        if (e.id < ContractList::kFirstID || e.id >= list.Count()) {
            error = "it names player " + std::to_string(e.id) + ", whom this league does not have";
            return false;
        }
    }
    for (const Entry& e : entries) {
        Contract* record = list.GetRecord(e.id);
        record->cgs = e.cgs;
        record->round = e.round;
        record->pick = e.pick;
    }
    list.RecomputeTotals();
    return true;
}

} // namespace KeptSalaryEdits
