#pragma once

#include "search/referral_tree.h"
#include "storage/fs_error.h"
#include "storage/locale_rules.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace zelt {

// The sales and payments of a member's downline, level by level below the member: levels 1 to 8
// (those a payment scheme pays for) and one row for all deeper levels. A sale or payment counts
// for the level of the member it names.
struct LevelRow {
    std::int64_t members = 0;
    std::int64_t sales = 0;
    double salesSum = 0;
    std::int64_t payments = 0;
    double paymentsSum = 0;
};

inline constexpr int kPaidLevels = 8;
// Rows 0..7 are the levels 1..8, row 8 the deeper levels.
using LevelTable = std::array<LevelRow, kPaidLevels + 1>;

// Dates of the sales and payments counted: from the start of the From day to the end of the To
// day; a missing limit places none. Only the day of each limit counts, not a time typed with it.
struct DateLimits {
    std::optional<double> from;
    std::optional<double> to;
};

// Walks the downline of root and reads the sales and payments files once each (a missing file
// has no records).
Result<LevelTable> levelTable(const ReferralTree& tree, std::int32_t root,
                              const std::string& salesPath, const std::string& paymentsPath,
                              const DateLimits& limits);

// A sum as the level table shows it: two decimals, the locale's decimal separator, no groups.
std::string formatSum(double sum, const LocaleRules& rules);

} // namespace zelt
