// Inputs the fuzz targets of the contract model once crashed on, replayed through the very
// harness functions the fuzz targets call (a broken promise aborts, as it does there).
#include "fuzz/ContractsHarness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Harness = int (*)(const std::uint8_t*, std::size_t);

std::string RegressionFolder(const std::string& target) {
    return (std::filesystem::path(__FILE__).parent_path().parent_path() / "regressions" / target).string();
}

void Replay(const std::string& target, Harness harness) {
    for (const std::string& path : fuzzing::FilesIn(RegressionFolder(target))) {
        SCOPED_TRACE(path);
        fuzzing::Bytes input;
        ASSERT_TRUE(fuzzing::ReadWholeFile(path, input));
        EXPECT_EQ(harness(input.data(), input.size()), 0);
    }
}

TEST(FuzzRegressions, SavedInputsOfTheSalaryAndOptionsReadersRunCleanly) {
    Replay("salreg", fuzzing::FuzzSalreg);
    Replay("fro", fuzzing::FuzzFro);
    Replay("sal", fuzzing::FuzzSal);
}

// The harnesses themselves hold on sound files: the options, salary information and sibling
// file the program writes pass every check.
TEST(FuzzHarnesses, SoundSalaryAndOptionsFilesPassEveryHarness) {
    const Options defaults;
    const auto image = defaults.Encode();
    EXPECT_EQ(fuzzing::FuzzSalreg(image.data(), image.size()), 0);

    // Version 2, eight teams, no counters, records of IDs 100.. with a contract for 101.
    fuzzing::Bytes fro = {0xB0, 0x07, 2, 0, 0, 0};
    fro.resize(6 + 2 * fuzzing::MinimalLeague::kTeams, 0);
    for (int id = 100; id < 110; ++id) {
        Contract record;
        record.playerID = static_cast<std::int16_t>(id);
        if (id == 101) {
            record = Contract(1999);
            record.playerID = 101;
            record.status = Contract::UnderContract;
            record.contractTeam = 0;
            record.years = 3;
            record.salary = 900000;
            record.bonus = 300000;
        }
        std::uint8_t raw[Contract::kRecordSize];
        record.Encode(raw);
        fro.insert(fro.end(), raw, raw + sizeof raw);
    }
    EXPECT_EQ(fuzzing::FuzzFro(fro.data(), fro.size()), 0);

    // The header record (300), then player 101 under a three-year contract with team 1.
    fuzzing::Bytes sal(2 * Contract::kSiblingRecordSize, 0);
    sal[0] = 300 & 0xFF;
    sal[1] = 300 >> 8;
    std::uint8_t* rec = sal.data() + Contract::kSiblingRecordSize;
    rec[0] = 101;
    rec[3] = 1999 & 0xFF;
    rec[4] = 1999 >> 8;
    rec[6] = 1;
    rec[11] = 3;
    rec[16] = 0xA0; // salary 0x0DBBA0 = 900,000
    rec[17] = 0xBB;
    rec[18] = 0x0D;
    EXPECT_EQ(fuzzing::FuzzSal(sal.data(), sal.size()), 0);
}

} // namespace
