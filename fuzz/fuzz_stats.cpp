// libFuzzer entry of the harness fuzzing::FuzzStats (fuzz/LeagueHarness.h).
#include "fuzz/LeagueHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzing::FuzzStats(data, size);
}
