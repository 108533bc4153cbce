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

// Numbers the distinct keys of a column in the order first seen, in an open-addressing table
// that grows with them.
class DistinctKeys {
public:
    std::uint32_t idOf(std::uint64_t key) {
        if ((keys_.size() + 1) * 2 > slots_.size())
            grow();
        std::size_t slot = slotOf(key);
        while (slots_[slot] != 0) {
            if (keys_[slots_[slot] - 1] == key)
                return slots_[slot] - 1;
            slot = (slot + 1) & (slots_.size() - 1);
        }
        keys_.push_back(key);
        slots_[slot] = static_cast<std::uint32_t>(keys_.size());
        return slots_[slot] - 1;
    }
    const std::vector<std::uint64_t>& keys() const { return keys_; }

private:
    std::size_t slotOf(std::uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (slots_.size() - 1);
    }
    void grow() {
        slots_.assign(std::max<std::size_t>(1024, slots_.size() * 2), 0);
        for (std::uint32_t id = 0; id < keys_.size(); ++id) {
            std::size_t slot = slotOf(keys_[id]);
            while (slots_[slot] != 0)
                slot = (slot + 1) & (slots_.size() - 1);
            slots_[slot] = id + 1;
        }
    }

    std::vector<std::uint64_t> keys_;
    std::vector<std::uint32_t> slots_; // id + 1, 0 for an empty slot
};

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
    const std::size_t n = rowCount_;
    if (ranks_.size() != static_cast<std::size_t>(columnCount()))
        ranks_.resize(static_cast<std::size_t>(columnCount()));
    ColumnRanks& ranks = ranks_[static_cast<std::size_t>(column)];
    if (ranks.ofStored.size() != n)
        ranks = columnKind(column) == ColumnKind::Text ? textRanks(column) : valueRanks(column);

    // The rows go into place by rank in one stable pass over the order shown.
    std::vector<std::uint32_t> start(std::size_t{ranks.end} + 1, 0);
    for (std::size_t row = 0; row < n; ++row)
        ++start[ranks.ofStored[storedIndex(static_cast<int>(row))] + 1];
    for (std::size_t r = 1; r < start.size(); ++r)
        start[r] += start[r - 1];
    std::vector<std::uint32_t> sorted(n);
    for (std::size_t row = 0; row < n; ++row) {
        const auto stored = static_cast<std::uint32_t>(storedIndex(static_cast<int>(row)));
        sorted[start[ranks.ofStored[stored]]++] = stored;
    }
    order_ = std::move(sorted);
    sortColumn_ = column;
}

std::uint64_t ResultTable::valueKey(std::size_t stored, int column, ColumnKind kind) const {
    const double value = storedValue(stored, column);
    if (kind == ColumnKind::Date)
        return isShowableDate(value) ? orderedBits(calendarTime(value)) : kUnshown;
    return std::isfinite(value) ? orderedBits(value) : kUnshown;
}

// The rows are visited in the order they were found (for a table read from its file, the order
// of the file), each value taken once. Most columns hold few distinct values: each row gets the
// number of its value and only the values are sorted. A column of many goes by a sort of all
// its rows' keys.
ResultTable::ColumnRanks ResultTable::valueRanks(int column) const {
    const ColumnKind kind = columnKind(column);
    const std::size_t n = rowCount_;
    ColumnRanks ranks;
    ranks.ofStored.resize(n);
    const std::size_t fewest = std::max<std::size_t>(4096, n / 4);
    DistinctKeys distinct;
    std::size_t stored = 0;
    for (; stored < n && distinct.keys().size() <= fewest; ++stored)
        ranks.ofStored[stored] = distinct.idOf(valueKey(stored, column, kind));
    if (stored == n && distinct.keys().size() <= fewest) {
        std::vector<ValueKey> values;
        values.reserve(distinct.keys().size());
        for (const std::uint64_t key : distinct.keys())
            values.push_back(ValueKey{key, static_cast<std::uint32_t>(values.size())});
        std::sort(values.begin(), values.end(),
                  [](const ValueKey& a, const ValueKey& b) { return a.primary < b.primary; });
        std::vector<std::uint32_t> rankOfId(values.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            rankOfId[values[i].stored] = static_cast<std::uint32_t>(i);
        for (std::uint32_t& rank : ranks.ofStored)
            rank = rankOfId[rank];
        ranks.end = static_cast<std::uint32_t>(values.size());
        return ranks;
    }

    std::vector<ValueKey> keys;
    keys.reserve(n);
    for (stored = 0; stored < n; ++stored)
        keys.push_back(
            ValueKey{valueKey(stored, column, kind), static_cast<std::uint32_t>(stored)});
    if (keys.size() > 4096)
        radixSort(keys);
    else
        std::sort(keys.begin(), keys.end(),
                  [](const ValueKey& a, const ValueKey& b) { return a.primary < b.primary; });
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
    const std::size_t n = rowCount_;
    ColumnRanks ranks;
    ranks.ofStored.resize(n);
    std::vector<std::uint32_t> distinctRanks;
    {
        DistinctTexts distinct(std::min<std::size_t>(n, 4096)); // grows as texts come
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
