#include "league/ReplaceJournal.h"

#include "league/ByteOrder.h"
#include "league/FileAccess.h"
#include "league/TempFiles.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>

namespace tolvik {
namespace {

// Journal layout, little-endian: "BRVJ", version 1, entry count (32-bit); per entry the
// temporary path and the target path (32-bit length and bytes each), the new size and its
// FNV-1a hash (64-bit each); then the hash of all bytes before it and "DONE". A journal
// without a matching hash and end mark was cut short and is not trusted.
constexpr char kMagic[4] = {'B', 'R', 'V', 'J'};
constexpr char kEnd[4] = {'D', 'O', 'N', 'E'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kBlock = 256 * 1024;

struct Hash {
    std::uint64_t value = 1469598103934665603ull;
    void Add(const std::uint8_t* bytes, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            value ^= bytes[i];
            value *= 1099511628211ull;
        }
    }
};

struct Entry {
    std::string temp;
    std::string target;
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
};

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    const std::size_t at = out.size();
    out.resize(at + 4);
    writeU32le(out.data() + at, v);
}

void PutU64(std::vector<std::uint8_t>& out, std::uint64_t v) {
    PutU32(out, static_cast<std::uint32_t>(v));
    PutU32(out, static_cast<std::uint32_t>(v >> 32));
}

void PutText(std::vector<std::uint8_t>& out, const std::string& text) {
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

std::vector<std::uint8_t> Encode(const std::vector<Entry>& entries) {
    std::vector<std::uint8_t> out(kMagic, kMagic + 4);
    PutU32(out, kVersion);
    PutU32(out, static_cast<std::uint32_t>(entries.size()));
    for (const Entry& e : entries) {
        PutText(out, e.temp);
        PutText(out, e.target);
        PutU64(out, e.size);
        PutU64(out, e.hash);
    }
    Hash hash;
    hash.Add(out.data(), out.size());
    PutU64(out, hash.value);
    out.insert(out.end(), kEnd, kEnd + 4);
    return out;
}

// A bounded reader over the journal's bytes.
class Cursor {
  public:
    explicit Cursor(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    bool U32(std::uint32_t& v) {
        if (Left() < 4)
            return false;
        v = readU32le(bytes_.data() + pos_);
        pos_ += 4;
        return true;
    }
    bool U64(std::uint64_t& v) {
        std::uint32_t lo = 0, hi = 0;
        if (!U32(lo) || !U32(hi))
            return false;
        v = lo | (static_cast<std::uint64_t>(hi) << 32);
        return true;
    }
    bool Text(std::string& text) {
        std::uint32_t n = 0;
        if (!U32(n) || Left() < n)
            return false;
        text.assign(reinterpret_cast<const char*>(bytes_.data() + pos_), n);
        pos_ += n;
        return true;
    }
    std::size_t Left() const { return bytes_.size() - pos_; }
    std::size_t Pos() const { return pos_; }

  private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t pos_ = 0;
};

bool Decode(const std::vector<std::uint8_t>& bytes, std::vector<Entry>& entries) {
    if (bytes.size() < 4 + 4 + 4 + 8 + 4 || std::memcmp(bytes.data(), kMagic, 4) != 0 ||
        std::memcmp(bytes.data() + bytes.size() - 4, kEnd, 4) != 0)
        return false;
    Hash hash;
    hash.Add(bytes.data(), bytes.size() - 12);
    if (readU32le(bytes.data() + bytes.size() - 12) != static_cast<std::uint32_t>(hash.value) ||
        readU32le(bytes.data() + bytes.size() - 8) != static_cast<std::uint32_t>(hash.value >> 32))
        return false;
    Cursor in(bytes);
    std::uint32_t magic = 0, version = 0, count = 0;
    if (!in.U32(magic) || !in.U32(version) || version != kVersion || !in.U32(count))
        return false;
    entries.clear();
    for (std::uint32_t i = 0; i < count; ++i) {
        Entry e;
        if (!in.Text(e.temp) || !in.Text(e.target) || !in.U64(e.size) || !in.U64(e.hash))
            return false;
        entries.push_back(e);
    }
    return in.Left() == 12;
}

// Size and hash of a file's bytes; false when it cannot be read.
bool HashFile(const std::string& path, std::uint64_t& size, std::uint64_t& hash) {
    SystemFiles& files = Files();
    const SystemFiles::Native in = files.Open(path, OpenHow::Read);
    if (in == SystemFiles::kNoFile)
        return false;
    const std::size_t blockSize = BlockFor(files.Size(in), kBlock);
    const auto block = std::make_unique_for_overwrite<std::uint8_t[]>(blockSize);
    Hash h;
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

std::string FolderOf(const std::string& path) {
    const std::string folder = NativeFolder(path);
    return folder.empty() ? "." : folder;
}

void SyncFolders(const std::vector<Entry>& entries, const std::string& journalPath) {
    std::set<std::string> folders{FolderOf(journalPath)};
    for (const Entry& e : entries)
        folders.insert(FolderOf(e.target));
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
bool DropJournalAndTemps(const std::string& journalNative, const std::vector<Entry>& entries, int& failed) {
    const FileError error = LastFileError();
    if (!Files().Remove(journalNative)) {
        failed = -2;
    } else {
        Files().SyncFolder(FolderOf(journalNative));
        for (const Entry& e : entries)
            Files().Remove(e.temp);
    }
    SetLastFileError(error);
    return false;
}

} // namespace

bool ReplaceTogether(const std::vector<Replacement>& set, const std::string& journalPath, int& failed) {
    SystemFiles& files = Files();
    std::vector<Entry> entries;
    std::vector<TempFile> temps;
    for (std::size_t i = 0; i < set.size(); ++i) {
        Entry e;
        e.target = RealTarget(NativePath(set[i].target));
        TempFile temp;
        std::string sourceStorage;
        const SystemFiles::Native in = files.Open(NativePath(set[i].source, sourceStorage), OpenHow::Read);
        if (in != SystemFiles::kNoFile) {
            // The bytes pass through here once, to be hashed on their way to the temporary file.
            temp = FillTempBeside(e.target, [&](SystemFiles::Native out) {
                const std::size_t blockSize = BlockFor(files.Size(in), kBlock);
                const auto block = std::make_unique_for_overwrite<std::uint8_t[]>(blockSize);
                Hash h;
                std::int64_t at = 0;
                for (;;) {
                    const std::int64_t n = files.ReadAt(in, block.get(), blockSize, at);
                    if (n < 0)
                        return false;
                    if (n == 0)
                        break;
                    if (!files.WriteAt(out, block.get(), static_cast<std::size_t>(n), at))
                        return false;
                    h.Add(block.get(), static_cast<std::size_t>(n));
                    at += n;
                }
                e.size = static_cast<std::uint64_t>(at);
                e.hash = h.value;
                return true;
            });
            const FileError error = LastFileError();
            files.Close(in);
            SetLastFileError(error);
        }
        if (temp.path.empty()) {
            DropTemps(temps);
            failed = static_cast<int>(i);
            return false;
        }
        e.temp = temp.path;
        entries.push_back(e);
        temps.push_back(temp);
    }

    // The journal is written before the temporary files reach the disk, so that one flush of
    // the file system carries them all; until every one of them is on the disk no rename
    // runs, and a recovery that finds all of them still there checks them before trusting it.
    const std::vector<std::uint8_t> journal = Encode(entries);
    const std::string journalNative = NativePath(journalPath);
    TempFile journalFile{journalNative, files.Open(journalNative, OpenHow::Create)};
    if (journalFile.file == SystemFiles::kNoFile ||
        !files.WriteAt(journalFile.file, journal.data(), journal.size(), 0)) {
        if (journalFile.file == SystemFiles::kNoFile)
            journalFile.path.clear();
        DropTemp(journalFile);
        DropTemps(temps);
        failed = -1;
        return false;
    }
    for (std::size_t i = 0; i < temps.size(); ++i) {
        if (!FinishTemp(temps[i])) {
            DropTemp(journalFile);
            DropTemps(temps);
            failed = static_cast<int>(i);
            return false;
        }
    }
    if (!FinishTemp(journalFile)) {
        DropTemps(temps);
        failed = -1;
        return false;
    }
    // One sync of each folder puts the temporary files' names and the journal's on the disk.
    SyncFolders(entries, journalNative);

    // Where another program can hold a file open so that it cannot be replaced (Windows), it
    // may have opened one since its temporary file was made: asked again right before the
    // renames, and a first rename that fails all the same, leave every target as it was.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!files.MayReplace(entries[i].target)) {
            failed = static_cast<int>(i);
            return DropJournalAndTemps(journalNative, entries, failed);
        }
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!files.Rename(entries[i].temp, entries[i].target)) {
            failed = i == 0 ? 0 : -2;
            return i == 0 ? DropJournalAndTemps(journalNative, entries, failed) : false;
        }
    }
    SyncFolders(entries, journalNative);
    // A journal whose removal does not reach the disk names temporary files that are gone
    // and targets that hold their new bytes; the next recovery sees that and only removes it.
    files.Remove(journalNative);
    return true;
}

JournalRecovery RecoverJournal(const std::string& journalPath) {
    SystemFiles& files = Files();
    const std::string journalNative = NativePath(journalPath);
    if (!files.Stat(journalNative, false).exists)
        return JournalRecovery::None;
    std::vector<std::uint8_t> bytes;
    std::vector<Entry> entries;
    if (!ReadWholeFile(journalNative, bytes, 1 << 20) || !Decode(bytes, entries)) {
        // Cut short before it was complete: no rename ran. Its temporary files are removed
        // with the other stale ones.
        files.Remove(journalNative);
        files.SyncFolder(FolderOf(journalNative));
        return JournalRecovery::Discarded;
    }
    // Every temporary file still there means no rename ran: one that does not hold what the
    // journal says never reached the disk whole, and the set is dropped with every target old.
    const bool noneRenamed = std::all_of(entries.begin(), entries.end(),
                                         [&](const Entry& e) { return files.Stat(e.temp, false).exists; });
    if (noneRenamed) {
        for (const Entry& e : entries) {
            std::uint64_t size = 0, hash = 0;
            if (!HashFile(e.temp, size, hash) || size != e.size || hash != e.hash) {
                for (const Entry& drop : entries)
                    files.Remove(drop.temp);
                files.Remove(journalNative);
                files.SyncFolder(FolderOf(journalNative));
                return JournalRecovery::Discarded;
            }
        }
    }
    for (const Entry& e : entries) {
        std::uint64_t size = 0, hash = 0;
        if (files.Stat(e.temp, false).exists) {
            if (!HashFile(e.temp, size, hash) || size != e.size || hash != e.hash ||
                !files.Rename(e.temp, e.target))
                return JournalRecovery::Failed;
        } else if (!HashFile(e.target, size, hash) || size != e.size || hash != e.hash) {
            return JournalRecovery::Failed;
        }
    }
    SyncFolders(entries, journalNative);
    files.Remove(journalNative);
    files.SyncFolder(FolderOf(journalNative));
    return JournalRecovery::Completed;
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
