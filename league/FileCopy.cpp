// Copying whole files, as the working copies of a league are made.
#include "league/FileCopy.h"

#include "league/FileAccess.h"

namespace tolvik {
namespace {

bool CopyInto(const std::string& source, const std::string& target, OpenHow how) {
    SystemFiles& files = Files();
    std::string fromStorage;
    std::string toStorage;
    const std::string& from = NativePath(source, fromStorage);
    const std::string& to = NativePath(target, toStorage);
    const SystemFiles::Native in = files.Open(from, OpenHow::Read);
    if (in == SystemFiles::kNoFile)
        return false;
    const SystemFiles::Native out = files.Open(to, how);
    if (out == SystemFiles::kNoFile) {
        files.Close(in);
        return false;
    }
    bool ok = files.CopyData(in, out);
    const FileError copyError = LastFileError();
    files.Close(in);
    ok = files.Close(out) && ok;
    if (!ok) {
        // A copy cut short is nobody's data; it must not be taken for a real one later.
        files.Remove(to);
        SetLastFileError(copyError == FileError::None ? FileError::Other : copyError);
    }
    return ok;
}

} // namespace

bool CopyFileOver(const std::string& source, const std::string& target) {
    return CopyInto(source, target, OpenHow::Create);
}

bool CopyToNewFile(const std::string& source, const std::string& target) {
    return CopyInto(source, target, OpenHow::CreateNew);
}

} // namespace tolvik
