// Inputs the fuzz targets of the contract model once crashed on, replayed through the very
// harness functions the fuzz targets call (a broken promise aborts, as it does there).
#include "fuzz/ContractsHarness.h"
#include "fuzz/OffersHarness.h"

#include "support/FuzzReplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>

namespace {

using fuzzreplay::Replay;

TEST(FuzzRegressions, SavedInputsOfTheSalaryAndOptionsReadersRunCleanly) {
    Replay("salreg", fuzzing::FuzzSalreg);
    Replay("fro", fuzzing::FuzzFro);
    Replay("sal", fuzzing::FuzzSal);
    Replay("offers", fuzzing::FuzzOffers);
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
            record = Contract(fuzzing::MinimalLeague::kSeason);
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
    tolvik::writeU16le(rec + 3, static_cast<std::uint16_t>(fuzzing::MinimalLeague::kSeason));
    rec[6] = 1;
    rec[11] = 3;
    rec[16] = 0xA0; // salary 0x0DBBA0 = 900,000
    rec[17] = 0xBB;
    rec[18] = 0x0D;
    EXPECT_EQ(fuzzing::FuzzSal(sal.data(), sal.size()), 0);
}

// Options, salary and sibling files that hold what no writer would.
TEST(FuzzHarnesses, StrangeSalaryAndOptionsFilesAreReadSafely) {
    using fuzzing::Bytes;
    auto salreg = [](const Bytes& file) { EXPECT_EQ(fuzzing::FuzzSalreg(file.data(), file.size()), 0); };
    const Options defaults;
    const auto image = defaults.Encode();
    Bytes hostile(image.begin(), image.end());
    // Splits and weights at the ends of the int range, NaN, infinite and negative curves and
    // starters, a huge rookie table, statistics-based CGS on.
    for (std::size_t at = 64; at < 580; at += 4)
        tolvik::writeS32le(hostile.data() + at, at % 8 == 0 ? INT32_MIN : INT32_MAX);
    const double doubles[] = {std::nan(""), INFINITY, -INFINITY, -1.0, 0.0, 1e308};
    for (std::size_t i = 0; i < 40; ++i)
        tolvik::writeF64le(hostile.data() + 580 + 8 * i, doubles[i % 6]);
    for (std::size_t at = 912; at < 2276; at += 4)
        tolvik::writeS32le(hostile.data() + at, INT32_MAX);
    hostile[2277] = 1;
    for (std::size_t at = 2280; at < 2396; at += 4)
        tolvik::writeS32le(hostile.data() + at, at % 8 == 0 ? INT32_MIN : INT32_MAX);
    salreg(hostile);
    for (std::int32_t version : {6, 4, 3, 0, -1}) {
        Bytes file = hostile;
        tolvik::writeS32le(file.data(), version);
        salreg(file);
        salreg(Bytes(file.begin(), file.begin() + 910));
    }
    salreg({});
    salreg({5});

    // Salary files: the magic alone, version 1 holding only its counters, an unknown version,
    // and records of impossible teams, lengths, seasons and statuses.
    auto fro = [](const Bytes& file) { EXPECT_EQ(fuzzing::FuzzFro(file.data(), file.size()), 0); };
    fro({0xB0, 0x07});
    fro({0xB0, 0x07, 1, 0, 9, 9, 1, 2, 3, 4, 5, 6, 7, 8});
    fro({0xB0, 0x07, 3, 0, 0, 0});
    Bytes odd = {0xB0, 0x07, 2, 0, 0, 0};
    odd.resize(6 + 16, 0xFF);
    for (int i = 0; i < 20; ++i) {
        Bytes raw(Contract::kRecordSize, static_cast<std::uint8_t>(0x80 + i * 7));
        raw[6] = static_cast<std::uint8_t>(100 + i);             // contract team
        raw[12] = static_cast<std::uint8_t>(i % 2 ? 127 : 0x80); // years
        odd.insert(odd.end(), raw.begin(), raw.end());
    }
    odd.resize(odd.size() - 17);
    fro(odd);

    // Sibling files: the header alone, a wrong header, and records of identifiers 0, 65535,
    // 599 and 600 (the last one beyond the league) with team 255, 255 years and a tag.
    auto sal = [](const Bytes& file) { EXPECT_EQ(fuzzing::FuzzSal(file.data(), file.size()), 0); };
    Bytes header(Contract::kSiblingRecordSize, 0);
    header[0] = 300 & 0xFF;
    header[1] = 300 >> 8;
    sal(header);
    sal(Bytes(header.begin(), header.begin() + 29));
    sal(Bytes(Contract::kSiblingRecordSize, 0xFF));
    Bytes strange = header;
    for (int id : {0, 65535, 599, 600, 101}) {
        Bytes r(Contract::kSiblingRecordSize, 0xFF);
        tolvik::writeU16le(r.data(), static_cast<std::uint16_t>(id));
        r[5] = 4;
        strange.insert(strange.end(), r.begin(), r.end());
    }
    strange.push_back(7);
    sal(strange);
}

} // namespace
