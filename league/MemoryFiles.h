#pragma once

#include "league/SystemFiles.h"
#include "league/TolvikExport.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tolvik {

// A file system held in memory, for the fuzz targets (no system call per file operation)
// and for tests of a small disk: writes beyond the capacity fail as on a full disk. Paths
// are absolute POSIX-style paths ("/scratch/my.lge"); the root folder "/" exists, other
// folders are made with MakeFolder. There are no links.
class TOLVIK_EXPORT MemoryFiles final : public SystemFiles {
  public:
    explicit MemoryFiles(std::size_t capacity = SIZE_MAX) : capacity_(capacity) {}

    void MakeFolder(const std::string& path);
    // Bytes of all files together.
    std::size_t Used() const;
    // What the death of a process leaves: its open files closed and its locks released, the
    // files as they are (lock files included).
    void EndProcess();

    Native Open(const std::string& path, OpenHow how) override;
    std::int64_t ReadAt(Native file, void* buffer, std::size_t count, std::int64_t offset) override;
    bool WriteAt(Native file, const void* buffer, std::size_t count, std::int64_t offset) override;
    std::int64_t Size(Native file) override;
    bool Truncate(Native file, std::int64_t size) override;
    bool Sync(Native file) override;
    bool Close(Native file) override;
    bool SetMode(Native file, std::uint32_t mode) override;
    bool CopyData(Native in, Native out) override;
    FileInfo Stat(const std::string& path, bool followLinks) override;
    bool MayReplace(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool SyncFolder(const std::string& folder) override;
    bool List(const std::string& folder, std::vector<std::string>& names) override;
    std::string RealPath(const std::string& path) override;
    std::string AbsolutePath(const std::string& path) override;
    std::string NativePath(const std::string& path) override;
    bool IsSeparator(char ch) const override { return ch == '/'; }
    Native Lock(const std::string& path) override;
    void Unlock(Native lock, const std::string& path) override;
    std::string RandomName(std::size_t length) override;

  private:
    struct Node {
        std::vector<std::uint8_t> bytes;
        std::uint32_t mode = 0644;
        std::uint64_t inode = 0;
        std::int64_t changed = 0; // a counter standing in for the time of the last change
    };
    struct OpenFile {
        Native handle = kNoFile;
        std::shared_ptr<Node> node;
        bool writable = false;
    };

    std::string Normal(const std::string& path) const;
    // The path itself when it is already normal, else its normal form kept in storage.
    const std::string& Normal(const std::string& path, std::string& storage) const;
    static std::string Parent(const std::string& normal);
    bool FolderExists(const std::string& folder) const;
    // The open file of a handle, or null.
    OpenFile* Find(Native handle);
    bool Forget(Native handle);

    std::size_t capacity_;
    std::map<std::string, std::shared_ptr<Node>> files_;
    std::set<std::string> folders_{"/"};
    // A process holds a handful of files open at once: a short list searched from the end,
    // which costs no allocation per open as a map's nodes would.
    std::vector<OpenFile> open_;
    std::set<std::string> locked_;
    Native nextHandle_ = 3;
    std::uint64_t nextInode_ = 1;
    std::int64_t clock_ = 0;
    std::uint64_t random_ = 0x9E3779B97F4A7C15ull;
};

} // namespace tolvik
