// Teams and rosters of the League: the chunk scan, reading and writing the scrambled
// team and roster records, and the questions asked about them.
#include "league/FileAccess.h"
#include "league/League.h"
#include "league/RosterOrder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {
constexpr int kTeamNameOffset = 55;
constexpr int kTeamAbbrOffset = 89;
constexpr int kEmptyKey = 20; // sort key of empty slots and invalid identifiers
} // namespace

// Scans the league working copy byte by byte for the tag. For the k-th chunk found
// (k below the number of teams), body(k, bodyPosition, bytesLeftInFile) handles the
// body and returns its length; the scan goes on after the body. Chunks beyond the
// number of teams have no record and end the scan. The file is read once and scanned in
// memory: a body the callback writes lies behind the scan, which skips it.
template <typename Body> void League::ScanChunks(const std::string& tag, Body&& body) {
    if (lgeHandle_ <= 0 || tag.size() != 4)
        return;
    const int numTeams = GetNumTeams();
    const std::int64_t fileSize = tolvik::FileSize(lgeHandle_);
    if (fileSize < 0 || fileSize > (std::int64_t{1} << 30) || tolvik::FileSeek(lgeHandle_, 0) != 0)
        return;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(fileSize));
    const int got = tolvik::FileRead(lgeHandle_, bytes.data(), static_cast<int>(bytes.size()));
    const std::size_t end = got > 0 ? static_cast<std::size_t>(got) : 0;
    const auto* first = reinterpret_cast<const std::uint8_t*>(tag.data());
    std::size_t pos = 0;
    int chunk = 0;
    while (chunk < numTeams && pos < end) {
        const auto* hit =
            static_cast<const std::uint8_t*>(std::memchr(bytes.data() + pos, first[0], end - pos));
        if (!hit)
            break;
        pos = static_cast<std::size_t>(hit - bytes.data()) + 1;
        // A differing byte is consumed and not looked at again as the start of a tag.
        int matched = 1;
        bool ended = false;
        while (matched < 4) {
            if (pos >= end) {
                ended = true;
                break;
            }
            if (bytes[pos++] != first[matched])
                break;
            ++matched;
        }
        if (ended)
            break;
        if (matched < 4)
            continue;
        const std::int64_t bodyPos =
            static_cast<std::int64_t>(pos) + 4; // the 4 bytes after the tag are not ours
        const std::int64_t left = fileSize > bodyPos ? fileSize - bodyPos : 0;
        const std::int64_t next = bodyPos + body(chunk, bodyPos, left);
        ++chunk;
        pos = static_cast<std::size_t>(std::min<std::int64_t>(next, static_cast<std::int64_t>(end)));
    }
}

void League::ReadTeamData() {
    teams_.assign(static_cast<std::size_t>(GetNumTeams()), {});
    ScanChunks(teamTag_, [&](int k, std::int64_t bodyPos, std::int64_t) {
        std::array<std::uint8_t, kTeamRecordSize> record{};
        // A body cut short by the end of the file leaves the team empty.
        if (tolvik::FileSeek(lgeHandle_, bodyPos) == bodyPos &&
            tolvik::FileRead(lgeHandle_, record.data(), kTeamRecordSize) == kTeamRecordSize) {
            tolvik::ScrambleTeamRecord(record.data());
            teams_[static_cast<std::size_t>(k)] = record;
        }
        return kTeamRecordSize;
    });
}

void League::ReadRosterData() {
    rosters_.assign(static_cast<std::size_t>(GetNumTeams()), Roster{});
    ScanChunks(rosterTag_, [&](int k, std::int64_t bodyPos, std::int64_t) {
        std::uint8_t record[Roster::kRecordSize];
        if (tolvik::FileSeek(lgeHandle_, bodyPos) == bodyPos &&
            tolvik::FileRead(lgeHandle_, record, Roster::kRecordSize) == Roster::kRecordSize) {
            tolvik::ScrambleRosterRecord(record);
            rosters_[static_cast<std::size_t>(k)] = Roster::Decode(record, sizeof record);
        }
        return Roster::kRecordSize;
    });
}

