#pragma once

// The harnesses of the league library's readers. Each takes one input, lays it out as
// files in the scratch folder exactly as a league lies on disk, reads it through the
// library as the program does, touches everything the program can reach, and checks the
// promises the library makes about damaged files. The fuzz targets and the regression
// tests call the same functions.

#include "fuzz/FuzzSupport.h"
#include "fuzz/MinimalLeague.h"
#include "league/ByteOrder.h"
#include "league/FileAccess.h"
#include "league/League.h"
#include "league/MoneyText.h"
#include "stats/StatList.h"
#include "stats/Statistic.h"
#include "stats/StatisticPunt.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fuzzing {

// Values read only so that the sanitizers see every byte an accessor touches.
inline volatile std::size_t gSink = 0;
inline volatile float gFloatSink = 0;

inline void TouchPlayer(const Player& p) {
    std::size_t sum = static_cast<std::size_t>(p.GetPID()) + p.GetFirstName().size() +
                      p.GetLastName().size() + static_cast<std::size_t>(p.GetYears()) +
                      static_cast<std::size_t>(p.GetPosSpecific()) +
                      static_cast<std::size_t>(p.GetPosGeneral()) + p.GetStringPos().size();
    for (auto r : p.GetARatings())
        sum += static_cast<std::size_t>(r);
    for (auto r : p.GetPRatings())
        sum += static_cast<std::size_t>(r);
    gSink = gSink + sum;
}

// Walks a statistic list forwards and backwards, printing every line. Returns the number
// of lines; a list longer than bound (more lines than the file had records) never ends.
inline std::size_t WalkStatList(StatList& list, std::size_t bound) {
    Check(!list.empty(), "a list handed out is not empty");
    list.reset();
    std::size_t forward = 0;
    int lastType = -1;
    for (;;) {
        Statistic* line = list.value();
        Check(line != nullptr, "the cursor of a list rests on a line");
        Check(line->type >= lastType, "the lines of a list ascend by type code");
        lastType = line->type;
        gSink = gSink + line->StatLine().size() + static_cast<std::size_t>(line->Over50()) + line->count +
                line->id;
        gFloatSink = gFloatSink + line->Accuracy();
        if (const auto* punt = dynamic_cast<const StatisticPunt*>(line))
            gFloatSink = gFloatSink + punt->NetAvg();
        Check(++forward <= bound, "a list ends");
        if (!list.next())
            break;
    }
    Check(list.end() == 1, "a walk to the last line ends there");
    list.reset_end();
    std::size_t backward = 1;
    while (list.prev())
        Check(++backward <= bound, "a list ends going backwards");
    Check(backward == forward, "a list has as many lines backwards as forwards");
    return forward;
}

// Which identifiers and teams the costly checks of a walk look at: all of them, or a window
// of identifiers and one team. The checks that cost a pass over a list or a record (walking
// a statistics list, touching every field of a player, sorting a roster) are what makes an
// input expensive; the league target leaves the full passes to the player and statistics
// targets and looks at a window that its input chooses (WalkFocus::Of).
struct WalkFocus {
    int firstID = INT_MIN; // identifiers firstID .. lastID, and the edges of the range
                           // (teams, identifiers up to 101, the last two and beyond)
    int lastID = INT_MAX;
    int team = -1; // the roster sorted and its players looked at; -1: every roster

    bool Covers(int id, int next) const {
        const bool edge = id <= 101 || id >= next - 2;
        return edge || (id >= firstID && id <= lastID);
    }
    bool Covers(int t) const { return team < 0 || t == team; }
    // Whether an owner's statistics list, when it has one, is walked line by line: within a
    // focus only the window's players, the focus team, the last team and the first and last
    // player (every covered owner's list is still asked for). The first team is walked only
    // as the focus team: a damaged file's records of owner 0 make it the longest list.
    bool WalksList(int id, int next, int teams) const {
        if (team < 0)
            return Covers(id, next);
        const bool edge = id == teams - 1 || id == 100 || id == next - 1;
        return edge || id == team || (id >= firstID && id <= lastID);
    }

    static constexpr int kWindow = 24;

    // A window and a team of the league that follow from the whole input, so that every part
    // of a league is looked at in turn as the fuzzer changes its inputs.
    static WalkFocus Of(const std::uint8_t* data, std::size_t size, int teams, int next) {
        const std::uint64_t h =
            std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(data), size));
        WalkFocus focus;
        const int span = std::max(next - 100, 1);
        focus.firstID = 100 + static_cast<int>(h % static_cast<std::uint64_t>(span));
        focus.lastID = focus.firstID + kWindow - 1;
        focus.team = static_cast<int>((h >> 32) % static_cast<std::uint64_t>(std::max(teams, 1)));
        return focus;
    }
};

