#pragma once

#include <string>

// The game's texts are single bytes (Latin-1); JSON, CSV and the text reports want UTF-8.
std::string Latin1ToUtf8(const std::string& text);
