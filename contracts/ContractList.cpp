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

std::int32_t Clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace

ContractList::ContractList(League& leagueRef, const Options& optionsRef)
    : league_(leagueRef), options_(optionsRef), commissioner_(std::make_unique<Commissioner>(*this)),
      count_(leagueRef.GetNextPlayerID()), numTeams_(leagueRef.GetNumTeams()),
      currentSeason_(leagueRef.GetCurrentSeason()), leagueName_(leagueRef.GetLeagueFileName()),
      folder_(leagueRef.GetLeagueFolder()) {
    header_ = {};
    tolvik::writeS16le(header_.data(), kMagic);
    tolvik::writeS16le(header_.data() + 2, kVersion);
    records_.assign(static_cast<std::size_t>(std::max(count_, 0)), Contract(currentSeason_));
    teams_.assign(static_cast<std::size_t>(std::max(numTeams_, 0)), TeamInfo{});
}

ContractList::~ContractList() {
    if (file_ > 0)
        tolvik::FileClose(file_);
}

std::string ContractList::SalaryInfoPath() const {
    std::string found = tolvik::FindFileIgnoringCase(folder_, leagueName_ + extFro_);
    return found.empty() ? tolvik::PathJoin(folder_, leagueName_ + extFro_) : found;
}

std::string ContractList::SiblingPath() const {
    std::string found = tolvik::FindFileIgnoringCase(folder_, leagueName_ + extSal_);
    return found.empty() ? tolvik::PathJoin(folder_, leagueName_ + extSal_) : found;
}

ContractList::Places ContractList::LookUpPlaces() const {
    Places places;
    const auto size = static_cast<std::size_t>(std::max(count_, 0));
    places.team.assign(size, -1);
    places.freeAgent.assign(size, 0);
    // Later teams never overwrite an earlier one, so the lowest team number wins.
    for (int t = 0; t < numTeams_; ++t) {
        const short* roster = league_.GetRoster(t);
        if (!roster)
            continue;
        for (int slot = 0; slot < Roster::kSlots; ++slot) {
            const int id = roster[slot];
            if (id >= 0 && id < count_ && places.team[id] < 0)
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
                if (ids[k] >= 0 && ids[k] < count_)
                    places.freeAgent[ids[k]] = 1;
        }
    };
    mark(
        league_.GetFreeAgentTotal(), [&](int g) { return league_.GetFreeAgents(g); },
        [&](int g) { return league_.GetNumFreeAgents(g); });
    mark(
        league_.GetCollegeDraftTotal(), [&](int g) { return league_.GetCollegeDraft(g); },
        [&](int g) { return league_.GetNumCollegeDraft(g); });
    return places;
}

std::uint8_t ContractList::FirstStatus(int id, const Places& places) const {
    if (places.team[id] < 0 && !places.freeAgent[id])
        return Contract::Retired;
    const int experience = league_.players.GetPlayer(static_cast<short>(id)).GetYears();
    return Contract::FreeAgentKind(experience, options_);
}

