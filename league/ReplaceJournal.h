#pragma once

#include "league/SystemFiles.h"
#include "league/TolvikExport.h"

#include <functional>
#include <string>
#include <vector>

// Replacing a set of files as one: all of them take their new bytes, or none does, even
// when the program is killed half-way. Every new file is first written to a temporary file
// beside its target and put on the disk; then a journal records the replacements and goes
// on the disk; then the renames run; then the journal goes. Whoever next holds the folder
// completes an interrupted set from its journal (RecoverJournal), or discards it when the
// journal itself was never complete, and removes temporary files that no journal names.
//
// A league folder comes from anyone, and so may its journal: it names nothing but what this
// layer's own write-back of the folder can have made. Every entry is a league file of the
// folder by its name there (the .lge the journal names, or its .pyr, .pyc or .pyf), the
// real path of its file when that lies elsewhere through a link, and the name of a
// temporary file beside that real file. A journal that says anything else is refused as it
// stands, and recovery then touches nothing.
namespace tolvik {

// The journal's name in the league's folder.
inline constexpr const char* kJournalName = "~saltmp.jnl";

struct Replacement {
    std::string source; // the file whose bytes the target takes
    std::string target; // a league file of the folder, followed through symbolic links
    // When > 0, an open handle (FileHandles.h) whose bytes, from its start, the target takes
    // instead of source's: a writer that kept its file open need not trust that the name
    // still leads to that file.
    int sourceHandle = 0;
};

// Where a set is replaced: the league's folder (absolute), where the journal lies, and the
// name of its league file there, whose companions the set may also replace.
struct JournalPlace {
    std::string folder;
    std::string leagueFile;
};

// False when the set was not replaced; failed is then the index of the replacement whose
// target cannot be replaced or whose temporary file could not be made (every target as it
// was; a target another program holds open without sharing shows here, also when the first
// rename fails for it), or -1 when writing the journal failed (every target as it was) or -2
// when a later rename failed (the journal stays, and the next RecoverJournal completes the
// set). error, when given, says why.
TOLVIK_EXPORT bool ReplaceTogether(const std::vector<Replacement>& set, const JournalPlace& place,
                                   int& failed, FileError* error = nullptr);

enum class JournalRecovery {
    None,      // no journal
    Completed, // an interrupted set was completed
    Discarded, // the journal was never complete: every target was still as it was
    Failed,    // the journal names files that are neither old nor new: left for a person to look at
    Refused,   // not a journal of this folder's own write-back: left as it is, nothing touched
};

struct RecoveryResult {
    JournalRecovery outcome = JournalRecovery::None;
    std::string reason; // for Failed and Refused, in the user's terms
};

// Asked whether this program holds the lock of a folder a linked league file leads into
// (taking it when it can); a journal naming a file in a folder it does not hold is refused.
using HoldsFolder = std::function<bool(const std::string& realFolder)>;

// Completes or discards the set a journal in the league's folder records.
TOLVIK_EXPORT RecoveryResult RecoverJournal(const std::string& folder, const HoldsFolder& holds);

// Removes the layer's temporary files from a folder; returns how many went.
TOLVIK_EXPORT int RemoveStaleTemporaries(const std::string& folder);

} // namespace tolvik
