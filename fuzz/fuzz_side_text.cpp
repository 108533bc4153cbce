// libFuzzer target. Side text decoding, encoding and flattening.
#include "checks_side_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zelt::fuzz::abortOnFinding(zelt::fuzz::checkSideText(data, size));
    return 0;
}
