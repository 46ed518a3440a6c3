#include "league/League.h"

#include "league/ByteOrder.h"
#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/LeaguePaths.h"
#include "league/ReplaceJournal.h"

#include <algorithm>
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

// Every name the League makes in a folder begins with one of these; a league file of
// such a name would have its own file or a companion taken for a working copy.
constexpr const char* kWorkingPrefixes[] = {"~saltmp.", "~saltemp."};
// The working copies a League may make; a note in the folder's lock file names each
// before it is made, so the next holder knows what a League that died left.
constexpr const char* kWorkingNames[] = {"~saltmp.lge", "~saltmp.pyr",  "~saltmp.pyc",
                                         "~saltmp.pyf", "~saltemp.pyf", "~saltmp.dat"};
constexpr const char* kNotePrefix = "made ";

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

enum class HeaderCheck { Usable, UnknownTag, BadHeader };

// Reads the league tag and the header from an open league file.
HeaderCheck ReadTagAndHeader(int handle, int& version, std::uint8_t* header) {
    std::uint8_t tag[4];
    if (tolvik::FileSeek(handle, 0) != 0 || tolvik::FileRead(handle, tag, 4) != 4)
        return HeaderCheck::UnknownTag;
    version = VersionOfTag(tag);
    if (version == 0)
        return HeaderCheck::UnknownTag;
    if (tolvik::FileSeek(handle, kHeaderFileOffset) != kHeaderFileOffset ||
        tolvik::FileRead(handle, header, League::kHeaderSize) != League::kHeaderSize)
        return HeaderCheck::BadHeader;
    return HeaderIsUsable(header) ? HeaderCheck::Usable : HeaderCheck::BadHeader;
}

const char* HeaderFailure(HeaderCheck check) {
    return check == HeaderCheck::UnknownTag ? "not a league file of version 2 or 3"
                                            : "bad league header (cut short, or an unknown number of teams)";
}

bool IsWorkingName(const std::string& leaf) {
    for (const char* prefix : kWorkingPrefixes) {
        const std::string p = prefix;
        if (leaf.size() >= p.size() && tolvik::SameNameIgnoringCase(leaf.substr(0, p.size()), p))
            return true;
    }
    return false;
}

std::string NotOurs(const std::string& work) {
    return work + " is in the folder, and no program that died left it there (it may hold the changes of a "
                  "write-back that failed): move it away to open the league";
}

// The reason a write into the folder failed, in the user's terms.
std::string WriteFailure(tolvik::FileError error) {
    switch (error) {
    case tolvik::FileError::AccessDenied:
    case tolvik::FileError::ReadOnlyDisk:
        return "the folder is not writable";
    default:
        return tolvik::FileErrorText(error);
    }
}

// Why the folder's lock could not be taken. Without the lock the league is not opened at
// all: the working copies' names would be anybody's.
std::string LockFailure(tolvik::FileError error, const std::string& folder) {
    switch (error) {
    case tolvik::FileError::AccessDenied:
        // A lock file left by another user of the machine, in a folder this user may write.
        if (tolvik::StatPath(tolvik::PathJoin(folder, tolvik::FolderLock::kFileName), false).exists)
            return std::string("cannot lock the folder: its lock file ") + tolvik::FolderLock::kFileName +
                   " cannot be opened (permission denied; another user's?)";
        return "cannot lock the folder: " + WriteFailure(error);
    case tolvik::FileError::InUse:
        return "the folder is in use by another program";
    case tolvik::FileError::LockUnsupported:
        return "cannot lock the folder: its file system does not support locks (a network share?); the "
               "league "
               "is not opened without the lock";
    case tolvik::FileError::NotRegular:
        return std::string("cannot lock the folder: its lock file ") + tolvik::FolderLock::kFileName +
               " is not a regular file of the folder (a link, a folder, or a file with a second name); "
               "move it away to open the league";
    default:
        return "cannot lock the folder: " + WriteFailure(error);
    }
}

std::string DropLast(const std::string& text, std::size_t n) {
    return text.substr(0, text.size() >= n ? text.size() - n : 0);
}

} // namespace

League::League() : paths_(std::make_unique<Paths>()) {}

