#pragma once

#include "bench_random.h"

#include <string>
#include <string_view>

// Small word lists from which the generator makes names, addresses and subjects.
namespace zelt::bench::words {

// 1000 distinct first names of six letters, so a name is shared by about 0.1% of the members.
inline constexpr int kFirstNameCount = 1000;
std::string firstName(int index);

// 2000 surnames, some of them alike.
std::string surname(SplitMix64& random);

std::string_view street(SplitMix64& random);
std::string_view city(SplitMix64& random);
std::string_view country(SplitMix64& random);
std::string_view subject(SplitMix64& random);
// A sentence or two of free text, sometimes over several lines (CR LF inside).
std::string freeText(SplitMix64& random);

} // namespace zelt::bench::words
