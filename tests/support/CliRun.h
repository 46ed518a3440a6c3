#pragma once

// Runs brevane-cli's entry point in this process, as if the program had been started with
// these arguments after its name.

#include "tools/Cli.h"

#include <ostream>
#include <string>
#include <vector>

inline int RunCliWith(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<const char*> argv{"brevane-cli"};
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    return RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
}
