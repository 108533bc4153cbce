#pragma once

#include "search/referral_tree.h"
#include "storage/fs_error.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelt {

inline constexpr const char* kDownlineFileName = "downline.txt";
inline constexpr std::string_view kDownlineHeader =
    "Level below;Zelt member's ID;Name;Surname;Reference's ID\r\n";

// A member below the root and its level below it.
struct DownlineEntry {
    std::int32_t member;
    std::int32_t level;
};
// The members below root, depth first, the children of each member in record order; root
// itself is left out, also where a cycle leads back to it.
std::vector<DownlineEntry> downlineOrder(const ReferralTree& tree, std::int32_t root);

// Writes <appDir>/output/downline.txt: the header, then one line per member below root in
// downlineOrder, names and surnames as stored without their trailing blanks, through the
// whole-file writer. The names are read from <appDir>/data/affiliates.kvr in one pass.
Status saveDownline(const std::string& appDir, const ReferralTree& tree, std::int32_t root);

} // namespace zelt
