#include "stats/Statistic.h"

Statistic::Statistic(const std::uint16_t* words) : type(words[0]), id(words[1]), count(words[2]) {}

std::string Statistic::StatLine() const {
    return {};
}

float Statistic::Accuracy() const {
    return 0.0f;
}

int Statistic::Over50() const {
    return 0;
}

int Statistic::Compare(Statistic* a, Statistic* b) {
    return a->type > b->type ? 1 : -1;
}