bool ContractList::Load(Prompt& prompt) {
    loadError_.clear();
    if (tolvik::FindFileIgnoringCase(folder_, leagueName_ + extFro_).empty() && !MissingFile(prompt))
        return false;
    fileTaken_ = false;

    file_ = tolvik::FileOpen(SalaryInfoPath(), tolvik::OpenHow::Read);
    if (file_ <= 0) {
        file_ = 0;
        return false;
    }
    const std::size_t recordBytes =
        static_cast<std::size_t>(std::max(count_ - kFirstID, 0)) * Contract::kRecordSize;
    const std::size_t limit = kHeaderSize + 2 * static_cast<std::size_t>(numTeams_) + recordBytes;
    std::vector<std::uint8_t> bytes;
    tolvik::ReadFromStart(file_, bytes, limit);
    tolvik::FileClose(file_);
    file_ = 0;

    tolvik::ByteReader in(bytes.data(), bytes.size());
    std::int16_t magic = 0;
    std::int16_t version = 0;
    if (!in.readS16le(magic) || magic != kMagic || !in.readS16le(version))
        return false;
    if (version != 1 && version != 2)
        return false;
    std::copy(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), kHeaderSize),
              header_.begin());
    in.Seek(std::min<std::size_t>(bytes.size(), kHeaderSize));

    // Counters that the file does not hold (version 1, or a short file) are 0.
    for (auto& team : teams_)
        team.restructures = team.counter2 = 0;
    for (auto& team : teams_)
        in.readU8(team.restructures);
    if (version == 2)
        for (auto& team : teams_)
            in.readU8(team.counter2);

    // The records of a file written for a league of another number of teams lie shifted, each
    // then naming another player: such a file is known by the team count at which its records
    // do name their own players, and is not taken.
    const std::size_t countersPerTeam = version == 2 ? 2 : 1;
    if (const int teams = TeamsTheRecordsFit(bytes, countersPerTeam); teams > 0) {
        loadError_ =
            "the salary information file " + tolvik::NativeLeaf(tolvik::NativePath(SalaryInfoPath())) +
            " does not belong to this league: its records are those of a league of " + std::to_string(teams) +
            " teams, and this league has " + std::to_string(numTeams_) + "; it was left as it is";
        return false;
    }

    for (int id = kFirstID; id < count_; ++id) {
        // Start from the default record; bytes that did not arrive keep its values.
        std::uint8_t raw[Contract::kRecordSize];
        Contract(currentSeason_).Encode(raw);
        const std::size_t avail = std::min<std::size_t>(in.Remaining(), Contract::kRecordSize);
        in.readBytes(raw, avail);
        Contract record = Contract::Decode(raw, sizeof raw);
        if (record.playerID != id)
            record.playerID = static_cast<std::int16_t>(id);
        records_[id] = record;
    }
    fileTaken_ = true;

    RecomputeTotals();
    return true;
}

int ContractList::TeamsTheRecordsFit(const std::vector<std::uint8_t>& bytes,
                                     std::size_t countersPerTeam) const {
    // Of the whole records from `start` on, how many there are and how many name their player.
    struct Fit {
        int whole = 0;
        int own = 0;
    };
    auto fitAt = [&](std::size_t start) {
        Fit fit;
        for (int id = kFirstID; id < count_; ++id) {
            const std::size_t at = start + static_cast<std::size_t>(id - kFirstID) * Contract::kRecordSize;
            if (at + Contract::kRecordSize > bytes.size())
                break;
            ++fit.whole;
            fit.own += tolvik::readS16le(bytes.data() + at) == id;
        }
        return fit;
    };
    // Ten records at least, and most naming another player where this league reads them: a
    // stored identifier that differs here and there is simply corrected.
    constexpr int kEnough = 10;
    const Fit here = fitAt(kHeaderSize + countersPerTeam * static_cast<std::size_t>(numTeams_));
    if (here.whole < kEnough || here.own * 2 >= here.whole)
        return 0;
    constexpr int kMostTeams = 64;
    for (int teams = 1; teams <= kMostTeams; ++teams) {
        const Fit there = fitAt(kHeaderSize + countersPerTeam * static_cast<std::size_t>(teams));
        if (teams != numTeams_ && there.whole >= kEnough && there.own * 10 >= there.whole * 9)
            return teams;
    }
    return 0;
}

bool ContractList::MissingFile(Prompt& prompt) {
    if (!tolvik::FindFileIgnoringCase(folder_, leagueName_ + extSal_).empty() &&
        prompt.AskYesNo("Sondrel Salary file found.  Would you like to convert it?", "Convert File?"))
        return Convert(prompt);
    if (!prompt.AskYesNo("Would you like to create Salary Information Now?", "Build Salary Info?"))
        return false;
    return Build();
}

