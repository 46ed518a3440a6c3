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
    // a write-back's temporary files ("~salnew.*.tmp"), in the league's folder and in every
    // folder whose lock it holds.
    const char* const prefixes[] = {"~saltmp.", "~saltemp.", "~salnew."};
    std::vector<std::string> held = league.GetLockedFolders();
    held.push_back(folder);

    const std::string native = tolvik::NativePath(path);
    const std::string leaf = tolvik::NativeLeaf(native);
    const std::string targetFolder = tolvik::NativeFolder(native);
    const tolvik::FileInfo inFolder = tolvik::StatPath(targetFolder.empty() ? "." : targetFolder, true);
    if (SameEntry(inFolder, tolvik::StatPath(folder, true)))
        for (const std::string& name : names)
            if (tolvik::SameNameIgnoringCase(leaf, name))
                return true;
    for (const std::string& heldFolder : held)
        if (SameEntry(inFolder, tolvik::StatPath(heldFolder, true)))
            for (const char* prefix : prefixes)
                if (StartsWithIgnoringCase(leaf, prefix))
                    return true;

    // Another path to one of them: a hard link, a link to the file, a link to the folder.
    const tolvik::FileInfo target = tolvik::StatPath(native, true);
    if (!target.exists)
        return false;
    auto sameAsOneOf = [&target](const std::string& in, const std::vector<std::string>& those) {
        for (const std::string& found : tolvik::FindFilesIgnoringCase(in, those))
            if (!found.empty() && SameEntry(tolvik::StatPath(found, true), target))
                return true;
        return false;
    };
    const std::vector<std::string> work = {"~saltmp.lge",  "~saltmp.pyr", "~saltmp.pyc", "~saltmp.pyf",
                                           "~saltemp.pyf", "~saltmp.dat", "~saltmp.jnl", "~saltmp.lck"};
    if (sameAsOneOf(folder, names))
        return true;
    for (const std::string& heldFolder : held)
        if (sameAsOneOf(heldFolder, work))
            return true;
    return false;
}
