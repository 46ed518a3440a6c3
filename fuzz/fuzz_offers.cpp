// libFuzzer entry of the harness fuzzing::FuzzOffers (fuzz/OffersHarness.h).
#include "fuzz/OffersHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzing::FuzzOffers(data, size);
}
