#include "tools/SampleLeague.h"

#include "league/ByteOrder.h"
#include "league/Encryption.h"
#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/League.h"
#include "league/Player.h"
#include "league/Roster.h"
#include "tools/Rng.h"
#include "tools/SampleNames.h"
#include "tools/SampleSalary.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <string_view>
#include <utility>

namespace sample {
namespace {

using Pos = Player::Pos;

struct VersionTags {
    std::string_view league, team, roster, c, d;
    int recordSize;
};
constexpr VersionTags kVersion2{"L02:", "T02:", "R01:", "C00:", "D00:", Player::kVersion2RecordSize};
constexpr VersionTags kVersion3{"L03:", "T03:", "R03:", "C03:", "D03:", Player::kRecordSize};

constexpr std::array<int, 6> kTeamCounts{8, 10, 12, 18, 28, 30};
constexpr int kConferences = 2;
constexpr int kDivisionsPerConference = 2;
constexpr int kNameField = 32; // conference and division names in the C and D chunks
constexpr int kHeaderNameOffset = 15;
constexpr int kTeamNameOffset = 55;
constexpr int kTeamAbbrOffset = 89;
// The roster chunk's layout offsets reach the chunk through Roster::Encode; only the
// last byte's key matters here (see LastByteZero below).
constexpr int kRosterLastByte = Roster::kRecordSize - 1;
constexpr int kTeamLastByte = League::kTeamRecordSize - 1;
// Tries with other roster seeds when a rewritten roster happens to spell a chunk tag.
constexpr int kLayoutAttempts = 4;

struct PositionCount {
    Pos pos;
    int count;
};
// A full 53-man roster. Receivers stay at ten or fewer, the numbers 80..89 they may wear.
constexpr std::array<PositionCount, 15> kRosterMix{{{Player::QB, 3},
                                                    {Player::HB, 3},
                                                    {Player::FB, 1},
                                                    {Player::WR, 6},
                                                    {Player::TE, 3},
                                                    {Player::C, 2},
                                                    {Player::G, 4},
                                                    {Player::T, 3},
                                                    {Player::DE, 4},
                                                    {Player::DT, 5},
                                                    {Player::LB, 7},
                                                    {Player::CB, 5},
                                                    {Player::S, 5},
                                                    {Player::K, 1},
                                                    {Player::P, 1}}};
constexpr int kFullRoster = 53;
// Positions a club runs one short at when its roster is below 53.
constexpr std::array<Pos, 4> kThinPositions{Player::WR, Player::DT, Player::LB, Player::CB};

// How much each rating matters at a specific position, 0 (little) to 3 (most), in
// rating order AC AG DI EN HA IN SP ST.
constexpr std::array<std::array<int, 8>, 15> kEmphasis{{
    {3, 1, 2, 1, 2, 3, 1, 1}, // QB
    {0, 1, 2, 2, 2, 1, 1, 3}, // FB
    {0, 3, 2, 2, 2, 1, 3, 1}, // HB
    {0, 1, 2, 2, 3, 1, 1, 3}, // TE
    {0, 3, 2, 2, 3, 1, 3, 0}, // WR
    {0, 1, 3, 2, 0, 3, 0, 3}, // C
    {0, 1, 3, 2, 0, 2, 1, 3}, // G
    {0, 2, 3, 2, 0, 2, 1, 3}, // T
    {0, 2, 2, 2, 1, 2, 2, 3}, // DE
    {0, 1, 2, 2, 1, 2, 1, 3}, // DT
    {0, 2, 2, 2, 2, 3, 2, 2}, // LB
    {0, 3, 2, 2, 2, 2, 3, 0}, // CB
    {0, 2, 2, 2, 2, 3, 2, 1}, // S
    {3, 0, 2, 0, 0, 1, 0, 3}, // K
    {3, 0, 2, 0, 0, 1, 0, 3}, // P
}};

enum class Listing { Roster, FreeAgent, Draft, Unlisted };

struct SamplePlayer {
    Player::PlayerDiskData data{};
    Listing listing = Listing::Unlisted;
    int team = -1;
};

// Everything the files are made from.
struct Model {
    const VersionTags* tags = &kVersion3;
    int numTeams = 0;
    int stage = 0;
    bool freeAgentFile = true;
    bool draftFile = true;
    std::array<std::uint8_t, League::kHeaderSize> header{};
    int season = 0;
    int nextPlayerID = 0;
    std::uint8_t keyA = 0;
    std::uint8_t keyB = 0;
    std::vector<std::array<std::uint8_t, League::kTeamRecordSize>> teamBodies; // scrambled
    std::vector<std::int16_t> rosterSeeds;
    std::vector<std::vector<std::int16_t>> rosterPlayers; // per team, in the order they join
    std::vector<SamplePlayer> players;                    // in the order they were made
    std::vector<std::size_t> fileOrder;                   // order of the records in the player file
    std::vector<std::int16_t> freeAgents;
    std::vector<std::int16_t> draft;
};

Pos RandomPosition(Rng& rng) {
    int pick = rng.Range(0, kFullRoster - 1);
    for (const auto& mix : kRosterMix) {
        if (pick < mix.count)
            return mix.pos;
        pick -= mix.count;
    }
    return Player::QB;
}

template <std::size_t N> void CopyText(char (&field)[N], std::string_view text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

std::int8_t Rating(int value) {
    return static_cast<std::int8_t>(std::clamp(value, 20, 99));
}

SamplePlayer MakePlayer(Rng& rng, Pos specific, Listing listing, int team) {
    SamplePlayer player;
    player.listing = listing;
    player.team = team;
    auto& d = player.data;
    const auto& first = FirstNames();
    const auto& last = LastNames();
    CopyText(d.firstName, first[static_cast<std::size_t>(rng.Range(0, static_cast<int>(first.size()) - 1))]);
    CopyText(d.lastName, last[static_cast<std::size_t>(rng.Range(0, static_cast<int>(last.size()) - 1))]);
    d.posSpecific = specific;
    d.posGeneral = Player::GeneralOf(specific);

    const bool prospect = listing == Listing::Draft;
    int years = 0;
    if (listing == Listing::Roster) {
        // Clubs keep more young players. One draw after the other: the order of a call's
        // arguments is unspecified.
        const int firstDraw = rng.Range(0, 15);
        years = std::min(firstDraw, rng.Range(0, 15));
    } else if (!prospect)
        years = rng.Range(0, 15);
    d.years = static_cast<std::int8_t>(years);

    // A player's overall level; veterans have grown into theirs, prospects have not.
    int level = prospect ? rng.Range(30, 55) : rng.Range(36, 68) + std::min(years, 6) * 2;
    if (listing == Listing::FreeAgent || listing == Listing::Unlisted)
        level -= 4;
    const auto& emphasis = kEmphasis[static_cast<std::size_t>(specific)];
    for (std::size_t r = 0; r < 8; ++r) {
        const int actual = Rating(level + emphasis[r] * 10 - 12 + rng.Range(-8, 8));
        const int growth = prospect ? rng.Range(5, 30) : rng.Range(0, std::max(0, 12 - years) * 2);
        d.actual[r] = static_cast<std::int8_t>(actual);
        d.potential[r] = Rating(actual + growth);
    }
    // Bytes the library carries without reading: something like height, weight and age.
    d.unknown1[0] = static_cast<std::uint8_t>(rng.Range(68, 80));
    d.unknown1[1] = static_cast<std::uint8_t>(rng.Range(90, 170));
    d.unknown1[2] = static_cast<std::uint8_t>(21 + years + rng.Range(0, 2));
    d.unknown1[3] = 0;
    for (auto& b : d.unknown2)
        b = static_cast<std::uint8_t>(rng.Range(0, 99));
    return player;
}

int KeyByte(int seed, int offset, int firstOffset) {
    return (seed * tolvik::kScrambleMultiplier + (offset - firstOffset)) & 0xFF;
}

bool ContainsTag(const std::uint8_t* bytes, std::size_t size, std::string_view tag) {
    const auto* end = bytes + size;
    return std::search(bytes, end, tag.begin(), tag.end(),
                       [](std::uint8_t b, char c) { return b == static_cast<std::uint8_t>(c); }) != end;
}

// A team body scrambled with a seed for which it spells no chunk tag. Its last byte is
// chosen to scramble to 0, so a partial tag match can never run on into the next chunk's tag.
std::array<std::uint8_t, League::kTeamRecordSize> TeamBody(Rng& rng, const TeamName& team,
                                                           const VersionTags& tags) {
    std::array<std::uint8_t, League::kTeamRecordSize> plain{};
    for (int i = 1; i < kTeamNameOffset; ++i)
        plain[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(rng.Range(0, 99));
    std::memcpy(plain.data() + kTeamNameOffset, team.name.data(), team.name.size());
    std::memcpy(plain.data() + kTeamAbbrOffset, team.abbr.data(), team.abbr.size());
    int seed = rng.Byte();
    for (;;) {
        auto body = plain;
        body[0] = static_cast<std::uint8_t>(seed);
        body[kTeamLastByte] = static_cast<std::uint8_t>(KeyByte(seed, kTeamLastByte, 1));
        tolvik::ScrambleTeamRecord(body.data());
        if (!ContainsTag(body.data(), body.size(), tags.team) &&
            !ContainsTag(body.data(), body.size(), tags.roster))
            return body;
        seed = (seed + 1) & 0xFF;
    }
}

std::vector<std::uint8_t> ListFile(const std::vector<std::int16_t>& ids) {
    std::vector<std::uint8_t> bytes;
    tolvik::ByteWriter w(bytes);
    w.writeBytes("PPD:", 4);
    w.writeU32le(static_cast<std::uint32_t>(2 + 2 * ids.size()));
    w.writeS16le(static_cast<std::int16_t>(ids.size()));
    for (auto id : ids)
        w.writeS16le(id);
    return bytes;
}

bool BuildModel(const SampleLeagueOptions& options, int attempt, Model& m, std::string& error) {
    Rng rng(options.seed);
    m.tags = options.version == 2 ? &kVersion2 : &kVersion3;
    m.numTeams = options.teams;
    m.stage = options.stage;
    m.freeAgentFile = options.freeAgents;
    m.draftFile = options.stage <= 4;

    // Rosters: a full roster, a few clubs one to three players short.
    std::vector<std::vector<Pos>> rosterPositions(static_cast<std::size_t>(m.numTeams));
    int rosterTotal = 0;
    for (auto& positions : rosterPositions) {
        std::array<int, kRosterMix.size()> counts{};
        for (std::size_t i = 0; i < kRosterMix.size(); ++i)
            counts[i] = kRosterMix[i].count;
        for (int shortBy = rng.Range(0, 3); shortBy > 0; --shortBy) {
            const Pos thin = kThinPositions[static_cast<std::size_t>(
                rng.Range(0, static_cast<int>(kThinPositions.size()) - 1))];
            for (std::size_t i = 0; i < kRosterMix.size(); ++i)
                if (kRosterMix[i].pos == thin)
                    --counts[i];
        }
        for (std::size_t i = 0; i < kRosterMix.size(); ++i)
            positions.insert(positions.end(), static_cast<std::size_t>(counts[i]), kRosterMix[i].pos);
        rosterTotal += static_cast<int>(positions.size());
    }
    const int draftTotal = m.draftFile ? kDraftRounds * m.numTeams : 0;
    int freeAgentTotal = 0;
    int unlistedTotal = 0;
    int total = 0;
    if (options.players == 0) {
        // Free agents about a tenth of all players.
        freeAgentTotal = options.freeAgents ? (rosterTotal + draftTotal + 4) / 9 : 0;
        total = rosterTotal + draftTotal + freeAgentTotal;
    } else {
        total = options.players;
        freeAgentTotal = options.freeAgents ? total / 10 : 0;
        unlistedTotal = total - rosterTotal - draftTotal - freeAgentTotal;
        // The least total whose tenth of free agents still leaves room for the rosters and the draft class.
        const int listed = rosterTotal + draftTotal;
        int least = listed;
        while (options.freeAgents && least - least / 10 < listed)
            ++least;
        if (unlistedTotal < 0 || total > kMaxPlayers) {
            error = "--players must be between " + std::to_string(least) + " and " +
                    std::to_string(kMaxPlayers) + " for this league";
            return false;
        }
    }
    m.nextPlayerID = 100 + total;

    // Players, then identifiers handed out in a shuffled order.
    for (int t = 0; t < m.numTeams; ++t)
        for (Pos pos : rosterPositions[static_cast<std::size_t>(t)])
            m.players.push_back(MakePlayer(rng, pos, Listing::Roster, t));
    for (int i = 0; i < draftTotal; ++i)
        m.players.push_back(MakePlayer(rng, RandomPosition(rng), Listing::Draft, -1));
    for (int i = 0; i < freeAgentTotal; ++i)
        m.players.push_back(MakePlayer(rng, RandomPosition(rng), Listing::FreeAgent, -1));
    for (int i = 0; i < unlistedTotal; ++i)
        m.players.push_back(MakePlayer(rng, RandomPosition(rng), Listing::Unlisted, -1));
    std::vector<std::int16_t> ids(static_cast<std::size_t>(total));
    for (int i = 0; i < total; ++i)
        ids[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(100 + i);
    rng.Shuffle(ids);
    m.rosterPlayers.assign(static_cast<std::size_t>(m.numTeams), {});
    for (std::size_t i = 0; i < m.players.size(); ++i) {
        auto& p = m.players[i];
        p.data.pid = ids[i];
        if (p.listing == Listing::Roster)
            m.rosterPlayers[static_cast<std::size_t>(p.team)].push_back(p.data.pid);
        else if (p.listing == Listing::FreeAgent)
            m.freeAgents.push_back(p.data.pid);
        else if (p.listing == Listing::Draft)
            m.draft.push_back(p.data.pid);
    }
    m.fileOrder.resize(m.players.size());
    for (std::size_t i = 0; i < m.fileOrder.size(); ++i)
        m.fileOrder[i] = i;
    rng.Shuffle(m.fileOrder);
    m.keyA = rng.Byte();
    m.keyB = rng.Byte();

    // League header.
    auto& h = m.header;
    h[0] = static_cast<std::uint8_t>(LeagueSizeCode(m.numTeams));
    h[1] = kConferences;
    h[2] = static_cast<std::uint8_t>(rng.Range(0, 15));
    h[3] = static_cast<std::uint8_t>(static_cast<std::int8_t>(m.stage));
    for (int i = 4; i < 8; ++i)
        h[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(rng.Range(0, 15));
    const int baseSeason = rng.Range(2000, 2025);
    const int seasonOffset = rng.Range(-1, 3);
    tolvik::writeS16le(&h[8], static_cast<std::int16_t>(m.nextPlayerID));
    tolvik::writeS16le(&h[10], static_cast<std::int16_t>(baseSeason));
    h[12] = static_cast<std::uint8_t>(static_cast<std::int8_t>(seasonOffset));
    h[13] = static_cast<std::uint8_t>(rng.Range(0, 15));
    h[14] = static_cast<std::uint8_t>(rng.Range(0, 15));
    std::memcpy(&h[kHeaderNameOffset], kLeagueName, std::strlen(kLeagueName));
    m.season = baseSeason + seasonOffset;

    // Teams and roster seeds; odd teams get negative roster seeds.
    for (int t = 0; t < m.numTeams; ++t) {
        m.teamBodies.push_back(TeamBody(rng, TeamNames()[static_cast<std::size_t>(t)], *m.tags));
        int raw = rng.Range(1, 32767);
        raw = 1 + (raw - 1 + attempt * 7919) % 32767;
        m.rosterSeeds.push_back(static_cast<std::int16_t>(t % 2 == 1 ? -raw : raw));
    }
    return true;
}

std::vector<std::uint8_t> PlayerFile(const Model& m) {
    const auto size = static_cast<std::size_t>(m.tags->recordSize);
    std::vector<std::uint8_t> bytes(size * (1 + m.players.size()), 0);
    bytes[0] = m.keyA;
    bytes[1] = m.keyB;
    Encryption encryption;
    encryption.Init(m.keyA, m.keyB);
    std::uint8_t* out = bytes.data() + size;
    for (std::size_t index : m.fileOrder) {
        Player::Encode(m.players[index].data, out, m.tags->recordSize);
        encryption.Encrypt(out, static_cast<short>(size));
        out += size;
    }
    return bytes;
}

void AppendChunk(std::vector<std::uint8_t>& out, std::string_view tag, const std::uint8_t* body,
                 std::size_t size) {
    tolvik::ByteWriter w(out);
    w.writeBytes(tag.data(), 4);
    w.writeU32le(static_cast<std::uint32_t>(size)); // the game's 4 bytes after a tag; we store the body size
    w.writeBytes(body, size);
}

// The league file with empty rosters; the library fills them in afterwards. Also gives
// the offsets where the scan must find the team and roster bodies.
std::vector<std::uint8_t> LeagueFile(const Model& m, std::vector<std::size_t>& teamBodies,
                                     std::vector<std::size_t>& rosterBodies) {
    std::vector<std::uint8_t> bytes;
    AppendChunk(bytes, m.tags->league, m.header.data(), m.header.size());

    const auto& conferences = ConferenceNames();
    std::vector<std::uint8_t> c(kConferences * kNameField, 0);
    for (int i = 0; i < kConferences; ++i)
        std::memcpy(&c[static_cast<std::size_t>(i * kNameField)],
                    conferences[static_cast<std::size_t>(i)].data(),
                    conferences[static_cast<std::size_t>(i)].size());
    AppendChunk(bytes, m.tags->c, c.data(), c.size());

    // D chunk: division names, then each team's division, then a closing 0.
    constexpr int divisions = kConferences * kDivisionsPerConference;
    std::vector<std::uint8_t> d(static_cast<std::size_t>(divisions * kNameField + m.numTeams + 1), 0);
    for (int i = 0; i < divisions; ++i) {
        const std::string name = std::string(conferences[static_cast<std::size_t>(i / 2)].substr(0, 8)) +
                                 (i % 2 == 0 ? " North" : " South");
        std::memcpy(&d[static_cast<std::size_t>(i * kNameField)], name.data(), name.size());
    }
    for (int t = 0; t < m.numTeams; ++t)
        d[static_cast<std::size_t>(divisions * kNameField + t)] =
            static_cast<std::uint8_t>(t * divisions / m.numTeams);
    AppendChunk(bytes, m.tags->d, d.data(), d.size());

    for (int t = 0; t < m.numTeams; ++t) {
        const auto& team = m.teamBodies[static_cast<std::size_t>(t)];
        AppendChunk(bytes, m.tags->team, team.data(), team.size());
        teamBodies.push_back(bytes.size() - team.size());

        Roster roster{};
        roster.seed = m.rosterSeeds[static_cast<std::size_t>(t)];
        // Scrambles to 0, like the team body's last byte.
        roster.unknown[sizeof roster.unknown - 1] =
            static_cast<std::uint8_t>(KeyByte(roster.seed, kRosterLastByte, 2));
        std::array<std::uint8_t, Roster::kRecordSize> body{};
        roster.Encode(body.data());
        tolvik::ScrambleRosterRecord(body.data());
        AppendChunk(bytes, m.tags->roster, body.data(), body.size());
        rosterBodies.push_back(bytes.size() - body.size());
    }
    return bytes;
}

// The bodies the chunk scan finds for a tag: byte by byte, a mismatching byte consumed,
// the 4 bytes after the tag skipped, the body skipped after it is found.
std::vector<std::size_t> ScanBodies(const std::vector<std::uint8_t>& file, std::string_view tag,
                                    std::size_t bodySize) {
    std::vector<std::size_t> found;
    std::size_t pos = 0;
    while (pos < file.size()) {
        if (file[pos++] != static_cast<std::uint8_t>(tag[0]))
            continue;
        bool match = true;
        for (std::size_t k = 1; k < 4 && match; ++k)
            match = pos < file.size() && file[pos++] == static_cast<std::uint8_t>(tag[k]);
        if (!match)
            continue;
        pos += 4;
        found.push_back(pos);
        pos += bodySize;
    }
    return found;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
    tolvik::FileError why = tolvik::FileError::None;
    if (tolvik::WriteFileAtomically(path, bytes.data(), bytes.size(), &why))
        return true;
    error = "cannot write " + path + ": " + tolvik::FileErrorText(why);
    return false;
}

// Whether an entry of the folder can be removed, as far as can be told before anything is
// touched: a folder of a sample file's name cannot, nor on Windows a read-only file (which
// may still be renamed, so moving it aside would not find it out).
bool Removable(const std::string& path, std::string& why) {
    const tolvik::FileInfo info = tolvik::Files().Stat(path, false);
    if (info.exists && !info.regular && !info.link) {
        why = "not a regular file";
        return false;
    }
#ifdef _WIN32
    if (!tolvik::Files().MayReplace(path)) {
        why = tolvik::FileErrorText(tolvik::Files().LastError());
        return false;
    }
#endif
    return true;
}

// Removes every earlier sample file of the folder, whatever the case of its name: the
// library finds companion files ignoring case, so a stale SAMPLE.PYC would join the new league.
// All or nothing: every file is checked, then moved aside under a name of its own, and only
// when all of them have moved are they removed; a failure before that puts back those that
// moved, so that a refusal leaves the folder as it was.
bool RemoveOldFiles(const std::string& folder, std::string& error) {
    static const std::array<std::string, 7> extensions{"lge", "pyr", "pyf", "pyc", "dat", "fro", "sal"};
    tolvik::SystemFiles& files = tolvik::Files();
    const std::string native = tolvik::NativePath(folder);
    std::vector<std::string> names;
    if (!files.List(native, names)) {
        error = "cannot list " + folder + ": " + tolvik::FileErrorText(files.LastError());
        return false;
    }
    std::vector<std::string> old;
    for (const std::string& name : names)
        for (const auto& ext : extensions)
            if (tolvik::SameNameIgnoringCase(name, std::string(kFileName) + "." + ext))
                old.push_back(name);
    std::string why;
    for (const std::string& name : old)
        if (!Removable(tolvik::PathJoin(native, name), why)) {
            error = "cannot remove " + tolvik::PathJoin(folder, name) + ": " + why;
            return false;
        }

    const auto aside = [&native](const std::string& name) {
        return tolvik::PathJoin(native, "~salold." + name);
    };
    std::size_t moved = 0;
    for (; moved < old.size(); ++moved)
        if (!files.Rename(tolvik::PathJoin(native, old[moved]), aside(old[moved])))
            break;
    if (moved < old.size()) {
        error = "cannot remove " + tolvik::PathJoin(folder, old[moved]) + ": " +
                tolvik::FileErrorText(files.LastError());
        while (moved > 0) {
            --moved;
            files.Rename(aside(old[moved]), tolvik::PathJoin(native, old[moved]));
        }
        return false;
    }
    for (std::size_t k = 0; k < old.size(); ++k)
        if (!files.Remove(aside(old[k]))) {
            error = "cannot remove " + tolvik::PathJoin(folder, old[k]) + ": " +
                    tolvik::FileErrorText(files.LastError());
            for (std::size_t rest = k; rest < old.size(); ++rest)
                files.Rename(aside(old[rest]), tolvik::PathJoin(native, old[rest]));
            return false;
        }
    return true;
}

// Fills the rosters through the library: each player joins his club by League::MovePlayer,
// which picks his slot and jersey number; WriteLeague then writes the rosters and rewrites
// the list files through League::WriteRosterData and League::WriteFreeAgent, and the
// destructor copies the working copies back over the league's files.
bool FillRostersThroughLibrary(const Model& m, const std::string& leaguePath,
                               const std::shared_ptr<tolvik::FolderLock>& lock, std::string& error) {
    League league;
    league.SetFolderLock(lock);
    if (!league.OpenLeague(leaguePath) || !league.ReadLeagueData()) {
        error = "the library could not open the league just written at " + leaguePath + ": " +
                league.GetLastError();
        return false;
    }
    for (int t = 0; t < m.numTeams; ++t) {
        for (std::int16_t pid : m.rosterPlayers[static_cast<std::size_t>(t)]) {
            if (!league.MovePlayer(pid, static_cast<char>(t))) {
                error = "no roster slot for player " + std::to_string(pid) + " on team " + std::to_string(t);
                return false;
            }
        }
    }
    if (!league.WriteLeague() || !league.CloseLeague()) {
        error = "cannot write the rosters of " + leaguePath + ": " + league.GetLastError();
        return false;
    }
    return true;
}

} // namespace

int LeagueSizeCode(int teams) {
    for (std::size_t code = 0; code < kTeamCounts.size(); ++code)
        if (kTeamCounts[code] == teams)
            return static_cast<int>(code);
    return -1;
}

bool WriteSampleLeague(const SampleLeagueOptions& options, Result& result, std::string& error) {
    if (LeagueSizeCode(options.teams) < 0) {
        error = "--teams must be 8, 10, 12, 18, 28 or 30, not " + std::to_string(options.teams);
        return false;
    }
    if (options.version != 2 && options.version != 3) {
        error = "--version must be 2 or 3, not " + std::to_string(options.version);
        return false;
    }
    if (options.stage < 0 || options.stage > 127) {
        error = "--stage must be between 0 and 127, not " + std::to_string(options.stage);
        return false;
    }
    if (options.players < 0) {
        error = "--players must not be negative";
        return false;
    }
    // Everything that can be wrong with the options shows before anything touches the disk.
    Model first;
    if (!BuildModel(options, 0, first, error))
        return false;
    const std::string folder = options.folder.empty() ? std::string(".") : options.folder;
    // The folder's name is UTF-8, as every path of the library is.
    const std::filesystem::path folderPath(std::u8string(folder.begin(), folder.end()));
    std::error_code ec;
    std::filesystem::create_directories(folderPath, ec);
    if (ec || !std::filesystem::is_directory(folderPath)) {
        error = "cannot create the folder " + folder + (ec ? ": " + ec.message() : std::string());
        return false;
    }

    // A league another program has open in the folder is not written over: the folder's
    // lock is held from before the first file goes until the last is written.
    const auto lock = std::make_shared<tolvik::FolderLock>();
    if (!lock->Acquire(folder)) {
        error = lock->Error() == tolvik::FileError::InUse
                    ? "the folder " + folder + " is in use by another program"
                    : "cannot lock the folder " + folder + ": " + tolvik::FileErrorText(lock->Error());
        return false;
    }
    const std::string base = tolvik::PathJoin(folder, kFileName);
    const std::string leaguePath = base + ".lge";
    for (int attempt = 0; attempt < kLayoutAttempts; ++attempt) {
        Model m;
        if (attempt == 0)
            m = std::move(first);
        else if (!BuildModel(options, attempt, m, error))
            return false;
        if (!RemoveOldFiles(folder, error))
            return false;

        std::vector<std::size_t> teamBodies;
        std::vector<std::size_t> rosterBodies;
        if (!WriteFile(leaguePath, LeagueFile(m, teamBodies, rosterBodies), error) ||
            !WriteFile(base + ".pyr", PlayerFile(m), error))
            return false;
        if (m.freeAgentFile && !WriteFile(base + ".pyf", ListFile(m.freeAgents), error))
            return false;
        if (m.draftFile && !WriteFile(base + ".pyc", ListFile(m.draft), error))
            return false;
        if (!FillRostersThroughLibrary(m, leaguePath, lock, error))
            return false;

        // The filled rosters are scrambled anew; make sure no roster body now spells a tag.
        std::vector<std::uint8_t> written;
        tolvik::FileError why = tolvik::FileError::None;
        if (!tolvik::ReadWholeFile(leaguePath, written, std::size_t{1} << 30, &why)) {
            error = "cannot read back " + leaguePath + ": " + tolvik::FileErrorText(why);
            return false;
        }
        if (ScanBodies(written, m.tags->team, League::kTeamRecordSize) != teamBodies ||
            ScanBodies(written, m.tags->roster, Roster::kRecordSize) != rosterBodies)
            continue;

        result = Result{};
        result.leaguePath = leaguePath;
        result.numTeams = m.numTeams;
        result.version = options.version;
        result.stage = m.stage;
        result.season = m.season;
        result.nextPlayerID = m.nextPlayerID;
        for (const auto& p : m.players) {
            SamplePlayerInfo info;
            info.id = p.data.pid;
            info.specific = p.data.posSpecific;
            info.general = p.data.posGeneral;
            info.years = p.data.years;
            info.team = p.team;
            info.freeAgent = p.listing == Listing::FreeAgent;
            info.draft = p.listing == Listing::Draft;
            result.players.push_back(info);
            result.rosterPlayers += p.listing == Listing::Roster;
            result.freeAgents += info.freeAgent;
            result.draftProspects += info.draft;
            result.unlisted += p.listing == Listing::Unlisted;
        }
        std::sort(result.players.begin(), result.players.end(),
                  [](const SamplePlayerInfo& a, const SamplePlayerInfo& b) { return a.id < b.id; });

        if (!WriteSampleStatistics(base + ".dat", result.players, m.numTeams, m.season, options.seed, &why)) {
            error = "cannot write the statistics file " + base + ".dat: " + tolvik::FileErrorText(why);
            return false;
        }
        if (options.sal &&
            !WriteSampleSal(base + ".SAL", result.players, m.numTeams, m.season, options.seed, &why)) {
            error = "cannot write the sibling salary file " + base + ".SAL: " + tolvik::FileErrorText(why);
            return false;
        }
        if (options.salary && !WriteSampleSalaryInfo(leaguePath, options.seed, lock, error))
            return false;
        return true;
    }
    error = "could not lay out the league file's chunks for seed " + std::to_string(options.seed);
    return false;
}

} // namespace sample

int RunSampleLeague(const SampleLeagueOptions& options, std::ostream& out, std::ostream& err) {
    sample::Result result;
    std::string error;
    if (!sample::WriteSampleLeague(options, result, error)) {
        err << "brevane-cli sample-league: " << error << '\n';
        return 1;
    }
    out << "Wrote \"" << sample::kLeagueName << "\" to " << result.leaguePath << " (version "
        << result.version << ", stage " << result.stage << ", season " << result.season << ", seed "
        << options.seed << "): " << result.numTeams << " teams, " << result.players.size() << " players ("
        << result.rosterPlayers << " on rosters, " << result.freeAgents << " free agents, "
        << result.draftProspects << " in the draft class";
    if (result.unlisted > 0)
        out << ", " << result.unlisted << " on no list";
    out << ")\n";
    return 0;
}
