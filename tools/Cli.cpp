#include "tools/Cli.h"

#include "tools/Commands.h"

#include "contracts/ProgramVersion.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {
constexpr int kUsageError = 2;
} // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"brevane-cli: writes sample leagues and reports what a league holds, as JSON or text."};
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
        ->capture_default_str();
    sampleCmd->add_option("--seed", sample.seed, "Seed; the same seed gives the same files")
        ->capture_default_str();
    sampleCmd->add_option("--version", sample.version, "League file version: 2 or 3")->capture_default_str();
    sampleCmd->add_option("--stage", sample.stage, "Stage of the season (4 or less: with a college draft)")
        ->capture_default_str();
    sampleCmd->add_option("--players", sample.players,
                          "Total player records (default: rosters, draft class and about 10 % free agents)");
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

    int acceptID = 0;
    int acceptYears = 0;
    std::uint32_t acceptSalary = 0;
    std::uint32_t acceptBonus = 0;
    auto* acceptCmd = app.add_subcommand(
        "accept", "Print the chance in percent that a player accepts an offer, as JSON {\"chance\": N}");
    acceptCmd->add_option("PATH", path, "The league file (.lge)")->required();
    acceptCmd->add_option("ID", acceptID, "Player ID")->required();
    acceptCmd->add_option("YEARS", acceptYears, "Contract length in years")->required();
    acceptCmd->add_option("SALARY", acceptSalary, "Total base salary in dollars")->required();
    acceptCmd->add_option("BONUS", acceptBonus, "Signing bonus in dollars")->required();
    acceptCmd->callback([&] {
        run = [&] {
            return RunAcceptCommand(path, acceptID, acceptYears, acceptSalary, acceptBonus, out, err);
        };
    });

    addLeagueCommand("payroll",
                     "Print every club's bonus money spent, current and estimated payroll (builds the salary "
                     "information when it is missing)",
                     RunPayrollCommand);

    int statsId = 0;
    auto* statsCmd = app.add_subcommand("stats", "Print the statistic lines of a player or team as JSON");
    statsCmd->add_option("PATH", path, "The league file (.lge)")->required();
    statsCmd->add_option("ID", statsId, "Player identifier, or team number from 0 to the number of teams")
        ->required();
    statsCmd->callback([&] { run = [&] { return RunStatsCommand(path, statsId, out, err); }; });

    int playerId = 0;
    auto* playerCmd =
        app.add_subcommand("player", "Print what the contract editor shows for one player, as JSON");
    playerCmd->add_option("PATH", path, "The league file (.lge)")->required();
    playerCmd->add_option("ID", playerId, "Player ID")->required();
    playerCmd->callback([&] { run = [&] { return RunPlayerCommand(path, playerId, out, err); }; });

    OfferCommandOptions offer;
    std::vector<std::string> typed;
    bool franchise = false;
    bool transition = false;
    bool tender = false;
    auto* offerCmd = app.add_subcommand("offer", "Print the offer Submit Contract makes, as JSON");
    offerCmd->add_option("PATH", path, "The league file (.lge)")->required();
    offerCmd->add_option("ID", offer.id, "Player ID")->required();
    offerCmd->add_option("YEARS SALARY BONUS", typed, "Texts typed into the length, salary and bonus boxes")
        ->expected(3);
    offerCmd->add_option("--user-team", offer.userTeam, "The managed club's team number")
        ->capture_default_str();
    auto* teamOpt = offerCmd->add_option("--team", offer.team, "Club listing, with this team box index");
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
    offersCmd->add_option("--team", offers.team, "The managed club's team number")->required();
    // One argument per --untick, split at commas: a list of a variable length would take the
    // offer files after it as more indexes.
    offersCmd->add_option("--untick", offers.untick, "Indexes of offers to untick, from 0 (K,...)")
        ->delimiter(',')
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
    capCmd->add_option("--team", capTeam, "The club's team number")->required();
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
    auto* rosterTeam = rosterCmd->add_option("--team", roster.team, "The club's team number");
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

    int releaseId = 0;
    auto* releaseCmd = app.add_subcommand(
        "release", "Print what releasing a player would save his club and leave as dead money, as JSON");
    releaseCmd->add_option("PATH", path, "The league file (.lge)")->required();
    releaseCmd->add_option("ID", releaseId, "Player ID of a player on a roster")->required();
    releaseCmd->callback([&] { run = [&] { return RunReleaseCommand(path, releaseId, out, err); }; });

    int cheapestId = 0;
    int cheapestChance = 0;
    auto* cheapestCmd = app.add_subcommand(
        "cheapest", "Print the least salary that reaches 60, 75 and 90 % for each length, as JSON");
    cheapestCmd->add_option("PATH", path, "The league file (.lge)")->required();
    cheapestCmd->add_option("ID", cheapestId, "Player ID")->required();
    cheapestCmd->add_option("--chance", cheapestChance, "A further target chance in percent")
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
