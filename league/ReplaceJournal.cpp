#include "league/ReplaceJournal.h"

#include "league/FileAccess.h"
#include "league/JournalRecord.h"
#include "league/TempFiles.h"

#include <algorithm>
#include <memory>
#include <set>

namespace tolvik {
namespace {

constexpr std::size_t kBlock = 256 * 1024;
// A journal of four entries is a few hundred bytes; anything larger was never one of ours.
constexpr std::size_t kMaxJournal = 64 * 1024;

// One replacement with the paths it acts on, worked out from its entry and the folder.
struct Step {
    JournalEntry entry;
    std::string target; // the real file that takes the new bytes
    std::string temp;   // the temporary file that holds them
};

// Size and hash of a file's bytes; false when it cannot be read.
bool HashFile(const std::string& path, std::uint64_t& size, std::uint64_t& hash) {
    SystemFiles& files = Files();
    const SystemFiles::Native in = files.Open(path, OpenHow::Read);
    if (in == SystemFiles::kNoFile)
        return false;
    const std::size_t blockSize = BlockFor(files.Size(in), kBlock);
    const auto block = std::make_unique_for_overwrite<std::uint8_t[]>(blockSize);
    JournalHash h;
    std::int64_t at = 0;
    bool ok = true;
    for (;;) {
        const std::int64_t n = files.ReadAt(in, block.get(), blockSize, at);
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        h.Add(block.get(), static_cast<std::size_t>(n));
        at += n;
    }
    files.Close(in);
    size = static_cast<std::uint64_t>(at);
    hash = h.value;
    return ok;
}

bool HoldsItsBytes(const std::string& path, const JournalEntry& e) {
    std::uint64_t size = 0, hash = 0;
    return HashFile(path, size, hash) && size == e.size && hash == e.hash;
}

std::string FolderOf(const std::string& path) {
    const std::string folder = NativeFolder(path);
    return folder.empty() ? "." : folder;
}

// The folder with every link resolved, as real targets are given.
std::string RealFolder(const std::string& folder) {
    const std::string real = Files().RealPath(folder);
    return real.empty() ? folder : real;
}

void SyncFolders(const std::vector<Step>& steps, const std::string& journalPath) {
    std::set<std::string> folders{FolderOf(journalPath)};
    for (const Step& s : steps)
        folders.insert(FolderOf(s.target));
    for (const std::string& folder : folders)
        Files().SyncFolder(folder);
}

void DropTemps(std::vector<TempFile>& temps) {
    for (TempFile& temp : temps)
        DropTemp(temp);
}

// Undoes a set before any rename: the journal goes first, and reaches the disk, so that no
// journal is ever left naming temporary files that are gone while its targets are old.
// Returns false; failed becomes -2 (the journal stays for the next open, which completes the
// set) when the journal cannot be removed.
bool DropJournalAndTemps(const std::string& journalNative, const std::vector<Step>& steps, int& failed) {
    if (!Files().Remove(journalNative)) {
        failed = -2;
    } else {
        Files().SyncFolder(FolderOf(journalNative));
        for (const Step& s : steps)
            Files().Remove(s.temp);
    }
    return false;
}

// Reads blocks of the bytes a replacement's target takes, from the file named source or
// from an open handle: ReadAt(block, size, at) gives the count read, 0 at the end, -1 on error.
class ReplacementSource {
  public:
    explicit ReplacementSource(const Replacement& r) : handle_(r.sourceHandle) {
        if (handle_ <= 0) {
            std::string storage;
            native_ = Files().Open(NativePath(r.source, storage), OpenHow::Read);
        }
    }
    ~ReplacementSource() {
        if (native_ != SystemFiles::kNoFile)
            Files().Close(native_);
    }
    ReplacementSource(const ReplacementSource&) = delete;
    ReplacementSource& operator=(const ReplacementSource&) = delete;

