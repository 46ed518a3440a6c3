#include "contracts/Commissioner.h"

#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "league/League.h"
#include "stats/StatCodes.h"
#include "stats/StatList.h"
#include "stats/Statistic.h"
#include "stats/StatisticPunt.h"
#include "stats/StatisticSum.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// Type codes of the season lines and of the two team lines the statistics method reads.
enum StatCode : int {
    SeasonFieldGoals = statcode::kSeason + statcode::kFieldGoals,
    SeasonRushing = statcode::kSeason + statcode::kRushing,
    SeasonPassing = statcode::kSeason + statcode::kPassing,
    SeasonReceiving = statcode::kSeason + statcode::kReceiving,
    SeasonInterceptions = statcode::kSeason + statcode::kInterceptions,
    SeasonPunting = statcode::kSeason + statcode::kPunting,
    SeasonPuntReturns = statcode::kSeason + statcode::kPuntReturns,
    SeasonKickReturns = statcode::kSeason + statcode::kKickReturns,
    SeasonFumbles = statcode::kSeason + statcode::kFumbles,
    SeasonFumbleRecoveries = statcode::kSeason + statcode::kFumbleRecoveries,
    SeasonSacks = statcode::kSeason + statcode::kSacks,
    SeasonSafeties = statcode::kSeason + statcode::kSafeties,
    SeasonTackles = statcode::kSeason + statcode::kTackles,
    TeamRushing = statcode::kTeamRushing,
    TeamSacksAllowed = statcode::kTeamSacks,
};

constexpr int kOffensiveLine = 2;

// The statistics method works in 32-bit integers; products and sums are formed wider and
// wrap to 32 bits as the method's own arithmetic does.
std::int32_t Wrap32(std::int64_t v) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

// A double truncated toward zero into 64 bits; NaN gives 0 and huge values saturate.
std::int64_t TruncTo64(double v) {
    if (std::isnan(v))
        return 0;
    return static_cast<std::int64_t>(std::clamp(std::trunc(v), -9.0e18, 9.0e18));
}

struct GroupFigures {
    int starters = 0;
    double sum = 0.0;
    double mean = 0.0;
    double sd = 0.0;
};

} // namespace

Commissioner::Commissioner(ContractList& contractList) : list_(contractList) {}

int Commissioner::GroupOf(int specific) {
    // QB, FB, HB, TE, WR, C, G, T, DE, DT, LB, CB, S, K, P
    static constexpr std::array<int, 15> kGroupOf = {0, 1, 1, 4, 3, 2, 2, 2, 5, 5, 6, 7, 7, 9, 8};
    if (specific < 0 || specific >= static_cast<int>(kGroupOf.size()))
        return -1;
    return kGroupOf[static_cast<std::size_t>(specific)];
}

void Commissioner::SortByScore(std::vector<CGSEntry>& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const CGSEntry& a, const CGSEntry& b) { return a.score > b.score; });
}

void Commissioner::ExchangeSort(std::vector<CGSEntry>& items) {
    const std::size_t n = items.size();
    for (std::size_t i = 0; i + 1 < n; ++i)
        for (std::size_t j = i; j < n; ++j)
            if (items[j].score > items[i].score)
                std::swap(items[i], items[j]);
}

