#include "tools/CommandSupport.h"

#include "contracts/OpenLeagueState.h"
#include "league/FileAccess.h"

#include <ostream>

namespace {

bool EndsWithLge(const std::string& path) {
    return path.size() >= 4 && tolvik::SameNameIgnoringCase(path.substr(path.size() - 4), ".lge");
}

} // namespace

bool OpenLeagueForCommand(OpenLeagueState& state, const std::string& path, const std::string& command,
                          std::ostream& err) {
    const std::string prefix = "brevane-cli " + command + ": ";
    if (!EndsWithLge(path)) {
        err << prefix << path << " is not a league file (.lge)\n";
        return false;
    }
    if (!tolvik::FileExists(path)) {
        const bool entry = tolvik::StatPath(path, true).exists;
        err << prefix << (entry ? "not a regular file: " : "no such file: ") << path << '\n';
        return false;
    }
    if (!state.OpenAndRead(path)) {
        err << prefix << state.GetFailure() << '\n';
        return false;
    }
    return true;
}

std::string FileNameText(const std::string& name) {
    // Valid UTF-8 is taken as it is; anything else is read as Latin-1, as the game's texts are.
    std::size_t i = 0;
    while (i < name.size()) {
        const auto lead = static_cast<unsigned char>(name[i]);
        std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
        if (length == 0 || i + length > name.size())
            return Latin1ToUtf8(name);
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(name[i + k]) & 0xC0) != 0x80)
                return Latin1ToUtf8(name);
        // Overlong forms and surrogates are not UTF-8 either.
        const unsigned second = length > 1 ? static_cast<unsigned char>(name[i + 1]) : 0;
        if ((length == 2 && lead < 0xC2) || (length == 3 && lead == 0xE0 && second < 0xA0) ||
            (length == 3 && lead == 0xED && second >= 0xA0) ||
            (length == 4 && lead == 0xF0 && second < 0x90) ||
            (length == 4 && (lead > 0xF4 || (lead == 0xF4 && second >= 0x90))))
            return Latin1ToUtf8(name);
        i += length;
    }
    return name;
}

void PrintJson(const nlohmann::ordered_json& value, std::ostream& out) {
    out << value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}
