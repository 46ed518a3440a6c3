// A league folder from another program's user: the program opens it with what it can read,
// writes over nothing it could not read, and shows every file it could not write.
#include "UiSupport.h"

#include "support/FaultyFiles.h"

#include "league/FileAccess.h"
#include "ui/TContractManagerForm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using Kind = ScriptedPrompt::Kind;

TEST(FolderTrust, ANewerOptionsFileIsSaidOnceAndKeptAndAFailedBuildIsShown) {
    ProgramUnderTest p;
    const std::string path = WriteSampleLeague(p.dir.File("lg"), false);
    const std::string salreg = p.dir.File("lg/salreg");
    std::vector<std::uint8_t> newer(2404, 0);
    newer[0] = 7;
    {
        std::ofstream file(salreg, std::ios::binary);
        file.write(reinterpret_cast<const char*>(newer.data()), static_cast<std::streamsize>(newer.size()));
    }
    p.prompt.AnswerCaption("Build Salary Info?", true);
    {
        // A full disk: the salary information built cannot be written.
        FaultyFilesInUse full([](FaultyFiles::Call call, const std::string& file) {
            return call == FaultyFiles::Call::Create && tolvik::IsTemporaryName(tolvik::NativeLeaf(file))
                       ? tolvik::FileError::DiskFull
                       : tolvik::FileError::None;
        });
        OpenThroughMenu(p, path, 0);
    }
    ASSERT_TRUE(p.Main().IsLeagueLoaded());
    EXPECT_EQ(p.Shown(Kind::Message),
              std::vector<std::string>{
                  "Newer version of program options found.  Please upgrade to the latest version"});
    EXPECT_EQ(p.Shown(Kind::Stop), std::vector<std::string>{"Cannot write sample.FRO: disk full"});
    EXPECT_EQ(p.prompt.History().back().caption, "Salary Information");
    EXPECT_TRUE(p.statusTexts.contains("No Salary Info File"));
    EXPECT_FALSE(std::filesystem::exists(p.dir.File("lg/sample.FRO")));

    std::ifstream file(salreg, std::ios::binary);
    const std::vector<std::uint8_t> kept{std::istreambuf_iterator<char>(file),
                                         std::istreambuf_iterator<char>()};
    EXPECT_EQ(kept, newer);
}

TEST(FolderTrust, AnotherLeaguesSalaryInformationIsSaidAndKept) {
    ProgramUnderTest p;
    const std::string path = WriteSampleLeague(p.dir.File("lg"), true);
    // The league's records behind the counters of 26 teams, as another league's file holds them.
    const std::string fro = p.dir.File("lg/sample.FRO");
    std::vector<std::uint8_t> bytes;
    {
        std::ifstream in(fro, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bytes.insert(bytes.begin() + 22, 36, 0);
    {
        std::ofstream out(fro, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    OpenThroughMenu(p, path, 0);
    ASSERT_TRUE(p.Main().IsLeagueLoaded());
    EXPECT_EQ(
        p.Shown(Kind::Stop),
        std::vector<std::string>{"The salary information file sample.FRO does not belong to this league: its "
                                 "records are those of a league of 26 teams, and this league has 8; it was "
                                 "left as it is"});
    EXPECT_EQ(p.prompt.History().back().caption, "Salary Information");
    EXPECT_TRUE(p.statusTexts.contains("No Salary Info File"));
    EXPECT_TRUE(p.Main().close());
    std::ifstream file(fro, std::ios::binary);
    EXPECT_EQ(
        std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()),
        bytes);
}

} // namespace
