#pragma once

#include "contracts/Options.h"

#include <memory>
#include <string>

class ContractList;
class League;
class Prompt;

// The state of one open league: the League (its folder locked, its files read), the options
// of its folder and its contract list, built in the order they depend on each other and
// released together (the list first, then the League, then the options). The program's main
// window and every command of brevane-cli open a league through it.
//
// Opening runs in steps, so that a caller can say what it is doing between them:
//   OpenLeague        the folder's lock and the working copies (League::OpenLeague)
//   ReadLeagueData    header, teams, rosters, players, lists
//   LoadOptions       "salreg" of the league's folder; defaults due to a folder without one are
//                     written only now, once the folder is locked and holds a readable league
//   ReadSalaryInfo    the contract list, from the salary information file (or built)
// Each step runs only after the one before it succeeded; a failed step leaves its reason in
// GetFailure.
class OpenLeagueState {
  public:
    OpenLeagueState();
    ~OpenLeagueState();
    OpenLeagueState(const OpenLeagueState&) = delete;
    OpenLeagueState& operator=(const OpenLeagueState&) = delete;

    bool OpenLeague(const std::string& path);
    bool ReadLeagueData();
    // False when defaults were due and could not be written (OptionsWriteError says why);
    // the options are usable all the same. Run again after the options window saved them.
    bool LoadOptions(Prompt& prompt);
    // True when the salary information was read, converted or built; false when the list
    // holds default records (opening goes on either way).
    bool ReadSalaryInfo(Prompt& prompt);

    // The two league steps, for the commands that need no options.
    bool OpenAndRead(const std::string& path);
    // Every step; false only when the league cannot be opened or read.
    bool Open(const std::string& path, Prompt& prompt);

    // Why the last step that failed did, as a sentence without a leading capital
    // ("cannot open the league /l/my.lge: the folder is in use by another program").
    const std::string& GetFailure() const { return failure_; }
    // Why the options could not be written ("" when they were, or nothing was due).
    const std::string& OptionsWriteError() const { return optionsWriteError_; }

    // The league's data has been read and the contract list made.
    bool IsLoaded() const { return contracts_ != nullptr; }
    bool IsSalaryLoaded() const { return salaryLoaded_; }

    // Valid once the step that makes them succeeded: the League after OpenLeague, the
    // contract list after ReadSalaryInfo.
    League& GetLeague() const { return *league_; }
    Options& GetOptions() { return options_; }
    const Options& GetOptions() const { return options_; }
    ContractList& GetContracts() const { return *contracts_; }
    // The absolute folder of the league ("" before OpenLeague succeeded).
    std::string GetFolder() const;
    // Whether path names a file of the open league (NamesFileOfLeague); false before
    // OpenLeague succeeded.
    bool NamesLeagueFile(const std::string& path) const;

  private:
    bool Fail(const std::string& what);

    // Declared in the order they are made; released in the reverse order.
    Options options_;
    std::unique_ptr<League> league_;
    std::unique_ptr<ContractList> contracts_;
    std::string path_;
    bool opened_ = false;
    bool read_ = false;
    bool salaryLoaded_ = false;
    std::string failure_;
    std::string optionsWriteError_;
};
