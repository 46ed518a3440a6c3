// Every file a command writes either arrives or fails the command with its reason, and no
// command writes over a file it could not read or in the place of one that is no file.
#include "support/CliRun.h"
#include "support/FaultyFiles.h"
#include "support/TempDir.h"

#include "contracts/Offer.h"
#include "league/FileAccess.h"
#include "tools/SampleLeague.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using nlohmann::json;

namespace {

namespace fs = std::filesystem;

// A disk that takes no new file of the layer's temporary kind, from the n-th on (from 1):
// every atomic replacement fails there, and nothing else does.
FaultyFiles::Hook FullDiskFrom(int first) {
    return [first, made = 0](FaultyFiles::Call call, const std::string& path) mutable {
        if (call == FaultyFiles::Call::Create && tolvik::IsTemporaryName(tolvik::NativeLeaf(path)) &&
            ++made >= first)
            return tolvik::FileError::DiskFull;
        return tolvik::FileError::None;
    };
}

// A version 6 options file: newer than this program's.
std::vector<std::uint8_t> NewerOptions() {
    std::vector<std::uint8_t> bytes(2404, 0);
    bytes[0] = 6;
    return bytes;
}

class WriteFailures : public ::testing::Test {
  protected:
    void SetUp() override {
        SampleLeagueOptions options;
        options.folder = dir.Path();
        options.seed = 3;
        options.teams = 8;
        options.salary = false;
        sample::Result result;
        std::string error;
        ASSERT_TRUE(sample::WriteSampleLeague(options, result, error)) << error;
    }

    int Cli(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunCliWith(args, out, err);
    }

    std::string Lge() const { return dir.File("sample.lge"); }

    TempDir dir;
    std::ostringstream out, err;
};

TEST_F(WriteFailures, AFullDiskFailsEveryCommandThatWritesWithItsReason) {
    {
        FaultyFilesInUse full(FullDiskFrom(1));
        EXPECT_EQ(Cli({"options", Lge()}), 1);
        EXPECT_EQ(err.str(), "brevane-cli options: cannot write the options file " + dir.File("salreg") +
                                 ": disk full\n");
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_FALSE(dir.Exists("salreg"));

    ASSERT_EQ(Cli({"options", Lge()}), 0) << err.str();
    EXPECT_EQ(json::parse(out.str())["optionsFile"], "created");
    const auto before = dir.Snapshot();
    {
        FaultyFilesInUse full(FullDiskFrom(1));
        EXPECT_EQ(Cli({"salary", Lge(), "--build"}), 1);
        EXPECT_EQ(err.str(), "brevane-cli salary: cannot write sample.FRO: disk full\n");
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(Cli({"payroll", Lge()}), 1);
    }
    EXPECT_EQ(dir.Snapshot(), before) << "no salary information, nothing else changed";

    // The sample writer: its first file, and the rosters it writes back through the library
    // after the league's four files.
    for (const int first : {1, 5}) {
        FaultyFilesInUse full(FullDiskFrom(first));
        EXPECT_EQ(Cli({"sample-league", dir.File("new" + std::to_string(first))}), 1);
        EXPECT_NE(err.str().find("disk full"), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_NE(err.str().find("cannot write the rosters"), std::string::npos) << err.str();
}

TEST_F(WriteFailures, ANewerOptionsFileIsReadByNoCommandAndWrittenByNone) {
    dir.Write("salreg", NewerOptions());
    ASSERT_EQ(Cli({"options", Lge()}), 0) << err.str();
    const json options = json::parse(out.str());
    EXPECT_EQ(options["optionsFile"], "newer");
    EXPECT_EQ(options["salarycap"], 45000000) << "the defaults, in memory";
    EXPECT_EQ(err.str(),
              "brevane-cli options: Newer version of program options found.  Please upgrade to the "
              "latest version\n");
    ASSERT_EQ(Cli({"salary", Lge(), "--build"}), 0) << err.str();
    EXPECT_EQ(dir.Read("salreg"), NewerOptions());
}

#ifndef _WIN32
// Links need a privilege on Windows that users lack, and it has no pipes or devices in folders.
TEST_F(WriteFailures, AnOptionsFileThroughALinkOrThatIsNoFileIsKeptAsItIs) {
    TempDir outside;
    outside.Write("shared-options", NewerOptions());
    fs::create_symlink(outside.File("shared-options"), dir.File("salreg"));
    ASSERT_EQ(Cli({"options", Lge()}), 0) << err.str();
    EXPECT_EQ(json::parse(out.str())["optionsFile"], "newer");
    EXPECT_EQ(outside.Read("shared-options"), NewerOptions());
    EXPECT_TRUE(fs::is_symlink(dir.File("salreg")));

    fs::remove(dir.File("salreg"));
    ASSERT_EQ(::mkfifo(dir.File("salreg").c_str(), 0644), 0);
    ASSERT_EQ(Cli({"options", Lge()}), 0) << err.str();
    EXPECT_EQ(json::parse(out.str())["optionsFile"], "unreadable");
    EXPECT_NE(err.str().find("cannot be read (not a regular file)"), std::string::npos) << err.str();
    EXPECT_TRUE(fs::is_fifo(dir.File("salreg")));
}

// A link of a club's name in a folder from someone else may lead onto the league's own file:
// the offers written there would leave a league that no longer opens.
TEST_F(WriteFailures, OffersAreNeverWrittenInThePlaceOfAPipeADeviceOrThroughALink) {
    Offer offer;
    offer.playerID = 120;
    offer.years = 2;
    offer.salary = 1000000;
    std::vector<std::uint8_t> record(Offer::kRecordSize);
    offer.Encode(record.data());
    dir.Write("club.off", record);
    ASSERT_EQ(::mkfifo(dir.File("pipe.off").c_str(), 0644), 0);
    const std::vector<std::uint8_t> lge = dir.Read("sample.lge");
    fs::create_symlink(Lge(), dir.File("Gulls.off"));
    for (const std::string& target :
         {dir.File("pipe.off"), std::string("/dev/null"), dir.File("Gulls.off")}) {
        EXPECT_EQ(Cli({"offers", Lge(), "--team", "0", dir.File("club.off"), "--write", target}), 1);
        EXPECT_EQ(err.str(), "brevane-cli offers: could not write " + target + ": not a regular file\n");
    }
    EXPECT_TRUE(fs::is_fifo(dir.File("pipe.off")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(fs::is_symlink(dir.File("Gulls.off")));
    EXPECT_EQ(dir.Read("sample.lge"), lge);
    EXPECT_EQ(Cli({"summary", Lge()}), 0) << err.str();
}
#endif

} // namespace
