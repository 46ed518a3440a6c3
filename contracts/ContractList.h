#pragma once

#include "contracts/Contract.h"
#include "contracts/TeamInfo.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Commissioner;
class League;
class Options;
class Prompt;

// The contract record of every player of the open league and the per-club totals, kept
// in the salary information file (league name + ".FRO") in the league's folder.
class ContractList {
  public:
    static constexpr std::int16_t kMagic = 1968;
    static constexpr std::int16_t kVersion = 2;
    static constexpr int kHeaderSize = 6;
    static constexpr int kFirstID = 100;

    // Bound to a league whose data has been read, and to the options; both must outlive the list.
    ContractList(League& league, const Options& options);
    ~ContractList();
    ContractList(const ContractList&) = delete;
    ContractList& operator=(const ContractList&) = delete;

    // Reads the salary information file; when it is missing, offers to convert the sibling
    // .SAL file or to build the information from the league. Recomputes the totals. A file
    // of a league with another number of teams (whose records all lie shifted) is not
    // taken: GetLoadError says so.
    bool Load(Prompt& prompt);
    const std::string& GetLoadError() const { return loadError_; }
    // Writes the salary information file (version 2), replacing it atomically and keeping
    // the bytes of an existing file beyond what is rewritten. False when it cannot be written
    // (GetSaveError says why); an existing file that cannot be read, or that Load did not
    // take, is not written over.
    bool Save();
    // Why the last Save failed, as "cannot write NAME.FRO: disk full"; "" when none failed.
    const std::string& GetSaveError() const { return saveError_; }
    // Fills the records from the sibling .SAL file, then saves.
    bool Convert(Prompt& prompt);
    // Generates every CGS, assigns every status by experience (or retired), then saves.
    bool Build();

    int Count() const { return count_; }
    int GetNumTeams() const { return numTeams_; }
    const std::string& GetLeagueName() const { return leagueName_; }

    // A copy of the record of player id; a default record outside 100 <= id < Count().
    Contract GetContract(int id) const;
    // The record itself, for direct changes; null outside 100 <= id < Count().
    Contract* GetRecord(int id);
    const Contract* GetRecord(int id) const;
    void SetCGS(int id, std::uint32_t value);

    // The charge of player id's contract (Contract::YearCharge with this league's options and season).
    std::int32_t YearCharge(int id, int yearSel, int part) const;

    void RecomputeTotals();

    // What one player adds to the club totals: step by step as RecomputeTotals counts it.
    struct PlayerCharges {
        int contractTeam = -1;          // the club holding his contract; -1 for none or one the league lacks
        std::int64_t bonusCharge = 0;   // to contractTeam's current and estimated payroll
        int team = -1;                  // the club whose roster he is on, -1 for none
        std::int64_t base = 0;          // to team's current and estimated payroll
        std::int64_t estimatedOnly = 0; // to team's estimated payroll only (his CGS)
        std::int64_t bonusSpent = 0;    // to contractTeam's bonus money spent
    };
    // The charges of a record for a player on roster `team` (-1 none) who is or is not
    // listed as a free agent.
    PlayerCharges ChargesOf(const Contract& rec, int team, bool freeAgent) const;
    // The club totals before they are narrowed to 32 bits.
    struct Sums {
        std::int64_t bonusSpent = 0, currentPayroll = 0, estimatedPayroll = 0;
    };
    // Adds (sign 1) or takes away (sign -1) one player's charges; sums holds one entry per club.
    static void AddCharges(std::vector<Sums>& sums, const PlayerCharges& charges, int sign = 1);
    // A club's totals as TeamInfo keeps them: each clamped to 32 bits.
    static TeamInfo Narrow(const Sums& sums);
    // The charge of a contract to the club holding it in one contract year (yearSel as
    // Contract::YearCharge): the bonus share, or for a free agent's one-year contract whose
    // bonus is below the minimum the penalty share of its base; retired players only when
    // the options include them.
    std::int64_t ContractTeamCharge(const Contract& rec, bool freeAgent, int yearSel) const;
    // Whether the player's current club pays his base share (else it expects to pay his CGS).
    static bool PaysBase(const Contract& rec);
    // A copy of the club's information; zeros for a team number outside the league.
    TeamInfo GetTeamInfo(int team) const;
    std::int32_t BonusSpent(int team) const;
    std::int32_t CurrentPayroll(int team) const;
    std::int32_t EstimatedPayroll(int team) const;
    // The counters of a club as they will be saved (the offer list counts restructures on).
    TeamInfo* GetTeamRecord(int team);

    const std::array<std::uint8_t, kHeaderSize>& GetHeader() const { return header_; }

    League& GetLeague() const { return league_; }
    const Options& GetOptions() const { return options_; }
    Commissioner& GetCommissioner() { return *commissioner_; }
    const Commissioner& GetCommissioner() const { return *commissioner_; }
    int GetCurrentSeason() const { return currentSeason_; }

    // Where the league's players are: the team of each ID (-1 for none; as League::FindTeam,
    // the lowest team holding him) and whether he is listed as a free agent or draft
    // prospect (as League::IsFreeAgent), found in one pass over the rosters and lists.
    struct Places {
        std::vector<std::int8_t> team;
        std::vector<std::uint8_t> freeAgent;
    };
    Places LookUpPlaces() const;
    // Every club's totals with the players where places puts them.
    std::vector<Sums> SumTotals(const Places& places) const;

    // The salary information file and the sibling file: an existing name found ignoring
    // case, else the exact name in the league's folder.
    std::string SalaryInfoPath() const;
    std::string SiblingPath() const;

  private:
    bool MissingFile(Prompt& prompt);
    // The number of teams, other than this league's, of the league a file's records were
    // written for, when they lie shifted here and fit that count; 0 when they are this league's.
    int TeamsTheRecordsFit(const std::vector<std::uint8_t>& bytes, std::size_t countersPerTeam) const;
    // The status a player gets when one is first assigned: by experience when he is on a
    // team or a free agent, else retired.
    std::uint8_t FirstStatus(int id, const Places& places) const;

    League& league_;
    const Options& options_;
    std::unique_ptr<Commissioner> commissioner_;
    int file_ = 0; // handle of the salary file while it is read
    int count_ = 0;
    int numTeams_ = 0;
    int currentSeason_ = 0;
    std::string leagueName_;
    std::string folder_;
    std::array<std::uint8_t, kHeaderSize> header_{};
    const std::string extFro_ = ".FRO";
    const std::string extSal_ = ".SAL";
    std::vector<Contract> records_;
    std::vector<TeamInfo> teams_;
    std::string saveError_;
    std::string loadError_;
    bool fileTaken_ = false; // the file on disk is the one read, or one written by this list
};
