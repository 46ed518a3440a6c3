#pragma once

#include "fuzz/FuzzSupport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// Replays the inputs kept in tests/regressions/<target>/ through a fuzz harness; every one
// must run cleanly (a broken promise aborts there, as it does in the fuzz target).
namespace fuzzreplay {

using Harness = int (*)(const std::uint8_t*, std::size_t);

inline std::string RegressionFolder(const std::string& target) {
    return (std::filesystem::path(__FILE__).parent_path().parent_path() / "regressions" / target).string();
}

inline void Replay(const std::string& target, Harness harness) {
    for (const std::string& path : fuzzing::FilesIn(RegressionFolder(target))) {
        SCOPED_TRACE(path);
        fuzzing::Bytes input;
        ASSERT_TRUE(fuzzing::ReadWholeFile(path, input));
        EXPECT_EQ(harness(input.data(), input.size()), 0);
    }
}

} // namespace fuzzreplay
