#include "tools/CommandSupport.h"

#include "league/FileAccess.h"
#include "league/League.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace {

bool EndsWithLge(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return ext == ".lge";
}

} // namespace

bool OpenLeagueForCommand(League& league, const std::string& path, const std::string& command,
                          std::ostream& err) {
    const std::string prefix = "brevane-cli " + command + ": ";
    if (!EndsWithLge(path)) {
        err << prefix << path << " is not a league file (.lge)\n";
        return false;
    }
    if (!tolvik::FileExists(path)) {
        err << prefix << "no such file: " << path << '\n';
        return false;
    }
    if (!league.OpenLeague(path)) {
        err << prefix << "cannot open the league " << path
            << ": not a league file of version 2 or 3, a bad header, or its player file (.pyr) is missing\n";
        return false;
    }
    if (!league.ReadLeagueData()) {
        err << prefix << "cannot read the league " << path << '\n';
        return false;
    }
    return true;
}

std::string Latin1ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char ch : text) {
        if (ch < 0x80) {
            out.push_back(static_cast<char>(ch));
        } else {
            out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
            out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
        }
    }
    return out;
}

void PrintJson(const nlohmann::ordered_json& value, std::ostream& out) {
    out << value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}