// The lists of every identifier the program may ask for (within the focus), walked where
// the focus says; returns the lines per identifier walked.
inline std::vector<std::size_t> WalkStats(League& league, std::size_t bound, const WalkFocus& focus = {}) {
    const int next = std::max<int>(league.GetNextPlayerID(), 0);
    std::vector<std::size_t> lines(static_cast<std::size_t>(next) + 2, 0);
    for (int id = -2; id <= next + 1; ++id) {
        if (!focus.Covers(id, next))
            continue;
        StatList* list = league.GetStats(static_cast<short>(id));
        if (!list)
            continue;
        Check(id >= 0 && id <= next, "only players' and teams' lists are handed out");
        if (focus.WalksList(id, next, league.GetNumTeams()))
            lines[static_cast<std::size_t>(id)] = WalkStatList(*list, bound);
    }
    for (int id : {SHRT_MIN, SHRT_MAX})
        if (StatList* list = league.GetStats(static_cast<short>(id)))
            WalkStatList(*list, bound);
    return lines;
}

// Every accessor of a read league, as the program and the command-line tool use them; the
// costly checks within the focus.
inline void WalkLeague(League& league, std::size_t statBound, const WalkFocus& focus = {}) {
    gSink = gSink + league.GetLeagueName().size() + league.GetLeagueFileName().size() +
            static_cast<std::size_t>(league.GetNumConf() + league.GetCurrentSeason() +
                                     league.GetCurrentStage() + league.GetVersion());
    const int teams = league.GetNumTeams();
    const int next = league.GetNextPlayerID();
    Check(teams >= 8 && teams <= 30, "a read league has a known number of teams");
    Check(next >= 100, "a read league has room for players");

    for (int team = -1; team <= teams; ++team) {
        gSink = gSink + league.GetTeamName(team).size() + league.GetTeamAbbr(team).size();
        short* roster = league.GetRoster(team);
        Roster* record = league.GetRosterRecord(team);
        short* sorted = focus.Covers(team) ? league.GetSortedRoster(team) : league.GetRoster(team);
        const bool inside = team >= 0 && team < teams;
        Check((roster != nullptr) == inside && (record != nullptr) == inside && (sorted != nullptr) == inside,
              "every team of the league has a roster, and only those");
        if (!inside)
            continue;
        roster = league.GetRoster(team);
        int jerseysFound = 0;
        for (int slot = 0; slot < Roster::kSlots; ++slot) {
            const short pid = roster[slot];
            gSink = gSink + record->jerseys[slot] + static_cast<std::size_t>(sorted[slot]);
            if (pid == 0 || !focus.Covers(team))
                continue;
            const Player player = league.players.GetPlayer(pid);
            TouchPlayer(player);
            // A few searches per team: each FindTeam walks every roster, each jersey search
            // the whole roster per number.
            if (jerseysFound++ < 3) {
                const int found = league.FindTeam(pid);
                Check(found >= 0 && found <= team, "a rostered player is found on a team");
                const char jersey = record->FindJersey(pid, player.GetPosGeneral());
                gSink = gSink + static_cast<std::size_t>(jersey) + record->JerseyTaken(jersey, pid);
            }
        }
    }

    for (int group = -1; group <= PlayerGroups::kGroups; ++group) {
        const int fa = league.GetNumFreeAgents(group);
        const int cd = league.GetNumCollegeDraft(group);
        const short* faIds = league.GetFreeAgents(group);
        const short* cdIds = league.GetCollegeDraft(group);
        Check(fa >= 0 && cd >= 0, "group counts are not negative");
        Check((fa == 0 || faIds) && (cd == 0 || cdIds), "a group with players has an array");
        for (int i = 0; i < fa; ++i) {
            Check(faIds[i] >= 100 && faIds[i] < next, "free agents are players");
            // Each search passes over every list: only the players of the focus are searched.
            Check(!focus.Covers(faIds[i], next) || league.IsFreeAgent(faIds[i]),
                  "a listed free agent is a free agent");
        }
        for (int i = 0; i < cd; ++i)
            Check(cdIds[i] >= 100 && cdIds[i] < next, "draft prospects are players");
    }
    gSink = gSink + static_cast<std::size_t>(league.GetFreeAgentTotal() + league.GetCollegeDraftTotal() +
                                             league.GetFAExists() + league.GetCDExists());

    for (int id = -2; id <= next + 1; ++id) {
        if (!focus.Covers(id, next))
            continue;
        const Player player = league.players.GetPlayer(static_cast<short>(id));
        TouchPlayer(player);
        Check(player.GetPID() == 0 || player.GetPID() == id, "a player is found under his own identifier");
        // The searches cost a pass over every roster and list each; the listed and rostered
        // players were searched above, so only the edges of the range are searched here.
        if ((id >= 99 && id <= 101) || id <= 0 || id >= next - 1)
            gSink = gSink + league.IsFreeAgent(static_cast<short>(id)) +
                    static_cast<std::size_t>(league.FindTeam(static_cast<short>(id)) + 1);
    }
    WalkStats(league, statBound, focus);
}

