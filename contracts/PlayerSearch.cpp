#include "contracts/PlayerSearch.h"

#include "league/League.h"

PlayerSearch::PlayerSearch(const League& league) {
    const int next = league.GetNextPlayerID();
    for (int id = 100; id < next; ++id) {
        const Player player = league.players.GetPlayer(static_cast<short>(id));
        if (player.GetPID() != id)
            continue; // no record of the player file gave this identifier
        std::string name = player.GetFirstName() + " " + player.GetLastName();
        for (char& ch : name)
            ch = Fold(ch);
        ids_.push_back(static_cast<std::int16_t>(id));
        names_.push_back(std::move(name));
    }
}

char PlayerSearch::Fold(char ch) {
    const auto byte = static_cast<unsigned char>(ch);
    // A-Z, and the Latin-1 capitals from 0xC0 to 0xDE except the multiplication sign.
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
        return static_cast<char>(byte + 0x20);
    return ch;
}

std::vector<std::int16_t> PlayerSearch::Find(std::string_view text) const {
    std::vector<std::string> words;
    std::string word;
    for (char ch : text) {
        if (ch == ' ' || ch == '\t' || ch == ',') {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word.push_back(Fold(ch));
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));

    std::vector<std::int16_t> found;
    if (words.empty())
        return found;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        bool all = true;
        for (const std::string& w : words)
            all = all && names_[i].find(w) != std::string::npos;
        if (all)
            found.push_back(ids_[i]);
    }
    return found;
}
