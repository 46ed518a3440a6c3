#include "contracts/ContractEditor.h"

#include "contracts/ChanceExplanation.h"
#include "contracts/ContractList.h"
#include "contracts/OfferType.h"
#include "contracts/Options.h"
#include "contracts/PositionText.h"
#include "contracts/SignedMoney.h"
#include "contracts/TextToInt.h"
#include "league/League.h"
#include "league/MoneyText.h"
#include "stats/StatList.h"
#include "stats/Statistic.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr int kMaxCapLines = std::numeric_limits<std::int8_t>::max();

bool IsFreeAgentStatus(int status) {
    return status == Contract::UnrestrictedFA || status == Contract::RestrictedFA ||
           status == Contract::ExclusiveFA;
}

std::string Commas(std::int32_t amount) {
    return FormatCommas(static_cast<unsigned int>(amount));
}

// A money box's amount with comma groups. A text that is no amount stays as typed: the user
// is told beside the chance, and again by name at Submit Contract.
void FormatMoneyBox(std::string& box) {
    try {
        box = FormatCommas(static_cast<unsigned int>(RemoveCommas(box)));
    } catch (const ConversionError&) {
    }
}

} // namespace

const std::array<std::string, 9>& ContractEditor::FreeAgentListNames() {
    static const std::array<std::string, 9> names{"Free Agent QB", "Free Agent RB", "Free Agent R",
                                                  "Free Agent OL", "Free Agent DL", "Free Agent LB",
                                                  "Free Agent DB", "Free Agent K",  "Free Agent P"};
    return names;
}

const std::array<std::string, 9>& ContractEditor::CollegeDraftListNames() {
    static const std::array<std::string, 9> names{"College Draft QB", "College Draft RB", "College Draft R",
                                                  "College Draft OL", "College Draft DL", "College Draft LB",
                                                  "College Draft DB", "College Draft K",  "College Draft P"};
    return names;
}

ContractEditor::ContractEditor(ContractList& contracts, std::string ownerName)
    : contracts_(contracts), league_(contracts.GetLeague()), options_(contracts.GetOptions()),
      commissioner_(contracts), ownerName_(std::move(ownerName)), potentialsMasked_(options_.hid_pote != 0) {}

void ContractEditor::listingTypeClick(Listing listing) {
    if (listing == Listing::Teams)
        ListTeams();
    else
        ListFreeAgentGroups();
}

void ContractEditor::ListTeams() {
    teamItems_.clear();
    // Nothing of the other listing stays listed: no entry of the team box is chosen yet.
    playerItems_.clear();
    itemIDs_.clear();
    for (int i = 0; i < league_.GetNumTeams(); ++i)
        teamItems_.push_back(league_.GetTeamName(i));
    teamIndex_ = -1;
    listing_ = Listing::Teams;
}

void ContractEditor::ListFreeAgentGroups() {
    teamItems_.clear();
    playerItems_.clear();
    itemIDs_.clear();
    if (league_.GetFAExists())
        teamItems_.insert(teamItems_.end(), FreeAgentListNames().begin(), FreeAgentListNames().end());
    if (league_.GetCDExists())
        teamItems_.insert(teamItems_.end(), CollegeDraftListNames().begin(), CollegeDraftListNames().end());
    teamIndex_ = -1;
    listing_ = Listing::FreeAgents;
}