void Commissioner::RatingsMethod(std::vector<CGSEntry>& items, int numTeams, const Options& options) const {
    // Starters: the best-scored players of each group, at least one per group.
    if (starterSort == StarterSort::Exchange)
        ExchangeSort(items);
    else
        SortByScore(items);
    std::array<GroupFigures, Options::kGroups> groups{};
    std::array<bool, Options::kGroups> full{};
    for (auto& e : items) {
        const auto g = static_cast<std::size_t>(e.group);
        if (full[g])
            continue;
        e.starter = true;
        ++groups[g].starters;
        groups[g].sum += e.score;
        if (groups[g].starters >= numTeams * options.starters[g])
            full[g] = true;
    }

    // Mean and spread of the starters' scores (in sorted order, so equal scores in
    // any order give the same sums).
    for (auto& f : groups) {
        const int n = std::max(f.starters, 2);
        f.mean = f.sum / n;
    }
    std::array<double, Options::kGroups> squares{};
    for (const auto& e : items)
        if (e.starter) {
            const double d = e.score - groups[static_cast<std::size_t>(e.group)].mean;
            squares[static_cast<std::size_t>(e.group)] += d * d;
        }
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const int n = std::max(groups[g].starters, 2);
        groups[g].sd = std::max(std::sqrt(squares[g] / (n - 1)), 2.0);
    }

    // The value of every entry.
    for (auto& e : items) {
        const auto g = static_cast<std::size_t>(e.group);
        const double* c = options.curve[g];
        const double z = (e.score - groups[g].mean) / groups[g].sd;
        // Half the maximum at the starters' mean, the maximum two deviations above it.
        double v = c[1] * z * 0.5 + c[0];
        // Experience scaling: 84 % with no experience, 2 % more a year. The 0.01 is
        // applied in extended precision and the result kept as a double. A negative
        // experience (a damaged player file) counts as none: below -42 years the scale would
        // turn negative and a value below zero into a large one.
        const int years = std::max<int>(e.years, 0);
        v = static_cast<double>(0.01L * (static_cast<long double>(years) * perYear + base) * factor * v);
        double value = std::trunc(v * 1000.0);
        const double minimum = c[2] * 1000.0;
        if (minimum > value)
            value = minimum;
        e.value = value;
    }
}

double Commissioner::StatisticsValue(const CGSEntry& entry) const {
    League& league = list_.GetLeague();
    const Options& o = list_.GetOptions();
    const int group = entry.group;
    const bool offense = group <= 4; // QB, RB, OL, WR, TE

    // The group's minimum salary to start from.
    const std::int32_t minimum = Wrap32(TruncTo64(o.curve[group][2] * 1000000.0));
    std::int32_t total = minimum;
    auto add = [&total](std::int64_t amount) { total = Wrap32(static_cast<std::int64_t>(total) + amount); };
    auto times = [](std::int64_t a, std::int64_t b) { return static_cast<std::int64_t>(Wrap32(a * b)); };

    // The player's season lines.
    if (StatList* stats = league.GetStats(entry.playerID); stats && !stats->empty()) {
        stats->reset();
        do {
            const Statistic* line = stats->value();
            if (!line)
                break;
            const auto* sum = dynamic_cast<const StatisticSum*>(line);
            const std::int64_t td = sum ? sum->GetTD() : 0;
            const std::int64_t yards = sum ? sum->GetTotal() : 0;
            const std::int64_t count = line->count;
            switch (line->type) {
            case SeasonFieldGoals:
                if (static_cast<double>(line->Accuracy()) * 100.0 > o.fgbase)
                    add(o.fgbonus);
                add(times(line->Over50(), o.fg50plus));
                break;
            case SeasonRushing:
                add(times(td, o.tdrush));
                add(times(yards, o.ydsrush));
                break;
            case SeasonPassing:
                add(times(td, o.tdthrown));
                add(times(yards, o.ydsthrown));
                break;
            case SeasonReceiving:
                add(times(td, o.tdrecv));
                add(times(yards, o.ydsrecv));
                add(times(count, o.catches));
                break;
            case SeasonInterceptions:
                add(times(count, o.ints));
                add(times(td, o.tddef));
                break;
            case SeasonPunting:
                if (const auto* punt = dynamic_cast<const StatisticPunt*>(line)) {
                    total = Wrap32(TruncTo64(static_cast<double>(punt->NetAvg()) * o.puntavg + total));
                    add(-times(punt->Blocked(), o.puntblck));
                }
                break;
            case SeasonPuntReturns:
            case SeasonKickReturns:
                add(times(td, o.tdreturn));
                break;
            case SeasonFumbles:
                if (offense)
                    add(-times(count, o.fumblostpen));
                break;
            case SeasonFumbleRecoveries:
                if (!offense) {
                    add(times(count, o.fumbrecov));
                    add(times(td, o.tddef));
                }
                break;
            case SeasonSacks:
                add(times(count, o.sack));
                break;
            case SeasonSafeties:
                add(times(count, o.safties));
                break;
            case SeasonTackles:
                add(times(count, o.tackles));
                break;
            default:
                break; // game and career lines add nothing
            }
        } while (stats->next());
    }

    // Offensive linemen share their team's rushing yards and pay for its sacks. The
    // statistics file numbers teams from 1, the rosters from 0.
    if (group == kOffensiveLine) {
        const int team = league.FindTeam(entry.playerID);
        if (team >= 0) {
            if (StatList* teamStats = league.GetStats(static_cast<short>(team + 1));
                teamStats && !teamStats->empty()) {
                teamStats->reset();
                do {
                    const Statistic* line = teamStats->value();
                    if (!line)
                        break;
                    if (line->type == TeamRushing) {
                        if (const auto* sum = dynamic_cast<const StatisticSum*>(line))
                            add(times(sum->GetTotal(), o.olrushyds));
                    } else if (line->type == TeamSacksAllowed && line->count > o.olsackallowed) {
                        add(-times(static_cast<std::int64_t>(line->count) - o.olsackallowed, o.sackallowpen));
                    }
                } while (teamStats->next());
            }
        }
    }

    // Bonuses for high ratings.
    for (const std::int8_t rating : league.players.GetPlayer(entry.playerID).GetARatings()) {
        if (rating < o.rate1)
            continue;
        if (rating < o.rate2)
            add(o.ratebonus1);
        else if (rating < o.rate3)
            add(o.ratebonus2);
        else
            add(o.ratebonus3);
    }

    // Whole thousands. Penalties larger than everything else leave the minimum salary.
    if (total < 0)
        total = std::max(minimum, 0);
    return static_cast<double>(total / 1000);
}

