#include "support/ChildProcess.h"
#include "support/WideText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace {

constexpr const char* kRoleVariable = "BREVANE_CHILD_ROLE";
constexpr const char* kArgumentsVariable = "BREVANE_CHILD_ARGUMENTS";
constexpr char kArgumentSeparator = '\x1f'; // the ASCII unit separator: in no path
// A child that has not ended by then is taken for hung, killed, and reported as kHung.
constexpr int kWaitSeconds = 120;

std::map<std::string, ChildRole>& Roles() {
    static std::map<std::string, ChildRole> roles;
    return roles;
}

#ifdef _WIN32
std::string Variable(const char* name) {
    const std::wstring wideName = Wide(name);
    const DWORD n = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (n == 0)
        return "";
    std::wstring value(n, L'\0');
    value.resize(::GetEnvironmentVariableW(wideName.c_str(), value.data(), n));
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(value.size()), nullptr,
                                           0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(value.size()), text.data(), size,
                          nullptr, nullptr);
    return text;
}
#else
std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
#endif

std::vector<std::string> SplitArguments(const std::string& joined) {
    std::vector<std::string> arguments;
    if (joined.empty())
        return arguments;
    std::size_t at = 0;
    for (;;) {
        const std::size_t end = joined.find(kArgumentSeparator, at);
        arguments.push_back(joined.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos)
            return arguments;
        at = end + 1;
    }
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
    std::string joined;
    for (std::size_t i = 0; i < arguments.size(); ++i)
        joined += (i ? std::string(1, kArgumentSeparator) : std::string()) + arguments[i];
    return joined;
}

// Plays the role the process was started in, before any test, and ends the process with
// its result. Outside a child it does nothing.
class RolePlayer : public ::testing::Environment {
  public:
    void SetUp() override {
        const std::string role = Variable(kRoleVariable);
        if (role.empty())
            return;
        const auto it = Roles().find(role);
        std::exit(it == Roles().end() ? 99 : it->second(SplitArguments(Variable(kArgumentsVariable))));
    }
};

[[maybe_unused]] ::testing::Environment* const kRolePlayer =
    ::testing::AddGlobalTestEnvironment(new RolePlayer);

} // namespace

bool RegisterChildRole(const std::string& name, ChildRole role) {
    return Roles().emplace(name, std::move(role)).second;
}

#ifdef _WIN32

ChildProcess::ChildProcess(const std::string& role, const std::vector<std::string>& arguments) {
    std::wstring program(MAX_PATH, L'\0');
    program.resize(::GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    std::wstring commandLine = L"\"" + program + L"\"";
    // The child inherits the role through the environment, which is put back at once.
    ::SetEnvironmentVariableW(Wide(kRoleVariable).c_str(), Wide(role).c_str());
    ::SetEnvironmentVariableW(Wide(kArgumentsVariable).c_str(), Wide(JoinArguments(arguments)).c_str());
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    // The child's test banner goes nowhere; its errors to ours.
    const HANDLE nul = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                     OPEN_EXISTING, 0, nullptr);
    HANDLE errors = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), ::GetStdHandle(STD_ERROR_HANDLE), ::GetCurrentProcess(), &errors,
                      0, TRUE, DUPLICATE_SAME_ACCESS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = nul;
    startup.hStdError = errors ? errors : nul;
    PROCESS_INFORMATION info{};
    started_ = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                nullptr, &startup, &info);
    ::SetEnvironmentVariableW(Wide(kRoleVariable).c_str(), nullptr);
    ::SetEnvironmentVariableW(Wide(kArgumentsVariable).c_str(), nullptr);
    if (nul != INVALID_HANDLE_VALUE)
        ::CloseHandle(nul);
    if (errors)
        ::CloseHandle(errors);
    if (started_) {
        ::CloseHandle(info.hThread);
        process_ = reinterpret_cast<std::intptr_t>(info.hProcess);
    }
}

ChildProcess::~ChildProcess() {
    if (started_ && !ended_)
        Kill();
    if (started_)
        ::CloseHandle(reinterpret_cast<HANDLE>(process_));
}

int ChildProcess::Wait() {
    if (!started_ || ended_)
        return status_;
    const HANDLE process = reinterpret_cast<HANDLE>(process_);
    const bool hung = ::WaitForSingleObject(process, kWaitSeconds * 1000) == WAIT_TIMEOUT;
    if (hung) {
        ::TerminateProcess(process, kKilled);
        ::WaitForSingleObject(process, INFINITE);
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process, &code);
    ended_ = true;
    status_ = hung ? kHung : static_cast<int>(code);
    return status_;
}

int ChildProcess::Kill() {
    if (started_ && !ended_)
        ::TerminateProcess(reinterpret_cast<HANDLE>(process_), kKilled);
    return Wait();
}

void DieNow() {
    ::TerminateProcess(::GetCurrentProcess(), ChildProcess::kKilled);
    std::abort(); // not reached
}

#else

ChildProcess::ChildProcess(const std::string& role, const std::vector<std::string>& arguments) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable)
        variables.push_back(*variable);
    variables.push_back(std::string(kRoleVariable) + "=" + role);
    variables.push_back(std::string(kArgumentsVariable) + "=" + JoinArguments(arguments));
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::string program = "/proc/self/exe";
    char* argv[] = {program.data(), nullptr};
    // The child's test banner goes nowhere; its errors to ours.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    started_ = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    process_ = pid;
}

ChildProcess::~ChildProcess() {
    if (started_ && !ended_)
        Kill();
}

int ChildProcess::Wait() {
    if (!started_ || ended_)
        return status_;
    const pid_t pid = static_cast<pid_t>(process_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kWaitSeconds);
    int status = 0;
    bool hung = false;
    for (;;) {
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid || (ended < 0 && errno != EINTR))
            break;
        if (std::chrono::steady_clock::now() > deadline && !hung) {
            hung = true;
            ::kill(pid, SIGKILL);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ended_ = true;
    status_ = hung                  ? kHung
              : WIFEXITED(status)   ? WEXITSTATUS(status)
              : WIFSIGNALED(status) ? 128 + WTERMSIG(status)
                                    : -1;
    return status_;
}

int ChildProcess::Kill() {
    if (started_ && !ended_)
        ::kill(static_cast<pid_t>(process_), SIGKILL);
    return Wait();
}

void DieNow() {
    ::raise(SIGKILL);
    std::abort(); // not reached
}

#endif

bool WaitForFile(const std::string& path, int timeoutSeconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    const std::filesystem::path file(std::u8string(path.begin(), path.end()));
    // A file the other process is renaming into place may fail to answer for a moment on
    // some systems; that is "not yet", never a reason to end the test.
    std::error_code ec;
    while (!std::filesystem::exists(file, ec)) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}
