#pragma once

#include <cstddef>

// The order in which the program shows a roster: each place in turn exchanges its entry
// with every later one of a smaller key. This exact exchange order decides where entries of
// equal keys end up; it is not a stable sort. Identifiers and keys are exchanged together.
void ExchangeSortByKey(short* ids, int* keys, std::size_t count);
