#include "league/League.h"

#include "league/ByteOrder.h"
#include "league/FileAccess.h"
#include "league/LeaguePaths.h"

#include <cstring>
#include <vector>

namespace {

constexpr int kTeamsBySizeCode[] = {8, 10, 12, 18, 28, 30};

// Header fields (offsets in the 82-byte header).
constexpr int kSizeCodeOffset = 0;
constexpr int kConferencesOffset = 1;
constexpr int kStageOffset = 3;
constexpr int kNextPlayerOffset = 8;
constexpr int kBaseSeasonOffset = 10;
constexpr int kSeasonOffsetOffset = 12;
constexpr int kNameOffset = 15;
constexpr int kHeaderFileOffset = 8;

// The lock file in the league's folder. The working copies have fixed names there, so two
// open leagues in one folder would overwrite each other's copies and write them back.
constexpr const char* kLockName = "~saltmp.lck";

// The fields every table of the league is sized from; anything else is not a league we can read.
bool HeaderIsUsable(const std::uint8_t* header) {
    const int sizeCode = static_cast<std::int8_t>(header[kSizeCodeOffset]);
    const int next = tolvik::readS16le(header + kNextPlayerOffset);
    return sizeCode >= 0 && sizeCode <= 5 && next >= 100;
}

// 2 or 3 for a known league tag, 0 otherwise.
int VersionOfTag(const std::uint8_t* tag) {
    if (std::memcmp(tag, "L02:", 4) == 0)
        return 2;
    if (std::memcmp(tag, "L03:", 4) == 0)
        return 3;
    return 0;
}

// Reads the league tag and the header from an open league file; false when either is unusable.
bool ReadTagAndHeader(int handle, int& version, std::uint8_t* header) {
    std::uint8_t tag[4];
    if (tolvik::FileSeek(handle, 0) != 0 || tolvik::FileRead(handle, tag, 4) != 4)
        return false;
    version = VersionOfTag(tag);
    if (version == 0)
        return false;
    if (tolvik::FileSeek(handle, kHeaderFileOffset) != kHeaderFileOffset ||
        tolvik::FileRead(handle, header, League::kHeaderSize) != League::kHeaderSize)
        return false;
    return HeaderIsUsable(header);
}

// True when both files hold the same bytes.
bool SameBytes(const std::string& a, const std::string& b) {
    const int ha = tolvik::FileOpen(a, tolvik::FileMode::Read);
    const int hb = tolvik::FileOpen(b, tolvik::FileMode::Read);
    bool same = ha > 0 && hb > 0 && tolvik::FileSize(ha) == tolvik::FileSize(hb);
    std::vector<std::uint8_t> bufA(64 * 1024), bufB(64 * 1024);
    while (same) {
        const int na = tolvik::FileRead(ha, bufA.data(), static_cast<int>(bufA.size()));
        const int nb = tolvik::FileRead(hb, bufB.data(), static_cast<int>(bufB.size()));
        same =
            na == nb && na >= 0 && std::memcmp(bufA.data(), bufB.data(), static_cast<std::size_t>(na)) == 0;
        if (na <= 0)
            break;
    }
    tolvik::FileClose(ha);
    tolvik::FileClose(hb);
    return same;
}

std::string DropLast(const std::string& text, std::size_t n) {
    return text.substr(0, text.size() >= n ? text.size() - n : 0);
}

} // namespace

League::League() : paths_(std::make_unique<Paths>()) {}

League::~League() {
    WriteBack();
    // Only now may another League use the folder's working-copy names.
    if (paths_->lock > 0)
        tolvik::UnlockFile(paths_->lock, paths_->lockPath);
    paths_->lock = 0;
}

std::string League::LeagueFileNameFromPath(const std::string& path) {
    return DropLast(tolvik::PathLeaf(path), 4);
}

std::string League::CompanionPath(const std::string& path, const std::string& extension) {
    return DropLast(path, 3) + extension;
}

std::string League::WorkPath(const std::string& name) const {
    return tolvik::PathJoin(paths_->folder, name);
}

bool League::MakeWorkingCopy(const std::string& source, const std::string& work, bool& made) {
    const std::string target = WorkPath(work);
    if (tolvik::CopyFileOver(source, target)) {
        made = true;
        return true;
    }
    // A copy that failed half-way leaves a working copy that is neither ours nor
    // anyone's data; it must not survive to be taken for a real one.
    if (tolvik::FileExists(source))
        tolvik::DeleteFile(target);
    return false;
}

