#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class Contract;
class ContractList;
class OfferList;

// What the managed club's contracts charge against the salary cap in this season and the
// six after it, with the ticked offers of the offer list as rows of their own. The column
// of this season without offers is the club's current payroll.
struct CapTable {
    static constexpr int kSeasons = 7;
    using Charges = std::array<std::int64_t, kSeasons>;

    struct PlayerRow {
        std::int16_t id = 0;
        Charges charges{};
    };
    // One player's row as it is and as it would be were he released into the free agents:
    // his base share leaves the club, the bonus share of a contract the club holds stays.
    struct ReleasedRow {
        std::int16_t id = 0;
        Charges before{};
        Charges leaves{};
        Charges stays{};
    };
    struct OfferRow {
        int index = 0; // index in the offer list
        Charges charges{};
    };

    std::array<int, kSeasons> seasons{};
    std::int64_t salaryCap = 0;
    std::vector<PlayerRow> players;
    std::vector<OfferRow> offers;
    Charges totals{};
    Charges capSpace{};
    // The players whose contracts end after each season.
    std::array<std::vector<std::int16_t>, kSeasons> expiring;
};

// The cap table of club `team`. Each player charges his base share while he is on the
// club's roster and his bonus share to the club holding his contract, by the rules of the
// payroll totals; later seasons count only the years of his contract. Each offer that the
// running figures count charges the shares of its own length; a restructure's row holds the
// difference to the contract it replaces. offers may be null.
CapTable BuildCapTable(const ContractList& contracts, int team, const OfferList* offers);

// The charges of one player's row in club `team`'s table: his record, whether he is on the
// club's roster and whether he is listed as a free agent.
CapTable::Charges PlayerRowCharges(const ContractList& contracts, const Contract& rec, int team,
                                   bool onRoster, bool freeAgent);

// The released view of a player on club `team`'s roster; none for anyone else.
std::optional<CapTable::ReleasedRow> BuildReleasedRow(const ContractList& contracts, int team, int id);
