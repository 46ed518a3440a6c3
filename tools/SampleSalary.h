#pragma once

#include "tools/SampleHooks.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tolvik {
class FolderLock;
}

// The salary files of the sample league.
namespace sample {

// Writes a salary file of the sibling product (.SAL, 30-byte records after a header
// record holding 300) for part of the players: multi-year deals, franchise and transition
// tags, tenders, one-year deals, and free agents on no team. The same seed gives the same
// bytes. error, when given, says why it could not be written.
bool WriteSampleSal(const std::string& path, const std::vector<SamplePlayerInfo>& players, int numTeams,
                    int season, std::uint32_t seed, tolvik::FileError* error = nullptr);

// Writes the league's salary information file (.FRO) with the contract model: CGS by
// ratings and statuses by experience (a build), then contracts for most rostered players
// (1 to 5 years, signed in earlier seasons so that some run out this season), drafted
// rookies with their round and pick, a few tags, tenders and cut players. Uses the default
// options without writing an options file. The league opens under lock, the lock of its
// folder that the caller holds. False with a one-line reason in error.
bool WriteSampleSalaryInfo(const std::string& leaguePath, std::uint32_t seed,
                           const std::shared_ptr<tolvik::FolderLock>& lock, std::string& error);

} // namespace sample
