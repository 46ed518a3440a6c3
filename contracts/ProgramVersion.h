#pragma once

// The program's version, one for the window's caption and brevane-cli --version. The build
// passes the project's version as BREVANE_VERSION.
#ifndef BREVANE_VERSION
#error "BREVANE_VERSION is set by the build"
#endif
inline constexpr const char* kProgramVersion = BREVANE_VERSION;
