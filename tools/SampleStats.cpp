// The statistics file of the sample league: lines for every player by his position at the
// three scopes (last game, season, career) and lines for the teams, in a mixed order.
#include "league/ByteOrder.h"
#include "league/FileAccess.h"
#include "stats/StatCodes.h"
#include "tools/Rng.h"
#include "tools/SampleHooks.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <vector>

namespace {

constexpr int kHeaderSize = 140;
constexpr int kRecordSize = 20;
constexpr int kGamesInSeason = 16;

using namespace statcode;

// One line while it is added up over games; the record words come from it at the end.
struct Line {
    int count = 0;
    int total = 0;
    int best = INT_MIN; // longest play (or longest field goal); none yet
    int td = 0;
    int made = 0; // extra points made, completions, blocked punts or fair catches
    int returnYards = 0;
    int touchbacks = 0;
    std::array<int, 5> attempts{}; // field goals by distance band
    std::array<int, 5> hits{};

    void Add(const Line& game) {
        count += game.count;
        total += game.total;
        best = std::max(best, game.best);
        td += game.td;
        made += game.made;
        returnYards += game.returnYards;
        touchbacks += game.touchbacks;
        for (std::size_t b = 0; b < attempts.size(); ++b) {
            attempts[b] += game.attempts[b];
            hits[b] += game.hits[b];
        }
    }
};

std::uint16_t Unsigned16(int v) {
    return static_cast<std::uint16_t>(std::clamp(v, 0, 65535));
}
std::uint16_t Signed16(int v) {
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(v, -32768, 32767)));
}
std::uint16_t Band(int attempts, int hits) {
    return static_cast<std::uint16_t>(std::min(attempts, 255) << 8 | std::min(hits, 255));
}

// Plays of one game by a player of that kind, for each category he has lines in.
enum class Kind {
    Quarterback,
    Halfback,
    Fullback,
    Receiver,
    TightEnd,
    Kicker,
    Punter,
    Lineman,
    Linebacker,
    Back
};

Kind KindOf(Player::Pos pos) {
    switch (pos) {
    case Player::QB:
        return Kind::Quarterback;
    case Player::HB:
        return Kind::Halfback;
    case Player::FB:
        return Kind::Fullback;
    case Player::WR:
        return Kind::Receiver;
    case Player::TE:
        return Kind::TightEnd;
    case Player::K:
        return Kind::Kicker;
    case Player::P:
        return Kind::Punter;
    case Player::DE:
    case Player::DT:
        return Kind::Lineman;
    case Player::LB:
        return Kind::Linebacker;
    case Player::CB:
    case Player::S:
        return Kind::Back;
    default:
        return Kind::Lineman; // offensive linemen have no lines; see CategoriesOf
    }
}

std::vector<int> CategoriesOf(Player::Pos pos) {
    switch (pos) {
    case Player::QB:
        return {kPassing, kRushing, kFumbles};
    case Player::HB:
    case Player::FB:
        return {kRushing, kReceiving, kKickReturns};
    case Player::WR:
    case Player::TE:
        return {kReceiving, kPuntReturns};
    case Player::K:
        return {kFieldGoals, kExtraPoints};
    case Player::P:
        return {kPunting};
    case Player::DE:
    case Player::DT:
    case Player::LB:
    case Player::CB:
    case Player::S:
        return {kTackles, kSacks, kInterceptions, kFumbleRecoveries, kSafeties};
    default:
        return {};
    }
}

// Yards of `plays` plays of about `average` yards each (a loss now and then).
void Plays(Rng& rng, int plays, int low, int high, Line& line) {
    for (int i = 0; i < plays; ++i) {
        const int yards = rng.Chance(8) ? rng.Range(-4, -1) : rng.Range(low, high);
        line.total += yards;
        line.best = std::max(line.best, yards);
    }
    if (plays == 0)
        line.best = std::max(line.best, 0);
}

