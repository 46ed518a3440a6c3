#pragma once

#include <string>
#include <vector>

class ContractList;
class OfferList;

// The league's rules that each ticked offer of the list breaks, checked with the running
// figures after it: salary cap, bonus limit, restructures per season, restructures in the
// last contract year only, bonus percentage for lengths above one year, longest contract,
// invalid offers. One list of reasons per item, empty for an item that breaks none (and for
// unticked items).
std::vector<std::vector<std::string>> CheckOfferRules(const OfferList& offers, const ContractList& contracts);

// How many items break a rule.
int CountRuleBreakers(const std::vector<std::vector<std::string>>& problems);

// The question asked before ticked offers that break rules are saved.
std::string SaveAnywayQuestion(int breakers);
