#include "search/level_table.h"

#include "storage/field_codec.h"
#include "storage/large_vector.h"
#include "storage/record_file.h"
#include "storage/sale_record.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace zelt {

namespace {

constexpr std::uint8_t kNotBelow = 0;

// A serial date as a number that grows with calendar time: before 1899-12-30 the whole part
// counts days back while the fraction counts the time of day forward.
double calendarTimeOf(double serial) {
    const double day = std::trunc(serial);
    return day + std::fabs(serial - day);
}

// The level below root of every member (1..8, 9 for deeper ones), 0 for members not below it.
LargeVector<std::uint8_t> levelsBelow(const ReferralTree& tree, std::int32_t root,
                                      LevelTable& table) {
    LargeVector<std::uint8_t> levels(static_cast<std::size_t>(tree.memberCount()) + 1, kNotBelow);
    if (!tree.isMember(root))
        return levels;
    if (tree.referrersComeFirst()) {
        // Every member below root comes after it in record order, after its own referrer.
        constexpr std::uint8_t kRoot = 0xFF;
        levels[root] = kRoot;
        for (std::int32_t n = root + 1; n <= tree.memberCount(); ++n) {
            const std::int32_t ref = tree.referrer(n);
            if (!tree.isMember(ref) || ref < root || levels[ref] == kNotBelow)
                continue;
            const std::uint8_t level =
                levels[ref] == kRoot ? 1 : std::min<std::uint8_t>(levels[ref] + 1, kPaidLevels + 1);
            levels[n] = level;
            ++table[level - 1].members;
        }
        levels[root] = kNotBelow;
        return levels;
    }
    std::vector<std::int32_t> current{root};
    std::vector<std::int32_t> next;
    for (int depth = 1; !current.empty(); ++depth) {
        const auto level =
            static_cast<std::uint8_t>(depth <= kPaidLevels ? depth : kPaidLevels + 1);
        next.clear();
        for (const std::int32_t parent : current)
            for (std::int32_t c = tree.firstChild(parent); c != 0; c = tree.nextSibling(c)) {
                // Only root can be met again below itself, through a cycle.
                if (c == root || levels[c] != kNotBelow)
                    continue;
                levels[c] = level;
                ++table[level - 1].members;
                next.push_back(c);
            }
        current.swap(next);
    }
    return levels;
}

// Adds the records of one sales or payments file to the table.
Status addRecords(const std::string& path, const LargeVector<std::uint8_t>& levels,
                  const DateLimits& limits, std::int64_t LevelRow::*count, double LevelRow::*sum,
                  LevelTable& table) {
    const auto exists = fs::isFile(path);
    if (!exists)
        return exists.error();
    if (!*exists)
        return {};
    auto file = RecordFile::openForReading(path, SaleRecord::kLength);
    if (!file)
        return file.error();
    const auto records = file->count();
    if (!records)
        return records.error();
    const double from = limits.from ? std::floor(calendarTimeOf(*limits.from)) : 0;
    const double until = limits.to ? std::floor(calendarTimeOf(*limits.to)) + 1 : 0;
    const auto memberCount = static_cast<std::int64_t>(levels.size()) - 1;
    // A block's levels are looked up first, apart from the sums: the lookups do not wait for one
    // another, and with ten million members most of them miss the processor's caches.
    std::vector<std::uint8_t> blockLevels;
    return file->scanBlocks(
        1, *records, [&](std::int32_t, const std::uint8_t* block, std::size_t inBlock) {
            blockLevels.resize(inBlock);
            for (std::size_t i = 0; i < inBlock; ++i) {
                const std::int32_t member = field::getInt32(block + i * SaleRecord::kLength);
                blockLevels[i] = member < 1 || member > memberCount ? kNotBelow : levels[member];
            }
            for (std::size_t i = 0; i < inBlock; ++i) {
                if (blockLevels[i] == kNotBelow)
                    continue;
                const std::uint8_t* record = block + i * SaleRecord::kLength;
                if (limits.from || limits.to) {
                    const double time = calendarTimeOf(field::getDouble(record + 8));
                    // A date that is no number lies within no limits.
                    if (std::isnan(time) || (limits.from && time < from) ||
                        (limits.to && time >= until))
                        continue;
                }
                LevelRow& row = table[blockLevels[i] - 1];
                ++(row.*count);
                row.*sum += static_cast<double>(field::getSingle(record + 4));
            }
            return true;
        });
}

} // namespace

Result<LevelTable> levelTable(const ReferralTree& tree, std::int32_t root,
                              const std::string& salesPath, const std::string& paymentsPath,
                              const DateLimits& limits) {
    LevelTable table{};
    const LargeVector<std::uint8_t> levels = levelsBelow(tree, root, table);
    if (Status s =
            addRecords(salesPath, levels, limits, &LevelRow::sales, &LevelRow::salesSum, table);
        !s)
        return s.error();
    if (Status s = addRecords(paymentsPath, levels, limits, &LevelRow::payments,
                              &LevelRow::paymentsSum, table);
        !s)
        return s.error();
    return table;
}

std::string formatSum(double sum, const LocaleRules& rules) {
    // A sum holding a stored value that is no number is shown empty, as such cells are elsewhere.
    if (!std::isfinite(sum))
        return {};
    char text[400];
    std::snprintf(text, sizeof text, "%.2f", sum);
    std::string shown(text);
    if (shown == "-0.00")
        shown.erase(0, 1);
    if (const auto point = shown.find('.'); point != std::string::npos)
        shown.replace(point, 1, rules.decimalSeparator);
    return shown;
}

} // namespace zelt