bool ContractList::Convert(Prompt& prompt) {
    std::vector<std::uint8_t> bytes;
    tolvik::ReadFileStart(SiblingPath(), bytes, std::numeric_limits<std::size_t>::max());
    constexpr std::size_t kSize = Contract::kSiblingRecordSize;
    if (bytes.size() < kSize || tolvik::readU16le(bytes.data()) != 300) {
        prompt.ShowMessage("Invalid SAL File", "Convert Error");
        return false;
    }
    const Places places = LookUpPlaces();
    for (std::size_t at = kSize; at + kSize <= bytes.size(); at += kSize) {
        Contract record = Contract::FromSibling(bytes.data() + at, kSize);
        // The sibling numbers teams from 1 with 0 for none; ours from 0 with 255 for none.
        record.contractTeam = static_cast<std::int8_t>(static_cast<std::uint8_t>(record.contractTeam) - 1);
        if (record.years > 1)
            record.status = Contract::UnderContract;
        if (record.status == Contract::FranchisePlayer || record.status == Contract::TransitionPlayer) {
            record.years = 1;
            record.salary = record.cgs;
        }
        const int id = static_cast<std::uint16_t>(record.playerID);
        if (id < kFirstID || id >= count_)
            continue; // no slot for it in this league
        records_[id] = record;
        if (record.years == 0)
            records_[id].status = FirstStatus(id, places);
    }
    return Save();
}

bool ContractList::Build() {
    commissioner_->Generate();
    const Places places = LookUpPlaces();
    for (int id = kFirstID; id < count_; ++id) {
        records_[id].playerID = static_cast<std::int16_t>(id);
        records_[id].status = FirstStatus(id, places);
    }
    return Save();
}

bool ContractList::Save() {
    const std::string path = SalaryInfoPath();
    const bool exists = tolvik::FileExists(path);
    saveError_.clear();
    // A file Load refused (another league's, or no salary information at all) holds what
    // this list never saw: it is not written over.
    if (exists && !fileTaken_) {
        saveError_ = tolvik::NativeLeaf(tolvik::NativePath(path)) +
                     " was not read as this league's salary information; it was left as it is";
        return false;
    }
    if (!exists) {
        header_ = {};
        tolvik::writeS16le(header_.data(), kMagic);
        tolvik::writeS16le(header_.data() + 2, kVersion);
        for (auto& team : teams_)
            team.restructures = team.counter2 = 0;
    }
    if (tolvik::readS16le(header_.data() + 2) == 1)
        tolvik::writeS16le(header_.data() + 2, kVersion);

    std::vector<std::uint8_t> out;
    const std::size_t recordCount = static_cast<std::size_t>(std::max(count_ - kFirstID, 0));
    out.reserve(kHeaderSize + 2 * teams_.size() + recordCount * Contract::kRecordSize);
    tolvik::ByteWriter w(out);
    w.writeBytes(header_.data(), header_.size());
    for (const auto& team : teams_)
        w.writeU8(team.restructures);
    for (const auto& team : teams_)
        w.writeU8(team.counter2);
    const std::size_t recordsAt = out.size();
    out.resize(recordsAt + recordCount * Contract::kRecordSize);
    for (int id = kFirstID; id < count_; ++id)
        records_[id].Encode(out.data() + recordsAt +
                            static_cast<std::size_t>(id - kFirstID) * Contract::kRecordSize);

    const std::string name = tolvik::NativeLeaf(tolvik::NativePath(path));
    if (exists) {
        // The file was rewritten in place: whatever lay beyond the new content stays. A file
        // whose bytes cannot be read would lose them, and is left as it is.
        std::vector<std::uint8_t> old;
        tolvik::FileError error = tolvik::FileError::None;
        if (!tolvik::ReadFileStart(path, old, std::numeric_limits<std::size_t>::max(), &error)) {
            saveError_ =
                "cannot read " + name + ": " + tolvik::FileErrorText(error) + "; it was left as it is";
            return false;
        }
        if (old.size() > out.size())
            out.insert(out.end(), old.begin() + static_cast<std::ptrdiff_t>(out.size()), old.end());
    }
    tolvik::FileError error = tolvik::FileError::None;
    if (tolvik::WriteFileAtomically(path, out.data(), out.size(), &error)) {
        fileTaken_ = true;
        return true;
    }
    saveError_ = "cannot write " + name + ": " + tolvik::FileErrorText(error);
    return false;
}

