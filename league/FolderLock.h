#pragma once

#include "league/SystemFiles.h"
#include "league/TolvikExport.h"

#include <string>

namespace tolvik {

// The exclusive lock on a league's folder, held through its lock file "~saltmp.lck" from
// Acquire until Release or the object goes. The working copies have fixed names in that
// folder, so only the holder may make, write back or remove them. The holder keeps notes in
// the lock file (the working copies it made); a holder that dies leaves them for the next,
// which so tells its leftovers from files it must not touch.
class TOLVIK_EXPORT FolderLock {
  public:
    static constexpr const char* kFileName = "~saltmp.lck";

    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock of a folder ("" is the current directory) without waiting. False when
    // another open League or program holds it (Error() InUse) or the lock file cannot be made
    // (the folder is not writable, ...).
    bool Acquire(const std::string& folder);
    void Release();
    bool Held() const { return native_ != SystemFiles::kNoFile; }
    // The absolute folder the lock is held for.
    const std::string& Folder() const { return folder_; }
    // The notes a holder that died left in the lock file ("" when it ended cleanly).
    const std::string& PreviousNotes() const { return previous_; }
    // Adds a line to this holder's notes; false when it cannot be written.
    bool Note(const std::string& line);
    // Why the last Acquire or Note failed.
    FileError Error() const { return error_; }

  private:
    SystemFiles::Native native_ = SystemFiles::kNoFile;
    std::string folder_;
    std::string path_;
    std::string previous_;
    std::string notes_;
    FileError error_ = FileError::None;
};

} // namespace tolvik