    bool IsOpen() const { return handle_ > 0 || native_ != SystemFiles::kNoFile; }
    std::int64_t Size() const { return handle_ > 0 ? FileSize(handle_) : Files().Size(native_); }
    std::int64_t ReadAt(std::uint8_t* block, std::size_t size, std::int64_t at) const {
        if (handle_ <= 0)
            return Files().ReadAt(native_, block, size, at);
        if (FileSeek(handle_, at) != at)
            return -1;
        return FileRead(handle_, block, static_cast<int>(size));
    }

  private:
    int handle_ = 0;
    SystemFiles::Native native_ = SystemFiles::kNoFile;
};

// Copies a working copy into a new temporary file beside the real target, hashing the bytes
// on their way; the path is "" (its error says why) when it cannot be made.
TempFile CopyToTemp(const Replacement& replacement, const std::string& realTarget, JournalEntry& e) {
    const ReplacementSource in(replacement);
    if (!in.IsOpen())
        return {"", SystemFiles::kNoFile, Files().LastError()};
    return FillTempBeside(realTarget, [&](SystemFiles::Native out) {
        const std::size_t blockSize = BlockFor(in.Size(), kBlock);
        const auto block = std::make_unique_for_overwrite<std::uint8_t[]>(blockSize);
        JournalHash h;
        std::int64_t at = 0;
        for (;;) {
            const std::int64_t n = in.ReadAt(block.get(), blockSize, at);
            if (n < 0)
                return false;
            if (n == 0)
                break;
            if (!Files().WriteAt(out, block.get(), static_cast<std::size_t>(n), at))
                return false;
            h.Add(block.get(), static_cast<std::size_t>(n));
            at += n;
        }
        e.size = static_cast<std::uint64_t>(at);
        e.hash = h.value;
        return true;
    });
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && SameNameIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           SameNameIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

// A name of the folder itself: no separator of any system, not "." or "..".
bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find('\0') == std::string::npos;
}

// The names the layer and the League make for themselves: never a league file's real file.
bool IsLayerName(const std::string& leaf) {
    return IsTemporaryName(leaf) || StartsWithIgnoringCase(leaf, "~saltmp.") ||
           StartsWithIgnoringCase(leaf, "~saltemp.");
}

// The league file or one of the companions a write-back replaces.
bool IsLeagueFileName(const std::string& name, const std::string& leagueFile) {
    if (SameNameIgnoringCase(name, leagueFile))
        return true;
    static constexpr const char* kCompanions[] = {"pyr", "pyc", "pyf"};
    const std::string base = leagueFile.substr(0, leagueFile.size() - 3);
    return std::any_of(std::begin(kCompanions), std::end(kCompanions),
                       [&](const char* ext) { return SameNameIgnoringCase(name, base + ext); });
}

// Works out the paths of a journal's entries and checks that each is what this folder's own
// write-back can have made; "" when they are, else why not.
std::string CheckJournal(const JournalRecord& record, const std::string& folder, const HoldsFolder& holds,
                         std::vector<Step>& steps) {
    const std::string& league = record.leagueFile;
    if (!IsPlainName(league) || !EndsWithIgnoringCase(league, ".lge") || IsLayerName(league))
        return "it names \"" + league + "\" as the league file";
    const std::string realFolder = RealFolder(folder);
    std::set<std::string> targets, temps;
    steps.clear();
    for (const JournalEntry& e : record.entries) {
        if (!IsPlainName(e.name) || !IsLeagueFileName(e.name, league))
            return "it names \"" + e.name + "\", which is not a file of the league " + league;
        if (!IsTemporaryName(e.tempName))
            return "it names \"" + e.tempName + "\" as a temporary file";
        Step s{e, RealTarget(PathJoin(folder, e.name)), ""};
        if (e.linkedTo.empty() ? s.target != PathJoin(realFolder, e.name) : s.target != e.linkedTo)
            return e.name + " does not lead where the journal says (" +
                   (e.linkedTo.empty() ? PathJoin(realFolder, e.name) : e.linkedTo) + ")";
        const std::string targetFolder = FolderOf(s.target);
        if (IsLayerName(NativeLeaf(s.target)))
            return e.name + " leads to " + s.target + ", a name of the program's own";
        if (targetFolder != realFolder && !holds(targetFolder))
            return e.name + " leads into " + targetFolder + ", a folder that could not be locked";
        s.temp = PathJoin(targetFolder, e.tempName);
        if (!targets.insert(s.target).second || !temps.insert(s.temp).second)
            return "it names " + s.target + " twice";
        const FileInfo target = Files().Stat(s.target, false);
        const FileInfo temp = Files().Stat(s.temp, false);
        if ((target.exists && !target.regular) || (temp.exists && !temp.regular))
            return "it names " + (temp.exists && !temp.regular ? s.temp : s.target) +
                   ", which is not a regular file";
        steps.push_back(std::move(s));
    }
    return "";
}

RecoveryResult Refuse(const std::string& why) {
    return {JournalRecovery::Refused,
            std::string(kJournalName) + " is not a journal of this folder's write-back: " + why};
}

} // namespace

bool ReplaceTogether(const std::vector<Replacement>& set, const JournalPlace& place, int& failed,
                     FileError* error) {
    SystemFiles& files = Files();
    const std::string realFolder = RealFolder(place.folder);
    JournalRecord record{place.leagueFile, {}};
    std::vector<Step> steps;
    std::vector<TempFile> temps;
    for (std::size_t i = 0; i < set.size(); ++i) {
        Step s;
        const std::string target = NativePath(set[i].target);
        s.entry.name = NativeLeaf(target);
        s.target = RealTarget(target);
        if (s.target != PathJoin(realFolder, s.entry.name))
            s.entry.linkedTo = s.target;
        TempFile temp = CopyToTemp(set[i], s.target, s.entry);
        if (temp.path.empty()) {
            Report(error, temp.error);
            DropTemps(temps);
            failed = static_cast<int>(i);
            return false;
        }
        s.temp = temp.path;
        s.entry.tempName = NativeLeaf(temp.path);
        record.entries.push_back(s.entry);
        steps.push_back(std::move(s));
        temps.push_back(temp);
    }

    // The journal is written before the temporary files reach the disk, so that one flush of
    // the file system carries them all; until every one of them is on the disk no rename
    // runs, and a recovery that finds all of them still there checks them before trusting it.
    // It is a new file: whatever stands under its name is never written through.
    const std::vector<std::uint8_t> journal = EncodeJournal(record);
    const std::string journalNative = PathJoin(place.folder, kJournalName);
    TempFile journalFile{journalNative, files.Open(journalNative, OpenHow::CreateNew)};
    if (journalFile.file == SystemFiles::kNoFile ||
        !files.WriteAt(journalFile.file, journal.data(), journal.size(), 0)) {
        Report(error, files.LastError());
        if (journalFile.file == SystemFiles::kNoFile)
            journalFile.path.clear();
        DropTemp(journalFile);
        DropTemps(temps);
        failed = -1;
        return false;
    }
    for (std::size_t i = 0; i < temps.size(); ++i) {
        if (!FinishTemp(temps[i])) {
            Report(error, temps[i].error);
            DropTemp(journalFile);
            DropTemps(temps);
            failed = static_cast<int>(i);
            return false;
        }
    }
    if (!FinishTemp(journalFile)) {
        Report(error, journalFile.error);
        DropTemps(temps);
        failed = -1;
        return false;
    }
    // One sync of each folder puts the temporary files' names and the journal's on the disk.
    SyncFolders(steps, journalNative);

    // Where another program can hold a file open so that it cannot be replaced (Windows), it
    // may have opened one since its temporary file was made: asked again right before the
    // renames, and a first rename that fails all the same, leave every target as it was.
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (!files.MayReplace(steps[i].target)) {
            Report(error, files.LastError());
            failed = static_cast<int>(i);
            return DropJournalAndTemps(journalNative, steps, failed);
        }
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (!files.Rename(steps[i].temp, steps[i].target)) {
            Report(error, files.LastError());
            failed = i == 0 ? 0 : -2;
            return i == 0 ? DropJournalAndTemps(journalNative, steps, failed) : false;
        }
    }
    SyncFolders(steps, journalNative);
    // A journal whose removal does not reach the disk names temporary files that are gone
    // and targets that hold their new bytes; the next recovery sees that and only removes it.
    files.Remove(journalNative);
    return true;
}

