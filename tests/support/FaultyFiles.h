#pragma once

#include "league/SystemFiles.h"

#include <functional>
#include <string>
#include <vector>

// A file system in front of the real one that lets a test fail or stop chosen calls. Every
// call that changes something on disk (creating, writing, syncing, closing, renaming,
// removing, locking) is first shown to the hook with its kind and path; the hook may answer
// with an error, which the call then returns instead of running. A hook that never returns
// (a process killing itself) stops the program exactly before that call.
class FaultyFiles : public tolvik::SystemFiles {
  public:
    enum class Call { Create, Read, Write, Sync, Close, SetMode, Rename, Remove, SyncFolder, Lock, Unlock };
    // Returns FileError::None to let the call run.
    using Hook = std::function<tolvik::FileError(Call call, const std::string& path)>;

    explicit FaultyFiles(Hook hook, tolvik::SystemFiles& real = tolvik::SystemDefaultFiles())
        : hook_(std::move(hook)), real_(real) {}

    // The hook's error when it refused the last call, else the real system's.
    tolvik::FileError LastError() const override {
        return refusedLast_ ? SystemFiles::LastError() : real_.LastError();
    }

    Native Open(const std::string& path, tolvik::OpenHow how) override {
        refusedLast_ = false;
        if (how != tolvik::OpenHow::Read && how != tolvik::OpenHow::ReadWrite && Refused(Call::Create, path))
            return kNoFile;
        const Native file = real_.Open(path, how);
        if (file != kNoFile)
            Remember(file, path);
        return file;
    }
    std::int64_t ReadAt(Native file, void* buffer, std::size_t count, std::int64_t offset) override {
        if (Refused(Call::Read, PathOf(file)))
            return -1;
        return real_.ReadAt(file, buffer, count, offset);
    }
    bool WriteAt(Native file, const void* buffer, std::size_t count, std::int64_t offset) override {
        return !Refused(Call::Write, PathOf(file)) && real_.WriteAt(file, buffer, count, offset);
    }
    std::int64_t Size(Native file) override {
        refusedLast_ = false;
        return real_.Size(file);
    }
    bool Truncate(Native file, std::int64_t size) override {
        return !Refused(Call::Write, PathOf(file)) && real_.Truncate(file, size);
    }
    bool Sync(Native file) override { return !Refused(Call::Sync, PathOf(file)) && real_.Sync(file); }
    bool Close(Native file) override {
        const std::string path = PathOf(file);
        Forget(file);
        if (Refused(Call::Close, path)) {
            real_.Close(file);
            return false;
        }
        return real_.Close(file);
    }
    bool SetMode(Native file, std::uint32_t mode) override {
        return !Refused(Call::SetMode, PathOf(file)) && real_.SetMode(file, mode);
    }
    bool CopyData(Native in, Native out) override {
        // Through the blocks of the default, so that every write passes the hook.
        return SystemFiles::CopyData(in, out);
    }
    tolvik::FileInfo Stat(const std::string& path, bool followLinks) override {
        return real_.Stat(path, followLinks);
    }
    bool MayReplace(const std::string& path) override {
        refusedLast_ = false;
        return real_.MayReplace(path);
    }
    bool Rename(const std::string& from, const std::string& to) override {
        return !Refused(Call::Rename, to) && real_.Rename(from, to);
    }
    bool Remove(const std::string& path) override {
        return !Refused(Call::Remove, path) && real_.Remove(path);
    }
    bool SyncFolder(const std::string& folder) override {
        return !Refused(Call::SyncFolder, folder) && real_.SyncFolder(folder);
    }
    bool List(const std::string& folder, std::vector<std::string>& names) override {
        refusedLast_ = false;
        return real_.List(folder, names);
    }
    std::string RealPath(const std::string& path) override { return real_.RealPath(path); }
    std::string AbsolutePath(const std::string& path) override { return real_.AbsolutePath(path); }
    std::string NativePath(const std::string& path) override { return real_.NativePath(path); }
    bool IsSeparator(char ch) const override { return real_.IsSeparator(ch); }
    Native Lock(const std::string& path) override {
        if (Refused(Call::Lock, path))
            return kNoFile;
        const Native lock = real_.Lock(path);
        if (lock != kNoFile)
            Remember(lock, path);
        return lock;
    }
    void Unlock(Native lock, const std::string& path) override {
        Forget(lock);
        if (!Refused(Call::Unlock, path))
            real_.Unlock(lock, path);
    }
    std::string RandomName(std::size_t length) override { return real_.RandomName(length); }

  private:
    bool Refused(Call call, const std::string& path) {
        const tolvik::FileError error = hook_(call, path);
        refusedLast_ = error != tolvik::FileError::None;
        if (refusedLast_)
            Fail(error);
        return refusedLast_;
    }
    void Remember(Native file, const std::string& path) {
        Forget(file);
        open_.push_back({file, path});
    }
    void Forget(Native file) {
        for (auto it = open_.begin(); it != open_.end(); ++it) {
            if (it->first == file) {
                open_.erase(it);
                return;
            }
        }
    }
    std::string PathOf(Native file) const {
        for (const auto& entry : open_)
            if (entry.first == file)
                return entry.second;
        return "";
    }

    Hook hook_;
    tolvik::SystemFiles& real_;
    bool refusedLast_ = false;
    std::vector<std::pair<Native, std::string>> open_;
};

// Puts a FaultyFiles in front of the file layer for as long as it lives.
class FaultyFilesInUse {
  public:
    explicit FaultyFilesInUse(FaultyFiles::Hook hook,
                              tolvik::SystemFiles& real = tolvik::SystemDefaultFiles())
        : files_(std::move(hook), real) {
        previous_ = tolvik::UseFiles(&files_);
    }
    ~FaultyFilesInUse() {
        tolvik::UseFiles(previous_ == &tolvik::SystemDefaultFiles() ? nullptr : previous_);
    }
    FaultyFilesInUse(const FaultyFilesInUse&) = delete;
    FaultyFilesInUse& operator=(const FaultyFilesInUse&) = delete;

  private:
    FaultyFiles files_;
    tolvik::SystemFiles* previous_ = nullptr;
};
