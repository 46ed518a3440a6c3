#include "contracts/ContractList.h"

#include "contracts/Commissioner.h"
#include "contracts/Options.h"
#include "contracts/Prompt.h"
#include "league/ByteOrder.h"
#include "league/FileAccess.h"
#include "league/League.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Reads up to limit bytes of the file behind handle from its start.
std::vector<std::uint8_t> ReadUpTo(int handle, std::size_t limit) {
    std::vector<std::uint8_t> bytes;
    const std::int64_t size = tolvik::FileSize(handle);
    if (size <= 0)
        return bytes;
    bytes.resize(std::min<std::size_t>(limit, static_cast<std::size_t>(size)));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::size_t want = std::min<std::size_t>(bytes.size() - got, 1u << 30);
        const int n = tolvik::FileRead(handle, bytes.data() + got, static_cast<int>(want));
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

std::vector<std::uint8_t> ReadFile(const std::string& path, std::size_t limit) {
    const int handle = tolvik::FileOpen(path, tolvik::FileMode::Read);
    if (handle <= 0)
        return {};
    auto bytes = ReadUpTo(handle, limit);
    tolvik::FileClose(handle);
    return bytes;
}

std::int32_t Clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace

ContractList::ContractList(League& leagueRef, const Options& optionsRef)
    : league(leagueRef), options(optionsRef), commissioner(std::make_unique<Commissioner>(*this)),
      count(leagueRef.GetNextPlayerID()), numTeams(leagueRef.GetNumTeams()),
      currentSeason(leagueRef.GetCurrentSeason()), leagueName(leagueRef.GetLeagueFileName()),
      folder(leagueRef.GetLeagueFolder()) {
    header = {};
    tolvik::writeS16le(header.data(), kMagic);
    tolvik::writeS16le(header.data() + 2, kVersion);
    records.assign(static_cast<std::size_t>(std::max(count, 0)), Contract(currentSeason));
    teams.assign(static_cast<std::size_t>(std::max(numTeams, 0)), TeamInfo{});
}

ContractList::~ContractList() {
    if (file > 0)
        tolvik::FileClose(file);
}

std::string ContractList::SalaryInfoPath() const {
    std::string found = tolvik::FindFileIgnoringCase(folder, leagueName + extFRO);
    return found.empty() ? tolvik::PathJoin(folder, leagueName + extFRO) : found;
}

std::string ContractList::SiblingPath() const {
    std::string found = tolvik::FindFileIgnoringCase(folder, leagueName + extSAL);
    return found.empty() ? tolvik::PathJoin(folder, leagueName + extSAL) : found;
}

ContractList::Places ContractList::LookUpPlaces() const {
    Places places;
    const auto size = static_cast<std::size_t>(std::max(count, 0));
    places.team.assign(size, -1);
    places.freeAgent.assign(size, 0);
    // Later teams never overwrite an earlier one, so the lowest team number wins.
    for (int t = 0; t < numTeams; ++t) {
        const short* roster = league.GetRoster(t);
        if (!roster)
            continue;
        for (int slot = 0; slot < Roster::kSlots; ++slot) {
            const int id = roster[slot];
            if (id >= 0 && id < count && places.team[id] < 0)
                places.team[id] = static_cast<std::int8_t>(t);
        }
    }
    auto mark = [&](int total, auto groupIds, auto groupCount) {
        if (total == -1)
            return;
        for (int g = 0; g < PlayerGroups::kGroups; ++g) {
            const short* ids = groupIds(g);
            const int n = groupCount(g);
            for (int k = 0; ids && k < n; ++k)
                if (ids[k] >= 0 && ids[k] < count)
                    places.freeAgent[ids[k]] = 1;
        }
    };
    mark(
        league.GetFreeAgentTotal(), [&](int g) { return league.GetFreeAgents(g); },
        [&](int g) { return league.GetNumFreeAgents(g); });
    mark(
        league.GetCollegeDraftTotal(), [&](int g) { return league.GetCollegeDraft(g); },
        [&](int g) { return league.GetNumCollegeDraft(g); });
    return places;
}

std::uint8_t ContractList::FirstStatus(int id, const Places& places) const {
    if (places.team[id] < 0 && !places.freeAgent[id])
        return Contract::Retired;
    const int experience = league.players.GetPlayer(static_cast<short>(id)).GetYears();
    return Contract::FreeAgentKind(experience, options);
}

bool ContractList::Load(Prompt& prompt) {
    if (tolvik::FindFileIgnoringCase(folder, leagueName + extFRO).empty() && !MissingFile(prompt))
        return false;

    file = tolvik::FileOpen(SalaryInfoPath(), tolvik::FileMode::Read);
    if (file <= 0) {
        file = 0;
        return false;
    }
    const std::size_t recordBytes =
        static_cast<std::size_t>(std::max(count - kFirstID, 0)) * Contract::kRecordSize;
    const std::size_t limit = kHeaderSize + 2 * static_cast<std::size_t>(numTeams) + recordBytes;
    const std::vector<std::uint8_t> bytes = ReadUpTo(file, limit);
    tolvik::FileClose(file);
    file = 0;

    tolvik::ByteReader in(bytes.data(), bytes.size());
    std::int16_t magic = 0;
    std::int16_t version = 0;
    if (!in.readS16le(magic) || magic != kMagic || !in.readS16le(version))
        return false;
    if (version != 1 && version != 2)
        return false;
    std::copy(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), kHeaderSize),
              header.begin());
    in.Seek(std::min<std::size_t>(bytes.size(), kHeaderSize));

    // Counters that the file does not hold (version 1, or a short file) are 0.
    for (auto& team : teams)
        team.restructures = team.counter2 = 0;
    for (auto& team : teams)
        in.readU8(team.restructures);
    if (version == 2)
        for (auto& team : teams)
            in.readU8(team.counter2);

    for (int id = kFirstID; id < count; ++id) {
        // Start from the default record; bytes that did not arrive keep its values.
        std::uint8_t raw[Contract::kRecordSize];
        Contract(currentSeason).Encode(raw);
        const std::size_t avail = std::min<std::size_t>(in.Remaining(), Contract::kRecordSize);
        in.readBytes(raw, avail);
        Contract record = Contract::Decode(raw);
        if (record.playerID != id)
            record.playerID = static_cast<std::int16_t>(id);
        records[id] = record;
    }

    RecomputeTotals();
    return true;
}

