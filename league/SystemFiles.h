#pragma once

#include "league/TolvikExport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The operating system under the file layer: the few calls whose form differs between
// systems (descriptors, locks, atomic rename, syncing, folder listing, real paths). The
// rest of the layer (handles, buffering, copying, replacing, the journal) is written once
// against this interface. PosixFiles.cpp and WindowsFiles.cpp implement it, one per system.
// Tests put a wrapper in front of it to make chosen calls fail.
namespace tolvik {

// Why the last call of the file layer failed, in the terms a user can act on.
enum class FileError {
    None,
    NotFound,
    AccessDenied, // permissions, or a write-protected file
    DiskFull,
    NameTooLong,
    Exists,          // a new file was wanted, and the name is taken
    InUse,           // locked by another program
    LockUnsupported, // the file system cannot lock files (some network shares)
    ReadOnlyDisk,    // the medium cannot be written
    Interrupted,     // made to fail on purpose (tests)
    NotRegular,      // a folder, a device, a pipe or a link where only a regular file will do
    Other,
};

// A short text for an error ("disk full", "permission denied", ...).
TOLVIK_EXPORT const char* FileErrorText(FileError error);

// Hands why a call failed to a caller who asked for it (error may be null); returns false,
// so that a failing function can end with it.
inline bool Report(FileError* error, FileError why) {
    if (error)
        *error = why;
    return false;
}

struct FileInfo {
    bool exists = false;
    bool regular = false;
    bool link = false; // the name itself is a symbolic link (only when asked not to follow)
    std::uint32_t mode = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;

    // The same file in the same state (same object, size and time of change).
    bool SameVersion(const FileInfo& other) const {
        return exists == other.exists && device == other.device && inode == other.inode &&
               size == other.size && modifiedNs == other.modifiedNs;
    }
};

enum class OpenHow {
    Read,      // existing file, reading only
    ReadWrite, // existing file
    Create,    // created or truncated
    CreateNew, // created; fails with Exists when the name is taken
};

class TOLVIK_EXPORT SystemFiles {
  public:
    using Native = std::intptr_t; // a descriptor or a system handle
    static constexpr Native kNoFile = -1;

    virtual ~SystemFiles() = default;

    // Why this object's last failed call failed. Ask right after a call that failed: a later
    // call that works leaves it as it was.
    virtual FileError LastError() const { return lastError_; }

    // A call that fails keeps its reason for LastError.
    // Opens regular files only (links followed): a folder, a device or a pipe is refused with
    // NotRegular, without waiting for a pipe's other end.
    virtual Native Open(const std::string& path, OpenHow how) = 0;
    virtual std::int64_t ReadAt(Native file, void* buffer, std::size_t count, std::int64_t offset) = 0;
    // Writes all count bytes or fails.
    virtual bool WriteAt(Native file, const void* buffer, std::size_t count, std::int64_t offset) = 0;
    virtual std::int64_t Size(Native file) = 0;
    // Cuts an open file (opened for writing) to size bytes.
    virtual bool Truncate(Native file, std::int64_t size) = 0;
    // Puts the file's data on the disk.
    virtual bool Sync(Native file) = 0;
    virtual bool Close(Native file) = 0;
    // Gives an open file the permission bits of another (the file it is about to replace).
    virtual bool SetMode(Native file, std::uint32_t mode) = 0;
    // Copies all bytes of in to the start of out. The default reads and writes in blocks.
    virtual bool CopyData(Native in, Native out);

    virtual FileInfo Stat(const std::string& path, bool followLinks) = 0;
    // True when this user may replace the file: the system allows writing it and it is not
    // write-protected (no write permission for anyone, which even an administrator respects here).
    virtual bool MayReplace(const std::string& path) = 0;
    // Renames from over to in one step: to is wholly old or wholly new at every moment.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // Puts the folder's entries (names made, renamed, removed) on the disk.
    virtual bool SyncFolder(const std::string& folder) = 0;
    // Names of the entries of a folder ("." and ".." left out); false when it cannot be read.
    virtual bool List(const std::string& folder, std::vector<std::string>& names) = 0;
    // The absolute path with every symbolic link resolved; "" when the path does not exist.
    virtual std::string RealPath(const std::string& path) = 0;
    // The absolute form of a path, without resolving links.
    virtual std::string AbsolutePath(const std::string& path) = 0;
    // A path given by a user, in this system's terms. Where '\' may be part of a name, a path
    // that holds a '/' is taken as written (the library's own paths are of this kind: a
    // folder whose name holds a '\' must never become another folder), and so is one that
    // names an existing entry; only a path of the game's form, without '/', that names
    // nothing reads its '\' as separators.
    virtual std::string NativePath(const std::string& path) = 0;
    // True for the characters that separate folders in native paths.
    virtual bool IsSeparator(char ch) const = 0;

    // Takes an exclusive advisory lock on the lock file at path (created when missing)
    // without waiting; kNoFile with InUse when another open of it holds the lock, and with
    // LockUnsupported where the file system cannot lock (never a lock that locks nothing).
    // The lock file must be a regular file of the folder with no other name: a link (even
    // one to a missing file), a folder, a device or a file with a second name elsewhere is
    // refused with NotRegular and left as it is, so that the notes never land outside.
    // The system releases the lock of a process that dies.
    virtual Native Lock(const std::string& path) = 0;
    // Removes the lock file and releases the lock.
    virtual void Unlock(Native lock, const std::string& path) = 0;

    // A random text of letters and digits for names of temporary files.
    virtual std::string RandomName(std::size_t length) = 0;

  protected:
    // Keeps why a call failed; returns false, so that a failing call can end with it.
    bool Fail(FileError error) {
        lastError_ = error;
        return false;
    }

  private:
    FileError lastError_ = FileError::None;
};

// Letters and digits drawn from a source of random numbers, for names of temporary files.
template <typename Next> std::string RandomNameFrom(std::size_t length, Next&& next) {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name;
    for (std::size_t i = 0; i < length; ++i)
        name.push_back(kChars[next() % (sizeof kChars - 1)]);
    return name;
}
// The buffer for reading a file of `size` bytes in blocks of at most `most`: the whole file
// and one byte more (which finds the end at once) when it is smaller, `most` when the size
// is not known. Most files of a league are a few kilobytes; a block of the largest size for
// each would cost more to allocate than to read them.
inline std::size_t BlockFor(std::int64_t size, std::size_t most) {
    if (size < 0 || static_cast<std::uint64_t>(size) >= most)
        return most;
    return static_cast<std::size_t>(size) + 1;
}

// A seed that differs between processes and runs: the system's random device, the process
// and the clock.
TOLVIK_EXPORT std::uint64_t FreshSeed(std::uint64_t processId);

// The system the file layer uses now.
TOLVIK_EXPORT SystemFiles& Files();
// The implementation of this system.
TOLVIK_EXPORT SystemFiles& SystemDefaultFiles();
// Puts files in front of the layer (nullptr puts the system's own back); returns the previous one.
TOLVIK_EXPORT SystemFiles* UseFiles(SystemFiles* files);

} // namespace tolvik