void ContractEditor::TeamListBoxChange(int index) {
    teamIndex_ = index >= 0 && index < static_cast<int>(teamItems_.size()) ? index : -1;
    playerItems_.clear();
    itemIDs_.clear();
    if (teamIndex_ == -1)
        return;
    const short next = league_.GetNextPlayerID();
    if (listing_ == Listing::Teams) {
        const short* roster = league_.GetSortedRoster(teamIndex_);
        if (!roster)
            return;
        for (int slot = 0; slot < Roster::kSlots; ++slot) {
            const short id = roster[slot];
            if (id < 100 || id >= next)
                continue;
            const Player player = league_.players.GetPlayer(id);
            playerItems_.push_back(player.GetStringPos() + " " + player.GetLastName() + ", " +
                                   player.GetFirstName());
            itemIDs_.push_back(id);
        }
        return;
    }
    // Without a free-agent file the box holds only the draft groups, so their indexes start at 0.
    int group = teamIndex_;
    const short* ids;
    int n;
    if (group < 9 && league_.GetFAExists()) {
        ids = league_.GetFreeAgents(group);
        n = league_.GetNumFreeAgents(group);
    } else {
        if (group >= 9)
            group -= 9;
        ids = league_.GetCollegeDraft(group);
        n = league_.GetNumCollegeDraft(group);
    }
    for (int k = 0; ids && k < n; ++k) {
        const Player player = league_.players.GetPlayer(ids[k]);
        playerItems_.push_back(player.GetLastName() + ", " + player.GetFirstName());
        itemIDs_.push_back(ids[k]);
    }
}

std::int16_t ContractEditor::PlayerOfItem(int item) const {
    if (item < 0 || item >= static_cast<int>(itemIDs_.size()))
        return 0;
    return itemIDs_[static_cast<std::size_t>(item)];
}

void ContractEditor::PlayerListBoxClick(int item) {
    if (item < 0 || item >= static_cast<int>(playerItems_.size()) ||
        playerItems_[static_cast<std::size_t>(item)] == "Open Slot")
        return;
    ShowPlayerOfListing(PlayerOfItem(item));
}

bool ContractEditor::ShowPlayerOfListing(int id) {
    if (!ShowPlayerByID(id))
        return false;
    NoteShownFrom(listing_, teamIndex_);
    return true;
}

void ContractEditor::NoteShownFrom(Listing listing, int teamIndex) {
    shownListing_ = listing;
    shownTeamIndex_ = teamIndex;
}

bool ContractEditor::ShowPlayerByID(int id) {
    if (id >= 100 && id < league_.GetNextPlayerID()) {
        ShowPlayer(static_cast<std::int16_t>(id));
        return true;
    }
    if (id == 0)
        ListTeams();
    else if (id == -1)
        ListFreeAgentGroups();
    return false;
}