bool ContractList::MissingFile(Prompt& prompt) {
    if (!tolvik::FindFileIgnoringCase(folder, leagueName + extSAL).empty() &&
        prompt.AskYesNo("Sondrel Salary file found.  Would you like to convert it?", "Convert File?"))
        return Convert(prompt);
    if (!prompt.AskYesNo("Would you like to create Salary Information Now?", "Build Salary Info?"))
        return false;
    return Build();
}

bool ContractList::Convert(Prompt& prompt) {
    const std::vector<std::uint8_t> bytes = ReadFile(SiblingPath(), std::numeric_limits<std::size_t>::max());
    constexpr std::size_t kSize = Contract::kSiblingRecordSize;
    if (bytes.size() < kSize || tolvik::readU16le(bytes.data()) != 300) {
        prompt.ShowMessage("Invalid SAL File", "Convert Error");
        return false;
    }
    const Places places = LookUpPlaces();
    for (std::size_t at = kSize; at + kSize <= bytes.size(); at += kSize) {
        Contract record = Contract::FromSibling(bytes.data() + at);
        // The sibling numbers teams from 1 with 0 for none; ours from 0 with 255 for none.
        record.contractTeam = static_cast<std::int8_t>(static_cast<std::uint8_t>(record.contractTeam) - 1);
        if (record.years > 1)
            record.status = Contract::UnderContract;
        if (record.status == Contract::FranchisePlayer || record.status == Contract::TransitionPlayer) {
            record.years = 1;
            record.salary = record.cgs;
        }
        const int id = static_cast<std::uint16_t>(record.playerID);
        if (id < kFirstID || id >= count)
            continue; // no slot for it in this league
        records[id] = record;
        if (record.years == 0)
            records[id].status = FirstStatus(id, places);
    }
    return Save();
}

