#include "stats/StatisticSack.h"

#include "stats/StatLineText.h"

std::string StatisticSack::StatLine() const {
    return (StatLineText() << "Sacks: " << count).Take();
}
