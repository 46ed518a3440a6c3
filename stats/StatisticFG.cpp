#include "stats/StatisticFG.h"

#include "stats/StatLineText.h"
#include "stats/StatNumber.h"

void StatisticFG::Breakdown(std::uint16_t band, int& attempts, int& made) {
    attempts = band >> 8;
    made = band & 0xFF;
}

void StatisticFG::Totals(int& attempts, int& made) const {
    attempts = 0;
    made = 0;
    for (std::uint16_t band : bands) {
        int a = 0;
        int m = 0;
        Breakdown(band, a, m);
        attempts += a;
        made += m;
    }
}

float StatisticFG::Accuracy() const {
    int attempts = 0;
    int made = 0;
    Totals(attempts, made);
    return tolvik::GuardedQuotient(made, attempts);
}

int StatisticFG::Over50() const {
    int attempts = 0;
    int made = 0;
    Breakdown(bands[4], attempts, made);
    return made;
}

std::string StatisticFG::StatLine() const {
    static const char* const kLabels[kBands] = {
        "Field Goals <20: ", " 20-29: ", " 30-39: ", " 40-49: ", " 50+: "};
    StatLineText line;
    int totalAttempts = 0;
    int totalMade = 0;
    for (int i = 0; i < kBands; ++i) {
        int attempts = 0;
        int made = 0;
        Breakdown(bands[static_cast<std::size_t>(i)], attempts, made);
        totalAttempts += attempts;
        totalMade += made;
        line << kLabels[i] << made << "/" << attempts;
    }
    line << " Long: " << count
         << " FG%: " << tolvik::FormatFixed(tolvik::GuardedPercentage(totalMade, totalAttempts), 4, 2);
    return line.Take();
}
