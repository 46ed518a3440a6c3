#pragma once

#include "contracts/CapTable.h"
#include "contracts/CapTableText.h"
#include "contracts/RosterRows.h"

#include <string>
#include <vector>

class OfferList;

// The tables of the program as CSV files (contracts/Csv.h): a header record of column names,
// then one record per row, money as whole dollars, names in UTF-8.

// id, first, last, pos, experience, team, status, contractTeam, yrSigned, years, yearsLeft,
// salary, bonus, base, bonusCharge, estimatedOnly, cgs.
std::string RosterCsv(const std::vector<RosterRow>& rows);

// row, id, label and one column per season: the players ("player", his ID), the offers
// ("offer", the player's ID), then "total", "salaryCap" and "capSpace".
std::string CapTableCsv(const CapTable& table, const CapTableText& text, const OfferList* offers);

// index, checked, playerID, team, offerType, years, salary, bonus, acceptPct, text.
std::string OfferListCsv(const OfferList& offers);
