#include "stats/StatisticPassRec.h"

std::string StatisticPassRec::StatLine() const {
    return YardsLine("Receptions: ");
}
