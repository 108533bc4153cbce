// libFuzzer target. Date reading and showing in the three locales.
#include "checks_date.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zelt::fuzz::abortOnFinding(zelt::fuzz::checkDateText(data, size));
    return 0;
}
