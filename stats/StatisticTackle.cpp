#include "stats/StatisticTackle.h"

#include "stats/StatLineText.h"

std::string StatisticTackle::StatLine() const {
    return (StatLineText() << "Tackles: " << count).Take();
}
