#pragma once

// The harness of what a league's open trusts least: what a program that died in the folder
// may have left there, or what a stranger put there to look so. The journal of an
// interrupted write-back ("~saltmp.jnl"), the notes in the lock file ("~saltmp.lck"),
// temporary files, working copies and league files of any content lie in the folder, and a
// folder beside it holds files a journal may name. The league is opened (recovery runs) and
// let go; nothing outside the folder may change, and a league file may only take bytes that
// lay in the folder before.

#include "fuzz/FuzzSupport.h"
#include "fuzz/MinimalLeague.h"
#include "league/League.h"

#include <algorithm>
#include <map>
#include <string>

namespace fuzzing {

// The names an input can give a file: the league's files, the layer's own names and a folder
// beside the league's. A code of kTemporaryCode is followed by eight bytes that become the
// letters and digits of a temporary file's name "~salnew.XXXXXXXX.tmp".
inline constexpr const char* kRecoveryNames[] = {
    "fuzz.lge",
    "fuzz.pyr",
    "fuzz.pyf",
    "fuzz.pyc",
    "~saltmp.jnl",
    "~saltmp.lck",
    "~saltmp.lge",
    "~saltmp.pyr",
    "~saltmp.pyf",
    "~saltmp.pyc",
    "~saltemp.pyf",
    "~saltmp.dat",
    "FUZZ.PYF",
    "other.lge",
    "/outside/victim.pyf",
    "/outside/~salnew.Outside1.tmp",
};
inline constexpr int kRecoveryNameCount = static_cast<int>(std::size(kRecoveryNames));
inline constexpr int kTemporaryCode = kRecoveryNameCount;
inline constexpr char kTemporaryNameChars[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
inline constexpr const char* kOutside = "/outside";

// The input: a count, then per file a name code (modulo kRecoveryNameCount + 1; the last
// takes the eight characters of a temporary file's name), a 32-bit length and the bytes. The
// league files an input does not give are the minimal league's.
inline std::map<std::string, Bytes> SplitRecoveryInput(const std::uint8_t* data, std::size_t size) {
    InputCursor in(data, size);
    std::map<std::string, Bytes> files;
    const int count = in.U8() % 16;
    for (int i = 0; i < count && in.Remaining() > 0; ++i) {
        const int code = in.U8() % (kRecoveryNameCount + 1);
        std::string name;
        if (code == kTemporaryCode) {
            name = "~salnew.";
            for (const std::uint8_t c : in.Take(8))
                name.push_back(kTemporaryNameChars[c % (sizeof kTemporaryNameChars - 1)]);
            name += ".tmp";
        } else {
            name = kRecoveryNames[code];
        }
        const ByteSpan bytes = in.Take(in.U32());
        files[name] = Bytes(bytes.begin(), bytes.end());
    }
    return files;
}

// Every file of a folder with its bytes.
inline std::map<std::string, Bytes> FolderFiles(const ScratchFolder& scratch, const std::string& folder) {
    std::map<std::string, Bytes> files;
    std::vector<std::string> names;
    scratch.Files().List(folder, names);
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        const auto file = scratch.Files().Open(path, tolvik::OpenHow::Read);
        if (file == tolvik::SystemFiles::kNoFile)
            continue;
        Bytes bytes(static_cast<std::size_t>(scratch.Files().Size(file)));
        scratch.Files().ReadAt(file, bytes.data(), bytes.size(), 0);
        scratch.Files().Close(file);
        files[name] = std::move(bytes);
    }
    return files;
}

inline int FuzzRecovery(const std::uint8_t* data, std::size_t size) {
    const ScratchScope scope;
    const ScratchFolder& folder = scope.Folder();
    tolvik::MemoryFiles& fs = folder.Files();
    fs.MakeFolder(kOutside);
    std::vector<std::string> outsideNames;
    fs.List(kOutside, outsideNames);
    for (const std::string& name : outsideNames)
        fs.Remove(std::string(kOutside) + "/" + name);

    MinimalLeague::Get().WriteTo(folder, true, true);
    for (const auto& [name, bytes] : SplitRecoveryInput(data, size)) {
        if (name.rfind(kOutside, 0) == 0) {
            const auto file = fs.Open(name, tolvik::OpenHow::Create);
            if (file == tolvik::SystemFiles::kNoFile || !fs.WriteAt(file, bytes.data(), bytes.size(), 0) ||
                !fs.Close(file))
                Fail("the folder beside cannot be written");
        } else {
            folder.Write(name, bytes.data(), bytes.size());
        }
    }
    const auto outside = FolderFiles(folder, kOutside);
    const auto before = FolderFiles(folder, folder.Path());

    std::string reason;
    bool opened = false;
    {
        League league;
        opened = league.OpenLeague(MinimalLeague::LeaguePath(folder));
        reason = league.GetLastError();
    }
    fs.EndProcess();

    Check(FolderFiles(folder, kOutside) == outside, "nothing outside the league's folder changes");
    const auto after = FolderFiles(folder, folder.Path());
    for (const char* name : {"fuzz.lge", "fuzz.pyr", "fuzz.pyf", "fuzz.pyc", "FUZZ.PYF", "other.lge"}) {
        const auto now = after.find(name);
        if (now == after.end())
            continue;
        const auto was = before.find(name);
        const bool kept = was != before.end() && was->second == now->second;
        const bool fromTheFolder = std::any_of(before.begin(), before.end(),
                                               [&](const auto& file) { return file.second == now->second; });
        Check(kept || fromTheFolder, "a league file takes only bytes that lay in its folder");
    }
    if (reason.find("is not a journal of this folder's write-back") != std::string::npos) {
        auto unchanged = before;
        unchanged.erase("~saltmp.lck");
        auto now = after;
        now.erase("~saltmp.lck");
        Check(now == unchanged, "a journal that is refused changes nothing");
    }
    if (opened) {
        Check(after.count("~saltmp.jnl") == 0, "an open league's folder holds no journal");
        Check(std::none_of(after.begin(), after.end(),
                           [](const auto& file) { return tolvik::IsTemporaryName(file.first); }),
              "an open league's folder holds no temporary file");
    }
    return 0;
}

} // namespace fuzzing
