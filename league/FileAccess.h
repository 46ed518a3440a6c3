#pragma once

#include "league/SystemFiles.h"
#include "league/TolvikExport.h"

#include <cstdint>
#include <string>
#include <vector>

// The file access layer of the library. Files are reached through small integer
// handles, as the league's working copies are: a handle greater than 0 is open,
// 0 means never opened and -1 a failed open. Each handle buffers its reads and
// writes, so byte-at-a-time scanning costs no system call per byte. Every path is
// taken through NativePath first. A call that fails leaves its reason in LastFileError.
namespace tolvik {

enum class FileMode { Read, ReadWrite };

// Handles and buffering (FileHandles.cpp).
// True when a regular file of that name exists (symbolic links followed).
TOLVIK_EXPORT bool FileExists(const std::string& path);
// Opens an existing file; returns a handle > 0, or -1.
TOLVIK_EXPORT int FileOpen(const std::string& path, FileMode mode);
// Creates (or truncates) a file for reading and writing; returns a handle > 0, or -1.
TOLVIK_EXPORT int FileCreate(const std::string& path);
// Creates a file that must not exist yet; -1 (LastFileError Exists) when the name is taken.
TOLVIK_EXPORT int FileCreateNew(const std::string& path);
// Reads up to count bytes at the handle's position; returns the count read (0 at the end, -1 on error).
TOLVIK_EXPORT int FileRead(int handle, void* buffer, int count);
// Writes count bytes at the handle's position; returns the count written or -1.
TOLVIK_EXPORT int FileWrite(int handle, const void* buffer, int count);
// Moves the position to an absolute offset; returns the new position or -1.
TOLVIK_EXPORT std::int64_t FileSeek(int handle, std::int64_t offset);
// The current size of the file behind an open handle, or -1.
TOLVIK_EXPORT std::int64_t FileSize(int handle);
// True when the handle was made by FileCreate or has been written to since it was opened
// (or since FileMarkSaved).
TOLVIK_EXPORT bool FileModified(int handle);
// Forgets the writes so far: what the file holds now has been saved elsewhere.
TOLVIK_EXPORT void FileMarkSaved(int handle);
// Hands buffered bytes to the system (without waiting for the disk); false on failure.
TOLVIK_EXPORT bool FileWriteBuffered(int handle);
// Writes buffered bytes and asks the system to put them on disk; false on failure.
TOLVIK_EXPORT bool FileFlush(int handle);
// Flushes and closes; a handle <= 0 or unknown is ignored. False when buffered data could not be written.
TOLVIK_EXPORT bool FileClose(int handle);
TOLVIK_EXPORT bool DeleteFile(const std::string& path);
// Reads a whole file of at most maxSize bytes; false when it cannot be read or is larger.
TOLVIK_EXPORT bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                                 std::size_t maxSize = std::size_t{1} << 30);
// True when both files exist and hold the same bytes.
TOLVIK_EXPORT bool SameFileBytes(const std::string& a, const std::string& b);

// Copying (FileCopy.cpp).
// Copies source over target (created or truncated). False when the source is missing
// or the copy failed; a missing source leaves the target untouched.
TOLVIK_EXPORT bool CopyFileOver(const std::string& source, const std::string& target);
// Copies source to a target that must not exist yet (LastFileError Exists when it does).
// A copy that fails half-way is removed again.
TOLVIK_EXPORT bool CopyToNewFile(const std::string& source, const std::string& target);

// Atomic replacement (AtomicReplace.cpp). The bytes go to a temporary file beside the
// real target (symbolic links followed, so a link stays a link), are flushed to disk and
// renamed over it, so the target is always either wholly old or wholly new. The target's
// permission bits are kept; a write-protected target is not replaced (AccessDenied).
TOLVIK_EXPORT bool ReplaceFileAtomically(const std::string& source, const std::string& target);
TOLVIK_EXPORT bool WriteFileAtomically(const std::string& target, const void* data, std::size_t size);
// Temporary files of the layer are named "~salnew.XXXXXXXX.tmp", short whatever the target's name.
TOLVIK_EXPORT bool IsTemporaryName(const std::string& name);

// Paths (FilePaths.cpp). These helpers read both '/' and '\' as separators, as the game's
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
// As FindFileIgnoringCase, but folder/name when there is no such entry: the file to read
// when it exists, and the one to create when it does not.
TOLVIK_EXPORT std::string FileInFolder(const std::string& folder, const std::string& name);
// True when a and b are equal ignoring ASCII case.
TOLVIK_EXPORT bool SameNameIgnoringCase(const std::string& a, const std::string& b);
// The absolute form of a folder ("" means the current directory).
TOLVIK_EXPORT std::string AbsoluteFolder(const std::string& folder);

} // namespace tolvik
