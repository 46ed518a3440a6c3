// libFuzzer entry of the harness fuzzing::FuzzList (fuzz/LeagueHarness.h).
#include "fuzz/LeagueHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzing::FuzzList(data, size);
}
