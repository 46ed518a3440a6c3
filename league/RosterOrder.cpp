#include "league/RosterOrder.h"

#include <utility>

void ExchangeSortByKey(short* ids, int* keys, std::size_t count) {
    for (std::size_t i = 0; i + 1 < count; ++i) {
        for (std::size_t j = i; j < count; ++j) {
            if (keys[i] > keys[j]) {
                std::swap(ids[i], ids[j]);
                std::swap(keys[i], keys[j]);
            }
        }
    }
}
