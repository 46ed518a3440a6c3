#pragma once

#include <string>

// The offer file name proposed for a club: its name followed by ".off". Path separators,
// characters that a file name cannot hold on any of our systems and control characters
// become '_', so the proposal always names a file inside the folder it is saved in.
std::string OfferFileName(const std::string& clubName);