bool League::OpenLeague(std::string path) {
    Paths& p = *paths_;
    // One League opens one league: a second open would lose track of the first copies.
    if (p.attempted)
        return false;
    p.attempted = true;

    // Keep the folder: later changes of the current directory must not move our files.
    p.folder = tolvik::AbsoluteFolder(tolvik::PathFolder(path));
    const std::string leaf = tolvik::PathLeaf(path);
    p.lgeTarget = tolvik::PathJoin(p.folder, leaf);
    p.baseLeaf = DropLast(leaf, 3);
    leagueFileName_ = LeagueFileNameFromPath(path);

    // One open league per folder, in this process or another: a folder in use is left
    // exactly as it is, and nothing is copied.
    p.lockPath = WorkPath(kLockName);
    p.lock = tolvik::LockFile(p.lockPath);
    if (p.lock <= 0) {
        p.lock = 0;
        lgeHandle_ = -1;
        return false;
    }

    if (!MakeWorkingCopy(p.lgeTarget, lgeWork_, p.lgeMade)) {
        lgeHandle_ = -1;
        return false;
    }
    lgeHandle_ = tolvik::FileOpen(WorkPath(lgeWork_), tolvik::FileMode::ReadWrite);
    if (lgeHandle_ <= 0) {
        lgeHandle_ = -1;
        return false;
    }
    int version = 0;
    std::uint8_t header[kHeaderSize];
    if (!ReadTagAndHeader(lgeHandle_, version, header))
        return false;
    p.stage = static_cast<signed char>(header[kStageOffset]);

    // Companion files are found whatever the case of their names; write-back goes to
    // the names found.
    const std::string pyc = tolvik::FindFileIgnoringCase(p.folder, p.baseLeaf + "pyc");
    if (!pyc.empty() && p.stage <= 4) {
        pycWork_ = "~saltmp.pyc";
        p.pycTarget = pyc;
        // An existing list we cannot copy would later be replaced by a new one: refuse instead.
        if (!MakeWorkingCopy(pyc, pycWork_, p.pycMade))
            return false;
        pycHandle_ = tolvik::FileOpen(WorkPath(pycWork_), tolvik::FileMode::ReadWrite);
        if (pycHandle_ <= 0) {
            pycHandle_ = -1;
            return false;
        }
    }

    const std::string pyf = tolvik::FindFileIgnoringCase(p.folder, p.baseLeaf + "pyf");
    if (!pyf.empty()) {
        pyfWork_ = "~saltmp.pyf";
        p.pyfTarget = pyf;
        if (!MakeWorkingCopy(pyf, pyfWork_, p.pyfMade))
            return false;
        pyfHandle_ = tolvik::FileOpen(WorkPath(pyfWork_), tolvik::FileMode::ReadWrite);
        if (pyfHandle_ <= 0) {
            pyfHandle_ = -1;
            return false;
        }
    }

    const std::string pyr = tolvik::FindFileIgnoringCase(p.folder, p.baseLeaf + "pyr");
    if (pyr.empty() || !MakeWorkingCopy(pyr, pyrWork_, p.pyrMade)) {
        pyrHandle_ = -1;
        return false;
    }
    p.pyrTarget = pyr;
    pyrHandle_ = tolvik::FileOpen(WorkPath(pyrWork_), tolvik::FileMode::ReadWrite);
    if (pyrHandle_ <= 0) {
        pyrHandle_ = -1;
        return false;
    }

    // The statistics are optional and never written back.
    const std::string dat = tolvik::FindFileIgnoringCase(p.folder, p.baseLeaf + "dat");
    datHandle_ = -1;
    if (!dat.empty() && MakeWorkingCopy(dat, datWork_, p.datMade))
        datHandle_ = tolvik::FileOpen(WorkPath(datWork_), tolvik::FileMode::ReadWrite);
    if (datHandle_ <= 0)
        datHandle_ = -1;

    p.opened = true;
    return true;
}

bool League::ReadLeagueData() {
    if (!paths_->opened || loaded_)
        return false;
    int version = 0;
    std::uint8_t header[kHeaderSize];
    if (!ReadTagAndHeader(lgeHandle_, version, header))
        return false;
    if (version == 2) {
        leagueTag_ = "L02:", teamTag_ = "T02:", rosterTag_ = "R01:", cTag_ = "C00:", dTag_ = "D00:";
        recordSize_ = Player::kVersion2RecordSize;
    } else {
        leagueTag_ = "L03:", teamTag_ = "T03:", rosterTag_ = "R03:", cTag_ = "C03:", dTag_ = "D03:";
        recordSize_ = Player::kRecordSize;
    }
    std::memcpy(header_.data(), header, kHeaderSize);
    headerRead_ = true;
    const char* name = reinterpret_cast<const char*>(header_.data() + kNameOffset);
    leagueName_.assign(name, ::strnlen(name, kHeaderSize - kNameOffset));

    ReadTeamData();
    ReadRosterData();

    players = PlayerList(GetNextPlayerID(), pyrHandle_, recordSize_);
    players.ReadData();

    if (pyfHandle_ > 0)
        ReadFreeAgent(pyfHandle_, freeAgents_);
    else
        freeAgents_.total = -1;
    if (pycHandle_ > 0)
        ReadFreeAgent(pycHandle_, draft_);
    else
        draft_.total = -1;

    loaded_ = true;
    ReadStatData();
    return true;
}

bool League::CloseLeague() {
    return true;
}

