#include "contracts/OfferList.h"

#include "contracts/ContractList.h"
#include "contracts/CountText.h"
#include "contracts/OfferFile.h"
#include "contracts/Options.h"
#include "contracts/SignedMoney.h"
#include "league/FileAccess.h"
#include "league/League.h"
#include "league/MoneyText.h"
#include "league/SystemFiles.h"

#include <algorithm>
#include <limits>

namespace {

std::int32_t Clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// The percentage of a contract of `years` years paid in year index `year`; 0 outside the table.
std::int64_t SplitOf(const Options& options, int years, int year) {
    if (years < 1 || years > Options::kSplitRows || year < 0 || year >= Options::kSplitRows)
        return 0;
    return options.splits[years - 1][year];
}

} // namespace

OfferList::OfferList(const ContractList& contracts) : contracts_(contracts) {
    ShowTotals(0, 0, 0);
}

void OfferList::SetBase(int team, std::uint8_t restructures, std::int32_t bonusSpent, std::int32_t,
                        std::int32_t estimatedPayroll) {
    team_ = team;
    baseRestructures_ = static_cast<std::int8_t>(restructures);
    baseBonus_ = bonusSpent;
    basePayroll_ = estimatedPayroll;
    // The figures are the base's and the listed offers': an offer the full list refuses, or
    // a question asked before the offer is listed, must not show the base alone.
    RecalcTotals();
}

void OfferList::SetBase(int team, const TeamInfo& info) {
    SetBase(team, info.restructures, info.bonusSpent, info.currentPayroll, info.estimatedPayroll);
}

bool OfferList::AddOfferToList(const Offer& offer) {
    if (Count() >= kMaxOffers)
        return false;
    items_.push_back({offer, OfferSentence(offer, contracts_.GetLeague(), HolderOf(offer.playerID)), true});
    RecalcTotals();
    return true;
}

bool OfferList::RemoveOffer(int index) {
    if (index < 0 || index >= Count())
        return false;
    items_.erase(items_.begin() + index);
    RecalcTotals();
    return true;
}

bool OfferList::ReplaceOffer(int index, const Offer& offer) {
    if (index < 0 || index >= Count())
        return false;
    items_[static_cast<std::size_t>(index)] = {
        offer, OfferSentence(offer, contracts_.GetLeague(), HolderOf(offer.playerID)), true};
    RecalcTotals();
    return true;
}

int OfferList::FindOfferFor(std::int16_t playerID) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].offer.playerID == playerID)
            return static_cast<int>(i);
    return -1;
}

int OfferList::AddOffersToList(const std::vector<Offer>& offers) {
    const League& league = contracts_.GetLeague();
    int added = 0;
    for (const Offer& offer : offers) {
        if (Count() >= kMaxOffers)
            break;
        items_.push_back({offer, OfferSentence(offer, league, HolderOf(offer.playerID)), true});
        ++added;
    }
    RecalcTotals();
    return added;
}

void OfferList::SetChecked(int index, bool checked) {
    if (index < 0 || index >= Count())
        return;
    items_[static_cast<std::size_t>(index)].checked = checked;
    RecalcTotals();
}

int OfferList::HolderOf(int id) const {
    if (places_ && id >= ContractList::kFirstID && static_cast<std::size_t>(id) < places_->team.size())
        return places_->team[static_cast<std::size_t>(id)];
    return contracts_.GetLeague().FindTeam(static_cast<short>(id));
}

bool OfferList::ListedAsFreeAgent(int id) const {
    if (places_ && id >= ContractList::kFirstID && static_cast<std::size_t>(id) < places_->freeAgent.size())
        return places_->freeAgent[static_cast<std::size_t>(id)] != 0;
    return contracts_.GetLeague().IsFreeAgent(static_cast<short>(id));
}

std::vector<OfferList::Running> OfferList::RunningFigures() const {
    const Options& options = contracts_.GetOptions();
    const int cur = contracts_.GetCurrentSeason();
    Running run{baseBonus_, basePayroll_, baseRestructures_};
    std::vector<Running> after;
    after.reserve(items_.size());

    for (const Item& item : items_) {
        const Offer& o = item.offer;
        if (item.checked && o.CountsInFigures()) {
            const Contract c = contracts_.GetContract(o.playerID);
            run.bonus += o.bonus;
            run.payroll += static_cast<std::int64_t>(o.salary) * SplitOf(options, o.years, 0) / 100;
            if (c.contractTeam == team_ && ListedAsFreeAgent(o.playerID) && c.years != 0)
                run.payroll -= static_cast<std::int64_t>(c.bonus) / c.years;
            // A negative length (only a file can hold one) spreads no bonus, and takes none away.
            if (o.years > 0)
                run.payroll += static_cast<std::int64_t>(o.bonus) / o.years;
            // The estimated payroll counted a player of the club without a running contract at his CGS.
            if (HolderOf(o.playerID) == team_ && c.status != Contract::UnderContract &&
                c.status != Contract::FranchisePlayer && c.status != Contract::TransitionPlayer)
                run.payroll -= c.cgs;
            if (o.offerType == Offer::RestructureOffer) {
                ++run.restructures;
                run.payroll -= SplitOf(options, c.years, cur - c.yrSigned) * c.salary / 100;
                if (c.years != 0)
                    run.payroll -= static_cast<std::int64_t>(c.bonus) / c.years;
            }
        }
        after.push_back(run);
    }
    return after;
}

