// brevane-cli.exe itself on Windows: its arguments come from the wide command line, so any
// name reaches the library (in UTF-8), and its reports are the same bytes as elsewhere.
#ifdef _WIN32

#include "support/TempDir.h"
#include "support/WideText.h"

#include "tools/SampleLeague.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace {

namespace fs = std::filesystem;

// The program beside this test program, as the build puts them.
std::wstring Program() {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    return (fs::path(self).parent_path() / L"brevane-cli.exe").wstring();
}

// Runs the program with one argument list given as wide text; its output goes to a file.
// Returns the exit status, or -1 when it could not be started.
int RunProgram(const std::wstring& arguments, const std::wstring& outputFile) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE output = ::CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE)
        return -1;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    startup.hStdInput = nullptr;
    const std::wstring program = Program();
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION info{};
    const bool started = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                          nullptr, nullptr, &startup, &info);
    ::CloseHandle(output);
    if (!started)
        return -1;
    ::WaitForSingleObject(info.hProcess, 120000);
    DWORD code = 0;
    ::GetExitCodeProcess(info.hProcess, &code);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return static_cast<int>(code);
}

TEST(WindowsProgram, TakesNamesInAnyScriptAndWritesTheSameBytesAsElsewhere) {
    TempDir dir;
    // "Liga Ü 日本" / "Über": no code page of the system spells both.
    const std::string folder = dir.File("Liga \xC3\x9C \xE6\x97\xA5\xE6\x9C\xAC");
    SampleLeagueOptions options;
    options.folder = folder;
    options.teams = 8;
    options.salary = false;
    sample::Result result;
    std::string error;
    ASSERT_TRUE(sample::WriteSampleLeague(options, result, error)) << error;
    const std::string base = "\xC3\x9C"
                             "ber";
    for (const char* ext : {".lge", ".pyr", ".pyf", ".pyc", ".dat"})
        fs::rename(fs::path(Wide(folder + "\\sample" + ext)), fs::path(Wide(folder + "\\" + base + ext)));

    const int status =
        RunProgram(L"league \"" + Wide(folder + "\\" + base + ".lge") + L"\"", Wide(dir.File("league.json")));
    const auto bytes = dir.Read("league.json");
    const std::string text(bytes.begin(), bytes.end());
    ASSERT_EQ(status, 0) << text;
    EXPECT_EQ(text.find('\r'), std::string::npos) << "a line ends in \\r\\n";
    EXPECT_EQ(nlohmann::json::parse(text)["fileName"], base);
    EXPECT_EQ(nlohmann::json::parse(text)["numTeams"], 8);
}

} // namespace

#endif
