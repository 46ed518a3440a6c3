#include "LeagueBytes.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace testleague {
namespace {

constexpr int kMultiplier = 77;
constexpr std::size_t kLeagueChunk = 8 + 82;
constexpr std::size_t kSideChunk = 8 + 6; // C and D chunks with a 6-byte body
constexpr std::size_t kTeamChunk = 8 + 171;
constexpr std::size_t kRosterChunk = 8 + 326;

void Put16(Bytes& out, std::size_t at, int v) {
    out[at] = static_cast<std::uint8_t>(v & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

void Append(Bytes& out, const std::string& tag, const Bytes& fourBytes, const Bytes& body) {
    out.insert(out.end(), tag.begin(), tag.end());
    out.insert(out.end(), fourBytes.begin(), fourBytes.end());
    out.insert(out.end(), body.begin(), body.end());
}

const std::int8_t kGenerals[9] = {0, 15, 16, 17, 18, 10, 19, 13, 14};
const std::int8_t kSpecifics[9] = {0, 2, 4, 6, 8, 10, 11, 13, 14};

} // namespace

void XorKeyStream(std::uint8_t* bytes, std::size_t n, int firstKey) {
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<std::uint8_t>(bytes[i] ^ ((firstKey + static_cast<int>(i)) & 0xFF));
}

Bytes ScrambledTeam(const TeamFields& team) {
    Bytes body(171, 0);
    body[0] = team.seed;
    std::memcpy(body.data() + 55, team.name.data(), std::min<std::size_t>(team.name.size(), 33));
    std::memcpy(body.data() + 89, team.abbr.data(), std::min<std::size_t>(team.abbr.size(), 81));
    body[170] = 0x5C; // a byte nobody interprets
    XorKeyStream(body.data() + 1, 170, (team.seed * kMultiplier) % 256);
    return body;
}

Bytes ScrambledRoster(const RosterFields& roster, const Bytes& unknownTail) {
    Bytes body(326, 0);
    Put16(body, 0, roster.seed);
    for (int i = 0; i < 63; ++i) {
        Put16(body, 2 + 2 * static_cast<std::size_t>(i), roster.pids[static_cast<std::size_t>(i)]);
        body[128 + static_cast<std::size_t>(i)] = roster.jerseys[static_cast<std::size_t>(i)];
    }
    for (std::size_t i = 0; i < 135; ++i)
        body[191 + i] = i < unknownTail.size() ? unknownTail[i] : static_cast<std::uint8_t>(i * 7);
    // The seed is signed; the key starts at the product's value modulo 256, made positive.
    XorKeyStream(body.data() + 2, 324, ((roster.seed * kMultiplier) % 256 + 256) % 256);
    return body;
}

RosterFields UnscrambleRoster(const std::uint8_t* body) {
    Bytes plain(body, body + 326);
    RosterFields roster;
    roster.seed = static_cast<std::int16_t>(plain[0] | (plain[1] << 8));
    XorKeyStream(plain.data() + 2, 324, ((roster.seed * kMultiplier) % 256 + 256) % 256);
    for (std::size_t i = 0; i < 63; ++i) {
        roster.pids[i] = static_cast<std::int16_t>(plain[2 + 2 * i] | (plain[3 + 2 * i] << 8));
        roster.jerseys[i] = plain[128 + i];
    }
    return roster;
}

Bytes LeagueFile(const LeagueFields& layout) {
    const bool v2 = layout.version == 2;
    Bytes header(82, 0);
    header[0] = static_cast<std::uint8_t>(layout.sizeCode);
    header[1] = static_cast<std::uint8_t>(layout.conferences);
    header[2] = 0x5A;
    header[3] = static_cast<std::uint8_t>(layout.stage);
    header[4] = 0xA1, header[5] = 0xA2, header[6] = 0xA3, header[7] = 0xA4;
    Put16(header, 8, layout.nextPlayerID);
    Put16(header, 10, layout.baseSeason);
    header[12] = static_cast<std::uint8_t>(layout.seasonOffset);
    header[13] = 0xB1, header[14] = 0xB2;
    std::memcpy(header.data() + 15, layout.name.data(), std::min<std::size_t>(layout.name.size(), 66));
    header[81] = 0xE7;

    Bytes out;
    Append(out, v2 ? "L02:" : "L03:", {0x11, 0x22, 0x33, 0x44}, header);
    Append(out, v2 ? "C00:" : "C03:", {1, 2, 3, 4}, {0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6});
    Append(out, v2 ? "D00:" : "D03:", {5, 6, 7, 8}, {0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6});
    for (std::size_t k = 0; k < layout.teams.size(); ++k)
        Append(out, v2 ? "T02:" : "T03:", {static_cast<std::uint8_t>(k), 0, 0, 9},
               ScrambledTeam(layout.teams[k]));
    for (std::size_t k = 0; k < layout.rosters.size(); ++k)
        Append(out, v2 ? "R01:" : "R03:", {static_cast<std::uint8_t>(k), 0, 0, 8},
               ScrambledRoster(layout.rosters[k]));
    return out;
}

std::size_t TeamBodyOffset(const LeagueFields&, int k) {
    return kLeagueChunk + 2 * kSideChunk + static_cast<std::size_t>(k) * kTeamChunk + 8;
}

std::size_t RosterBodyOffset(const LeagueFields& layout, int k) {
    return kLeagueChunk + 2 * kSideChunk + layout.teams.size() * kTeamChunk +
           static_cast<std::size_t>(k) * kRosterChunk + 8;
}

Bytes PlayerRecord(const PlayerFields& player, int recordSize) {
    Bytes rec(60, 0);
    Put16(rec, 0, player.id);
    std::memcpy(rec.data() + 2, player.first.data(), std::min<std::size_t>(player.first.size(), 13));
    std::memcpy(rec.data() + 15, player.last.data(), std::min<std::size_t>(player.last.size(), 13));
    for (std::size_t i = 0; i < 8; ++i) {
        rec[28 + i] = static_cast<std::uint8_t>(player.potential[i]);
        rec[42 + i] = static_cast<std::uint8_t>(player.actual[i]);
    }
    rec[36] = 0x36, rec[37] = 0x37, rec[38] = 0x38, rec[39] = 0x39;
    rec[40] = static_cast<std::uint8_t>(player.general);
    rec[41] = static_cast<std::uint8_t>(player.specific);
    rec[50] = static_cast<std::uint8_t>(player.years);
    for (std::size_t i = 51; i < 60; ++i)
        rec[i] = static_cast<std::uint8_t>(0xF0 + i - 51);
    rec.resize(static_cast<std::size_t>(recordSize));
    return rec;
}

Bytes PlayerFile(const std::vector<PlayerFields>& players, int recordSize, std::uint8_t keyA) {
    Bytes out(static_cast<std::size_t>(recordSize), 0xEE);
    out[0] = keyA;
    out[1] = 1;
    for (const PlayerFields& player : players) {
        for (std::uint8_t byte : PlayerRecord(player, recordSize))
            out.push_back(static_cast<std::uint8_t>(byte + 3 * keyA));
    }
    return out;
}

Bytes ListFile(const std::vector<std::int16_t>& ids) {
    Bytes out(10 + 2 * ids.size(), 0);
    std::memcpy(out.data(), "PPD:", 4);
    const std::size_t bytes = 2 + 2 * ids.size();
    out[4] = static_cast<std::uint8_t>(bytes), out[5] = static_cast<std::uint8_t>(bytes >> 8);
    Put16(out, 8, static_cast<int>(ids.size()));
    for (std::size_t i = 0; i < ids.size(); ++i)
        Put16(out, 10 + 2 * i, ids[i]);
    return out;
}

void LeagueFiles::WriteTo(const TempDir& dir, const std::string& base) const {
    dir.Write(base + ".lge", LeagueFile(layout));
    dir.Write(base + ".pyr", PlayerFile(players, layout.version == 2 ? 51 : 60));
    if (freeAgents)
        dir.Write(base + ".pyf", ListFile(*freeAgents));
    if (draft)
        dir.Write(base + ".pyc", ListFile(*draft));
}

std::int8_t StandardGeneral(int id) {
    return kGenerals[(id - 100) % 9];
}

LeagueFiles StandardLeague() {
    LeagueFiles files;
    for (int k = 0; k < 8; ++k) {
        files.layout.teams.push_back(
            {static_cast<std::uint8_t>(k * 29), "Club " + std::to_string(k), "CL" + std::to_string(k)});
        RosterFields roster;
        roster.seed = static_cast<std::int16_t>((k - 4) * 1234); // negative seeds too
        for (int s = 0; s < 5; ++s) {
            roster.pids[static_cast<std::size_t>(s)] = static_cast<std::int16_t>(100 + 5 * k + s);
            roster.jerseys[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(10 + s);
        }
        files.layout.rosters.push_back(roster);
    }
    for (int id = 100; id < 160; ++id) {
        PlayerFields p;
        p.id = static_cast<std::int16_t>(id);
        p.first = "F" + std::to_string(id);
        p.last = "L" + std::to_string(id);
        p.general = kGenerals[(id - 100) % 9];
        p.specific = kSpecifics[(id - 100) % 9];
        p.years = static_cast<std::int8_t>(id % 16);
        for (std::size_t i = 0; i < 8; ++i) {
            p.actual[i] = static_cast<std::int8_t>(20 + i);
            p.potential[i] = static_cast<std::int8_t>(90 + i);
        }
        files.players.push_back(p);
    }
    files.freeAgents = std::vector<std::int16_t>{};
    files.draft = std::vector<std::int16_t>{};
    // Lists are kept in group order so that writing them back gives the same bytes.
    for (int group = 0; group < 9; ++group) {
        for (int id = 140; id < 160; ++id) {
            if ((id - 100) % 9 != group)
                continue;
            (id < 150 ? *files.freeAgents : *files.draft).push_back(static_cast<std::int16_t>(id));
        }
    }
    return files;
}

std::unique_ptr<League> OpenAndRead(const std::string& path) {
    auto league = std::make_unique<League>();
    EXPECT_TRUE(league->OpenLeague(path)) << path << ": " << league->GetLastError();
    EXPECT_TRUE(league->ReadLeagueData()) << path;
    return league;
}

CurrentDirectory::CurrentDirectory(const std::string& path)
    : saved_(std::filesystem::current_path().string()) {
    std::filesystem::current_path(path);
}

CurrentDirectory::~CurrentDirectory() {
    std::error_code ec;
    std::filesystem::current_path(saved_, ec);
}

} // namespace testleague
