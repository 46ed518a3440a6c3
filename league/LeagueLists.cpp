// Free-agent and college-draft lists of the League, and the roster moves that use them.
#include "league/ByteOrder.h"
#include "league/FileAccess.h"
#include "league/League.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr int kListCountOffset = 8;
constexpr int kListIdsOffset = 10;

struct SlotRange {
    int first;
    int count;
};

// Preferred roster slots of a general position code; count 0 when there are none.
SlotRange PreferredSlots(Player::Pos general) {
    switch (general) {
    case Player::QB:
        return {0, 2};
    case Player::RB:
        return {2, 3};
    case Player::R:
        return {5, 5};
    case Player::OL:
        return {10, 6};
    case Player::DL:
        return {16, 4};
    case Player::LB:
        return {20, 5};
    case Player::DB:
        return {25, 7};
    case Player::P:
        return {32, 1};
    case Player::K:
        return {33, 1};
    default:
        return {0, 0};
    }
}

constexpr SlotRange kFallbackSlots[] = {{34, 12}, {46, 7}, {0, Roster::kActiveSlots}};

} // namespace

int PlayerGroups::Count(int group) const {
    if (group < 0 || group >= kGroups)
        return 0;
    return static_cast<int>(ids[static_cast<std::size_t>(group)].size());
}

bool League::IsValidPID(short pid) const {
    return pid >= 100 && pid < GetNextPlayerID();
}

void League::ReadFreeAgent(int handle, PlayerGroups& groups) {
    if (handle <= 0)
        return;
    const std::size_t capacity = static_cast<std::size_t>(std::max<short>(GetNextPlayerID(), 0) / 4);
    auto resetGroups = [&] {
        for (auto& group : groups.ids) {
            group.clear();
            group.reserve(capacity);
        }
        groups.hasArrays = true;
    };

    std::uint8_t tag[4];
    if (tolvik::FileSeek(handle, 0) != 0 || tolvik::FileRead(handle, tag, 4) != 4 ||
        std::memcmp(tag, listTag_.data(), 4) != 0) {
        // Not a list we can read: show it as empty, and never rewrite it, which would
        // destroy whatever it holds.
        resetGroups();
        groups.total = 0;
        groups.readable = false;
        return;
    }

    std::uint8_t countBytes[2];
    int entries = 0;
    if (tolvik::FileSeek(handle, kListCountOffset) == kListCountOffset &&
        tolvik::FileRead(handle, countBytes, 2) == 2)
        entries = std::max<int>(tolvik::readS16le(countBytes), 0);
    resetGroups();
    groups.total = entries;
    groups.readable = true;

    // The list may end early at the end of the file; only identifiers that arrived count.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(entries) * 2);
    int got = 0;
    if (!bytes.empty() && tolvik::FileSeek(handle, kListIdsOffset) == kListIdsOffset)
        got = std::max(tolvik::FileRead(handle, bytes.data(), static_cast<int>(bytes.size())), 0);
    for (int i = 0; i + 1 < got; i += 2) {
        const short pid = tolvik::readS16le(bytes.data() + i);
        if (!IsValidPID(pid))
            continue;
        const int group = GenPos2FAPos(players.GetPosGeneral(pid));
        if (group < PlayerGroups::kGroups)
            groups.ids[static_cast<std::size_t>(group)].push_back(pid);
    }
}

bool League::WriteFreeAgent(int handle, const std::string& fileName, PlayerGroups& groups) {
    // The open working copy is emptied in place: its name is never free for another file,
    // and whatever has taken the name meanwhile (a link leading out of the folder) is never
    // opened through it.
    if (!tolvik::FileEmpty(handle))
        return WorkingCopyWriteFailed(fileName, tolvik::FileHandleError(handle));

    std::vector<std::uint8_t> bytes(kListIdsOffset, 0);
    std::memcpy(bytes.data(), listTag_.data(), 4);
    tolvik::ByteWriter writer(bytes);
    int written = 0;
    for (const auto& group : groups.ids) {
        for (short pid : group) {
            // The entry count is 16-bit; a list cannot hold more.
            if (!IsValidPID(pid) || written == std::numeric_limits<std::int16_t>::max())
                continue;
            writer.writeS16le(pid);
            ++written;
        }
    }
    tolvik::writeS16le(bytes.data() + kListCountOffset, static_cast<std::int16_t>(written));
    tolvik::writeU32le(bytes.data() + 4, static_cast<std::uint32_t>(2 + 2 * written));
    if (tolvik::FileWrite(handle, bytes.data(), static_cast<int>(bytes.size())) !=
        static_cast<int>(bytes.size()))
        return WorkingCopyWriteFailed(fileName, tolvik::FileHandleError(handle));
    return true;
}

bool League::GetFAExists() const {
    return pyfHandle_ > 0;
}

bool League::GetCDExists() const {
    return pycHandle_ > 0;
}

short* League::GetFreeAgents(int group) {
    if (group < 0 || group >= PlayerGroups::kGroups || !freeAgents_.hasArrays)
        return nullptr;
    return freeAgents_.ids[static_cast<std::size_t>(group)].data();
}

