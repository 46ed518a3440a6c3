#pragma once

#include <array>
#include <string>

class ContractList;
class League;

// The texts of the main window's first four status panels for a club: its name, then its
// bonus money spent, current payroll and estimated payroll as money texts after their labels
// (a total below zero keeps its sign instead of wrapping into billions).
std::array<std::string, 4> StatusPanelTexts(const League& league, const ContractList& contracts, int team);
