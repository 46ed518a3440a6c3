#pragma once

#include "contracts/GameText.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>

class OpenLeagueState;

// Helpers shared by the commands that read a league.

// Opens and reads the league at path as the program does (OpenLeagueState::OpenAndRead). On
// failure writes one line "brevane-cli <command>: ..." with the reason to err and returns
// false; the caller then only lets the state go.
bool OpenLeagueForCommand(OpenLeagueState& state, const std::string& path, const std::string& command,
                          std::ostream& err);

// A file name as text: the file system's bytes as they are when they are valid UTF-8,
// else read as Latin-1.
std::string FileNameText(const std::string& name);

// Prints the JSON value, indented, keys in the order they were added, with a closing newline.
void PrintJson(const nlohmann::ordered_json& value, std::ostream& out);
