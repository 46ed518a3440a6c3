#include "stats/StatisticSafety.h"

#include "stats/StatLineText.h"

std::string StatisticSafety::StatLine() const {
    return (StatLineText() << "Safeties: " << count).Take();
}
