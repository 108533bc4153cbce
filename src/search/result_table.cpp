#include "search/result_table.h"

#include "search/distinct_texts.h"
#include "search/generic_compare.h"
#include "storage/date_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zelt {

namespace {

// Sort key of a row of an integer, single or date column: the value as an unsigned integer that
// orders as the value does; a value that cannot be shown gets the largest key.
struct ValueKey {
    std::uint64_t primary;
    std::uint32_t stored;
};

constexpr std::uint64_t kUnshown = ~std::uint64_t(0);

// Sorts by key, sixteen bits a pass from the lowest, in time linear in the rows; a pass in which
// every key has the same digit is skipped (most keys share their high or low bits).
void radixSort(std::vector<ValueKey>& keys) {
    constexpr int kDigits = 4;
    constexpr std::size_t kRadix = 1 << 16;
    const auto digit = [](std::uint64_t key, int pass) {
        return static_cast<std::size_t>((key >> (16 * pass)) & 0xFFFF);
    };
    std::vector<std::size_t> counts(kDigits * kRadix, 0);
    for (const ValueKey& key : keys)
        for (int pass = 0; pass < kDigits; ++pass)
            ++counts[static_cast<std::size_t>(pass) * kRadix + digit(key.primary, pass)];
    std::vector<ValueKey> moved(keys.size());
    for (int pass = 0; pass < kDigits; ++pass) {
        std::size_t* count = counts.data() + static_cast<std::size_t>(pass) * kRadix;
        if (count[digit(keys.front().primary, pass)] == keys.size())
            continue;
        std::size_t at = 0;
        for (std::size_t d = 0; d < kRadix; ++d)
            at += std::exchange(count[d], at);
        for (const ValueKey& key : keys)
            moved[count[digit(key.primary, pass)]++] = key;
        keys.swap(moved);
    }
}

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
    const std::size_t n = order_.size();
    if (ranks_.size() != static_cast<std::size_t>(columnCount()))
        ranks_.resize(static_cast<std::size_t>(columnCount()));
    ColumnRanks& ranks = ranks_[static_cast<std::size_t>(column)];
    if (ranks.ofStored.size() != n)
        ranks = columnKind(column) == ColumnKind::Text ? textRanks(column) : valueRanks(column);

    // The rows go into place by rank in one stable pass over the order shown.
    std::vector<std::uint32_t> start(std::size_t{ranks.end} + 1, 0);
    for (const std::uint32_t stored : order_)
        ++start[ranks.ofStored[stored] + 1];
    for (std::size_t r = 1; r < start.size(); ++r)
        start[r] += start[r - 1];
    std::vector<std::uint32_t> sorted(n);
    for (const std::uint32_t stored : order_)
        sorted[start[ranks.ofStored[stored]]++] = stored;
    order_ = std::move(sorted);
    sortColumn_ = column;
}

// The rows are visited in the order they were found (for a table read from its file, the order
// of the file), each value taken once.
ResultTable::ColumnRanks ResultTable::valueRanks(int column) const {
    const ColumnKind kind = columnKind(column);
    const std::size_t n = order_.size();
    std::vector<ValueKey> keys;
    keys.reserve(n);
    for (std::size_t stored = 0; stored < n; ++stored) {
        const double value = storedValue(stored, column);
        std::uint64_t primary;
        if (kind == ColumnKind::Date)
            primary = isShowableDate(value) ? orderedBits(calendarTime(value)) : kUnshown;
        else
            primary = std::isfinite(value) ? orderedBits(value) : kUnshown;
        keys.push_back(ValueKey{primary, static_cast<std::uint32_t>(stored)});
    }
    if (keys.size() > 4096)
        radixSort(keys);
    else
        std::sort(keys.begin(), keys.end(),
                  [](const ValueKey& a, const ValueKey& b) { return a.primary < b.primary; });
    ColumnRanks ranks;
    ranks.ofStored.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && keys[i].primary != keys[i - 1].primary)
            ++ranks.end;
        ranks.ofStored[keys[i].stored] = ranks.end;
    }
    if (n > 0)
        ++ranks.end;
    return ranks;
}

// Few distinct texts are ranked once each.
ResultTable::ColumnRanks ResultTable::textRanks(int column) const {
    const std::size_t n = order_.size();
    ColumnRanks ranks;
    ranks.ofStored.resize(n);
    std::vector<std::uint32_t> distinctRanks;
    {
        DistinctTexts distinct(n);
        for (std::size_t stored = 0; stored < n; ++stored)
            ranks.ofStored[stored] = distinct.idOf(storedText(stored, column));
        distinctRanks = genericRanks(distinct.texts(), rules_);
    }
    for (std::uint32_t& rank : ranks.ofStored) {
        rank = distinctRanks[rank];
        ranks.end = std::max(ranks.end, rank + 1);
    }
    return ranks;
}

double calendarTime(double serial) {
    if (serial >= 0)
        return serial;
    const double day = std::trunc(serial);
    return day + (day - serial);
}

} // namespace zelt