bool ContractList::Build() {
    commissioner->Generate();
    const Places places = LookUpPlaces();
    for (int id = kFirstID; id < count; ++id) {
        records[id].playerID = static_cast<std::int16_t>(id);
        records[id].status = FirstStatus(id, places);
    }
    return Save();
}

bool ContractList::Save() {
    const std::string path = SalaryInfoPath();
    const bool exists = tolvik::FileExists(path);
    if (!exists) {
        header = {};
        tolvik::writeS16le(header.data(), kMagic);
        tolvik::writeS16le(header.data() + 2, kVersion);
        for (auto& team : teams)
            team.restructures = team.counter2 = 0;
    }
    if (tolvik::readS16le(header.data() + 2) == 1)
        tolvik::writeS16le(header.data() + 2, kVersion);

    std::vector<std::uint8_t> out;
    const std::size_t recordCount = static_cast<std::size_t>(std::max(count - kFirstID, 0));
    out.reserve(kHeaderSize + 2 * teams.size() + recordCount * Contract::kRecordSize);
    tolvik::ByteWriter w(out);
    w.writeBytes(header.data(), header.size());
    for (const auto& team : teams)
        w.writeU8(team.restructures);
    for (const auto& team : teams)
        w.writeU8(team.counter2);
    const std::size_t recordsAt = out.size();
    out.resize(recordsAt + recordCount * Contract::kRecordSize);
    for (int id = kFirstID; id < count; ++id)
        records[id].Encode(out.data() + recordsAt +
                           static_cast<std::size_t>(id - kFirstID) * Contract::kRecordSize);

    if (exists) {
        // The file was rewritten in place: whatever lay beyond the new content stays.
        const std::vector<std::uint8_t> old = ReadFile(path, std::numeric_limits<std::size_t>::max());
        if (old.size() > out.size())
            out.insert(out.end(), old.begin() + static_cast<std::ptrdiff_t>(out.size()), old.end());
    }
    return tolvik::WriteFileAtomically(path, out.data(), out.size());
}

Contract ContractList::GetContract(int id) const {
    if (id < kFirstID || id >= count)
        return Contract(currentSeason);
    return records[id];
}

Contract* ContractList::GetRecord(int id) {
    return (id < kFirstID || id >= count) ? nullptr : &records[id];
}

const Contract* ContractList::GetRecord(int id) const {
    return (id < kFirstID || id >= count) ? nullptr : &records[id];
}

void ContractList::SetCGS(int id, std::uint32_t value) {
    if (Contract* record = GetRecord(id))
        record->cgs = value;
}

std::int32_t ContractList::YearCharge(int id, int yearSel, int part) const {
    return GetContract(id).YearCharge(yearSel, part, options, currentSeason);
}

std::int64_t ContractList::ContractTeamCharge(const Contract& rec, bool freeAgent, int yearSel) const {
    if (freeAgent && rec.years == 1) {
        // A one-year contract: the bonus share when the bonus is big enough, else the penalty.
        const double pct = rec.salary == 0 ? 0.0 : static_cast<double>(rec.bonus) / rec.salary * 100.0;
        if (pct >= options.min)
            return rec.YearCharge(yearSel, Contract::BonusOnly, options, currentSeason);
        return static_cast<std::int64_t>(rec.YearCharge(1, Contract::BaseOnly, options, currentSeason)) *
               options.penalty / 100;
    }
    if (rec.contractTeam >= 0 && (rec.status != Contract::Retired || options.add_retired))
        return rec.YearCharge(yearSel, Contract::BonusOnly, options, currentSeason);
    return 0;
}