RecoveryResult RecoverJournal(const std::string& folder, const HoldsFolder& holds) {
    SystemFiles& files = Files();
    const std::string journalNative = PathJoin(folder, kJournalName);
    const FileInfo info = files.Stat(journalNative, false);
    if (!info.exists)
        return {};
    if (!info.regular)
        return Refuse("it is not a regular file");
    std::vector<std::uint8_t> bytes;
    JournalRecord record;
    const bool whole = info.size <= static_cast<std::int64_t>(kMaxJournal);
    FileError readError = FileError::None;
    if (whole && !ReadWholeFile(journalNative, bytes, kMaxJournal, &readError))
        return Refuse(std::string("it cannot be read (") + FileErrorText(readError) + ")");
    const JournalDecoding decoding = whole ? DecodeJournal(bytes, record) : JournalDecoding::CutShort;
    if (decoding == JournalDecoding::CutShort) {
        // Cut short before it was complete: no rename ran. Its temporary files are removed
        // with the other stale ones.
        files.Remove(journalNative);
        files.SyncFolder(FolderOf(journalNative));
        return {JournalRecovery::Discarded, ""};
    }
    if (decoding == JournalDecoding::NotOurs)
        return Refuse("its entries are not of this program's layout");
    std::vector<Step> steps;
    const std::string wrong = CheckJournal(record, folder, holds, steps);
    if (!wrong.empty())
        return Refuse(wrong);

    // Every temporary file still there means no rename ran: one that does not hold what the
    // journal says never reached the disk whole, and the set is dropped with every target old.
    const bool noneRenamed = std::all_of(steps.begin(), steps.end(),
                                         [&](const Step& s) { return files.Stat(s.temp, false).exists; });
    if (noneRenamed && !std::all_of(steps.begin(), steps.end(),
                                    [](const Step& s) { return HoldsItsBytes(s.temp, s.entry); })) {
        for (const Step& s : steps)
            files.Remove(s.temp);
        files.Remove(journalNative);
        files.SyncFolder(FolderOf(journalNative));
        return {JournalRecovery::Discarded, ""};
    }
    // Some renames ran: every file is checked before any rename, so that a journal that does
    // not agree with the files changes none of them.
    for (const Step& s : steps) {
        const bool pending = files.Stat(s.temp, false).exists;
        if (!HoldsItsBytes(pending ? s.temp : s.target, s.entry))
            return {JournalRecovery::Failed, std::string(kJournalName) + " names files that changed since"};
    }
    for (const Step& s : steps)
        if (files.Stat(s.temp, false).exists && !files.Rename(s.temp, s.target))
            return {JournalRecovery::Failed, std::string("cannot complete the replacement of ") +
                                                 s.entry.name + ": " + FileErrorText(files.LastError())};
    SyncFolders(steps, journalNative);
    files.Remove(journalNative);
    files.SyncFolder(FolderOf(journalNative));
    return {JournalRecovery::Completed, ""};
}

int RemoveStaleTemporaries(const std::string& folder) {
    std::vector<std::string> names;
    const std::string native = folder.empty() ? "." : NativePath(folder);
    if (!Files().List(native, names))
        return 0;
    int removed = 0;
    for (const std::string& name : names)
        if (IsTemporaryName(name) && Files().Remove(PathJoin(native, name)))
            ++removed;
    return removed;
}

} // namespace tolvik
