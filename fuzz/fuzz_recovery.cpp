// libFuzzer entry of the harness fuzzing::FuzzRecovery (fuzz/RecoveryHarness.h).
#include "fuzz/RecoveryHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzing::FuzzRecovery(data, size);
}
