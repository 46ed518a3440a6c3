#pragma once

#include "contracts/ContractList.h"
#include "contracts/OpenLeagueState.h"
#include "league/League.h"
#include "tools/Commands.h"

#include <cstdint>
#include <iosfwd>
#include <string>

// Opens the league for a command with its options and salary information; create answers
// the questions the list asks when the salary information is missing. Boxes the model showed
// go to err as notes. False (with one line on err) when the league does not open, or when
// the default options or the converted or built salary information cannot be written.
bool OpenSalary(OpenLeagueState& s, const std::string& path, SalaryCreate create, const std::string& command,
                std::ostream& err);

// True when id is a player of the list's league; otherwise one line on err.
bool CheckPlayerID(const ContractList& list, std::int64_t id, const std::string& command, std::ostream& err);
