#pragma once

#include "contracts/OfferBoard.h"

#include <string>
#include <vector>

class League;

// What the offer board window shows and exports: which players pass its filters, and the
// texts of their lines, their offers' lines and the files' lines. Names stay in the game's
// single-byte text; the CSV is UTF-8.

struct OfferBoardFilter {
    bool contestedOnly = false;
    int group = -1; // free-agent list group (QB RB R OL DL LB DB K P), -1 for all
    int club = -1;  // only players this club bid for, -1 for all
};

bool PassesFilter(const OfferBoard::PlayerRow& row, const OfferBoardFilter& filter);

// The names of the nine position groups, in the order of PlayerRow::group.
const std::vector<std::string>& PositionGroupNames();
// A short name of an offer type ("Free agent", "Restructure", ... "Invalid", "Type 12").
std::string OfferTypeName(int offerType);

// One player's line and his offers' lines; the columns of both are OfferBoardColumns().
struct BoardPlayerLines {
    std::vector<std::string> player;
    std::vector<std::vector<std::string>> offers;
    std::vector<bool> chanceChanged; // per offer: today's chance differs from the stored one
};
const std::vector<std::string>& OfferBoardColumns();
BoardPlayerLines DescribePlayer(const OfferBoard& board, const OfferBoard::PlayerRow& row,
                                const League& league);

// One file's line (columns OfferBoardFileColumns()) and, for its tool tip, every rule
// problem and note of the file, one per line.
struct BoardFileLine {
    std::vector<std::string> cells;
    std::vector<std::string> details;
    bool troubled = false; // unreadable, read in part, or breaking a rule
};
const std::vector<std::string>& OfferBoardFileColumns();
BoardFileLine DescribeFile(const OfferBoard::FileRow& file, const League& league);

// A short account of the board: players, contested ones, files and those not read whole.
std::string OfferBoardSummary(const OfferBoard& board, int shownPlayers);

// The shown players' offers as CSV, one record per offer with its player's columns first.
std::string OfferBoardCsv(const OfferBoard& board, const OfferBoardFilter& filter, const League& league);
