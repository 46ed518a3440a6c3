#include "tools/Cli.h"

#include <csignal>
#include <iostream>

#ifdef _WIN32
#include <string>
#include <vector>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

namespace {

// The command line in UTF-8, the form the library takes paths in (argv holds the
// arguments in the system's code page, which cannot spell every name).
std::vector<std::string> Utf8Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 0; wide != nullptr && i < count; ++i) {
        const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(n > 0 ? static_cast<std::size_t>(n) : 1, '\0');
        if (n > 0)
            ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), n, nullptr, nullptr);
        text.pop_back(); // the terminating zero
        arguments.push_back(text);
    }
    ::LocalFree(wide);
    return arguments;
}

} // namespace

int main() {
    const std::vector<std::string> arguments = Utf8Arguments();
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    // The reports byte for byte as on other systems: no "\r" before each "\n".
    ::_setmode(::_fileno(stdout), _O_BINARY);
    return RunCli(static_cast<int>(arguments.size()), argv.data(), std::cout, std::cerr);
}

#else

int main(int argc, char** argv) {
    // A reader that goes away makes the write fail and the command report it, instead of
    // the signal ending the process without a word.
    std::signal(SIGPIPE, SIG_IGN);
    return RunCli(argc, argv, std::cout, std::cerr);
}

#endif
