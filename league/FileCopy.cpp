// Copying whole files, as the working copies of a league are made.
#include "league/FileCopy.h"

#include "league/FileAccess.h"

namespace tolvik {
namespace {

// Copies source into target opened as `how` says. With keep, a copy that succeeded stays
// open and *keep receives it.
bool CopyInto(const std::string& source, const std::string& target, OpenHow how, FileError* error,
              SystemFiles::Native* keep = nullptr) {
    SystemFiles& files = Files();
    std::string fromStorage;
    std::string toStorage;
    const std::string& from = NativePath(source, fromStorage);
    const std::string& to = NativePath(target, toStorage);
    const SystemFiles::Native in = files.Open(from, OpenHow::Read);
    if (in == SystemFiles::kNoFile)
        return Report(error, files.LastError());
    const SystemFiles::Native out = files.Open(to, how);
    if (out == SystemFiles::kNoFile) {
        Report(error, files.LastError());
        files.Close(in);
        return false;
    }
    FileError why = FileError::None;
    bool ok = files.CopyData(in, out);
    if (!ok)
        why = files.LastError();
    files.Close(in);
    if (ok && keep) {
        *keep = out;
        return true;
    }
    if (!files.Close(out) && ok) {
        why = files.LastError();
        ok = false;
    }
    if (!ok) {
        // A copy cut short is nobody's data; it must not be taken for a real one later.
        files.Remove(to);
        Report(error, why == FileError::None ? FileError::Other : why);
    }
    return ok;
}

} // namespace

bool CopyFileOver(const std::string& source, const std::string& target, FileError* error) {
    return CopyInto(source, target, OpenHow::Create, error);
}

bool CopyToNewFile(const std::string& source, const std::string& target, FileError* error) {
    return CopyInto(source, target, OpenHow::CreateNew, error);
}

int CopyToNewHandle(const std::string& source, const std::string& target, FileError* error) {
    SystemFiles::Native copy = SystemFiles::kNoFile;
    if (!CopyInto(source, target, OpenHow::CreateNew, error, &copy))
        return -1;
    return FileAdopt(copy);
}

} // namespace tolvik