void ContractEditor::ShowPlayer(std::int16_t id) {
    const Contract c = contracts_.GetContract(id);
    const Player player = league_.players.GetPlayer(id);
    const int cur = contracts_.GetCurrentSeason();
    const int experience = player.GetYears();
    EditorFields& f = fields_;
    // Shown by ID (from the offer list, or at start): as if from the listing that holds him.
    const int club = league_.FindTeam(id);
    NoteShownFrom(club != -1 ? Listing::Teams : Listing::FreeAgents, club);

    const int yearFree = c.yrSigned + c.years;
    const int expAtEnd = experience + std::max(yearFree - cur, 0);
    if (IsFreeAgentStatus(c.status)) {
        f.yrSigned = "----";
        f.yrFree = std::to_string(cur);
    } else {
        f.yrSigned = std::to_string(c.yrSigned);
        f.yrFree = std::to_string(yearFree);
    }
    if (c.status == Contract::OfferSheet)
        f.yrSigned += " to an Offersheet by " + league_.GetTeamName(c.offerTeam);
    f.age = std::to_string(experience);
    f.years = std::to_string(c.years);
    f.faType = expAtEnd < options_.agerfa ? "Exclusive"
                                          : (expAtEnd == options_.agerfa ? "Restricted" : "Unrestricted");
    f.playerID = std::to_string(id);
    f.contractTeam = c.contractTeam < 0 ? std::string() : league_.GetTeamName(c.contractTeam);

    f.cgs = FormatCommas(c.cgs);
    f.bonus = FormatCommas(c.bonus);
    f.salary = FormatCommas(c.salary);
    f.currentBonus = Commas(c.YearCharge(0, Contract::BonusOnly, options_, cur));
    f.currentBase = Commas(c.YearCharge(0, Contract::BaseOnly, options_, cur));
    f.declines = std::to_string(c.declines);

    f.TransitionTag = c.status == Contract::TransitionPlayer;
    f.FranchiseTag = c.status == Contract::FranchisePlayer;
    f.tender = c.status == Contract::Tendered;
    f.HoldoutLabel = c.status == Contract::Holdout;

    f.playerFirstName = player.GetFirstName();
    f.playerLastName = player.GetLastName();
    // A code outside the table shows no position rather than the previous player's.
    f.Pos = PositionText(player.GetPosSpecific());

    const Player::Ratings actual = player.GetARatings();
    const Player::Ratings potential = player.GetPRatings();
    std::string EditorFields::*const actualBoxes[8] = {
        &EditorFields::aAC, &EditorFields::aAG, &EditorFields::aDI, &EditorFields::aEN,
        &EditorFields::aHA, &EditorFields::aIN, &EditorFields::aSP, &EditorFields::aST};
    std::string EditorFields::*const potentialBoxes[8] = {
        &EditorFields::pAC, &EditorFields::pAG, &EditorFields::pDI, &EditorFields::pEN,
        &EditorFields::pHA, &EditorFields::pIN, &EditorFields::pSP, &EditorFields::pST};
    for (std::size_t r = 0; r < 8; ++r) {
        f.*actualBoxes[r] = std::to_string(actual[r]);
        f.*potentialBoxes[r] = std::to_string(potential[r]);
    }

    if (league_.FindTeam(id) != -1)
        f.currentTeam = league_.GetTeamName(league_.FindTeam(id));
    else
        f.currentTeam = league_.IsFreeAgent(id) ? "Free Agent" : "Retired";

    SetAccept(commissioner_.ExplainChance(c, c.years, c.salary, c.bonus));

    f.caphit = ListCapHits(id);
    f.caphitSelected = -1;
    if (cur >= c.yrSigned && cur - c.yrSigned < static_cast<int>(f.caphit.size()))
        f.caphitSelected = cur - c.yrSigned;

    f.roundPickShown = experience == 0;
    if (f.roundPickShown) {
        f.Round = std::to_string(c.round);
        f.Pick = std::to_string(c.pick);
    }
    ShowStats(id);
}

std::vector<std::string> ContractEditor::CapLines(const Contract& contract, int years) const {
    std::vector<std::string> lines;
    const int n = std::min(years, kMaxCapLines);
    // A charge below zero (only an options file with negative splits gives one) reads as such,
    // not as the unsigned amount its bits would make.
    for (int k = 0; k < n; ++k)
        lines.push_back(std::to_string(contract.yrSigned + k) + ": " +
                        SignedMoney(contract.FullYearCharge(k + 1, Contract::BaseAndBonus, options_,
                                                            contracts_.GetCurrentSeason())));
    return lines;
}

std::vector<std::string> ContractEditor::ListCapHits(int id) const {
    if (id != -1) {
        const Contract c = contracts_.GetContract(id);
        return CapLines(c, c.years);
    }
    const Typed typed = ReadTyped();
    Contract offer(contracts_.GetCurrentSeason());
    offer.salary = typed.salary;
    offer.bonus = typed.bonus;
    offer.years = static_cast<std::int8_t>(std::clamp(typed.years, 0, kMaxCapLines));
    return CapLines(offer, typed.years);
}

ContractEditor::Typed ContractEditor::ReadTyped() const {
    Typed t;
    if (!fields_.salary.empty())
        t.salary = static_cast<std::uint32_t>(RemoveCommas(fields_.salary));
    if (!fields_.bonus.empty())
        t.bonus = static_cast<std::uint32_t>(RemoveCommas(fields_.bonus));
    if (!fields_.years.empty())
        t.years = TextToInt(fields_.years);
    return t;
}

