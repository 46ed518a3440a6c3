#include "contracts/LeagueFileNames.h"

#include "contracts/Options.h"
#include "league/FilePaths.h"
#include "league/League.h"
#include "league/SystemFiles.h"

#include <vector>

namespace {

bool SameEntry(const tolvik::FileInfo& a, const tolvik::FileInfo& b) {
    return a.exists && b.exists && a.device == b.device && a.inode == b.inode;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           tolvik::SameNameIgnoringCase(text.substr(0, prefix.size()), prefix);
}

} // namespace

bool NamesFileOfLeague(const League& league, const std::string& path) {
    const std::string folder = league.GetLeagueFolder();
    if (folder.empty())
        return false;
    const std::string base = league.GetLeagueFileName();
    std::vector<std::string> names;
    for (const char* ending :
         {".lge", ".pyr", ".pyc", ".pyf", ".dat", ".FRO", ".SAL", "-recovered.off", "-recovered.cgs"})
        names.push_back(base + ending);
    names.emplace_back(Options::kFileName);
    // The working copies, journal and lock ("~saltmp.*", the free agents' "~saltemp.pyf") and
    // a write-back's temporary files ("~salnew.*.tmp").
    const char* const prefixes[] = {"~saltmp.", "~saltemp.", "~salnew."};

    const std::string native = tolvik::NativePath(path);
    const std::string leaf = tolvik::NativeLeaf(native);
    const std::string targetFolder = tolvik::NativeFolder(native);
    if (SameEntry(tolvik::StatPath(targetFolder.empty() ? "." : targetFolder, true),
                  tolvik::StatPath(folder, true))) {
        for (const std::string& name : names)
            if (tolvik::SameNameIgnoringCase(leaf, name))
                return true;
        for (const char* prefix : prefixes)
            if (StartsWithIgnoringCase(leaf, prefix))
                return true;
    }

    // Another path to one of them: a hard link, a link to the file, a link to the folder.
    const tolvik::FileInfo target = tolvik::StatPath(native, true);
    if (!target.exists)
        return false;
    for (const char* work : {"~saltmp.lge", "~saltmp.pyr", "~saltmp.pyc", "~saltmp.pyf", "~saltemp.pyf",
                             "~saltmp.dat", "~saltmp.jnl", "~saltmp.lck"})
        names.emplace_back(work);
    for (const std::string& found : tolvik::FindFilesIgnoringCase(folder, names))
        if (!found.empty() && SameEntry(tolvik::StatPath(found, true), target))
            return true;
    return false;
}