bool League::WriteLeague() {
    // Before the league was read there is nothing of ours to write, and writing the
    // lists from empty groups would erase them.
    if (!loaded_)
        return false;
    bool ok = WriteRosterData();
    // A list file we could not read is left as it is rather than replaced.
    if (pycHandle_ > 0 && draft_.hasArrays && draft_.readable)
        ok = WriteFreeAgent(pycHandle_, pycWork_, draft_) && ok;
    if (pyfHandle_ > 0 && freeAgents_.hasArrays && freeAgents_.readable)
        ok = WriteFreeAgent(pyfHandle_, pyfWork_, freeAgents_) && ok;
    return ok;
}

int League::CreateFreeAgentFile() {
    Paths& p = *paths_;
    if (!p.opened)
        return -1;
    for (auto& group : freeAgents_.ids)
        group.clear();
    // A working copy of an existing free-agent file gives way to the new file.
    tolvik::FileClose(pyfHandle_);
    if (p.pyfMade && pyfWork_ != "~saltemp.pyf")
        tolvik::DeleteFile(WorkPath(pyfWork_));
    p.pyfMade = false;
    pyfWork_ = "~saltemp.pyf";
    if (p.pyfTarget.empty())
        p.pyfTarget = tolvik::PathJoin(p.folder, p.baseLeaf + "pyf");
    pyfHandle_ = tolvik::FileCreate(WorkPath(pyfWork_));
    if (pyfHandle_ <= 0) {
        pyfHandle_ = -1;
        return -1;
    }
    p.pyfMade = true;
    return pyfHandle_;
}

void League::DropFreeAgentFile() {
    tolvik::FileClose(pyfHandle_);
    if (paths_->pyfMade)
        tolvik::DeleteFile(WorkPath(pyfWork_));
    paths_->pyfMade = false;
    pyfHandle_ = 0;
    pyfWork_.clear();
    for (auto& group : freeAgents_.ids)
        group.clear();
    freeAgents_.hasArrays = false;
    freeAgents_.total = -1;
}

void League::WriteBack() {
    Paths& p = *paths_;
    // Close everything first; a working copy whose buffered bytes could not be written
    // is incomplete and must not reach the league's files.
    // A working copy nothing was written to still holds what it was copied from: it goes
    // without being compared or copied back.
    const bool lgeWritten = tolvik::FileModified(lgeHandle_);
    const bool pyrWritten = tolvik::FileModified(pyrHandle_);
    const bool pyfWritten = tolvik::FileModified(pyfHandle_);
    const bool pycWritten = tolvik::FileModified(pycHandle_);
    const bool lgeClosed = tolvik::FileClose(lgeHandle_);
    const bool pyrClosed = tolvik::FileClose(pyrHandle_);
    const bool pyfClosed = tolvik::FileClose(pyfHandle_);
    const bool pycClosed = tolvik::FileClose(pycHandle_);
    tolvik::FileClose(datHandle_);
    lgeHandle_ = pyrHandle_ = pyfHandle_ = pycHandle_ = datHandle_ = 0;

    // Copies back over the league's file (atomically) and removes the working copy. A file
    // that still holds the working copy's bytes is left as it is: same content, without
    // the cost and the risk of replacing it. A working copy whose write-back failed is
    // kept: it holds the only copy of the changes.
    auto finish = [&](bool made, bool closed, bool due, const std::string& work, const std::string& target) {
        if (!made)
            return;
        const std::string workPath = WorkPath(work);
        if (p.opened && closed && due && !target.empty() && !SameBytes(workPath, target) &&
            !tolvik::ReplaceFileAtomically(workPath, target))
            return;
        tolvik::DeleteFile(workPath);
    };
    finish(p.lgeMade, lgeClosed, lgeWritten, lgeWork_, p.lgeTarget);
    finish(p.pyrMade, pyrClosed, pyrWritten, pyrWork_, p.pyrTarget);
    finish(p.pycMade, pycClosed, pycWritten && p.stage <= 4, pycWork_, p.pycTarget);
    finish(p.pyfMade, pyfClosed, pyfWritten, pyfWork_, p.pyfTarget);
    finish(p.datMade, true, false, datWork_, "");
    p.lgeMade = p.pyrMade = p.pycMade = p.pyfMade = p.datMade = false;
}

std::string League::GetLeagueName() const {
    return leagueName_;
}

std::string League::GetLeagueFileName() const {
    return leagueFileName_;
}

std::string League::GetLeagueFolder() const {
    return paths_->folder;
}

int League::GetNumTeams() const {
    if (!headerRead_)
        return 0;
    return kTeamsBySizeCode[static_cast<std::int8_t>(header_[kSizeCodeOffset])];
}

int League::GetNumConf() const {
    return static_cast<std::int8_t>(header_[kConferencesOffset]);
}

int League::GetCurrentSeason() const {
    return tolvik::readS16le(header_.data() + kBaseSeasonOffset) +
           static_cast<std::int8_t>(header_[kSeasonOffsetOffset]);
}

char League::GetCurrentStage() const {
    return static_cast<char>(header_[kStageOffset]);
}

short League::GetNextPlayerID() const {
    return tolvik::readS16le(header_.data() + kNextPlayerOffset);
}

int League::GetPYRHandle() const {
    return pyrHandle_;
}

int League::GetVersion() const {
    if (!headerRead_)
        return 0;
    return recordSize_ == Player::kVersion2RecordSize ? 2 : 3;
}
