// libFuzzer target. The grid's generic comparison as a strict weak ordering.
#include "checks_compare.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zelt::fuzz::abortOnFinding(zelt::fuzz::checkGenericCompare(data, size));
    return 0;
}
