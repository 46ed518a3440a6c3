// libFuzzer entry of the harness fuzzing::FuzzSal (fuzz/ContractsHarness.h).
#include "fuzz/ContractsHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzing::FuzzSal(data, size);
}
