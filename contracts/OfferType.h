#pragma once

#include <cstdint>

// The tag boxes of the contract editor at Submit Contract.
struct OfferTags {
    bool franchise = false;
    bool transition = false;
    bool tender = false;

    bool Any() const { return franchise || transition || tender; }
};

struct OfferDecision {
    std::int8_t type = 10;
    // A designation or tender of one's own free agent: the editor then shows a chance of 100.
    bool certain = false;
    // For an invalid offer, why it cannot be made ("" otherwise).
    const char* whyInvalid = "";
};

// The type of the offer Submit Contract makes, from the listing, the tags, whether the shown
// club is the managed one, and the player's contract status and length.
OfferDecision DecideOfferType(bool freeAgentListing, const OfferTags& tags, bool ownClub, int status,
                              int contractYears);
