#pragma once

#include <cstddef>
#include <string>

class ContractList;

// The CGS, round and pick of every player, kept in a file of their own when the program is
// stopped with such edits unsaved, and taken back into the list at the next open.
//
// The file: the tag "BRVE", the number of entries (32-bit), then per entry the player ID
// (16-bit), the CGS (32-bit), the round and the pick (8-bit each); little-endian.
namespace KeptSalaryEdits {

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kEntrySize = 8;

// Writes the values of every player of the list; false with the reason when it cannot.
bool Write(const ContractList& list, const std::string& path, std::string& error);
// Takes the values of the file into the list and recomputes its totals. False, with the
// list unchanged and the reason, for a file that cannot be read or is not such a file, or
// one that names a player the league does not have.
bool Take(ContractList& list, const std::string& path, std::string& error);

} // namespace KeptSalaryEdits
