#pragma once

#include "storage/date_text.h"
#include "storage/locale_rules.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelt {

// The rows listed by a search. Concrete tables make a cell's text only when it is asked for.
// Rows are shown through a permutation, so sorting moves four bytes per row; the sort keys of a
// column are made when that column is first sorted and kept for its later sorts.
class ResultTable {
public:
    // How a column sorts: integer and single columns by value, date columns in calendar order,
    // text columns by the generic comparison. A cell left empty because its stored value
    // cannot be shown (a NaN single, a date outside the years 100 to 9999) sorts last.
    enum class ColumnKind { Integer, Single, Date, Text };

    virtual ~ResultTable() = default;
    ResultTable(const ResultTable&) = delete;
    ResultTable& operator=(const ResultTable&) = delete;

    virtual int columnCount() const = 0;
    virtual std::string heading(int column) const = 0;
    virtual ColumnKind columnKind(int column) const = 0;

    int rowCount() const { return static_cast<int>(rowCount_); }
    // The text shown in a cell of a row (rows counted from 0, below the header).
    std::string cell(int row, int column) const { return storedCell(storedIndex(row), column); }
    // The number of the record listed in a row.
    std::int32_t recordNumber(int row) const { return storedRecordNumber(storedIndex(row)); }

    // Record n is about to be overwritten by the editor: a table that reads its rows from the
    // file keeps that record as it stands, so that its row still shows what the search found.
    virtual void keepBeforeOverwrite(std::int32_t) {}

    // Stable ascending sort of the rows by one column.
    void sortByColumn(int column);
    // The column of the last sort, -1 while the rows stand in the order they were found.
    int sortColumn() const { return sortColumn_; }

    // Rows in the order they were found: a row's position there, which a sort does not change.
    std::size_t storedIndex(int row) const {
        return order_.empty() ? static_cast<std::size_t>(row) : order_[row];
    }

    const LocaleRules& rules() const { return rules_; }

protected:
    explicit ResultTable(LocaleRules rules) : rules_(std::move(rules)) {}

    // Concrete tables call this once for every row they store, in the order found.
    void rowStored() { ++rowCount_; }

    virtual std::string storedCell(std::size_t stored, int column) const = 0;
    virtual std::int32_t storedRecordNumber(std::size_t stored) const = 0;
    // Integer, single and date columns: the stored value (a date as its serial day number); NaN
    // for a cell shown empty.
    virtual double storedValue(std::size_t stored, int column) const;
    // Text columns: the cell text, as a view that stays valid until the next call.
    virtual std::string_view storedText(std::size_t stored, int column) const;

private:
    // The place of each stored row's cell in the column's order (equal cells share one), and
    // one past the largest.
    struct ColumnRanks {
        std::vector<std::uint32_t> ofStored;
        std::uint32_t end = 0;
    };
    ColumnRanks valueRanks(int column) const;
    std::uint64_t valueKey(std::size_t stored, int column, ColumnKind kind) const;
    ColumnRanks textRanks(int column) const;

    LocaleRules rules_;
    std::size_t rowCount_ = 0;
    // The stored index of each row shown; empty until the first sort, while rows stand in the
    // order they were found.
    std::vector<std::uint32_t> order_;
    std::vector<ColumnRanks> ranks_; // by column; empty until the column is first sorted
    int sortColumn_ = -1;
};

// A serial date as a number that grows with calendar time. Before 1899-12-30 the whole part
// counts days back while the fraction still counts the time of day forward, so -1.25
// (1899-12-29 06:00) comes before -1.75 (1899-12-29 18:00).
double calendarTime(double serial);

} // namespace zelt
