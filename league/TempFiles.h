#pragma once

#include "league/SystemFiles.h"

#include <functional>
#include <string>

// Inside the file layer only: the steps every atomic replacement shares.
namespace tolvik {

// The file the write-back of a league's file must write: the target with every symbolic
// link resolved (a league's file that is a link stays one and its file gets the new bytes).
// A target that does not exist yet is its real folder joined with its name.
std::string RealTarget(const std::string& nativeTarget);

// A temporary file being made: its path and, until it is finished, its open file; and why
// it could not be made or finished.
struct TempFile {
    std::string path;
    SystemFiles::Native file = SystemFiles::kNoFile;
    FileError error = FileError::None;
};

// Makes a new temporary file beside realTarget, fills it through fill and gives it the
// target's permission bits, leaving it open and not yet on the disk. The path is "" (and
// error says why) when the target may not be replaced (write-protected, or not a regular
// file, a link included: NotRegular) or any step fails; nothing is left behind then.
TempFile FillTempBeside(const std::string& realTarget, const std::function<bool(SystemFiles::Native)>& fill);
// Puts the file on the disk and closes it; false (the file removed, error set) when either fails.
bool FinishTemp(TempFile& temp);
// Closes and removes a temporary file that will not be used; its error is kept (Other when
// it had none).
void DropTemp(TempFile& temp);

// FillTempBeside and FinishTemp in one: the path of the finished file, or "" (with the reason
// in error, when one is given).
std::string WriteTempBeside(const std::string& realTarget,
                            const std::function<bool(SystemFiles::Native)>& fill, FileError* error = nullptr);

} // namespace tolvik
