#include "contracts/OfferBoardText.h"

#include "contracts/CountText.h"
#include "contracts/Csv.h"
#include "contracts/GameText.h"
#include "contracts/OfferRules.h"
#include "league/FileAccess.h"
#include "league/League.h"
#include "league/MoneyText.h"

namespace {

std::string ClubName(const League& league, int team) {
    if (team >= 0 && team < league.GetNumTeams())
        return league.GetTeamName(team);
    return "Club " + std::to_string(team);
}

std::string HolderName(const League& league, int team) {
    return team < 0 ? std::string("Free Agent") : ClubName(league, team);
}

std::string PlayerName(const OfferBoard::PlayerRow& row) {
    return row.first + " " + row.last;
}

// The file as the window names it: without its folder, which the window shows once.
std::string FileLabel(const OfferBoard& board, int file) {
    return tolvik::PathLeaf(board.Files()[static_cast<std::size_t>(file)].name);
}

} // namespace

bool PassesFilter(const OfferBoard::PlayerRow& row, const OfferBoardFilter& filter) {
    if (filter.contestedOnly && !row.Contested())
        return false;
    if (filter.group >= 0 && row.group != filter.group)
        return false;
    if (filter.club >= 0) {
        bool bid = false;
        for (const OfferBoard::Entry& e : row.offers)
            bid = bid || e.offer.team == filter.club;
        if (!bid)
            return false;
    }
    return true;
}

const std::vector<std::string>& PositionGroupNames() {
    static const std::vector<std::string> names{"QB", "RB", "R", "OL", "DL", "LB", "DB", "K", "P"};
    return names;
}

std::string OfferTypeName(int offerType) {
    static const char* const kNames[] = {"Free agent",  "Own RFA/XFA", "Tender",      "Restructure",
                                         "Franchise",   "Transition",  "Match sheet", "Own tendered",
                                         "Offer sheet", "Type 9",      "Invalid"};
    if (offerType >= 0 && offerType < static_cast<int>(std::size(kNames)))
        return kNames[offerType];
    return "Type " + std::to_string(offerType);
}

const std::vector<std::string>& OfferBoardColumns() {
    static const std::vector<std::string> columns{"Player", "Pos",      "Held by",  "Offers",
                                                  "Club",   "Type",     "Years",    "Salary",
                                                  "Bonus",  "Stored %", "Chance %", "File"};
    return columns;
}

BoardPlayerLines DescribePlayer(const OfferBoard& board, const OfferBoard::PlayerRow& row,
                                const League& league) {
    BoardPlayerLines lines;
    const std::int32_t best = row.offers.empty() ? 0 : row.offers.front().chance;
    const std::string count =
        std::to_string(row.offers.size()) +
        (row.Contested() ? " from " + std::to_string(row.clubs) + " clubs" : std::string());
    lines.player = {PlayerName(row) + " (" + std::to_string(row.id) + ")",
                    row.pos,
                    HolderName(league, row.team),
                    count,
                    "",
                    "",
                    "",
                    "",
                    "",
                    "",
                    std::to_string(best),
                    ""};
    int rank = 0;
    for (const OfferBoard::Entry& e : row.offers) {
        const Offer& o = e.offer;
        lines.offers.push_back({"#" + std::to_string(++rank), "", "", "", ClubName(league, o.team),
                                OfferTypeName(o.offerType), std::to_string(o.years), FormatMoney(o.salary),
                                FormatMoney(o.bonus), std::to_string(o.acceptPct), std::to_string(e.chance),
                                FileLabel(board, e.file) + " #" + std::to_string(e.index + 1)});
        lines.chanceChanged.push_back(e.chance != o.acceptPct);
    }
    return lines;
}

const std::vector<std::string>& OfferBoardFileColumns() {
    static const std::vector<std::string> columns{
        "File",         "Club",          "Offers", "Unknown players", "Bonus Paid", "Estimated Payroll",
        "Restructures", "Rule problems", "Notes"};
    return columns;
}

BoardFileLine DescribeFile(const OfferBoard::FileRow& file, const League& league) {
    BoardFileLine line;
    const bool club = file.team >= 0;
    const int breakers = CountRuleBreakers(file.problems);
    std::string notes = file.readable ? std::string() : "cannot be read: " + file.error;
    for (const std::string& note : file.notes)
        notes += (notes.empty() ? "" : "; ") + note;
    line.cells = {tolvik::PathLeaf(file.name),
                  club ? league.GetTeamName(file.team) : std::string(),
                  std::to_string(file.offers.size()),
                  std::to_string(file.unknown),
                  club ? file.totals.bonusText : std::string(),
                  club ? file.totals.payrollText : std::string(),
                  club ? file.totals.restructsText : std::string(),
                  std::to_string(breakers),
                  notes};
    if (!notes.empty())
        line.details.push_back(notes);
    for (std::size_t i = 0; i < file.problems.size(); ++i)
        for (const std::string& reason : file.problems[i])
            line.details.push_back("Offer #" + std::to_string(i + 1) + ": " + reason);
    line.troubled = !file.readable || !file.notes.empty() || breakers > 0;
    return line;
}

std::string OfferBoardSummary(const OfferBoard& board, int shownPlayers) {
    std::size_t contested = 0;
    for (const OfferBoard::PlayerRow& row : board.Players())
        contested += row.Contested();
    std::size_t doubtful = 0;
    for (const OfferBoard::FileRow& file : board.Files())
        doubtful += !file.readable || !file.notes.empty();
    std::string text = CountText(static_cast<std::int64_t>(board.Players().size()), "player", "players") +
                       " with offers, " + std::to_string(contested) + " contested; " +
                       std::to_string(shownPlayers) + " shown. " +
                       CountText(static_cast<std::int64_t>(board.Files().size()), "file", "files");
    if (doubtful > 0)
        text += ", " + std::to_string(doubtful) + " not read whole or in doubt (see Notes)";
    return text + ".";
}

std::string OfferBoardCsv(const OfferBoard& board, const OfferBoardFilter& filter, const League& league) {
    std::string csv;
    AppendCsvRecord(csv, {"File", "Record", "Player ID", "First", "Last", "Pos", "Held by", "Contested",
                          "Rank", "Club", "Type", "Years", "Salary", "Bonus", "Stored chance", "Chance"});
    for (const OfferBoard::PlayerRow& row : board.Players()) {
        if (!PassesFilter(row, filter))
            continue;
        int rank = 0;
        for (const OfferBoard::Entry& e : row.offers) {
            const Offer& o = e.offer;
            AppendCsvRecord(csv,
                            {FileLabel(board, e.file), std::to_string(e.index + 1), std::to_string(row.id),
                             Latin1ToUtf8(row.first), Latin1ToUtf8(row.last), row.pos,
                             Latin1ToUtf8(HolderName(league, row.team)), row.Contested() ? "yes" : "no",
                             std::to_string(++rank), Latin1ToUtf8(ClubName(league, o.team)),
                             OfferTypeName(o.offerType), std::to_string(o.years), std::to_string(o.salary),
                             std::to_string(o.bonus), std::to_string(o.acceptPct), std::to_string(e.chance)});
        }
    }
    return csv;
}
