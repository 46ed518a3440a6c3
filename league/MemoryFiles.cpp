#include "league/MemoryFiles.h"

#include <algorithm>
#include <cstring>

namespace tolvik {

// Paths here are POSIX-style on every system, so they are taken apart by hand rather than
// by std::filesystem, which reads them in the terms of the system it runs on.
// Whether a path is already in its normal form: absolute, no empty, "." or ".." part, no
// separator at the end. Most paths the library hands in are, and take no rebuilding.
static bool IsNormal(const std::string& path) {
    if (path.size() < 2 || path.front() != '/' || path.back() == '/')
        return false;
    for (std::size_t at = 1; at < path.size();) {
        std::size_t end = path.find('/', at);
        if (end == std::string::npos)
            end = path.size();
        const std::size_t length = end - at;
        if (length == 0 || (path[at] == '.' && (length == 1 || (length == 2 && path[at + 1] == '.'))))
            return false;
        at = end + 1;
    }
    return true;
}

const std::string& MemoryFiles::Normal(const std::string& path, std::string& storage) const {
    if (IsNormal(path))
        return path;
    storage = Normal(path);
    return storage;
}

std::string MemoryFiles::Normal(const std::string& path) const {
    if (IsNormal(path))
        return path;
    std::vector<std::string> parts;
    for (std::size_t at = 0; at <= path.size();) {
        std::size_t end = path.find('/', at);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(at, end - at);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    std::string out;
    for (const std::string& part : parts)
        out += "/" + part;
    return out.empty() ? "/" : out;
}

std::string MemoryFiles::Parent(const std::string& normal) {
    const std::size_t cut = normal.rfind('/');
    return cut == std::string::npos || cut == 0 ? "/" : normal.substr(0, cut);
}

bool MemoryFiles::FolderExists(const std::string& folder) const {
    return folders_.count(folder) > 0;
}

MemoryFiles::OpenFile* MemoryFiles::Find(Native handle) {
    for (auto it = open_.rbegin(); it != open_.rend(); ++it)
        if (it->handle == handle)
            return &*it;
    return nullptr;
}

bool MemoryFiles::Forget(Native handle) {
    OpenFile* file = Find(handle);
    if (!file)
        return false;
    if (file != &open_.back())
        *file = std::move(open_.back());
    open_.pop_back();
    return true;
}

void MemoryFiles::MakeFolder(const std::string& path) {
    for (std::string folder = Normal(path); folder != "/"; folder = Parent(folder))
        folders_.insert(folder);
}

std::size_t MemoryFiles::Used() const {
    std::size_t used = 0;
    for (const auto& [path, node] : files_)
        used += node->bytes.size();
    return used;
}

void MemoryFiles::EndProcess() {
    open_.clear();
    locked_.clear();
}

SystemFiles::Native MemoryFiles::Open(const std::string& path, OpenHow how) {
    std::string storage;
    const std::string& name = Normal(path, storage);
    auto it = files_.find(name);
    if (it == files_.end()) {
        if (how == OpenHow::Read || how == OpenHow::ReadWrite) {
            Fail(FolderExists(name) ? FileError::NotRegular : FileError::NotFound);
            return kNoFile;
        }
        if (!FolderExists(Parent(name)) || FolderExists(name)) {
            Fail(FolderExists(name) ? FileError::NotRegular : FileError::NotFound);
            return kNoFile;
        }
        auto node = std::make_shared<Node>();
        node->inode = nextInode_++;
        node->changed = ++clock_;
        it = files_.emplace(name, node).first;
    } else if (how == OpenHow::CreateNew) {
        Fail(FileError::Exists);
        return kNoFile;
    } else if (how != OpenHow::Read && (it->second->mode & 0222) == 0) {
        Fail(FileError::AccessDenied);
        return kNoFile;
    } else if (how == OpenHow::Create) {
        it->second->bytes.clear();
        it->second->changed = ++clock_;
    }
    const Native handle = nextHandle_++;
    open_.push_back({handle, it->second, how != OpenHow::Read});
    return handle;
}

std::int64_t MemoryFiles::ReadAt(Native file, void* buffer, std::size_t count, std::int64_t offset) {
    const OpenFile* open = Find(file);
    if (!open || offset < 0)
        return Fail(FileError::Other) ? 0 : -1;
    const auto& bytes = open->node->bytes;
    if (static_cast<std::uint64_t>(offset) >= bytes.size())
        return 0;
    const std::size_t n = std::min(count, bytes.size() - static_cast<std::size_t>(offset));
    std::memcpy(buffer, bytes.data() + offset, n);
    return static_cast<std::int64_t>(n);
}

bool MemoryFiles::WriteAt(Native file, const void* buffer, std::size_t count, std::int64_t offset) {
    const OpenFile* open = Find(file);
    if (!open || !open->writable || offset < 0)
        return Fail(FileError::AccessDenied);
    auto& bytes = open->node->bytes;
    const std::size_t end = static_cast<std::size_t>(offset) + count;
    if (end > bytes.size()) {
        if (capacity_ != SIZE_MAX && Used() + (end - bytes.size()) > capacity_)
            return Fail(FileError::DiskFull);
        bytes.resize(end);
    }
    if (count > 0)
        std::memcpy(bytes.data() + offset, buffer, count);
    open->node->changed = ++clock_;
    return true;
}

std::int64_t MemoryFiles::Size(Native file) {
    const OpenFile* open = Find(file);
    if (!open)
        return Fail(FileError::Other) ? 0 : -1;
    return static_cast<std::int64_t>(open->node->bytes.size());
}

bool MemoryFiles::Truncate(Native file, std::int64_t size) {
    const OpenFile* open = Find(file);
    if (!open || !open->writable || size < 0)
        return Fail(FileError::AccessDenied);
    auto& bytes = open->node->bytes;
    const auto wanted = static_cast<std::size_t>(size);
    if (wanted > bytes.size() && capacity_ != SIZE_MAX && Used() + (wanted - bytes.size()) > capacity_)
        return Fail(FileError::DiskFull);
    bytes.resize(wanted);
    open->node->changed = ++clock_;
    return true;
}

bool MemoryFiles::Sync(Native file) {
    return Find(file) != nullptr || Fail(FileError::Other);
}

bool MemoryFiles::Close(Native file) {
    return Forget(file) || Fail(FileError::Other);
}

bool MemoryFiles::SetMode(Native file, std::uint32_t mode) {
    const OpenFile* open = Find(file);
    if (!open)
        return Fail(FileError::Other);
    open->node->mode = mode & 07777;
    return true;
}

bool MemoryFiles::CopyData(Native in, Native out) {
    const OpenFile* from = Find(in);
    const OpenFile* to = Find(out);
    if (!from || !to || !to->writable)
        return Fail(FileError::Other);
    const auto& bytes = from->node->bytes;
    auto& target = to->node->bytes;
    if (bytes.size() > target.size() && capacity_ != SIZE_MAX &&
        Used() + bytes.size() - target.size() > capacity_)
        return Fail(FileError::DiskFull);
    target.resize(std::max(target.size(), bytes.size()));
    std::copy(bytes.begin(), bytes.end(), target.begin());
    to->node->changed = ++clock_;
    return true;
}

FileInfo MemoryFiles::Stat(const std::string& path, bool) {
    FileInfo info;
    std::string storage;
    const std::string& name = Normal(path, storage);
    const auto it = files_.find(name);
    if (it != files_.end()) {
        info.exists = true;
        info.regular = true;
        info.mode = it->second->mode;
        info.inode = it->second->inode;
        info.size = static_cast<std::int64_t>(it->second->bytes.size());
        info.modifiedNs = it->second->changed;
    } else if (FolderExists(name)) {
        info.exists = true;
        info.mode = 0755;
    } else {
        Fail(FileError::NotFound);
    }
    return info;
}

bool MemoryFiles::MayReplace(const std::string& path) {
    std::string storage;
    const auto it = files_.find(Normal(path, storage));
    return it == files_.end() || (it->second->mode & 0222) != 0 || Fail(FileError::AccessDenied);
}

bool MemoryFiles::Rename(const std::string& from, const std::string& to) {
    const std::string source = Normal(from);
    const std::string target = Normal(to);
    const auto it = files_.find(source);
    if (it == files_.end())
        return Fail(FileError::NotFound);
    if (!FolderExists(Parent(target)))
        return Fail(FileError::NotFound);
    auto node = it->second;
    files_.erase(it);
    files_[target] = node;
    return true;
}

bool MemoryFiles::Remove(const std::string& path) {
    std::string storage;
    return files_.erase(Normal(path, storage)) > 0 || Fail(FileError::NotFound);
}

bool MemoryFiles::SyncFolder(const std::string& folder) {
    std::string storage;
    return FolderExists(Normal(folder, storage)) || Fail(FileError::NotFound);
}

bool MemoryFiles::List(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    std::string storage;
    const std::string& name = Normal(folder, storage);
    if (!FolderExists(name))
        return Fail(FileError::NotFound);
    const std::string prefix = name == "/" ? "/" : name + "/";
    names.reserve(16); // a league's folder: its files, working copies and temporaries
    for (auto it = files_.lower_bound(prefix);
         it != files_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
        const std::string rest = it->first.substr(prefix.size());
        if (rest.find('/') == std::string::npos)
            names.push_back(rest);
    }
    for (const std::string& sub : folders_)
        if (sub.size() > prefix.size() && sub.compare(0, prefix.size(), prefix) == 0 &&
            sub.find('/', prefix.size()) == std::string::npos)
            names.push_back(sub.substr(prefix.size()));
    return true;
}

std::string MemoryFiles::RealPath(const std::string& path) {
    std::string storage;
    const std::string& name = Normal(path, storage);
    if (files_.count(name) || FolderExists(name))
        return name;
    Fail(FileError::NotFound);
    return "";
}

std::string MemoryFiles::AbsolutePath(const std::string& path) {
    return Normal(path);
}

std::string MemoryFiles::NativePath(const std::string& path) {
    if (path.find('\\') == std::string::npos || path.find('/') != std::string::npos ||
        files_.count(Normal(path)) || FolderExists(Normal(path)))
        return path;
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

SystemFiles::Native MemoryFiles::Lock(const std::string& path) {
    std::string storage;
    const std::string& name = Normal(path, storage);
    if (locked_.count(name)) {
        Fail(FileError::InUse);
        return kNoFile;
    }
    const Native handle = Open(name, files_.count(name) ? OpenHow::ReadWrite : OpenHow::Create);
    if (handle != kNoFile)
        locked_.insert(name);
    return handle;
}

void MemoryFiles::Unlock(Native lock, const std::string& path) {
    const std::string name = Normal(path); // a copy: the erasures below may take what path refers to
    files_.erase(name);
    locked_.erase(name);
    Forget(lock);
}

std::string MemoryFiles::RandomName(std::size_t length) {
    // A fixed xorshift sequence, so that runs on the memory file system repeat exactly.
    return RandomNameFrom(length, [this] {
        random_ ^= random_ << 13;
        random_ ^= random_ >> 7;
        random_ ^= random_ << 17;
        return random_;
    });
}

} // namespace tolvik
