#include "stats/StatisticFumble.h"

#include "stats/StatLineText.h"

std::string StatisticFumble::StatLine() const {
    return (StatLineText() << "Fumbles: " << count).Take();
}