void Commissioner::CollectEntries() {
    League& league = list_.GetLeague();
    const Options& options = list_.GetOptions();
    const int count = list_.Count();
    const ContractList::Places places = list_.LookUpPlaces();

    entries.clear();
    entries.reserve(static_cast<std::size_t>(std::max(count, 0)));
    numEntries = 0;

    for (int id = ContractList::kFirstID; id < count; ++id) {
        const bool freeAgent = places.freeAgent[id] != 0;
        if (places.team[id] < 0 && !freeAgent) {
            Contract* record = list_.GetRecord(id);
            record->cgs = 0;
            record->status = Contract::Retired;
            continue;
        }
        const Player player = league.players.GetPlayer(static_cast<short>(id));
        const int years = player.GetYears();
        if (years <= 0 && options.includerookie && !freeAgent)
            continue; // the rookie table values him
        const int group = GroupOf(player.GetPosSpecific());
        if (group < 0)
            continue; // no position group: not valued
        CGSEntry entry;
        entry.playerID = static_cast<std::int16_t>(id);
        entry.years = static_cast<std::int8_t>(years);
        entry.group = static_cast<std::int8_t>(group);
        const Player::Ratings ratings = player.GetARatings();
        for (int k = 0; k < Options::kRatings; ++k)
            entry.score +=
                static_cast<double>(ratings[static_cast<std::size_t>(k)]) * options.weights[group][k];
        entries.push_back(entry);
    }
    numEntries = static_cast<std::int32_t>(entries.size());
}

