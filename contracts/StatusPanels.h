#pragma once

#include <array>
#include <cstdint>
#include <string>

class ContractList;
class League;

// The texts of the main window's first four status panels for a club: its name, then its
// bonus money spent, current payroll and estimated payroll as money texts after their labels
// (a total below zero keeps its sign instead of wrapping into billions).
std::array<std::string, 4> StatusPanelTexts(const League& league, const ContractList& contracts, int team);

// The fifth panel: the salary cap less the club's current payroll, as "Cap Space: $…"
// ("Cap Space: -$…" over the cap).
std::int64_t CapSpace(const ContractList& contracts, int team);
std::string CapSpaceText(const ContractList& contracts, int team);

// What each figure counts, for its tool tip: the three payroll totals count different things
// for one club, each right by its own rule.
namespace FigureTips {
extern const char* const kBonusSpent;
extern const char* const kCurrentPayroll;
extern const char* const kEstimatedPayroll;
extern const char* const kCapSpace;
// The offer list's running figures.
extern const char* const kOffersPayroll;
extern const char* const kOffersBonus;
} // namespace FigureTips
