#include "tools/Cli.h"

#include "tools/Commands.h"

#include "contracts/ProgramVersion.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {
constexpr int kUsageError = 2;

enum class Sign { Refused, Allowed };
enum class Beyond { Refused, Saturated };

// Every whole number a user types is decimal, whatever digits it starts with ("007" is 7).
// CLI11's own conversion reads a leading 0 as octal and 0x, 0o and 0b as other bases, so
// the text is checked here and handed on without its leading zeros. A number too long for
// 64 bits becomes the nearest 64-bit value when the command treats every number beyond its
// range alike (an identifier that no player and no list has); otherwise the conversion
// refuses it as out of range.
CLI::Validator Decimal(Sign sign, Beyond beyond = Beyond::Refused) {
    return CLI::Validator(
        [sign, beyond](std::string& text) -> std::string {
            std::size_t at = 0;
            const bool negative = !text.empty() && text[0] == '-';
            if (sign == Sign::Allowed && !text.empty() && (text[0] == '-' || text[0] == '+'))
                at = 1;
            if (at == text.size() || text.find_first_not_of("0123456789", at) != std::string::npos)
                return text + " is not a whole number";
            std::string digits = text.substr(std::min(text.find_first_not_of('0', at), text.size() - 1));
            const std::string limit = negative ? "9223372036854775808" : "9223372036854775807";
            if (beyond == Beyond::Saturated &&
                (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit)))
                digits = limit;
            text = (negative ? "-" : "") + digits;
            return {};
        },
        "");
}

} // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"brevane-cli: writes sample leagues and reports what a league holds, as JSON or text."};
    // "/" starts a path, never an option, on every system (CLI11 takes "/x" for an option on
    // Windows by default). Subcommands take this setting from the app when they are added.
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", std::string("brevane-cli ") + kProgramVersion);
    app.require_subcommand(1);

    std::function<int()> run;

    SampleLeagueOptions sample;
    bool noFreeAgents = false;
    bool noSalary = false;
    auto* sampleCmd =
        app.add_subcommand("sample-league", "Write a sample league (sample.lge and its files) into DIR");
    sampleCmd->add_option("DIR", sample.folder, "Folder to write into (created when missing)")->required();
    sampleCmd->add_option("--teams", sample.teams, "Number of teams: 8, 10, 12, 18, 28 or 30")
        ->transform(Decimal(Sign::Allowed))
        ->capture_default_str();
    sampleCmd->add_option("--seed", sample.seed, "Seed; the same seed gives the same files")
        ->transform(Decimal(Sign::Refused))
        ->capture_default_str();
    sampleCmd->add_option("--version", sample.version, "League file version: 2 or 3")
        ->transform(Decimal(Sign::Allowed))
        ->capture_default_str();
    sampleCmd->add_option("--stage", sample.stage, "Stage of the season (4 or less: with a college draft)")
        ->transform(Decimal(Sign::Allowed))
        ->capture_default_str();
    sampleCmd
        ->add_option("--players", sample.players,
                     "Total player records (default: rosters, draft class and about 10 % free agents)")
        ->transform(Decimal(Sign::Allowed));
    sampleCmd->add_flag("--no-free-agents", noFreeAgents, "Write no free-agent file");
    sampleCmd->add_flag("--sal", sample.sal, "Also write a sibling .SAL salary file");
    sampleCmd->add_flag("--no-salary", noSalary, "Write no salary information file");
    sampleCmd->callback([&] {
        sample.freeAgents = !noFreeAgents;
        sample.salary = !noSalary;
        run = [&] { return RunSampleLeague(sample, out, err); };
    });

    std::string path;
    auto addLeagueCommand = [&](const char* name, const char* description,
                                int (*command)(const std::string&, std::ostream&, std::ostream&)) {
        auto* sub = app.add_subcommand(name, description);
        sub->add_option("PATH", path, "The league file (.lge)")->required();
        sub->callback([&, command] { run = [&, command] { return command(path, out, err); }; });
    };
    addLeagueCommand("league", "Print the league, its teams, rosters and lists as JSON", RunLeagueCommand);
    addLeagueCommand("players", "Print every player of the league as JSON", RunPlayersCommand);
    addLeagueCommand("summary", "Print a short readable summary of the league", RunSummaryCommand);

    bool convert = false;
    bool build = false;
    bool noCreate = false;
    auto* salaryCmd = app.add_subcommand(
        "salary", "Load the salary information (.FRO) and print every contract and club total as JSON");
    salaryCmd->add_option("PATH", path, "The league file (.lge)")->required();
    auto* convertFlag =
        salaryCmd->add_flag("--convert", convert, "When the .FRO is missing: convert the sibling .SAL file");
    auto* buildFlag =
        salaryCmd->add_flag("--build", build, "When the .FRO is missing: build the salary information");
    auto* noCreateFlag = salaryCmd->add_flag("--no-create", noCreate,
                                             "When the .FRO is missing: create nothing (the default)");
    convertFlag->excludes(buildFlag)->excludes(noCreateFlag);
    buildFlag->excludes(noCreateFlag);
    salaryCmd->callback([&] {
        const SalaryCreate create =
            convert ? SalaryCreate::Convert : (build ? SalaryCreate::Build : SalaryCreate::NoCreate);
        run = [&, create] { return RunSalaryCommand(path, create, out, err); };
    });

    std::int64_t acceptID = 0;
    int acceptYears = 0;
    std::uint32_t acceptSalary = 0;
    std::uint32_t acceptBonus = 0;
    auto* acceptCmd = app.add_subcommand(
        "accept", "Print the chance in percent that a player accepts an offer, as JSON {\"chance\": N}");
    acceptCmd->add_option("PATH", path, "The league file (.lge)")->required();
    acceptCmd->add_option("ID", acceptID, "Player ID")
        ->transform(Decimal(Sign::Allowed, Beyond::Saturated))
        ->required();
    acceptCmd->add_option("YEARS", acceptYears, "Contract length in years")
        ->transform(Decimal(Sign::Allowed))
        ->required();
    acceptCmd->add_option("SALARY", acceptSalary, "Total base salary in dollars")
        ->transform(Decimal(Sign::Refused))
        ->required();
    acceptCmd->add_option("BONUS", acceptBonus, "Signing bonus in dollars")
        ->transform(Decimal(Sign::Refused))
        ->required();
    acceptCmd->callback([&] {
        run = [&] {
            return RunAcceptCommand(path, acceptID, acceptYears, acceptSalary, acceptBonus, out, err);
        };
    });

    addLeagueCommand("payroll",
                     "Print every club's bonus money spent, current and estimated payroll (builds the salary "
                     "information when it is missing)",
                     RunPayrollCommand);

    std::int64_t statsId = 0;
    auto* statsCmd = app.add_subcommand("stats", "Print the statistic lines of a player or team as JSON");
    statsCmd->add_option("PATH", path, "The league file (.lge)")->required();
    statsCmd->add_option("ID", statsId, "Player identifier, or team number from 0 to the number of teams")
        ->transform(Decimal(Sign::Allowed, Beyond::Saturated))
        ->required();
    statsCmd->callback([&] { run = [&] { return RunStatsCommand(path, statsId, out, err); }; });

    std::int64_t playerId = 0;
    auto* playerCmd =
        app.add_subcommand("player", "Print what the contract editor shows for one player, as JSON");
    playerCmd->add_option("PATH", path, "The league file (.lge)")->required();
    playerCmd->add_option("ID", playerId, "Player ID")
        ->transform(Decimal(Sign::Allowed, Beyond::Saturated))
        ->required();
    playerCmd->callback([&] { run = [&] { return RunPlayerCommand(path, playerId, out, err); }; });

    OfferCommandOptions offer;
    std::vector<std::string> typed;
    bool franchise = false;
    bool transition = false;
    bool tender = false;
    auto* offerCmd = app.add_subcommand("offer", "Print the offer Submit Contract makes, as JSON");
    offerCmd->add_option("PATH", path, "The league file (.lge)")->required();
    offerCmd->add_option("ID", offer.id, "Player ID")
        ->transform(Decimal(Sign::Allowed, Beyond::Saturated))
        ->required();
    offerCmd->add_option("YEARS SALARY BONUS", typed, "Texts typed into the length, salary and bonus boxes")
        ->expected(3);
    offerCmd->add_option("--user-team", offer.userTeam, "The managed club's team number")
        ->transform(Decimal(Sign::Allowed))
        ->capture_default_str();
    auto* teamOpt = offerCmd->add_option("--team", offer.team, "Club listing, with this team box index")
                        ->transform(Decimal(Sign::Allowed));
    auto* freeAgentsFlag = offerCmd->add_flag("--free-agents", offer.freeAgents, "Free-agent listing");
    teamOpt->excludes(freeAgentsFlag);
    offerCmd->add_flag("--no-tags", offer.noTags, "Untick the tag boxes the player's status ticked");
    auto* franchiseFlag = offerCmd->add_flag("--franchise", franchise, "Tick Franchise");
    auto* transitionFlag = offerCmd->add_flag("--transition", transition, "Tick Transition");
    auto* tenderFlag = offerCmd->add_flag("--tender", tender, "Tick Tender Offer");
    franchiseFlag->excludes(transitionFlag)->excludes(tenderFlag);
    transitionFlag->excludes(tenderFlag);
    offerCmd->callback([&, teamOpt] {
        if (teamOpt->count() == 0 && !offer.freeAgents)
            throw CLI::RequiredError("--team or --free-agents");
        offer.typed = typed.size() == 3;
        if (offer.typed) {
            offer.years = typed[0];
            offer.salary = typed[1];
            offer.bonus = typed[2];
        }
        offer.tag = franchise    ? OfferCommandOptions::Tag::Franchise
                    : transition ? OfferCommandOptions::Tag::Transition
                    : tender     ? OfferCommandOptions::Tag::Tender
                                 : OfferCommandOptions::Tag::None;
        run = [&] { return RunOfferCommand(path, offer, out, err); };
    });

    OffersCommandOptions offers;
    auto* offersCmd = app.add_subcommand("offers", "Print the offer list after loading offer files, as JSON");
    offersCmd->add_option("PATH", path, "The league file (.lge)")->required();
    offersCmd->add_option("FILES", offers.files, "Offer files (.off), loaded in order")->required();
    offersCmd->add_option("--team", offers.team, "The managed club's team number")
        ->transform(Decimal(Sign::Allowed))
        ->required();
    // One argument per --untick, split at commas: a list of a variable length would take the
    // offer files after it as more indexes.
    offersCmd->add_option("--untick", offers.untick, "Indexes of offers to untick, from 0 (K,...)")
        ->delimiter(',')
        ->transform(Decimal(Sign::Allowed))
        ->allow_extra_args(false);
    offersCmd->add_option("--write", offers.write, "Write the ticked offers to this offer file");
    offersCmd->add_flag("--csv", offers.csv, "Print the offers as CSV instead of JSON");
    offersCmd->callback([&] { run = [&] { return RunOffersCommand(path, offers, out, err); }; });

    int capTeam = 0;
    std::vector<std::string> capFiles;
    auto* capCmd = app.add_subcommand(
        "captable",
        "Print the club's cap charges for this season and the six after it, with offers, as JSON");
    capCmd->add_option("PATH", path, "The league file (.lge)")->required();
    capCmd->add_option("FILES", capFiles, "Offer files (.off) whose offers all count as ticked");
    capCmd->add_option("--team", capTeam, "The club's team number")
        ->transform(Decimal(Sign::Allowed))
        ->required();
    bool capCsv = false;
    capCmd->add_flag("--csv", capCsv, "Print the table as CSV instead of JSON");
    capCmd->callback(
        [&] { run = [&] { return RunCapTableCommand(path, capTeam, capFiles, capCsv, out, err); }; });

    RosterCommandOptions roster;
    bool rosterFreeAgents = false;
    bool rosterDraft = false;
    auto* rosterCmd = app.add_subcommand(
        "roster", "Print a club's roster, the free agents or the draft with each player's money, as JSON");
    rosterCmd->add_option("PATH", path, "The league file (.lge)")->required();
    auto* rosterTeam = rosterCmd->add_option("--team", roster.team, "The club's team number")
                           ->transform(Decimal(Sign::Allowed));
    auto* rosterFA =
        rosterCmd->add_flag("--free-agents", rosterFreeAgents, "The free agents, group by group");
    auto* rosterCD = rosterCmd->add_flag("--draft", rosterDraft, "The college draft, group by group");
    rosterTeam->excludes(rosterFA)->excludes(rosterCD);
    rosterFA->excludes(rosterCD);
    rosterCmd->add_flag("--csv", roster.csv, "Print the rows as CSV instead of JSON");
    rosterCmd->callback([&, rosterTeam] {
        if (rosterTeam->count() == 0 && !rosterFreeAgents && !rosterDraft)
            throw CLI::RequiredError("--team, --free-agents or --draft");
        roster.listing = rosterFreeAgents ? RosterListing::FreeAgents
                         : rosterDraft    ? RosterListing::Draft
                                          : RosterListing::Team;
        run = [&] { return RunRosterCommand(path, roster, out, err); };
    });

    std::int64_t releaseId = 0;
    auto* releaseCmd = app.add_subcommand(
        "release", "Print what releasing a player would save his club and leave as dead money, as JSON");
    releaseCmd->add_option("PATH", path, "The league file (.lge)")->required();
    releaseCmd->add_option("ID", releaseId, "Player ID of a player on a roster")
        ->transform(Decimal(Sign::Allowed, Beyond::Saturated))
        ->required();
    releaseCmd->callback([&] { run = [&] { return RunReleaseCommand(path, releaseId, out, err); }; });

    std::int64_t cheapestId = 0;
    int cheapestChance = 0;
    auto* cheapestCmd = app.add_subcommand(
        "cheapest", "Print the least salary that reaches 60, 75 and 90 % for each length, as JSON");
    cheapestCmd->add_option("PATH", path, "The league file (.lge)")->required();
    cheapestCmd->add_option("ID", cheapestId, "Player ID")
        ->transform(Decimal(Sign::Allowed, Beyond::Saturated))
        ->required();
    cheapestCmd->add_option("--chance", cheapestChance, "A further target chance in percent")
        ->transform(Decimal(Sign::Allowed))
        ->check(CLI::Range(1, 1000000));
    cheapestCmd->callback(
        [&] { run = [&] { return RunCheapestCommand(path, cheapestId, cheapestChance, out, err); }; });
    std::vector<std::string> boardFiles;
    auto* boardCmd = app.add_subcommand(
        "board",
        "Print every club's offers side by side, per player ranked by the chance he accepts, as JSON");
    boardCmd->add_option("PATH", path, "The league file (.lge)")->required();
    boardCmd->add_option("FILES", boardFiles, "Offer files (.off), each read on its own")->required();
    boardCmd->callback([&] { run = [&] { return RunBoardCommand(path, boardFiles, out, err); }; });
    addLeagueCommand("options", "Print the league's options as the options window loads them, as JSON",
                     RunOptionsCommand);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help prints and succeeds; every usage error is status 2, whatever CLI11's own code.
        return app.exit(e, out, err) == 0 ? 0 : kUsageError;
    }
    if (!run)
        return 1;
    errno = 0;
    const int status = run();
    // A full disk or a closed pipe must not pass for success. The failed write left its
    // reason in errno; other calls may have left others there, which are not shown.
    out.flush();
    if (!out) {
        const int code = errno;
        bool writeError = code == ENOSPC || code == EPIPE || code == EIO || code == EFBIG;
#ifdef EDQUOT // not on Windows
        writeError = writeError || code == EDQUOT;
#endif
        err << "brevane-cli: cannot write the output: " << (writeError ? std::strerror(code) : "write error")
            << '\n';
        return 1;
    }
    return status;
}
