#pragma once

#include <string>

class League;

// Whether path names a file of the open league, which nothing written at a user's choice (an
// offer file, an export) may replace: the league file and its companions (.pyr, .pyc, .pyf,
// .dat, .FRO, .SAL), the options file, the recovery files of offers and CGS edits, the working
// copies, the journal, the lock and the temporary files of a write-back. An existing file
// counts by identity (another spelling of its path, a link to it); any name in the league's
// folder counts when it equals one of those ignoring case, as the league finds its files.
bool NamesFileOfLeague(const League& league, const std::string& path);

// Why such a file is not written.
inline constexpr const char* kFileOfTheOpenLeague = "a file of the open league";
