#pragma once

#include "league/SystemFiles.h"

#include <functional>
#include <string>

// Inside the file layer only: the steps every atomic replacement shares.
namespace tolvik {

// The file a replacement of target must write: the target with every symbolic link
// resolved (a link stays a link and its file gets the new bytes). A target that does not
// exist yet is its real folder joined with its name.
std::string RealTarget(const std::string& nativeTarget);

// Writes a new temporary file beside realTarget through fill, gives it the target's
// permission bits, puts it on the disk and closes it. Returns its path, or "" (with
// LastFileError) when the target may not be replaced or any step fails; nothing is left
// behind then.
std::string WriteTempBeside(const std::string& realTarget,
                            const std::function<bool(SystemFiles::Native)>& fill);

} // namespace tolvik
