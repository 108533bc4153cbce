// libFuzzer target. Record decoding with the grids', the editors' and the exports' formatting.
#include "checks_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zelt::fuzz::abortOnFinding(zelt::fuzz::checkRecords(data, size));
    return 0;
}
