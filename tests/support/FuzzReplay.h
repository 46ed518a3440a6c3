#pragma once

#include "fuzz/FuzzSupport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Replays the inputs kept in tests/regressions/<target>/ through a fuzz harness; every one
// must run cleanly (a broken promise aborts there, as it does in the fuzz target).
namespace fuzzreplay {

using Harness = int (*)(const std::uint8_t*, std::size_t);

inline std::string RegressionFolder(const std::string& target) {
    return (std::filesystem::path(BREVANE_REGRESSIONS_DIR) / target).string();
}

// A missing or empty folder fails: a replay of nothing would pass whatever the harness does.
inline void Replay(const std::string& target, Harness harness) {
    const std::string folder = RegressionFolder(target);
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << "no kept inputs in " << folder;
    const std::vector<std::string> inputs = fuzzing::FilesIn(folder);
    ASSERT_FALSE(inputs.empty()) << "no kept inputs in " << folder;
    for (const std::string& path : inputs) {
        SCOPED_TRACE(path);
        fuzzing::Bytes input;
        ASSERT_TRUE(fuzzing::ReadWholeFile(path, input));
        EXPECT_EQ(harness(input.data(), input.size()), 0);
    }
}

} // namespace fuzzreplay