// The roster moves of the input's tail: each three bytes (operation, identifier) move a
// player onto a roster (odd operations; the team is the operation shifted right) or release
// him into the free agents (even operations).
inline void ApplyMoves(League& league, ByteSpan moves) {
    InputCursor in(moves.data(), moves.size());
    for (int m = 0; m < 16 && in.Remaining() >= 3; ++m) {
        const std::uint8_t op = in.U8();
        const auto pid = static_cast<short>(in.U16());
        const int oldTeam = league.FindTeam(pid);
        if (op & 1) {
            const char team = static_cast<char>(op >> 1);
            if (league.MovePlayer(pid, team))
                Check(league.GetRosterRecord(team)->IsOnRoster(pid), "a moved player is on his new roster");
        } else if (league.MakeFreeAgent(pid)) {
            Check(oldTeam >= 0 && !league.GetRosterRecord(oldTeam)->IsOnRoster(pid),
                  "a released player leaves the roster he was on");
        }
    }
}

// Names of what a League may leave in its folder while it is open.
inline bool IsWorkingFile(const std::string& name) {
    return name.rfind("~sal", 0) == 0 || (!name.empty() && name[0] == '.');
}

inline void CheckNoWorkingFilesLeft(const ScratchFolder& folder) {
    for (const auto& name : folder.List())
        Check(!IsWorkingFile(name), "no working copy, lock or temporary file outlives the League");
}

// Bound on the lines of one statistic list: the records the file can hold.
inline std::size_t StatBound(std::size_t datSize) {
    return datSize / Statistic::kRecordSize + 1;
}

// The league file with all its companions from one input (SplitLeagueInput).
inline int FuzzLeague(const std::uint8_t* data, std::size_t size) {
    const ScratchScope scope;
    const ScratchFolder& folder = scope.Folder();
    const LeagueInputView input = SplitLeagueInput(data, size);
    for (int k = 0; k < kLeaguePartCount; ++k)
        if (input.present[k])
            folder.Write(std::string("f.") + kLeagueParts[k], input.files[k]);

    bool read = false;
    {
        League league;
        if (league.OpenLeague(folder.File("f.lge")) && league.ReadLeagueData()) {
            read = true;
            Check(league.WriteLeague(), "rosters and lists that were read can be written");
            Check(league.WriteTeamData(), "teams that were read can be written");
            ApplyMoves(league, input.moves);
            league.WriteLeague();
            Check(league.CloseLeague() && league.GetPYRHandle() > 0,
                  "a read league keeps its player file open");
            WalkLeague(league, StatBound(input.files[4].size()),
                       WalkFocus::Of(data, size, league.GetNumTeams(), league.GetNextPlayerID()));
        }
    }
    CheckNoWorkingFilesLeft(folder);
    // The player file is never written; a league that was not read is not written at all,
    // and one whose rosters did not change keeps its league file byte for byte.
    for (int k = 0; k < kLeaguePartCount; ++k) {
        const bool untouched = k == 1 || k == 4 || !read || (k == 0 && input.moves.size() < 3);
        if (input.present[k] && untouched)
            Check(folder.Holds(std::string("f.") + kLeagueParts[k], input.files[k]),
                  "a league file that was not changed keeps its bytes");
    }
    return 0;
}