Contract ContractList::GetContract(int id) const {
    if (id < kFirstID || id >= count_)
        return Contract(currentSeason_);
    return records_[id];
}

Contract* ContractList::GetRecord(int id) {
    return (id < kFirstID || id >= count_) ? nullptr : &records_[id];
}

const Contract* ContractList::GetRecord(int id) const {
    return (id < kFirstID || id >= count_) ? nullptr : &records_[id];
}

void ContractList::SetCGS(int id, std::uint32_t value) {
    if (Contract* record = GetRecord(id))
        record->cgs = value;
}

std::int32_t ContractList::YearCharge(int id, int yearSel, int part) const {
    return GetContract(id).YearCharge(yearSel, part, options_, currentSeason_);
}

std::int64_t ContractList::ContractTeamCharge(const Contract& rec, bool freeAgent, int yearSel) const {
    if (freeAgent && rec.years == 1) {
        // A one-year contract: the bonus share when the bonus is big enough, else the penalty.
        const double pct = rec.salary == 0 ? 0.0 : static_cast<double>(rec.bonus) / rec.salary * 100.0;
        if (pct >= options_.min)
            return rec.FullYearCharge(yearSel, Contract::BonusOnly, options_, currentSeason_);
        return rec.FullYearCharge(1, Contract::BaseOnly, options_, currentSeason_) * options_.penalty / 100;
    }
    if (rec.contractTeam >= 0 && (rec.status != Contract::Retired || options_.add_retired))
        return rec.FullYearCharge(yearSel, Contract::BonusOnly, options_, currentSeason_);
    return 0;
}

bool ContractList::PaysBase(const Contract& rec) {
    return rec.salary != 0 && rec.status != Contract::Tendered;
}

ContractList::PlayerCharges ContractList::ChargesOf(const Contract& rec, int team, bool freeAgent) const {
    PlayerCharges c;
    // 1. The charge to the contract team; a team the league does not have (a damaged file)
    // is charged nothing.
    if (rec.contractTeam >= 0 && rec.contractTeam < numTeams_) {
        c.contractTeam = rec.contractTeam;
        c.bonusCharge = ContractTeamCharge(rec, freeAgent, 0);
        // 3. Bonus money of contracts signed this season.
        if (rec.yrSigned == currentSeason_ && (team >= 0 || freeAgent))
            c.bonusSpent = rec.bonus;
    }
    // 2. The current team pays the base share, or expects to pay the CGS.
    if (team >= 0) {
        c.team = team;
        if (PaysBase(rec))
            c.base = rec.FullYearCharge(0, Contract::BaseOnly, options_, currentSeason_);
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
    std::vector<Sums> sums(teams_.size());
    for (int id = kFirstID; id < count_; ++id)
        AddCharges(sums, ChargesOf(records_[id], places.team[id], places.freeAgent[id] != 0));
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
    for (std::size_t t = 0; t < teams_.size(); ++t) {
        const TeamInfo narrowed = Narrow(sums[t]);
        teams_[t].bonusSpent = narrowed.bonusSpent;
        teams_[t].currentPayroll = narrowed.currentPayroll;
        teams_[t].estimatedPayroll = narrowed.estimatedPayroll;
    }
}

TeamInfo ContractList::GetTeamInfo(int team) const {
    if (team < 0 || team >= numTeams_)
        return TeamInfo{};
    return teams_[team];
}

TeamInfo* ContractList::GetTeamRecord(int team) {
    return (team < 0 || team >= numTeams_) ? nullptr : &teams_[team];
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
