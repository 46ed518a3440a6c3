#include "support/TestLeague.h"

#include "league/ByteOrder.h"
#include "league/Encryption.h"
#include "league/Roster.h"
#include "support/TempDir.h"

#include <cstring>
#include <stdexcept>

namespace {

constexpr std::array<int, 6> kTeamsBySize{8, 10, 12, 18, 28, 30};

void AppendChunk(std::vector<std::uint8_t>& out, const char* tag, const std::uint8_t* body,
                 std::size_t size) {
    tolvik::ByteWriter w(out);
    w.writeBytes(tag, 4);
    w.writeU32le(static_cast<std::uint32_t>(size));
    w.writeBytes(body, size);
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

} // namespace

int TestLeague::Teams() const {
    return kTeamsBySize[static_cast<std::size_t>(sizeCode)];
}

TestPlayer& TestLeague::Add(std::int16_t id, Player::Pos specific, int years,
                            std::array<std::int8_t, 8> actual) {
    players.push_back({id, specific, years, actual, std::nullopt, {}, {}});
    return players.back();
}

std::string TestLeague::Write(const TempDir& dir) const {
    // League file: header chunk, then one team and one roster chunk per team.
    std::array<std::uint8_t, League::kHeaderSize> header{};
    header[0] = static_cast<std::uint8_t>(sizeCode);
    header[1] = 2;
    header[3] = static_cast<std::uint8_t>(stage);
    tolvik::writeS16le(&header[8], nextID);
    tolvik::writeS16le(&header[10], baseSeason);
    header[12] = static_cast<std::uint8_t>(seasonOffset);
    std::memcpy(&header[15], "Test League", 11);

    std::vector<std::uint8_t> lge;
    AppendChunk(lge, "L03:", header.data(), header.size());
    for (int t = 0; t < Teams(); ++t) {
        std::array<std::uint8_t, League::kTeamRecordSize> team{};
        const std::string name = "Team " + std::to_string(t);
        std::memcpy(&team[55], name.data(), name.size());
        std::memcpy(&team[89], "TM", 2);
        tolvik::ScrambleTeamRecord(team.data());
        AppendChunk(lge, "T03:", team.data(), team.size());

        Roster roster{};
        if (static_cast<std::size_t>(t) < rosters.size())
            for (std::size_t slot = 0; slot < rosters[static_cast<std::size_t>(t)].size(); ++slot)
                roster.pids[slot] = rosters[static_cast<std::size_t>(t)][slot];
        std::array<std::uint8_t, Roster::kRecordSize> body{};
        roster.Encode(body.data());
        tolvik::ScrambleRosterRecord(body.data());
        AppendChunk(lge, "R03:", body.data(), body.size());
    }
    dir.Write(fileName + ".lge", lge);

    // Player file: a header record with the key bytes, then enciphered records.
    const std::uint8_t keyA = 17;
    const std::uint8_t keyB = 5;
    std::vector<std::uint8_t> pyr(Player::kRecordSize * (1 + players.size()), 0);
    pyr[0] = keyA;
    pyr[1] = keyB;
    Encryption encryption;
    encryption.Init(keyA, keyB);
    std::uint8_t* out = pyr.data() + Player::kRecordSize;
    for (const auto& p : players) {
        Player::PlayerDiskData data{};
        data.pid = p.id;
        const std::string first = p.first.empty() ? "First" : p.first.substr(0, 12);
        const std::string last = p.last.empty() ? "P" + std::to_string(p.id) : p.last.substr(0, 12);
        std::strcpy(data.firstName, first.c_str());
        std::strcpy(data.lastName, last.c_str());
        data.posSpecific = p.specific;
        data.posGeneral = Player::GeneralOf(p.specific);
        std::memcpy(data.actual, p.actual.data(), 8);
        std::memcpy(data.potential, p.potential.value_or(p.actual).data(), 8);
        data.years = static_cast<std::int8_t>(p.years);
        Player::Encode(data, out, Player::kRecordSize);
        encryption.Encrypt(out, Player::kRecordSize);
        out += Player::kRecordSize;
    }
    dir.Write(fileName + ".pyr", pyr);

    if (freeAgents)
        dir.Write(fileName + ".pyf", ListFile(*freeAgents));
    if (draft)
        dir.Write(fileName + ".pyc", ListFile(*draft));

    std::vector<std::uint8_t> dat(140, 0);
    tolvik::ByteWriter w(dat);
    for (const auto& record : stats)
        for (auto word : record)
            w.writeU16le(word);
    dir.Write(fileName + ".dat", dat);
    return dir.File(fileName + ".lge");
}

std::unique_ptr<League> TestLeague::Open(const TempDir& dir) const {
    auto league = std::make_unique<League>();
    const std::string path = Write(dir);
    if (!league->OpenLeague(path) || !league->ReadLeagueData())
        throw std::runtime_error("the test league did not open");
    return league;
}
