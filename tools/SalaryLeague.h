#pragma once

#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "league/League.h"
#include "tools/Commands.h"

#include <iosfwd>
#include <memory>
#include <string>

// The open league with its options and salary information, in the order the program
// opens them: options from "salreg" in the league's folder, the league, then the list.
struct SalaryLeague {
    Options options;
    League league;
    std::unique_ptr<ContractList> list;
    bool loaded = false;
};

// Opens the league for a command; create answers the questions the list asks when the
// salary information is missing. Boxes the model showed go to err as notes. False (with one
// line on err) when the league does not open.
bool OpenSalary(SalaryLeague& s, const std::string& path, SalaryCreate create, const std::string& command,
                std::ostream& err);

// True when id is a player of the list's league; otherwise one line on err.
bool CheckPlayerID(const ContractList& list, int id, const std::string& command, std::ostream& err);