Line GameLine(Rng& rng, Kind kind, int category) {
    Line line;
    switch (category) {
    case kPassing: {
        line.count = rng.Range(18, 45);
        line.made = line.count * rng.Range(50, 72) / 100;
        Plays(rng, line.made, 2, 20, line);
        line.total = std::max(line.total, 0);
        // One draw after the other: the order of a call's arguments is unspecified, and the
        // same seed must give the same file with every compiler.
        const int fewer = rng.Range(0, 3);
        const int more = rng.Range(0, 4);
        line.td = std::min(more, fewer);
        break;
    }
    case kRushing: {
        const int rushes = kind == Kind::Halfback      ? rng.Range(8, 28)
                           : kind == Kind::Fullback    ? rng.Range(0, 8)
                           : kind == Kind::Quarterback ? rng.Range(0, 7)
                                                       : 0;
        line.count = rushes;
        Plays(rng, rushes, 0, 9, line);
        if (rushes > 0 && rng.Chance(4))
            line.best = std::max(line.best, rng.Range(20, 80)); // a breakaway run
        line.td = rushes > 5 && rng.Chance(30) ? rng.Range(1, 2) : 0;
        break;
    }
    case kReceiving: {
        const int catches = kind == Kind::Receiver   ? rng.Range(1, 10)
                            : kind == Kind::TightEnd ? rng.Range(0, 7)
                                                     : rng.Range(0, 4);
        line.count = catches;
        Plays(rng, catches, 4, 22, line);
        line.td = catches > 2 && rng.Chance(25) ? 1 : 0;
        break;
    }
    case kKickReturns:
        line.count = rng.Range(0, 4);
        Plays(rng, line.count, 15, 32, line);
        line.td = line.count > 0 && rng.Chance(2) ? 1 : 0;
        break;
    case kPuntReturns:
        line.count = rng.Range(0, 4);
        Plays(rng, line.count, 0, 15, line);
        line.made = rng.Range(0, 3); // fair catches
        line.td = line.count > 0 && rng.Chance(2) ? 1 : 0;
        break;
    case kFumbles:
        line.count = rng.Chance(20) ? rng.Range(1, 2) : 0;
        break;
    case kFieldGoals: {
        // Attempts by band, made with a chance that falls with the distance.
        constexpr std::array<int, 5> kChance{98, 94, 86, 74, 52};
        constexpr std::array<int, 5> kFrom{15, 20, 30, 40, 50};
        constexpr std::array<int, 5> kTo{19, 29, 39, 49, 58};
        line.best = 0;
        for (int a = rng.Range(0, 4); a > 0; --a) {
            const std::size_t band = static_cast<std::size_t>(std::min(rng.Range(0, 5), 4));
            ++line.attempts[band];
            if (rng.Chance(kChance[band])) {
                ++line.hits[band];
                line.best = std::max(line.best, rng.Range(kFrom[band], kTo[band]));
            }
        }
        break;
    }
    case kExtraPoints:
        line.count = rng.Range(0, 6);
        line.made = line.count - (rng.Chance(5) ? 1 : 0);
        line.made = std::max(line.made, 0);
        break;
    case kPunting: {
        line.count = rng.Range(2, 8);
        Plays(rng, line.count, 34, 55, line);
        line.total = std::max(line.total, 0);
        line.made = rng.Chance(3) ? 1 : 0; // blocked
        for (int p = 0; p < line.count; ++p) {
            if (rng.Chance(45))
                line.returnYards += rng.Range(-3, 18);
            else if (rng.Chance(15))
                ++line.touchbacks;
        }
        break;
    }
    case kTackles:
        line.count = kind == Kind::Linebacker ? rng.Range(3, 12)
                     : kind == Kind::Back     ? rng.Range(2, 8)
                                              : rng.Range(1, 6);
        break;
    case kSacks:
        line.count = kind == Kind::Lineman      ? (rng.Chance(40) ? rng.Range(1, 2) : 0)
                     : kind == Kind::Linebacker ? (rng.Chance(20) ? 1 : 0)
                                                : (rng.Chance(4) ? 1 : 0);
        break;
    case kInterceptions: {
        const int chance = kind == Kind::Back ? 12 : kind == Kind::Linebacker ? 5 : 1;
        line.count = rng.Chance(chance) ? 1 : 0;
        Plays(rng, line.count, 0, 45, line);
        line.td = line.count > 0 && rng.Chance(8) ? 1 : 0;
        break;
    }
    case kFumbleRecoveries:
        line.count = rng.Chance(5) ? 1 : 0;
        Plays(rng, line.count, 0, 20, line);
        line.td = line.count > 0 && rng.Chance(10) ? 1 : 0;
        break;
    case kSafeties:
        line.count = rng.Chance(1) ? 1 : 0;
        break;
    default:
        break;
    }
    if (line.best == INT_MIN)
        line.best = 0;
    return line;
}

Line SumOfGames(Rng& rng, Kind kind, int category, int games) {
    Line sum;
    for (int g = 0; g < games; ++g)
        sum.Add(GameLine(rng, kind, category));
    if (sum.best == INT_MIN)
        sum.best = 0;
    return sum;
}

using Record = std::array<std::uint16_t, 10>;