bool ContractList::PaysBase(const Contract& rec) {
    return rec.salary != 0 && rec.status != Contract::Tendered;
}

ContractList::PlayerCharges ContractList::ChargesOf(const Contract& rec, int team, bool freeAgent) const {
    PlayerCharges c;
    // 1. The charge to the contract team; a team the league does not have (a damaged file)
    // is charged nothing.
    if (rec.contractTeam >= 0 && rec.contractTeam < numTeams) {
        c.contractTeam = rec.contractTeam;
        c.bonusCharge = ContractTeamCharge(rec, freeAgent, 0);
        // 3. Bonus money of contracts signed this season.
        if (rec.yrSigned == currentSeason && (team >= 0 || freeAgent))
            c.bonusSpent = rec.bonus;
    }
    // 2. The current team pays the base share, or expects to pay the CGS.
    if (team >= 0) {
        c.team = team;
        if (PaysBase(rec))
            c.base = rec.YearCharge(0, Contract::BaseOnly, options, currentSeason);
        else
            c.estimatedOnly = rec.cgs;
    }
    return c;
}

void ContractList::AddCharges(std::vector<Sums>& sums, const PlayerCharges& charges, int sign) {
    if (charges.contractTeam >= 0 && charges.contractTeam < static_cast<int>(sums.size())) {
        Sums& s = sums[static_cast<std::size_t>(charges.contractTeam)];
        s.currentPayroll += sign * charges.bonusCharge;
        s.estimatedPayroll += sign * charges.bonusCharge;
        s.bonusSpent += sign * charges.bonusSpent;
    }
    if (charges.team >= 0 && charges.team < static_cast<int>(sums.size())) {
        Sums& s = sums[static_cast<std::size_t>(charges.team)];
        s.currentPayroll += sign * charges.base;
        s.estimatedPayroll += sign * (charges.base + charges.estimatedOnly);
    }
}

std::vector<ContractList::Sums> ContractList::SumTotals(const Places& places) const {
    std::vector<Sums> sums(teams.size());
    for (int id = kFirstID; id < count; ++id)
        AddCharges(sums, ChargesOf(records[id], places.team[id], places.freeAgent[id] != 0));
    return sums;
}

TeamInfo ContractList::Narrow(const Sums& sums) {
    TeamInfo info;
    info.bonusSpent = Clamp32(sums.bonusSpent);
    info.currentPayroll = Clamp32(sums.currentPayroll);
    info.estimatedPayroll = Clamp32(sums.estimatedPayroll);
    return info;
}

void ContractList::RecomputeTotals() {
    const std::vector<Sums> sums = SumTotals(LookUpPlaces());
    for (std::size_t t = 0; t < teams.size(); ++t) {
        const TeamInfo narrowed = Narrow(sums[t]);
        teams[t].bonusSpent = narrowed.bonusSpent;
        teams[t].currentPayroll = narrowed.currentPayroll;
        teams[t].estimatedPayroll = narrowed.estimatedPayroll;
    }
}

TeamInfo ContractList::GetTeamInfo(int team) const {
    if (team < 0 || team >= numTeams)
        return TeamInfo{};
    return teams[team];
}

TeamInfo* ContractList::GetTeamRecord(int team) {
    return (team < 0 || team >= numTeams) ? nullptr : &teams[team];
}

std::int32_t ContractList::BonusSpent(int team) const {
    return GetTeamInfo(team).bonusSpent;
}
std::int32_t ContractList::CurrentPayroll(int team) const {
    return GetTeamInfo(team).currentPayroll;
}
std::int32_t ContractList::EstimatedPayroll(int team) const {
    return GetTeamInfo(team).estimatedPayroll;
}
