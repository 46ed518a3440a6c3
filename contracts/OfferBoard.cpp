#include "contracts/OfferBoard.h"

#include "contracts/Commissioner.h"
#include "contracts/ContractList.h"
#include "contracts/CountText.h"
#include "contracts/OfferFile.h"
#include "contracts/OfferRules.h"
#include "contracts/PositionText.h"
#include "league/League.h"

#include <algorithm>
#include <set>
#include <utility>

OfferBoard::OfferBoard(const ContractList& contracts) : contracts_(contracts) {}

bool OfferBoard::RanksBefore(const Entry& a, const Entry& b) {
    if (a.chance != b.chance)
        return a.chance > b.chance;
    const std::uint64_t moneyA = std::uint64_t{a.offer.salary} + a.offer.bonus;
    const std::uint64_t moneyB = std::uint64_t{b.offer.salary} + b.offer.bonus;
    if (moneyA != moneyB)
        return moneyA > moneyB;
    if (a.offer.team != b.offer.team)
        return a.offer.team < b.offer.team;
    if (a.file != b.file)
        return a.file < b.file;
    return a.index < b.index;
}

const OfferBoard::PlayerRow* OfferBoard::FindPlayer(int id) const {
    const auto at = std::lower_bound(players_.begin(), players_.end(), id,
                                     [](const PlayerRow& row, int wanted) { return row.id < wanted; });
    return at != players_.end() && at->id == id ? &*at : nullptr;
}

void OfferBoard::Load(const std::vector<std::string>& paths) {
    files_.clear();
    players_.clear();
    files_.reserve(paths.size());
    const ContractList::Places places = contracts_.LookUpPlaces();
    for (const std::string& path : paths)
        files_.push_back(ReadFile(path, places));

    const League& league = contracts_.GetLeague();
    const Commissioner& commissioner = contracts_.GetCommissioner();

    // Every offer for a player of the league, with today's chance, ranked within its player.
    std::vector<std::pair<std::int16_t, Entry>> entries;
    for (std::size_t f = 0; f < files_.size(); ++f) {
        const std::vector<Offer>& offers = files_[f].offers;
        for (std::size_t r = 0; r < offers.size(); ++r) {
            const Offer& o = offers[r];
            if (o.playerID < ContractList::kFirstID || o.playerID >= contracts_.Count())
                continue;
            const auto id = static_cast<std::size_t>(o.playerID);
            const std::int32_t chance =
                commissioner
                    .ExplainChance(contracts_.GetContract(o.playerID), places.freeAgent[id] != 0, o.years,
                                   o.salary, o.bonus)
                    .chance;
            entries.push_back({o.playerID, Entry{static_cast<int>(f), static_cast<int>(r), o, chance}});
        }
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : RanksBefore(a.second, b.second);
    });

    for (const auto& [id, entry] : entries) {
        if (players_.empty() || players_.back().id != id) {
            const Player player = league.players.GetPlayer(id);
            PlayerRow row;
            row.id = id;
            row.first = player.GetFirstName();
            row.last = player.GetLastName();
            row.pos = PositionText(player.GetPosSpecific());
            row.team = places.team[static_cast<std::size_t>(id)];
            const int group = League::GenPos2FAPos(player.GetPosGeneral());
            row.group = group >= 0 && group < PlayerGroups::kGroups ? group : -1;
            players_.push_back(std::move(row));
        }
        players_.back().offers.push_back(entry);
    }
    // Only the league's own clubs bid: a record naming another club makes no player contested.
    for (PlayerRow& row : players_) {
        std::set<int> clubs;
        for (const Entry& e : row.offers)
            if (e.offer.team >= 0 && e.offer.team < league.GetNumTeams())
                clubs.insert(e.offer.team);
        row.clubs = static_cast<int>(clubs.size());
    }
}

OfferBoard::FileRow OfferBoard::ReadFile(const std::string& path, const ContractList::Places& places) const {
    FileRow row;
    row.name = path;
    OfferFileContents read = ReadOfferFile(path, OfferList::kMaxOffers);
    row.offers = std::move(read.offers);
    if (!read.error.empty()) {
        row.readable = false;
        row.error = read.error;
    }
    if (read.unreadRecords > 0)
        row.notes.push_back("holds " + CountText(read.unreadRecords, "record", "records") + " beyond the " +
                            std::to_string(OfferList::kMaxOffers) + " of an offer list, not read");
    if (read.partialBytes > 0)
        row.notes.push_back("ends in a partial record of " + CountText(read.partialBytes, "byte", "bytes") +
                            ", ignored");
    int plausible = 0; // records naming both a player and a club of this league
    for (const Offer& o : row.offers) {
        const bool known = o.playerID >= ContractList::kFirstID && o.playerID < contracts_.Count();
        row.unknown += !known;
        plausible += known && o.team >= 0 && o.team < contracts_.GetNumTeams();
    }
    // Any 20 bytes decode as an offer; a file of some other kind shows itself by naming
    // players and clubs the league does not have.
    if (plausible * 2 < static_cast<int>(row.offers.size()))
        row.notes.push_back("most of its records name no player or club of this league: not an offer file "
                            "of this league?");
    CheckAsClub(row, places);
    return row;
}

void OfferBoard::CheckAsClub(FileRow& file, const ContractList::Places& places) const {
    const int numTeams = contracts_.GetNumTeams();
    std::vector<int> votes(static_cast<std::size_t>(std::max(numTeams, 0)), 0);
    int foreign = 0;
    for (const Offer& o : file.offers) {
        if (o.team >= 0 && o.team < numTeams)
            ++votes[static_cast<std::size_t>(o.team)];
        else
            ++foreign;
    }
    // A club writes its own offers; a file made of several clubs' is checked as the offer
    // list of the club that made most of them (the first of those met, on a tie).
    for (const Offer& o : file.offers)
        if (o.team >= 0 && o.team < numTeams &&
            (file.team < 0 ||
             votes[static_cast<std::size_t>(o.team)] > votes[static_cast<std::size_t>(file.team)]))
            file.team = o.team;
    if (foreign > 0)
        file.notes.push_back(CountText(foreign, "offer names", "offers name") + " no club of this league");
    if (file.team < 0) {
        file.problems.assign(file.offers.size(), {});
        if (!file.offers.empty())
            file.notes.push_back("no club of this league made its offers: no figures or rules to check");
        return;
    }
    const int clubs =
        static_cast<int>(std::count_if(votes.begin(), votes.end(), [](int v) { return v > 0; }));
    const League& league = contracts_.GetLeague();
    if (clubs > 1)
        file.notes.push_back("holds offers of " + std::to_string(clubs) + " clubs; checked as " +
                             league.GetTeamName(file.team) + "'s offer list");

    OfferList list(contracts_);
    list.UsePlaces(&places);
    list.SetBase(file.team, contracts_.GetTeamInfo(file.team));
    list.AddOffersToList(file.offers);
    file.totals = list.GetTotals();
    file.problems = CheckOfferRules(list, contracts_);
}
