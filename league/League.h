#pragma once

#include "league/Player.h"
#include "league/PlayerList.h"
#include "league/Roster.h"
#include "league/SystemFiles.h"
#include "league/TolvikExport.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class StatList;
class StatTable;
namespace tolvik {
class FolderLock;
}
// Releases a statistics table and every list and line it owns. The statistics reading
// (stats/LeagueStats.cpp) hands it over with each table it makes, so that league/ itself
// needs nothing of stats/.
using StatTableDeleter = void (*)(StatTable* table);

// One list file (free agents or college draft) held as nine position groups.
struct TOLVIK_EXPORT PlayerGroups {
    static constexpr int kGroups = 9;
    // The valid identifiers of each group, in list order. The arrays start with room for
    // next player identifier / 4 entries and grow when a group needs more.
    std::array<std::vector<std::int16_t>, kGroups> ids;
    // False until a list was read into the groups (a list file with a wrong tag leaves it false).
    bool hasArrays = false;
    // Entries N of the file when read (kept up to date by roster moves); -1 for no such file.
    int total = -1;
    // False when the file could not be read as a list; such a file is never rewritten.
    bool readable = true;

    int Count(int group) const;
};

// The entry point to one league of the game: opens the league file and its companions
// through working copies in the league's folder, reads them, and writes the changed copies
// back over the league's own files, all of them or none, at CloseLeague and when it is
// destroyed. Every operation that fails leaves its reason in GetLastError.
class TOLVIK_EXPORT League {
  public:
    static constexpr int kHeaderSize = 82;
    static constexpr int kTeamRecordSize = 171;

    League();
    ~League();
    League(const League&) = delete;
    League& operator=(const League&) = delete;

    // Container (league file, header, working copies).
    // Takes the folder's lock, completes or discards a write-back that a killed program
    // left, and makes the working copies. Nothing in the folder is touched before the lock
    // is held, and no file is replaced or removed that this League did not make.
    bool OpenLeague(std::string path);
    // Opens under a lock of the league's folder that the caller already holds (a writer that
    // prepares the league's files first, under the same lock). Call before OpenLeague.
    void SetFolderLock(std::shared_ptr<tolvik::FolderLock> lock);
    bool ReadLeagueData();
    // Writes the changed working copies back over the league's files as one: true when the
    // league's files now hold every change written to the working copies (also when there
    // was nothing to write), false with the reason when none of them was changed. The League
    // stays open; the destructor writes back what changes after this.
    bool CloseLeague();
    bool WriteLeague();
    // Why the last operation that failed did ("" when none failed): a short text such as
    // "the folder is in use by another program" or "cannot write back my.lge: disk full".
    std::string GetLastError() const;
    std::string GetLeagueName() const;
    std::string GetLeagueFileName() const;
    // The absolute folder of the league file, where the working copies, the salary files
    // and the options file of this league lie.
    std::string GetLeagueFolder() const;
    // The folders whose lock the open league holds: its own, and those that links among its
    // files lead into (each holds a lock file, and during a write-back its temporaries).
    std::vector<std::string> GetLockedFolders() const;
    int GetNumTeams() const;
    int GetNumConf() const;
    int GetCurrentSeason() const;
    char GetCurrentStage() const;
    short GetNextPlayerID() const;
    int GetPYRHandle() const;
    int GetVersion() const; // 2 or 3 after ReadLeagueData, 0 before
    const std::uint8_t* GetHeader() const { return header_.data(); }
    // The league file name of a path: the part after the last '/' or '\\' without its
    // last four characters ("C:\\g\\my.lge" gives "my").
    static std::string LeagueFileNameFromPath(const std::string& path);
    // The companion file of a league path: the path without its last three characters,
    // then the extension ("C:\\g\\my.lge" and "pyr" give "C:\\g\\my.pyr").
    static std::string CompanionPath(const std::string& path, const std::string& extension);

    // Teams and rosters.
    void ReadTeamData();
    void ReadRosterData();
    bool WriteTeamData();
    bool WriteRosterData();
    std::string GetTeamName(int team) const;
    std::string GetTeamAbbr(int team) const;
    short* GetRoster(int team);
    Roster* GetRosterRecord(int team);
    short* GetSortedRoster(int team);
    int FindTeam(short pid) const;

