#pragma once

#include <iosfwd>

// The command line of brevane-cli: parses the arguments, runs the chosen command and
// returns the process exit status. main() only calls this, so tests drive the same code.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
