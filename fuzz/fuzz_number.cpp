// libFuzzer target. Number reading: every parse function in the three locales, and formatSingle.
#include "checks_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zelt::fuzz::abortOnFinding(zelt::fuzz::checkNumberText(data, size));
    return 0;
}
