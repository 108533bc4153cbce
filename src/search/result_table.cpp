#include "search/result_table.h"

#include "search/distinct_texts.h"
#include "search/generic_compare.h"
#include "storage/date_text.h"

#include <algorithm>
#include <cmath>

namespace zelt {

namespace {

// Sort key of a row of an integer, single or date column: the value as an unsigned integer that
// orders as the value does; a value that cannot be shown gets the largest key.
struct ValueKey {
    std::uint64_t primary;
    std::uint32_t stored;
};

constexpr std::uint64_t kUnshown = ~std::uint64_t(0);

} // namespace

double ResultTable::storedValue(std::size_t, int) const {
    return 0;
}

std::string_view ResultTable::storedText(std::size_t, int) const {
    return {};
}

void ResultTable::sortByColumn(int column) {
    if (column < 0 || column >= columnCount())
        return;
    if (columnKind(column) == ColumnKind::Text)
        sortByText(column);
    else
        sortByValue(column);
    sortColumn_ = column;
}

void ResultTable::sortByValue(int column) {
    const ColumnKind kind = columnKind(column);
    std::vector<ValueKey> keys;
    keys.reserve(order_.size());
    for (const std::uint32_t stored : order_) {
        const double value = storedValue(stored, column);
        std::uint64_t primary;
        if (kind == ColumnKind::Date)
            primary = isShowableDate(value) ? orderedBits(calendarTime(value)) : kUnshown;
        else
            primary = std::isfinite(value) ? orderedBits(value) : kUnshown;
        keys.push_back(ValueKey{primary, stored});
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const ValueKey& a, const ValueKey& b) { return a.primary < b.primary; });
    for (std::size_t i = 0; i < keys.size(); ++i)
        order_[i] = keys[i].stored;
}

void ResultTable::sortByText(int column) {
    // Few distinct texts are ranked once each; the rows then go into place by rank in one
    // stable pass.
    const std::size_t n = order_.size();
    std::vector<std::uint32_t> rowRanks(n);
    std::vector<std::uint32_t> ranks;
    {
        DistinctTexts distinct(n);
        for (std::size_t i = 0; i < n; ++i)
            rowRanks[i] = distinct.idOf(storedText(order_[i], column));
        ranks = genericRanks(distinct.texts(), rules_);
    }
    std::vector<std::uint32_t> start(ranks.size() + 1, 0);
    for (std::uint32_t& rank : rowRanks) {
        rank = ranks[rank];
        ++start[rank + 1];
    }
    for (std::size_t r = 1; r < start.size(); ++r)
        start[r] += start[r - 1];
    std::vector<std::uint32_t> sorted(n);
    for (std::size_t i = 0; i < n; ++i)
        sorted[start[rowRanks[i]]++] = order_[i];
    order_ = std::move(sorted);
}

double calendarTime(double serial) {
    if (serial >= 0)
        return serial;
    const double day = std::trunc(serial);
    return day + (day - serial);
}

} // namespace zelt
