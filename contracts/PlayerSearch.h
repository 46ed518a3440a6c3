#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class League;

// Finds players of the whole league by name as a user types: every word typed must appear
// in "first last", ignoring case (Latin-1 letters included). The names are read and folded
// once, so each key costs one pass over short texts.
class PlayerSearch {
  public:
    explicit PlayerSearch(const League& league);

    // The players whose names hold every word of text (single bytes, as the league keeps
    // names), in ID order; none for a text without a word.
    std::vector<std::int16_t> Find(std::string_view text) const;

    // Folds one Latin-1 byte to lower case.
    static char Fold(char ch);

  private:
    std::vector<std::int16_t> ids_;
    std::vector<std::string> names_; // folded "first last", one per entry of ids_
};
