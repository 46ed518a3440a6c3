#pragma once

#include "league/SystemFiles.h"
#include "league/TolvikExport.h"

#include <cstdint>
#include <string>
#include <vector>

// Atomic replacement of one file: the bytes go to a temporary file beside the target (in
// its folder's real path), are flushed to disk and renamed over it, so the target is always
// either wholly old or wholly new. The target's permission bits are kept; a write-protected
// target is not replaced (AccessDenied), nor is a target that is a symbolic link, a folder,
// a device or a pipe (NotRegular): nothing is ever written where a link leads. A replacement
// that fails leaves the target as it was and gives its reason through error, when one is given.
namespace tolvik {

TOLVIK_EXPORT bool ReplaceFileAtomically(const std::string& source, const std::string& target,
                                         FileError* error = nullptr);
TOLVIK_EXPORT bool WriteFileAtomically(const std::string& target, const void* data, std::size_t size,
                                       FileError* error = nullptr);
// Temporary files of the layer are named "~salnew.XXXXXXXX.tmp", short whatever the target's name.
TOLVIK_EXPORT bool IsTemporaryName(const std::string& name);

} // namespace tolvik
