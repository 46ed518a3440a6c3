#include "league/MemoryFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

bool WriteFile(tolvik::MemoryFiles& files, const std::string& path, const std::string& text) {
    const auto file = files.Open(path, tolvik::OpenHow::Create);
    if (file == tolvik::SystemFiles::kNoFile)
        return false;
    const bool ok = files.WriteAt(file, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), 0);
    return files.Close(file) && ok;
}

// Paths reach the memory file system in every spelling a caller may build: each names the
// one file its parts lead to.
TEST(MemoryFiles, EverySpellingOfAPathNamesTheSameFile) {
    tolvik::MemoryFiles files;
    files.MakeFolder("/league/sub");
    ASSERT_TRUE(WriteFile(files, "/league/sub/a.lge", "abc"));
    for (const std::string path :
         {"/league/sub/a.lge", "//league//sub/a.lge", "/league/./sub/a.lge", "/league/sub/../sub/a.lge",
          "/x/../league/sub/a.lge", "league/sub/a.lge", "/../league/sub/a.lge", "/league/sub/a.lge/"}) {
        const tolvik::FileInfo info = files.Stat(path, false);
        EXPECT_TRUE(info.exists) << path;
        EXPECT_EQ(info.size, 3) << path;
    }
    EXPECT_FALSE(files.Stat("/league/a.lge", false).exists);
    // Names that merely start with dots are names, not steps.
    ASSERT_TRUE(WriteFile(files, "/league/sub/..a", "x"));
    ASSERT_TRUE(WriteFile(files, "/league/sub/.b", "yy"));
    std::vector<std::string> names;
    ASSERT_TRUE(files.List("/league/sub", names));
    EXPECT_EQ(names, (std::vector<std::string>{"..a", ".b", "a.lge"}));
    EXPECT_EQ(files.Stat("/league/sub/.b", false).size, 2);
}

} // namespace
