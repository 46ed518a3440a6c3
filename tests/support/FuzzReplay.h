#pragma once

#include "fuzz/FuzzSupport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// Replays the inputs kept in tests/regressions/<target>/ through a fuzz harness; every one
// must run cleanly (a broken promise aborts there, as it does in the fuzz target).
namespace fuzzreplay {

using Harness = int (*)(const std::uint8_t*, std::size_t);

// The source folder from the test's environment where CTest gives it (a compiler cache may
// have made __FILE__ relative to a folder the test does not run in), else from __FILE__.
inline std::string RegressionFolder(const std::string& target) {
    const char* source = std::getenv("BREVANE_SOURCE_DIR");
    const std::filesystem::path tests = source && *source
                                            ? std::filesystem::path(source) / "tests"
                                            : std::filesystem::path(__FILE__).parent_path().parent_path();
    return (tests / "regressions" / target).string();
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
