#include "stats/Statistic.h"

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
