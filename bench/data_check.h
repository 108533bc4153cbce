#pragma once

#include "data_generator.h"

#include <string>
#include <vector>

namespace zelt::bench {

// Reads a generated folder back and lists every rule it breaks: record counts, identifiers equal
// to record numbers, every referrer an earlier member, levels following the referrers, schemes
// and member numbers in range, sums in whole cents, dates within the years. Empty when sound.
std::vector<std::string> checkAppFolder(const GeneratorOptions& options);

} // namespace zelt::bench
