// Locks on league folders.
#include "league/FolderLock.h"

#include "league/FileAccess.h"

#include <algorithm>
#include <cstdint>

namespace tolvik {

FolderLock::~FolderLock() {
    Release();
}

bool FolderLock::Acquire(const std::string& folder) {
    Release();
    folder_ = AbsoluteFolder(folder);
    path_ = PathJoin(folder_, kFileName);
    native_ = Files().Lock(path_);
    if (native_ == SystemFiles::kNoFile) {
        error_ = Files().LastError();
        return false;
    }
    // The notes of the previous holder, at most 64 KB of them; a lock file is mostly empty.
    constexpr std::int64_t kMaxNotes = 64 * 1024;
    const std::int64_t size = Files().Size(native_);
    previous_.resize(static_cast<std::size_t>(size < 0 ? kMaxNotes : std::min(size, kMaxNotes)));
    const std::int64_t n =
        previous_.empty() ? 0 : Files().ReadAt(native_, previous_.data(), previous_.size(), 0);
    previous_.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    notes_.clear();
    return true;
}

void FolderLock::Release() {
    if (native_ != SystemFiles::kNoFile)
        Files().Unlock(native_, path_);
    native_ = SystemFiles::kNoFile;
    notes_.clear();
}

bool FolderLock::Note(const std::string& line) {
    if (!Held())
        return false;
    notes_.append(line).push_back('\n');
    std::string image = notes_;
    // Blank lines cover whatever longer notes the previous holder left.
    if (image.size() < previous_.size())
        image.append(previous_.size() - image.size(), '\n');
    if (Files().WriteAt(native_, image.data(), image.size(), 0))
        return true;
    error_ = Files().LastError();
    return false;
}

} // namespace tolvik