    // Free agents and college draft.
    void ReadFreeAgent(int handle, PlayerGroups& groups);
    bool WriteFreeAgent(int handle, const std::string& fileName, PlayerGroups& groups);
    int CreateFreeAgentFile();
    bool GetFAExists() const;
    bool GetCDExists() const;
    short* GetFreeAgents(int group);
    int GetNumFreeAgents(int group) const;
    short* GetCollegeDraft(int group);
    int GetNumCollegeDraft(int group) const;
    int GetFreeAgentTotal() const { return freeAgents_.total; }
    int GetCollegeDraftTotal() const { return draft_.total; }
    bool IsFreeAgent(short pid) const;
    static char GenPos2FAPos(Player::Pos general);
    bool MakeFreeAgent(short pid);
    bool MovePlayer(short pid, char team);
    static bool FindSlot(short pid, int firstSlot, int numSlots, short* rosterSlots);

    // Statistics. ReadStatData (League.cpp) marks the statistics file for reading; it is read
    // (stats/LeagueStats.cpp) when GetStats is first asked, so opening a league does not wait
    // for it, and each owner's list is made the first time it is asked for.
    void ReadStatData();
    StatList* GetStats(short id);

    // The players of the league, valid after ReadLeagueData.
    PlayerList players;

  private:
    // The files a League works on through copies, in the order OpenLeague copies them.
    enum class WorkFile { Lge, Pyc, Pyf, Pyr, Dat };
    static constexpr std::size_t kCopies = 5;
    struct Paths;
    // The handle and the working-copy name of each of them.
    int& HandleOf(WorkFile file);
    std::string& WorkNameOf(WorkFile file);
    bool Fail(const std::string& reason);
    // Records a failed write into a working copy: the copies no longer hold one consistent
    // league, so none of them may reach the league's files.
    bool WorkingCopyWriteFailed(const std::string& work, tolvik::FileError error);
    bool CommitChanges();
    // Copies the companion files (draft, free agents, players, statistics) and opens the copies.
    bool OpenCompanions();
    // Removes what a League that died left in a locked folder; fails on files of those names it did not make.
    bool ClearLeftovers(const tolvik::FolderLock& lock);
    // Locks the folders the league's files lead into through links, then finishes in every
    // locked folder what a program that died there left (journal, temporaries, working copies).
    bool SecureFolders();
    // Whether this League holds the lock of a folder (given with every link resolved);
    // mayLock takes it when it can. why says why not.
    bool HoldRealFolder(const std::string& realFolder, bool mayLock, std::string& why);
    void CloseWorkingCopies(bool keepChanged);
    void LoadStatData();
    // The path of a working copy (a plain name) in the league's folder.
    std::string WorkPath(const std::string& name) const;
    // Copies source to the working copy, which handle then holds open; made becomes true
    // when the copy is ours. False with a reason (handle untouched); error is Exists when the
    // working copy's name is taken already.
    bool MakeWorkingCopy(const std::string& source, const std::string& work, bool& made, const char* what,
                         tolvik::FileError& error, int& handle);
    // Undoes a free-agent file that CreateFreeAgentFile made but could not fill.
    void DropFreeAgentFile();
    bool IsValidPID(short pid) const;
    template <typename Body> void ScanChunks(const std::string& tag, Body&& body);

    // Working-file names (plain names in the league's folder).
    std::string lgeWork_ = "~saltmp.lge";
    std::string pyrWork_ = "~saltmp.pyr";
    std::string pyfWork_;
    std::string pycWork_;
    std::string datWork_ = "~saltmp.dat";

    // Tags of the league's version.
    std::string leagueTag_, cTag_, dTag_, teamTag_, rosterTag_;
    std::string listTag_ = "PPD:";

    std::string leagueName_;
    std::string leagueFileName_;
    int recordSize_ = Player::kRecordSize;
    std::array<std::uint8_t, kHeaderSize> header_{};
    bool headerRead_ = false;
    bool loaded_ = false; // ReadLeagueData succeeded

    std::vector<Roster> rosters_;
    std::vector<std::array<std::uint8_t, kTeamRecordSize>> teams_;

    PlayerGroups freeAgents_;
    PlayerGroups draft_;
    std::array<short, Roster::kSlots> sortedRoster_{};

    int lgeHandle_ = 0;
    int pyrHandle_ = 0;
    int pyfHandle_ = 0;
    int pycHandle_ = 0;
    int datHandle_ = 0;

    std::string lastError_;
    bool writeFailed_ = false; // a write into a working copy failed; its reason stays in writeError_
    std::string writeError_;

    std::unique_ptr<StatTable, StatTableDeleter> stats_{nullptr, nullptr};
    bool statsPending_ = false;
    std::unique_ptr<Paths> paths_;
};
