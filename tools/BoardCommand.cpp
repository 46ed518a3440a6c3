#include "tools/CommandSupport.h"
#include "tools/Commands.h"
#include "tools/SalaryLeague.h"

#include "contracts/OfferBoard.h"

#include <ostream>

using json = nlohmann::ordered_json;

namespace {

json FileJson(const OfferBoard::FileRow& file) {
    return {{"file", FileNameText(file.name)}, {"offers", file.offers.size()}, {"unknown", file.unknown}};
}

json EntryJson(const OfferBoard::Entry& e, const std::string& fileName) {
    const Offer& o = e.offer;
    return {{"file", fileName},  {"index", e.index},   {"team", o.team},   {"offerType", o.offerType},
            {"years", o.years},  {"salary", o.salary}, {"bonus", o.bonus}, {"storedChance", o.acceptPct},
            {"chance", e.chance}};
}

// What could not be read, or only in part, goes to err as notes: standard output keeps the
// board of everything that could.
void ReportFiles(const std::vector<OfferBoard::FileRow>& files, std::ostream& err) {
    for (const OfferBoard::FileRow& file : files) {
        if (!file.readable)
            err << "brevane-cli board: " << FileNameText(file.name) << ": cannot be read: " << file.error
                << '\n';
        for (const std::string& note : file.notes)
            err << "brevane-cli board: " << FileNameText(file.name) << ": " << Latin1ToUtf8(note) << '\n';
    }
}

} // namespace

int RunBoardCommand(const std::string& path, const std::vector<std::string>& files, std::ostream& out,
                    std::ostream& err) {
    OpenLeagueState s;
    if (!OpenSalary(s, path, SalaryCreate::NoCreate, "board", err))
        return 1;
    OfferBoard board(s.GetContracts());
    board.Load(files);
    ReportFiles(board.Files(), err);

    std::vector<std::string> names;
    json fileList = json::array();
    for (const OfferBoard::FileRow& file : board.Files()) {
        names.push_back(FileNameText(file.name));
        fileList.push_back(FileJson(file));
    }
    json players = json::array();
    for (const OfferBoard::PlayerRow& row : board.Players()) {
        json offers = json::array();
        for (const OfferBoard::Entry& e : row.offers)
            offers.push_back(EntryJson(e, names[static_cast<std::size_t>(e.file)]));
        json player = {{"id", row.id},
                       {"first", Latin1ToUtf8(row.first)},
                       {"last", Latin1ToUtf8(row.last)},
                       {"pos", row.pos},
                       {"team", row.team}};
        player["offers"] = std::move(offers);
        players.push_back(std::move(player));
    }
    // Moved, not copied: the board of a whole league runs to hundreds of kilobytes.
    json doc;
    doc["files"] = std::move(fileList);
    doc["players"] = std::move(players);
    PrintJson(doc, out);
    return 0;
}
