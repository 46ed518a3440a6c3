#include "contracts/OpenLeagueState.h"

#include "contracts/ContractList.h"
#include "league/FilePaths.h"
#include "league/League.h"
#include "league/SystemFiles.h"

#include <vector>

namespace {

bool SameEntry(const tolvik::FileInfo& a, const tolvik::FileInfo& b) {
    return a.exists && b.exists && a.device == b.device && a.inode == b.inode;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           tolvik::SameNameIgnoringCase(text.substr(0, prefix.size()), prefix);
}

} // namespace

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
    if (!opened_)
        return false;
    const std::string folder = GetFolder();
    const std::string base = league_->GetLeagueFileName();
    std::vector<std::string> names;
    for (const char* ending :
         {".lge", ".pyr", ".pyc", ".pyf", ".dat", ".FRO", ".SAL", "-recovered.off", "-recovered.cgs"})
        names.push_back(base + ending);
    names.emplace_back(Options::kFileName);
    // The working copies, journal and lock ("~saltmp.*", the free agents' "~saltemp.pyf") and
    // a write-back's temporary files ("~salnew.*.tmp").
    const char* const prefixes[] = {"~saltmp.", "~saltemp.", "~salnew."};

    const std::string native = tolvik::NativePath(path);
    const std::string leaf = tolvik::NativeLeaf(native);
    const std::string targetFolder = tolvik::NativeFolder(native);
    if (SameEntry(tolvik::StatPath(targetFolder.empty() ? "." : targetFolder, true),
                  tolvik::StatPath(folder, true))) {
        for (const std::string& name : names)
            if (tolvik::SameNameIgnoringCase(leaf, name))
                return true;
        for (const char* prefix : prefixes)
            if (StartsWithIgnoringCase(leaf, prefix))
                return true;
    }

    // Another path to one of them: a hard link, a link to the file, a link to the folder.
    const tolvik::FileInfo target = tolvik::StatPath(native, true);
    if (!target.exists)
        return false;
    for (const char* work : {"~saltmp.lge", "~saltmp.pyr", "~saltmp.pyc", "~saltmp.pyf", "~saltemp.pyf",
                             "~saltmp.dat", "~saltmp.jnl", "~saltmp.lck"})
        names.emplace_back(work);
    for (const std::string& found : tolvik::FindFilesIgnoringCase(folder, names))
        if (!found.empty() && SameEntry(tolvik::StatPath(found, true), target))
            return true;
    return false;
}