void OfferList::RecalcTotals() {
    const std::vector<Running> after = RunningFigures();
    const Running last = after.empty() ? Running{baseBonus_, basePayroll_, baseRestructures_} : after.back();
    ShowTotals(last.bonus, last.restructures, last.payroll);
}

void OfferList::ShowTotals(std::int64_t bonus, std::int64_t restructures, std::int64_t payroll) {
    totals_.bonus = Clamp32(bonus);
    totals_.payroll = Clamp32(payroll);
    totals_.restructures = Clamp32(restructures);
    totals_.teamname = contracts_.GetLeague().GetTeamName(team_);
    totals_.bonusText = SignedMoney(totals_.bonus);
    totals_.payrollText = SignedMoney(totals_.payroll);
    totals_.restructsText = std::to_string(totals_.restructures);
}

int OfferList::LoadOffers(const std::string& path) {
    // Offers beyond the 32nd would be dropped, so only as many records as fit are read.
    return AddOffersToList(ReadOfferFile(path, kMaxOffers - Count()).offers);
}

std::vector<std::string> OfferList::LoadOwnOffers(const std::string& path) {
    const OfferFileContents read = ReadOfferFile(path, kMaxOffers - Count());
    std::vector<std::string> left;
    if (!read.error.empty())
        left.push_back("it could not be read: " + read.error);
    // Any 20 bytes read as an offer: a file of another kind names players the league does
    // not have, and another club's file names its club.
    std::vector<Offer> own;
    int unknown = 0, others = 0, otherClub = -1;
    for (const Offer& offer : read.offers) {
        if (offer.playerID < ContractList::kFirstID || offer.playerID >= contracts_.Count()) {
            ++unknown;
        } else if (offer.team != team_) {
            otherClub = others == 0 || offer.team == otherClub ? offer.team : -2;
            ++others;
        } else {
            own.push_back(offer);
        }
    }
    AddOffersToList(own);
    const League& league = contracts_.GetLeague();
    if (unknown > 0)
        left.push_back(CountText(unknown, "record names", "records name") + " no player of this league");
    if (others > 0)
        left.push_back(CountText(others, "offer was", "offers were") + " made by " +
                       (otherClub >= 0 && otherClub < contracts_.GetNumTeams() ? league.GetTeamName(otherClub)
                                                                               : std::string("other clubs")) +
                       ", not by " + league.GetTeamName(team_));
    if (read.unreadRecords > 0)
        left.push_back(CountText(read.unreadRecords, "record", "records") + " beyond the " +
                       std::to_string(kMaxOffers) + " offers of the list " +
                       (read.unreadRecords == 1 ? "was" : "were") + " not read");
    if (read.partialBytes > 0)
        left.push_back("it ends in a partial record of " + CountText(read.partialBytes, "byte", "bytes") +
                       ", ignored");
    return left;
}

std::vector<std::uint8_t> OfferList::TickedBytes(Which which) const {
    std::vector<std::uint8_t> bytes;
    for (const Item& item : items_) {
        if (!item.checked && which == Which::Ticked)
            continue;
        const std::size_t at = bytes.size();
        bytes.resize(at + Offer::kRecordSize);
        item.offer.Encode(bytes.data() + at);
    }
    return bytes;
}

bool OfferList::WriteOffers(const std::string& path, std::string& reason, Which which) const {
    const std::vector<std::uint8_t> bytes = TickedBytes(which);
    tolvik::FileError error = tolvik::FileError::None;
    if (tolvik::WriteFileAtomically(path, bytes.data(), bytes.size(), &error))
        return true;
    reason = tolvik::FileErrorText(error);
    return false;
}

void OfferList::ClearOffers() {
    items_.clear();
    baseRestructures_ = 0;
    baseBonus_ = 0;
    basePayroll_ = 0;
    ShowTotals(0, 0, 0);
}
