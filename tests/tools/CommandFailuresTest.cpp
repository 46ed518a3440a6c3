// How the commands fail: with the League's own reason, without touching a folder that is
// not theirs, and never with status 0 when their output did not arrive.
#include "support/CliRun.h"
#include "support/TempDir.h"

#include "league/League.h"
#include "tools/Commands.h"
#include "tools/SampleLeague.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

using nlohmann::json;

namespace {

class CommandFailures : public ::testing::Test {
  protected:
    void SetUp() override {
        SampleLeagueOptions options;
        options.folder = dir.Path();
        options.seed = 5;
        options.teams = 8;
        options.salary = false;
        std::string error;
        ASSERT_TRUE(sample::WriteSampleLeague(options, result, error)) << error;
    }

    int Cli(const std::vector<std::string>& args, std::ostream& output) {
        err.str("");
        return RunCliWith(args, output, err);
    }
    int Cli(const std::vector<std::string>& args) {
        out.str("");
        return Cli(args, out);
    }

    std::string Lge() const { return dir.File("sample.lge"); }

    TempDir dir;
    sample::Result result;
    std::ostringstream out, err;
};

TEST_F(CommandFailures, AFolderInUseIsReportedAndLeftAlone) {
    League holder;
    ASSERT_TRUE(holder.OpenLeague(Lge()));
    const auto during = dir.Snapshot();
    for (const char* command : {"league", "players", "summary", "salary", "payroll"}) {
        EXPECT_EQ(Cli({command, Lge()}), 1) << command;
        EXPECT_EQ(err.str(), "brevane-cli " + std::string(command) + ": cannot open the league " + Lge() +
                                 ": the folder is in use by another program\n");
    }
    EXPECT_EQ(Cli({"accept", Lge(), "200", "2", "1000000", "300000"}), 1);
    // Nothing was written there: no options file, no salary information, no copies.
    EXPECT_EQ(dir.Snapshot(), during);

    // The sample writer refuses the folder as well, before it removes or writes anything.
    EXPECT_EQ(Cli({"sample-league", dir.Path(), "--seed", "6"}), 1);
    EXPECT_NE(err.str().find("is in use by another program"), std::string::npos) << err.str();
    EXPECT_EQ(dir.Snapshot(), during);
}

TEST_F(CommandFailures, OptionsAreWrittenOnlyIntoTheFolderOfALeagueThatOpened) {
    dir.Write("bad.lge", {'X', '0', '3', ':', 0, 0, 0, 0});
    EXPECT_EQ(Cli({"salary", dir.File("bad.lge")}), 1);
    EXPECT_NE(err.str().find("not a league file of version 2 or 3"), std::string::npos) << err.str();
    EXPECT_EQ(Cli({"accept", dir.File("bad.lge"), "200", "2", "1000000", "300000"}), 1);
    std::filesystem::create_directory(dir.File("folder.lge"));
    EXPECT_EQ(Cli({"summary", dir.File("folder.lge")}), 1);
    EXPECT_EQ(err.str(), "brevane-cli summary: not a regular file: " + dir.File("folder.lge") + "\n");
    EXPECT_EQ(Cli({"summary", dir.File("gone.lge")}), 1);
    EXPECT_EQ(err.str(), "brevane-cli summary: no such file: " + dir.File("gone.lge") + "\n");
    EXPECT_FALSE(dir.Exists("salreg"));

    EXPECT_EQ(Cli({"salary", Lge()}), 0) << err.str();
    EXPECT_TRUE(dir.Exists("salreg")) << "the defaults are written once the league has opened";
}

TEST_F(CommandFailures, TheSalaryInformationOfAnotherLeagueIsRefusedAndKept) {
    // The salary information of a 30-team league beside this 8-team league of the same name.
    TempDir other;
    SampleLeagueOptions options;
    options.folder = other.Path();
    options.seed = 5;
    sample::Result written;
    std::string error;
    ASSERT_TRUE(sample::WriteSampleLeague(options, written, error)) << error;
    const auto foreign = other.Read("sample.FRO");
    dir.Write("sample.FRO", foreign);
    EXPECT_EQ(Cli({"payroll", Lge()}), 1);
    EXPECT_EQ(
        err.str().rfind(
            "brevane-cli payroll: the salary information file sample.FRO does not belong to this league: ",
            0),
        0u)
        << err.str();
    EXPECT_EQ(dir.Read("sample.FRO"), foreign);
}

// A stream buffer that takes nothing, as a full disk or a closed pipe.
class RefusingBuffer : public std::streambuf {
  protected:
    int overflow(int) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST_F(CommandFailures, OutputThatCannotBeWrittenFailsTheCommand) {
    RefusingBuffer refusing;
    std::ostream broken(&refusing);
    for (const char* command : {"league", "summary"}) {
        EXPECT_EQ(Cli({command, Lge()}, broken), 1) << command;
        EXPECT_NE(err.str().find("brevane-cli: cannot write the output"), std::string::npos) << err.str();
        broken.clear();
    }
}

#if defined(BREVANE_CLI) && !defined(_WIN32)
// The real program on a full device and on a pipe whose reader has gone (POSIX only: Windows
// has neither /dev/full nor a signal for a closed pipe; the test above covers its path).
TEST_F(CommandFailures, TheProgramExitsOneOnAFullDiskAndAClosedPipe) {
    const std::string cli = BREVANE_CLI;
    const std::string errors = dir.File("errors.txt");
    int status =
        std::system(("'" + cli + "' players '" + Lge() + "' > /dev/full 2> '" + errors + "'").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const auto message = dir.Read("errors.txt");
    EXPECT_NE(std::string(message.begin(), message.end()).find("No space left on device"), std::string::npos);

    status = std::system(("bash -c \"'" + cli + "' players '" + Lge() + "' 2>'" + errors +
                          "' | true; exit \\${PIPESTATUS[0]}\"")
                             .c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const auto pipeMessage = dir.Read("errors.txt");
    EXPECT_NE(std::string(pipeMessage.begin(), pipeMessage.end()).find("Broken pipe"), std::string::npos);
}
#endif

TEST_F(CommandFailures, FileNamesAreGivenAsTheyAreWhenTheyAreUtf8) {
    // The same league under a UTF-8 name and under a Latin-1 one (0xC9 is É there).
    const std::string utf8 = std::string("\xC3\x9C") + "ber"; // "Über"
    [[maybe_unused]] const std::string latin1 = "\xC9t\xE9";  // "Été"
    std::vector<std::pair<std::string, std::string>> names{{utf8, utf8}};
#ifndef _WIN32
    // Windows keeps names in UTF-16, so no name there is made of these bytes.
    names.emplace_back(latin1, "\xC3\x89t\xC3\xA9");
#endif
    for (const auto& [base, shown] : names) {
        TempDir other;
        for (const char* ext : {".lge", ".pyr", ".pyf", ".pyc", ".dat"})
            if (dir.Exists(std::string("sample") + ext))
                other.Write(base + ext, dir.Read(std::string("sample") + ext));
        ASSERT_EQ(Cli({"league", other.File(base + ".lge")}), 0) << err.str();
        EXPECT_EQ(json::parse(out.str())["fileName"], shown);
        ASSERT_EQ(Cli({"summary", other.File(base + ".lge")}), 0) << err.str();
        EXPECT_NE(out.str().find("(" + shown + ".lge, version"), std::string::npos) << out.str();
    }
}

TEST_F(CommandFailures, SummaryShowsLatin1NamesAsUtf8AsTheOtherReportsDo) {
    auto lge = dir.Read("sample.lge");
    const std::string name = "Lig\xE9";
    std::copy(name.begin(), name.end(), lge.begin() + 8 + 15);
    lge[8 + 15 + name.size()] = 0;
    dir.Write("sample.lge", lge);
    ASSERT_EQ(Cli({"summary", Lge()}), 0) << err.str();
    EXPECT_EQ(out.str().rfind("League: Lig\xC3\xA9 (sample.lge", 0), 0u) << out.str();
    ASSERT_EQ(Cli({"league", Lge()}), 0);
    EXPECT_EQ(json::parse(out.str())["name"], "Lig\xC3\xA9");
}

TEST_F(CommandFailures, WholeNumbersAreDecimalWhateverTheirLeadingDigits) {
    const auto field = [&](const char* key) { return json::parse(out.str())[key]; };
    // "0100" is player 100 (octal would be 64, no player), "0100000" a hundred thousand.
    ASSERT_EQ(Cli({"player", Lge(), "0100"}), 0) << err.str();
    EXPECT_EQ(field("playerID"), "100");
    ASSERT_EQ(Cli({"accept", Lge(), "100", "2", "100000", "0"}), 0) << err.str();
    const auto chance = field("chance");
    ASSERT_EQ(Cli({"accept", Lge(), "+0100", "02", "0100000", "00"}), 0) << err.str();
    EXPECT_EQ(field("chance"), chance);
    ASSERT_EQ(Cli({"cheapest", Lge(), "100", "--chance", "075"}), 0) << err.str();
    EXPECT_EQ(field("rows").back()["target"], 75);
    // 09 is no octal number, but it is nine.
    ASSERT_EQ(Cli({"sample-league", dir.File("nine"), "--teams", "008", "--seed", "09"}), 0) << err.str();
    EXPECT_NE(out.str().find("seed 9)"), std::string::npos) << out.str();

    // Other bases, signs where no negative is read, blanks and empty texts are no numbers.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"player", Lge(), "0x64"},
          {"player", Lge(), "0b1100100"},
          {"player", Lge(), "0o144"},
          {"player", Lge(), " 100"},
          {"player", Lge(), "1e2"},
          {"stats", Lge(), "-"},
          {"accept", Lge(), "100", "2", "-100000", "0"},
          {"accept", Lge(), "100", "2", "100000", "+0"},
          {"roster", Lge(), "--team", "0x1"},
          {"offers", Lge(), "--team", "0", "--untick", "0,0x1", dir.File("a.off")},
          {"sample-league", dir.File("hex"), "--seed", "0x10"}}) {
        EXPECT_EQ(Cli(args), 2) << args[0] << ' ' << args.back();
        EXPECT_TRUE(out.str().empty());
    }
    EXPECT_FALSE(dir.Exists("hex"));
}

TEST_F(CommandFailures, AnIdentifierOfAnyLengthIsANumber) {
    // Beyond 16 bits no list and no player: a number past 32 or 64 bits is no exception, and
    // none wraps onto a player (4294967396 is 100 modulo 2^32).
    for (const char* id : {"65738", "-65334", "4294967498", "4294967396", "-9223372036854775809",
                           "000000000000000000000000000000000000100000"}) {
        ASSERT_EQ(Cli({"stats", Lge(), id}), 0) << id << err.str();
        const json doc = json::parse(out.str());
        EXPECT_TRUE(doc["lines"].empty()) << id;
        EXPECT_EQ(Cli({"player", Lge(), id}), 1) << id;
        EXPECT_EQ(err.str().rfind("brevane-cli player: no player with ID ", 0), 0u) << err.str();
        EXPECT_EQ(Cli({"release", Lge(), id}), 1) << id;
        EXPECT_EQ(Cli({"accept", Lge(), id, "2", "100000", "0"}), 1) << id;
    }
    ASSERT_EQ(Cli({"stats", Lge(), "4294967498"}), 0);
    EXPECT_EQ(json::parse(out.str())["id"], 4294967498LL);
    EXPECT_EQ(Cli({"player", Lge(), "4294967396"}), 1);
    EXPECT_NE(err.str().find(" ID 4294967396 "), std::string::npos) << err.str();
}

TEST_F(CommandFailures, APathThatStartsWithASlashIsAPath) {
    // Windows-style "/option" parsing would take these for unknown options (status 2).
    EXPECT_EQ(Cli({"payroll", "/x/y.lge"}), 1);
    EXPECT_EQ(err.str(), "brevane-cli payroll: no such file: /x/y.lge\n");
    ASSERT_EQ(Cli({"captable", Lge(), "--team", "0", "/x/mine.off"}), 0) << err.str();
}

TEST_F(CommandFailures, ThePlayerRangeStatedIsTheRangeAccepted) {
    const std::string folder = dir.File("range");
    ASSERT_EQ(Cli({"sample-league", folder, "--teams", "8", "--players", "1"}), 1);
    const std::string message = err.str();
    const auto at = message.find("--players must be between ");
    ASSERT_NE(at, std::string::npos) << message;
    const int least = std::stoi(message.substr(at + 26));
    EXPECT_NE(message.find(" and 32667 "), std::string::npos) << message;
    EXPECT_EQ(Cli({"sample-league", folder, "--teams", "8", "--players", std::to_string(least - 1)}), 1);
    EXPECT_EQ(Cli({"sample-league", folder, "--teams", "8", "--players", std::to_string(least)}), 0)
        << err.str();
    EXPECT_EQ(Cli({"sample-league", folder, "--teams", "8", "--players", "32668"}), 1);
}

} // namespace
