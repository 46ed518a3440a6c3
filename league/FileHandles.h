#pragma once

#include "league/SystemFiles.h"
#include "league/TolvikExport.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The file access layer's handles. Files are reached through small integer handles, as the
// league's working copies are: a handle greater than 0 is open, 0 means never opened and -1
// a failed open. Each handle buffers its reads and writes, so byte-at-a-time scanning costs
// no system call per byte. Every path is taken through NativePath first. A call on a path
// that fails gives its reason through its last argument, when one is given; a handle keeps
// the reason of its own last failure (FileHandleError).
namespace tolvik {

// True when a regular file of that name exists (symbolic links followed).
TOLVIK_EXPORT bool FileExists(const std::string& path);
// Opens a file the way `how` says (SystemFiles.h): Read and ReadWrite only an existing
// regular file, Create and CreateNew as FileCreate and FileCreateNew. Returns a handle > 0, or -1.
TOLVIK_EXPORT int FileOpen(const std::string& path, OpenHow how, FileError* error = nullptr);
// Makes a handle of a file the system layer has opened for reading and writing; the handle
// owns it from then on (FileClose closes it). Not counted as modified.
TOLVIK_EXPORT int FileAdopt(SystemFiles::Native native);
// Creates (or truncates) a file for reading and writing; returns a handle > 0, or -1.
TOLVIK_EXPORT int FileCreate(const std::string& path, FileError* error = nullptr);
// Creates a file that must not exist yet; -1 (error Exists) when the name is taken.
TOLVIK_EXPORT int FileCreateNew(const std::string& path, FileError* error = nullptr);
// Why the last failed read, write, size or flush of an open handle failed (Other for
// a handle that is not open).
TOLVIK_EXPORT FileError FileHandleError(int handle);
// Reads up to count bytes at the handle's position; returns the count read (0 at the end, -1 on error).
TOLVIK_EXPORT int FileRead(int handle, void* buffer, int count);
// Writes count bytes at the handle's position; returns the count written or -1.
TOLVIK_EXPORT int FileWrite(int handle, const void* buffer, int count);
// Moves the position to an absolute offset; returns the new position or -1.
TOLVIK_EXPORT std::int64_t FileSeek(int handle, std::int64_t offset);
// Empties the file behind an open handle, which stays open at position 0; false on failure.
TOLVIK_EXPORT bool FileEmpty(int handle);
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
TOLVIK_EXPORT bool FileClose(int handle, FileError* error = nullptr);
TOLVIK_EXPORT bool DeleteFile(const std::string& path, FileError* error = nullptr);
// The one whole-file read of the readers. Reads the file behind an open handle from its
// start into bytes: all of it, or its first limit bytes when it is longer. The size the
// system gives is a hint; what the reads return decides. False when a read failed (bytes
// then holds what arrived before).
TOLVIK_EXPORT bool ReadFromStart(int handle, std::vector<std::uint8_t>& bytes,
                                 std::size_t limit = std::size_t{1} << 30);
// Bytes read from a file into a buffer that was not zero-filled first: a large file's
// bytes are written once, by the read.
struct FileBytes {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;
};
// ReadFromStart into such a buffer.
TOLVIK_EXPORT bool ReadFromStart(int handle, FileBytes& bytes, std::size_t limit = std::size_t{1} << 30);
// The same for a file by path; false when it cannot be opened or read.
TOLVIK_EXPORT bool ReadFileStart(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit,
                                 FileError* error = nullptr);
// Reads a whole file of at most maxSize bytes; false when it cannot be read or is larger
// (error Other).
TOLVIK_EXPORT bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                                 std::size_t maxSize = std::size_t{1} << 30, FileError* error = nullptr);
// True when both files exist and hold the same bytes.
TOLVIK_EXPORT bool SameFileBytes(const std::string& a, const std::string& b);
// The same for the file behind an open handle, from its start (its position moves), and a
// file by path.
TOLVIK_EXPORT bool SameFileBytes(int handle, const std::string& path);

} // namespace tolvik
