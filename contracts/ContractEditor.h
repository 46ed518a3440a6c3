#pragma once

#include "contracts/CheapestOffer.h"
#include "contracts/Commissioner.h"
#include "contracts/Contract.h"
#include "contracts/EditorFields.h"
#include "contracts/Offer.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class ContractList;
class League;
class Options;

// The contract editor without its window: the listings (clubs, free-agent and draft groups),
// the player shown, the offer being typed with its acceptance chance and cap lines, and the
// offer Submit Contract makes. Handlers carry the names of the window's events; the window
// writes what the user typed into Fields(), calls the handler, and shows Fields() again.
// While an offer is typed a text that is not (yet) a number shows no chance and a note naming
// its box; Submit Contract and the other handlers that meet such a text throw ConversionError
// and change nothing.
class ContractEditor {
  public:
    enum class Listing { Teams = 0, FreeAgents = 1 };

    // The names of the nine free-agent and college-draft groups, in list order.
    static const std::array<std::string, 9>& FreeAgentListNames();
    static const std::array<std::string, 9>& CollegeDraftListNames();

    // Bound to the open league's contract list (and through it the league and options);
    // ownerName is the component name of the main window, which decides the role.
    ContractEditor(ContractList& contracts, std::string ownerName);

    EditorFields& Fields() { return fields_; }
    const EditorFields& Fields() const { return fields_; }

    // The role: CGS editing belongs to the front office.
    bool IsFrontOffice() const { return ownerName_ == "FrontOffice"; }
    // Decided once per editor from "Hide Potentials".
    bool PotentialsMasked() const { return potentialsMasked_; }

    int GetUserTeam() const { return userTeam_; }
    void SetUserTeam(int team) { userTeam_ = static_cast<std::int8_t>(team); }

    // Listings.
    Listing GetListing() const { return listing_; }
    void listingTypeClick(Listing listing);
    void ListTeams();
    void ListFreeAgentGroups();
    const std::vector<std::string>& TeamBoxItems() const { return teamItems_; }
    int TeamBoxIndex() const { return teamIndex_; }
    // Selects an entry of the team box (-1 for none, as after typing into it) and lists its players.
    void TeamListBoxChange(int index);
    const std::vector<std::string>& PlayerItems() const { return playerItems_; }
    // The player of a player-list item, 0 for none.
    std::int16_t PlayerOfItem(int item) const;
    void PlayerListBoxClick(int item);

    // A player ID of the league shows him; 0 switches to the club listing, -1 to the
    // free-agent listing; anything else does nothing. True when a player was shown.
    bool ShowPlayerByID(int id);
    void ShowPlayer(std::int16_t id);
    // Shows a player as if he had been picked from the list of the listing and team-box entry
    // chosen now, whether or not that list holds him (the command line's offer command).
    bool ShowPlayerOfListing(int id);
    // The cap lines of player id's contract, or for id -1 of the offer in the boxes.
    std::vector<std::string> ListCapHits(int id) const;
    void ShowStats(std::int16_t id);

    // The offer being typed (a key released in years, salary or bonus). Never throws: a box that
    // cannot be read, or a length above the league's longest contract, shows no chance and a
    // note instead.
    void CalcAccept();
    // The first offer box (or the player ID) that cannot be read as a number, named as the
    // window captions it, with the reason; empty when every box can be read. An empty money
    // or length box counts as 0.
    std::string TypedProblem() const;
    // Leaving a money box writes its amount with comma groups; a text without any digit is
    // left as typed (the note beside the chance names it).
    void salaryExit();
    void bonusExit();
    void FPCheck(bool checked);
    void TPCheck(bool checked);
    void TendCheck(bool checked);
    // Store the typed round or pick of a player without experience in his contract record.
    void RoundChange();
    void PickChange();
    // The result of the new-CGS dialog: a value of 0 or more becomes the player's CGS, and the
    // chance of the offer in the boxes is computed again with it.
    void ApplyNewCGS(int result);

    // Submit Contract: the offer the boxes describe (type 10 when the rules reject it). Its
    // type is decided from the listing and club the player was shown from, not from what the
    // boxes above the list show now. Throws ConversionError naming the box (TypedProblem)
    // when there is no player or a box cannot be read.
    Offer saveButtonClick();
    // Why the last offer saveButtonClick built is invalid ("" when it is not).
    const std::string& WhyInvalid() const { return whyInvalid_; }
    // An offer of the list loaded back into the boxes, with its chance recomputed.
    void ShowOffer(const Offer& offer);

    // The shown player's cheapest offers for the targets (nothing before a player is shown).
    std::vector<CheapestOffer> CheapestOffers(const std::vector<int>& targets) const;
    // Length, salary and bonus typed into their boxes as plain numbers, then the chance.
    void TypeOffer(int years, std::uint32_t salary, std::uint32_t bonus);
    // The terms of the chance of the offer in the boxes (or of the present contract when
    // nothing was typed since the player was shown).
    const AcceptTerms& ChanceTerms() const { return terms_; }

  private:
    void SetAccept(const AcceptTerms& terms);
    // No chance, and a note beside "Accepting %" that says why; the terms keep the reason
    // when there is one of their kind.
    void ShowNoChance(const std::string& note, AcceptTerms::ZeroReason reason = AcceptTerms::None);
    // The chance of the offer in the boxes (or a note); false when a box cannot be read.
    bool ShowTypedChance();
    // Where the shown player was shown from: the listing and the entry of the team box that
    // held him, or, for a player shown by ID, where the league keeps him.
    void NoteShownFrom(Listing listing, int teamIndex);
    void StoreDraftSlot(const std::string& text, std::uint8_t Contract::*field,
                        std::string EditorFields::*box);
    // The offer in the boxes: salary, bonus and length, each 0 when its box is empty.
    struct Typed {
        std::uint32_t salary = 0;
        std::uint32_t bonus = 0;
        int years = 0;
    };
    Typed ReadTyped() const;
    std::vector<std::string> CapLines(const Contract& contract, int years) const;

    ContractList& contracts_;
    League& league_;
    const Options& options_;
    Commissioner commissioner_;
    std::string ownerName_;
    bool potentialsMasked_ = false;
    std::int8_t userTeam_ = 0;

    Listing listing_ = Listing::Teams;
    std::vector<std::string> teamItems_;
    int teamIndex_ = -1;
    std::vector<std::string> playerItems_;
    std::vector<std::int16_t> itemIDs_;

    Listing shownListing_ = Listing::Teams;
    int shownTeamIndex_ = -1;

    EditorFields fields_;
    std::string whyInvalid_;
    AcceptTerms terms_;
};