bool League::WriteTeamData() {
    bool ok = true;
    ScanChunks(teamTag_, [&](int k, std::int64_t bodyPos, std::int64_t left) {
        // Never write past a body cut short by the end of the file: that would grow the file.
        if (static_cast<std::size_t>(k) < teams_.size() && left >= kTeamRecordSize) {
            auto record = teams_[static_cast<std::size_t>(k)];
            tolvik::ScrambleTeamRecord(record.data());
            ok = tolvik::FileSeek(lgeHandle_, bodyPos) == bodyPos &&
                 tolvik::FileWrite(lgeHandle_, record.data(), kTeamRecordSize) == kTeamRecordSize && ok;
        }
        return kTeamRecordSize;
    });
    return ok || WorkingCopyWriteFailed(lgeWork_, tolvik::FileHandleError(lgeHandle_));
}

bool League::WriteRosterData() {
    bool ok = true;
    ScanChunks(rosterTag_, [&](int k, std::int64_t bodyPos, std::int64_t left) {
        if (static_cast<std::size_t>(k) < rosters_.size() && left >= Roster::kRecordSize) {
            std::uint8_t record[Roster::kRecordSize];
            rosters_[static_cast<std::size_t>(k)].Encode(record);
            tolvik::ScrambleRosterRecord(record);
            ok = tolvik::FileSeek(lgeHandle_, bodyPos) == bodyPos &&
                 tolvik::FileWrite(lgeHandle_, record, Roster::kRecordSize) == Roster::kRecordSize && ok;
        }
        return Roster::kRecordSize;
    });
    return ok || WorkingCopyWriteFailed(lgeWork_, tolvik::FileHandleError(lgeHandle_));
}

std::string League::GetTeamName(int team) const {
    if (team < 0 || static_cast<std::size_t>(team) >= teams_.size())
        return "";
    const char* text = reinterpret_cast<const char*>(teams_[static_cast<std::size_t>(team)].data());
    return std::string(text + kTeamNameOffset,
                       ::strnlen(text + kTeamNameOffset, kTeamAbbrOffset - kTeamNameOffset));
}

std::string League::GetTeamAbbr(int team) const {
    if (team < 0 || static_cast<std::size_t>(team) >= teams_.size())
        return "";
    const char* text = reinterpret_cast<const char*>(teams_[static_cast<std::size_t>(team)].data());
    return std::string(text + kTeamAbbrOffset,
                       ::strnlen(text + kTeamAbbrOffset, kTeamRecordSize - kTeamAbbrOffset));
}

short* League::GetRoster(int team) {
    Roster* roster = GetRosterRecord(team);
    return roster ? roster->GetPIDs() : nullptr;
}

Roster* League::GetRosterRecord(int team) {
    if (team < 0 || static_cast<std::size_t>(team) >= rosters_.size())
        return nullptr;
    return &rosters_[static_cast<std::size_t>(team)];
}

short* League::GetSortedRoster(int team) {
    const Roster* roster = GetRosterRecord(team);
    if (!roster)
        return nullptr;
    std::copy(std::begin(roster->pids), std::end(roster->pids), sortedRoster_.begin());
    const short next = GetNextPlayerID();
    // Each entry's key is looked up once and travels with it through the exchanges.
    std::array<int, Roster::kSlots> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const short pid = sortedRoster_[i];
        keys[i] =
            pid >= 100 && pid < next ? static_cast<int>(players.GetPlayer(pid).GetPosSpecific()) : kEmptyKey;
    }
    ExchangeSortByKey(sortedRoster_.data(), keys.data(), keys.size());
    return sortedRoster_.data();
}

int League::FindTeam(short pid) const {
    for (std::size_t team = 0; team < rosters_.size(); ++team)
        if (rosters_[team].IsOnRoster(pid))
            return static_cast<int>(team);
    return -1;
}
