#include "tools/SampleSalary.h"

#include "contracts/Contract.h"
#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "league/ByteOrder.h"
#include "league/FileAccess.h"
#include "league/League.h"

#include <algorithm>

namespace sample {
namespace {

// A small generator of our own (xorshift32), so the salary files depend on nothing but the seed.
class SalaryRng {
  public:
    explicit SalaryRng(std::uint32_t seed) : state_(seed * 2654435761u + 0x5A17u) {
        if (state_ == 0)
            state_ = 0x9E3779B9u;
        for (int i = 0; i < 4; ++i)
            Next();
    }
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // lo..hi, both included.
    int Range(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1));
    }
    bool Chance(int percent) { return Range(0, 99) < percent; }

  private:
    std::uint32_t state_;
};

std::uint32_t Thousands(double dollars) {
    if (dollars <= 0)
        return 0;
    return static_cast<std::uint32_t>(dollars / 1000.0) * 1000u;
}

constexpr std::uint32_t kMax24 = 0xFFFFFF;

void PutU24(std::uint8_t* p, std::uint32_t v) {
    tolvik::writeU24le(p, std::min(v, kMax24));
}

} // namespace

bool WriteSampleSal(const std::string& path, const std::vector<SamplePlayerInfo>& players, int numTeams,
                    int season, std::uint32_t seed, tolvik::FileError* error) {
    SalaryRng rng(seed ^ 0x5A1u);
    constexpr std::size_t kSize = Contract::kSiblingRecordSize;
    std::vector<std::uint8_t> bytes(kSize, 0);
    tolvik::writeU16le(bytes.data(), 300);

    for (const auto& p : players) {
        const bool onTeam = p.team >= 0 && p.team < numTeams;
        if (!(onTeam ? rng.Chance(75) : rng.Chance(30)))
            continue;
        std::uint8_t r[kSize] = {};
        // Bytes the conversion does not read carry something, as the sibling's files do.
        for (std::size_t k : {2u, 10u, 15u, 19u, 20u, 21u, 22u, 23u, 24u, 25u, 26u, 27u, 28u})
            r[k] = static_cast<std::uint8_t>(rng.Next());
        std::uint32_t cgs = Thousands(220000.0 + rng.Range(0, 2000) * 1000.0 * (p.years > 0 ? 1.0 : 0.5));
        int status = p.years >= 4 ? Contract::UnrestrictedFA
                                  : (p.years >= 3 ? Contract::RestrictedFA : Contract::ExclusiveFA);
        int team = 0;
        int years = 0;
        int signedIn = season;
        std::uint32_t salary = 0;
        std::uint32_t bonus = 0;
        int declines = 0;
        if (onTeam) {
            team = p.team + 1; // the sibling numbers teams from 1
            const int kind = rng.Range(0, 99);
            if (kind < 65) { // a multi-year deal
                years = rng.Range(2, 5);
                signedIn = season - rng.Range(0, years - 1);
                salary = Thousands(cgs * years * (0.8 + rng.Range(0, 40) / 100.0));
                bonus = Thousands(salary * rng.Range(20, 80) / 100.0);
                status = Contract::UnderContract;
            } else if (kind < 75) { // a one-year deal
                years = 1;
                salary = Thousands(cgs * (0.9 + rng.Range(0, 20) / 100.0));
                bonus = Thousands(salary * rng.Range(0, 50) / 100.0);
                status = Contract::UnderContract;
            } else if (kind < 85) { // a tag: the conversion makes it one year at the CGS
                status = rng.Chance(50) ? Contract::FranchisePlayer : Contract::TransitionPlayer;
            } else if (kind < 95) {
                status = Contract::Tendered;
                declines = rng.Range(0, 2);
            }
        } else if (rng.Chance(20)) { // released with a year of his old deal still charged
            team = rng.Range(1, numTeams);
            years = 1;
            signedIn = season - 1;
            salary = Thousands(cgs);
            bonus = Thousands(salary * rng.Range(0, 40) / 100.0);
            status = Contract::UnrestrictedFA;
        }
        tolvik::writeU16le(&r[0], static_cast<std::uint16_t>(p.id));
        tolvik::writeU16le(&r[3], static_cast<std::uint16_t>(signedIn));
        r[5] = static_cast<std::uint8_t>(status);
        r[6] = static_cast<std::uint8_t>(team);
        PutU24(&r[7], cgs);
        r[11] = static_cast<std::uint8_t>(years);
        PutU24(&r[12], bonus);
        PutU24(&r[16], salary);
        r[29] = static_cast<std::uint8_t>(declines);
        bytes.insert(bytes.end(), r, r + kSize);
    }
    return tolvik::WriteFileAtomically(path, bytes.data(), bytes.size(), error);
}

