#pragma once

#include "contracts/Commissioner.h"

#include <string>
#include <vector>

class Options;

// The lines that explain a chance beside the editor's "Accepting %": why an offer counts for
// nothing, or the terms that add up to the chance.
std::vector<std::string> DescribeChance(const AcceptTerms& terms, const Options& options);

// The short name of a reason for a chance of 0 ("" for none).
const char* ZeroReasonName(AcceptTerms::ZeroReason reason);
