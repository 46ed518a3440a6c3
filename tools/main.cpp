#include "tools/Cli.h"

#include <csignal>
#include <iostream>

int main(int argc, char** argv) {
    // A reader that goes away makes the write fail and the command report it, instead of
    // the signal ending the process without a word.
    std::signal(SIGPIPE, SIG_IGN);
    return RunCli(argc, argv, std::cout, std::cerr);
}