bool WriteSampleSalaryInfo(const std::string& leaguePath, std::uint32_t seed,
                           const std::shared_ptr<tolvik::FolderLock>& lock, std::string& error) {
    League league;
    league.SetFolderLock(lock);
    if (!league.OpenLeague(leaguePath) || !league.ReadLeagueData()) {
        error = "the library could not open the league at " + leaguePath +
                " to build its salary information: " + league.GetLastError();
        return false;
    }
    Options options; // the defaults, kept in memory
    options.SetFolder(league.GetLeagueFolder());
    ContractList list(league, options);
    if (!list.Build()) {
        error = list.GetSaveError();
        return false;
    }

    SalaryRng rng(seed ^ 0xF20u);
    const int season = league.GetCurrentSeason();
    const int numTeams = league.GetNumTeams();
    const ContractList::Places places = list.LookUpPlaces();
    std::vector<int> picks(static_cast<std::size_t>(numTeams), 0);
    for (int id = ContractList::kFirstID; id < list.Count(); ++id) {
        Contract& c = *list.GetRecord(id);
        const int team = places.team[static_cast<std::size_t>(id)];
        const int experience = league.players.GetPlayer(static_cast<short>(id)).GetYears();
        const double cgs = c.cgs;
        if (team >= 0) {
            if (experience == 0) {
                // A drafted rookie: round and pick, and a three- or four-year rookie deal.
                int& pick = picks[static_cast<std::size_t>(team)];
                ++pick;
                c.round = static_cast<std::uint8_t>(std::min(1 + (pick - 1) / 2, 10));
                c.pick = static_cast<std::uint8_t>(std::min(rng.Range(1, numTeams), 30));
                c.years = static_cast<std::int8_t>(rng.Range(3, 4));
                c.yrSigned = static_cast<std::uint16_t>(season);
                c.salary = Thousands(cgs * c.years * (0.85 + rng.Range(0, 20) / 100.0));
                c.bonus = Thousands(c.salary * rng.Range(20, 60) / 100.0);
                c.status = Contract::UnderContract;
                c.contractTeam = static_cast<std::int8_t>(team);
                continue;
            }
            const int kind = rng.Range(0, 99);
            if (kind < 82) {
                // A running contract, signed up to its length ago: some end this season.
                const int years = rng.Range(1, 5);
                c.years = static_cast<std::int8_t>(years);
                c.yrSigned = static_cast<std::uint16_t>(season - rng.Range(0, years - 1));
                c.salary = Thousands(cgs * years * (0.7 + rng.Range(0, 30) / 100.0));
                // Bonuses of 20 % to 100 % of the base, most of them small.
                const int spread = rng.Range(0, 80);
                c.bonus = Thousands(c.salary * (20 + spread * spread / 80) / 100.0);
                c.status = Contract::UnderContract;
                c.contractTeam = static_cast<std::int8_t>(team);
            } else if (kind < 85 && experience >= options.ageufa) {
                // A tag: one year at the tag's top salary.
                c.status = rng.Chance(50) ? Contract::FranchisePlayer : Contract::TransitionPlayer;
                c.years = 1;
                c.yrSigned = static_cast<std::uint16_t>(season);
                c.salary = Thousands(
                    cgs * (c.status == Contract::FranchisePlayer ? options.fp_adj : options.tp_adj) / 100.0);
                c.bonus = 0;
                c.contractTeam = static_cast<std::int8_t>(team);
            } else if (kind < 89 && experience >= options.agerfa && experience < options.ageufa) {
                c.status = Contract::Tendered;
                c.contractTeam = static_cast<std::int8_t>(team);
                c.declines = static_cast<std::uint8_t>(rng.Range(0, 2));
            }
            // The others play out this season without a contract.
        } else if (places.freeAgent[static_cast<std::size_t>(id)] && experience > 0 && rng.Chance(8)) {
            // Cut with a one-year deal still on his old team's books.
            c.contractTeam = static_cast<std::int8_t>(rng.Range(0, numTeams - 1));
            c.years = 1;
            c.yrSigned = static_cast<std::uint16_t>(season - rng.Range(0, 1));
            c.salary = Thousands(cgs * (0.8 + rng.Range(0, 40) / 100.0));
            c.bonus = Thousands(c.salary * rng.Range(0, 40) / 100.0);
        }
    }
    if (!list.Save()) {
        error = list.GetSaveError();
        return false;
    }
    return true;
}

} // namespace sample
