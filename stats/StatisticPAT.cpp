#include "stats/StatisticPAT.h"

#include "stats/StatLineText.h"

std::string StatisticPAT::StatLine() const {
    return (StatLineText() << "Extra Point Made/Attempted: " << made << "/" << count).Take();
}
