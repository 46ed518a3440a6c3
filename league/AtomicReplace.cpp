// Replacing one file atomically: a temporary file beside it, flushed, renamed over it.
#include "league/AtomicReplace.h"

#include "league/FileAccess.h"
#include "league/TempFiles.h"

namespace tolvik {
namespace {

constexpr const char* kTempPrefix = "~salnew.";
constexpr const char* kTempSuffix = ".tmp";
constexpr std::size_t kTempRandom = 8;

std::string FolderOfNative(const std::string& path) {
    const std::string folder = NativeFolder(path);
    return folder.empty() ? "." : folder;
}

// The target's own name in its folder's real path. The name itself is what gets replaced,
// never what a link of that name leads to: a folder from someone else may hold a link under
// the very name a program writes (its options, its offers), leading out of the folder or onto
// one of the league's own files. FillTempBeside refuses such a link and leaves it as it is.
std::string NameInRealFolder(const std::string& nativeTarget) {
    const std::string folder = Files().RealPath(FolderOfNative(nativeTarget));
    return PathJoin(folder.empty() ? FolderOfNative(nativeTarget) : folder, NativeLeaf(nativeTarget));
}

bool ReplaceWith(const std::string& target, const std::function<bool(SystemFiles::Native)>& fill,
                 FileError* error) {
    const std::string real = NameInRealFolder(NativePath(target));
    const std::string temp = WriteTempBeside(real, fill, error);
    if (temp.empty())
        return false;
    if (!Files().Rename(temp, real)) {
        Report(error, Files().LastError());
        Files().Remove(temp);
        return false;
    }
    Files().SyncFolder(FolderOfNative(real));
    return true;
}

} // namespace

std::string RealTarget(const std::string& nativeTarget) {
    const std::string real = Files().RealPath(nativeTarget);
    return real.empty() ? NameInRealFolder(nativeTarget) : real;
}

bool IsTemporaryName(const std::string& name) {
    const std::string prefix = kTempPrefix;
    const std::string suffix = kTempSuffix;
    if (name.size() != prefix.size() + kTempRandom + suffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < prefix.size() + kTempRandom; ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

TempFile FillTempBeside(const std::string& realTarget, const std::function<bool(SystemFiles::Native)>& fill) {
    SystemFiles& files = Files();
    TempFile temp;
    const FileInfo target = files.Stat(realTarget, false);
    // A device, a pipe, a folder or a link is never replaced by a file: the rename would
    // remove it.
    if (target.exists && !target.regular) {
        temp.error = FileError::NotRegular;
        return temp;
    }
    if (target.exists && !files.MayReplace(realTarget)) {
        temp.error = files.LastError();
        return temp;
    }
    const std::string folder = FolderOfNative(realTarget);
    // A short name of our own, whatever the length of the target's name.
    for (int attempt = 0; attempt < 8 && temp.file == SystemFiles::kNoFile; ++attempt) {
        temp.path = PathJoin(folder, kTempPrefix + files.RandomName(kTempRandom) + kTempSuffix);
        temp.file = files.Open(temp.path, OpenHow::CreateNew);
        temp.error = temp.file == SystemFiles::kNoFile ? files.LastError() : FileError::None;
        if (temp.error != FileError::None && temp.error != FileError::Exists)
            break;
    }
    if (temp.file == SystemFiles::kNoFile) {
        temp.path.clear();
        return temp;
    }
    // Keep the target's permissions when it has some; a new file keeps those it was made with.
    if (!fill(temp.file) || (target.exists && !files.SetMode(temp.file, target.mode))) {
        temp.error = files.LastError();
        DropTemp(temp);
    }
    return temp;
}

bool FinishTemp(TempFile& temp) {
    SystemFiles& files = Files();
    bool ok = files.Sync(temp.file);
    if (!ok)
        temp.error = files.LastError();
    if (!files.Close(temp.file) && ok) {
        temp.error = files.LastError();
        ok = false;
    }
    temp.file = SystemFiles::kNoFile;
    if (!ok) {
        files.Remove(temp.path);
        temp.path.clear();
        if (temp.error == FileError::None)
            temp.error = FileError::Other;
    }
    return ok;
}

void DropTemp(TempFile& temp) {
    const FileError error = temp.error == FileError::None ? FileError::Other : temp.error;
    if (temp.file != SystemFiles::kNoFile)
        Files().Close(temp.file);
    if (!temp.path.empty())
        Files().Remove(temp.path);
    temp = TempFile{};
    temp.error = error;
}

std::string WriteTempBeside(const std::string& realTarget,
                            const std::function<bool(SystemFiles::Native)>& fill, FileError* error) {
    TempFile temp = FillTempBeside(realTarget, fill);
    if (temp.path.empty() || !FinishTemp(temp)) {
        Report(error, temp.error);
        return "";
    }
    return temp.path;
}

bool ReplaceFileAtomically(const std::string& source, const std::string& target, FileError* error) {
    std::string sourceStorage;
    const SystemFiles::Native in = Files().Open(NativePath(source, sourceStorage), OpenHow::Read);
    if (in == SystemFiles::kNoFile)
        return Report(error, Files().LastError());
    const bool ok = ReplaceWith(
        target, [&](SystemFiles::Native out) { return Files().CopyData(in, out); }, error);
    Files().Close(in);
    return ok;
}

bool WriteFileAtomically(const std::string& target, const void* data, std::size_t size, FileError* error) {
    return ReplaceWith(
        target, [&](SystemFiles::Native out) { return Files().WriteAt(out, data, size, 0); }, error);
}

} // namespace tolvik
