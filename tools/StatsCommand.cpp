#include "tools/CommandSupport.h"
#include "tools/Commands.h"

#include "contracts/OpenLeagueState.h"
#include "league/League.h"
#include "stats/StatList.h"
#include "stats/Statistic.h"

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

using json = nlohmann::ordered_json;

// brevane-cli stats PATH.lge ID: the statistic lines of a player or team, in list order.
int RunStatsCommand(const std::string& path, std::int64_t id, std::ostream& out, std::ostream& err) {
    OpenLeagueState open;
    if (!OpenLeagueForCommand(open, path, "stats", err))
        return 1;
    League& league = open.GetLeague();

    json lines = json::array();
    // Identifiers are 16-bit; a number outside that range has no list (and must not wrap onto one).
    const bool inRange = id >= std::numeric_limits<short>::min() && id <= std::numeric_limits<short>::max();
    StatList* list = inRange ? league.GetStats(static_cast<short>(id)) : nullptr;
    if (list && !list->empty()) {
        list->reset();
        do {
            const Statistic* line = list->value();
            lines.push_back({{"type", line->type}, {"text", line->StatLine()}});
        } while (list->next() == 1);
    }
    PrintJson({{"id", id}, {"lines", lines}}, out);
    return 0;
}
