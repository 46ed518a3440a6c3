#pragma once

#include "league/TolvikExport.h"

#include <string>
#include <vector>

// Replacing a set of files as one: all of them take their new bytes, or none does, even
// when the program is killed half-way. Every new file is first written to a temporary file
// beside its target and put on the disk; then a journal records the replacements and goes
// on the disk; then the renames run; then the journal goes. Whoever next holds the folder
// completes an interrupted set from its journal (RecoverJournal), or discards it when the
// journal itself was never complete, and removes temporary files that no journal names.
namespace tolvik {

struct Replacement {
    std::string source; // the file whose bytes the target takes
    std::string target; // followed through symbolic links
};

// False when the set was not replaced; failed is then the index of the replacement whose
// target cannot be replaced or whose temporary file could not be made (every target as it
// was; a target another program holds open without sharing shows here, also when the first
// rename fails for it), or -1 when writing the journal failed (every target as it was) or -2
// when a later rename failed (the journal stays, and the next RecoverJournal completes the
// set). LastFileError says why.
TOLVIK_EXPORT bool ReplaceTogether(const std::vector<Replacement>& set, const std::string& journalPath,
                                   int& failed);

enum class JournalRecovery {
    None,      // no journal
    Completed, // an interrupted set was completed
    Discarded, // the journal was never complete: every target was still as it was
    Failed,    // the journal names files that are neither old nor new: left for a person to look at
};
TOLVIK_EXPORT JournalRecovery RecoverJournal(const std::string& journalPath);

// Removes the layer's temporary files from a folder; returns how many went.
TOLVIK_EXPORT int RemoveStaleTemporaries(const std::string& folder);

} // namespace tolvik
