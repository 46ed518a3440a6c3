#include "tools/Cli.h"

#include <iostream>

int main(int argc, char** argv) {
    return RunCli(argc, argv, std::cout, std::cerr);
}
