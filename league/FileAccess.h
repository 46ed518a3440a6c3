#pragma once

#include "league/TolvikExport.h"

#include <cstdint>
#include <string>

// The file access layer of the library. Files are reached through small integer
// handles, as the league's working copies are: a handle greater than 0 is open,
// 0 means never opened and -1 a failed open. Each handle buffers its reads and
// writes, so byte-at-a-time scanning costs no system call per byte.
namespace tolvik {

enum class FileMode { Read, ReadWrite };

// True when a regular file of that name exists.
TOLVIK_EXPORT bool FileExists(const std::string& path);
// Opens an existing file; returns a handle > 0, or -1.
TOLVIK_EXPORT int FileOpen(const std::string& path, FileMode mode);
// Creates (or truncates) a file for reading and writing; returns a handle > 0, or -1.
TOLVIK_EXPORT int FileCreate(const std::string& path);
// Reads up to count bytes at the handle's position; returns the count read (0 at the end, -1 on error).
TOLVIK_EXPORT int FileRead(int handle, void* buffer, int count);
// Writes count bytes at the handle's position; returns the count written or -1.
TOLVIK_EXPORT int FileWrite(int handle, const void* buffer, int count);
// Moves the position to an absolute offset; returns the new position or -1.
TOLVIK_EXPORT std::int64_t FileSeek(int handle, std::int64_t offset);
// The current size of the file behind an open handle, or -1.
TOLVIK_EXPORT std::int64_t FileSize(int handle);
// True when the handle was made by FileCreate or has been written to since it was opened.
TOLVIK_EXPORT bool FileModified(int handle);
// Writes buffered bytes and asks the system to put them on disk; false on failure.
TOLVIK_EXPORT bool FileFlush(int handle);
// Flushes and closes; a handle <= 0 or unknown is ignored. False when buffered data could not be written.
TOLVIK_EXPORT bool FileClose(int handle);
TOLVIK_EXPORT bool DeleteFile(const std::string& path);
// Copies source over target (created or truncated). False when the source is missing
// or the copy failed; a missing source leaves the target untouched.
TOLVIK_EXPORT bool CopyFileOver(const std::string& source, const std::string& target);
// Replaces target with a copy of source atomically: the bytes go to a temporary file in
// the target's folder, are flushed to disk and renamed over the target, so the target is
// always either wholly old or wholly new.
TOLVIK_EXPORT bool ReplaceFileAtomically(const std::string& source, const std::string& target);
// Writes bytes to target atomically, as ReplaceFileAtomically does.
TOLVIK_EXPORT bool WriteFileAtomically(const std::string& target, const void* data, std::size_t size);

// Takes an advisory exclusive lock on the lock file at path (created when missing) without
// waiting. Returns a handle > 0 that holds the lock until UnlockFile, or -1 when another
// open of that file holds it (in this process or another) or the file cannot be made. The
// lock, not the file, decides: a lock file left behind by a process that died blocks nobody,
// and the system releases the lock of a process that dies.
TOLVIK_EXPORT int LockFile(const std::string& path);
// Removes the lock file and releases the lock taken by LockFile.
TOLVIK_EXPORT void UnlockFile(int handle, const std::string& path);

// Path helpers: both '/' and '\' separate folders.
// The folder part of a path without its trailing separator ("" when there is none).
TOLVIK_EXPORT std::string PathFolder(const std::string& path);
// The part after the last separator.
TOLVIK_EXPORT std::string PathLeaf(const std::string& path);
// folder + "/" + name, or name alone when the folder is empty.
TOLVIK_EXPORT std::string PathJoin(const std::string& folder, const std::string& name);
// The existing entry of folder whose name equals name ignoring ASCII case (the exact
// name first), as folder-joined path; "" when there is none.
TOLVIK_EXPORT std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);
// The absolute form of a folder ("" means the current directory).
TOLVIK_EXPORT std::string AbsoluteFolder(const std::string& folder);

} // namespace tolvik
