#include "contracts/OfferType.h"

#include "contracts/Contract.h"
#include "contracts/Offer.h"

namespace {

std::int8_t OwnClubType(int status, int contractYears) {
    switch (status) {
    case Contract::UnderContract:
    case Contract::TransitionPlayer:
    case Contract::FranchisePlayer:
    case Contract::Holdout:
        return Offer::RestructureOffer;
    case Contract::RestrictedFA:
    case Contract::ExclusiveFA:
        return Offer::OwnRestrictedOffer;
    case Contract::UnrestrictedFA:
        return Offer::SignFreeAgent;
    case Contract::Tendered:
        return Offer::OwnTenderedOffer;
    case Contract::OfferSheet:
        return Offer::MatchOfferSheet;
    case Contract::Retired:
        return contractYears > 0 ? Offer::RestructureOffer : Offer::SignFreeAgent;
    default:
        return Offer::InvalidOffer; // a status no record should hold
    }
}

std::int8_t OtherClubType(int status) {
    switch (status) {
    case Contract::RestrictedFA:
    case Contract::TransitionPlayer:
    case Contract::FranchisePlayer:
    case Contract::Tendered:
        return Offer::GiveOfferSheet;
    case Contract::UnrestrictedFA:
        return Offer::SignFreeAgent;
    default:
        return Offer::InvalidOffer;
    }
}

} // namespace

OfferDecision DecideOfferType(bool freeAgentListing, const OfferTags& tags, bool ownClub, int status,
                              int contractYears) {
    OfferDecision d;
    if (freeAgentListing) {
        const bool tagged = status == Contract::FranchisePlayer || status == Contract::TransitionPlayer ||
                            status == Contract::Tendered;
        d.type = tags.Any() && !tagged ? Offer::InvalidOffer : Offer::SignFreeAgent;
        if (d.type == Offer::InvalidOffer)
            d.whyInvalid = "A free agent without a franchise, transition or tender tag takes none: untick "
                           "the boxes.";
        return d;
    }
    if (tags.Any()) {
        if (!ownClub || (status != Contract::UnrestrictedFA && status != Contract::RestrictedFA)) {
            d.type = Offer::InvalidOffer;
            d.whyInvalid = "Franchise, Transition and Tender Offer are for your own club's unrestricted and "
                           "restricted free agents only.";
            return d;
        }
        // Checked in this order, a later box overriding an earlier one.
        if (tags.franchise)
            d.type = Offer::FranchiseDesignation;
        if (tags.transition)
            d.type = Offer::TransitionDesignation;
        if (tags.tender)
            d.type = Offer::TenderOffer;
        d.certain = true;
        return d;
    }
    d.type = ownClub ? OwnClubType(status, contractYears) : OtherClubType(status);
    if (d.type == Offer::InvalidOffer)
        d.whyInvalid = ownClub
                           ? "The player's contract record holds a status no contract has."
                           : "Another club's player can be offered a contract only as a free agent, or with "
                             "an offer sheet when he is restricted, tagged or tendered.";
    return d;
}
