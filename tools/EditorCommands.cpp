#include "tools/CommandSupport.h"
#include "tools/Commands.h"
#include "tools/SalaryLeague.h"

#include "contracts/ChanceExplanation.h"
#include "contracts/ContractEditor.h"
#include "contracts/LeagueFileNames.h"
#include "contracts/OfferList.h"
#include "contracts/OfferRules.h"
#include "contracts/TableCsv.h"
#include "league/FilePaths.h"
#include "league/MoneyText.h"

#include <cstdio>
#include <ostream>

using json = nlohmann::ordered_json;

namespace {

// The role the command-line views take: the club's, as the delivered program has it.
const char* const kClubRole = "ContractManagerForm";

json Lines(const std::vector<std::string>& lines) {
    json array = json::array();
    for (const std::string& line : lines)
        array.push_back(Latin1ToUtf8(line));
    return array;
}

const char* ColorName(EditorFields::AcceptColor color) {
    switch (color) {
    case EditorFields::AcceptColor::Green:
        return "green";
    case EditorFields::AcceptColor::Red:
        return "red";
    default:
        return "";
    }
}

bool CheckTeam(const OpenLeagueState& s, int team, const std::string& what, const std::string& command,
               std::ostream& err) {
    if (team >= 0 && team < s.GetLeague().GetNumTeams())
        return true;
    err << "brevane-cli " << command << ": " << what << ' ' << team << " is not a team of the league (0 to "
        << s.GetLeague().GetNumTeams() - 1 << ")\n";
    return false;
}

std::string Hex(const std::uint8_t* bytes, std::size_t size) {
    std::string text;
    char pair[3];
    for (std::size_t i = 0; i < size; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

json OfferJson(const Offer& o) {
    return {{"playerID", o.playerID}, {"team", o.team},   {"offerType", o.offerType}, {"years", o.years},
            {"salary", o.salary},     {"bonus", o.bonus}, {"acceptPct", o.acceptPct}, {"flag", o.flag}};
}

// The terms of the chance the editor shows, with the lines it shows beside "Accepting %".
// When it shows no chance at all (an empty box), there is no chance to give either.
json ExplainJson(const ContractEditor& editor) {
    const AcceptTerms& t = editor.ChanceTerms();
    const EditorFields& f = editor.Fields();
    const char* reason = ZeroReasonName(t.zeroReason);
    return {{"chance", f.accept_percent.empty() ? json(nullptr) : json(t.chance)},
            {"zeroReason", *reason ? json(reason) : json(nullptr)},
            {"bonusPercent", t.bonusPercent},
            {"offerValue", t.offerValue},
            {"declinesPenalty", t.declinesPenalty},
            {"baseChance", t.baseChance},
            {"floored", t.floored},
            {"lines", Lines(f.chanceExplanation)}};
}

} // namespace

int RunPlayerCommand(const std::string& path, std::int64_t id, std::ostream& out, std::ostream& err) {
    OpenLeagueState s;
    if (!OpenSalary(s, path, SalaryCreate::NoCreate, "player", err) ||
        !CheckPlayerID(s.GetContracts(), id, "player", err))
        return 1;
    ContractEditor editor(s.GetContracts(), kClubRole);
    editor.ListTeams();
    editor.ShowPlayerByID(static_cast<int>(id));
    const EditorFields& f = editor.Fields();

    json doc;
    for (const auto& [name, member] : EditorFields::TextBoxes())
        if (std::string(name) != "Round" && std::string(name) != "Pick")
            doc[name] = Latin1ToUtf8(f.*member);
    doc["FranchiseTag"] = f.FranchiseTag;
    doc["TransitionTag"] = f.TransitionTag;
    doc["tender"] = f.tender;
    doc["HoldoutLabel"] = f.HoldoutLabel;
    doc["potentialsMasked"] = editor.PotentialsMasked();
    doc["acceptColor"] = ColorName(f.acceptColor);
    doc["caphit"] = Lines(f.caphit);
    doc["caphitSelected"] = f.caphitSelected;
    doc["Round"] = f.roundPickShown ? json(f.Round) : json(nullptr);
    doc["Pick"] = f.roundPickShown ? json(f.Pick) : json(nullptr);
    doc["GameStatOutput"] = Lines(f.GameStatOutput);
    doc["SeasonStatOutput"] = Lines(f.SeasonStatOutput);
    doc["CareerStatOutput"] = Lines(f.CareerStatOutput);
    PrintJson(doc, out);
    return 0;
}

int RunOfferCommand(const std::string& path, const OfferCommandOptions& o, std::ostream& out,
                    std::ostream& err) {
    OpenLeagueState s;
    if (!OpenSalary(s, path, SalaryCreate::NoCreate, "offer", err) ||
        !CheckTeam(s, o.userTeam, "user team", "offer", err) ||
        (!o.freeAgents && !CheckTeam(s, o.team, "team", "offer", err)) ||
        !CheckPlayerID(s.GetContracts(), o.id, "offer", err))
        return 1;

    ContractEditor editor(s.GetContracts(), kClubRole);
    editor.SetUserTeam(o.userTeam);
    if (o.freeAgents) {
        editor.listingTypeClick(ContractEditor::Listing::FreeAgents);
    } else {
        editor.listingTypeClick(ContractEditor::Listing::Teams);
        editor.TeamListBoxChange(o.team);
    }
    editor.ShowPlayerOfListing(static_cast<int>(o.id));
    Offer offer;
    try {
        EditorFields& f = editor.Fields();
        if (o.typed) {
            f.years = o.years;
            f.salary = o.salary;
            f.bonus = o.bonus;
            editor.CalcAccept();
        }
        if (o.noTags) {
            // As a click on each ticked box would.
            if (f.FranchiseTag)
                editor.FPCheck(false);
            if (f.TransitionTag)
                editor.TPCheck(false);
            if (f.tender)
                editor.TendCheck(false);
        }
        if (o.tag == OfferCommandOptions::Tag::Franchise)
            editor.FPCheck(true);
        else if (o.tag == OfferCommandOptions::Tag::Transition)
            editor.TPCheck(true);
        else if (o.tag == OfferCommandOptions::Tag::Tender)
            editor.TendCheck(true);
        offer = editor.saveButtonClick();
    } catch (const ConversionError& e) {
        err << "brevane-cli offer: " << e.what() << '\n';
        return 1;
    }

    std::uint8_t bytes[Offer::kRecordSize];
    offer.Encode(bytes);
    PrintJson({{"offerType", offer.offerType},
               {"accept_percent", editor.Fields().accept_percent},
               {"caphit", Lines(editor.Fields().caphit)},
               {"offer", OfferJson(offer)},
               {"bytes", Hex(bytes, sizeof bytes)},
               {"sentence", Latin1ToUtf8(OfferSentence(offer, s.GetLeague()))},
               {"explain", ExplainJson(editor)}},
              out);
    return 0;
}

int RunOffersCommand(const std::string& path, const OffersCommandOptions& o, std::ostream& out,
                     std::ostream& err) {
    OpenLeagueState s;
    if (!OpenSalary(s, path, SalaryCreate::NoCreate, "offers", err) ||
        !CheckTeam(s, o.team, "team", "offers", err))
        return 1;
    OfferList offers(s.GetContracts());
    offers.SetBase(o.team, s.GetContracts().GetTeamInfo(o.team));
    for (const std::string& file : o.files)
        offers.LoadOffers(file);
    for (int index : o.untick) {
        if (index < 0 || index >= offers.Count()) {
            err << "brevane-cli offers: there is no offer " << index << " to untick (" << offers.Count()
                << " listed)\n";
            return 1;
        }
        offers.SetChecked(index, false);
    }
    if (!o.write.empty()) {
        std::string reason;
        // A link, a device or a pipe is refused by the writer for what it is ("not a regular
        // file"); a regular file or a new name, when it belongs to the open league.
        const tolvik::FileInfo entry = tolvik::StatPath(o.write, false);
        if ((!entry.exists || entry.regular) && s.NamesLeagueFile(o.write)) {
            err << "brevane-cli offers: could not write " << o.write << ": " << kFileOfTheOpenLeague << '\n';
            return 1;
        }
        if (!offers.WriteOffers(o.write, reason)) {
            err << "brevane-cli offers: could not write " << o.write << ": " << reason << '\n';
            return 1;
        }
    }
    if (o.csv) {
        out << OfferListCsv(offers);
        return 0;
    }
    const auto problems = CheckOfferRules(offers, s.GetContracts());
    json list = json::array();
    for (std::size_t i = 0; i < offers.Items().size(); ++i)
        list.push_back({{"text", Latin1ToUtf8(offers.Items()[i].text)},
                        {"checked", offers.Items()[i].checked},
                        {"problems", problems[i]}});
    const OfferList::Totals& t = offers.GetTotals();
    PrintJson({{"teamname", Latin1ToUtf8(t.teamname)},
               {"offerlist", list},
               {"bonus", t.bonusText},
               {"payroll", t.payrollText},
               {"restructs", t.restructsText}},
              out);
    return 0;
}