void Commissioner::Generate() {
    League& league = list_.GetLeague();
    const Options& options = list_.GetOptions();
    const int count = list_.Count();

    CollectEntries();

    if (!options.useStats)
        RatingsMethod(entries, list_.GetNumTeams(), options);
    else
        for (auto& entry : entries)
            entry.value = StatisticsValue(entry);

    for (int id = ContractList::kFirstID; id < count; ++id)
        list_.SetCGS(id, 0);
    for (const auto& entry : entries) {
        list_.SetCGS(entry.playerID, static_cast<std::uint32_t>(TruncTo64(entry.value * 1000.0)));
    }

    if (options.includerookie) {
        const ContractList::Places places = list_.LookUpPlaces();
        for (int id = ContractList::kFirstID; id < count; ++id) {
            if (places.freeAgent[id] || league.players.GetPlayer(static_cast<short>(id)).GetYears() != 0)
                continue;
            Contract* record = list_.GetRecord(id);
            record->cgs = static_cast<std::uint32_t>(options.RookieCGS(record->round, record->pick));
        }
    }

    entries.clear();
    entries.shrink_to_fit();
    numEntries = 0;
}

std::int32_t Commissioner::AcceptChance(Contract contract, std::int32_t years, std::uint32_t salary,
                                        std::uint32_t bonus) const {
    return ExplainChance(contract, years, salary, bonus).chance;
}

AcceptTerms Commissioner::ExplainChance(const Contract& contract, std::int32_t years, std::uint32_t salary,
                                        std::uint32_t bonus) const {
    // Only an offer that counts asks the league whether the player is a free agent.
    const bool counts = years > 0 && salary != 0;
    return ExplainChance(contract, counts && IsFreeAgent(contract), years, salary, bonus);
}

bool Commissioner::IsFreeAgent(const Contract& contract) const {
    return list_.GetLeague().IsFreeAgent(contract.playerID);
}

AcceptTerms Commissioner::ExplainChance(const Contract& contract, bool freeAgent, std::int32_t years,
                                        std::uint32_t salary, std::uint32_t bonus) const {
    const Options& options = list_.GetOptions();
    AcceptTerms t;
    // A negative length is no offer, like 0; a length beyond the split table has no split row.
    if (years <= 0) {
        t.zeroReason = AcceptTerms::NoLength;
        return t;
    }
    if (salary == 0) {
        t.zeroReason = AcceptTerms::NoSalary;
        return t;
    }
    if (years > Options::kSplitRows) {
        t.zeroReason = AcceptTerms::BeyondSplitTable;
        return t;
    }
    t.bonusPercent = static_cast<double>(bonus) / salary * 100.0;
    // A one-year offer is not held to the bonus bounds.
    if ((t.bonusPercent < options.min || t.bonusPercent > options.max) && years > 1) {
        t.zeroReason =
            t.bonusPercent < options.min ? AcceptTerms::BonusBelowMinimum : AcceptTerms::BonusAboveMaximum;
        return t;
    }
    const double c = contract.cgs == 0 ? 1.0 : static_cast<double>(contract.cgs);
    const double s = salary / c;
    const double b = bonus / c;

    // Each year's share of the offer relative to the CGS; the whole bonus counts in year 1.
    std::array<double, Options::kSplitRows> v{};
    for (int i = 0; i < years; ++i)
        v[static_cast<std::size_t>(i)] = options.splits[years - 1][i] * 0.01 * s;
    v[0] += b;

    // Early years weigh more: each year 1.5 times the next.
    double w = std::pow(2.0, years - 1);
    double num = 0.0;
    double den = 0.0;
    for (int i = 0; i < years; ++i) {
        num += w * v[static_cast<std::size_t>(i)];
        den += w;
        w /= 1.5;
    }
    t.offerValue = 62.0 * num / den;
    double value = t.offerValue;

    if (!freeAgent) {
        const double penalty =
            contract.status == Contract::UnderContract ? options.restructDecline : options.xfaDecline;
        t.declinesPenalty = static_cast<std::int8_t>(contract.declines) * penalty;
        value -= t.declinesPenalty;
    }
    t.baseChance = options.basechance;
    value += options.basechance;
    if (value < 0 || std::isnan(value)) {
        t.floored = true;
        value = 0;
    }
    // No upper limit; only what a 32-bit result can hold.
    t.chance =
        value >= 2147483647.0 ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(value);
    return t;
}