Record ToRecord(int code, int owner, int category, const Line& line) {
    Record w{};
    w[0] = static_cast<std::uint16_t>(code);
    w[1] = static_cast<std::uint16_t>(owner);
    w[2] = Unsigned16(line.count);
    switch (category) {
    case kExtraPoints:
        w[3] = Unsigned16(line.made);
        break;
    case kFieldGoals:
        w[2] = Unsigned16(line.best); // the longest field goal
        for (std::size_t b = 0; b < 5; ++b)
            w[3 + b] = Band(line.attempts[b], line.hits[b]);
        break;
    case kFumbles:
    case kSacks:
    case kSafeties:
    case kTackles:
        break;
    default:
        w[3] = Signed16(line.total);
        w[4] = Signed16(line.best);
        w[5] = Unsigned16(line.td);
        if (category == kPassing || category == kPuntReturns)
            w[6] = Unsigned16(line.made);
        if (category == kPunting) {
            w[5] = 0;
            w[6] = Unsigned16(line.made);
            w[8] = Signed16(line.returnYards);
            w[9] = Unsigned16(line.touchbacks);
        }
        break;
    }
    return w;
}

void AddPlayerLines(Rng& rng, const SamplePlayerInfo& player, std::vector<Record>& records) {
    const std::vector<int> categories = CategoriesOf(player.specific);
    if (categories.empty() || player.draft)
        return;
    const Kind kind = KindOf(player.specific);
    const bool playing = player.team >= 0;
    // Seasons before this one, and whether he played this season (and in the last game).
    const int pastSeasons = std::max(player.years, 0);
    const int gamesThisSeason =
        playing ? rng.Range(6, kGamesInSeason) : (player.freeAgent ? rng.Range(0, 6) : 0);
    const bool lastGame = playing && rng.Chance(85);
    for (int category : categories) {
        Line game = GameLine(rng, kind, category);
        Line season = SumOfGames(rng, kind, category, std::max(gamesThisSeason - 1, 0));
        if (lastGame)
            season.Add(game);
        Line career = season;
        for (int s = 0; s < pastSeasons; ++s)
            career.Add(SumOfGames(rng, kind, category, rng.Range(4, kGamesInSeason)));
        if (lastGame)
            records.push_back(ToRecord(kGame + category, player.id, category, game));
        if (gamesThisSeason > 0)
            records.push_back(ToRecord(kSeason + category, player.id, category, season));
        if (gamesThisSeason > 0 || pastSeasons > 0)
            records.push_back(ToRecord(kCareer + category, player.id, category, career));
    }
}

void AddTeamLines(Rng& rng, int team, std::vector<Record>& records) {
    const int games = rng.Range(8, kGamesInSeason);
    Line rushGame = SumOfGames(rng, Kind::Halfback, kRushing, 1);
    Line rushSeason = SumOfGames(rng, Kind::Halfback, kRushing, games * 2);
    Line passGame = SumOfGames(rng, Kind::Quarterback, kPassing, 1);
    Line passSeason = SumOfGames(rng, Kind::Quarterback, kPassing, games);
    Line sacks = SumOfGames(rng, Kind::Lineman, kSacks, games * 4);
    Line allowed;
    allowed.count = rng.Range(games, games * 4);
    records.push_back(ToRecord(kGame + kRushing, team, kRushing, rushGame));
    records.push_back(ToRecord(kSeason + kRushing, team, kRushing, rushSeason));
    records.push_back(ToRecord(kTeamRushing, team, kRushing, rushSeason));
    records.push_back(ToRecord(kGame + kPassing, team, kPassing, passGame));
    records.push_back(ToRecord(kSeason + kPassing, team, kPassing, passSeason));
    records.push_back(ToRecord(kSeason + kSacks, team, kSacks, sacks));
    records.push_back(ToRecord(kTeamSacks, team, kSacks, allowed));
}

} // namespace

bool WriteSampleStatistics(const std::string& path, const std::vector<SamplePlayerInfo>& players,
                           int numTeams, int season, std::uint32_t seed, tolvik::FileError* error) {
    // Its own stream of numbers, so the statistics never shift the rest of the league.
    Rng rng((std::uint64_t{seed} << 32) ^ static_cast<std::uint32_t>(season) ^ 0x5354415453ULL);
    std::vector<Record> records;
    for (const auto& player : players)
        AddPlayerLines(rng, player, records);
    for (int team = 1; team <= numTeams; ++team)
        AddTeamLines(rng, team, records);
    // The game appends and rewrites lines over the seasons; its files are in no order.
    rng.Shuffle(records);

    std::vector<std::uint8_t> bytes(kHeaderSize + records.size() * kRecordSize, 0);
    std::uint8_t* out = bytes.data() + kHeaderSize;
    for (const auto& record : records)
        for (std::uint16_t word : record) {
            tolvik::writeU16le(out, word);
            out += 2;
        }
    return tolvik::WriteFileAtomically(path, bytes.data(), bytes.size(), error);
}
