// Locks on league folders.
#include "league/FolderLock.h"

#include "league/FileAccess.h"

#include <vector>

namespace tolvik {

FolderLock::~FolderLock() {
    Release();
}

bool FolderLock::Acquire(const std::string& folder) {
    Release();
    folder_ = AbsoluteFolder(folder);
    path_ = PathJoin(folder_, kFileName);
    native_ = Files().Lock(path_);
    if (native_ == SystemFiles::kNoFile)
        return false;
    std::vector<char> bytes(64 * 1024);
    const std::int64_t n = Files().ReadAt(native_, bytes.data(), bytes.size(), 0);
    previous_.assign(bytes.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
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
    notes_ += line + "\n";
    // Blank lines cover whatever longer notes the previous holder left.
    std::string image = notes_;
    if (image.size() < previous_.size())
        image.append(previous_.size() - image.size(), '\n');
    return Files().WriteAt(native_, image.data(), image.size(), 0);
}

} // namespace tolvik
