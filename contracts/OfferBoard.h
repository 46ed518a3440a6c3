#pragma once

#include "contracts/ContractList.h"
#include "contracts/Offer.h"
#include "contracts/OfferList.h"

#include <cstdint>
#include <string>
#include <vector>

// The league office's view of every club's offer files at once: per player the offers made
// for him, ranked by the chance he accepts them today, and per file its club's running
// figures and the league rules its offers break. Each file is read as one club's offer list
// reads it into an empty list, and files are kept apart; a file that cannot be read, or only
// in part, is reported and never stops the others. Nothing here changes a contract or a file.
class OfferBoard {
  public:
    // One offer as it stands on the board.
    struct Entry {
        int file = 0;  // index in Files()
        int index = 0; // 0-based record index in its file
        Offer offer;
        std::int32_t chance = 0; // the acceptance chance now, as the contract editor computes it
    };

    // A player of the league with at least one offer.
    struct PlayerRow {
        std::int16_t id = 0;
        std::string first, last;   // as the player file holds them (Latin-1)
        std::string pos;           // as the editor's Pos box shows it
        int team = -1;             // the club holding him, -1 for none
        int group = -1;            // free-agent list group (QB RB R OL DL LB DB K P), -1 for none
        int clubs = 0;             // how many clubs bid for him
        std::vector<Entry> offers; // best first (RanksBefore)

        bool Contested() const { return clubs > 1; }
    };

    // One offer file.
    struct FileRow {
        std::string name; // as given
        std::vector<Offer> offers;
        int unknown = 0;                // records for a player the league does not have
        bool readable = true;           // false: could not be read at all, or not to its end
        std::string error;              // why not
        std::vector<std::string> notes; // what was read only in part or is odd about it
        int team = -1; // the club whose offer list the file is checked as; -1 when it names none
        // That club's running figures with every offer of the file ticked, and the rules each
        // offer breaks, exactly as its offer list would show them.
        OfferList::Totals totals;
        std::vector<std::vector<std::string>> problems; // one list per record of offers
    };

    explicit OfferBoard(const ContractList& contracts);

    // Reads the files, in the order given, and builds the board again.
    void Load(const std::vector<std::string>& paths);

    const std::vector<FileRow>& Files() const { return files_; }
    const std::vector<PlayerRow>& Players() const { return players_; }
    // The player row of id, or null when nobody bid for him.
    const PlayerRow* FindPlayer(int id) const;

    // The board's order of two offers for one player: the higher chance first, then the more
    // money (salary and bonus together), then the lower club number, then file and record order.
    static bool RanksBefore(const Entry& a, const Entry& b);

  private:
    FileRow ReadFile(const std::string& path, const ContractList::Places& places) const;
    void CheckAsClub(FileRow& file, const ContractList::Places& places) const;

    const ContractList& contracts_;
    std::vector<FileRow> files_;
    std::vector<PlayerRow> players_;
};
