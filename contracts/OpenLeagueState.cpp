#include "contracts/OpenLeagueState.h"

#include "contracts/ContractList.h"
#include "contracts/LeagueFileNames.h"
#include "league/League.h"
#include "league/SystemFiles.h"

OpenLeagueState::OpenLeagueState() = default;

OpenLeagueState::~OpenLeagueState() = default;

bool OpenLeagueState::Fail(const std::string& what) {
    failure_ = what + " " + path_ + ": " + (league_ ? league_->GetLastError() : std::string());
    return false;
}

bool OpenLeagueState::OpenLeague(const std::string& path) {
    if (league_) {
        failure_ = "a league is open already";
        return false;
    }
    path_ = path;
    league_ = std::make_unique<League>();
    if (!league_->OpenLeague(path))
        return Fail("cannot open the league");
    opened_ = true;
    return true;
}

bool OpenLeagueState::ReadLeagueData() {
    if (!opened_ || read_) {
        failure_ = read_ ? "the league has been read already" : "no league is open";
        return false;
    }
    if (!league_->ReadLeagueData())
        return Fail("cannot read the league");
    read_ = true;
    return true;
}

bool OpenLeagueState::LoadOptions(Prompt& prompt) {
    optionsWriteError_.clear();
    if (!read_) {
        failure_ = "no league has been read";
        return false;
    }
    options_.Load(league_->GetLeagueFolder(), prompt);
    return options_.WritePending(&optionsWriteError_);
}

bool OpenLeagueState::ReadSalaryInfo(Prompt& prompt) {
    if (!read_ || contracts_) {
        failure_ = contracts_ ? "the salary information has been read already" : "no league has been read";
        return false;
    }
    contracts_ = std::make_unique<ContractList>(*league_, options_);
    salaryLoaded_ = contracts_->Load(prompt);
    return salaryLoaded_;
}

bool OpenLeagueState::OpenAndRead(const std::string& path) {
    return OpenLeague(path) && ReadLeagueData();
}

bool OpenLeagueState::Open(const std::string& path, Prompt& prompt) {
    if (!OpenAndRead(path))
        return false;
    LoadOptions(prompt);
    ReadSalaryInfo(prompt);
    return true;
}

std::string OpenLeagueState::GetFolder() const {
    return opened_ ? league_->GetLeagueFolder() : std::string();
}

bool OpenLeagueState::NamesLeagueFile(const std::string& path) const {
    return opened_ && NamesFileOfLeague(*league_, path);
}
