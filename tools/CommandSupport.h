#pragma once

#include "contracts/GameText.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>

class League;

// Helpers shared by the commands that read a league.

// Opens and reads the league at path as the program does (League::OpenLeague, then
// League::ReadLeagueData). On failure writes one line "brevane-cli <command>: ..." with the
// League's reason to err and returns false; the caller then only lets the League go.
bool OpenLeagueForCommand(League& league, const std::string& path, const std::string& command,
                          std::ostream& err);

// A file name as text: the file system's bytes as they are when they are valid UTF-8,
// else read as Latin-1.
std::string FileNameText(const std::string& name);

// Prints the JSON value, indented, keys in the order they were added, with a closing newline.
void PrintJson(const nlohmann::ordered_json& value, std::ostream& out);