League::~League() {
    const bool committed = !paths_->opened || CommitChanges();
    // Changes that could not be written back stay in their working copies, which the next
    // open leaves alone (it refuses the folder and says why) rather than lose them.
    CloseWorkingCopies(!committed);
    // Only now may another League use the folder's working-copy names.
    paths_->lock.reset();
    paths_->realLocks.clear();
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

std::string League::GetLastError() const {
    return lastError_;
}

bool League::Fail(const std::string& reason) {
    lastError_ = reason;
    return false;
}

bool League::WorkingCopyWriteFailed(const std::string& work, tolvik::FileError error) {
    if (!writeFailed_) {
        writeFailed_ = true;
        writeError_ = "cannot write the working copy " + work + ": " + WriteFailure(error);
    }
    return Fail(writeError_);
}

void League::SetFolderLock(std::shared_ptr<tolvik::FolderLock> lock) {
    if (!paths_->attempted)
        paths_->lock = std::move(lock);
}

bool League::MakeWorkingCopy(const std::string& source, const std::string& work, bool& made, const char* what,
                             tolvik::FileError& error, int& handle) {
    // A file of that name that is not ours is never noted as ours, nor replaced.
    const std::string workPath = WorkPath(work);
    error = tolvik::FileError::Exists;
    if (tolvik::StatPath(workPath, false).exists)
        return Fail(NotOurs(work));
    // The note comes first: a League killed right after the copy still leaves it named.
    paths_->lock->Note(kNotePrefix + work);
    error = tolvik::FileError::None;
    // The copy stays open: the working copy is the very file made, whatever takes its name
    // in the folder afterwards.
    const int copy = tolvik::CopyToNewHandle(source, workPath, &error);
    if (copy > 0) {
        handle = copy;
        made = true;
        return true;
    }
    if (error == tolvik::FileError::Exists)
        return Fail(NotOurs(work));
    if (!tolvik::FileExists(source))
        return Fail(std::string(what) + " missing");
    return Fail("cannot copy the " + std::string(what) + " to " + work + ": " + WriteFailure(error));
}

bool League::ClearLeftovers(const tolvik::FolderLock& lock) {
    // The working copies a League that died while holding the lock had made: its changes
    // were written back through the journal or never at all, so they are nobody's data now.
    // A file of such a name that no note claims is not ours and stays.
    const std::string& notes = lock.PreviousNotes();
    for (std::size_t at = 0; at < notes.size();) {
        std::size_t end = notes.find('\n', at);
        if (end == std::string::npos)
            end = notes.size();
        const std::string line = notes.substr(at, end - at);
        at = end + 1;
        if (line.rfind(kNotePrefix, 0) != 0)
            continue;
        const std::string name = line.substr(std::string(kNotePrefix).size());
        if (std::find(std::begin(kWorkingNames), std::end(kWorkingNames), name) == std::end(kWorkingNames))
            continue;
        const std::string path = tolvik::PathJoin(lock.Folder(), name);
        const tolvik::FileInfo info = tolvik::StatPath(path, false);
        tolvik::FileError error = tolvik::FileError::None;
        if (info.exists && info.regular && !tolvik::DeleteFile(path, &error))
            return Fail("cannot remove the leftover " + path + ": " + WriteFailure(error));
    }
    return true;
}

bool League::HoldRealFolder(const std::string& realFolder, bool mayLock, std::string& why) {
    Paths& p = *paths_;
    if (realFolder == p.realFolder)
        return true;
    for (const auto& lock : p.realLocks)
        if (lock->Folder() == realFolder)
            return true;
    if (!mayLock) {
        why = "its folder is not locked";
        return false;
    }
    auto lock = std::make_unique<tolvik::FolderLock>();
    if (!lock->Acquire(realFolder)) {
        why = LockFailure(lock->Error(), realFolder);
        return false;
    }
    p.realLocks.push_back(std::move(lock));
    return true;
}

bool League::SecureFolders() {
    Paths& p = *paths_;
    p.realFolder = tolvik::Files().RealPath(p.folder);
    if (p.realFolder.empty())
        p.realFolder = p.folder;
    // Two programs must never hold one set of real files at once, however they reach them:
    // a league file that a link leads into another folder takes that folder's lock as well.
    const std::vector<std::string> companions =
        tolvik::FindFilesIgnoringCase(p.folder, {p.baseLeaf + "pyr", p.baseLeaf + "pyc", p.baseLeaf + "pyf"});
    std::vector<std::string> files{p[WorkFile::Lge].target};
    files.insert(files.end(), companions.begin(), companions.end());
    for (const std::string& file : files) {
        const std::string real = file.empty() ? "" : tolvik::Files().RealPath(file);
        std::string why;
        if (!real.empty() && !HoldRealFolder(tolvik::NativeFolder(real), true, why))
            return Fail(tolvik::NativeLeaf(file) + " lies in " + tolvik::NativeFolder(real) + ": " + why);
    }

    // Before anything else, in every folder held: the write-back a killed program left
    // half-done is completed (or dropped when it never began to replace files), then what it
    // left is cleared away. A journal that is not the folder's own is left and refuses the open.
    // The league's own journal may lead into folders not locked yet; another league's journal
    // met in a linked folder only into folders already held.
    auto recover = [&](const std::string& folder, bool own) {
        const tolvik::RecoveryResult recovery = tolvik::RecoverJournal(folder, [&](const std::string& real) {
            std::string why;
            return HoldRealFolder(real, own, why);
        });
        if (recovery.outcome != tolvik::JournalRecovery::Failed &&
            recovery.outcome != tolvik::JournalRecovery::Refused)
            return true;
        return Fail(std::string("an interrupted write-back ") + (own ? "" : "in " + folder + " ") +
                    "cannot be completed: " + recovery.reason + "; the league's files need a look");
    };
    if (!recover(p.folder, true))
        return false;
    std::vector<const tolvik::FolderLock*> held{p.lock.get()};
    for (const auto& lock : p.realLocks) {
        if (!recover(lock->Folder(), false))
            return false;
        held.push_back(lock.get());
    }
    for (const tolvik::FolderLock* lock : held)
        tolvik::RemoveStaleTemporaries(lock->Folder());
    for (const tolvik::FolderLock* lock : held)
        if (!ClearLeftovers(*lock))
            return false;
    return true;
}

bool League::OpenLeague(std::string path) {
    Paths& p = *paths_;
    // One League opens one league: a second open would lose track of the first copies.
    if (p.attempted)
        return Fail("this League has opened a league already");
    p.attempted = true;
    lgeHandle_ = -1;

    // Keep the folder: later changes of the current directory must not move our files.
    const std::string native = tolvik::NativePath(path);
    const std::string leaf = tolvik::NativeLeaf(native);
    p.folder = tolvik::AbsoluteFolder(tolvik::NativeFolder(native));
    Paths::Copy& lge = p[WorkFile::Lge];
    lge.target = tolvik::PathJoin(p.folder, leaf);
    p.baseLeaf = DropLast(leaf, 3);
    leagueFileName_ = DropLast(leaf, 4);
    if (IsWorkingName(leaf))
        return Fail(leaf + " has the name of a working copy; rename the league's files to open it");

    // One open league per folder, in this process or another: a folder in use is left
    // exactly as it is, and nothing is copied.
    if (p.lock) {
        if (!p.lock->Held() || p.lock->Folder() != p.folder)
            return Fail("the folder lock given is not held for " + p.folder);
    } else {
        p.lock = std::make_shared<tolvik::FolderLock>();
        if (!p.lock->Acquire(p.folder)) {
            const tolvik::FileError error = p.lock->Error();
            p.lock.reset();
            return Fail(LockFailure(error, p.folder));
        }
    }

    if (!SecureFolders())
        return false;

    lge.seen = tolvik::StatPath(lge.target, true);
    if (!lge.seen.exists)
        return Fail("league file missing");
    if (!lge.seen.regular)
        return Fail("league file is not a regular file");
    tolvik::FileError error = tolvik::FileError::None;
    if (!MakeWorkingCopy(lge.target, lgeWork_, lge.made, "league file", error, lgeHandle_))
        return false;
    int version = 0;
    std::uint8_t header[kHeaderSize];
    const HeaderCheck check = ReadTagAndHeader(lgeHandle_, version, header);
    if (check != HeaderCheck::Usable)
        return Fail(HeaderFailure(check));
    p.stage = static_cast<signed char>(header[kStageOffset]);

    if (!OpenCompanions())
        return false;

    lastError_.clear();
    p.opened = true;
    return true;
}

int& League::HandleOf(WorkFile file) {
    switch (file) {
    case WorkFile::Lge:
        return lgeHandle_;
    case WorkFile::Pyc:
        return pycHandle_;
    case WorkFile::Pyf:
        return pyfHandle_;
    case WorkFile::Pyr:
        return pyrHandle_;
    default:
        return datHandle_;
    }
}

std::string& League::WorkNameOf(WorkFile file) {
    switch (file) {
    case WorkFile::Lge:
        return lgeWork_;
    case WorkFile::Pyc:
        return pycWork_;
    case WorkFile::Pyf:
        return pyfWork_;
    case WorkFile::Pyr:
        return pyrWork_;
    default:
        return datWork_;
    }
}

bool League::OpenCompanions() {
    Paths& p = *paths_;
    // The files that come with the league file, in the order they are copied. Each is found
    // whatever the case of its name; a write-back goes to the name found.
    enum class Need {
        Optional,   // a missing file is no error
        Required,   // the league does not open without it
        Statistics, // optional and never written back
    };
    struct Companion {
        WorkFile file;
        const char* extension;
        const char* workName;
        const char* what;
        Need need;
    };
    static constexpr Companion kCompanions[] = {
        {WorkFile::Pyc, "pyc", "~saltmp.pyc", "draft file (.pyc)", Need::Optional},
        {WorkFile::Pyf, "pyf", "~saltmp.pyf", "free-agent file (.pyf)", Need::Optional},
        {WorkFile::Pyr, "pyr", "~saltmp.pyr", "player file (.pyr)", Need::Required},
        {WorkFile::Dat, "dat", "~saltmp.dat", "statistics file (.dat)", Need::Statistics},
    };
    datHandle_ = -1;
    // One listing of the folder finds them all: the working copies made in between never
    // bear a companion's name (a league of a working copy's name is refused).
    std::vector<std::string> names;
    for (const Companion& c : kCompanions)
        names.push_back(p.baseLeaf + c.extension);
    const std::vector<std::string> companions = tolvik::FindFilesIgnoringCase(p.folder, names);
    for (std::size_t i = 0; i < std::size(kCompanions); ++i) {
        const Companion& c = kCompanions[i];
        int& handle = HandleOf(c.file);
        Paths::Copy& copy = p[c.file];
        std::string found = companions[i];
        // The draft file is in use only up to stage 4 of the season.
        if (c.file == WorkFile::Pyc && p.stage > 4)
            found.clear();
        if (found.empty()) {
            if (c.need != Need::Required)
                continue;
            handle = -1;
            // A folder or a pipe of that name is there, but it is no file to read.
            const bool entry = tolvik::StatPath(tolvik::PathJoin(p.folder, names[i]), true).exists;
            return Fail(std::string(c.what) + (entry ? " is not a regular file" : " missing"));
        }
        WorkNameOf(c.file) = c.workName;
        if (c.need != Need::Statistics) {
            copy.target = found;
            copy.seen = tolvik::StatPath(found, true);
        }
        // An existing list we cannot copy would later be replaced by a new one, and existing
        // statistics we cannot copy would show (and value) the players without them: refuse
        // instead, with the reason.
        tolvik::FileError error = tolvik::FileError::None;
        if (!MakeWorkingCopy(found, c.workName, copy.made, c.what, error, handle)) {
            if (c.need == Need::Required)
                handle = -1;
            return false;
        }
    }
    return true;
}

bool League::ReadLeagueData() {
    if (!paths_->opened)
        return Fail("no league is open");
    if (loaded_)
        return Fail("the league has been read already");
    int version = 0;
    std::uint8_t header[kHeaderSize];
    const HeaderCheck check = ReadTagAndHeader(lgeHandle_, version, header);
    if (check != HeaderCheck::Usable)
        return Fail(HeaderFailure(check));
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

void League::ReadStatData() {
    // The lists of an earlier reading are not handed out any more; the file is read again on
    // first use, in the earlier reading's memory.
    statsPending_ = true;
}

bool League::CloseLeague() {
    return CommitChanges();
}

bool League::WriteLeague() {
    // Before the league was read there is nothing of ours to write, and writing the
    // lists from empty groups would erase them.
    if (!loaded_)
        return Fail("the league has not been read");
    if (!WriteRosterData())
        return false;
    // A list file we could not read is left as it is rather than replaced.
    if (pycHandle_ > 0 && draft_.hasArrays && draft_.readable &&
        !WriteFreeAgent(pycHandle_, pycWork_, draft_))
        return false;
    if (pyfHandle_ > 0 && freeAgents_.hasArrays && freeAgents_.readable &&
        !WriteFreeAgent(pyfHandle_, pyfWork_, freeAgents_))
        return false;
    return true;
}

bool League::CommitChanges() {
    Paths& p = *paths_;
    if (!p.opened)
        return Fail("no league is open");
    // Before the league was read nothing can have been written to the copies.
    if (!loaded_)
        return true;
    if (writeFailed_)
        return Fail(writeError_ + "; the league's files were left as they were");
    if (p.interrupted)
        return Fail("an earlier write-back was interrupted; it is completed when the league is next opened");

    struct Candidate {
        int handle;
        std::string work;
        std::string target;
        tolvik::FileInfo* seen;
    };
    std::vector<Candidate> candidates;
    candidates.reserve(4);
    for (WorkFile file : {WorkFile::Lge, WorkFile::Pyr, WorkFile::Pyc, WorkFile::Pyf}) {
        Paths::Copy& copy = p[file];
        // The draft file is written back only while it is in use.
        if (copy.made && (file != WorkFile::Pyc || p.stage <= 4))
            candidates.push_back({HandleOf(file), WorkNameOf(file), copy.target, &copy.seen});
    }

    std::vector<tolvik::Replacement> set;
    std::vector<const Candidate*> chosen;
    for (const Candidate& c : candidates) {
        // A working copy nothing was written to still holds what it was copied from.
        if (!tolvik::FileModified(c.handle) || c.target.empty())
            continue;
        if (!tolvik::FileWriteBuffered(c.handle)) {
            WorkingCopyWriteFailed(c.work, tolvik::FileHandleError(c.handle));
            return Fail(writeError_ + "; the league's files were left as they were");
        }
        // The copy is read through its open handle, never by its name: whatever another
        // program may have put in the name's place is never read into the league's files.
        // A file that already holds the working copy's bytes is left as it is.
        if (tolvik::SameFileBytes(c.handle, c.target)) {
            tolvik::FileMarkSaved(c.handle);
            continue;
        }
        const std::string leaf = tolvik::NativeLeaf(tolvik::NativePath(c.target));
        if (!tolvik::StatPath(c.target, true).SameVersion(*c.seen))
            return Fail(leaf +
                        " was changed by another program while the league was open; it was not overwritten");
        // A link changed since the open may lead into a folder whose lock this League lacks.
        const std::string real = tolvik::Files().RealPath(tolvik::NativePath(c.target));
        std::string why;
        if (!real.empty() && !HoldRealFolder(tolvik::NativeFolder(real), false, why))
            return Fail(leaf + " now leads into " + tolvik::NativeFolder(real) +
                        ", which was not locked when the league was opened; it was not overwritten");
        set.push_back({WorkPath(c.work), c.target, c.handle});
        chosen.push_back(&c);
    }
    if (set.empty())
        return true;

    int failed = 0;
    tolvik::FileError error = tolvik::FileError::None;
    if (!tolvik::ReplaceTogether(set, {p.folder, tolvik::NativeLeaf(p[WorkFile::Lge].target)}, failed,
                                 &error)) {
        if (failed == -2) {
            p.interrupted = true;
            // The journal's temporary files hold these copies' bytes and the next open puts
            // them in place; kept, the copies would only make that open refuse the folder.
            for (const Candidate* c : chosen)
                tolvik::FileMarkSaved(c->handle);
            return Fail(std::string("the write-back stopped half-way (") + tolvik::FileErrorText(error) +
                        "); it is completed when the league is next opened");
        }
        if (failed >= 0) {
            const std::string target = tolvik::NativePath(set[static_cast<std::size_t>(failed)].target);
            const bool protectedFile = error == tolvik::FileError::AccessDenied &&
                                       tolvik::FileExists(target) && !tolvik::Files().MayReplace(target);
            return Fail("cannot write back " + tolvik::NativeLeaf(target) + ": " +
                        (protectedFile ? std::string("the file is write-protected") : WriteFailure(error)) +
                        "; the league's files were left as they were");
        }
        return Fail("cannot write the write-back journal: " + WriteFailure(error) +
                    "; the league's files were left as they were");
    }
    for (const Candidate* c : chosen) {
        tolvik::FileMarkSaved(c->handle);
        *c->seen = tolvik::StatPath(c->target, true);
    }
    return true;
}

void League::CloseWorkingCopies(bool keepChanged) {
    Paths& p = *paths_;
    const bool lgeChanged = tolvik::FileModified(lgeHandle_);
    const bool pycChanged = tolvik::FileModified(pycHandle_);
    const bool pyfChanged = tolvik::FileModified(pyfHandle_);
    tolvik::FileClose(lgeHandle_);
    tolvik::FileClose(pyrHandle_);
    tolvik::FileClose(pyfHandle_);
    tolvik::FileClose(pycHandle_);
    tolvik::FileClose(datHandle_);
    lgeHandle_ = pyrHandle_ = pyfHandle_ = pycHandle_ = datHandle_ = 0;
    auto finish = [&](WorkFile file, bool keep) {
        bool& made = p[file].made;
        if (made && !keep)
            tolvik::DeleteFile(WorkPath(WorkNameOf(file)));
        made = false;
    };
    finish(WorkFile::Lge, keepChanged && lgeChanged);
    finish(WorkFile::Pyr, false);
    finish(WorkFile::Pyc, keepChanged && pycChanged);
    finish(WorkFile::Pyf, keepChanged && pyfChanged);
    finish(WorkFile::Dat, false);
}

int League::CreateFreeAgentFile() {
    Paths& p = *paths_;
    if (!p.opened)
        return -1;
    for (auto& group : freeAgents_.ids)
        group.clear();
    // A working copy of an existing free-agent file gives way to the new file.
    Paths::Copy& pyf = p[WorkFile::Pyf];
    tolvik::FileClose(pyfHandle_);
    if (pyf.made)
        tolvik::DeleteFile(WorkPath(pyfWork_));
    pyf.made = false;
    pyfWork_ = "~saltemp.pyf";
    if (pyf.target.empty()) {
        pyf.target = tolvik::PathJoin(p.folder, p.baseLeaf + "pyf");
        pyf.seen = tolvik::StatPath(pyf.target, true);
    }
    if (tolvik::StatPath(WorkPath(pyfWork_), false).exists) {
        pyfHandle_ = -1;
        Fail(NotOurs(pyfWork_));
        return -1;
    }
    p.lock->Note(kNotePrefix + pyfWork_);
    tolvik::FileError error = tolvik::FileError::None;
    pyfHandle_ = tolvik::FileCreateNew(WorkPath(pyfWork_), &error);
    if (pyfHandle_ <= 0) {
        pyfHandle_ = -1;
        Fail("cannot create the free-agent working copy " + pyfWork_ + ": " + WriteFailure(error));
        return -1;
    }
    pyf.made = true;
    return pyfHandle_;
}

void League::DropFreeAgentFile() {
    tolvik::FileClose(pyfHandle_);
    bool& made = (*paths_)[WorkFile::Pyf].made;
    if (made)
        tolvik::DeleteFile(WorkPath(pyfWork_));
    made = false;
    pyfHandle_ = 0;
    pyfWork_.clear();
    for (auto& group : freeAgents_.ids)
        group.clear();
    freeAgents_.hasArrays = false;
    freeAgents_.total = -1;
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

std::vector<std::string> League::GetLockedFolders() const {
    std::vector<std::string> folders;
    if (paths_->lock)
        folders.push_back(paths_->lock->Folder());
    for (const auto& lock : paths_->realLocks)
        folders.push_back(lock->Folder());
    return folders;
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
