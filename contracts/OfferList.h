#pragma once

#include "contracts/ContractList.h"
#include "contracts/Offer.h"
#include "contracts/TeamInfo.h"

#include <cstdint>
#include <string>
#include <vector>

// The offer list without its window: up to 32 offers, each with its sentence and tick, and
// the running bonus, payroll and restructure figures of the ticked ones, counted on from
// the managed club's totals. Offers are written to and read from offer files (.off).
class OfferList {
  public:
    static constexpr int kMaxOffers = 32;

    struct Item {
        Offer offer;
        std::string text;
        bool checked = true;
    };

    // The running figures and the texts the window shows for them.
    struct Totals {
        std::int32_t bonus = 0;
        std::int32_t payroll = 0;
        std::int32_t restructures = 0;
        std::string teamname;
        std::string bonusText;
        std::string payrollText;
        std::string restructsText;
    };

    explicit OfferList(const ContractList& contracts);

    // Where the players are, looked up once by a caller that checks many lists against a
    // league that does not change meanwhile (the offer board); it must outlive its use.
    // Without it every sentence and figure asks the league.
    void UsePlaces(const ContractList::Places* places) { places_ = places; }

    // The club whose figures are shown and its figures before these offers (the restructure
    // counter is read as a signed byte; the current payroll is not used). The figures shown
    // are then these with the listed offers'.
    void SetBase(int team, std::uint8_t restructures, std::int32_t bonusSpent, std::int32_t currentPayroll,
                 std::int32_t estimatedPayroll);
    void SetBase(int team, const TeamInfo& info);

    // Lists the offer ticked; false when 32 offers are already listed.
    bool AddOfferToList(const Offer& offer);
    // Takes one offer off the list; the others keep their order and ticks. False for an
    // index outside the list.
    bool RemoveOffer(int index);
    // Puts an offer in the place of another, ticked and with its own sentence.
    bool ReplaceOffer(int index, const Offer& offer);
    // The index of the first offer for the player, -1 for none.
    int FindOfferFor(std::int16_t playerID) const;
    // Lists the offers ticked, as AddOfferToList would one by one, but works the figures out
    // once at the end. Returns the number added (those beyond the 32nd are dropped).
    int AddOffersToList(const std::vector<Offer>& offers);
    // Ticks or unticks one item (offerlistClickCheck).
    void SetChecked(int index, bool checked);
    // Appends the offers of an offer file, ticked; a missing file adds nothing, and offers
    // beyond the 32nd are dropped. Returns the number added.
    int LoadOffers(const std::string& path);
    // Contracts > Load: appends, ticked, the offers of an offer file that the list's club
    // made for players of this league, and returns a line for each kind of record it left
    // out, saying why (none when it took the whole file).
    std::vector<std::string> LoadOwnOffers(const std::string& path);
    // Writes the ticked offers (or all of them, ticked or not), replacing the file atomically.
    // On failure the old file stays as it was and reason says why.
    enum class Which { Ticked, All };
    bool WriteOffers(const std::string& path, std::string& reason, Which which = Which::Ticked) const;
    // Empties the list and the base figures; the club stays.
    void ClearOffers();

    void RecalcTotals();
    // The running figures after each item (unticked items and tenders or designations
    // leave them as they were), before they are narrowed to what the window shows.
    struct Running {
        std::int64_t bonus = 0;
        std::int64_t payroll = 0;
        std::int64_t restructures = 0;
    };
    std::vector<Running> RunningFigures() const;
    int Count() const { return static_cast<int>(items_.size()); }
    const std::vector<Item>& Items() const { return items_; }
    const Totals& GetTotals() const { return totals_; }
    int GetTeam() const { return team_; }

    // The 20-byte records of the ticked offers (or all), in list order.
    std::vector<std::uint8_t> TickedBytes(Which which = Which::Ticked) const;

  private:
    int HolderOf(int id) const;
    bool ListedAsFreeAgent(int id) const;
    void ShowTotals(std::int64_t bonus, std::int64_t restructures, std::int64_t payroll);

    const ContractList& contracts_;
    const ContractList::Places* places_ = nullptr;
    std::vector<Item> items_;
    int team_ = 0;
    std::int32_t baseRestructures_ = 0;
    std::int32_t baseBonus_ = 0;
    std::int32_t basePayroll_ = 0;
    Totals totals_;
};
