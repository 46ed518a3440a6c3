#include "tools/CommandSupport.h"
#include "tools/Commands.h"

#include "contracts/OpenLeagueState.h"
#include "league/League.h"
#include "league/Player.h"
#include "league/Roster.h"

#include <array>
#include <iomanip>
#include <ostream>
#include <set>
#include <string>

using json = nlohmann::ordered_json;

namespace {

constexpr std::array<const char*, PlayerGroups::kGroups> kGroupLabels{"QB", "RB", "R", "OL", "DL",
                                                                      "LB", "DB", "K", "P"};

json Identifiers(const short* ids, int count) {
    json list = json::array();
    for (int i = 0; ids != nullptr && i < count; ++i)
        list.push_back(ids[i]);
    return list;
}

// A list file as {"total", "groups": [9 arrays]}, or null when the league has no such file.
template <typename Ids, typename Count>
json ListJson(bool exists, int total, Ids&& groupIds, Count&& groupCount) {
    if (!exists)
        return nullptr;
    json groups = json::array();
    for (int g = 0; g < PlayerGroups::kGroups; ++g)
        groups.push_back(Identifiers(groupIds(g), groupCount(g)));
    return {{"total", total}, {"groups", groups}};
}

json FreeAgentsJson(League& league) {
    return ListJson(
        league.GetFAExists(), league.GetFreeAgentTotal(), [&](int g) { return league.GetFreeAgents(g); },
        [&](int g) { return league.GetNumFreeAgents(g); });
}

json DraftJson(League& league) {
    return ListJson(
        league.GetCDExists(), league.GetCollegeDraftTotal(), [&](int g) { return league.GetCollegeDraft(g); },
        [&](int g) { return league.GetNumCollegeDraft(g); });
}

json Ratings(const Player::Ratings& ratings) {
    json list = json::array();
    for (auto r : ratings)
        list.push_back(static_cast<int>(r));
    return list;
}

// The players a roster names: each once, and only identifiers a player can have (a damaged
// file may hold others in its slots).
int RosterSize(League& league, int team) {
    const short* roster = league.GetRoster(team);
    std::set<short> players;
    for (int slot = 0; slot < Roster::kSlots; ++slot)
        if (roster[slot] >= 100 && roster[slot] < league.GetNextPlayerID())
            players.insert(roster[slot]);
    return static_cast<int>(players.size());
}

// A UTF-8 text padded with spaces to a width in characters (setw counts bytes).
std::string Padded(const std::string& text, std::size_t width) {
    std::size_t chars = 0;
    for (unsigned char ch : text)
        chars += (ch & 0xC0) != 0x80;
    return text + std::string(width > chars ? width - chars : 0, ' ');
}

void PrintGroups(std::ostream& out, const char* title, bool exists, int total, const char* missing,
                 League& league, int (League::*count)(int) const) {
    out << title << ": ";
    if (!exists) {
        out << missing << '\n';
        return;
    }
    out << total << " (";
    for (int g = 0; g < PlayerGroups::kGroups; ++g)
        out << (g ? ", " : "") << kGroupLabels[static_cast<std::size_t>(g)] << ' ' << (league.*count)(g);
    out << ")\n";
}

} // namespace

int RunLeagueCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    OpenLeagueState open;
    if (!OpenLeagueForCommand(open, path, "league", err))
        return 1;
    League& league = open.GetLeague();

    json teams = json::array();
    for (int t = 0; t < league.GetNumTeams(); ++t) {
        const short* roster = league.GetRoster(t);
        const Roster* record = league.GetRosterRecord(t);
        json ids = json::array();
        json jerseys = json::array();
        for (int slot = 0; slot < Roster::kSlots; ++slot) {
            ids.push_back(roster[slot]);
            jerseys.push_back(static_cast<int>(record->jerseys[slot]));
        }
        const short* sorted = league.GetSortedRoster(t);
        json sortedIds = json::array();
        for (int slot = 0; slot < Roster::kSlots; ++slot)
            sortedIds.push_back(sorted[slot]);
        teams.push_back({{"index", t},
                         {"name", Latin1ToUtf8(league.GetTeamName(t))},
                         {"abbr", Latin1ToUtf8(league.GetTeamAbbr(t))},
                         {"roster", ids},
                         {"jerseys", jerseys},
                         {"sortedRoster", sortedIds}});
    }

    json doc = {{"name", Latin1ToUtf8(league.GetLeagueName())},
                {"fileName", FileNameText(league.GetLeagueFileName())},
                {"version", league.GetVersion()},
                {"season", league.GetCurrentSeason()},
                {"stage", static_cast<int>(static_cast<signed char>(league.GetCurrentStage()))},
                {"numTeams", league.GetNumTeams()},
                {"numConf", league.GetNumConf()},
                {"nextPlayerID", league.GetNextPlayerID()},
                {"teams", teams},
                {"freeAgents", FreeAgentsJson(league)},
                {"draft", DraftJson(league)}};
    PrintJson(doc, out);
    return 0;
}

int RunPlayersCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    OpenLeagueState open;
    if (!OpenLeagueForCommand(open, path, "players", err))
        return 1;
    League& league = open.GetLeague();

    json list = json::array();
    const int next = league.GetNextPlayerID();
    for (int id = 100; id < next; ++id) {
        const Player player = league.players.GetPlayer(static_cast<short>(id));
        if (player.GetPID() != id)
            continue; // no record of the player file gave this identifier
        list.push_back({{"id", id},
                        {"firstName", Latin1ToUtf8(player.GetFirstName())},
                        {"lastName", Latin1ToUtf8(player.GetLastName())},
                        {"posGeneral", static_cast<int>(player.GetPosGeneral())},
                        {"posSpecific", static_cast<int>(player.GetPosSpecific())},
                        {"pos", player.GetStringPos()},
                        {"years", static_cast<int>(static_cast<signed char>(player.GetYears()))},
                        {"actual", Ratings(player.GetARatings())},
                        {"potential", Ratings(player.GetPRatings())},
                        {"team", league.FindTeam(static_cast<short>(id))},
                        {"freeAgent", league.IsFreeAgent(static_cast<short>(id))}});
    }
    PrintJson(list, out);
    return 0;
}

int RunSummaryCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    OpenLeagueState open;
    if (!OpenLeagueForCommand(open, path, "summary", err))
        return 1;
    League& league = open.GetLeague();

    out << "League: " << Latin1ToUtf8(league.GetLeagueName()) << " ("
        << FileNameText(league.GetLeagueFileName()) << ".lge, version " << league.GetVersion() << ")\n";
    out << "Season " << league.GetCurrentSeason() << ", stage "
        << static_cast<int>(static_cast<signed char>(league.GetCurrentStage())) << ", " << league.GetNumConf()
        << " conferences, next player identifier " << league.GetNextPlayerID() << '\n';
    out << "Teams: " << league.GetNumTeams() << '\n';
    int rostered = 0;
    for (int t = 0; t < league.GetNumTeams(); ++t) {
        const int size = RosterSize(league, t);
        rostered += size;
        out << "  " << std::setw(2) << t << "  " << Padded(Latin1ToUtf8(league.GetTeamAbbr(t)), 5)
            << Padded(Latin1ToUtf8(league.GetTeamName(t)), 34) << std::setw(3) << size << " players\n";
    }
    out << "Players on rosters: " << rostered << '\n';
    PrintGroups(out, "Free agents", league.GetFAExists(), league.GetFreeAgentTotal(),
                "none (no free-agent file)", league, &League::GetNumFreeAgents);
    PrintGroups(out, "College draft", league.GetCDExists(), league.GetCollegeDraftTotal(),
                "none (no draft file in use)", league, &League::GetNumCollegeDraft);
    return 0;
}
