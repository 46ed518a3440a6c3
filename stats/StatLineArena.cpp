#include "stats/StatLineArena.h"

std::byte* StatLineArena::AllocateRun(std::size_t bytes) {
    // operator new[] aligns for every fundamental type.
    return runs_.Allocate(bytes);
}