void ContractEditor::ShowStats(std::int16_t id) {
    fields_.GameStatOutput.clear();
    fields_.SeasonStatOutput.clear();
    fields_.CareerStatOutput.clear();
    StatList* list = league_.GetStats(id);
    if (!list || list->empty())
        return;
    list->reset();
    do {
        const Statistic* line = list->value();
        if (line->type < 32)
            fields_.GameStatOutput.push_back(line->StatLine());
        else if (line->type < 64)
            fields_.SeasonStatOutput.push_back(line->StatLine());
        else
            fields_.CareerStatOutput.push_back(line->StatLine());
    } while (list->next() == 1);
}

void ContractEditor::SetAccept(const AcceptTerms& terms) {
    terms_ = terms;
    fields_.accept_percent = std::to_string(terms.chance);
    fields_.acceptColor =
        terms.chance >= 60 ? EditorFields::AcceptColor::Green : EditorFields::AcceptColor::Red;
    fields_.chanceExplanation = DescribeChance(terms, options_);
}

void ContractEditor::ShowNoChance(const std::string& note, AcceptTerms::ZeroReason reason) {
    terms_ = AcceptTerms{};
    terms_.zeroReason = reason;
    fields_.accept_percent.clear();
    fields_.acceptColor = EditorFields::AcceptColor::None;
    fields_.chanceExplanation = {note};
}

std::string ContractEditor::TypedProblem() const {
    if (fields_.playerID.empty())
        return "Player ID: no player is shown";
    const auto unreadable = [](const char* box, const std::string& text, auto read) -> std::string {
        if (text.empty())
            return {};
        try {
            read(text);
        } catch (const ConversionError& error) {
            return std::string(box) + ": " + error.what();
        }
        return {};
    };
    for (const std::string& problem : {unreadable("Length", fields_.years, TextToInt),
                                       unreadable("Base Salary", fields_.salary, RemoveCommas),
                                       unreadable("Bonus", fields_.bonus, RemoveCommas)})
        if (!problem.empty())
            return problem;
    return {};
}

bool ContractEditor::ShowTypedChance() {
    const std::string problem = TypedProblem();
    if (!problem.empty()) {
        ShowNoChance(problem);
        return false;
    }
    const Typed typed = ReadTyped();
    if (typed.years > options_.max_length) {
        ShowNoChance("Longer than the longest contract of " + std::to_string(options_.max_length) + " years",
                     AcceptTerms::BeyondLongestContract);
        return true;
    }
    const int id = TextToInt(fields_.playerID);
    SetAccept(
        commissioner_.ExplainChance(contracts_.GetContract(id), typed.years, typed.salary, typed.bonus));
    return true;
}

void ContractEditor::CalcAccept() {
    if (ShowTypedChance())
        fields_.caphit = ListCapHits(-1);
    else
        fields_.caphit.clear();
    fields_.caphitSelected = -1;
}

void ContractEditor::salaryExit() {
    FormatMoneyBox(fields_.salary);
}

void ContractEditor::bonusExit() {
    FormatMoneyBox(fields_.bonus);
}

void ContractEditor::FPCheck(bool checked) {
    fields_.FranchiseTag = checked;
    if (checked)
        fields_.TransitionTag = fields_.tender = false;
}

void ContractEditor::TPCheck(bool checked) {
    fields_.TransitionTag = checked;
    if (checked)
        fields_.FranchiseTag = fields_.tender = false;
}

void ContractEditor::TendCheck(bool checked) {
    fields_.tender = checked;
    if (checked)
        fields_.FranchiseTag = fields_.TransitionTag = false;
}

void ContractEditor::StoreDraftSlot(const std::string& text, std::uint8_t Contract::*field,
                                    std::string EditorFields::*box) {
    if (fields_.age != "0")
        return;
    const int value = TextToInt(text);
    Contract* record = contracts_.GetRecord(TextToInt(fields_.playerID));
    if (!record)
        return;
    // The record holds a byte: a value it cannot hold is not stored, and the box shows what is.
    if (value < 0 || value > 255) {
        fields_.*box = std::to_string(record->*field);
        return;
    }
    record->*field = static_cast<std::uint8_t>(value);
}

