#pragma once

#include "word_lists.h"

#include <cstdint>
#include <string>

// What the workloads look for, shared by the program's side and the sqlite side so that both
// do the same work.
namespace zelt::bench {

// A first name that about 0.1% of the members carry.
inline std::string searchedName() {
    return words::firstName(0);
}

// The member whose sales the sale search lists.
inline std::int32_t searchedMember(std::int32_t members) {
    return members / 2 + 1;
}

// The referrer of the member saved by the saving workload.
inline std::int32_t savedReferrer(std::int32_t members) {
    return members - 7 > 0 ? members - 7 : 1;
}

} // namespace zelt::bench
