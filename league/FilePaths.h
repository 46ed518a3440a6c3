#pragma once

#include "league/SystemFiles.h"
#include "league/TolvikExport.h"

#include <cstdint>
#include <string>
#include <vector>

// Paths of the file layer.
namespace tolvik {

// These helpers read both '/' and '\' as separators, as the game's
// own paths use them; NativePath decides what a path given by a user means on this system.
// The folder part of a path without its trailing separator ("" when there is none).
TOLVIK_EXPORT std::string PathFolder(const std::string& path);
// The part after the last separator.
TOLVIK_EXPORT std::string PathLeaf(const std::string& path);
// folder + "/" + name, or name alone when the folder is empty.
TOLVIK_EXPORT std::string PathJoin(const std::string& folder, const std::string& name);
// A path in this system's terms: an existing path as written, else with '\' as a separator.
TOLVIK_EXPORT std::string NativePath(const std::string& path);
// NativePath without a copy for a path already in this system's terms (one without the
// other kind of separator, as the library's own paths are): the path itself, or its native
// form kept in storage.
TOLVIK_EXPORT const std::string& NativePath(const std::string& path, std::string& storage);
// What the file system says of the entry a path names (Stat of its native path).
TOLVIK_EXPORT FileInfo StatPath(const std::string& path, bool followLinks);
// Folder and leaf of a native path, split at this system's separators only.
TOLVIK_EXPORT std::string NativeFolder(const std::string& path);
TOLVIK_EXPORT std::string NativeLeaf(const std::string& path);
// The existing entry of folder whose name equals name ignoring ASCII case (the exact
// name first), as folder-joined path; "" when there is none.
TOLVIK_EXPORT std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);
// FindFileIgnoringCase of each of names (the result in the same order), from one listing of
// the folder.
TOLVIK_EXPORT std::vector<std::string> FindFilesIgnoringCase(const std::string& folder,
                                                             const std::vector<std::string>& names);
// As FindFileIgnoringCase, but folder/name when there is no such entry: the file to read
// when it exists, and the one to create when it does not.
TOLVIK_EXPORT std::string FileInFolder(const std::string& folder, const std::string& name);
// True when a and b are equal ignoring ASCII case.
TOLVIK_EXPORT bool SameNameIgnoringCase(const std::string& a, const std::string& b);
// The absolute form of a folder ("" means the current directory).
TOLVIK_EXPORT std::string AbsoluteFolder(const std::string& folder);

} // namespace tolvik