// The player file alone through PlayerList. The first byte chooses the record size (bit 0:
// 51 bytes, else 60), the next two the next player identifier; the rest is the file.
inline int FuzzPlayers(const std::uint8_t* data, std::size_t size) {
    const ScratchScope scope;
    const ScratchFolder& folder = scope.Folder();
    InputCursor in(data, size);
    const int recordSize = (in.U8() & 1) ? Player::kVersion2RecordSize : Player::kRecordSize;
    const auto next = static_cast<short>(in.U16());
    folder.Write("f.pyr", in.Rest());

    const int handle = tolvik::FileOpen(folder.File("f.pyr"), tolvik::OpenHow::ReadWrite);
    Check(handle > 0, "the player file opens");
    {
        PlayerList list(next, handle, recordSize);
        list.ReadData();
        Check(list.GetNextPlayerID() == next, "the list keeps its size");
        for (int id = -2; id <= std::max<int>(next, 0) + 1; ++id) {
            const Player player = list.GetPlayer(static_cast<short>(id));
            TouchPlayer(player);
            Check(player.GetPID() == 0 || (player.GetPID() == id && id >= 100 && id < next),
                  "only players of the range are handed out, each under his identifier");
        }
        // Whatever the key, the substitution is a permutation that deciphering undoes.
        std::array<std::uint8_t, 256> bytes{};
        for (int i = 0; i < 256; ++i)
            bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
        list.GetEncryption().Encrypt(bytes.data(), 256);
        std::array<bool, 256> seen{};
        for (std::uint8_t b : bytes)
            seen[b] = true;
        Check(std::all_of(seen.begin(), seen.end(), [](bool s) { return s; }),
              "the substitution is a permutation");
        list.GetEncryption().Decrypt(bytes.data(), 256);
        for (int i = 0; i < 256; ++i)
            Check(bytes[static_cast<std::size_t>(i)] == i, "deciphering undoes enciphering");
    }
    tolvik::FileClose(handle);
    return 0;
}

// The groups of one list as the library holds them.
using ListGroups = std::array<std::vector<short>, PlayerGroups::kGroups>;

inline ListGroups GroupsOf(League& league, bool draft) {
    ListGroups groups;
    for (int g = 0; g < PlayerGroups::kGroups; ++g) {
        const int n = draft ? league.GetNumCollegeDraft(g) : league.GetNumFreeAgents(g);
        const short* ids = draft ? league.GetCollegeDraft(g) : league.GetFreeAgents(g);
        if (n > 0)
            groups[static_cast<std::size_t>(g)].assign(ids, ids + n);
    }
    return groups;
}

// One list file beside the minimal league. Bit 0 of the first byte makes it the draft file
// (else the free-agent file); the rest is the file. The league reads it, moves players,
// writes it back; the list written reads back as it was held, and a file that is not a
// list is never touched.
inline int FuzzList(const std::uint8_t* data, std::size_t size) {
    const ScratchScope scope;
    const ScratchFolder& folder = scope.Folder();
    InputCursor in(data, size);
    const std::uint8_t flags = in.U8();
    const bool draft = flags & 1;
    const ByteSpan file = in.Rest();
    const MinimalLeague& minimal = MinimalLeague::Get();
    minimal.WriteTo(folder, draft, !draft);
    const std::string listName = std::string(MinimalLeague::kBase) + (draft ? ".pyc" : ".pyf");
    folder.Write(listName, file);
    const bool isList = file.size() >= 4 && std::equal(file.begin(), file.begin() + 4, "PPD:");

    ListGroups held;
    {
        League league;
        Check(league.OpenLeague(MinimalLeague::LeaguePath(folder)) && league.ReadLeagueData(),
              "the minimal league opens");
        WalkLeague(league, 1);
        const int total = draft ? league.GetCollegeDraftTotal() : league.GetFreeAgentTotal();
        std::size_t listed = 0;
        for (const auto& group : GroupsOf(league, draft))
            listed += group.size();
        Check(total >= 0 && listed <= static_cast<std::size_t>(total), "a list holds at most its entries");
        Check(isList || listed == 0, "a file that is not a list lists nobody");

        // Sign free agents (the first of each group) and release a player of each team.
        if (flags & 2) {
            for (int g = 0; g < PlayerGroups::kGroups; ++g)
                if (league.GetNumFreeAgents(g) > 0)
                    league.MovePlayer(league.GetFreeAgents(g)[0],
                                      static_cast<char>(g % MinimalLeague::kTeams));
            for (int team = 0; team < MinimalLeague::kTeams; ++team)
                league.MakeFreeAgent(static_cast<short>(MinimalLeague::kFirstPlayer +
                                                        MinimalLeague::kPerTeam * team +
                                                        (flags >> 2) % MinimalLeague::kPerTeam));
        }
        Check(league.WriteLeague() || !isList, "a list that was read can be written");
        held = GroupsOf(league, draft);
    }
    CheckNoWorkingFilesLeft(folder);
    if (!isList) {
        Check(folder.Holds(listName, file), "a file that is not a list keeps its bytes");
        return 0;
    }
    League again;
    Check(again.OpenLeague(MinimalLeague::LeaguePath(folder)) && again.ReadLeagueData(),
          "the league opens after writing");
    Check(GroupsOf(again, draft) == held, "a written list reads back as it was held");
    std::size_t listed = 0;
    for (const auto& group : held)
        listed += group.size();
    const int total = draft ? again.GetCollegeDraftTotal() : again.GetFreeAgentTotal();
    Check(static_cast<std::size_t>(total) == listed, "a written list counts exactly its players");
    return 0;
}

