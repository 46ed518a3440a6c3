#pragma once

#include "league/SystemFiles.h"
#include "league/TolvikExport.h"

#include <cstdint>
#include <string>
#include <vector>

// Whole-file copies, as the working copies of a league are made. A copy that fails gives its
// reason through error, when one is given.
namespace tolvik {

// Copies source over target (created or truncated). False when the source is missing
// or the copy failed; a missing source leaves the target untouched.
TOLVIK_EXPORT bool CopyFileOver(const std::string& source, const std::string& target,
                                FileError* error = nullptr);
// Copies source to a target that must not exist yet (error Exists when it does).
// A copy that fails half-way is removed again.
TOLVIK_EXPORT bool CopyToNewFile(const std::string& source, const std::string& target,
                                 FileError* error = nullptr);
// As CopyToNewFile, and the copy stays open: returns a handle (FileHandles.h) for reading
// and writing on the very file made, so that nothing put in its name's place afterwards can
// be taken for it; -1 when the copy failed.
TOLVIK_EXPORT int CopyToNewHandle(const std::string& source, const std::string& target,
                                  FileError* error = nullptr);

} // namespace tolvik