void ContractEditor::RoundChange() {
    StoreDraftSlot(fields_.Round, &Contract::round, &EditorFields::Round);
}

void ContractEditor::PickChange() {
    StoreDraftSlot(fields_.Pick, &Contract::pick, &EditorFields::Pick);
}

void ContractEditor::ApplyNewCGS(int result) {
    if (result < 0)
        return;
    const int id = TextToInt(fields_.playerID);
    contracts_.SetCGS(id, static_cast<std::uint32_t>(result));
    fields_.cgs = FormatCommas(static_cast<unsigned int>(result));
    ShowTypedChance();
}

Offer ContractEditor::saveButtonClick() {
    if (const std::string problem = TypedProblem(); !problem.empty())
        throw ConversionError(problem);
    const int id = TextToInt(fields_.playerID);
    const Contract c = contracts_.GetContract(id);
    const OfferTags tags{fields_.FranchiseTag, fields_.TransitionTag, fields_.tender};
    const bool ownClub = userTeam_ == shownTeamIndex_;
    const OfferDecision decision =
        DecideOfferType(shownListing_ == Listing::FreeAgents, tags, ownClub, c.status, c.years);

    // Work on a copy of the boxes so that a failed conversion leaves the window as it was.
    EditorFields f = fields_;
    if (decision.certain)
        f.accept_percent = "100";
    for (std::string* box : {&f.salary, &f.bonus, &f.years})
        if (box->empty())
            *box = "0";

    Offer offer;
    offer.playerID = static_cast<std::int16_t>(id);
    offer.salary = static_cast<std::uint32_t>(RemoveCommas(f.salary));
    offer.bonus = static_cast<std::uint32_t>(RemoveCommas(f.bonus));
    const int years = TextToInt(f.years);
    offer.team = userTeam_;
    // No chance is shown for a length beyond the longest contract: the offer records none.
    offer.acceptPct = f.accept_percent.empty() ? 0 : SaturateToPercentField(TextToInt(f.accept_percent));
    // A negative length is no contract, and one the record's byte cannot hold would wrap into
    // another length: refuse both.
    const bool lengthFits = years >= 0 && years <= std::numeric_limits<std::int8_t>::max();
    offer.years = lengthFits ? static_cast<std::int8_t>(years) : 0;
    offer.offerType = lengthFits ? decision.type : static_cast<std::int8_t>(Offer::InvalidOffer);
    offer.flag = 0;
    whyInvalid_ = lengthFits ? decision.whyInvalid
                             : "A contract of " + std::to_string(years) + " years cannot be offered.";

    fields_ = std::move(f);
    return offer;
}

void ContractEditor::ShowOffer(const Offer& offer) {
    if (!ShowPlayerByID(offer.playerID))
        return;
    fields_.salary = std::to_string(offer.salary);
    fields_.bonus = std::to_string(offer.bonus);
    fields_.years = std::to_string(offer.years);
    if (offer.offerType == Offer::TenderOffer)
        fields_.tender = true;
    if (offer.offerType == Offer::TransitionDesignation)
        fields_.TransitionTag = true;
    if (offer.offerType == Offer::FranchiseDesignation)
        fields_.FranchiseTag = true;
    CalcAccept();
}

std::vector<CheapestOffer> ContractEditor::CheapestOffers(const std::vector<int>& targets) const {
    if (fields_.playerID.empty())
        return {};
    const Contract c = contracts_.GetContract(TextToInt(fields_.playerID));
    return FindCheapestOffers(commissioner_, c, options_, targets);
}

void ContractEditor::TypeOffer(int years, std::uint32_t salary, std::uint32_t bonus) {
    fields_.years = std::to_string(years);
    fields_.salary = std::to_string(salary);
    fields_.bonus = std::to_string(bonus);
    CalcAccept();
}