// The type codes the statistics file knows.
inline bool IsKnownStatCode(std::uint16_t code) {
    return (code < 96 && code % 32 < 14) || code == 132 || code == 209;
}

// The statistics file beside the minimal league: every record of a known code whose owner
// the program can ask for shows up exactly once, in its owner's list.
inline int FuzzStats(const std::uint8_t* data, std::size_t size) {
    const ScratchScope scope;
    const ScratchFolder& folder = scope.Folder();
    const MinimalLeague& minimal = MinimalLeague::Get();
    minimal.WriteTo(folder, true, true);
    folder.Write(std::string(MinimalLeague::kBase) + ".dat", data, size);

    // What the file holds, counted from its bytes.
    std::vector<std::size_t> expected(MinimalLeague::kNextID + 2, 0);
    for (std::size_t at = 140; size >= 140 && at + Statistic::kRecordSize <= size;
         at += Statistic::kRecordSize) {
        const std::uint16_t code = tolvik::readU16le(data + at);
        const std::uint16_t owner = tolvik::readU16le(data + at + 2);
        const bool asked = (owner >= 100 && owner < MinimalLeague::kNextID) || owner <= MinimalLeague::kTeams;
        if (IsKnownStatCode(code) && asked)
            ++expected[owner];
    }

    League league;
    Check(league.OpenLeague(MinimalLeague::LeaguePath(folder)) && league.ReadLeagueData(),
          "the minimal league opens");
    const std::vector<std::size_t> lines = WalkStats(league, StatBound(size));
    Check(lines == expected, "every usable record is one line of its owner's list");
    return 0;
}

// RemoveCommas on any text: the value of its digits, or a conversion failure when there
// are none or they stand for more than 2,147,483,647. Anything else that escapes is a
// crash. The first four bytes also make an amount for the formatting round trip.
inline int FuzzMoney(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    long long value = 0;
    bool digits = false;
    bool tooBig = false;
    for (char c : text) {
        if (c < '0' || c > '9')
            continue;
        digits = true;
        value = value * 10 + (c - '0');
        if (value > INT_MAX) {
            tooBig = true;
            value = INT_MAX; // stays too big whatever follows
        }
    }
    try {
        const int got = RemoveCommas(text);
        Check(digits && !tooBig && got == value, "RemoveCommas gives the value of the digits");
    } catch (const ConversionError&) {
        Check(!digits || tooBig, "RemoveCommas fails only without digits or beyond the int range");
    }

    if (size >= 4) {
        const std::uint32_t amount = tolvik::readU32le(data);
        const std::string commas = FormatCommas(amount);
        Check(FormatMoney(amount) == "$" + commas, "money is a dollar sign and the comma groups");
        std::string plain;
        for (std::size_t i = 0; i < commas.size(); ++i) {
            // A comma stands before every group of three digits counted from the right.
            const bool commaHere = (commas.size() - i) % 4 == 0;
            Check((commas[i] == ',') == commaHere, "commas separate groups of three");
            if (!commaHere)
                plain += commas[i];
        }
        Check(plain == std::to_string(amount), "the grouped digits are the number");
        try {
            Check(RemoveCommas(FormatMoney(amount)) == static_cast<long long>(amount) && amount <= INT_MAX,
                  "money text reads back");
        } catch (const ConversionError&) {
            Check(amount > INT_MAX, "only amounts beyond the int range fail to read back");
        }
    }
    return 0;
}

} // namespace fuzzing
