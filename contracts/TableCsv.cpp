#include "contracts/TableCsv.h"

#include "contracts/Csv.h"
#include "contracts/GameText.h"
#include "contracts/OfferList.h"

namespace {

using std::to_string;

void AppendChargesRecord(std::string& out, const char* row, const std::string& id, const std::string& label,
                         const CapTable::Charges& charges) {
    std::vector<std::string> fields{row, id, label};
    for (std::int64_t charge : charges)
        fields.push_back(to_string(charge));
    AppendCsvRecord(out, fields);
}

} // namespace

std::string RosterCsv(const std::vector<RosterRow>& rows) {
    std::string out;
    AppendCsvRecord(out,
                    {"id", "first", "last", "pos", "experience", "team", "status", "contractTeam", "yrSigned",
                     "years", "yearsLeft", "salary", "bonus", "base", "bonusCharge", "estimatedOnly", "cgs"});
    for (const RosterRow& r : rows)
        AppendCsvRecord(out,
                        {to_string(r.id), Latin1ToUtf8(r.first), Latin1ToUtf8(r.last), r.pos,
                         to_string(r.experience), to_string(r.team), to_string(r.status),
                         to_string(r.contractTeam), to_string(r.yrSigned), to_string(r.years),
                         to_string(r.yearsLeft), to_string(r.salary), to_string(r.bonus), to_string(r.base),
                         to_string(r.bonusCharge), to_string(r.estimatedOnly), to_string(r.cgs)});
    return out;
}

std::string CapTableCsv(const CapTable& table, const CapTableText& text, const OfferList* offers) {
    std::string out;
    std::vector<std::string> header{"row", "id", "label"};
    for (int season : table.seasons)
        header.push_back(to_string(season));
    AppendCsvRecord(out, header);

    // The labels of the player and offer lines, in the table's order.
    std::vector<const std::string*> playerLabels, offerLabels;
    for (const CapTableText::Line& line : text.lines) {
        if (line.kind == CapTableText::Kind::Player)
            playerLabels.push_back(&line.label);
        else if (line.kind == CapTableText::Kind::Offer)
            offerLabels.push_back(&line.label);
    }
    auto label = [](const std::vector<const std::string*>& labels, std::size_t k) {
        return k < labels.size() ? Latin1ToUtf8(*labels[k]) : std::string();
    };
    for (std::size_t k = 0; k < table.players.size(); ++k)
        AppendChargesRecord(out, "player", to_string(table.players[k].id), label(playerLabels, k),
                            table.players[k].charges);
    for (std::size_t k = 0; k < table.offers.size(); ++k) {
        const int index = table.offers[k].index;
        const std::string id =
            offers && index < offers->Count()
                ? to_string(offers->Items()[static_cast<std::size_t>(index)].offer.playerID)
                : std::string();
        AppendChargesRecord(out, "offer", id, label(offerLabels, k), table.offers[k].charges);
    }
    CapTable::Charges cap;
    cap.fill(table.salaryCap);
    AppendChargesRecord(out, "total", "", "Total", table.totals);
    AppendChargesRecord(out, "salaryCap", "", "Salary Cap", cap);
    AppendChargesRecord(out, "capSpace", "", "Cap Space", table.capSpace);
    return out;
}

std::string OfferListCsv(const OfferList& offers) {
    std::string out;
    AppendCsvRecord(out, {"index", "checked", "playerID", "team", "offerType", "years", "salary", "bonus",
                          "acceptPct", "text"});
    for (std::size_t i = 0; i < offers.Items().size(); ++i) {
        const OfferList::Item& item = offers.Items()[i];
        const Offer& o = item.offer;
        AppendCsvRecord(out,
                        {to_string(i), item.checked ? "true" : "false", to_string(o.playerID),
                         to_string(o.team), to_string(o.offerType), to_string(o.years), to_string(o.salary),
                         to_string(o.bonus), to_string(o.acceptPct), Latin1ToUtf8(item.text)});
    }
    return out;
}