int League::GetNumFreeAgents(int group) const {
    return freeAgents_.Count(group);
}

short* League::GetCollegeDraft(int group) {
    if (group < 0 || group >= PlayerGroups::kGroups || !draft_.hasArrays)
        return nullptr;
    return draft_.ids[static_cast<std::size_t>(group)].data();
}

int League::GetNumCollegeDraft(int group) const {
    return draft_.Count(group);
}

bool League::IsFreeAgent(short pid) const {
    for (const PlayerGroups* list : {&freeAgents_, &draft_}) {
        if (list->total == -1)
            continue;
        for (const auto& group : list->ids)
            if (std::find(group.begin(), group.end(), pid) != group.end())
                return true;
    }
    return false;
}

char League::GenPos2FAPos(Player::Pos general) {
    switch (general) {
    case Player::QB:
        return 0;
    case Player::RB:
        return 1;
    case Player::R:
        return 2;
    case Player::OL:
        return 3;
    case Player::DL:
        return 4;
    case Player::LB:
        return 5;
    case Player::DB:
        return 6;
    case Player::K:
        return 7;
    case Player::P:
        return 8;
    default:
        return 9;
    }
}

bool League::MakeFreeAgent(short pid) {
    if (!loaded_ || !IsValidPID(pid))
        return Fail("no such player");
    const int team = FindTeam(pid);
    if (team < 0)
        return Fail("the player is on no roster");
    // Releasing into a free-agent file we could not read would mean replacing that file.
    if (freeAgents_.total != -1 && !freeAgents_.readable)
        return Fail("the free-agent file cannot be read as a list");
    if (freeAgents_.total == -1) {
        if (CreateFreeAgentFile() <= 0) {
            DropFreeAgentFile();
            return false;
        }
        freeAgents_.total = 0;
        // The new file is dropped when it cannot be filled, so nothing half-written remains.
        const bool failedBefore = writeFailed_;
        if (!WriteFreeAgent(pyfHandle_, pyfWork_, freeAgents_)) {
            writeFailed_ = failedBefore;
            DropFreeAgentFile();
            return false;
        }
        ReadFreeAgent(pyfHandle_, freeAgents_);
    }

    short* slots = rosters_[static_cast<std::size_t>(team)].GetPIDs();
    std::replace(slots, slots + Roster::kSlots, pid, static_cast<short>(0));

    // A player whose position has no group leaves his roster but joins no list.
    const int group = GenPos2FAPos(players.GetPosGeneral(pid));
    if (group < PlayerGroups::kGroups) {
        freeAgents_.ids[static_cast<std::size_t>(group)].push_back(pid);
        ++freeAgents_.total;
    }
    return true;
}

bool League::MovePlayer(short pid, char team) {
    if (!loaded_ || !IsValidPID(pid) || team < 0 || team >= GetNumTeams())
        return Fail("no such player or team");
    const int oldTeam = FindTeam(pid);
    if (oldTeam == team)
        return true;
    Roster& roster = rosters_[static_cast<std::size_t>(team)];
    // He leaves the roster FindTeam names. When the same identifier also stands on the target
    // roster already, that slot is his: a second one would list him twice.
    if (roster.IsOnRoster(pid)) {
        short* oldSlots = rosters_[static_cast<std::size_t>(oldTeam)].GetPIDs();
        std::replace(oldSlots, oldSlots + Roster::kSlots, pid, static_cast<short>(0));
        return true;
    }

    const Player::Pos general = players.GetPosGeneral(pid);
    const int group = GenPos2FAPos(general);
    short* slots = roster.GetPIDs();
    const SlotRange preferred = PreferredSlots(general);
    bool placed = preferred.count > 0 && FindSlot(pid, preferred.first, preferred.count, slots);
    for (const SlotRange& range : kFallbackSlots)
        placed = placed || FindSlot(pid, range.first, range.count, slots);
    if (!placed)
        return Fail("no free slot on the roster");

    roster.SetJerseyNumber(pid, roster.FindJersey(pid, general));
    if (oldTeam < 0) {
        if (freeAgents_.total != -1 && group < PlayerGroups::kGroups) {
            auto& ids = freeAgents_.ids[static_cast<std::size_t>(group)];
            auto it = std::find(ids.begin(), ids.end(), pid);
            if (it != ids.end()) {
                ids.erase(it);
                --freeAgents_.total;
            }
        }
    } else {
        short* oldSlots = rosters_[static_cast<std::size_t>(oldTeam)].GetPIDs();
        std::replace(oldSlots, oldSlots + Roster::kSlots, pid, static_cast<short>(0));
    }
    return true;
}

bool League::FindSlot(short pid, int firstSlot, int numSlots, short* rosterSlots) {
    for (int slot = firstSlot; slot < firstSlot + numSlots; ++slot) {
        if (rosterSlots[slot] == 0) {
            rosterSlots[slot] = pid;
            return true;
        }
    }
    return false;
}
